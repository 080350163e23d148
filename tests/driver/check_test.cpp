#include "driver/check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/build.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using testing_support::spit;
using testing_support::TempDir;

const std::string kQuietTrain = "treno\r\n[generale]\r\n[fine]\r\n\r\n";

std::string line_with(const std::string& general, const std::string& body) {
  return "linea\r\n[generale]\r\n" + general + "[pendenze]\r\n" + body + "[fine]\r\n\r\n";
}
std::string route(const std::string& body) { return line_with("lunghezza percorso, 10000\r\n", body); }
std::string train_with(const std::string& rows) { return "treno\r\n[generale]\r\n" + rows + "[fine]\r\n\r\n"; }

struct OneFault {
  const char* name;
  std::string line;
  std::string train;
};

const std::string kSignal = "segnale, 3550, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n";

const OneFault kOneFault[] = {
    {"route too long", line_with("lunghezza percorso, 1000001\r\n", ""), kQuietTrain},
    {"no general section", "linea\r\nlunghezza percorso, 1000\r\n\r\n", kQuietTrain},
    {"repetition start", line_with("lunghezza percorso, 10000\r\nripetizione segnali 9, 10, 100\r\n", ""),
     kQuietTrain},
    {"repetition codes", line_with("lunghezza percorso, 10000\r\nripetizione segnali, 0, 100\r\n", ""),
     kQuietTrain},
    {"no route length", line_with("sfondo uno, 1\r\n", "pendenza, 500, 1\r\n"), kQuietTrain},
    {"line number", route("pendenza, 500, x\r\n"), kQuietTrain},
    {"line beyond", route("pendenza, 500, 1\r\npendenza, 20000, 1\r\n"), kQuietTrain},
    {"curve class", route("curvad7, 500, 100\r\n"), kQuietTrain},
    {"text boards", route("cartello indicatore, 500, A\r\ncartello indicatore, 510, B\r\n"), kQuietTrain},
    {"speed boards", route("indicatori_v, 500, 1,1,1,0,1,1,1,0\r\nindicatori_v, 500, 1,1,1,0,1,1,1,0\r\n"),
     kQuietTrain},
    {"missing train", route(""), ""},
    {"train number", route(""), train_with("numero vetture, dodici\r\n")},
    {"short signal", route(""), train_with("segnale, 2550, 2, 4, 0, 0, 0, 2, 1, 0, 0\r\n" + kSignal)},
    {"signal", route(""), train_with(kSignal + kSignal)},
    {"slow order start", route(""), train_with(kSignal + "rallentamento, 3550, 50, 200, 0, 1, 0\r\n")},
    {"slow order boards", route(""), train_with("segnale, 2200, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
                                                "rallentamento, 3500, 50, 200, 0, 1, 0\r\n")},
    {"code cut", route(""), train_with(kSignal + "abbattimento codice, 3600, 270\r\n")},
    {"station place", route(""), train_with("stazione, 4525, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\r\n")},
    {"station length", route(""), train_with("stazione, 4500, 4, 450, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\r\n")},
    {"station spacing", route(""), train_with("stazione, 4500, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\r\n"
                                              "stazione, 4800, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Y\r\n")},
    {"train beyond", route(""), train_with("velocita' limite, 0, 60\r\nvelocita' limite, 90000, 60\r\n")},
    {"speed too high", route(""), train_with("velocita' limite, 0, 1300\r\nvelocita' limite, 600, 60\r\n")},
    {"chainage", line_with("lunghezza percorso, 10000\r\nprogressiva uno, 100, 25, 0\r\n", ""), kQuietTrain},
    {"cab codes", route(""), train_with("segnale, 2150, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
                                        "segnale, 2200, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
                                        "segnale, 2250, 2, 4, 0, 0, 0, 2, 1, 0, 0, 0\r\n"
                                        "rallentamento, 2500, 50, 200, 0, 0, 0\r\n")},
};

// Up to its first fault the build and check are in the same state: the
// fault the build records (its code and the position it set) is always
// one of the errors check lists.
TEST(Check, TheBuildsFaultIsAmongThoseCheckLists) {
  for (const OneFault& c : kOneFault) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    spit(dir.file("Tarvena1_linea.txt"), c.line);
    if (!c.train.empty()) spit(dir.file("Tarvena1_84-.txt"), c.train);
    Tables built;
    const BuildOutcome out = build_scenario(built, ScenarioFiles{dir.path(), "Tarvena1", "84"}, 1);
    ASSERT_TRUE(out.status.is_ok()) << out.status.message();
    ASSERT_NE(built.error_state.codice_errore, 0);
    const int32_t position = built.error_state.own_position.value_or(0);

    Tables checked;
    const CheckOutcome listed = check_scenario(checked, 1, {dir.file("Tarvena1_linea.txt"), "line", false},
                                               {dir.file("Tarvena1_84-.txt"), "train", false}, SIZE_MAX);
    ASSERT_TRUE(listed.status.is_ok());
    bool found = false;
    std::string seen;
    for (const Diagnostic& d : listed.diagnostics) {
      if (d.severity != Severity::kError) continue;
      seen.append(" ").append(std::to_string(code_number(d.code))).append("@").append(std::to_string(d.position));
      found = found || (code_number(d.code) == built.error_state.codice_errore && d.position == position);
    }
    EXPECT_TRUE(found) << "build: " << built.error_state.codice_errore << "@" << position << ", check:" << seen;
  }
}

// A refused record stores nothing and the reading goes on: the second of
// two stations refused for its length leaves record 1 to the next station.
TEST(Check, RefusedRecordsStoreNothingAndReadingGoesOn) {
  TempDir dir;
  spit(dir.file("l.txt"), route("cartello indicatore, 500, A\r\ncartello indicatore, 510, B\r\n"
                                "cartello indicatore, 900, C\r\n"));
  spit(dir.file("t.txt"), train_with("stazione, 4500, 4, 450, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X\r\n"
                                     "stazione, 6000, 4, 400, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, Y\r\n"
                                     "numero vetture, 12\r\n"));
  Tables t;
  const CheckOutcome out =
      check_scenario(t, 1, {dir.file("l.txt"), "l", true}, {dir.file("t.txt"), "t", true}, SIZE_MAX);
  EXPECT_EQ(out.errors, 2u);
  EXPECT_EQ(t.schede[80].testo, "A");
  EXPECT_EQ(t.schede[79].testo, "C");  // B took no record
  EXPECT_EQ(t.schede[1].testo, "Y");   // X took no record
  EXPECT_EQ(t.schede[1].lungo3, 6000);
  EXPECT_EQ(t.schede[2].lungo3, 0);
  EXPECT_EQ(t.schede[84].lungo3, 12);
}

}  // namespace
}  // namespace scenpack
