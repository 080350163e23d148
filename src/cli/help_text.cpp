#include "cli/help_text.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace scenpack {
namespace {

std::string option_label(std::string_view name) {
  const OptionSpec* option = find_option(name);
  std::string label(name);
  if (option && !option->value.empty()) label.append(" ").append(option->value);
  return label;
}

// "scenpack build [--dir DIR] [--line FILE] ...", wrapped under its first option.
std::string usage_line(const CommandSpec& c) {
  std::string head = "Usage: scenpack ";
  head += c.is_default ? std::string("[").append(c.name) + "]" : std::string(c.name);
  if (!c.operand.empty()) head.append(" ").append(c.operand);
  std::string items;
  for (const CommandOption& o : c.options) {
    // Each bracket kept whole: its blanks become no-break marks until filled.
    std::string item = std::string("[").append(option_label(o.name)) + "]";
    std::replace(item.begin(), item.end(), ' ', '\x01');
    items += item + " ";
  }
  std::string out;
  append_filled(out, head, items, head.size() + 1);
  std::replace(out.begin(), out.end(), '\x01', ' ');
  return out;
}

}  // namespace

void append_filled(std::string& out, std::string line, std::string_view words, size_t indent) {
  bool line_has_words = !line.empty() && line.back() != ' ';
  while (!words.empty()) {
    const size_t end = words.find(' ');
    const std::string_view word = words.substr(0, end);
    words = end == std::string_view::npos ? std::string_view() : words.substr(end + 1);
    if (word.empty()) continue;
    if (line_has_words && line.size() + 1 + word.size() > kHelpWidth) {
      out += line + "\n";
      line.assign(indent, ' ');
      line_has_words = false;
    }
    if (line_has_words) line += ' ';
    line += word;
    line_has_words = true;
  }
  out += line + "\n";
}

void append_row(std::string& out, const std::string& label, std::string_view text, size_t column) {
  std::string line = "  " + label;
  if (line.size() + 2 > column) {
    out += line + "\n";
    line.clear();
  }
  line.resize(column, ' ');
  append_filled(out, line, text, column);
}

std::string global_help() {
  std::string out =
      "Usage: scenpack [COMMAND] [OPTION...]\n"
      "\n"
      "Packages a driving scenario for a train-driving simulator: reads a line\n"
      "description and a train description and writes the compiled files\n"
      "NAME_linea.dat, NAME_NUM.sim and NAME_NUM.dat that the simulator loads.\n"
      "\n"
      "Commands:\n";
  size_t column = 0;
  for (const CommandSpec& c : command_table()) column = std::max(column, c.name.size() + 4);
  for (const CommandSpec& c : command_table()) append_row(out, std::string(c.name), c.summary, column);
  out +=
      "\n"
      "'scenpack COMMAND --help' shows a command's usage, options and an example.\n"
      "\n"
      "Options:\n"
      "  -h, --help   print this help (or a command's, after the command)\n"
      "  --version    print the version\n"
      "\n"
      "Exit status: 0 no fault, 1 fault recorded (files written), 2 stopped by\n"
      "1250/1251 (nothing written), 64 usage, 65 compiled file malformed, 66 input\n"
      "unreadable, 70 internal error, 74 I/O error.\n";
  return out;
}

std::string command_help(const CommandSpec& c) {
  std::string out = usage_line(c) + "\n";
  append_filled(out, "", c.description, 0);
  out += "\nOptions:\n";
  size_t column = std::string_view("  -h, --help").size() + 2;
  for (const CommandOption& o : c.options) column = std::max(column, option_label(o.name).size() + 4);
  column = std::min<size_t>(column, 24);
  for (const CommandOption& o : c.options) append_row(out, option_label(o.name), o.help, column);
  append_row(out, "-h, --help", "print this help", column);
  out += "\nExample:\n  " + std::string(c.example) + "\n";
  return out;
}

}  // namespace scenpack
