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
      {"caf\xc3\xa9", "\"caf\xc3\xa9\""},         // UTF-8 kept
      {"caf\xe9", "\"caf\\u00e9\""},              // a single-byte character
      {"\xc3", "\"\\u00c3\""},                    // cut sequence
      {"\xe0\x80\x80", "\"\\u00e0\\u0080\\u0080\""},  // overlong
  };
  for (const auto& c : cases) EXPECT_EQ(json_string(c.in), c.want) << c.in;
}

TEST(Escape, XmlTextHoldsNoMarkupAndOnlyCharactersXmlAllows) {
  struct Case {
    std::string in, want;
  } cases[] = {
      {"Roma - Firenze", "Roma - Firenze"},
      {"<a href=\"x\">&'", "&lt;a href=&quot;x&quot;&gt;&amp;&#39;"},
      {"a\x01\x7f" "b\tc", "ab\tc"},         // control characters dropped
      {"caf\xc3\xa9", "caf\xc3\xa9"},         // UTF-8 kept
      {"caf\xe9", "caf&#233;"},                // a single-byte character
  };
  for (const auto& c : cases) EXPECT_EQ(xml_text(c.in), c.want) << c.in;
}

}  // namespace
}  // namespace scenpack
