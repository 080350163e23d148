#include "cli/arguments.h"

#include "cli/command_table.h"

#include "model/file_names.h"
#include "platform/file_system.h"

namespace scenpack {
namespace {

// The values of check's --format and --max-errors; "" when they are valid.
std::string check_options(Arguments& a) {
  if (a.format_word == "json") {
    a.format = ListFormat::kJson;
  } else if (!a.format_word.empty() && a.format_word != "text") {
    return "--format takes text or json, not '" + a.format_word + "'";
  }
  if (a.max_errors_word.empty()) return "";
  size_t n = 0;
  for (char c : a.max_errors_word) {
    if (c < '0' || c > '9' || n > 1000000000) return "--max-errors takes a whole number above 0";
    n = n * 10 + static_cast<size_t>(c - '0');
  }
  if (n == 0) return "--max-errors takes a whole number above 0";
  a.max_errors = n;
  return "";
}

// CON, PRN, AUX, NUL, COM0 to COM9, COM¹ to COM³, LPT0 to LPT9 and LPT¹ to
// LPT³ in any case: Windows opens the device instead of a file of that name
// (with any extension).
bool is_windows_device_name(std::string_view stem) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  std::string name;
  for (char c : stem) name += upper(c);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
    if (name == device) return true;
  }
  if (name.rfind("COM", 0) != 0 && name.rfind("LPT", 0) != 0) return false;
  const std::string_view port = std::string_view(name).substr(3);
  if (port.size() == 1) return port[0] >= '0' && port[0] <= '9';
  return port == "\xC2\xB9" || port == "\xC2\xB2" || port == "\xC2\xB3";  // ¹ ² ³ in UTF-8
}

// Why NAME and NUM cannot name the scenario's files together, or "" when
// they can: two of the eight files would be one (NUM "linea" makes the
// track cells NAME_linea.dat, the route map's name), or a name with its
// temporary's suffix would be longer than a file name can be.
std::string scenario_names_problem(const Arguments& a) {
  const ScenarioFiles files{"", a.name, a.number};
  if (const auto clash = files.clashing_files()) {
    return "--name and --number give two files one name: " + std::string(clash->first.role) + " " +
           clash->first.name + " and " + clash->second.role + " " + clash->second.name;
  }
  constexpr size_t kLongestName = kLongestFileName - kTemporarySuffixLength;
  if (files.longest_name() > kLongestName) {
    return "--name and --number make a file name of " + std::to_string(files.longest_name()) +
           " bytes; the most is " + std::to_string(kLongestName) + ", which leaves room for the " +
           std::to_string(kTemporarySuffixLength) + " bytes a file's temporary name adds";
  }
  return "";
}

// -Wno-NAME: the warning silenced; "" when NAME is one.
std::string silence_warning(Arguments& a, std::string_view name) {
  const std::optional<WarningName> w = warning_named(name);
  if (!w) return "unknown warning '" + std::string(name) + "' in -Wno-" + std::string(name);
  a.silenced.push_back(*w);
  return "";
}

// init's NAME NUM [DIR] into name, number and dir; "" when they are valid.
std::string init_operands(Arguments& a) {
  if (a.operands.size() < 2) return "init needs a scenario name and a train number";
  a.name = a.operands[0];
  a.number = a.operands[1];
  if (a.operands.size() > 2) a.dir = a.operands[2];
  return "";
}

}  // namespace

bool warning_shown(const Arguments& a, WarningName name) {
  if (a.no_warnings) return false;
  for (WarningName w : a.silenced) {
    if (w == name) return false;
  }
  return true;
}

std::string name_part_problem(std::string_view value) {
  if (value.empty()) return "is empty";
  if (value.find('/') != std::string_view::npos || value.find('\\') != std::string_view::npos) {
    return "holds a path separator";
  }
  if (value.find("..") != std::string_view::npos) return "holds \"..\"";
  for (unsigned char c : value) {
    if (c < 0x20 || c == 0x7F) return "holds a control character";
  }
  // The files must open on Windows too, where the simulator runs.
  if (value.find_first_of(":<>\"|?*") != std::string_view::npos) {
    return "holds a character Windows does not allow in a file name (: < > \" | ? *)";
  }
  if (value.back() == '.' || value.back() == ' ') return "ends in a dot or a blank, which Windows drops";
  if (is_windows_device_name(value.substr(0, value.find('.')))) {
    return "is the name of a Windows device (CON, PRN, AUX, NUL, COM0 to COM9, COM\xC2\xB9 to COM\xC2\xB3, LPT0 to "
           "LPT9, LPT\xC2\xB9 to LPT\xC2\xB3)";
  }
  return "";
}

ParsedArguments parse_arguments(const std::vector<std::string>& words) {
  ParsedArguments out;
  Arguments& a = out.args;
  size_t i = 0;
  const CommandSpec* command = words.empty() ? nullptr : find_command(words[0]);
  if (command) {
    a.command_named = true;
    ++i;
  } else {
    command = find_command(Subcommand::kRun);
  }
  a.command = command->command;
  const bool takes_path = !command->operand.empty();
  const bool takes_two_paths = a.command == Subcommand::kDiff;
  for (; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w == "--help" || w == "-h") {
      a.help_of = a.command_named ? a.command : Subcommand::kHelp;
      a.command = Subcommand::kHelp;
      return out;
    }
    if (w == "--version") {
      a.command = Subcommand::kVersion;
      return out;
    }
    constexpr std::string_view kSilence = "-Wno-";
    if ((a.command == Subcommand::kBuild || a.command == Subcommand::kCheck) && w.rfind(kSilence, 0) == 0) {
      std::string problem = silence_warning(a, std::string_view(w).substr(kSilence.size()));
      if (out.error.empty()) out.error = std::move(problem);
      continue;
    }
    const size_t eq = w.find('=');
    const std::string name = w.substr(0, eq);
    const OptionSpec* rule = nullptr;
    for (const CommandOption& o : command->options) {
      if (o.name == name) rule = find_option(name);
    }
    if (!rule && a.command == Subcommand::kInit && a.operands.size() < 3 && w.rfind("-", 0) != 0) {
      a.operands.push_back(w);  // NAME NUM [DIR]
      continue;
    }
    if (!rule && a.command == Subcommand::kExplain && a.operands.empty() && w.rfind("--", 0) != 0) {
      a.operands.push_back(w);  // CODE or NAME, "-Wunknown-keyword" too
      continue;
    }
    if (!rule && takes_path && !a.path && w.rfind("--", 0) != 0) {
      a.path = w;  // the first operand: a directory or a compiled file
      continue;
    }
    if (!rule && takes_two_paths && !a.second_path && w.rfind("--", 0) != 0) {
      a.second_path = w;
      continue;
    }
    if (!rule) {
      if (out.error.empty()) {
        out.error = name.rfind("--", 0) == 0 ? "unknown option '" + name + "' for " + std::string(command->name)
                                             : "unexpected argument '" + w + "'";
      }
      continue;  // keep reading: a --report later on is still honoured
    }
    std::string value;
    if (!rule->value.empty()) {
      if (eq != std::string::npos) {
        value = w.substr(eq + 1);
      } else if (i + 1 < words.size()) {
        value = words[++i];
      } else {
        if (out.error.empty()) out.error = "option '" + name + "' needs a value";
        continue;
      }
    } else if (eq != std::string::npos) {
      if (out.error.empty()) out.error = "option '" + name + "' takes no value";
      continue;
    }
    rule->apply(a, value);
  }
  if (out.error.empty() && takes_two_paths && !a.second_path) out.error = "diff needs two directories or two compiled files";
  // inspect and plot without PATH may take it from a scenario file (cli/scenario_settings).
  if (out.error.empty() && a.command == Subcommand::kInit) out.error = init_operands(a);
  if (out.error.empty() && a.command == Subcommand::kCheck) out.error = check_options(a);
  if (out.error.empty() && a.command == Subcommand::kExplain && a.operands.empty()) {
    out.error = "explain needs a fault code or a warning's name";
  }
  if (out.error.empty() && a.command != Subcommand::kRun && a.command != Subcommand::kEmit) {
    if (std::string p = name_part_problem(a.name); !p.empty()) out.error = "--name " + p;
    else if (std::string q = name_part_problem(a.number); !q.empty()) out.error = "--number " + q;
    else out.error = scenario_names_problem(a);
  }
  for (const auto* value : {&a.dir, &a.report, &a.line, &a.train, &a.path, &a.second_path, &a.out}) {
    if (out.error.empty() && value->has_value() && (*value)->empty()) out.error = "an option's file or directory is empty";
  }
  return out;
}

}  // namespace scenpack
