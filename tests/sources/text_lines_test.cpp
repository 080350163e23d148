#include "sources/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace scenpack {
namespace {

const std::string kMarker(kEndOfTextMarker);

TEST(RenderTextLines, WritesEachEntryUnchangedWithCrLfUpToTheMarker) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::string bytes;
  };
  const Case cases[] = {
      {"marker first gives nothing", {kMarker, "after"}, ""},
      {"plain lines", {"uno", "due", kMarker}, "uno\r\ndue\r\n"},
      {"empty entries are empty lines", {"", "x", "", kMarker}, "\r\nx\r\n\r\n"},
      {"blanks and trailing blanks kept", {"     ", "[aderenze] ", " " + std::string(15, ' '), kMarker},
       "     \r\n[aderenze] \r\n                \r\n"},
      {"entries behind the marker are never written", {"a", kMarker, "b", kMarker, "c"}, "a\r\n"},
      {"marker inside a longer line", {kMarker + " ", "x" + kMarker, kMarker}, kMarker + " \r\nx" + kMarker + "\r\n"},
      {"marker in another case", {"Riferimento fine del file", "RIFERIMENTO FINE DEL FILE", kMarker},
       "Riferimento fine del file\r\nRIFERIMENTO FINE DEL FILE\r\n"},
      {"no marker: the whole table", {"a", "b"}, "a\r\nb\r\n"},
      {"single bytes pass through", {"pi\xF9 avanti", kMarker}, "pi\xF9 avanti\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(render_text_lines(c.lines), c.bytes) << c.name;
  }
}

TEST(RenderTextLines, WindowsCharacterStaysOneByte) {
  const std::string bytes = render_text_lines({"gi\xF9", kMarker});
  ASSERT_EQ(bytes.size(), 5u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[2]), 249u);
}

}  // namespace
}  // namespace scenpack
