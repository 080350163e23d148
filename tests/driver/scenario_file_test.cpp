#include "driver/scenario_file.h"

#include <gtest/gtest.h>

#include <string>

namespace scenpack {
namespace {

TEST(ScenarioFileTest, SettingsAreReadWithTheirDefaults) {
  const ParsedScenarioFile full = parse_scenario_file(
      "# Valdora\r\n  name = Valdora1  \r\nnumber=12\nline = \"testi/la linea.txt\"\n"
      "train = /abs/treno.txt\noutput = out\n\n",
      "scen");
  ASSERT_FALSE(full.fault) << full.fault->message;
  EXPECT_EQ(full.file.name, "Valdora1");
  EXPECT_EQ(full.file.number, "12");
  EXPECT_EQ(full.file.line, "scen/testi/la linea.txt");
  EXPECT_EQ(full.file.train, "/abs/treno.txt");
  EXPECT_EQ(full.file.output, "scen/out");

  const ParsedScenarioFile least = parse_scenario_file("name = Valdora1\nnumber = 12", "");
  ASSERT_FALSE(least.fault);
  EXPECT_EQ(least.file.line, "Valdora1_linea.txt");
  EXPECT_EQ(least.file.train, "Valdora1_12-.txt");
  EXPECT_EQ(least.file.output, ".");
}

TEST(ScenarioFileTest, AFileThatCannotBeUsedSaysWhereAndWhy) {
  const struct {
    const char* text;
    int line;
    const char* message;
  } cases[] = {
      {"name = A\nnumber = 1\nnmae = B\n", 3, "unknown key 'nmae' (name, number, line, train, output)"},
      {"# c\nname A\n", 2, "expected 'key = value', found 'name A'"},
      {"name = A\nname = B\n", 2, "'name' is given twice"},
      {"name = \"A\nnumber = 1\n", 1, "the quote of 'name' is not closed"},
      {"name =\n", 1, "'name' has no value"},
      {"number = 1\n", 0, "'name' is not given"},
      {"name = A\n", 0, "'number' is not given"},
  };
  for (const auto& c : cases) {
    const ParsedScenarioFile parsed = parse_scenario_file(c.text, "");
    ASSERT_TRUE(parsed.fault) << c.text;
    EXPECT_EQ(parsed.fault->line, c.line) << c.text;
    EXPECT_EQ(parsed.fault->message, c.message) << c.text;
  }
}

}  // namespace
}  // namespace scenpack
