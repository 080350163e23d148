#include "cli/report.h"

#include <gtest/gtest.h>

namespace scenpack {
namespace {

TEST(Report, HoldsTheFinalFaultStateAndTheFiles) {
  RunReport r;
  r.exit_status = 1;
  r.error_state.codice_errore = 16;
  r.error_state.posizione_errore = 9300;
  r.error_state.where = SourceLocation{"Tarvena1_84-.txt", 42, 10};
  r.message = "scenpack:Tarvena1_84-.txt:42:10: Errore n. 16, posizione 9300: signal on an occupied cell";
  r.dir = "/d";
  r.files = {"Tarvena1_84.sim", "Tarvena1_84.dat"};
  EXPECT_EQ(report_json(r),
            "{\"exit_status\": 1, \"codice_errore\": 16, \"posizione_errore\": 9300, "
            "\"file\": \"Tarvena1_84-.txt\", \"line\": 42, \"column\": 10, \"message\": \"" + r.message + "\", "
            "\"dir\": \"/d\", \"files\": [\"Tarvena1_84.sim\", \"Tarvena1_84.dat\"], \"texts\": []}\n");
}

}  // namespace
}  // namespace scenpack
