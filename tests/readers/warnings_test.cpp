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
    FaultSink sink(t.errore, policy);
    (void)read_descriptions(t, DescriptionText{"l", std::string_view(line), ""},
                         DescriptionText{"t", std::string_view(train), ""}, sink);
    EXPECT_EQ(t.errore.codice_errore, 0) << fault_message(t.errore);
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
       {"l:5:1 \"pendeza\" names no record of the line description; the field is passed over"}},
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
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(warnings_of(c.line, c.train), c.want);
  }
}

}  // namespace
}  // namespace scenpack
