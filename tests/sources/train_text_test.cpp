#include "sources/train_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "sources/text_lines.h"

namespace scenpack {
namespace {

const std::vector<std::string>& lines() { return train_description_lines(); }

bool starts_with(const std::string& s, const std::string& prefix) { return s.rfind(prefix, 0) == 0; }

// The comma-separated numbers of a row after its keyword.
std::vector<long> numbers(const std::string& row) {
  std::vector<long> out;
  std::stringstream in(row.substr(row.find(',') + 1));
  std::string field;
  while (std::getline(in, field, ',')) out.push_back(std::stol(field));
  return out;
}

TEST(TrainDescription, Has258LinesThenTheMarker) {
  ASSERT_EQ(lines().size(), static_cast<size_t>(kTrainDescriptionLines) + 1);
  EXPECT_EQ(lines().back(), kEndOfTextMarker);
  for (int i = 0; i < kTrainDescriptionLines; ++i) EXPECT_NE(lines()[i], kEndOfTextMarker) << i;
}

TEST(TrainDescription, FixedLinesStandAtTheirIndices) {
  const std::vector<std::pair<int, std::string>> fixed = {
      {1, "                      percorso uguale al treno 1552"},
      {8, "inizio_dati"},
      {9, "[generale]"},
      {10, "numero vetture,    12"},
      {11, "percentuale massa frenata,    130"},
      {12, "sabbia,    300"},
      {13, "orologio,    8               9             25 "},
      {14, "[aderenze] "},
      {15, "aderenza,       0, 75"},
      {18, "[vel_limite]"},
      {20, "velocita' limite ,     0    ,   30"},
      {34, "[stazioni]"},
      {36, "-           pos. tipo lung. t  t  m    d d r   d d d   a   o  o  o   nome"},
      {37, "-                           p  a  a    2 3 a   1 2 3   c   r  r  r"},
      {38, "-                           s  b  r        p               o  m  s"},
      {39, "stazione,      0,  8, 500,  1, 0, 0,   4,0,0,  2,1,0,  1, 8, 10, 0, ROMA TERMINI"},
      {62, "stazione, 198750,  4, 800,  0, 1, 0,   1,1,0,  4,1,1, 60, 8, 38, 0, AREZZO"},
      {72, "stazione, 267550,  6 ,600,  1, 0, 0,   0,0,0,  0,0,0,  0, 10,18, 0, FIRENZE S.M.N"},
      {73, "[segnali]"},
      {74, "-                1                     destra"},
      {75, "-                a  d1 d2 d3 ra       d1 d2 d3 ac"},
      {76, "-                v"},
      {77, "segnale,   2550, 2, 4, 1, 0, 0,     0, 2, 1, 1, 0"},
      {212, "segnale,  266650, 2, 2, 3, 0, 0,     2, 2, 1, 0, 0"},
      {213, "[codici]"},
      {214, "abbattimento codice, 5300,270"},
      {251, "[rallentamenti]"},
      {252, "rallentamento,   9300, 50, 200, 0, 1, 50"},
      {253, "rallentamento,  24300, 40, 400, 0, 1, 0"},
      {254, "rallentamento,  73950, 80, 600, 0, 1, 80"},
      {255, "rallentamento, 138400, 80, 800, 1, 1, 80"},
      {256, "rallentamento, 262800, 30, 350  1, 0, 30"},
      {257, "[fine]"},
  };
  for (const auto& [index, text] : fixed) EXPECT_EQ(lines()[index], text) << "line " << index;
  EXPECT_TRUE(starts_with(lines()[0], std::string(18, ' ') + "Treno 84 sul  percorso "));
  for (int i : {2, 3, 4, 5, 6, 7, 16, 17, 19, 35, 249, 250}) EXPECT_EQ(lines()[i], "") << "line " << i;
}

TEST(TrainDescription, SpeedLimitsFollowTheTable) {
  const std::vector<std::pair<long, long>> expected = {
      {0, 30},       {650, 95},     {4500, 90},    {7150, 110},   {16250, 200},
      {190650, 160}, {193400, 130}, {197400, 100}, {199300, 130}, {205650, 200},
      {256450, 145}, {259050, 110}, {264100, 100}, {266300, 75}};
  for (size_t n = 0; n < expected.size(); ++n) {
    const std::string& row = lines()[20 + n];
    ASSERT_TRUE(starts_with(row, "velocita' limite ,")) << row;
    EXPECT_EQ(numbers(row), (std::vector<long>{expected[n].first, expected[n].second})) << row;
  }
}

TEST(TrainDescription, StationRowsKeepTheirShape) {
  int stations = 0;
  for (int i = 39; i <= 72; ++i) {
    const std::string& row = lines()[i];
    ASSERT_TRUE(starts_with(row, i == 69 ? "-stazione," : "stazione,")) << row;
    stations += i != 69;
    EXPECT_EQ(std::count(row.begin(), row.end(), ','), 17) << row;
    const std::string name = row.substr(row.rfind(',') + 1);
    EXPECT_EQ(name[0], ' ') << row;
    EXPECT_NE(name[1], ' ') << row;
    EXPECT_NE(name.back(), ' ') << row;
  }
  EXPECT_EQ(stations, 33);
  EXPECT_EQ(lines()[69],
            "-stazione, 260400, 25, 400,  0, 0, 0,   0,0,0,  0,0,0,  0, 0,  0, 0, BIVIO ROVEZZANO");
}

// Signals: 105 rows strictly rising from 2550 to 266650; every row with
// first value 1 is followed, 1350 m on, by a row with first value 2.
TEST(TrainDescription, SignalRowsFollowThePattern) {
  std::vector<std::vector<long>> signals;
  int comments = 0, disabled = 0;
  for (int i = 77; i <= 212; ++i) {
    const std::string& row = lines()[i];
    if (starts_with(row, "segnale,")) {
      signals.push_back(numbers(row));
      ASSERT_EQ(signals.back().size(), 11u) << row;
      EXPECT_NE(row.find(",     "), std::string::npos) << row;  // five blanks between the groups
    } else if (starts_with(row, "-segnale,")) {
      ++disabled;
      EXPECT_EQ(row, "-segnale,   9100, 2, 4, 0, 0, 0,     2, 1, 0, 0, 0");
    } else {
      ASSERT_TRUE(starts_with(row, "- ")) << row;
      ++comments;
    }
  }
  ASSERT_EQ(signals.size(), 105u);
  EXPECT_EQ(disabled, 1);
  EXPECT_EQ(comments, 30);
  EXPECT_EQ(signals.front()[0], 2550);
  EXPECT_EQ(signals.back()[0], 266650);
  int distant = 0, main = 0;
  for (size_t n = 0; n < signals.size(); ++n) {
    if (n > 0) {
      EXPECT_GT(signals[n][0], signals[n - 1][0]);
    }
    if (signals[n][1] == 1) {
      ++distant;
      ASSERT_LT(n + 1, signals.size());
      EXPECT_EQ(signals[n + 1][0], signals[n][0] + 1350) << signals[n][0];
      EXPECT_EQ(signals[n + 1][1], 2) << signals[n][0];
    } else {
      EXPECT_EQ(signals[n][1], 2) << signals[n][0];
      ++main;
    }
  }
  EXPECT_EQ(distant, 44);
  EXPECT_EQ(main, 61);
}

TEST(TrainDescription, TellingSignalRowsArePresentAndUnique) {
  const std::vector<std::string> all(lines().begin() + 77, lines().begin() + 213);
  for (const char* telling : {
           "segnale,  187700, 1, 5, 7, 0, 0,     1, 3, 1, 0, 0",
           "segnale,  189050, 2, 2, 5, 7, 2,     2, 2, 1, 1, 0",
           "segnale,  197800, 2, 3, 1, 1, 0,     2, 2, 1, 1, 254",
           "segnale,  234250, 2, 4, 1, 0, 0,     2, 2, 1, 0, 120",
           "- avviso Capena",
           "- protezione Olmo",
           "- bivio Arezzo Nord",
           "- linea ll. delta di 28.600",
       }) {
    EXPECT_EQ(std::count(all.begin(), all.end(), telling), 1) << telling;
  }
  // Values 5 and 7 only at the two junctions; a non-zero last field only twice.
  int with_time = 0;
  for (const std::string& row : all) {
    if (!starts_with(row, "segnale,")) continue;
    const std::vector<long> v = numbers(row);
    with_time += v[10] != 0;
    const bool junction_values = std::find(v.begin() + 1, v.end() - 1, 5) != v.end() - 1 ||
                                 std::find(v.begin() + 1, v.end() - 1, 7) != v.end() - 1;
    const bool at_junction = v[0] == 187700 || v[0] == 189050 || v[0] == 202000 || v[0] == 203450;
    EXPECT_EQ(junction_values, at_junction) << row;
  }
  EXPECT_EQ(with_time, 2);
}

TEST(TrainDescription, CodeCutsFollowTheList) {
  const std::vector<std::pair<long, long>> expected = {
      {5300, 270},   {6100, 270},   {7250, 270},   {8200, 270},   {9200, 270},   {10600, 270},
      {11200, 270},  {12200, 270},  {13600, 270},  {14400, 270},  {15200, 270},  {16200, 270},
      {48500, 270},  {48550, 270},  {48600, 270},  {48650, 270},  {48700, 270},  {109500, 0},
      {191200, 270}, {191850, 270}, {193100, 270}, {194600, 270}, {199150, 270}, {199200, 270},
      {254500, 180}, {255100, 180}, {255700, 180}, {256300, 180}, {256900, 180}, {258900, 270},
      {260350, 270}, {261600, 270}, {262950, 270}, {263500, 270}, {264000, 270}};
  for (size_t n = 0; n < expected.size(); ++n) {
    const std::string& row = lines()[214 + n];
    const std::string bare = "abbattimento codice, " + std::to_string(expected[n].first) + "," +
                             std::to_string(expected[n].second);
    const long p = expected[n].first;
    const std::string tail = (p == 48500 || p == 48550 || p == 48600) ? " " : (p == 109500 ? "  " : "");
    EXPECT_EQ(row, bare + tail);
  }
}

TEST(TrainDescription, CommentsNeverHoldAKeywordOrAQuote) {
  // A comment line may be examined as data when three stand in a row.
  for (int i = 0; i < kTrainDescriptionLines; ++i) {
    const std::string& row = lines()[i];
    EXPECT_EQ(row.find('"'), std::string::npos) << "line " << i;
    for (unsigned char c : row) EXPECT_LT(c, 128u) << "line " << i;
    if (!starts_with(row, "- ")) continue;
    for (const char* keyword : {"segnale", "stazione", "velocit", "aderenza", "abbattimento", "rallentamento",
                                "vetture", "sabbia", "orologio", "frenata"}) {
      EXPECT_EQ(row.find(keyword), std::string::npos) << row;
    }
  }
}

}  // namespace
}  // namespace scenpack
