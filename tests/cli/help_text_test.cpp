#include "cli/help_text.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/command_table.h"

namespace scenpack {
namespace {

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> words_of(std::string_view command_line) {
  std::vector<std::string> words;
  std::istringstream in{std::string(command_line)};
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

void expect_fits_a_terminal(const std::string& text) {
  for (const std::string& line : lines_of(text)) EXPECT_LE(line.size(), 79u) << line;
}

TEST(HelpText, GlobalHelpListsEachCommandOnOneLine) {
  const std::string help = global_help();
  expect_fits_a_terminal(help);
  EXPECT_EQ(help.rfind("Usage: scenpack [COMMAND] [OPTION...]\n", 0), 0u) << help;
  for (const CommandSpec& c : command_table()) {
    const std::string row = "  " + std::string(c.name);
    size_t rows = 0;
    for (const std::string& line : lines_of(help)) {
      if (line.rfind(row + " ", 0) == 0) {
        ++rows;
        EXPECT_NE(line.find(c.summary), std::string::npos) << line;
      }
    }
    EXPECT_EQ(rows, 1u) << c.name;
  }
}

// Each command's help: its usage with every option it takes (and only
// those), its options, and an example that the parser accepts as that command.
TEST(HelpText, EachCommandHasItsUsageOptionsAndAWorkingExample) {
  for (const CommandSpec& c : command_table()) {
    SCOPED_TRACE(std::string(c.name));
    const std::string help = command_help(c);
    expect_fits_a_terminal(help);
    const std::string head = "Usage: scenpack " + (c.is_default ? std::string("[").append(c.name) + "]" : std::string(c.name));
    EXPECT_EQ(help.rfind(head, 0), 0u) << help;
    for (const CommandOption& o : c.options) {
      ASSERT_NE(find_option(o.name), nullptr) << o.name;
      EXPECT_NE(help.find(std::string("[").append(o.name)), std::string::npos) << o.name;
      EXPECT_NE(help.find(std::string("\n  ").append(o.name)), std::string::npos) << o.name;
    }
    EXPECT_NE(help.find("\nOptions:\n"), std::string::npos);
    EXPECT_NE(help.find("\n  -h, --help "), std::string::npos);

    std::vector<std::string> example = words_of(c.example);
    ASSERT_FALSE(example.empty());
    EXPECT_EQ(example.front(), "scenpack");
    EXPECT_NE(help.find("\nExample:\n  " + std::string(c.example) + "\n"), std::string::npos);
    example.erase(example.begin());
    const ParsedArguments parsed = parse_arguments(example);
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.args.command, c.command);
  }
}

TEST(HelpText, UsageLinesWrapUnderTheirFirstOption) {
  const CommandSpec* build = find_command("build");
  ASSERT_NE(build, nullptr);
  const std::vector<std::string> lines = lines_of(command_help(*build));
  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0].rfind("Usage: scenpack build [--dir DIR] [--line FILE] ", 0), 0u) << lines[0];
  EXPECT_EQ(lines[1].rfind("                      [", 0), 0u) << lines[1];
}

}  // namespace
}  // namespace scenpack
