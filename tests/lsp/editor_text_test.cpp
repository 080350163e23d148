#include "lsp/editor_text.h"

#include <gtest/gtest.h>

#include <string>

namespace scenpack {
namespace {

TEST(EditorTextTest, TheEditorsTextBecomesTheBytesTheFileHolds) {
  // "velocità" and the euro sign have single bytes in Windows-1252.
  const DescriptionBytes d = description_bytes("velocit\xC3\xA0 \xE2\x82\xAC\r\nx");
  EXPECT_EQ(d.bytes, "velocit\xE0 \x80\r\nx");
  EXPECT_TRUE(d.unconvertible.empty());
}

TEST(EditorTextTest, ACharacterWithoutWindows1252FormKeepsTheColumnsAndIsListed) {
  // A Greek letter (one UTF-16 unit) and an emoji (two) on line 2.
  const DescriptionBytes d = description_bytes("a\nb \xCE\xB1 \xF0\x9F\x98\x80, 5\r\n");
  EXPECT_EQ(d.bytes, "a\nb ? ??, 5\r\n");
  ASSERT_EQ(d.unconvertible.size(), 2u);
  EXPECT_EQ(d.unconvertible[0].at.line, 1);
  EXPECT_EQ(d.unconvertible[0].at.character, 2);
  EXPECT_EQ(d.unconvertible[0].character, "\xCE\xB1");
  EXPECT_EQ(d.unconvertible[1].at.character, 4);
  EXPECT_EQ(d.unconvertible[1].units, 2);
}

TEST(EditorTextTest, OnlyTheFirstUnconvertibleCharactersAreListed) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "\xCE\xB1";
  const DescriptionBytes d = description_bytes(text);
  EXPECT_EQ(d.bytes, std::string(1000, '?'));
  EXPECT_EQ(d.unconvertible.size(), DescriptionBytes::kMostListed);
  EXPECT_EQ(d.unconvertible_count, 1000u);
}

TEST(EditorTextTest, AnEditorPositionIsFoundInTheUtf8Text) {
  const std::string text = "ab\r\n\xF0\x9F\x98\x80x\xC3\xA0y\rlast";
  const struct {
    EditorPosition at;
    size_t offset;
  } cases[] = {
      {{0, 0}, 0},  {{0, 2}, 2},  {{0, 9}, 2},    // past the line's end: its end
      {{1, 2}, 8},  {{1, 3}, 9},  {{1, 4}, 11},   // the emoji counts two units
      {{2, 4}, 17}, {{9, 0}, 17},                 // past the last line: the end
  };
  for (const auto& c : cases) {
    EXPECT_EQ(utf8_offset(text, c.at), c.offset) << c.at.line << ":" << c.at.character;
  }
}

}  // namespace
}  // namespace scenpack
