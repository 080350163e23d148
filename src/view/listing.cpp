#include "view/listing.h"

#include <cstdio>
#include <type_traits>

#include "format/encoding.h"
#include "markup/json_writer.h"
#include "view/names.h"

namespace scenpack {
namespace {

bool wanted(const CellFilter& f, int32_t cell, const Cella& c) {
  if (f.first_cell && cell < *f.first_cell) return false;
  if (f.last_cell && cell > *f.last_cell) return false;
  return !f.kind || c.tipo == *f.kind;
}

// The map metres that the filter's cells cover (all when no range).
bool metre_wanted(const CellFilter& f, int64_t metre) {
  if (f.first_cell && metre < static_cast<int64_t>(*f.first_cell) * kCellLength) return false;
  if (f.last_cell && metre >= (static_cast<int64_t>(*f.last_cell) + 1) * kCellLength) return false;
  return true;
}

bool lists_records(const CellFilter& f) { return !f.narrows(); }
bool lists_map(const CellFilter& f) { return !f.kind; }

std::string padded(std::string_view text, size_t width, bool right) {
  std::string out(text);
  if (out.size() < width) out.insert(right ? 0 : out.size(), width - out.size(), ' ');
  return out;
}

template <typename Row>
std::string field_header(const Row& row) {
  std::string line;
  auto visit = [&](std::string_view name, const auto& v) {
    if constexpr (!std::is_same_v<std::decay_t<decltype(v)>, std::string>) {
      line += ' ';
      line += padded(name, 7, true);
    }
  };
  if constexpr (std::is_same_v<Row, Cella>) for_each_cella_field(row, visit);
  else for_each_scheda_field(row, visit);
  return line;
}

template <typename Row>
std::string field_values(const Row& row, std::string* text) {
  std::string line;
  auto visit = [&](std::string_view, const auto& v) {
    if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>) *text = v;
    else {
      line += ' ';
      line += padded(std::to_string(v), 7, true);
    }
  };
  if constexpr (std::is_same_v<Row, Cella>) for_each_cella_field(row, visit);
  else for_each_scheda_field(row, visit);
  return line;
}

template <typename Row>
void json_fields(JsonWriter& w, const Row& row) {
  auto visit = [&](std::string_view name, const auto& v) {
    w.key(name);
    if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>) w.value(std::string_view(v));
    else w.value(static_cast<int64_t>(v));
  };
  if constexpr (std::is_same_v<Row, Cella>) for_each_cella_field(row, visit);
  else for_each_scheda_field(row, visit);
}

void records_text(std::string& out, const std::array<Scheda, kRecordCount>& schede, const std::vector<Cella>* celle) {
  const auto roles = record_roles(schede, celle);
  out += "records (" + std::to_string(kRecordCount) + ")\n";
  out += padded("record", 6, true) + "  " + padded("role", 24, false) + field_header(Scheda{}) + "  testo\n";
  for (size_t r = 0; r < schede.size(); ++r) {
    std::string text;
    const std::string values = field_values(schede[r], &text);
    out += padded(std::to_string(r), 6, true) + "  " + padded(roles[r], 24, false) + values + (text.empty() ? "" : "  " + text) + "\n";
  }
}

void cells_text(std::string& out, const std::vector<Cella>& celle, const CellFilter& f) {
  out += "cells (" + std::to_string(celle.size()) + ")\n";
  out += padded("cell", 7, true) + padded("metre", 9, true) + "  " + padded("kind", 18, false) + field_header(Cella{}) + "\n";
  for (size_t i = 0; i < celle.size(); ++i) {
    const Cella& c = celle[i];
    const int32_t cell = static_cast<int32_t>(i);
    if (!wanted(f, cell, c)) continue;
    out += padded(std::to_string(cell), 7, true) + padded(std::to_string(cell_metre(cell, c.tipo)), 9, true) + "  " +
           padded(cell_kind_name(c.tipo), 18, false) + field_values(c, nullptr) + "\n";
  }
}

void map_text(std::string& out, const RouteMap& m, const CellFilter& f) {
  const int32_t metres = m.sized ? m.last_index + 1 : 0;
  out += "map (" + std::to_string(metres) + " metres, " + std::to_string(m.points_set) + " set)\n";
  out += "  metre                        x                        y\n";
  for (int32_t j = 0; j < m.points_set; ++j) {
    if (!metre_wanted(f, j)) continue;
    const size_t i = static_cast<size_t>(j);
    out += padded(std::to_string(j), 7, true) + padded(shortest_number(m.x[i]), 25, true) +
           padded(shortest_number(m.y[i]), 25, true) + "\n";
  }
  if (m.points_set < metres) {
    out += "metres " + std::to_string(m.points_set) + " to " + std::to_string(metres - 1) + ": Empty\n";
  }
}

}  // namespace

std::string listing_text(const CompiledScenario& s, const CellFilter& f) {
  std::string out;
  if (s.schede && lists_records(f)) records_text(out, *s.schede, s.celle ? &*s.celle : nullptr);
  if (s.celle) {
    if (!out.empty()) out += "\n";
    cells_text(out, *s.celle, f);
  }
  if (s.mappa && lists_map(f)) {
    if (!out.empty()) out += "\n";
    map_text(out, *s.mappa, f);
  }
  return out;
}

std::string listing_json(const CompiledScenario& s, const CellFilter& f) {
  JsonWriter w;
  w.begin_object().key("scenario").value(s.nome_scenario).key("train").value(s.numero_treno);
  if (s.schede && lists_records(f)) {
    const auto roles = record_roles(*s.schede, s.celle ? &*s.celle : nullptr);
    w.key("records").begin_array();
    for (size_t r = 0; r < s.schede->size(); ++r) {
      w.begin_object().key("record").value(static_cast<int64_t>(r)).key("role").value(roles[r]);
      json_fields(w, (*s.schede)[r]);
      w.end_object();
    }
    w.end_array();
  }
  if (s.celle) {
    w.key("cells").begin_array();
    for (size_t i = 0; i < s.celle->size(); ++i) {
      const Cella& c = (*s.celle)[i];
      const int32_t cell = static_cast<int32_t>(i);
      if (!wanted(f, cell, c)) continue;
      w.begin_object().key("cell").value(cell).key("metre").value(cell_metre(cell, c.tipo));
      w.key("kind").value(cell_kind_name(c.tipo));
      json_fields(w, c);
      w.end_object();
    }
    w.end_array();
  }
  if (s.mappa && lists_map(f)) {
    const RouteMap& m = *s.mappa;
    w.key("map").begin_object();
    w.key("metres").value(m.sized ? m.last_index + 1 : 0).key("points_set").value(m.points_set);
    w.key("points").begin_array();
    for (int32_t j = 0; j < m.points_set; ++j) {
      if (!metre_wanted(f, j)) continue;
      const size_t i = static_cast<size_t>(j);
      w.begin_object().key("metre").value(j).key("x").value(m.x[i]).key("y").value(m.y[i]).end_object();
    }
    w.end_array().end_object();
  }
  w.end_object();
  return w.text() + "\n";
}

}  // namespace scenpack
