#include "lsp/diagnostics.h"

#include <limits>

#include "driver/check.h"
#include "lsp/file_uri.h"
#include "lsp/line_index.h"

namespace scenpack {
namespace {

using nlohmann::json;

int severity_number(Severity s) {
  switch (s) {
    case Severity::kError: return 1;
    case Severity::kWarning: return 2;
    case Severity::kNote: return 3;
  }
  return 1;
}

// The range of a finding: the field at its column, the whole line when it
// has no column, the start of the text when it has no line.
json finding_range(const LineIndex& lines, const SourceLocation& where) {
  if (where.line <= 0) return line_range(0, 0, 0);
  const size_t n = static_cast<size_t>(where.line - 1);
  const std::string_view text = lines.line(n);
  if (where.column <= 0) return line_range(n, 0, text.size());
  const ColumnSpan span = field_span(text, static_cast<size_t>(where.column - 1));
  return line_range(n, span.start, span.end);
}

json diagnostic_json(const Diagnostic& d, const LineIndex& lines) {
  json out = {{"range", finding_range(lines, d.where)},
              {"severity", severity_number(d.severity)},
              {"source", "scenpack"}};
  if (d.severity == Severity::kError) {
    out["code"] = code_number(d.code);
    out["message"] = fault_text(code_number(d.code), d.position, d.message);
  } else {
    out["message"] = d.message;
  }
  return out;
}

json note_at_start(std::string message) {
  return {{"range", line_range(0, 0, 0)}, {"severity", 3}, {"source", "scenpack"}, {"message", std::move(message)}};
}

void add_unconvertible(const DescriptionInput& in, json& list) {
  for (const UnconvertibleCharacter& c : in.unconvertible) {
    const size_t start = static_cast<size_t>(c.at.character);
    list.push_back({{"range", line_range(static_cast<size_t>(c.at.line), start, start + static_cast<size_t>(c.units))},
                    {"severity", 1},
                    {"source", "scenpack"},
                    {"code", "windows-1252"},
                    {"message", "\"" + c.character +
                                    "\" has no Windows-1252 form: the file cannot hold it (read as '?')"}});
  }
  if (in.unconvertible_count > in.unconvertible.size()) {
    list.push_back(note_at_start(std::to_string(in.unconvertible_count) +
                                 " characters have no Windows-1252 form; the first " +
                                 std::to_string(in.unconvertible.size()) + " are shown"));
  }
}

DescriptionText text_of(const DescriptionInput& in) {
  DescriptionText d;
  d.name = in.path;
  if (in.bytes) d.bytes = std::string_view(*in.bytes);
  return d;
}

}  // namespace

json line_range(size_t line, size_t start, size_t end) {
  return {{"start", {{"line", line}, {"character", start}}}, {"end", {{"line", line}, {"character", end}}}};
}

std::vector<Publication> diagnose(const DescriptionPair& pair, const DescriptionInput& line,
                                  const DescriptionInput& train) {
  std::vector<Publication> out;
  Publication line_list{line.uri};
  Publication train_list{train.uri};
  if (line.bytes) {
    // Without its train description the line description is still checked
    // on its own, against an empty train description.
    const DescriptionInput& train_read = train.bytes ? train : DescriptionInput{train.path, train.uri, std::string(), {}, 0};
    Tables t;
    t.nome_scenario = pair.name;
    t.numero_treno = pair.number;
    const CheckOutcome outcome =
        check_descriptions(t, 1, text_of(line), text_of(train_read), std::numeric_limits<size_t>::max());
    const LineIndex line_lines(*line.bytes);
    const LineIndex train_lines(*train_read.bytes);
    for (const Diagnostic& d : outcome.diagnostics) {
      const bool of_line = !d.where.file.empty() && d.where.file == line.path;
      if (!of_line && !train.bytes) continue;
      // A finding of no description (the cab-code pass) is shown at the
      // start of the train description, where the records it concerns are.
      (of_line ? line_list : train_list).diagnostics.push_back(diagnostic_json(d, of_line ? line_lines : train_lines));
    }
  } else if (!train.path.empty()) {
    train_list.diagnostics.push_back(note_at_start(
        "no line description goes with this train description (" + pair.name +
        "_linea.txt beside it, or a scenpack.ini that names both): it is checked once there is one"));
  }
  if (line.bytes && !train.bytes) {
    line_list.diagnostics.push_back(note_at_start(
        "no train description goes with this line description (" + pair.name +
        "_NUM-.txt beside it, or a scenpack.ini that names both): it is checked on its own"));
  }
  add_unconvertible(line, line_list.diagnostics);
  add_unconvertible(train, train_list.diagnostics);
  if (!line.uri.empty()) out.push_back(std::move(line_list));
  if (!train.uri.empty()) out.push_back(std::move(train_list));
  if (pair.scenario_fault) {
    const ScenarioFileFault& f = *pair.scenario_fault;
    const size_t n = f.line > 0 ? static_cast<size_t>(f.line - 1) : 0;
    out.push_back(Publication{file_uri_of_path(pair.scenario_path),
                              json::array({{{"range", line_range(n, 0, f.line > 0 ? 1000 : 0)},
                                            {"severity", 1},
                                            {"source", "scenpack"},
                                            {"message", f.message}}})});
  }
  return out;
}

}  // namespace scenpack
