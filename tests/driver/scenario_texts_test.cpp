#include "driver/scenario_texts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "driver/build.h"
#include "model/errors.h"
#include "model/tables.h"
#include "platform/file_system.h"
#include "sources/emission.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

class ScenarioTextsTest : public ::testing::Test {
 protected:
  void SetUp() override { files_ = ScenarioFiles{scratch_.path(), "Tarvena1", "84"}; }

  std::string contents(const std::string& name) {
    std::string out;
    EXPECT_TRUE(read_file(files_.path(name), out, uint64_t{1} << 20).is_ok()) << name;
    return out;
  }

  testing_support::TempDir scratch_;
  std::filesystem::path dir_{scratch_.path()};
  ScenarioFiles files_;
};

TEST_F(ScenarioTextsTest, WritesTheFiveTextsInOrder) {
  std::vector<std::string> written;
  ASSERT_TRUE(write_scenario_texts(files_, &written).is_ok());
  EXPECT_EQ(written, (std::vector<std::string>{"Tarvena1_linea.txt", "Tarvena1_84-.txt", "Tarvena1_84_note.txt",
                                               "Tarvena1_84_rallentamenti.txt", "Tarvena1_84_scheda_treno.txt"}));
  for (const ScenarioText& text : scenario_texts(files_)) EXPECT_EQ(contents(text.name), text.bytes) << text.name;
}

TEST_F(ScenarioTextsTest, AnEarlierLongerCopyIsReplaced) {
  const std::string stale(200000, 'x');
  ASSERT_TRUE(write_file_atomically(files_.path("Tarvena1_84-.txt"), stale).is_ok());
  ASSERT_TRUE(write_scenario_texts(files_, nullptr).is_ok());
  EXPECT_EQ(contents("Tarvena1_84-.txt"), scenario_texts(files_)[1].bytes);
}

TEST_F(ScenarioTextsTest, AMissingDirectoryStopsWithAStatus) {
  ScenarioFiles nowhere{(dir_ / "missing").string(), "Tarvena1", "84"};
  std::vector<std::string> written;
  Status status = write_scenario_texts(nowhere, &written);
  EXPECT_FALSE(status.is_ok());
  EXPECT_TRUE(written.empty());
  EXPECT_NE(status.message().find("Tarvena1_linea.txt"), std::string::npos);
}

// The texts the program holds must compile clean: every signal, board,
// tunnel marker, code cut, slow order, station mark and cab-code point finds
// its cell free.
TEST_F(ScenarioTextsTest, TheEmbeddedScenarioBuildsWithoutAFault) {
  ASSERT_TRUE(write_scenario_texts(files_, nullptr).is_ok());
  Tables t;
  const BuildOutcome out = build_scenario(t, files_, 1);
  ASSERT_TRUE(out.status.is_ok()) << out.status.message();
  EXPECT_EQ(out.stop_code, 0);
  EXPECT_EQ(t.error_state.codice_errore, 0) << fault_message(t.error_state);

  ASSERT_EQ(t.n_celle, 5540);
  std::map<int, int> kinds;
  for (const Cella& c : t.celle) ++kinds[c.tipo];
  EXPECT_EQ(kinds[kind::kSignal], 105);
  EXPECT_EQ(kinds[kind::kSpeedBoard], 21);
  EXPECT_EQ(kinds[kind::kTextBoard], 9);
  EXPECT_EQ(kinds[kind::kStationEnd], 9);  // the stations of kinds below 25
  EXPECT_EQ(kinds[kind::kSlowdownStart], 5);
  EXPECT_EQ(kinds[kind::kSlowdownEnd], 5);
  EXPECT_EQ(kinds[kind::kSlowdownWarning], 5);
  EXPECT_EQ(kinds[kind::kSlowdownBoard], 16);  // four slow orders announce their warning
  EXPECT_EQ(kinds[kind::kNoCode], 1);
  EXPECT_GT(kinds[kind::kCodePoint], 34);      // the code cuts and the pass's own points
  EXPECT_EQ(t.n_gallerie, 39);
  EXPECT_EQ(t.schede[33].testo, "FIRENZE S.M.N");
  EXPECT_EQ(t.schede[34].testo, "");
  EXPECT_EQ(t.schede[72].testo, "(CAVALCAVIA) ( STATUTO )         ");

  // Emitted before the build, as `emit` does: the build keeps them.
  EXPECT_TRUE(file_exists(files_.path("Tarvena1_linea.txt")));
  EXPECT_TRUE(file_exists(files_.path("Tarvena1_84-.txt")));
  EXPECT_EQ(out.files_written, (std::vector<std::string>{"Tarvena1_linea.dat", "Tarvena1_84.sim", "Tarvena1_84.dat"}));
}

}  // namespace
}  // namespace scenpack
