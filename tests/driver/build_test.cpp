#include "driver/build.h"

#include <gtest/gtest.h>

#include "finish/check_codes.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using testing_support::slurp;
using testing_support::spit;
using testing_support::TempDir;

ScenarioFiles files_in(const TempDir& dir) { return ScenarioFiles{dir.path(), "Tarvena1", "84"}; }

// Tables as the readers leave them for a short route.
Tables read_tables(int32_t modo) {
  Tables t;
  t.modo_percorso = modo;
  EXPECT_TRUE(size_tables(t, 0));
  t.schede[85].testo = "Tarvena1";
  t.schede[86].testo = "84";
  return t;
}

TEST(Build, FinishingStoresTheCodesAndWritesTheThreeFiles) {
  TempDir dir;
  Tables t = read_tables(1);
  BuildOutcome out = finish_build(t, files_in(dir));
  ASSERT_TRUE(out.status.is_ok()) << out.status.message();
  EXPECT_EQ(out.stop_code, 0);
  EXPECT_EQ(out.files_written,
            (std::vector<std::string>{"Tarvena1_linea.dat", "Tarvena1_84.sim", "Tarvena1_84.dat"}));

  std::string cells = slurp(dir.file("Tarvena1_84.dat"));
  ASSERT_EQ(cells.size(), 15u * 141);
  EXPECT_EQ(cells.substr(15 + 1, 4), std::string("\x01\x14\x5e\x0a", 4));  // 5121, 2654
  std::string records = slurp(dir.file("Tarvena1_84.sim"));
  ASSERT_EQ(records.size(), 87u * 34 + 8 + 2);
  const size_t at85 = 85u * 34;
  EXPECT_EQ(records.substr(at85 + 24, 2), std::string("\x62\x02", 2));          // intero1 = 610
  EXPECT_EQ(records.substr(at85 + 38, 4), std::string("\x30\x8f\x00\x00", 4));  // lungo4 = 36656
  EXPECT_EQ(slurp(dir.file("Tarvena1_linea.dat")).size(), 2u * 7001 * 2);
}

TEST(Build, ATakenReservedPlaceStopsWithTheMessageAndWritesNothing) {
  struct Case {
    void (*prepare)(Tables&);
    int32_t code;
  } cases[] = {
      {[](Tables& t) { t.celle[1].dato1 = 180; }, 1250},
      {[](Tables& t) { t.schede[85].lungo4 = 1; }, 1251},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.code);
    TempDir dir;
    Tables t = read_tables(1);
    c.prepare(t);
    ::testing::internal::CaptureStderr();
    BuildOutcome out = finish_build(t, files_in(dir));
    std::string shown = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(out.status.is_ok());
    EXPECT_EQ(out.stop_code, c.code);
    EXPECT_EQ(shown, " Errore n. " + std::to_string(c.code) + "\n");
    EXPECT_EQ(t.errore.codice_errore, c.code);
    EXPECT_TRUE(out.files_written.empty());
    EXPECT_TRUE(dir.names().empty());
  }
}

// Nothing read at all (no line description): no cells, no map elements,
// yet the build finishes and writes its three files.
TEST(Build, WithoutADescriptionTheFilesHoldWhatExists) {
  TempDir dir;
  Tables t;
  BuildOutcome out = memorizza_percorso(t, files_in(dir), 1);
  ASSERT_TRUE(out.status.is_ok()) << out.status.message();
  EXPECT_EQ(out.stop_code, 0);
  EXPECT_EQ(t.modo_percorso, 1);
  EXPECT_EQ(t.errore.codice_errore, 101);
  EXPECT_TRUE(t.celle.empty());
  EXPECT_EQ(slurp(dir.file("Tarvena1_84.dat")), "");
  EXPECT_EQ(slurp(dir.file("Tarvena1_linea.dat")), "");
  std::string records = slurp(dir.file("Tarvena1_84.sim"));
  ASSERT_EQ(records.size(), 87u * 34 + 8 + 2);
  EXPECT_EQ(records.substr(85u * 34 + 24, 2), std::string("\x62\x02", 2));  // 610 is always stored
}

TEST(Build, StartsFromClearedRecordsAndErrorCode) {
  TempDir dir;
  Tables t;
  t.errore.codice_errore = 16;
  t.errore.where = SourceLocation{"x.txt", 3};
  t.schede[85].intero1 = 1;  // would stop the build with 1250 if not cleared
  t.schede[40].testo = "old";
  BuildOutcome out = memorizza_percorso(t, files_in(dir), 0);
  EXPECT_EQ(out.stop_code, 0);
  EXPECT_EQ(t.errore.codice_errore, 101);  // not the 16 of before: no line description here
  EXPECT_EQ(t.schede[40].testo, "");
  EXPECT_EQ(t.modo_percorso, 0);
  EXPECT_EQ(out.files_written, (std::vector<std::string>{"Tarvena1_84.sim", "Tarvena1_84.dat"}));
}

}  // namespace
}  // namespace scenpack
