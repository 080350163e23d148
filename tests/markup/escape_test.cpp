#include "markup/escape.h"

#include <gtest/gtest.h>

namespace scenpack {
namespace {

TEST(Escape, JsonStringsAreEscapedAndValidUtf8) {
  struct Case {
    std::string in, want;
  } cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"\r\n\t\x01\x7f", "\"\\r\\n\\t\\u0001\\u007f\""},
      {"caf\xc3\xa9", "\"caf\xc3\xa9\""},                 // UTF-8 kept
      {"caf\xe9", "\"caf\xc3\xa9\""},                     // a Windows-1252 byte
      {"\x93" "Roma\x94 \x80", "\"\u201CRoma\u201D \u20AC\""},  // curly quotes, euro sign
      {"\x81\xc2\x85", "\"\\u0081\\u0085\""},             // C1 controls, by byte and by UTF-8
      {"\xc3", "\"\xc3\x83\""},                           // cut sequence: the byte alone
      {"\xe0\x80\x80", "\"\xc3\xa0\u20AC\u20AC\""},       // overlong: three bytes
      {"\xef\xbf\xbf", "\"\xef\xbf\xbf\""},               // JSON may hold a non-character
      {"\x1f ~\x7f", "\"\\u001f ~\\u007f\""},            // the edges of plain printable text
  };
  for (const auto& c : cases) EXPECT_EQ(json_string(c.in), c.want) << c.in;
}

TEST(Escape, TerminalTextShowsControlBytesAsCatDoes) {
  EXPECT_EQ(terminal_text(std::string("a\x1b]0;x\x07\x1b[31mb\tc\0" "5\x7f\xe9", 19)),
            "a^[]0;x^G^[[31mb\tc^@5^?\xe9");
  EXPECT_EQ(terminal_text("plain"), "plain");
}

TEST(Escape, XmlTextHoldsNoMarkupAndOnlyCharactersXmlAllows) {
  struct Case {
    std::string in, want;
  } cases[] = {
      {"Roma - Firenze", "Roma - Firenze"},
      {"<a href=\"x\">&'", "&lt;a href=&quot;x&quot;&gt;&amp;&#39;"},
      {"a\x01\x7f" "b\tc", "ab\tc"},                 // control characters dropped
      {"a\x81\xc2\x9f" "b", "ab"},                   // C1 ones too
      {"caf\xc3\xa9", "caf\xc3\xa9"},                // UTF-8 kept
      {"caf\xe9", "caf\xc3\xa9"},                    // a Windows-1252 byte
      {"\x93" "Roma\x94", "\u201CRoma\u201D"},       // the same character as in JSON
      {"a\xef\xbf\xbe" "b\xef\xbf\xbf", "a\uFFFDb\uFFFD"},  // U+FFFE, U+FFFF replaced
      {"\xef\xb7\x90\xf0\x9f\xbf\xbf", "\uFFFD\uFFFD"},     // U+FDD0, U+1FFFF replaced
      {"\x1f ~\x7f", " ~"},                          // the edges of plain printable text
  };
  for (const auto& c : cases) EXPECT_EQ(xml_text(c.in), c.want) << c.in;
}

}  // namespace
}  // namespace scenpack
