// The manual page and `scenpack --help` list the same commands and options.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

using Names = std::set<std::string>;

// "-h", "--dir", "--no-map": a dash or two, then a letter, standing after
// the start of the text, a blank or one of [ | , (
Names options_in(const std::string& text) {
  static const std::regex option(R"((?:^|[\s\[|,(])(--?[A-Za-z][A-Za-z0-9-]*))");
  Names out;
  for (std::sregex_iterator m(text.begin(), text.end(), option), end; m != end; ++m) out.insert((*m)[1]);
  return out;
}

// The commands of the help's usage lines: "scenpack [run] ...", "scenpack emit ...".
Names commands_in_help(const std::string& help) {
  static const std::regex usage(R"(scenpack \[?([a-z]+)\]?)");
  Names out;
  for (std::sregex_iterator m(help.begin(), help.end(), usage), end; m != end; ++m) out.insert((*m)[1]);
  return out;
}

// The man page's text with its escapes for a dash and its font changes taken out.
std::string plain(std::string line) {
  line = std::regex_replace(line, std::regex(R"(\\f[BIRP])"), "");
  return std::regex_replace(line, std::regex(R"(\\-)"), "-");
}

struct ManPage {
  Names commands;  // the tags of the COMMANDS section
  Names options;   // the options in the tags of the OPTIONS section
};

ManPage read_man_page(const std::string& source) {
  ManPage page;
  std::istringstream in(source);
  std::string line, section, previous;
  while (std::getline(in, line)) {
    if (line.rfind(".SH ", 0) == 0) section = line.substr(4);
    const bool tag = previous == ".TP" || previous == ".TQ";
    previous = line;
    if (!tag) continue;
    const std::string text = plain(line);
    if (section == "COMMANDS" && text.rfind(".B ", 0) == 0) page.commands.insert(text.substr(3));
    if (section == "OPTIONS") {
      for (const std::string& o : options_in(text.substr(text.find(' ') + 1))) page.options.insert(o);
    }
  }
  return page;
}

std::string joined(const Names& names) {
  std::string out;
  for (const std::string& n : names) out += n + " ";
  return out;
}

TEST(ManPage, ListsTheCommandsAndOptionsOfTheHelp) {
  TempDir dir;
  const ExeResult help = run_scenpack(dir.path(), {"--help"});
  ASSERT_EQ(help.status, 0);
  const std::string source = slurp(std::string(SCENPACK_SOURCE_DIR) + "/docs/scenpack.1");
  ASSERT_FALSE(source.empty()) << "docs/scenpack.1 is missing";
  const ManPage page = read_man_page(source);

  const Names help_options = options_in(help.out);
  EXPECT_TRUE(help_options.count("--dir") && help_options.count("--version")) << joined(help_options);
  EXPECT_EQ(joined(page.options), joined(help_options)) << "OPTIONS of docs/scenpack.1 against scenpack --help";

  const Names help_commands = commands_in_help(help.out);
  EXPECT_TRUE(help_commands.count("build")) << joined(help_commands);
  EXPECT_EQ(joined(page.commands), joined(help_commands)) << "COMMANDS of docs/scenpack.1 against scenpack --help";
}

}  // namespace
}  // namespace scenpack
