#include "view/scenario_diff.h"

#include <cmath>
#include <cstring>
#include <map>
#include <tuple>
#include <type_traits>

#include "format/encoding.h"
#include "model/cell_roles.h"
#include "view/author_terms.h"
#include "view/names.h"
#include "view/shown_text.h"
#include "view/summary.h"

namespace scenpack {
namespace {

std::string num(int64_t v) { return std::to_string(v); }

// ---- records

enum class Unit { kNone, kMetres, kClock, kPercent, kText };

struct FieldLabel {
  std::string_view role;   // the start of the role it applies to
  std::string_view field;
  std::string_view label;
  Unit unit;
};

// The fields of each role in the guide's words; a field not named here is
// shown by its stored name.
constexpr FieldLabel kFieldLabels[] = {
    {"station", "byte1", "kind", Unit::kNone},
    {"station", "lungo1", "near end", Unit::kMetres},
    {"station", "lungo2", "far end", Unit::kMetres},
    {"station", "lungo3", "position", Unit::kMetres},
    {"station", "lungo4", "time", Unit::kClock},
    {"station", "testo", "name", Unit::kText},
    {"station", "byte2", "column tps", Unit::kNone},
    {"station", "byte6", "column tab", Unit::kNone},
    {"station", "byte5", "column mar", Unit::kNone},
    {"station", "byte3", "column rap", Unit::kNone},
    {"station", "byte4", "column ac", Unit::kNone},
    {"text board", "testo", "text", Unit::kText},
    {"chainage", "lungo1", "start", Unit::kMetres},
    {"chainage", "lungo2", "difference", Unit::kMetres},
    {"chainage", "lungo3", "flag", Unit::kNone},
    {"general data", "lungo1", "braked mass", Unit::kPercent},
    {"general data", "lungo2", "route length", Unit::kMetres},
    {"general data", "lungo3", "coaches", Unit::kNone},
    {"scenario and check code", "testo", "scenario name", Unit::kText},
    {"scenario and check code", "lungo1", "background uno", Unit::kNone},
    {"scenario and check code", "lungo2", "background tre", Unit::kNone},
    {"scenario and check code", "lungo3", "background due", Unit::kNone},
    {"scenario and check code", "lungo4", "weighted check code", Unit::kNone},
    {"train and start clock", "testo", "train number", Unit::kText},
    {"train and start clock", "lungo1", "signal repetition start", Unit::kMetres},
    {"train and start clock", "lungo2", "signal repetition end", Unit::kMetres},
    {"train and start clock", "lungo3", "signal repetition codes", Unit::kNone},
    {"train and start clock", "intero1", "sand", Unit::kNone},
    {"train and start clock", "intero3", "start clock hours", Unit::kNone},
    {"train and start clock", "intero4", "start clock minutes", Unit::kNone},
    {"train and start clock", "intero5", "start clock seconds", Unit::kNone},
};

const FieldLabel* label_of(const std::string& role, std::string_view field) {
  for (const FieldLabel& l : kFieldLabels) {
    if (role.rfind(l.role, 0) == 0 && l.field == field) return &l;
  }
  return nullptr;
}

std::string in_unit(int64_t v, Unit u) {
  switch (u) {
    case Unit::kMetres: return num(v) + " m";
    case Unit::kClock: return clock_text(v);
    case Unit::kPercent: return num(v) + " %";
    default: return num(v);
  }
}

void compare_records(const Records& a, const Records& b, const std::vector<Cella>* cells_a,
                     const std::vector<Cella>* cells_b, std::vector<RecordChange>& out) {
  const auto roles_a = record_roles(a, cells_a);
  const auto roles_b = record_roles(b, cells_b);
  for (size_t r = 0; r < a.size(); ++r) {
    if (a[r] == b[r]) continue;
    const std::string& role = roles_a[r] == "free" ? roles_b[r] : roles_a[r];
    const Scheda& named = role.rfind("station", 0) == 0 && !a[r].testo.empty() ? a[r] : b[r];
    const std::string name = role.rfind("station", 0) == 0 ? shown_text(named.testo) : "";
    // The two records' fields side by side, in file order.
    std::vector<std::pair<std::string_view, std::string>> stored_a, stored_b;
    std::vector<int64_t> numbers_a, numbers_b;
    auto collect = [](auto& names, auto& numbers) {
      return [&names, &numbers](std::string_view field, const auto& v) {
        if constexpr (std::is_same_v<std::decay_t<decltype(v)>, std::string>) {
          names.emplace_back(field, v);
          numbers.push_back(0);
        } else {
          names.emplace_back(field, std::string());
          numbers.push_back(static_cast<int64_t>(v));
        }
      };
    };
    for_each_scheda_field(a[r], collect(stored_a, numbers_a));
    for_each_scheda_field(b[r], collect(stored_b, numbers_b));
    for (size_t f = 0; f < stored_a.size(); ++f) {
      if (stored_a[f].second == stored_b[f].second && numbers_a[f] == numbers_b[f]) continue;
      const std::string_view field = stored_a[f].first;
      const FieldLabel* l = label_of(role, field);
      RecordChange c{static_cast<int>(r), role, name, std::string(field), l ? std::string(l->label) : std::string(field),
                     {}, {}, {}, {}};
      if (field == "testo") {
        c.before = c.stored_before = quoted_text(stored_a[f].second);
        c.after = c.stored_after = quoted_text(stored_b[f].second);
      } else {
        const Unit u = l ? l->unit : Unit::kNone;
        c.before = in_unit(numbers_a[f], u), c.after = in_unit(numbers_b[f], u);
        c.stored_before = num(numbers_a[f]), c.stored_after = num(numbers_b[f]);
      }
      out.push_back(std::move(c));
    }
  }
}

// ---- track values

struct TrackValue {
  const char* what;
  const char* unit;
  int64_t (*of)(const Cella&);
};

constexpr TrackValue kTrackValues[] = {
    {"speed limit", "km/h", [](const Cella& c) -> int64_t { return speed_limit_kmh(c); }},
    {"gradient", "per mille", [](const Cella& c) -> int64_t { return gradient_per_mille(c); }},
    {"adhesion", "", [](const Cella& c) -> int64_t { return adhesion(c); }},
    {"tunnel kind", "", [](const Cella& c) -> int64_t { return c.galleria; }},
    {"look-back value", "", [](const Cella& c) -> int64_t { return c.avviso; }},
};

void compare_track(const std::vector<Cella>& a, const std::vector<Cella>& b, std::vector<TrackChange>& out) {
  const size_t n = std::min(a.size(), b.size());
  for (const TrackValue& t : kTrackValues) {
    std::optional<size_t> open;  // the run being extended, in out
    for (size_t i = 0; i < n; ++i) {
      const int64_t before = t.of(a[i]), after = t.of(b[i]);
      if (before == after) {
        open.reset();
        continue;
      }
      if (open && out[*open].before == before && out[*open].after == after) {
        out[*open].last_cell = static_cast<int64_t>(i);
        continue;
      }
      out.push_back({t.what, t.unit, before, after, static_cast<int64_t>(i), static_cast<int64_t>(i)});
      open = out.size() - 1;
    }
  }
}

// ---- objects

using ObjectKey = std::tuple<uint8_t, int16_t, int16_t, int16_t, int16_t, uint8_t>;
ObjectKey object_key(const Cella& c) {
  const auto [first, second, third, fourth, time] = object_values(c);
  return {c.tipo, first, second, third, fourth, time};
}

std::string object_text(const Cella& c, int64_t cell, const Records* schede) {
  std::string text = object_meaning(c, cell, schede);
  if (!text.empty()) return text;
  // A cell of kind nothing holding values: cell 1's marker and check code.
  const auto [first, second, third, fourth, time] = object_values(c);
  return "values " + num(first) + " " + num(second) + " " + num(third) + " " + num(fourth) + " " + num(time) +
         " in cell " + num(cell);
}

ObjectChange one_side(ObjectChange::Kind k, const Cella& c, int64_t cell, const Records* schede) {
  ObjectChange o;
  o.kind = k;
  o.object = std::string(cell_kind_name(c.tipo));
  const bool before = k == ObjectChange::Kind::kRemoved;
  (before ? o.cell_before : o.cell_after) = cell;
  (before ? o.metre_before : o.metre_after) = cell_metre(cell, c.tipo);
  (before ? o.before : o.after) = object_text(c, cell, schede);
  return o;
}

void compare_objects(const std::vector<Cella>& a, const std::vector<Cella>& b, const Records* records_a,
                     const Records* records_b, std::vector<ObjectChange>& out) {
  const size_t n = std::max(a.size(), b.size());
  const Cella none{};
  std::vector<ObjectChange> removed, added;
  for (size_t i = 0; i < n; ++i) {
    const Cella& x = i < a.size() ? a[i] : none;
    const Cella& y = i < b.size() ? b[i] : none;
    if (object_key(x) == object_key(y)) continue;
    const int64_t cell = static_cast<int64_t>(i);
    if (x.tipo == y.tipo) {
      ObjectChange o{ObjectChange::Kind::kChanged, std::string(cell_kind_name(x.tipo)), cell, cell,
                     cell_metre(cell, x.tipo), cell_metre(cell, y.tipo), object_text(x, cell, records_a),
                     object_text(y, cell, records_b)};
      out.push_back(std::move(o));
      continue;
    }
    if (x.tipo != kind::kNothing) removed.push_back(one_side(ObjectChange::Kind::kRemoved, x, cell, records_a));
    if (y.tipo != kind::kNothing) added.push_back(one_side(ObjectChange::Kind::kAdded, y, cell, records_b));
  }
  // A removed object and an added one with the same kind and values: moved.
  std::multimap<ObjectKey, size_t> added_by_key;
  for (size_t k = 0; k < added.size(); ++k) added_by_key.emplace(object_key(b[static_cast<size_t>(added[k].cell_after)]), k);
  std::vector<bool> paired(added.size(), false);
  for (ObjectChange& r : removed) {
    auto it = added_by_key.find(object_key(a[static_cast<size_t>(r.cell_before)]));
    if (it == added_by_key.end()) continue;
    const ObjectChange& to = added[it->second];
    paired[it->second] = true;
    r.kind = ObjectChange::Kind::kMoved;
    r.cell_after = to.cell_after, r.metre_after = to.metre_after, r.after = to.after;
    added_by_key.erase(it);
  }
  for (ObjectChange& r : removed) out.push_back(std::move(r));
  for (size_t k = 0; k < added.size(); ++k) {
    if (!paired[k]) out.push_back(std::move(added[k]));
  }
  std::stable_sort(out.begin(), out.end(), [](const ObjectChange& p, const ObjectChange& q) {
    auto first = [](const ObjectChange& o) { return o.cell_before >= 0 ? o.cell_before : o.cell_after; };
    return first(p) < first(q);
  });
}

// Signals and stations write look-back values into the eight cells before
// them: a look-back change there is part of the object's change, not one of
// its own.
constexpr int64_t kLookBackCells = 8;

bool writes_look_back(const std::string& object) { return object == "signal" || object == "station end"; }

bool explains(const ObjectChange& o, int64_t cell) {
  if (!writes_look_back(o.object)) return false;
  for (int64_t at : {o.cell_before, o.cell_after}) {
    if (at >= 0 && cell >= at - kLookBackCells && cell < at) return true;
  }
  return false;
}

void fold_look_back(std::vector<TrackChange>& track, std::vector<ObjectChange>& objects) {
  std::vector<TrackChange> kept;
  for (TrackChange& t : track) {
    bool all_explained = t.what == std::string("look-back value");
    std::vector<ObjectChange*> by;
    for (int64_t cell = t.first_cell; all_explained && cell <= t.last_cell; ++cell) {
      ObjectChange* found = nullptr;
      for (ObjectChange& o : objects) {
        if (explains(o, cell)) {
          found = &o;
          break;
        }
      }
      if (!found) all_explained = false;
      else by.push_back(found);
    }
    if (!all_explained) {
      kept.push_back(std::move(t));
      continue;
    }
    for (ObjectChange* o : by) o->look_back = true;
  }
  track = std::move(kept);
}

// ---- route map

bool same_bits(double p, double q) { return std::memcmp(&p, &q, sizeof p) == 0; }

std::optional<MapChange> compare_maps(const RouteMap& a, const RouteMap& b) {
  MapChange m;
  m.metres_before = a.sized ? a.last_index + 1 : 0;
  m.metres_after = b.sized ? b.last_index + 1 : 0;
  const int32_t common = std::min(a.points_set, b.points_set);
  for (int32_t j = 0; j < common; ++j) {
    const size_t i = static_cast<size_t>(j);
    if (!m.first_differing_metre && (!same_bits(a.x[i], b.x[i]) || !same_bits(a.y[i], b.y[i]))) m.first_differing_metre = j;
    const double d = std::hypot(a.x[i] - b.x[i], a.y[i] - b.y[i]);
    if (d > m.largest_distance) m.largest_distance = d, m.largest_distance_metre = j;
  }
  if (!m.first_differing_metre && a.points_set != b.points_set) m.first_differing_metre = common;
  if (!m.first_differing_metre && m.metres_before == m.metres_after) return std::nullopt;
  return m;
}

}  // namespace

ScenarioDiff compare_scenarios(const CompiledScenario& a, const CompiledScenario& b) {
  ScenarioDiff d;
  const struct {
    bool in_a, in_b;
    const char* what;
  } parts[] = {{a.schede.has_value(), b.schede.has_value(), "records"},
               {a.celle.has_value(), b.celle.has_value(), "cells"},
               {a.mappa.has_value(), b.mappa.has_value(), "route map"}};
  for (const auto& p : parts) {
    if (p.in_a != p.in_b) d.missing.push_back(std::string(p.what) + (p.in_a ? " only in the first" : " only in the second"));
  }
  const Records* records_a = a.schede ? &*a.schede : nullptr;
  const Records* records_b = b.schede ? &*b.schede : nullptr;
  if (records_a && records_b) {
    compare_records(*records_a, *records_b, a.celle ? &*a.celle : nullptr, b.celle ? &*b.celle : nullptr, d.records);
  }
  if (a.celle && b.celle) {
    if (a.celle->size() != b.celle->size()) d.cell_counts = {a.celle->size(), b.celle->size()};
    compare_track(*a.celle, *b.celle, d.track);
    compare_objects(*a.celle, *b.celle, records_a, records_b, d.objects);
    fold_look_back(d.track, d.objects);
  }
  if (a.mappa && b.mappa) d.map = compare_maps(*a.mappa, *b.mappa);
  return d;
}

}  // namespace scenpack
