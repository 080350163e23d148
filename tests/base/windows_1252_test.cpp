#include "base/windows_1252.h"

#include <gtest/gtest.h>

#include <string>

namespace scenpack {
namespace {

TEST(Windows1252, BytesStandForTheirCharacters) {
  struct Case {
    unsigned char byte;
    char32_t character;
  } cases[] = {
      {'A', U'A'},        {0x00, 0x0000},     {0x7F, 0x007F},   // ASCII
      {0x80, U'\u20AC'},  {0x93, U'\u201C'},  {0x94, U'\u201D'},  // euro sign, curly quotes
      {0x8A, U'\u0160'},  {0x96, U'\u2013'},  {0x9F, U'\u0178'},
      {0x81, 0x0081},     {0x8D, 0x008D},     {0x8F, 0x008F},   // the five unassigned bytes
      {0x90, 0x0090},     {0x9D, 0x009D},
      {0xA0, 0x00A0},     {0xE9, U'\u00E9'},  {0xF9, U'\u00F9'}, {0xFF, U'\u00FF'},  // Latin-1
  };
  for (const auto& c : cases) EXPECT_EQ(windows_1252_code_point(c.byte), c.character) << int(c.byte);
}

TEST(Windows1252, EveryByteDecodesToUtf8AndEncodesBack) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = utf8_from_windows_1252(all);
  const std::optional<std::string> back = windows_1252_from_utf8(utf8);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, all);
  EXPECT_EQ(utf8_from_windows_1252("\x93" "caff\xE8\x94 \x80"), "\u201C" "caff\u00E8\u201D \u20AC");
}

TEST(Windows1252, TextsWithoutAWindows1252FormAreRefusedAtTheirCharacter) {
  struct Case {
    std::string utf8;
    size_t bad_offset;
  } cases[] = {
      {"ab\u0100", 2},             // Latin Extended-A beyond the table
      {"\u20AC\u4E2D", 3},         // a CJK character after a euro sign
      {"x\u0080", 1},              // U+0080 (0x80 is the euro sign here)
      {"ok\xC3", 2},               // a cut sequence
      {"\xC0\xAF", 0},             // overlong
      {"\xED\xA0\x80", 0},         // a surrogate
  };
  for (const auto& c : cases) {
    size_t offset = 99;
    EXPECT_EQ(windows_1252_from_utf8(c.utf8, &offset), std::nullopt) << c.utf8;
    EXPECT_EQ(offset, c.bad_offset) << c.utf8;
  }
  EXPECT_EQ(windows_1252_from_utf8("\u2018Roma\u2019"), std::string("\x91Roma\x92"));
}

}  // namespace
}  // namespace scenpack
