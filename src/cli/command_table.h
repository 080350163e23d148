// Every command of the command line and every option, in one table: the
// parser takes each command's options from it and the help texts are made
// from it. A new command is one entry in command_table() (and its
// Subcommand); a new option, one entry in option_table() and its name in
// the entry of each command that takes it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/arguments.h"

namespace scenpack {

struct OptionSpec {
  std::string_view name;   // "--dir", "-w"
  std::string_view value;  // what its value is called ("DIR"); "" for a switch
  void (*apply)(Arguments&, const std::string& value);
};

// An option as one command takes it, with what it does there.
struct CommandOption {
  std::string_view name;  // the name of an entry of option_table()
  std::string_view help;  // one sentence or a few, wrapped when printed
};

struct CommandSpec {
  Subcommand command;
  std::string_view name;         // the word on the command line
  bool is_default;               // the command run when no command word is given
  std::string_view operand;      // "PATH" for a command that takes one, else ""
  std::string_view summary;      // its line in the global help
  std::string_view description;  // the paragraph of its own help
  std::vector<CommandOption> options;
  std::string_view example;  // one command line
};

const std::vector<OptionSpec>& option_table();
const std::vector<CommandSpec>& command_table();

// The entry of the command word `name`, or null.
const CommandSpec* find_command(std::string_view name);
// The entry of `command`, or null for kHelp and kVersion.
const CommandSpec* find_command(Subcommand command);
// The entry of the option `name`, or null.
const OptionSpec* find_option(std::string_view name);

}  // namespace scenpack
