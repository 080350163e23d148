#include "cli/check_command.h"

#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/findings.h"
#include "cli/other_scenarios.h"
#include "driver/check.h"
#include "model/file_names.h"

namespace scenpack {
namespace {

// The working text in the directory, listed by its path from where the
// user stands (the bare name when no --dir was given).
CheckedText working_text(const Arguments& a, const ScenarioFiles& files, const std::string& name) {
  const std::string path = files.path(name);
  return CheckedText{path, a.dir ? path : name, false};
}

CheckedText description(const Arguments& a, const std::optional<std::string>& named, const ScenarioFiles& files,
                        const std::string& name) {
  if (named) return CheckedText{*named, *named, true};
  return working_text(a, files, name);
}

// -w and -Wno-NAME: the warnings left out, with the notes that follow
// them; `warnings` counts the warnings kept.
std::vector<Diagnostic> shown_findings(const Arguments& a, const std::vector<Diagnostic>& list, size_t& warnings) {
  std::vector<Diagnostic> kept;
  bool dropping = false;
  warnings = 0;
  for (const Diagnostic& d : list) {
    if (d.severity != Severity::kNote) dropping = d.severity == Severity::kWarning && !warning_shown(a, d.warning);
    if (dropping) continue;
    if (d.severity == Severity::kWarning) ++warnings;
    kept.push_back(d);
  }
  return kept;
}

void put(const std::string& text) { std::fwrite(text.data(), 1, text.size(), stdout); }

}  // namespace

int run_check(const Arguments& a) {
  const ScenarioFiles files{a.dir.value_or("."), a.name, a.number};
  const CheckedText line = description(a, a.line, files, files.line_text());
  const CheckedText train = description(a, a.train, files, files.train_text());
  Tables t;
  t.nome_scenario = a.name;
  t.numero_treno = a.number;
  const size_t limit = a.max_errors == 0 ? std::numeric_limits<size_t>::max() : a.max_errors;
  const CheckOutcome out = check_scenario(t, a.no_map ? 0 : 1, line, train, limit);
  if (!out.status.is_ok()) {
    std::fprintf(stderr, "scenpack: %s\n", out.status.message().c_str());
    return exit_status::kNoInput;
  }

  size_t warnings = 0;
  std::vector<Diagnostic> list = shown_findings(a, out.diagnostics, warnings);
  if (out.errors > 0) {
    const std::string hint = other_scenarios_hint(files, a.line.has_value(), a.train.has_value());
    if (!hint.empty()) list.push_back(Diagnostic{Severity::kNote, FaultCode::kNone, 0, SourceLocation{}, hint});
  }
  if (out.stopped) {
    list.push_back(Diagnostic{Severity::kNote, FaultCode::kNone, 0, SourceLocation{},
                              "stopped after " + std::to_string(out.errors) + " errors (--max-errors)"});
  }
  if (a.format == ListFormat::kJson) {
    put(findings_json(list));
  } else {
    // Each description's lines found once, however many findings it has.
    const SourceLines line_lines(out.line_bytes), train_lines(out.train_bytes), none;
    for (const Diagnostic& d : list) {
      const SourceLines& source = d.where.file == line.shown    ? line_lines
                                  : d.where.file == train.shown ? train_lines
                                                                : none;
      put(finding_text(d, source));
    }
    put(summary_line(out.errors, warnings) + "\n");
  }
  std::fflush(stdout);
  return out.errors == 0 ? exit_status::kOk : exit_status::kFault;
}

}  // namespace scenpack
