#include "driver/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace scenpack {
namespace {

using testing_support::TempDir;

TEST(Startup, RunsTheScenarioInTheDirectoryWithTheRouteMap) {
  TempDir dir;
  Tables t;
  t.nome_scenario = "Other";
  ::testing::internal::CaptureStderr();
  RunOutcome out = run_startup(t, dir.path(), false);
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err.find("Attendere"), std::string::npos);  // stderr is a file here, no terminal
  ASSERT_TRUE(out.build.status.is_ok()) << out.build.status.message();
  EXPECT_EQ(t.nome_scenario, "Tarvena1");
  EXPECT_EQ(t.numero_treno, "84");
  EXPECT_EQ(t.modo_percorso, 1);
  EXPECT_EQ(out.build.files_written,
            (std::vector<std::string>{"Tarvena1_linea.dat", "Tarvena1_84.sim", "Tarvena1_84.dat"}));
  EXPECT_EQ(out.texts_written,
            (std::vector<std::string>{"Tarvena1_linea.txt", "Tarvena1_84-.txt", "Tarvena1_84_note.txt",
                                      "Tarvena1_84_rallentamenti.txt", "Tarvena1_84_scheda_treno.txt"}));
  // The documents stay beside the compiled files.
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir.path()) / "Tarvena1_84_note.txt"));
}

TEST(Startup, QuietRunShowsNoWindow) {
  TempDir dir;
  Tables t;
  ::testing::internal::CaptureStderr();
  run_startup(t, dir.path(), true);
  EXPECT_EQ(::testing::internal::GetCapturedStderr().find("Attendere"), std::string::npos);
}

}  // namespace
}  // namespace scenpack
