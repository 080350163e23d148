#include "base/utf8.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace scenpack {
namespace {

TEST(Utf8, WellFormedSequencesAreFoundAndOthersAreNot) {
  struct Case {
    std::string bytes;
    size_t length;
    char32_t character;
  } cases[] = {
      {"\xC3\xA9", 2, U'\u00E9'},
      {"\xE2\x82\xAC", 3, U'\u20AC'},
      {"\xF0\x9F\x9A\x86", 4, U'\U0001F686'},
      {"\xF4\x8F\xBF\xBF", 4, 0x10FFFF},
      {"A", 0, 0},                 // ASCII is no multi-byte sequence
      {"\xE9", 0, 0},              // a lone Windows-1252 byte
      {"\xE2\x82", 0, 0},          // cut at the end
      {"\xC0\x80", 0, 0},          // overlong
      {"\xE0\x80\x80", 0, 0},      // overlong
      {"\xED\xB0\x80", 0, 0},      // a surrogate
      {"\xF4\x90\x80\x80", 0, 0},  // beyond U+10FFFF
      {"", 0, 0},                  // past the end
  };
  for (const auto& c : cases) {
    char32_t got = 0;
    EXPECT_EQ(utf8_sequence(c.bytes, 0, &got), c.length) << c.bytes;
    EXPECT_EQ(got, c.character) << c.bytes;
  }
}

TEST(Utf8, CharactersAreWrittenAndReadBack) {
  for (const char32_t c : {U'A', U'\u00E9', U'\u07FF', U'\u0800', U'\uFFFD', U'\U00010000', U'\U0010FFFF'}) {
    std::string s;
    append_utf8(s, c);
    char32_t back = 0;
    EXPECT_EQ(utf8_sequence(s, 0, &back), c < 0x80 ? 0u : s.size());
    if (c >= 0x80) {
      EXPECT_EQ(back, c);
    }
  }
  std::string bad;
  append_utf8(bad, 0xD800);
  append_utf8(bad, 0x110000);
  EXPECT_EQ(bad, "\uFFFD\uFFFD");
}

TEST(Utf8, NoncharactersAreTheOnesUnicodeKeepsOut) {
  for (const uint32_t c : {0xFDD0u, 0xFDEFu, 0xFFFEu, 0xFFFFu, 0x1FFFEu, 0x10FFFFu}) {
    EXPECT_TRUE(is_noncharacter(c)) << c;
  }
  for (const uint32_t c : {0xFDCFu, 0xFDF0u, 0xFFFDu, 0x10000u, 0x41u}) EXPECT_FALSE(is_noncharacter(c)) << c;
}

}  // namespace
}  // namespace scenpack
