#include "cli/arguments.h"

#include <functional>

namespace scenpack {
namespace {

struct OptionRule {
  std::string_view name;
  bool takes_value;
  std::function<void(Arguments&, const std::string&)> apply;
};

std::vector<OptionRule> options_of(Subcommand c) {
  const OptionRule dir{"--dir", true, [](Arguments& a, const std::string& v) { a.dir = v; }};
  const OptionRule report{"--report", true, [](Arguments& a, const std::string& v) { a.report = v; }};
  const OptionRule quiet{"--quiet", false, [](Arguments& a, const std::string&) { a.quiet = true; }};
  const OptionRule line{"--line", true, [](Arguments& a, const std::string& v) { a.line = v; }};
  const OptionRule train{"--train", true, [](Arguments& a, const std::string& v) { a.train = v; }};
  const OptionRule name{"--name", true, [](Arguments& a, const std::string& v) { a.name = v; }};
  const OptionRule number{"--number", true, [](Arguments& a, const std::string& v) { a.number = v; }};
  const OptionRule no_map{"--no-map", false, [](Arguments& a, const std::string&) { a.no_map = true; }};
  const OptionRule summary{"--summary", false, [](Arguments& a, const std::string&) { a.summary = true; }};
  switch (c) {
    case Subcommand::kEmit:
      return {dir};
    case Subcommand::kBuild:
      return {dir, report, quiet, line, train, name, number, summary, no_map,
              {"-w", false, [](Arguments& a, const std::string&) { a.no_warnings = true; }}};
    case Subcommand::kCheck:
      return {dir, line, train, name, number, no_map,
              {"--format", true, [](Arguments& a, const std::string& v) { a.format_word = v; }},
              {"--max-errors", true, [](Arguments& a, const std::string& v) { a.max_errors_word = v; }}};
    case Subcommand::kInspect:
      return {name, number, summary,
              {"--json", false, [](Arguments& a, const std::string&) { a.json = true; }},
              {"--cells", true, [](Arguments& a, const std::string& v) { a.cells = v; }},
              {"--kind", true, [](Arguments& a, const std::string& v) { a.kind = v; }}};
    case Subcommand::kPlot:
      return {name, number, {"--out", true, [](Arguments& a, const std::string& v) { a.out = v; }}};
    default:
      return {dir, report, quiet};
  }
}

const char* command_name(Subcommand c) {
  switch (c) {
    case Subcommand::kEmit: return "emit";
    case Subcommand::kBuild: return "build";
    case Subcommand::kInspect: return "inspect";
    case Subcommand::kPlot: return "plot";
    case Subcommand::kCheck: return "check";
    default: return "run";
  }
}

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

// CON, PRN, AUX, NUL, COM0 to COM9 and LPT0 to LPT9 in any case: Windows
// opens the device instead of a file of that name (with any extension).
bool is_windows_device_name(std::string_view stem) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  std::string name;
  for (char c : stem) name += upper(c);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  for (const char* device : {"CON", "PRN", "AUX", "NUL"}) {
    if (name == device) return true;
  }
  return name.size() == 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0) && name[3] >= '0' &&
         name[3] <= '9';
}

}  // namespace

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
    return "is the name of a Windows device (CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9)";
  }
  return "";
}

ParsedArguments parse_arguments(const std::vector<std::string>& words) {
  ParsedArguments out;
  Arguments& a = out.args;
  size_t i = 0;
  if (i < words.size()) {
    if (words[i] == "run") a.command = Subcommand::kRun, ++i;
    else if (words[i] == "emit") a.command = Subcommand::kEmit, ++i;
    else if (words[i] == "build") a.command = Subcommand::kBuild, ++i;
    else if (words[i] == "inspect") a.command = Subcommand::kInspect, ++i;
    else if (words[i] == "check") a.command = Subcommand::kCheck, ++i;
    else if (words[i] == "plot") a.command = Subcommand::kPlot, ++i;
  }
  const bool takes_path = a.command == Subcommand::kInspect || a.command == Subcommand::kPlot;
  const std::vector<OptionRule> rules = options_of(a.command);
  for (; i < words.size(); ++i) {
    const std::string& w = words[i];
    if (w == "--help" || w == "-h") {
      a.command = Subcommand::kHelp;
      return out;
    }
    if (w == "--version") {
      a.command = Subcommand::kVersion;
      return out;
    }
    const size_t eq = w.find('=');
    const std::string name = w.substr(0, eq);
    const OptionRule* rule = nullptr;
    for (const OptionRule& s : rules) {
      if (s.name == name) rule = &s;
    }
    if (!rule && takes_path && !a.path && w.rfind("--", 0) != 0) {
      a.path = w;  // the one operand: a directory or a compiled file
      continue;
    }
    if (!rule) {
      if (out.error.empty()) {
        out.error = name.rfind("--", 0) == 0 ? "unknown option '" + name + "' for " + command_name(a.command)
                                             : "unexpected argument '" + w + "'";
      }
      continue;  // keep reading: a --report later on is still honoured
    }
    std::string value;
    if (rule->takes_value) {
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
  if (out.error.empty() && takes_path && !a.path) out.error = std::string(command_name(a.command)) + " needs a directory or a compiled file";
  if (out.error.empty() && a.command == Subcommand::kCheck) out.error = check_options(a);
  if (out.error.empty() && a.command != Subcommand::kRun && a.command != Subcommand::kEmit) {
    if (std::string p = name_part_problem(a.name); !p.empty()) out.error = "--name " + p;
    else if (std::string q = name_part_problem(a.number); !q.empty()) out.error = "--number " + q;
  }
  for (const auto* value : {&a.dir, &a.report, &a.line, &a.train, &a.path, &a.out}) {
    if (out.error.empty() && value->has_value() && (*value)->empty()) out.error = "an option's file or directory is empty";
  }
  return out;
}

std::string usage_text() {
  return "Usage: scenpack [run] [--dir DIR] [--report FILE] [--quiet]\n"
         "       scenpack emit  [--dir DIR]\n"
         "       scenpack build [--dir DIR] [--line FILE] [--train FILE] [--name NAME]\n"
         "                      [--number NUM] [--no-map] [--report FILE] [--quiet]\n"
         "                      [--summary] [-w]\n"
         "       scenpack inspect PATH [--name NAME] [--number NUM] [--json] [--summary]\n"
         "                        [--cells FROM..TO] [--kind K]\n"
         "       scenpack check [--dir DIR] [--line FILE] [--train FILE] [--name NAME]\n"
         "                      [--number NUM] [--no-map] [--format text|json] [--max-errors N]\n"
         "       scenpack plot PATH [--name NAME] [--number NUM] [--out FILE]\n"
         "       scenpack -h | --help | --version\n"
         "\n"
         "Packages the driving scenario: writes its source texts, reads them back and\n"
         "writes NAME_linea.dat, NAME_NUM.sim and NAME_NUM.dat into DIR.\n"
         "\n"
         "  run     emit the texts, then build with the route map\n"
         "          (DIR: the directory of the executable)\n"
         "  emit    write the five texts only (DIR: the current directory)\n"
         "  build   read the working texts in DIR and write the compiled files\n"
         "          (DIR: the current directory; NAME Tarvena1, NUM 84); texts left\n"
         "          in DIR are kept, copies made by --line/--train deleted;\n"
         "          warnings (as check lists them) go to stderr\n"
         "  check   read the descriptions (FILE in place, or the working texts in DIR)\n"
         "          and list every fault with its line, column and source line;\n"
         "          nothing is written or deleted; exit 0 without errors, else 1\n"
         "  inspect list the compiled files of NAME and NUM in the directory PATH, or\n"
         "          the one compiled file PATH: records with their role, cells with\n"
         "          their metre and kind, map points\n"
         "  plot    draw the route map and the line profile of PATH into one picture\n"
         "          (default NAME_NUM.svg in the current directory)\n"
         "\n"
         "  --line FILE, --train FILE  build: copy FILE into DIR as the working text\n"
         "                             first; check: read FILE; messages name FILE\n"
         "  --no-map                   do not build or write NAME_linea.dat\n"
         "  --report FILE              write the outcome as one JSON object (never over\n"
         "                             a file of the run)\n"
         "  --quiet                    do not show \"Attendere\"\n"
         "  --summary                  print the scenario at a glance (build, inspect)\n"
         "  --json                     inspect: one JSON document instead of text\n"
         "  --cells FROM..TO           inspect: only cells FROM to TO (either may be left\n"
         "                             out) and the map points of their metres\n"
         "  --kind K                   inspect: only cells of kind K (\"signal\", \"code\n"
         "                             point\", ... or a number)\n"
         "  -w                         build: do not print warnings\n"
         "  --format text|json         check: a compiler-style listing (the default)\n"
         "                             or one JSON array of findings\n"
         "  --max-errors N             check: stop after N errors\n"
         "  --out FILE                 plot: FILE.svg gives SVG, FILE.html one page with\n"
         "                             the picture and the tables\n"
         "\n"
         "Exit status: 0 no fault, 1 fault recorded (files written), 2 stopped by\n"
         "1250/1251 (nothing written), 64 usage, 65 compiled file malformed, 66 input\n"
         "unreadable, 70 internal error, 74 I/O error.\n";
}

}  // namespace scenpack
