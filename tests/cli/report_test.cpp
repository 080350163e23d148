#include "cli/report.h"

#include <gtest/gtest.h>

namespace scenpack {
namespace {

TEST(Report, JsonStringsAreEscapedAndValidUtf8) {
  struct Case {
    std::string in, want;
  } cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"\r\n\t\x01\x7f", "\"\\r\\n\\t\\u0001\\u007f\""},
      {"caf\xc3\xa9", "\"caf\xc3\xa9\""},         // UTF-8 kept
      {"caf\xe9", "\"caf\\u00e9\""},              // a single-byte character
      {"\xc3", "\"\\u00c3\""},                    // cut sequence
      {"\xe0\x80\x80", "\"\\u00e0\\u0080\\u0080\""},  // overlong
  };
  for (const auto& c : cases) EXPECT_EQ(json_string(c.in), c.want) << c.in;
}

TEST(Report, HoldsTheFinalFaultStateAndTheFiles) {
  RunReport r;
  r.exit_status = 1;
  r.errore.codice_errore = 16;
  r.errore.posizione_errore = 9300;
  r.errore.where = SourceLocation{"Tarvena1_84-.txt", 42};
  r.message = "scenpack:Tarvena1_84-.txt:42: Errore n. 16, posizione 9300: signal on an occupied cell";
  r.dir = "/d";
  r.files = {"Tarvena1_84.sim", "Tarvena1_84.dat"};
  EXPECT_EQ(report_json(r),
            "{\"exit_status\": 1, \"codice_errore\": 16, \"posizione_errore\": 9300, "
            "\"file\": \"Tarvena1_84-.txt\", \"line\": 42, \"message\": \"" + r.message + "\", "
            "\"dir\": \"/d\", \"files\": [\"Tarvena1_84.sim\", \"Tarvena1_84.dat\"], \"texts\": []}\n");
}

}  // namespace
}  // namespace scenpack
