#include "sources/line_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "sources/text_lines.h"

namespace scenpack {
namespace {

const std::vector<std::string>& lines() { return line_description_lines(); }

bool starts_with(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// The whole number that follows the n-th comma of a row (1 = first comma).
long number_after_comma(const std::string& row, int n) {
  size_t at = 0;
  for (int i = 0; i < n; ++i) at = row.find(',', at) + 1;
  return std::stol(row.substr(at));
}

struct Section {
  int first, last;  // line indices, inclusive
};

// Rows of lines[first..last] that start with `keyword`.
std::vector<std::string> rows(Section s, const std::string& keyword) {
  std::vector<std::string> out;
  for (int i = s.first; i <= s.last; ++i)
    if (starts_with(lines()[i], keyword)) out.push_back(lines()[i]);
  return out;
}

TEST(LineDescription, Has306LinesThenTheMarker) {
  ASSERT_EQ(lines().size(), static_cast<size_t>(kLineDescriptionLines) + 1);
  EXPECT_EQ(lines().back(), kEndOfTextMarker);
  for (int i = 0; i < kLineDescriptionLines; ++i) EXPECT_NE(lines()[i], kEndOfTextMarker) << i;
}

TEST(LineDescription, FixedLinesStandAtTheirIndices) {
  const std::vector<std::pair<int, std::string>> fixed = {
      {1, "Percorso dd con uscita ad Arezzo Sud ed ingresso ad Arezzo Nord"},
      {14, "dall'inizio a causa dell'allungamento del percorso, pertanto inizira` "},
      {34, "inizio dati"},
      {35, "     "},
      {36, "[generale]                        "},
      {37, "lunghezza percorso,    270000"},
      {38, "progressiva chilometrica uno,    263600,    46500,    0"},
      {39, "progressiva chilometrica due,    206200,    -6550,    0"},
      {40, "progressiva chilometrica tre,    190600,    28600,    0"},
      {41, "sfondo uno,    1"},
      {42, "sfondo due,    250000"},
      {43, "sfondo tre,    0"},
      {44, "ripetizione segnali 9 codici,    4900,    266650"},
      {45, "[pendenze]"},
      {46, "pendenza  , 500    , -7"},
      {140, "pendenza  , 267050   , 0"},
      {143, "[curve]"},
      {144, "curvad2,   500,  300"},
      {221, "curvas6, 266450,  300"},
      {223, "[cartelli]"},
      {224, "indicatori_vmax,  1050, 85, 90, 95, 0, 85, 90, 95, 0"},
      {244, "indicatori_vmax,265300, 60, 70, 75, 0, 60, 70, 75, 0"},
      {245, "[montagne]"},
      {246, "montagna, 19400,21300,11"},
      {261, "montagna,   87100,  87150,  2"},
      {289, "[indicazioni]"},
      {292, "cartello indicatore,  6200,     ( DOPPIO  ) ( BIVIO  ) (NOMENTANO)"},
      {304, "[fine]"},
      {305, "                "},
  };
  for (const auto& [index, text] : fixed) EXPECT_EQ(lines()[index], text) << "line " << index;
  EXPECT_TRUE(starts_with(lines()[0], "Percorso "));
  EXPECT_EQ(lines()[303], "cartello indicatore,266250,     (CAVALCAVIA) ( STATUTO )         ");
}

TEST(LineDescription, EmptyLinesStandWhereTheLayoutPutsThem) {
  for (int i : {10, 18, 23, 28, 33, 141, 142, 222, 260, 286, 287, 288, 290, 291, 296, 297, 298})
    EXPECT_EQ(lines()[i], "") << "line " << i;
  // Everything else outside the comment block carries text.
  for (int i = 34; i < kLineDescriptionLines; ++i) {
    bool meant_empty = false;
    for (int e : {141, 142, 222, 260, 286, 287, 288, 290, 291, 296, 297, 298}) meant_empty |= i == e;
    if (!meant_empty) {
      EXPECT_NE(lines()[i], "") << "line " << i;
    }
  }
}

TEST(LineDescription, GradientRowsCountAndRise) {
  const auto gradients = rows({46, 140}, "pendenza  , ");
  ASSERT_EQ(gradients.size(), 95u);
  long previous = 0;
  for (const std::string& row : gradients) {
    const long position = number_after_comma(row, 1);
    const long value = number_after_comma(row, 2);
    EXPECT_GE(position, previous) << row;
    EXPECT_GE(value, -10) << row;
    EXPECT_LE(value, 12) << row;
    // Padded to seven characters up to 42000, three blanks after it later.
    const std::string field = row.substr(12, row.find(',', 12) - 12);
    if (position <= 42000) {
      EXPECT_EQ(field.size(), 7u) << row;
    } else {
      EXPECT_EQ(field, std::to_string(position) + "   ") << row;
    }
    previous = position;
  }
  const std::string twin_a = "pendenza  , 265350   , 4", twin_b = "pendenza  , 265350   , 0";
  for (int i = 46; i < 140; ++i) {
    if (lines()[i] == twin_a) {
      EXPECT_EQ(lines()[i + 1], twin_b);
    }
  }
  for (const char* telling : {"pendenza  , 2000   , -10", "pendenza  , 189500   , 12", twin_a.c_str()}) {
    EXPECT_EQ(std::count(gradients.begin(), gradients.end(), telling), 1) << telling;
  }
}

TEST(LineDescription, CurveRowsCountRiseAndDoNotOverlap) {
  const auto curves = rows({144, 221}, "curva");
  ASSERT_EQ(curves.size(), 75u);
  const auto comments = rows({144, 221}, "- ");
  EXPECT_EQ(comments, (std::vector<std::string>{"- Roma Tiburtina", "- protezione di arezzo 197800",
                                                "- bivio Arezzo Nord"}));
  long previous_end = 0;
  int class_six = 0;
  for (const std::string& row : curves) {
    ASSERT_GE(row.size(), 7u);
    EXPECT_TRUE(row[5] == 'd' || row[5] == 's') << row;
    EXPECT_TRUE(row[6] >= '1' && row[6] <= '6') << row;
    class_six += row[6] == '6';
    const long start = number_after_comma(row, 1);
    EXPECT_GT(start, previous_end) << row;
    previous_end = start + number_after_comma(row, 2);
  }
  EXPECT_EQ(class_six, 1);
}

TEST(LineDescription, SpeedBoardRowsCountRiseAndHoldTheTellingRows) {
  const auto boards = rows({224, 244}, "indicatori_vmax,");
  ASSERT_EQ(boards.size(), 21u);
  long previous = 0;
  for (const std::string& row : boards) {
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 9) << row;
    EXPECT_GT(number_after_comma(row, 1), previous) << row;
    previous = number_after_comma(row, 1);
  }
  for (const char* telling : {
           "indicatori_vmax,190650,140,155,160, 0,140,165,160, 0",
           "indicatori_vmax,192050,115,120,130, 2,115,120,130, 2",
           "indicatori_vmax,192300,115,120,130, 1,115,120,130, 1",
           "indicatori_vmax,192550,115,120,130, 0,115,120,130, 0",
           "indicatori_vmax,254800,125,135,145, 2,125,135,145, 2",
           "indicatori_vmax,255150,125,135,145, 1,125,135,145, 1",
           "indicatori_vmax,255450,125,135,145, 0,125,135,145, 0",
       }) {
    EXPECT_EQ(std::count(boards.begin(), boards.end(), telling), 1) << telling;
  }
}

TEST(LineDescription, TunnelRowsUseTheStatedKindsAndLayouts) {
  const auto tunnels = rows({246, 285}, "montagna,");
  ASSERT_EQ(tunnels.size(), 39u);
  std::vector<long> kinds;
  for (const std::string& row : tunnels) {
    const long kind = number_after_comma(row, 3);
    if (std::find(kinds.begin(), kinds.end(), kind) == kinds.end()) kinds.push_back(kind);
  }
  std::sort(kinds.begin(), kinds.end());
  EXPECT_EQ(kinds, (std::vector<long>{1, 2, 3, 11, 12, 13}));
  for (int i = 246; i <= 285; ++i) {
    if (i == 260) continue;
    const bool spaced = i >= 261 && i <= 266;
    EXPECT_EQ(starts_with(lines()[i], "montagna,  "), spaced) << "line " << i;
  }
  EXPECT_EQ(std::count(tunnels.begin(), tunnels.end(), "montagna, 222800,114100,11"), 1);
}

TEST(LineDescription, IndicationBoardsStandAtTheStatedPositions) {
  const auto boards = rows({290, 303}, "cartello indicatore,");
  std::vector<long> positions;
  for (const std::string& row : boards) {
    positions.push_back(number_after_comma(row, 1));
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 2) << row;  // the text holds no comma
  }
  EXPECT_EQ(positions, (std::vector<long>{6200, 6250, 64750, 65100, 256400, 259000, 260200, 260250, 266250}));
}

TEST(LineDescription, NoCommentOrTextCarriesAQuoteOrTheGeneralMarkerEarly) {
  for (int i = 0; i < kLineDescriptionLines; ++i) {
    EXPECT_EQ(lines()[i].find('"'), std::string::npos) << "line " << i;
    if (i < 36) {
      EXPECT_EQ(lines()[i].find("[generale]"), std::string::npos) << "line " << i;
    }
    for (unsigned char c : lines()[i]) EXPECT_LT(c, 128u) << "line " << i;
  }
}

}  // namespace
}  // namespace scenpack
