#include "finish/check_codes.h"

#include <gtest/gtest.h>

namespace scenpack {
namespace {

// The two sums over an explicit 25-character text.
int32_t plain_sum(std::string_view s) {
  int32_t sum = 0;
  for (unsigned char c : s) sum += c;
  return sum;
}
int32_t weighted_sum(std::string_view s) {
  int32_t sum = 0;
  for (size_t i = 0; i < s.size(); ++i) sum += static_cast<unsigned char>(s[i]) * static_cast<int32_t>(i + 1);
  return sum;
}

TEST(CheckCodes, CodesOfTrainNumberNameAndFiller) {
  struct Case {
    const char* numero;
    const char* nome;
    const char* counted;  // the 25 characters that count
    int16_t og;
    int32_t st;
  } cases[] = {
      // Worked example: "1ab" and the first 22 characters of the filler.
      {"1", "ab", "1abqqrrssttuuvvwwxxyyzzpp", 2818, 38080},
      {"84", "Tarvena1", "84tarvena1qqrrssttuuvvwwx", 2654, 36656},
      {"84", "TARVENA1", "84tarvena1qqrrssttuuvvwwx", 2654, 36656},
      {"", "", "qqrrssttuuvvwwxxyyzzppkkj", 2894, 37500},
      // 25 characters or more: the filler no longer counts.
      {"1234567890", "ABCDEFGHIJKLMNOPQRSTUVWXYZ", "1234567890abcdefghijklmno", 0, 0},
      {"1234567890abcde", "fghijklmno", "1234567890abcdefghijklmno", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.numero) + "|" + c.nome);
    EXPECT_EQ(check_text(c.numero, c.nome), c.counted);
    EXPECT_EQ(codice_gara_og(c.numero, c.nome), plain_sum(c.counted));
    EXPECT_EQ(codice_gara_st(c.numero, c.nome), weighted_sum(c.counted));
    if (c.og != 0) {
      EXPECT_EQ(codice_gara_og(c.numero, c.nome), c.og);
      EXPECT_EQ(codice_gara_st(c.numero, c.nome), c.st);
    }
  }
}

// The train number comes first: the same two texts the other way round
// give other known codes (the weighted sum moves with the order; the plain
// sum moves when the 25-character cut falls elsewhere).
TEST(CheckCodes, TrainNumberComesFirst) {
  EXPECT_EQ(codice_gara_st("1", "ab"), 38080);
  EXPECT_EQ(codice_gara_st("ab", "1"), 37983);
  EXPECT_EQ(codice_gara_og("84", "Tarvena1qqrrssttuuvvwwxxyyzz"), 2654);
  EXPECT_EQ(codice_gara_og("Tarvena1qqrrssttuuvvwwxxyyzz", "84"), 2787);
}

TEST(CheckCodes, LowerCaseFollowsWindows1252) {
  struct Case {
    std::string in, want;
  } cases[] = {
      {"AZaz09_-", "azaz09_-"},
      {"\xC0\xC9\xD6\xD8\xDE", "\xE0\xE9\xF6\xF8\xFE"},  // accented capitals
      {"\xD7\xDF\xF7\xFF", "\xD7\xDF\xF7\xFF"},          // multiplication sign, sharp s, lower case: kept
      {"\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"},          // S caron, OE, Z caron, Y diaeresis
      {"\x80\x9A\xA0\xBF", "\x80\x9A\xA0\xBF"},
  };
  for (const auto& c : cases) EXPECT_EQ(lower_case_1252(c.in), c.want) << c.in;
  EXPECT_EQ(codice_gara_st("84", "\xC0ncona"), codice_gara_st("84", "\xE0ncona"));
  // Characters above 127 count with their single-byte code.
  EXPECT_EQ(codice_gara_og("", std::string(25, '\xFF')), 25 * 255);
  EXPECT_EQ(codice_gara_st("", std::string(25, '\xFF')), 255 * 325);
}

Tables sized_tables() {
  Tables t;
  EXPECT_TRUE(size_tables(t, 0));
  t.schede[85].testo = "Tarvena1";
  t.schede[86].testo = "84";
  return t;
}

TEST(CheckCodes, StoresMarkersAndCodesInTheirPlaces) {
  Tables t = sized_tables();
  EXPECT_EQ(store_check_codes(t), FaultCode::kNone);
  EXPECT_EQ(t.schede[85].intero1, 610);
  EXPECT_EQ(t.schede[85].lungo4, 36656);
  EXPECT_EQ(t.celle[1].dato1, 5121);
  EXPECT_EQ(t.celle[1].dato2, 2654);
  EXPECT_EQ(t.celle[0].dato1, 0);
}

TEST(CheckCodes, ATakenReservedPlaceStopsBeforeStoringMore) {
  struct Case {
    const char* name;
    void (*prepare)(Tables&);
    int32_t stop;
    bool markers_stored;
  } cases[] = {
      {"record 85 intero1", [](Tables& t) { t.schede[85].intero1 = 1; }, 1250, false},
      {"cell 1 dato1", [](Tables& t) { t.celle[1].dato1 = 180; }, 1250, false},
      {"record 85 lungo4", [](Tables& t) { t.schede[85].lungo4 = 7; }, 1251, true},
      {"cell 1 dato2", [](Tables& t) { t.celle[1].dato2 = -1; }, 1251, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Tables t = sized_tables();
    c.prepare(t);
    Tables before = t;
    EXPECT_EQ(code_number(store_check_codes(t)), c.stop);
    EXPECT_EQ(t.schede[85].intero1, c.markers_stored ? 610 : before.schede[85].intero1);
    EXPECT_EQ(t.celle[1].dato1, c.markers_stored ? 5121 : before.celle[1].dato1);
    EXPECT_EQ(t.schede[85].lungo4, before.schede[85].lungo4);
    EXPECT_EQ(t.celle[1].dato2, before.celle[1].dato2);
  }
}

// A line description that failed before its route length leaves no cells:
// only record 85 is tested and stored.
TEST(CheckCodes, WithoutCellsOnlyTheRecordIsStored) {
  Tables t;
  t.schede[85].testo = "Tarvena1";
  t.schede[86].testo = "84";
  EXPECT_EQ(store_check_codes(t), FaultCode::kNone);
  EXPECT_TRUE(t.celle.empty());
  EXPECT_EQ(t.schede[85].intero1, 610);
  EXPECT_EQ(t.schede[85].lungo4, 36656);

  Tables taken;
  taken.schede[85].lungo4 = 1;
  EXPECT_EQ(store_check_codes(taken), FaultCode::kReservedCodesTaken);
}

}  // namespace
}  // namespace scenpack
