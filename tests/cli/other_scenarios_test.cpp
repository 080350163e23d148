// check and build in a folder where the working descriptions asked for are
// missing but another scenario's are there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

const char* const kLine = "[generale]\r\nlunghezza percorso, 1000\r\n[fine]\r\n\r\n";
const char* const kTrain = "treno\r\n[generale]\r\n[fine]\r\n\r\n";

TEST(OtherScenarios, BuildAndCheckNameThePairThatIsThere) {
  TempDir dir;
  spit(dir.file("Brenna_linea.txt"), kLine);
  spit(dir.file("Brenna_3107-.txt"), kTrain);
  spit(dir.file("Brenna_3107_note.txt"), "a document, no description\r\n");
  const std::string hint =
      "scenpack: note: no Tarvena1_linea.txt here; found Brenna_linea.txt and Brenna_3107-.txt (--name Brenna "
      "--number 3107)\n";
  const ExeResult built = run_scenpack(dir.path(), {"build", "--quiet"});
  EXPECT_EQ(built.status, 1);
  EXPECT_EQ(built.err, "Tarvena1_linea.txt: error: Errore n. 101: line description not found\n" + hint);
  const ExeResult checked = run_scenpack(dir.path(), {"check"});
  EXPECT_EQ(checked.status, 1);
  EXPECT_EQ(checked.out,
            "Tarvena1_linea.txt: error: Errore n. 101: line description not found\n"
            "Tarvena1_linea.txt: note: the train description was not checked\n" +
                hint + "1 error, 0 warnings\n");
  // What --name and --number the note gives builds.
  EXPECT_EQ(run_scenpack(dir.path(), {"build", "--quiet", "--name", "Brenna", "--number", "3107"}).status, 0);
}

TEST(OtherScenarios, TheNoteListsAFewPairsOrTheOtherTrains) {
  const struct {
    const char* what;
    std::vector<const char*> files;
    std::vector<std::string> args;
    const char* note;  // "" for none
  } cases[] = {
      {"four pairs: three named", {"A_linea.txt", "A_1-.txt", "B_linea.txt", "B_2-.txt", "C_linea.txt", "C_3-.txt",
                                    "D_linea.txt", "D_4-.txt"}, {"check"},
       "scenpack: note: no Tarvena1_linea.txt here; found A_linea.txt and A_1-.txt (--name A --number 1); "
       "B_linea.txt and B_2-.txt (--name B --number 2); C_linea.txt and C_3-.txt (--name C --number 3); and 1 more\n"},
      {"the line there, another train", {"Tarvena1_linea.txt", "Tarvena1_12-.txt"}, {"check"},
       "scenpack: note: no Tarvena1_84-.txt here; found Tarvena1_12-.txt (--number 12)\n"},
      {"a line without its train is no pair", {"Brenna_linea.txt", "Altro_1-.txt"}, {"check"}, ""},
      {"the descriptions named: nothing looked for", {"Brenna_linea.txt", "Brenna_1-.txt"},
       {"check", "--line", "none.txt", "--train", "Brenna_1-.txt"}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    for (const char* f : c.files) spit(dir.file(f), std::string(f).find("linea") != std::string::npos ? kLine : kTrain);
    const ExeResult r = run_scenpack(dir.path(), c.args);
    const size_t at = r.out.find("scenpack: note: no ");
    const std::string note = at == std::string::npos ? "" : r.out.substr(at, r.out.find('\n', at) + 1 - at);
    EXPECT_EQ(note, c.note) << r.out << r.err;
  }
}

TEST(OtherScenarios, CheckOfAnotherDirectoryNamesIt) {
  TempDir cwd;
  spit(cwd.file("Brenna_linea.txt"), kLine);
  spit(cwd.file("Brenna_3107-.txt"), kTrain);
  TempDir elsewhere;
  const ExeResult r = run_scenpack(elsewhere.path(), {"check", "--dir", cwd.path()});
  EXPECT_NE(r.out.find("scenpack: note: no Tarvena1_linea.txt in " + cwd.path() +
                       "; found Brenna_linea.txt and Brenna_3107-.txt (--name Brenna --number 3107)\n"),
            std::string::npos)
      << r.out;
}

}  // namespace
}  // namespace scenpack
