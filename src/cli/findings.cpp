#include "cli/findings.h"

#include "cli/source_lines.h"
#include "markup/escape.h"

namespace scenpack {
namespace {

const char* severity_word(Severity s) {
  switch (s) {
    case Severity::kError: return "error";
    case Severity::kWarning: return "warning";
    case Severity::kNote: return "note";
  }
  return "error";
}

std::string place(const SourceLocation& w) {
  if (w.file.empty()) return "scenpack:";
  std::string p = w.file + ":";
  if (w.line > 0) {
    p += std::to_string(w.line) + ":";
    if (w.column > 0) p += std::to_string(w.column) + ":";
  }
  return p;
}

std::string plural(size_t n, const char* word) {
  return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

}  // namespace

std::string finding_header(const Diagnostic& d) {
  std::string h = place(d.where) + " " + severity_word(d.severity) + ": ";
  if (d.severity == Severity::kError) {
    h += fault_text(code_number(d.code), d.position, d.message);
  } else {
    h += d.message;
    if (d.warning != WarningName::kNone) h += " [-W" + std::string(warning_kind(d.warning).name) + "]";
  }
  return terminal_text(h);
}

std::string related_lines(const Diagnostic& d) {
  std::string out;
  for (const RelatedPlace& r : d.related) out += terminal_text(place(r.where) + " note: " + r.message) + "\n";
  return out;
}

std::string finding_text(const Diagnostic& d, const SourceLines& source) {
  return finding_with_source(d, source) + related_lines(d);
}

std::string finding_with_source(const Diagnostic& d, const SourceLines& source) {
  std::string out = finding_header(d) + "\n";
  if (d.severity == Severity::kNote || d.where.line <= 0 || d.where.column <= 0) return out;
  const std::string_view text = source.line(d.where.line);
  if (text.empty() && d.where.column > 1) return out;
  const std::string shown = terminal_text(text);
  out += shown + "\n";
  // The caret stands under the column: tabs copied and a control byte shown
  // as two characters counted twice, so that it lines up.
  std::string caret;
  for (int c = 1; c < d.where.column; ++c) {
    const size_t at = static_cast<size_t>(c - 1);
    const std::string_view byte = at < text.size() ? text.substr(at, 1) : std::string_view(" ");
    caret += byte == "\t" ? "\t" : std::string(terminal_text(byte).size(), ' ');
  }
  return out + caret + "^\n";
}

std::string summary_line(size_t errors, size_t warnings) {
  return plural(errors, "error") + ", " + plural(warnings, "warning");
}

namespace {

std::string json_place(const SourceLocation& w) {
  return "\"file\": " + json_string(w.file) + ", \"line\": " + std::to_string(w.line) +
         ", \"column\": " + std::to_string(w.column);
}

std::string json_related(const std::vector<RelatedPlace>& related) {
  std::string out = "[";
  for (size_t i = 0; i < related.size(); ++i) {
    out += i ? ", " : "";
    out += std::string("{").append(json_place(related[i].where)) + ", \"message\": " + json_string(related[i].message) + "}";
  }
  return out + "]";
}

std::string json_fix(const Fix& f) {
  return std::string("{").append(json_place(f.where)) + ", \"end_column\": " + std::to_string(f.end_column) +
         ", \"replacement\": " + json_string(f.replacement) + "}";
}

}  // namespace

std::string findings_json(const std::vector<Diagnostic>& list) {
  std::string out = "[";
  for (size_t i = 0; i < list.size(); ++i) {
    const Diagnostic& d = list[i];
    out += i ? ",\n " : "";
    out += std::string("{").append(json_place(d.where)) + ", \"severity\": \"" + severity_word(d.severity) +
           "\", \"code\": " + std::to_string(code_number(d.code)) + ", \"position\": " + std::to_string(d.position) +
           ", \"message\": " + json_string(d.message);
    if (d.warning != WarningName::kNone) out += ", \"warning\": " + json_string(warning_kind(d.warning).name);
    out += ", \"related\": " + json_related(d.related);
    if (d.fix) out += ", \"fix\": " + json_fix(*d.fix);
    out += "}";
  }
  return out + "]\n";
}

}  // namespace scenpack
