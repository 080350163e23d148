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
  };
  for (const auto& c : cases) EXPECT_EQ(parse_arguments(c.words).error, c.error);

  ParsedArguments p = parse_arguments({"build", "--bogus", "--report", "r.json"});
  EXPECT_NE(p.error, "");
  EXPECT_EQ(p.args.report, "r.json");
}

TEST(Arguments, NamePartsThatStayInsideTheDirectory) {
  for (const char* ok : {"Tarvena1", "84", "a.b", ".x", "\xe0rea"}) EXPECT_EQ(name_part_problem(ok), "") << ok;
  for (const char* bad : {"", "/", "a\\b", "..", "x..", "a\x1f"}) EXPECT_NE(name_part_problem(bad), "") << bad;
}

}  // namespace
}  // namespace scenpack
