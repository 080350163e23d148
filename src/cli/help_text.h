// The help texts, made from the table of commands: the global help lists
// the commands one line each; a command's help gives its usage, what it
// does, its options and one example.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "cli/command_table.h"

namespace scenpack {

// The width of the help texts.
inline constexpr size_t kHelpWidth = 79;

// `words` filled into lines of at most kHelpWidth columns where it can be; the
// first line continues `line`, the others start with `indent` blanks.
void append_filled(std::string& out, std::string line, std::string_view words, size_t indent);

// A two-column row: "  label", then its text filled from column `column`
// (on the next line when the label reaches it).
void append_row(std::string& out, const std::string& label, std::string_view text, size_t column);

std::string global_help();
std::string command_help(const CommandSpec& command);

}  // namespace scenpack
