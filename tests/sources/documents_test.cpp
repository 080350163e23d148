#include "sources/documents.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "sources/line_text.h"
#include "sources/train_text.h"

namespace scenpack {
namespace {

const std::string kMarker = "riferimento fine del file";

// The lines a document writes: the entries before the end marker.
std::vector<std::string> written_lines(const std::vector<std::string>& table) {
  std::vector<std::string> lines;
  for (const std::string& entry : table) {
    if (entry == kMarker) return lines;
    lines.push_back(entry);
  }
  ADD_FAILURE() << "table without end marker";
  return lines;
}

// Inner widths between the bars of a table row drawn as " |...|...|"; the
// text after the last bar goes to `tail`.
std::vector<std::size_t> column_widths(const std::string& row, std::string* tail) {
  std::vector<std::size_t> widths;
  if (row.rfind(" |", 0) != 0) return widths;
  std::size_t bar = 1;
  for (std::size_t next = row.find('|', bar + 1); next != std::string::npos;
       next = row.find('|', bar + 1)) {
    widths.push_back(next - bar - 1);
    bar = next;
  }
  *tail = row.substr(bar + 1);
  return widths;
}

TEST(Documents, EachTableEndsWithTheMarkerAfterItsLines) {
  struct Case {
    const char* name;
    const std::vector<std::string>& table;
    std::size_t lines;
  };
  const Case cases[] = {{"scheda", train_sheet_lines(), 68},
                        {"rallentamenti", slow_order_form_lines(), 56},
                        {"note", notes_lines(), 53}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.table.size(), c.lines + 1);
    EXPECT_EQ(c.table.back(), kMarker);
    EXPECT_EQ(written_lines(c.table).size(), c.lines);
  }
}

TEST(Documents, FixedLinesStandAtTheirIndex) {
  const std::string r1 =
      " |_____|_____|__________|_____|____________________________|________________|_____|";
  const std::string r2 =
      " |___|_____________________________|____________|__________|_________|____________|";
  const std::string e2 =
      " |   |                             |            |          |         |            |";
  struct Case {
    const std::vector<std::string>& table;
    std::size_t index;
    std::string text;
  };
  const std::vector<std::string>& scheda = train_sheet_lines();
  const std::vector<std::string>& rall = slow_order_form_lines();
  const std::vector<std::string>& note = notes_lines();
  const Case cases[] = {
      {scheda, 0, ""},
      {scheda, 1, " "},
      {scheda, 11, ""},
      {scheda, 15, r1},
      {scheda, 16,
       " |  30 |     |    0     |  30 | ROMA Termini               |           8.10 |     |"},
      {scheda, 61,
       " |     |     |  314.050 |     |(a) FIRENZE S.M.N.          | 10.18          | 2   |"},
      {scheda, 62, r1},
      {scheda, 63, ""},
      {scheda, 64, "                                    Note:"},
      {scheda, 65, ""},
      {scheda, 66, " (a) : Localita` di servizio sulla linea lenta"},
      {scheda, 67, std::string(24, ' ')},
      {rall, 0, ""},
      {rall, 1, ""},
      {rall, 2, ""},
      {rall, 3, "                                  Modulo M. 3"},
      {rall, 4, "                              ORDINE DI RALLENTAMENTO"},
      {rall, 7, "  |"},
      {rall, 8, " Si ordina al macchinista del treno 84 di effettura i seguenti rallentamenti:"},
      {rall, 13, r2},
      {rall, 14,
       " | 1 |ROMA TIBURTINA-P.C.SETTEBAGNI|      9     |    50    |  200    |   ---      |"},
      {rall, 19, e2},
      {rall, 44, e2},
      {rall, 45, r2},
      {rall, 46, ""},
      {rall, 47, "                               Prescrizioni specifiche"},
      {rall, 48, ""},
      {rall, 49, " A - Da rispettare con tutto il treno (per i treni viaggiatori)"},
      {rall, 50, " B - Interessa anche la stazione di FIRENZE CAMPO MARTE"},
      {rall, 51, " D - Rallentamneto N. ... e N. ...  sono contigui"},
      {rall, 52, " C - Da rispettare dalle ore ....  alle ore ..... di tutti"},
      {rall, 53, "     i giorni esclusi i seguenti:........."},
      {rall, 54, " D - Segnale di avviso non preceduto da tavole distanziometriche"},
      {rall, 55, ""},
      {note, 0, ""},
      {note, 2, ""},
      {note, 24, ""},
      {note, 25, " Attenzione a:"},
      {note, 34, ""},
      {note, 35, "MODIFICHE DEL TRACCIATO (luglio 2001)"},
      {note, 51, ""},
  };
  for (const Case& c : cases) {
    ASSERT_LT(c.index, c.table.size());
    EXPECT_EQ(c.table[c.index], c.text) << "line " << c.index;
  }
  // Rows 19 to 44 of the slow-order form are all the empty row.
  for (std::size_t i = 19; i <= 44; ++i) EXPECT_EQ(rall[i], e2) << "line " << i;
}

TEST(Documents, TrainSheetRowsHaveTheColumnWidths) {
  const std::vector<std::size_t> widths{5, 5, 10, 5, 28, 16, 5};
  const std::string bridge =
      " | 110 |     |  252.500 | 110 | P.te fiume Arno Km 252.500 |      10.08     |     |  ";
  const std::vector<std::string>& scheda = train_sheet_lines();
  int bridge_rows = 0;
  for (std::size_t i = 13; i <= 62; ++i) {
    std::string tail;
    EXPECT_EQ(column_widths(scheda[i], &tail), widths) << "line " << i << ": " << scheda[i];
    if (scheda[i] == bridge) {
      ++bridge_rows;
      EXPECT_EQ(tail, "  ");
    } else {
      EXPECT_EQ(tail, "") << "line " << i;
    }
  }
  EXPECT_EQ(bridge_rows, 1);
  EXPECT_EQ(scheda[13].find("Vel."), 2u);
  EXPECT_NE(scheda[13].find("Progr Km"), std::string::npos);
  EXPECT_NE(scheda[13].find("Localita' di Servizio"), std::string::npos);
}

TEST(Documents, SlowOrderFormRowsHaveTheColumnWidths) {
  const std::vector<std::size_t> widths{3, 29, 12, 10, 9, 12};
  const std::vector<std::string>& rall = slow_order_form_lines();
  for (std::size_t i = 10; i <= 45; ++i) {
    std::string tail;
    EXPECT_EQ(column_widths(rall[i], &tail), widths) << "line " << i << ": " << rall[i];
    EXPECT_EQ(tail, "") << "line " << i;
  }
  // The route line is closed by a bar above the table's last bar.
  EXPECT_EQ(rall[6].rfind("  Linea  ", 0), 0u);
  EXPECT_NE(rall[6].find("linea direttissima"), std::string::npos);
  EXPECT_EQ(rall[6].size(), rall[13].size());
  EXPECT_EQ(rall[6].back(), '|');
}

// Text of one column of a table row, blanks trimmed.
std::string cell(const std::string& row, std::size_t column) {
  std::size_t start = 1;
  for (std::size_t c = 0; c <= column; ++c) {
    start = row.find('|', start) + 1;
    if (start == 0) return "";
  }
  const std::size_t end = row.find('|', start);
  if (end == std::string::npos) return "";
  std::string text = row.substr(start, end - start);
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Chainage in metres from the "Progr Km" column ("0", "189.050").
long chainage_metres(const std::string& km) {
  const std::size_t dot = km.find('.');
  if (dot == std::string::npos) return std::stol(km) * 1000;
  return std::stol(km.substr(0, dot)) * 1000 + std::stol(km.substr(dot + 1));
}

TEST(Documents, TimetableChainageRisesExceptAtTheThreeSectionChanges) {
  const std::vector<std::string>& scheda = train_sheet_lines();
  std::vector<std::pair<long, long>> drops_and_jumps;
  long previous = chainage_metres(cell(scheda[16], 2));
  EXPECT_EQ(previous, 0);
  for (std::size_t i = 17; i <= 61; ++i) {
    const long km = chainage_metres(cell(scheda[i], 2));
    if (km <= previous || km - previous > 25000) drops_and_jumps.push_back({previous, km});
    previous = km;
  }
  const std::vector<std::pair<long, long>> expected{
      {189050, 219225}, {232050, 199650}, {257050, 310600}};
  EXPECT_EQ(drops_and_jumps, expected);
}

TEST(Documents, TimetableAgreesWithTheTrainDescription) {
  const std::vector<std::string>& scheda = train_sheet_lines();
  struct Stop {
    const char* place;
    const char* km;
    const char* time;
  };
  const Stop stops[] = {{"ROMA Termini", "0", "8.10"},
                        {"ROMA Tiburtina", "4.500", nullptr},
                        {"P.C. Capena", "32.250", nullptr},
                        {"Bivio Arezzo Sud", "189.050", nullptr},
                        {"(a) Olmo", "221.400", nullptr},
                        {"(a) AREZZO", "227.350", "9.38     9.39"},
                        {"(a) Bivio Arezzo Nord", "232.050", nullptr},
                        {"P.te fiume Arno Km 252.500", "252.500", "10.08"},
                        {"(a) FIRENZE Campo Marte", "257.050", nullptr},
                        {"(a) FIRENZE S.M.N.", "314.050", "10.18"}};
  std::size_t row = 16;
  for (const Stop& s : stops) {
    while (row <= 61 && cell(scheda[row], 4) != s.place) ++row;
    ASSERT_LE(row, 61u) << s.place << " missing or out of travel order";
    EXPECT_EQ(cell(scheda[row], 2), s.km) << s.place;
    if (s.time != nullptr) {
      EXPECT_EQ(cell(scheda[row], 5), s.time) << s.place;
    }
  }
  // Speed limits of the train description, in the order the train meets them.
  std::vector<std::string> speeds;
  for (std::size_t i = 16; i <= 61; ++i) {
    const std::string v = cell(scheda[i], 0);
    if (v.empty()) continue;
    speeds.push_back(v);
    EXPECT_EQ(cell(scheda[i], 3), v) << "line " << i;
  }
  const std::vector<std::string> limits{"30",  "95",  "90",  "110", "200", "160", "130",
                                        "100", "130", "200", "145", "110", "100", "75"};
  EXPECT_EQ(speeds, limits);
}

TEST(Documents, SlowOrderFormListsTheFiveSlowOrders) {
  const std::vector<std::string>& rall = slow_order_form_lines();
  struct Order {
    const char* between;
    const char* km;
    const char* speed;
    const char* length;
    const char* prescriptions;
  };
  const Order orders[] = {{"ROMA TIBURTINA-P.C.SETTEBAGNI", "9", "50", "200", "---"},
                          {"PC SETTEBAGNI - PC CAPENA", "24", "40", "400", "---"},
                          {"PC BASSANO", "73", "80", "600", "---"},
                          {"PC CITTA` DELLA PIEVE", "138", "80", "800", "A"},
                          {"BIVIO ROVEZZANO-FIRENZE C.M.", "256", "30", "350", "A B D"}};
  for (std::size_t n = 0; n < 5; ++n) {
    const std::string& row = rall[14 + n];
    EXPECT_EQ(cell(row, 0), std::to_string(n + 1));
    EXPECT_EQ(cell(row, 1), orders[n].between);
    EXPECT_EQ(cell(row, 2), orders[n].km);
    EXPECT_EQ(cell(row, 3), orders[n].speed);
    EXPECT_EQ(cell(row, 4), orders[n].length);
    EXPECT_EQ(cell(row, 5), orders[n].prescriptions);
  }
}

TEST(Documents, NotesFollowTheBriefingLayout) {
  const std::vector<std::string>& note = notes_lines();
  EXPECT_EQ(note[1].rfind(std::string(16, ' ') + "Treno 84 sul percorso ", 0), 0u);
  for (std::size_t i = 3; i <= 33; ++i) {
    if (note[i].empty()) continue;
    EXPECT_TRUE(note[i].size() > 1 && note[i][0] == ' ' && note[i][1] != ' ')
        << "line " << i << ": " << note[i];
  }
  int warnings = 0;
  for (std::size_t i = 26; i <= 33; ++i) {
    EXPECT_FALSE(note[i].empty()) << "line " << i;
    if (note[i].rfind(" - ", 0) == 0) ++warnings;
  }
  EXPECT_EQ(warnings, 6);
  EXPECT_EQ(note[26].rfind(" - ", 0), 0u);
  for (std::size_t i = 36; i <= 50; ++i) EXPECT_FALSE(note[i].empty()) << "line " << i;
  EXPECT_NE(note[49].find("pi\xF9"), std::string::npos);
  EXPECT_FALSE(note[52].empty());
}

// The two descriptions, the notes and the slow-order form give the route
// one name; the form's route line stays padded to its closing bar.
TEST(Documents, RouteHasOneNameInEveryText) {
  const std::string route = "Roma - Firenze S.M.N.";
  EXPECT_EQ(line_description_lines()[0], "Percorso " + route);
  EXPECT_EQ(train_description_lines()[0], std::string(18, ' ') + "Treno 84 sul  percorso " + route);
  EXPECT_EQ(notes_lines()[1], std::string(16, ' ') + "Treno 84 sul percorso " + route);
  const std::string form_route = "  Linea  " + route + " linea direttissima";
  const std::string& form = slow_order_form_lines()[6];
  EXPECT_EQ(form.rfind(form_route, 0), 0u) << form;
  EXPECT_EQ(form.find_first_not_of(' ', form_route.size()), form.size() - 1) << form;
  EXPECT_EQ(form.size(), slow_order_form_lines()[13].size());
  EXPECT_EQ(form.back(), '|');
}

TEST(Documents, TheOnlyByteOutsideAsciiIsTheOneUGrave) {
  int u_grave = 0;
  for (const auto* table : {&train_sheet_lines(), &slow_order_form_lines(), &notes_lines()}) {
    for (const std::string& line : *table) {
      for (const char ch : line) {
        const unsigned char byte = static_cast<unsigned char>(ch);
        if (byte == 249) {
          ++u_grave;
        } else {
          EXPECT_LT(byte, 128) << "in: " << line;
          EXPECT_GE(byte, 32) << "control byte in: " << line;
        }
      }
    }
  }
  EXPECT_EQ(u_grave, 1);
  EXPECT_EQ(std::count(notes_lines()[49].begin(), notes_lines()[49].end(), '\xF9'), 1);
}

}  // namespace
}  // namespace scenpack
