// The texts of the compiled files (station names, board texts) as a reader
// is shown them: the Windows-1252 bytes decoded through the one table, and
// on a terminal every control character written out as "\x1b", so that no
// byte of a name can move the cursor, ring the bell or end the line.
#pragma once

#include <string>
#include <string_view>

namespace scenpack {

// UTF-8 for a terminal: controls (C0, DEL and the C1 row) as "\xNN".
std::string shown_text(std::string_view windows_1252);

// The same in double quotes: "SAN LIÒ".
std::string quoted_text(std::string_view windows_1252);

// UTF-8 for a document that escapes on its own (JSON, SVG, HTML): every
// byte decoded, controls left to the document's writer.
std::string decoded_text(std::string_view windows_1252);

}  // namespace scenpack
