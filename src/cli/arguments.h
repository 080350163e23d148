// The command line: `scenpack [COMMAND] [OPTION...]`, the commands and
// their options as cli/command_table.cpp lists them. An option's value
// follows it as the next argument or after "=".
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/warning_kinds.h"

namespace scenpack {

enum class Subcommand { kRun, kEmit, kBuild, kCheck, kInspect, kPlot, kDiff, kInit, kLsp, kKeywords, kExplain, kHelp, kVersion };

enum class ListFormat { kText, kJson };

struct Arguments {
  Subcommand command = Subcommand::kRun;
  bool command_named = false;             // the command word was given (not run by default)
  Subcommand help_of = Subcommand::kHelp;  // --help: the command asked about, kHelp for all
  std::optional<std::string> dir;
  std::optional<std::string> report;
  bool quiet = false;
  std::optional<std::string> line;   // build: line description to copy in
  std::optional<std::string> train;  // build: train description to copy in
  std::string name = "Tarvena1";
  std::string number = "84";
  bool name_given = false;    // --name was on the command line
  bool number_given = false;  // --number was on the command line
  std::vector<std::string> operands;  // init: NAME NUM [DIR]; explain: CODE|NAME
  bool no_map = false;
  bool summary = false;                // build, inspect: print the summary
  std::optional<std::string> path;     // inspect, plot, diff: a directory or one compiled file
  std::optional<std::string> second_path;  // diff: the scenario compared with the first
  bool json = false;                   // inspect, keywords: one JSON document
  std::optional<std::string> cells;    // inspect: "FROM..TO", cell numbers
  std::optional<std::string> kind;     // inspect: a cell kind by name or number
  bool map = false;                    // inspect: list the map points
  bool raw = false;                    // inspect: the stored numbers alone
  std::optional<std::string> out;      // plot: the picture's file
  bool no_warnings = false;               // build, check: -w, print no warnings
  std::vector<WarningName> silenced;      // build, check: -Wno-NAME, print not these
  ListFormat format = ListFormat::kText;  // check: how the findings are listed
  size_t max_errors = 0;                  // check: stop after this many errors, 0 = no limit
  std::string format_word;                // the values as given, checked after parsing
  std::string max_errors_word;
};

struct ParsedArguments {
  Arguments args;     // what was understood, even on an error (for --report)
  std::string error;  // empty when the command line is valid
};

// True when the warning is to be shown under -w and -Wno-NAME.
bool warning_shown(const Arguments& a, WarningName name);

// `words` excludes the program name.
ParsedArguments parse_arguments(const std::vector<std::string>& words);

// Why a scenario name or train number cannot be part of a file name, or ""
// when it can: it must not be empty, hold a '/' or '\\', "..", or a control
// character, so that every file stays inside the directory.
std::string name_part_problem(std::string_view value);

}  // namespace scenpack
