// The manual page and `scenpack --help` list the same commands and options.
#include <gtest/gtest.h>

#include <map>
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

// The commands of the global help: the rows under "Commands:".
Names commands_in_help(const std::string& help) {
  Names out;
  std::istringstream in(help.substr(help.find("\nCommands:\n") + 1));
  std::string line;
  std::getline(in, line);
  static const std::regex row(R"(  ([a-z]+) .*)");
  std::smatch m;
  while (std::getline(in, line) && std::regex_match(line, m, row)) out.insert(m[1]);
  return out;
}

// A command's help up to its first blank line: its usage.
std::string usage_of(const std::string& help) { return help.substr(0, help.find("\n\n")); }

// The man page's text with its escapes for a dash and its font changes taken out.
std::string plain(std::string line) {
  line = std::regex_replace(line, std::regex(R"(\\f[BIRP])"), "");
  return std::regex_replace(line, std::regex(R"(\\-)"), "-");
}

struct ManPage {
  Names commands;                       // the tags of the COMMANDS section
  std::map<std::string, Names> options_of;  // each command's, from the "(build, check)" under a tag
  Names global_options;                 // those under no command
};

ManPage read_man_page(const std::string& source) {
  ManPage page;
  std::istringstream in(source);
  std::string line, section, previous;
  Names tagged;  // the options of the tag just read, until its commands are known
  static const std::regex word("[a-z]+");
  while (std::getline(in, line)) {
    if (line.rfind(".SH ", 0) == 0) section = line.substr(4);
    const bool tag = previous == ".TP" || previous == ".TQ";
    previous = line;
    const std::string text = plain(line);
    if (!tag) {
      if (tagged.empty()) continue;
      const bool names_commands = text.rfind(".RB ( ", 0) == 0;
      for (const std::string& o : tagged) {
        if (!names_commands) page.global_options.insert(o);
        const std::string list = names_commands ? text.substr(3) : "";
        for (std::sregex_iterator m(list.begin(), list.end(), word), end; m != end; ++m) {
          page.options_of[m->str()].insert(o);
        }
      }
      tagged.clear();
      continue;
    }
    if (section == "COMMANDS" && text.rfind(".B ", 0) == 0) page.commands.insert(text.substr(3));
    if (section == "OPTIONS") tagged = options_in(text.substr(text.find(' ') + 1));
  }
  return page;
}

std::string joined(const Names& names) {
  std::string out;
  for (const std::string& n : names) out += n + " ";
  return out;
}

// The commands of the global help are those of COMMANDS; the options of
// each command's help are those OPTIONS marks with the command's name; the
// options of the global help, those it marks with none.
TEST(ManPage, ListsTheCommandsAndOptionsOfTheHelp) {
  TempDir dir;
  const ExeResult help = run_scenpack(dir.path(), {"--help"});
  ASSERT_EQ(help.status, 0);
  const std::string source = slurp(std::string(SCENPACK_SOURCE_DIR) + "/docs/scenpack.1");
  ASSERT_FALSE(source.empty()) << "docs/scenpack.1 is missing";
  const ManPage page = read_man_page(source);

  const Names help_commands = commands_in_help(help.out);
  EXPECT_TRUE(help_commands.count("build") && help_commands.count("check")) << joined(help_commands);
  EXPECT_EQ(joined(page.commands), joined(help_commands)) << "COMMANDS of docs/scenpack.1 against scenpack --help";

  const Names global = options_in(help.out);
  EXPECT_TRUE(global.count("--help") && global.count("--version")) << joined(global);
  EXPECT_EQ(joined(page.global_options), joined(global)) << "OPTIONS of no command against scenpack --help";

  for (const std::string& command : help_commands) {
    SCOPED_TRACE(command);
    const ExeResult command_help = run_scenpack(dir.path(), {command, "--help"});
    ASSERT_EQ(command_help.status, 0);
    const Names usage = options_in(usage_of(command_help.out));
    // A usage that shows an option must give it to the comparison below.
    if (usage_of(command_help.out).find(" [-") != std::string::npos) {
      EXPECT_FALSE(usage.empty()) << command_help.out;
    }
    const auto marked = page.options_of.find(command);
    EXPECT_EQ(joined(marked == page.options_of.end() ? Names{} : marked->second), joined(usage))
        << "OPTIONS marked (" << command << ") in docs/scenpack.1 against scenpack " << command << " --help";
  }
}

}  // namespace
}  // namespace scenpack
