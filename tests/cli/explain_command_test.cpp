#include "cli/explain_command.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/errors.h"
#include "model/fault_guide.h"
#include "model/warning_kinds.h"
#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

TEST(Explain, AFaultCodeGivesItsMeaningWhatRaisesItAndItsFix) {
  EXPECT_EQ(explain("16").text,
            "Errore n. 16: signal on an occupied cell\n"
            "\n"
            "  Meaning:      signal on an occupied cell\n"
            "  Given by:     train, `segnale`\n"
            "  How to fix:   move the signal, or what is in its cell\n"
            "  Position:     the message names the position this fault sets (posizione P)\n");
  // A code that sets no position says nothing of one.
  EXPECT_EQ(explain("1251").text,
            "Errore n. 1251: reserved place for the check codes is not empty\n"
            "\n"
            "  Meaning:      the reserved place for the check code in cell 1 is taken\n"
            "  Given by:     the build\n"
            "  How to fix:   move the object placed in the first 100 m of the route\n");
}

TEST(Explain, AWarningByNameWithOrWithoutItsDashW) {
  const std::string want =
      "warning -Wspeed-step: a speed limit that is not a multiple of 5 km/h\n"
      "\n"
      "  Meaning:      Speed limits are stored in steps of 5 km/h: 97 km/h is stored\n"
      "                as 95.\n"
      "  Cause:        A speed that is not a multiple of 5.\n"
      "  How to fix:   Write the speed as a multiple of 5.\n"
      "  Silenced by:  -Wno-speed-step (or -w, every warning) in check and build\n";
  for (const char* written : {"speed-step", "-Wspeed-step", "-Wno-speed-step"}) {
    SCOPED_TRACE(written);
    const Explanation e = explain(written);
    EXPECT_EQ(e.text, want);
    EXPECT_EQ(e.error, "");
  }
}

TEST(Explain, WhatNamesNothingIsRefusedWithTheCodesOrTheNearestName) {
  const struct {
    const char* what;
    const char* error;
  } cases[] = {
      {"14", "no fault code 14; the codes are 1 to 13, 15 to 22, 24, 25, 101 to 103, 1250 and 1251"},
      {"0", "no fault code 0; the codes are 1 to 13, 15 to 22, 24, 25, 101 to 103, 1250 and 1251"},
      {"unknwon-keyword", "'unknwon-keyword' is neither a fault code nor a warning's name; did you mean 'unknown-keyword'?"},
      {"-Wencodng", "'-Wencodng' is neither a fault code nor a warning's name; did you mean 'encoding'?"},
      {"slowdown", "'slowdown' is neither a fault code nor a warning's name"},
      {"12345678901234567890", "'12345678901234567890' is neither a fault code nor a warning's name"},
      {"", "'' is neither a fault code nor a warning's name"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const Explanation e = explain(c.what);
    EXPECT_EQ(e.error, c.error);
    EXPECT_EQ(e.text, "");
  }
}

// Every code and every warning has its whole explanation, within a terminal's width.
TEST(Explain, EveryCodeAndWarningIsExplainedWithinEightyColumns) {
  std::vector<std::string> words;
  for (int32_t code = 1; code < 10000; ++code) {
    if (!explanation(code).empty()) words.push_back(std::to_string(code));
  }
  for (WarningName w : kAllWarnings) words.emplace_back(warning_kind(w).name);
  for (const std::string& w : words) {
    SCOPED_TRACE(w);
    const Explanation e = explain(w);
    EXPECT_EQ(e.error, "");
    EXPECT_NE(e.text.find("\n  How to fix:   "), std::string::npos) << e.text;
    std::istringstream lines(e.text);
    for (std::string line; std::getline(lines, line);) EXPECT_LE(line.size(), 79u) << line;
  }
}

TEST(Explain, TheCommandPrintsOnStdoutOrFailsAsAUsageError) {
  TempDir dir;
  const ExeResult known = run_scenpack(dir.path(), {"explain", "-Wunknown-keyword"});
  EXPECT_EQ(known.status, 0);
  EXPECT_EQ(known.out, explain("unknown-keyword").text);
  EXPECT_EQ(known.err, "");

  const ExeResult unknown = run_scenpack(dir.path(), {"explain", "third-coment"});
  EXPECT_EQ(unknown.status, 64);
  EXPECT_EQ(unknown.out, "");
  EXPECT_EQ(unknown.err, "scenpack: 'third-coment' is neither a fault code nor a warning's name; did you mean "
                         "'third-comment'?\n");

  const ExeResult none = run_scenpack(dir.path(), {"explain"});
  EXPECT_EQ(none.status, 64);
  EXPECT_EQ(none.err, "scenpack: explain needs a fault code or a warning's name\n"
                      "Try 'scenpack --help' for more information.\n");
}

}  // namespace
}  // namespace scenpack
