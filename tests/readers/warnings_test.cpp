#include "readers/warnings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "description_fixture.h"
#include "readers/read_descriptions.h"

namespace scenpack {
namespace {

using testing::crlf;
using testing::short_route;

// The warnings of reading `line` and `train`, as "file:line:column text";
// under either policy the same, and never a fault.
std::vector<std::string> warnings_of(const std::string& line, const std::string& train) {
  std::vector<std::string> out;
  for (FaultPolicy policy : {FaultPolicy::kGoOn, FaultPolicy::kStopAtFirst}) {
    Tables t = testing::map_mode_tables();
    FaultSink sink(t.error_state, policy);
    (void)read_descriptions(t, DescriptionText{"l", std::string_view(line), ""},
                         DescriptionText{"t", std::string_view(train), ""}, sink);
    EXPECT_EQ(t.error_state.codice_errore, 0) << fault_message(t.error_state);
    std::vector<std::string> listed;
    for (const Diagnostic& d : sink.diagnostics()) {
      listed.push_back(d.where.file + ":" + std::to_string(d.where.line) + ":" + std::to_string(d.where.column) +
                       " " + d.message);
    }
    if (policy == FaultPolicy::kGoOn) out = listed;
    else EXPECT_EQ(listed, out) << "the build warns as check does";
  }
  return out;
}

std::string train_rows(const std::string& rows) { return crlf("treno\n[generale]\n" + rows + "[fine]\n\n"); }

TEST(Warnings, WhatTheBuildAcceptsButAnAuthorRarelyMeans) {
  const std::string quiet_line = short_route("");
  const std::string quiet_train = train_rows("");
  struct Case {
    const char* name;
    std::string line;
    std::string train;
    std::vector<std::string> want;
  } cases[] = {
      {"typo in a keyword", short_route("pendeza, 500, -7\n"), quiet_train,
       {"l:5:1 \"pendeza\" names no record of the line description; the field is passed over (did you mean "
        "\"pendenza\"?)"}},
      {"third comment line", short_route("- uno\n- due\n-pendenza, 500, 3\n"), quiet_train,
       {"l:7:1 a third comment field in a row is read as data: this record is not commented out"}},
      {"byte-order mark and UTF-8", "\xEF\xBB\xBF" + quiet_line,
       train_rows("stazione, 0, 8, 500, 1,0,0, 4,0,0, 2,1,0, 1, 8,10,0, CITT\xC3\x80\n"),
       {"l:1:1 UTF-8 byte-order mark: the descriptions are single-byte Windows-1252 texts",
        "t:3:58 UTF-8 text: the descriptions are single-byte Windows-1252, so \"\xC3\x80\" reads as 2 characters"}},
      // A lone Windows-1252 letter is no UTF-8; the line count takes a lone
      // CR as a line end.
      {"UTF-8 after single-byte letters", quiet_line,
       "treno\r\n[generale]\r\n- perch\xE8 no\r- ancora \xE0\xFF\r\n"
       "stazione, 0, 8, 500, 1,0,0, 4,0,0, 2,1,0, 1, 8,10,0, CITT\xC3\x80\r\n[fine]\r\n\r\n",
       {"t:5:58 UTF-8 text: the descriptions are single-byte Windows-1252, so \"\xC3\x80\" reads as 2 characters"}},
      {"record the file ends after", crlf("l\n[generale]\nlunghezza percorso, 10000\n[p]\npendenza, 500, 1\nfine\n"),
       crlf("treno\n[generale]\nnumero vetture, 12\nsabbia"),
       {"t:4:1 the file ends right after \"sabbia\": the last field of a description is never read (end "
        "it with a closing line)"}},
      {"narrowed values", short_route("pendenza, 500, 300\n"),
       train_rows("aderenza, 0, 300\nsegnale, 2550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 99999\n"),
       {"l:5:16 gradient 300 is stored as 44 (its low 8 bits)", "t:3:14 adhesion 300 is stored as 44 (its low 8 bits)",
        "t:4:43 signal time 99999 is stored as 159 (its low 8 bits)"}},
      {"out of order", short_route("pendenza, 2000, 1\npendenza, 500, 2\ncurvad2, 900, 50\ncurvas2, 600, 50\n"),
       train_rows("velocita' limite, 0, 60\nvelocita' limite, 900, 80\nvelocita' limite, 600, 70\n"),
       {"l:6:11 the gradient at 500 comes after the one at 2000: out of order, it does not apply as written",
        "l:8:10 the curve at 600 comes after the one at 900: out of order, it does not apply as written",
        "t:5:19 the speed line at 600 comes after the one at 900: out of order, it does not apply as written"}},
      {"past the route's end", short_route("montagna, 12000, 13000, 1\n"),
       train_rows("stazione, 12000, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 8,10,0, OLTRE\n"),
       {"l:5:11 the tunnel at 12000 lies past the route's end (10000 m), in the margin after it",
        "t:3:0 the station at 12000 lies past the route's end (10000 m), in the margin after it"}},
      // The record table keeps a text's length in 2 bytes.
      {"texts longer than a record keeps",
       short_route("cartello indicatore, 6200, " + std::string(65535, 'a') + "\ncartello indicatore, 6400, " +
                   std::string(65536, 'b') + "\n"),
       train_rows("stazione, 2000, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 8,10,0, " + std::string(70000, 'c') + "\n"),
       {"l:6:28 the text of 65536 bytes is cut to its first 65535 in the record table",
        "t:3:57 the text of 70000 bytes is cut to its first 65535 in the record table"}},
      {"no [generale] in the train", quiet_line, crlf("treno\nstazione, 0, 8, 500, 1,0,0, 4,0,0, 2,1,0, 1, 8,10,0, A\n\n"),
       {"t:1:1 no \"[generale]\" line: nothing of the train description is read (no station, signal, slow order or "
        "speed line)"}},
      {"general section never ends", crlf("l\n[generale]\nlunghezza percorso, 10000\npendenza, 500, 3\n"
                                          "- nota\npendenza, 900, 4\ncurvad2, 900, 50\n\n"),
       quiet_train,
       {"l:4:1 \"pendenza\" stands in the general section, which never ends (no heading such as \"[pendenze]\" "
        "follows the general data): this record and 2 others are read as general data and lost"}},
      {"a record before the heading that ends the general section",
       crlf("l\n[generale]\nlunghezza percorso, 10000\nmontagna, 500, 900, 1\n[pendenze]\n[fine]\n\n"), quiet_train,
       {"l:4:1 \"montagna\" stands in the general section, before the heading that ends it: this record is read "
        "as general data and lost"}},
      // What is left on a record's line: a decimal comma, a number too many,
      // a name cut at a comma; a comment on its line is no extra field.
      {"extra fields", short_route("pendenza, 500, 12,5\npendenza, 700, -3 , 8, 9\npendenza, 900, 1 - ripida\n"
                                   "cartello indicatore, 950, DOPPIO, BIVIO\n"),
       train_rows("segnale, 2550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 30, 7\n"
                  "stazione, 0, 8, 500, 1,0,0, 4,0,0, 2,1,0, 1, 8,10,0, ROMA, SAN PIETRO\n"),
       {"l:5:19 the gradient reads \"12\" and passes over the \"5\" after the comma: a decimal fraction is written "
        "with a dot (12.5)",
        "l:6:21 \"8\" is left on the line after the numbers of the gradient and is passed over",
        "l:8:35 the name of the text board ends at the comma before \"BIVIO\", which is passed over: put a name "
        "with a comma in double quotes",
        "t:3:47 \"7\" is left on the line after the numbers of the signal and is passed over",
        "t:4:60 the name of the station ends at the comma before \"SAN PIETRO\", which is passed over: put a name "
        "with a comma in double quotes"}},
      {"curve sides", short_route("curva destra 3, 500, 50\ncurva3, 700, 50\ncurva sinistra 2, 900, 50\n"), quiet_train,
       {"l:5:1 \"curva destra 3\" is read as a left curve of class 3 (the field holds \"s\"): write curvad3 or "
        "curvas3",
        "l:6:1 \"curva3\" is read as a right curve of class 3 (the field holds no \"s\"): write curvad3 or curvas3"}},
      {"speed steps and times", quiet_line,
       train_rows("orologio, 25, 70, 0\nvelocita' limite, 0, 97\nvelocita' limite, 500, 100\n"
                  "stazione, 0, 8, 500, 1,0,0, 4,0,0, 2,1,0, 1, 8,60,0, A\n"),
       {"t:3:11 the clock 25, 70, 0 becomes 26:10:00 (hours 0 to 23, minutes and seconds 0 to 59)",
        "t:4:22 the speed 97 km/h is stored as 95 km/h (speed limits are kept in steps of 5 km/h)",
        "t:6:46 the station's time 8, 60, 0 becomes 09:00:00 (hours 0 to 23, minutes and seconds 0 to 59)"}},
      {"every kind past the route's end",
       short_route("pendenza, 10500, 1\ncurvad2, 10600, 50\nindicatori_vmax, 10700, 80,85,90,0, 80,85,90,0\n"
                   "cartello indicatore, 10800, FINE\n"),
       train_rows("segnale, 10500, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\nrallentamento, 11000, 50, 200, 0, 1, 50\n"
                  "abbattimento codice, 11500, 270\nvelocita' limite, 10600, 60\naderenza, 10700, 70\n"),
       {"l:5:11 the gradient at 10500 lies past the route's end (10000 m), in the margin after it",
        "l:6:10 the curve at 10600 lies past the route's end (10000 m), in the margin after it",
        "l:7:18 the speed board at 10700 lies past the route's end (10000 m), in the margin after it",
        "l:8:22 the text board at 10800 lies past the route's end (10000 m), in the margin after it",
        "t:3:10 the signal at 10500 lies past the route's end (10000 m), in the margin after it",
        "t:4:16 the slow order at 11000 lies past the route's end (10000 m), in the margin after it",
        "t:5:22 the code cut at 11500 lies past the route's end (10000 m), in the margin after it",
        "t:6:19 the speed line at 10600 lies past the route's end (10000 m), in the margin after it",
        "t:7:11 the adhesion line at 10700 lies past the route's end (10000 m), in the margin after it"}},
      // A commented-out row is no mistake unless a later field of it names a
      // record, which is then read.
      {"commented rows", short_route("- vecchia pendenza, 500, 3, ROMA\n"),
       train_rows("-stazione, 0, 8, 500, 1,0,0, 4,0,0, 2,1,0, 1, 8,10,0, BIVIO\n"
                  "- tolto, segnale, 2550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\n"),
       {"t:4:10 \"segnale\" follows a comment on its line and is read as a record: a \"-\" comments out its own "
        "field only"}},
      // Records that meet earlier ones: the map drawn from where it stands,
      // two gradients in one cell (three: the third shifts once more), a
      // tunnel inside a tunnel (its markers' kind made 3). A curve that
      // starts where the last one ends, and a tunnel after another, are fine.
      {"records that meet earlier ones",
       short_route("pendenza, 1000, -7\npendenza, 1010, 3\npendenza, 1020, 2\ncurvad3, 1000, 500\n"
                   "curvas2, 1200, 600\ncurvad1, 1300, 100\ncurvad1, 1800, 100\nmontagna, 3000, 5000, 1\n"
                   "montagna, 3500, 4000, 12\nmontagna, 6000, 6500, 2\n"),
       quiet_train,
       {"l:6:11 the gradient at 1010 falls in cell 20 (1000-1049 m), where the gradient at 1000 starts too: the "
        "cell gets that one's -7 per mille, and this one's 3 starts at cell 21 (1050 m)",
        "l:7:11 the gradient at 1020 falls in cell 20 (1000-1049 m), where the gradient at 1010 starts too: cell 21 "
        "(1050-1099 m) gets that one's 3 per mille, and this one's 2 starts at cell 22 (1100 m)",
        "l:9:10 the curve at 1200 starts before the curve at 1000 ends (1500 m): the map is drawn from where it "
        "stands, so this curve bends over its last 300 m only, not 600",
        "l:10:10 the curve at 1300 starts before the curve at 1200 ends (1800 m): the map is drawn from where it "
        "stands, so this curve, ending at 1400 m, is not drawn at all",
        "l:13:11 the tunnel from 3500 to 4000 m starts inside the tunnel from 3000 to 5000 m: the cells they share "
        "get this one's kind 3, not 1 (kind 2 is made 3: it starts 150 m or less after the previous tunnel's end)"}},
      {"misspelt keywords", short_route("montagan, 500, 900, 1\n"),
       train_rows("segnalle, 2550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\nvelocta' limite, 0, 60\n"),
       {"l:5:1 \"montagan\" names no record of the line description; the field is passed over (did you mean "
        "\"montagna\"?)",
        "t:3:1 \"segnalle\" names no record of the train description; the field is passed over (did you mean "
        "\"segnale\"?)",
        "t:4:1 \"velocta' limite\" names no record of the train description; the field is passed over (did you "
        "mean \"velocita\"?)"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(warnings_of(c.line, c.train), c.want);
  }
}

// A heading that names a record is read as one (here the signal takes the
// next row's fields as its numbers, which check refuses); the warning comes
// first and mends the heading.
TEST(Warnings, AHeadingThatNamesARecordIsMendedToTheSectionsName) {
  Tables t = testing::map_mode_tables();
  FaultSink sink(t.error_state, FaultPolicy::kGoOn);
  const std::string line = short_route("[pendenza]\npendenza, 500, 3\n");
  const std::string train = train_rows("[segnale]\nsegnale, 2550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\n");
  (void)read_descriptions(t, DescriptionText{"l", std::string_view(line), ""},
                          DescriptionText{"t", std::string_view(train), ""}, sink);
  std::vector<std::string> headings;
  for (const Diagnostic& d : sink.diagnostics()) {
    if (d.warning != WarningName::kHeadingNamesRecord) continue;
    ASSERT_TRUE(d.fix.has_value());
    headings.push_back(d.where.file + ":" + std::to_string(d.where.line) + ":" + std::to_string(d.where.column) + " " +
                       d.message + " | " + std::to_string(d.fix->where.column) + "-" +
                       std::to_string(d.fix->end_column) + " " + d.fix->replacement);
  }
  EXPECT_EQ(headings, (std::vector<std::string>{
                          "l:5:1 the heading \"[pendenza]\" is read as the gradient, taking the fields after it as its "
                          "numbers: the section's heading is \"[pendenze]\" | 1-11 [pendenze]",
                          "t:3:1 the heading \"[segnale]\" is read as the signal, taking the fields after it as its "
                          "numbers: the section's heading is \"[segnali]\" | 1-10 [segnali]",
                      }));
}

// The mends: the dot for a decimal comma, the nearest keyword, the curve's
// one letter where the side is written out.
TEST(Warnings, FixesReplaceTheRightBytes) {
  struct Case {
    std::string line;
    int column, end_column;
    const char* replacement;
  } cases[] = {
      {short_route("pendenza, 500, 12,5\n"), 18, 19, "."},
      {short_route("  pendeza, 500, 3\n"), 3, 10, "pendenza"},
      {short_route("curva destra 3, 500, 50\n"), 1, 15, "curvad3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    Tables t = testing::map_mode_tables();
    FaultSink sink(t.error_state, FaultPolicy::kGoOn);
    (void)read_descriptions(t, DescriptionText{"l", std::string_view(c.line), ""},
                            DescriptionText{"t", std::string_view(testing::kQuietTrain), ""}, sink);
    ASSERT_EQ(sink.diagnostics().size(), 1u);
    const std::optional<Fix>& fix = sink.diagnostics()[0].fix;
    ASSERT_TRUE(fix.has_value());
    EXPECT_EQ(fix->where.line, 5);
    EXPECT_EQ(fix->where.column, c.column);
    EXPECT_EQ(fix->end_column, c.end_column);
    EXPECT_EQ(fix->replacement, c.replacement);
  }
}

}  // namespace
}  // namespace scenpack
