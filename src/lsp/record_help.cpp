#include "lsp/record_help.h"

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>

#include "lsp/diagnostics.h"
#include "lsp/line_fields.h"
#include "lsp/line_index.h"
#include "model/numeric.h"

namespace scenpack {
namespace {

using json = nlohmann::json;

constexpr int32_t kCellLength = 50;

// The record a line's keyword field names, or none (comments too).
const RecordInfo* record_of_line(const std::vector<LineField>& fields, DescriptionKind kind) {
  if (fields.empty() || is_comment_field(fields[0].text)) return nullptr;
  return record_named(kind, fields[0].text);
}

size_t numbers_before_text(const RecordInfo& r) {
  for (size_t i = 0; i < r.fields.size(); ++i) {
    if (r.fields[i].stored == Stored::kText) return i;
  }
  return SIZE_MAX;
}

// The line's fields split for its record (its closing text kept whole).
std::vector<LineField> record_fields(std::string_view line, DescriptionKind kind, const RecordInfo** record) {
  std::vector<LineField> fields = fields_of_line(line);
  *record = record_of_line(fields, kind);
  if (*record && numbers_before_text(**record) != SIZE_MAX) fields = fields_of_line(line, numbers_before_text(**record));
  return fields;
}

std::optional<double> number_of(std::string_view text) {
  double v = 0;
  const char* end = text.data() + text.size();
  const auto [at, ec] = std::from_chars(text.data(), end, v);
  if (ec != std::errc() || at != end) return std::nullopt;
  return v;
}

std::string cell_span(int64_t cell) {
  return "cell " + std::to_string(cell) + " (" + std::to_string(cell * kCellLength) + "-" +
         std::to_string(cell * kCellLength + kCellLength - 1) + " m)";
}

std::string whole(double v) { return std::to_string(static_cast<int64_t>(round_half_even(v))); }

// What will be kept of a field's value, in the author's units.
std::string stored_value(const FieldInfo& f, double v) {
  std::string unit;
  if (!f.unit.empty()) (unit += ' ') += f.unit;
  switch (f.stored) {
    case Stored::kCellFromNext:
      return whole(v) + unit + ", in " + cell_span(static_cast<int64_t>(round_half_even(v / kCellLength)) + 1);
    case Stored::kCellFrom:
      return whole(v) + unit + ", from " + cell_span(static_cast<int64_t>(round_half_even(v / kCellLength)));
    case Stored::kSpeedFifth: {
      const int64_t fifth = static_cast<int64_t>(round_half_even(v / 5));
      return whole(v) + unit + ", stored as " + std::to_string(fifth) + " = " + std::to_string(fifth * 5) + unit;
    }
    case Stored::kGradientByte: {
      const int64_t g = static_cast<int64_t>(round_half_even(v));
      return whole(v) + unit + ", stored as " + std::to_string(low8(g + 100)) + " (gradient + 100, one byte)";
    }
    default: return whole(v) + unit;
  }
}

std::string field_list(const RecordInfo& r) {
  std::string out;
  for (size_t i = 0; i < r.fields.size(); ++i) {
    const FieldInfo& f = r.fields[i];
    out += std::to_string(i + 1) + ". `" + std::string(f.name) + "`" +
           (f.unit.empty() ? "" : " (" + std::string(f.unit) + ")") + ": " + std::string(f.meaning) + "\n";
  }
  return out;
}

json markdown(const std::string& text) { return {{"kind", "markdown"}, {"value", text}}; }

std::string_view section_at(const LineIndex& lines, size_t line) {
  for (size_t n = line + 1; n-- > 0;) {
    if (const std::string_view s = section_of_line(lines.line(n)); !s.empty()) return s;
  }
  return {};
}

}  // namespace

std::string record_snippet(const RecordInfo& r) {
  std::string out(r.keyword);
  for (size_t i = 0; i < r.fields.size(); ++i) {
    out += ", ${" + std::to_string(i + 1) + ":" + std::string(r.fields[i].name) + "}";
  }
  return out;
}

json hover_at(std::string_view bytes, DescriptionKind kind, EditorPosition at) {
  const LineIndex lines(bytes);
  if (at.line < 0 || static_cast<size_t>(at.line) >= lines.count()) return nullptr;
  const std::string_view line = lines.line(static_cast<size_t>(at.line));
  const RecordInfo* r = nullptr;
  const std::vector<LineField> fields = record_fields(line, kind, &r);
  if (!r) return nullptr;
  const auto column = static_cast<size_t>(at.character);
  for (size_t i = 0; i < fields.size(); ++i) {
    if (column < fields[i].start || column > fields[i].end) continue;
    const json range = line_range(static_cast<size_t>(at.line), fields[i].start, fields[i].end);
    if (i == 0) {
      return {{"contents", markdown("**" + std::string(r->keyword) + "** " + std::string(r->section) + ": " +
                                    std::string(r->meaning) + "\n\n" + field_list(*r))},
              {"range", range}};
    }
    if (i > r->fields.size()) return nullptr;  // a field the record does not read
    const FieldInfo& f = r->fields[i - 1];
    std::string text = "**" + std::string(r->keyword) + "**, field " + std::to_string(i) + " `" +
                       std::string(f.name) + "`: " + std::string(f.meaning);
    if (f.stored != Stored::kText) {
      if (const std::optional<double> v = number_of(fields[i].text)) text += "\n\n" + stored_value(f, *v);
    }
    return {{"contents", markdown(text)}, {"range", range}};
  }
  return nullptr;
}

json completions_at(std::string_view bytes, DescriptionKind kind, EditorPosition at) {
  const LineIndex lines(bytes);
  const std::string_view section = at.line >= 0 ? section_at(lines, static_cast<size_t>(at.line)) : std::string_view();
  bool known_section = false;
  for (const RecordInfo& r : record_catalogue()) known_section |= r.description == kind && r.section == section;
  json items = json::array();
  for (const RecordInfo& r : record_catalogue()) {
    if (r.description != kind || (known_section && r.section != section)) continue;
    items.push_back({{"label", r.keyword},
                     {"kind", 14},  // Keyword
                     {"detail", std::string(r.section) + " " + std::string(r.meaning)},
                     {"documentation", markdown(field_list(r))},
                     {"insertTextFormat", 2},  // Snippet
                     {"insertText", record_snippet(r)}});
  }
  for (const std::string_view marker : section_markers(kind)) {
    items.push_back({{"label", marker}, {"kind", 14}, {"detail", "section"}});
  }
  return items;
}

json symbols_of(std::string_view bytes, DescriptionKind kind) {
  const LineIndex lines(bytes);
  json out = json::array();
  json* section = nullptr;
  for (size_t n = 0; n < lines.count(); ++n) {
    const std::string_view line = lines.line(n);
    if (const std::string_view marker = section_of_line(line); !marker.empty()) {
      out.push_back({{"name", marker},
                     {"kind", 3},  // Namespace
                     {"range", line_range(n, 0, line.size())},
                     {"selectionRange", line_range(n, 0, line.size())},
                     {"children", json::array()}});
      section = &out.back();
      continue;
    }
    const RecordInfo* r = nullptr;
    const std::vector<LineField> fields = record_fields(line, kind, &r);
    if (!r || !section || fields.size() < 2) continue;
    const std::string_view key = r->key;
    const bool station = key == "stazione";
    if (!(station || key == "segnale" || key == "rallentamento" || key == "montagna" || key == "cartello" ||
          key == "indicatori_v" || key.substr(0, 5) == "curva")) {
      continue;
    }
    std::string name = std::string(r->keyword) + " " + std::string(fields[1].text);
    if (station && fields.size() > r->fields.size()) name = std::string(fields[r->fields.size()].text);
    if (key == "cartello" && fields.size() > 2) name += " " + std::string(fields[2].text);
    const json range = line_range(n, fields.front().start, fields.back().end);
    (*section)["children"].push_back({{"name", name},
                                      {"kind", station ? 2 : 14},  // Module, Constant
                                      {"detail", std::string(fields[1].text) + " m"},
                                      {"range", range},
                                      {"selectionRange", range}});
  }
  return out;
}

}  // namespace scenpack
