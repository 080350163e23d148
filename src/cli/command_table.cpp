#include "cli/command_table.h"

namespace scenpack {

const std::vector<OptionSpec>& option_table() {
  static const std::vector<OptionSpec> options = {
      {"--dir", "DIR", [](Arguments& a, const std::string& v) { a.dir = v; }},
      {"--line", "FILE", [](Arguments& a, const std::string& v) { a.line = v; }},
      {"--train", "FILE", [](Arguments& a, const std::string& v) { a.train = v; }},
      {"--name", "NAME", [](Arguments& a, const std::string& v) { a.name = v, a.name_given = true; }},
      {"--number", "NUM", [](Arguments& a, const std::string& v) { a.number = v, a.number_given = true; }},
      {"--no-map", "", [](Arguments& a, const std::string&) { a.no_map = true; }},
      {"--report", "FILE", [](Arguments& a, const std::string& v) { a.report = v; }},
      {"--quiet", "", [](Arguments& a, const std::string&) { a.quiet = true; }},
      {"--summary", "", [](Arguments& a, const std::string&) { a.summary = true; }},
      {"-w", "", [](Arguments& a, const std::string&) { a.no_warnings = true; }},
      {"--format", "text|json", [](Arguments& a, const std::string& v) { a.format_word = v; }},
      {"--max-errors", "N", [](Arguments& a, const std::string& v) { a.max_errors_word = v; }},
      {"--json", "", [](Arguments& a, const std::string&) { a.json = true; }},
      {"--cells", "FROM..TO", [](Arguments& a, const std::string& v) { a.cells = v; }},
      {"--kind", "K", [](Arguments& a, const std::string& v) { a.kind = v; }},
      {"--map", "", [](Arguments& a, const std::string&) { a.map = true; }},
      {"--raw", "", [](Arguments& a, const std::string&) { a.raw = true; }},
      {"--out", "FILE", [](Arguments& a, const std::string& v) { a.out = v; }},
      {"--stdio", "", [](Arguments&, const std::string&) {}},
      // Read by the parser itself, before the table: here for the help.
      {"-Wno-NAME", "", [](Arguments&, const std::string&) {}},
  };
  return options;
}

namespace {

// What the options shared by several commands do.
constexpr std::string_view kNameHelp = "the scenario name, the first part of every file name (default Tarvena1)";
constexpr std::string_view kNumberHelp = "the train number, the second part of the train's file names (default 84)";
constexpr std::string_view kNoMapHelp = "build without the route map: curves are passed over and NAME_linea.dat is "
                                        "left alone";
constexpr std::string_view kReportHelp = "write the outcome as one JSON object into FILE, whatever it is (never "
                                         "over a file of the run)";
constexpr std::string_view kQuietHelp = "do not show the waiting line \"Attendere\" (shown only on a terminal)";
constexpr std::string_view kCompiledNameHelp = "the scenario name of the files in a directory PATH (default "
                                               "Tarvena1)";
constexpr std::string_view kCompiledNumberHelp = "the train number of the files in a directory PATH (default 84)";

}  // namespace

const std::vector<CommandSpec>& command_table() {
  static const std::vector<CommandSpec> commands = {
      {Subcommand::kRun, "run", true, "",
       "write the embedded scenario's texts and build them (the default)",
       "Writes the five texts of the scenario the program holds (route Tarvena1, train 84: its two descriptions "
       "and three documents for the driver) into DIR, then builds them with the route map into "
       "Tarvena1_linea.dat, Tarvena1_84.sim and Tarvena1_84.dat, and deletes the two descriptions.",
       {{"--dir", "the directory that receives every file, made if missing (default: the folder of the "
                  "program; the current directory when the program is installed, in a bin folder beside a "
                  "share folder)"},
        {"--report", kReportHelp},
        {"--quiet", kQuietHelp}},
       "scenpack run --dir out --quiet"},
      {Subcommand::kEmit, "emit", false, "",
       "write the embedded scenario's five texts only",
       "Writes the five texts of the scenario the program holds into DIR and stops: a complete pair of "
       "descriptions to start a new scenario from.",
       {{"--dir", "the directory that receives the texts, made if missing (default: the current directory)"}},
       "scenpack emit --dir nuovo"},
      {Subcommand::kBuild, "build", false, "",
       "build the compiled files from the descriptions in a directory",
       "Reads the working descriptions NAME_linea.txt and NAME_NUM-.txt in DIR and writes NAME_linea.dat, "
       "NAME_NUM.sim and NAME_NUM.dat beside them. Descriptions an author left in DIR are read and kept. "
       "Warnings (what the build accepts but an author almost never means) are printed on stderr as a "
       "compiler prints them; they change nothing else.",
       {{"--dir", "the directory of the working descriptions and the compiled files (default: the current "
                  "directory), made if missing when --line or --train gives the descriptions"},
        {"--line", "read FILE in place as the line description instead of DIR's working one; no copy is made "
                   "and FILE is kept; messages name FILE"},
        {"--train", "the same for the train description"},
        {"--name", kNameHelp},
        {"--number", kNumberHelp},
        {"--no-map", kNoMapHelp},
        {"--report", kReportHelp},
        {"--quiet", kQuietHelp},
        {"--summary", "after writing the files, print the scenario at a glance on stdout"},
        {"-w", "do not print warnings"},
        {"-Wno-NAME", "do not print the warning NAME (as printed after it: [-WNAME])"}},
       "scenpack build --dir out --name Valle --line linea.txt --train treno.txt"},
      {Subcommand::kCheck, "check", false, "",
       "list every fault of the descriptions, writing nothing",
       "Reads the two descriptions (the files --line and --train name, in place, or the working descriptions in "
       "DIR) and runs the whole build on them without writing, renaming or deleting any file. Every fault is "
       "listed on stdout in source order, compiler style, with the source line and a caret under the field, "
       "then a summary. Exit status 0 without errors (warnings allowed), 1 with errors.",
       {{"--dir", "the directory of the working descriptions (default: the current directory)"},
        {"--line", "read the line description from FILE"},
        {"--train", "read the train description from FILE"},
        {"--name", kNameHelp},
        {"--number", kNumberHelp},
        {"--no-map", kNoMapHelp},
        {"--format", "a compiler-style listing (the default) or one JSON array of findings"},
        {"--max-errors", "stop after N errors"},
        {"-w", "do not list warnings"},
        {"-Wno-NAME", "do not list the warning NAME (as printed after it: [-WNAME])"}},
       "scenpack check --line linea.txt --train treno.txt --max-errors 20"},
      {Subcommand::kInspect, "inspect", false, "PATH",
       "show what compiled files hold, in the author's terms",
       "Shows what the compiled files hold, from the files alone: the scenario at a glance, then the records in "
       "use with their role and the cells that hold something, each with the span of route it stands for "
       "(6000-6049 m) and its kind by name. Beside the stored numbers stands what they mean in the guide's "
       "terms: speed limits in km/h, gradients in signed per mille, times as hh:mm:ss, a signal's codes. Names "
       "are decoded from Windows-1252, control characters shown as \\x1b. PATH is a directory (the files of "
       "NAME and NUM in it) or one of the three files, told by its name.",
       {{"--name", kCompiledNameHelp},
        {"--number", kCompiledNumberHelp},
        {"--json", "one JSON document instead of text: every field under its name in docs/formats.md and the "
                   "meanings under their own names; indented when stdout is a terminal"},
        {"--summary", "the scenario at a glance alone: route length, cells by kind, check codes, stations, "
                      "signals, slow orders, boards, code points, tunnels"},
        {"--cells", "only the cells FROM to TO (either may be left out), whatever they hold"},
        {"--kind", "only the cells of kind K, by name (\"signal\", \"code point\", ...) or number"},
        {"--map", "the map points too, as metre and coordinates (with --cells, those of the cells' metres)"},
        {"--raw", "the stored numbers alone, each cell at the metre its description gave, no summary"}},
       "scenpack inspect out/Tarvena1_84.dat --kind signal --cells 400..500"},
      {Subcommand::kPlot, "plot", false, "PATH",
       "draw the route map and the line profile into one picture",
       "Draws the compiled scenario of PATH (as for inspect) into one self-contained picture aligned on "
       "position in km: the route map with its stations and tunnels, and under it the line profile with the "
       "speed limits, gradients, slow orders, signals, code points, text boards and stations.",
       {{"--name", kCompiledNameHelp},
        {"--number", kCompiledNumberHelp},
        {"--out", "the picture's file: FILE.svg gives SVG, FILE.html one page with the picture and the tables "
                  "of stations, slow orders and signals (default NAME_NUM.svg in the current directory)"}},
       "scenpack plot out --out route.html"},
      {Subcommand::kDiff, "diff", false, "A B",
       "list what changed between two compiled scenarios",
       "Compares two compiled scenarios, A and B (two directories with the files of NAME and NUM, or two files "
       "of one kind), and lists what changed in the author's terms: record fields by role (a station's time), "
       "the cells' speed limit, gradient, adhesion, tunnel kind and look-back values as runs of route (speed "
       "limit 110 -> 100 km/h over 7150-16249 m), the objects on the cells added, removed, moved or changed (a "
       "moved signal's look-back values go with it), and the route map's first differing metre and the largest "
       "distance between the two tracks. Nothing is printed when they are the same. Exit status 0 when the "
       "same, 1 when different.",
       {{"--name", "the scenario name of the files in the two directories (default Tarvena1)"},
        {"--number", "the train number of the files in the two directories (default 84)"},
        {"--json", "one JSON document instead of text"},
        {"--summary", "the counts of differences alone"}},
       "scenpack diff published rebuilt"},
      {Subcommand::kInit, "init", false, "NAME NUM [DIR]",
       "start a new scenario: a scenario file and two starting descriptions",
       "Writes, into DIR (default: the current directory, created when missing), the scenario file "
       "scenpack.ini that names scenario NAME with train NUM, and its two descriptions NAME_linea.txt and "
       "NAME_NUM-.txt, the embedded scenario's to start from. Nothing is overwritten: when any of the three "
       "is there, nothing is written. Then build, check, inspect and plot, run in DIR or below it without "
       "--line, --train or --dir, take the scenario from the file.",
       {},
       "scenpack init Valdora1 12 valdora"},
      {Subcommand::kLsp, "lsp", false, "",
       "serve an editor: check's findings shown as the author types",
       "A language server (the Language Server Protocol, JSON-RPC over stdin and stdout) for both "
       "descriptions, started by an editor, not by hand. On every opening, change and save of a description "
       "it checks the editor's text with the other description of its pair (named by a scenpack.ini in the "
       "folder or above it, else found by the working names NAME_linea.txt and NAME_NUM-.txt beside it) and "
       "shows the findings of check under the text (at most 200 errors), with their related places and a "
       "quick fix for a warning that has one mend; it also explains a field on hover, completes the keywords "
       "of a section and lists the sections and records as the document's outline. It reads files "
       "but writes none. Exit status 0 after the editor's shutdown, 1 when its input ends without one.",
       {{"--stdio", "talk over stdin and stdout (the only way, and the default; editors' clients add it)"}},
       "scenpack lsp"},
      {Subcommand::kKeywords, "keywords", false, "",
       "list the sections and record keywords of both descriptions",
       "Lists, for the line description and then the train description, each section and the keywords of "
       "the records written in it with their fields in order: the one list that the editor packages' "
       "grammars are checked against.",
       {{"--json", "one JSON document: {\"line\": {\"sections\": [...], \"records\": [{\"keyword\", "
                   "\"section\", \"meaning\", \"fields\"}]}, \"train\": {...}}"}},
       "scenpack keywords --json"},
      {Subcommand::kExplain, "explain", false, "CODE|NAME",
       "say what a fault code or a warning means and how to fix it",
       "Prints what a fault code (16, 1250) or a warning, by the name printed after it (unknown-keyword, "
       "also written -Wunknown-keyword), means, what causes it and how to fix it: the same words as the "
       "tables of fault codes and warnings in the author's guide. An unknown code or name is a usage error "
       "(exit status 64), with the nearest warning's name when one is close.",
       {},
       "scenpack explain unknown-keyword"},
  };
  return commands;
}

const CommandSpec* find_command(std::string_view name) {
  for (const CommandSpec& c : command_table()) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

const CommandSpec* find_command(Subcommand command) {
  for (const CommandSpec& c : command_table()) {
    if (c.command == command) return &c;
  }
  return nullptr;
}

const OptionSpec* find_option(std::string_view name) {
  for (const OptionSpec& o : option_table()) {
    if (o.name == name) return &o;
  }
  return nullptr;
}

}  // namespace scenpack
