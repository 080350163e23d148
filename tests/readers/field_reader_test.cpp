#include "readers/field_reader.h"

#include <gtest/gtest.h>

#include "readers/read_fault.h"

namespace scenpack {
namespace {

TEST(FieldReader, GradientRowIsThreeFields) {
  FieldReader r("pendenza  , 500    , -7\r\nx");
  EXPECT_EQ(r.text(), "pendenza  ");
  EXPECT_EQ(r.long_(), 500);
  EXPECT_EQ(r.long_(), -7);
  EXPECT_EQ(r.line(), 2);
  EXPECT_FALSE(r.at_end());
  EXPECT_EQ(r.text(), "x");
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, NumbersSeparatedByBlanksOnly) {
  FieldReader r("orologio,    8               9             25 \r\n[aderenze] \r\n");
  EXPECT_EQ(r.text(), "orologio");
  EXPECT_EQ(r.integer(), 8);
  EXPECT_EQ(r.integer(), 9);
  EXPECT_EQ(r.integer(), 25);
  EXPECT_EQ(r.text(), "[aderenze] ");
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, RowWithoutCommaGivesSameNumbers) {
  FieldReader r("rallentamento, 262800, 30, 350  1, 0, 30\r\n");
  EXPECT_EQ(r.text(), "rallentamento");
  for (int32_t want : {262800, 30, 350, 1, 0, 30}) EXPECT_EQ(r.long_(), want);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, EmptyLinesQuotesAndLineEnds) {
  FieldReader r("\r\n\"a, b\" tail,next\rlone\nlast");
  EXPECT_EQ(r.text(), "");
  EXPECT_EQ(r.text(), "a, b");
  EXPECT_EQ(r.text(), "next");
  EXPECT_EQ(r.field_line(), 2);
  EXPECT_EQ(r.text(), "lone");
  EXPECT_EQ(r.field_line(), 3);
  EXPECT_EQ(r.text(), "last");
  EXPECT_EQ(r.field_line(), 4);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, FractionsRoundHalfToEven) {
  struct Case { const char* in; int32_t want; } cases[] = {
      {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"2.51", 3}, {"2.49", 2}, {"+7", 7}, {".5", 0}, {",", 0},
  };
  for (const auto& c : cases) {
    FieldReader r(c.in);
    EXPECT_EQ(r.long_(), c.want) << c.in;
  }
}

TEST(FieldReader, FaultsOnBadNumbersWidthsAndEnd) {
  EXPECT_THROW(FieldReader("abc").long_(), ReadFault);
  EXPECT_THROW(FieldReader("12x").long_(), ReadFault);
  EXPECT_THROW(FieldReader("256").byte(), ReadFault);
  EXPECT_THROW(FieldReader("-1").byte(), ReadFault);
  EXPECT_THROW(FieldReader("32768").integer(), ReadFault);
  EXPECT_THROW(FieldReader("2147483648").long_(), ReadFault);
  EXPECT_EQ(FieldReader("-2147483648").long_(), INT32_MIN);
  FieldReader r("5");
  EXPECT_EQ(r.long_(), 5);
  EXPECT_THROW(r.text(), ReadFault);
}

TEST(FieldReader, KeywordTests) {
  EXPECT_TRUE(contains_nocase("Velocita' limite ", "VELOCIT"));
  EXPECT_FALSE(contains("Progressiva", "progressiva"));
  EXPECT_TRUE(contains("progressiva chilometrica uno", "uno"));
}

}  // namespace
}  // namespace scenpack
