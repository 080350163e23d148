// scenpack keywords: the sections and record keywords of both descriptions,
// the one list that editor packages (grammars, Notepad++'s language file)
// are checked against.
#pragma once

#include <string>

namespace scenpack {

// One block per description: its sections, then each record's keyword and
// fields. With `json`: {"line": {"sections": [...], "records": [{"keyword":
// ..., "section": ..., "meaning": ..., "fields": [{"name", "unit",
// "meaning"}]}]}, "train": {...}}.
std::string keywords_listing(bool json);

}  // namespace scenpack
