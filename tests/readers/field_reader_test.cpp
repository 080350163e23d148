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

// A lone CR is a line end like LF and CR LF, also right before a CR LF and
// inside an open quote. 0x1A (the old end-of-file mark) is an ordinary byte:
// kept in a text field, not a number, and the text goes on after it.
TEST(FieldReader, CarriageReturnAndControlZ) {
  FieldReader r("a\r\r\n\"open\r5\r6\rx\x1Ay\r\x1A\r7");
  EXPECT_EQ(r.text(), "a");
  EXPECT_EQ(r.text(), "");
  EXPECT_EQ(r.text(), "open");
  EXPECT_EQ(r.field_line(), 3);
  EXPECT_EQ(r.long_(), 5);
  EXPECT_EQ(r.long_(), 6);
  EXPECT_EQ(r.text(), "x\x1Ay");
  EXPECT_THROW(r.long_(), ReadFault);
  EXPECT_EQ(r.long_(), 7);
  EXPECT_EQ(r.field_line(), 8);
  EXPECT_TRUE(r.at_end());
}

TEST(FieldReader, FractionsRoundHalfToEven) {
  struct Case { const char* in; int32_t want; } cases[] = {
      {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"2.51", 3}, {"2.49", 2}, {"+7", 7}, {".5", 0}, {",", 0},
      {"-3.5", -4}, {"5.", 5}, {"-.5", 0}, {"-0.4", 0}, {"2.499999", 2}, {"2.500001", 3}, {"0.5000000", 0},
      {"000000000000000000000042", 42}, {"-0000.50", 0}, {"999999999.5", 1000000000},
      // Past seven fraction digits or ten whole ones the nearest double
      // decides: 3.4999999999999999999 is 3.5 there, a tie, rounded to 4.
      {"3.4999999999999999999", 4}, {"1000000000.5", 1000000000}, {"1000000001.5", 1000000002},
      {"2147483647.49", 2147483647}, {"-2147483648.4", INT32_MIN}, {"1.0000005", 1},
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
  EXPECT_THROW(FieldReader("123456789012345").long_(), ReadFault);
  EXPECT_THROW(FieldReader("1234567890123456789012").long_(), ReadFault);
  EXPECT_THROW(FieldReader("-2147483648.51").long_(), ReadFault);
  EXPECT_EQ(FieldReader("-2147483648").long_(), INT32_MIN);
  FieldReader r("5");
  EXPECT_EQ(r.long_(), 5);
  EXPECT_THROW(r.text(), ReadFault);
}

// A fraction is rounded before the width is checked: a tie that rounds up
// past the top of the width is a fault, one that rounds down is not.
TEST(FieldReader, RoundingAtTheEdgesOfEachWidth) {
  const std::string tiny = "0." + std::string(400, '0') + "1";
  const std::string huge = "1" + std::string(400, '0');
  EXPECT_EQ(FieldReader("254.5").byte(), 254);
  EXPECT_THROW(FieldReader("255.5").byte(), ReadFault);
  EXPECT_EQ(FieldReader("-0.5").byte(), 0);
  EXPECT_THROW(FieldReader("-0.51").byte(), ReadFault);
  EXPECT_EQ(FieldReader("32766.5").integer(), 32766);
  EXPECT_THROW(FieldReader("32767.5").integer(), ReadFault);
  EXPECT_EQ(FieldReader("-32768.5").integer(), -32768);
  EXPECT_THROW(FieldReader("2147483647.5").long_(), ReadFault);
  EXPECT_EQ(FieldReader("-2147483648.5").long_(), INT32_MIN);
  EXPECT_EQ(FieldReader(std::string_view(tiny)).long_(), 0);
  EXPECT_THROW(FieldReader(std::string_view(huge)).long_(), ReadFault);
  for (const char* not_a_number : {"nan", "inf", "1e5", "0x10", "+-1", ".", "-", "1.2.3"}) {
    EXPECT_THROW(FieldReader(not_a_number).long_(), ReadFault) << not_a_number;
  }
}

// Rows as the working line description holds them: padded numbers, a
// negative number after blanks, text after a number, trailing blanks.
TEST(FieldReader, AwkwardRowsOfTheLineDescription) {
  FieldReader r(
      "[generale]                        \r\n"
      "progressiva chilometrica due,    206200,    -6550,    0\r\n"
      "montagna,   87100,  87150,  2\r\n"
      "indicatori_vmax,192050,115,120,130, 2,115,120,130, 2\r\n"
      "cartello indicatore,  6200,     ( DOPPIO  ) ( BIVIO  ) (NOMENTANO)\r\n"
      "cartello indicatore,  266250,     (CAVALCAVIA) ( STATUTO )         \r\n"
      "dall'inizio a causa dell'allungamento del percorso, pertanto inizira` \r\n"
      "[fine]\r\n"
      "                \r\n");
  EXPECT_EQ(r.text(), "[generale]                        ");
  EXPECT_EQ(r.text(), "progressiva chilometrica due");
  for (int32_t want : {206200, -6550, 0}) EXPECT_EQ(r.long_(), want);
  EXPECT_EQ(r.text(), "montagna");
  for (int32_t want : {87100, 87150, 2}) EXPECT_EQ(r.long_(), want);
  EXPECT_EQ(r.text(), "indicatori_vmax");
  for (int32_t want : {192050, 115, 120, 130, 2, 115, 120, 130, 2}) EXPECT_EQ(r.long_(), want);
  EXPECT_EQ(r.text(), "cartello indicatore");
  EXPECT_EQ(r.long_(), 6200);
  EXPECT_EQ(r.text(), "( DOPPIO  ) ( BIVIO  ) (NOMENTANO)");
  EXPECT_EQ(r.text(), "cartello indicatore");
  EXPECT_EQ(r.long_(), 266250);
  EXPECT_EQ(r.text(), "(CAVALCAVIA) ( STATUTO )         ");
  EXPECT_EQ(r.field_line(), 6);
  // A comment line with a comma is two fields.
  EXPECT_EQ(r.text(), "dall'inizio a causa dell'allungamento del percorso");
  EXPECT_EQ(r.text(), "pertanto inizira` ");
  EXPECT_EQ(r.text(), "[fine]");
  EXPECT_FALSE(r.at_end());
  // The closing line of blanks is one empty field, and the last.
  EXPECT_EQ(r.text(), "");
  EXPECT_EQ(r.field_line(), 9);
  EXPECT_TRUE(r.at_end());
}

// The end of the file is reached by the read that takes the last field,
// whether or not a line end follows it; blank lines after it are fields.
TEST(FieldReader, EndOfFileComesWithTheLastField) {
  struct Case {
    const char* text;
    int fields_before_end;
  } cases[] = {
      {"a\r\nb\r\n", 2}, {"a\r\nb", 2}, {"a\nb\n", 2}, {"a\rb\r", 2},
      {"a\r\n\r\n", 2},  // an empty line is a field
      {"a, 5   \r\n", 2}, {"a,", 1}, {"a", 1},
  };
  for (const Case& c : cases) {
    FieldReader r(c.text);
    int fields = 0;
    while (!r.at_end()) {
      r.text();
      ++fields;
    }
    EXPECT_EQ(fields, c.fields_before_end) << c.text;
    EXPECT_THROW(r.text(), ReadFault) << c.text;
  }
}

TEST(FieldReader, NumericFieldEndsAtBlankCommaOrLineEnd) {
  FieldReader r("1 2,3\t4\r\n5\n6\r7 ,  \r\n8");
  for (int32_t want : {1, 2, 3, 4, 5, 6, 7, 0, 8}) EXPECT_EQ(r.long_(), want);
  EXPECT_TRUE(r.at_end());
}

// Whole numbers of a sign and digits, as most fields hold them: the value,
// where the field ends, the field after it, and the text a refusal names.
TEST(FieldReader, WholeNumbersEndTheirFieldAndNameThemselvesWhenTooWide) {
  struct Case { const char* row; int32_t want; int end_column; const char* refused; } cases[] = {
      {"  +12 ,7", 12, 6, nullptr},
      {"-0\t7", 0, 3, nullptr},
      {"000000000000042,7", 42, 16, nullptr},     // fifteen digits
      {"0000000000000042 7", 42, 17, nullptr},    // sixteen: read the longer way
      {"-2147483648\r\n7", INT32_MIN, 12, nullptr},
      {" 2147483648, 7", 0, 12, "value 2147483648 does not fit a Long"},
      {"999999999999999,7", 0, 16, "value 999999999999999 does not fit a Long"},
      {"-2147483649 ,7", 0, 12, "value -2147483649 does not fit a Long"},
      {"12x, 7", 0, 0, "not a number: \"12x\""},
      {"- 7", 0, 0, "not a number: \"-\""},
  };
  for (const auto& c : cases) {
    FieldReader r(c.row);
    try {
      EXPECT_EQ(r.long_(), c.want) << c.row;
      EXPECT_EQ(c.refused, nullptr) << c.row;
      EXPECT_EQ(r.field_end_column(), c.end_column) << c.row;
      EXPECT_EQ(r.long_(), 7) << c.row;
      EXPECT_TRUE(r.at_end()) << c.row;
    } catch (const ReadFault& f) {
      ASSERT_NE(c.refused, nullptr) << c.row << ": " << f.what;
      EXPECT_EQ(f.what, c.refused) << c.row;
      EXPECT_EQ(f.line, 1) << c.row;
      EXPECT_EQ(f.column, static_cast<int>(std::string_view(c.row).find_first_not_of(' ')) + 1) << c.row;
    }
  }
}

TEST(FieldReader, FaultCarriesTheLineOfTheField) {
  FieldReader r("pendenza, 500, -7\r\npendenza, 1O00, 3\r\n");
  r.text();
  r.long_();
  r.long_();
  r.text();
  try {
    r.long_();
    FAIL() << "1O00 was read as a number";
  } catch (const ReadFault& f) {
    EXPECT_EQ(f.line, 2);
  }
}

TEST(FieldReader, KeywordTests) {
  EXPECT_TRUE(contains_nocase("Velocita' limite ", "VELOCIT"));
  EXPECT_FALSE(contains("Progressiva", "progressiva"));
  EXPECT_TRUE(contains("progressiva chilometrica uno", "uno"));
}

}  // namespace
}  // namespace scenpack
