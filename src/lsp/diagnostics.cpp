#include "lsp/diagnostics.h"


#include "driver/check.h"
#include "lsp/file_uri.h"
#include "lsp/line_index.h"
#include "base/windows_1252.h"

namespace scenpack {
namespace {

using nlohmann::json;

// The errors shown in the editor: more than an author reads, few enough
// that the longest route's thousands of cab-code faults are published
// within a few milliseconds of a change.
constexpr size_t kMostErrorsShown = 200;

int severity_number(Severity s) {
  switch (s) {
    case Severity::kError: return 1;
    case Severity::kWarning: return 2;
    case Severity::kNote: return 3;
  }
  return 1;
}

// The range of a place: the field at its column, the whole line when it
// has no column, the start of the text when it has no line.
json place_range(const LineIndex& lines, const SourceLocation& where) {
  if (where.line <= 0) return line_range(0, 0, 0);
  const size_t n = static_cast<size_t>(where.line - 1);
  const std::string_view text = lines.line(n);
  if (where.column <= 0) return line_range(n, 0, text.size());
  const ColumnSpan span = field_span(text, static_cast<size_t>(where.column - 1));
  return line_range(n, span.start, span.end);
}

// One description of the pair as the findings name it: its path, its
// editor URI and its lines.
struct Source {
  const std::string& path;
  const std::string& uri;
  LineIndex lines;
};

// The source a finding belongs to. A finding of no description (the
// cab-code pass) belongs to the train description, where the records it
// concerns are.
const Source* source_of(const SourceLocation& where, const Source& line, const Source& train) {
  if (!where.file.empty() && where.file == line.path) return &line;
  if (where.file.empty() || where.file == train.path) return &train;
  return nullptr;
}

json related_information(const Diagnostic& d, const Source& line, const Source& train) {
  json out = json::array();
  for (const RelatedPlace& r : d.related) {
    const Source* s = source_of(r.where, line, train);
    if (!s || s->uri.empty()) continue;
    out.push_back({{"location", {{"uri", s->uri}, {"range", place_range(s->lines, r.where)}}}, {"message", r.message}});
  }
  return out;
}

json diagnostic_json(const Diagnostic& d, const Source& own, const Source& line, const Source& train) {
  json out = {{"range", place_range(own.lines, d.where)},
              {"severity", severity_number(d.severity)},
              {"source", "scenpack"}};
  if (d.severity == Severity::kError) {
    out["code"] = code_number(d.code);
    out["message"] = fault_text(code_number(d.code), d.position, d.message);
  } else {
    if (d.warning != WarningName::kNone) out["code"] = std::string(warning_kind(d.warning).name);
    out["message"] = d.message;
  }
  json related = related_information(d, line, train);
  if (!related.empty()) out["relatedInformation"] = std::move(related);
  return out;
}

// "'pendeza'" for the editor: the Windows-1252 bytes in UTF-8, quoted.
std::string in_quotes(std::string_view bytes) {
  std::string out(1, '\'');
  out += utf8_from_windows_1252(bytes);
  out += '\'';
  return out;
}

// The quick fix of a finding's one mend, or null when the mend does not
// lie on a line of its description.
json quick_fix(const Fix& f, const json& diagnostic, const Source& s) {
  if (f.where.line <= 0 || f.where.column <= 0 || f.end_column < f.where.column) return nullptr;
  const size_t n = static_cast<size_t>(f.where.line - 1);
  const std::string_view text = s.lines.line(n);
  const size_t start = static_cast<size_t>(f.where.column - 1);
  const size_t end = static_cast<size_t>(f.end_column - 1);
  if (n >= s.lines.count() || end > text.size()) return nullptr;
  const std::string_view replaced = text.substr(start, end - start);
  const std::string title = replaced.empty() ? "Insert " + in_quotes(f.replacement)
                            : f.replacement.empty()
                                ? "Remove " + in_quotes(replaced)
                                : "Replace " + in_quotes(replaced) + " with " + in_quotes(f.replacement);
  const json edit = {{"range", line_range(n, start, end)}, {"newText", utf8_from_windows_1252(f.replacement)}};
  return {{"title", title},
          {"kind", "quickfix"},
          {"isPreferred", true},
          {"diagnostics", json::array({diagnostic})},
          {"edit", {{"changes", {{s.uri, json::array({edit})}}}}}};
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

std::vector<Publication> publish_findings(const std::vector<Diagnostic>& findings, const DescriptionInput& line,
                                          const DescriptionInput& train) {
  const Source line_source{line.path, line.uri, LineIndex(line.bytes ? std::string_view(*line.bytes) : "")};
  const Source train_source{train.path, train.uri, LineIndex(train.bytes ? std::string_view(*train.bytes) : "")};
  std::vector<Publication> out{Publication{line.uri}, Publication{train.uri}};
  for (const Diagnostic& d : findings) {
    const Source* own = source_of(d.where, line_source, train_source);
    if (!own) continue;
    Publication& list = out[own == &line_source ? 0 : 1];
    list.diagnostics.push_back(diagnostic_json(d, *own, line_source, train_source));
    if (!d.fix) continue;
    const Source* mended = source_of(d.fix->where, line_source, train_source);
    json fix = mended ? quick_fix(*d.fix, list.diagnostics.back(), *mended) : json();
    if (!fix.is_null()) list.fixes.push_back(std::move(fix));
  }
  return out;
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
    const CheckOutcome outcome = check_descriptions(t, 1, text_of(line), text_of(train_read), kMostErrorsShown);
    std::vector<Publication> found = publish_findings(outcome.diagnostics, line, train_read);
    line_list = std::move(found[0]);
    if (train.bytes) train_list = std::move(found[1]);
    if (outcome.stopped) {
      (train.bytes ? train_list : line_list)
          .diagnostics.push_back(note_at_start("the check stopped after " + std::to_string(kMostErrorsShown) +
                                               " errors: those after are not shown (scenpack check lists them all)"));
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
