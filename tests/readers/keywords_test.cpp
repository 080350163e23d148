#include "readers/keywords.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "readers/field_reader.h"

namespace scenpack {
namespace {

// One pass finds what a test of each keyword alone finds, keywords that
// share a start or stand inside one another included.
TEST(Keywords, FindWhatEachKeywordAloneFinds) {
  constexpr std::string_view words[] = {"indicatori_v", "indicat", "cartello", "curva", "[generale]", "s"};
  constexpr Keywords keywords{"indicatori_v", "indicat", "cartello", "curva", "[generale]", "s"};
  struct Case {
    std::string_view field;
    KeywordSet want;
  } cases[] = {
      {"", 0},
      {"INDICATORI_V", 0b000011},
      {"indicatori_", 0b000010},
      {"Indicat. cartello", 0b000110},
      {"Indicatori_V sx", 0b100011},
      {"indicaT_CARTELLO", 0b000110},
      {"curv", 0},
      {"xxcurvcurvA", 0b001000},
      {"\xE0 curva \xFF", 0b001000},
      {"[Generale]", 0b010000},
      {"[generale", 0},
      {"S", 0b100000},
      {"cartell", 0},
  };
  for (const Case& c : cases) {
    const KeywordSet found = keywords.in(c.field);
    EXPECT_EQ(found, c.want) << c.field;
    for (size_t i = 0; i < std::size(words); ++i) {
      EXPECT_EQ(Keywords::has(found, i), contains_nocase(c.field, words[i])) << c.field << " / " << words[i];
    }
  }
}

// Remembering the fields seen changes no answer: fields repeated, more
// distinct fields than are remembered, fields that differ only in case or
// length, and fields too long to be remembered.
TEST(RememberedKeywords, AnswerAsTheTableDoes) {
  constexpr Keywords keywords{"indicatori_v", "indicat", "cartello", "curva", "pendenza"};
  const std::string long_field = std::string(40, 'x') + "curva";
  const std::string longest_remembered = long_field.substr(0, 32);
  const std::string_view fields[] = {
      "pendenza", "curvad1", "curvas2", "Pendenza", "pendenz", "pendenza ", "indicatori_vmax", "cartello indicatore",
      "curvad3", "x", "", long_field, "curvad1", longest_remembered, "pendenza", "indicat", "CARTELLO"};
  RememberedKeywords remembered(keywords);
  for (int round = 0; round < 3; ++round) {
    for (std::string_view f : fields) EXPECT_EQ(remembered.in(f), keywords.in(f)) << f;
    // Back and forth, so that some are remembered and some have gone.
    for (size_t i = std::size(fields); i-- > 0;) {
      EXPECT_EQ(remembered.in(fields[i]), keywords.in(fields[i])) << fields[i];
    }
  }
}

}  // namespace
}  // namespace scenpack
