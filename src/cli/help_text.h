// The help texts, made from the table of commands: the global help lists
// the commands one line each; a command's help gives its usage, what it
// does, its options and one example.
#pragma once

#include <string>

#include "cli/command_table.h"

namespace scenpack {

std::string global_help();
std::string command_help(const CommandSpec& command);

}  // namespace scenpack
