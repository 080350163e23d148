#include "cli/arguments.h"

#include <gtest/gtest.h>

namespace scenpack {
namespace {

TEST(Arguments, DefaultsAndSubcommands) {
  ParsedArguments none = parse_arguments({});
  EXPECT_EQ(none.error, "");
  EXPECT_EQ(none.args.command, Subcommand::kRun);
  EXPECT_FALSE(none.args.dir);
  EXPECT_EQ(none.args.name, "Tarvena1");
  EXPECT_EQ(none.args.number, "84");
  EXPECT_FALSE(none.args.no_map);

  ParsedArguments b = parse_arguments({"build", "--dir", "d", "--line=l.txt", "--train", "t.txt", "--name",
                                       "Valle", "--number=7", "--no-map", "--report", "r", "--quiet"});
  ASSERT_EQ(b.error, "");
  EXPECT_EQ(b.args.command, Subcommand::kBuild);
  EXPECT_EQ(b.args.dir, "d");
  EXPECT_EQ(b.args.line, "l.txt");
  EXPECT_EQ(b.args.train, "t.txt");
  EXPECT_EQ(b.args.name, "Valle");
  EXPECT_EQ(b.args.number, "7");
  EXPECT_TRUE(b.args.no_map);
  EXPECT_EQ(b.args.report, "r");
  EXPECT_TRUE(b.args.quiet);

  EXPECT_EQ(parse_arguments({"emit", "--dir", "x"}).args.command, Subcommand::kEmit);
  EXPECT_EQ(parse_arguments({"run", "--quiet"}).args.command, Subcommand::kRun);
  EXPECT_EQ(parse_arguments({"--version"}).args.command, Subcommand::kVersion);
  EXPECT_EQ(parse_arguments({"build", "-h"}).args.command, Subcommand::kHelp);

  // --help after a command word asks for that command's help; without one, for all.
  EXPECT_EQ(parse_arguments({"check", "--max-errors", "2", "--help"}).args.help_of, Subcommand::kCheck);
  EXPECT_EQ(parse_arguments({"run", "-h"}).args.help_of, Subcommand::kRun);
  EXPECT_EQ(parse_arguments({"--quiet", "--help"}).args.help_of, Subcommand::kHelp);

  // -w is taken by both commands that find warnings.
  for (const char* command : {"build", "check"}) {
    ParsedArguments w = parse_arguments({command, "-w"});
    EXPECT_EQ(w.error, "") << command;
    EXPECT_TRUE(w.args.no_warnings) << command;
  }
}

TEST(Arguments, ErrorsNameTheProblemAndKeepTheReport) {
  struct Case {
    std::vector<std::string> words;
    const char* error;
  } cases[] = {
      {{"--quiet", "build"}, "unexpected argument 'build'"},
      {{"emit", "--quiet"}, "unknown option '--quiet' for emit"},
      {{"build", "--line"}, "option '--line' needs a value"},
      {{"build", "--no-map=1"}, "option '--no-map' takes no value"},
      {{"build", "--name", "a..b"}, "--name holds \"..\""},
      {{"build", "--number", "8\t4"}, "--number holds a control character"},
      {{"build", "--dir="}, "an option's file or directory is empty"},
      {{"check", "-Wno-pendeza"}, "unknown warning 'pendeza' in -Wno-pendeza"},
      {{"inspect", "d", "-Wno-encoding"}, "unexpected argument '-Wno-encoding'"},
  };
  for (const auto& c : cases) EXPECT_EQ(parse_arguments(c.words).error, c.error);

  ParsedArguments p = parse_arguments({"build", "--bogus", "--report", "r.json"});
  EXPECT_NE(p.error, "");
  EXPECT_EQ(p.args.report, "r.json");
}

TEST(Arguments, WarningsSilencedOneByOneOrAll) {
  const Arguments some = parse_arguments({"check", "-Wno-unknown-keyword", "-Wno-out-of-order"}).args;
  EXPECT_FALSE(warning_shown(some, WarningName::kUnknownKeyword));
  EXPECT_FALSE(warning_shown(some, WarningName::kOutOfOrder));
  EXPECT_TRUE(warning_shown(some, WarningName::kEncoding));
  const Arguments all = parse_arguments({"build", "-w"}).args;
  EXPECT_FALSE(warning_shown(all, WarningName::kEncoding));
}

TEST(Arguments, NamePartsThatStayInsideTheDirectory) {
  for (const char* ok : {"Tarvena1", "84", "a.b", ".x", "\xe0rea", "CONSOLE", "COM10", "LPT", "xNUL", "a b"}) {
    EXPECT_EQ(name_part_problem(ok), "") << ok;
  }
  for (const char* bad : {"", "/", "a\\b", "..", "x..", "a\x1f"}) EXPECT_NE(name_part_problem(bad), "") << bad;
}

// What Windows treats specially is refused on every system: the files must
// open where the simulator runs.
TEST(Arguments, NamePartsThatWindowsTreatsSpecially) {
  const std::string device =
      "is the name of a Windows device (CON, PRN, AUX, NUL, COM0 to COM9, COM\xC2\xB9 to COM\xC2\xB3, LPT0 to LPT9, "
      "LPT\xC2\xB9 to LPT\xC2\xB3)";
  const std::string character = "holds a character Windows does not allow in a file name (: < > \" | ? *)";
  const std::string ending = "ends in a dot or a blank, which Windows drops";
  const struct {
    const char* value;
    const std::string& problem;
  } cases[] = {
      {"Valle:stream", character}, {"a<b", character}, {"a>b", character}, {"a\"b", character},
      {"a|b", character},          {"a?", character},  {"*", character},   {"Valle.", ending},
      {"84 ", ending},             {"CON", device},    {"con", device},    {"Nul", device},
      {"PRN.x", device},           {"aux .y", device}, {"COM1", device},   {"lpt9", device},
      {"COM\xC2\xB9", device},       {"lpt\xC2\xB3.x", device},
  };
  for (const auto& c : cases) EXPECT_EQ(name_part_problem(c.value), c.problem) << c.value;
  EXPECT_EQ(parse_arguments({"build", "--number", "NUL"}).error, "--number " + device);
}

// NUM "linea" makes the track cells NAME_linea.dat, the route map's name;
// Windows, where the simulator runs, takes "LINEA" for it too. And a name
// with the suffix of its temporary must fit the 255 bytes a name can have.
TEST(Arguments, NameAndNumberMustGiveEightFileNamesThatFit) {
  const std::string clash = "--name and --number give two files one name: the route map Valle_linea.dat and ";
  const std::string a225(225, 'a');
  const std::string too_long = "--name and --number make a file name of 246 bytes; the most is 245, which leaves "
                               "room for the 10 bytes a file's temporary name adds";
  const struct {
    std::vector<std::string> words;
    std::string error;
  } cases[] = {
      {{"build", "--name", "Valle", "--number", "linea"}, clash + "the track cells Valle_linea.dat"},
      {{"check", "--name", "Valle", "--number", "LINEA"}, clash + "the track cells Valle_LINEA.dat"},
      {{"inspect", ".", "--name", "Valle", "--number", "Linea"}, clash + "the track cells Valle_Linea.dat"},
      {{"build", "--name", "Valle", "--number", "line"}, ""},
      {{"build", "--name", "Valle", "--number", "lineaa"}, ""},
      // NAME_NUM_rallentamenti.txt is the longest: 225 + 1 + 1 + 18 bytes.
      {{"build", "--name", a225, "--number", "1"}, ""},
      {{"build", "--name", a225, "--number", "12"}, too_long},
  };
  for (const auto& c : cases) EXPECT_EQ(parse_arguments(c.words).error, c.error) << c.words[2] << " " << c.words.back();
}

}  // namespace
}  // namespace scenpack
