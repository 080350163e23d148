#include "view/listing.h"

#include <array>
#include <charconv>
#include <cstring>
#include <span>
#include <type_traits>

#include "format/encoding.h"
#include "markup/json_writer.h"
#include "view/author_terms.h"
#include "view/names.h"
#include "view/shown_text.h"

namespace scenpack {
namespace {

constexpr size_t kPieceSize = 64 * 1024;  // what is handed on at a time

// Text gathered into pieces of about kPieceSize; the rest handed on when
// the listing ends.
class PieceWriter {
 public:
  explicit PieceWriter(const TextSink& sink) : sink_(sink) {}
  ~PieceWriter() {
    if (!text_.empty()) sink_(text_);
  }
  PieceWriter& operator+=(std::string_view more) {
    text_ += more;
    if (text_.size() >= kPieceSize) {
      sink_(text_);
      text_.clear();
    }
    return *this;
  }
  // A large piece handed on as it is, after what was gathered before it.
  void hand_on(std::string_view piece) {
    if (!text_.empty()) {
      sink_(text_);
      text_.clear();
    }
    if (!piece.empty()) sink_(piece);
  }

 private:
  const TextSink& sink_;
  std::string text_;
};

void hand_on_json(JsonWriter& w, const TextSink& sink) {
  if (w.text().size() >= kPieceSize) sink(w.take_text());
}

bool wanted(const CellFilter& f, int32_t cell, const Cella& c) {
  if (!f.narrows()) return c.tipo != kind::kNothing;
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

bool record_wanted(const Scheda& s, const std::string& role) { return role != "free" || !(s == Scheda{}); }

const Records* records_of(const CompiledScenario& s) { return s.schede ? &*s.schede : nullptr; }

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
std::string field_values(const Row& row) {
  std::string line;
  auto visit = [&](std::string_view, const auto& v) {
    if constexpr (!std::is_same_v<std::decay_t<decltype(v)>, std::string>) {
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
    if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>) w.value(decoded_text(v));
    else w.value(static_cast<int64_t>(v));
  };
  if constexpr (std::is_same_v<Row, Cella>) for_each_cella_field(row, visit);
  else for_each_scheda_field(row, visit);
}

void json_meaning(JsonWriter& w, const Meaning& m) {
  for (const auto& [name, v] : m.values) w.key(name).value(v);
  for (const auto& [name, text] : m.texts) w.key(name).value(text);
}

void records_text(PieceWriter& out, const Records& schede, const std::vector<Cella>* celle, bool raw) {
  const auto roles = record_roles(schede, celle);
  out += "records (" + std::to_string(kRecordCount) + (raw ? ")\n" : ", those in use)\n");
  out += padded("record", 6, true) + "  " + padded("role", 24, false) + field_header(Scheda{}) +
         (raw ? "  testo\n" : "  meaning\n");
  for (size_t r = 0; r < schede.size(); ++r) {
    const Scheda& s = schede[r];
    if (!raw && !record_wanted(s, roles[r])) continue;
    const std::string tail = raw ? shown_text(s.testo) : record_meaning(s, roles[r]).text;
    out += padded(std::to_string(r), 6, true) + "  " + padded(roles[r], 24, false) + field_values(s) +
           (tail.empty() ? "" : "  " + tail) + "\n";
  }
}

void cells_text(PieceWriter& out, const std::vector<Cella>& celle, const Records* schede, const CellFilter& f,
                bool raw) {
  out += "cells (" + std::to_string(celle.size()) + (f.narrows() ? ")\n" : ", those that hold something)\n");
  if (raw) {
    out += padded("cell", 7, true) + padded("metre", 9, true) + "  " + padded("kind", 18, false) + field_header(Cella{}) + "\n";
  } else {
    out += padded("cell", 7, true) + "  " + padded("span", 17, false) + "  " + padded("kind", 18, false) +
           field_header(Cella{}) + "  meaning\n";
  }
  for (size_t i = 0; i < celle.size(); ++i) {
    const Cella& c = celle[i];
    const int32_t cell = static_cast<int32_t>(i);
    if (!wanted(f, cell, c)) continue;
    if (raw) {
      out += padded(std::to_string(cell), 7, true) + padded(std::to_string(cell_metre(cell, c.tipo)), 9, true) + "  " +
             padded(cell_kind_name(c.tipo), 18, false) + field_values(c) + "\n";
    } else {
      out += padded(std::to_string(cell), 7, true) + "  " + padded(cell_span(cell), 17, false) + "  " +
             padded(cell_kind_name(c.tipo), 18, false) + field_values(c) + "  " + cell_meaning(c, cell, schede).text +
             "\n";
    }
  }
}

// Writes `text` right-aligned in `width` columns at `at` (wider text takes
// the room it needs); where the line goes on.
char* put_right(char* at, std::string_view text, size_t width) {
  if (text.size() < width) {
    std::memset(at, ' ', width - text.size());
    at += width - text.size();
  }
  std::memcpy(at, text.data(), text.size());
  return at + text.size();
}

// The shortest text that reads back as `v`, right-aligned.
template <typename Number>
char* put_number(char* at, Number v, size_t width) {
  std::array<char, 32> digits;
  const auto r = std::to_chars(digits.data(), digits.data() + digits.size(), v);
  return put_right(at, std::string_view(digits.data(), static_cast<size_t>(r.ptr - digits.data())), width);
}

// The widest map line: a metre of up to 20 digits and two coordinates of up
// to 24 characters each, in their columns.
constexpr size_t kMapMetreWidth = 7;
constexpr size_t kMapCoordinateWidth = 25;
constexpr size_t kLongestMapLine = 20 + 2 * kMapCoordinateWidth + 1;

// The map's points go out a block of lines at a time, each line written in
// place into one buffer: two million coordinates make most of the listing.
void map_text(PieceWriter& out, const CompiledScenario& s, const CellFilter& f) {
  const RouteMap& m = *s.mappa;
  const int32_t metres = m.sized ? m.last_index + 1 : 0;
  out += "map (" + std::to_string(metres) + " metres, " + std::to_string(m.points_set) + " set)\n";
  out += "  metre                        x                        y\n";
  std::string lines;
  walk_map_points(s, [&](size_t first, std::span<const double> x, std::span<const double> y) {
    lines.resize(x.size() * kLongestMapLine);
    char* at = lines.data();
    for (size_t k = 0; k < x.size(); ++k) {
      if (!metre_wanted(f, static_cast<int64_t>(first + k))) continue;
      at = put_number(at, first + k, kMapMetreWidth);
      at = put_number(at, x[k], kMapCoordinateWidth);
      at = put_number(at, y[k], kMapCoordinateWidth);
      *at++ = '\n';
    }
    out.hand_on(std::string_view(lines.data(), static_cast<size_t>(at - lines.data())));
  });
  if (m.points_set < metres) {
    out += "metres " + std::to_string(m.points_set) + " to " + std::to_string(metres - 1) + ": Empty\n";
  }
}

void records_json(JsonWriter& w, const Records& schede, const std::vector<Cella>* celle, bool raw) {
  const auto roles = record_roles(schede, celle);
  w.key("records").begin_array();
  for (size_t r = 0; r < schede.size(); ++r) {
    if (!raw && !record_wanted(schede[r], roles[r])) continue;
    w.begin_object().key("record").value(static_cast<int64_t>(r)).key("role").value(roles[r]);
    json_fields(w, schede[r]);
    if (!raw) json_meaning(w, record_meaning(schede[r], roles[r]));
    w.end_object();
  }
  w.end_array();
}

void cells_json(JsonWriter& w, const std::vector<Cella>& celle, const Records* schede, const CellFilter& f, bool raw,
                const TextSink& sink) {
  w.key("cells").begin_array();
  for (size_t i = 0; i < celle.size(); ++i) {
    const Cella& c = celle[i];
    const int32_t cell = static_cast<int32_t>(i);
    if (!wanted(f, cell, c)) continue;
    w.begin_object().key("cell").value(cell).key("metre").value(cell_metre(cell, c.tipo));
    w.key("kind").value(cell_kind_name(c.tipo));
    json_fields(w, c);
    if (!raw) {
      w.key("span_from").value(cell_first_metre(cell)).key("span_to").value(cell_first_metre(cell) + kCellLength - 1);
      json_meaning(w, cell_meaning(c, cell, schede));
    }
    w.end_object();
    hand_on_json(w, sink);
  }
  w.end_array();
}

void map_json(JsonWriter& w, const CompiledScenario& s, const CellFilter& f, const TextSink& sink) {
  const RouteMap& m = *s.mappa;
  w.key("map").begin_object();
  w.key("metres").value(m.sized ? m.last_index + 1 : 0).key("points_set").value(m.points_set);
  w.key("points").begin_array();
  walk_map_points(s, [&](size_t first, std::span<const double> x, std::span<const double> y) {
    for (size_t k = 0; k < x.size(); ++k) {
      const int64_t metre = static_cast<int64_t>(first + k);
      if (!metre_wanted(f, metre)) continue;
      w.begin_object().key("metre").value(metre).key("x").value(x[k]).key("y").value(y[k]).end_object();
      hand_on_json(w, sink);
    }
  });
  w.end_array().end_object();
}

}  // namespace

void listing_text(const CompiledScenario& s, const ListingChoice& choice, const TextSink& sink) {
  PieceWriter out(sink);
  const CellFilter& f = choice.filter;
  bool first = true;
  auto section = [&] {
    if (!first) out += "\n";
    first = false;
  };
  if (s.schede && !f.narrows()) {
    section();
    records_text(out, *s.schede, s.celle ? &*s.celle : nullptr, choice.raw);
  }
  if (s.celle) {
    section();
    cells_text(out, *s.celle, records_of(s), f, choice.raw);
  }
  if (s.mappa && choice.map) {
    section();
    map_text(out, s, f);
  }
}

void listing_json(const CompiledScenario& s, const ListingChoice& choice, const TextSink& sink) {
  const CellFilter& f = choice.filter;
  JsonWriter w(choice.pretty);
  w.begin_object().key("scenario").value(s.nome_scenario).key("train").value(s.numero_treno);
  if (s.schede && !f.narrows()) records_json(w, *s.schede, s.celle ? &*s.celle : nullptr, choice.raw);
  if (s.celle) cells_json(w, *s.celle, records_of(s), f, choice.raw, sink);
  if (s.mappa && choice.map) map_json(w, s, f, sink);
  w.end_object();
  sink(w.take_text() + "\n");
}

}  // namespace scenpack
