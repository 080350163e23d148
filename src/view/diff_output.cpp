#include "view/diff_output.h"

#include "markup/json_writer.h"
#include "view/author_terms.h"

namespace scenpack {
namespace {

std::string num(int64_t v) { return std::to_string(v); }

std::string metres_of_cells(int64_t first, int64_t last) {
  return num(cell_first_metre(first)) + "-" + num(cell_first_metre(last) + kCellLength - 1) + " m";
}

std::string record_line(const RecordChange& c) {
  std::string line = "  " + c.role + (c.name.empty() ? "" : " \"" + c.name + "\"") + ": " + c.label + " " + c.before +
                     " -> " + c.after;
  if (c.field != "testo" && (c.before != c.stored_before || c.label != c.field)) {
    line += " (" + c.field + " " + c.stored_before + " -> " + c.stored_after + ")";
  }
  return line + "\n";
}

std::string value_in(int64_t v, const std::string& unit, bool signed_value) {
  return (signed_value ? signed_number(v) : num(v)) + (unit.empty() ? "" : " " + unit);
}

std::string track_line(const TrackChange& t) {
  const bool gradient = t.unit == "per mille";
  return "  " + t.what + " " + (gradient ? signed_number(t.before) : num(t.before)) + " -> " +
         value_in(t.after, t.unit, gradient) + " over " + metres_of_cells(t.first_cell, t.last_cell) + "\n";
}

std::string object_words(const ObjectChange& o) {
  switch (o.kind) {
    case ObjectChange::Kind::kAdded: return "  added: " + o.after;
    case ObjectChange::Kind::kRemoved: return "  removed: " + o.before;
    case ObjectChange::Kind::kMoved:
      return "  moved: " + o.object + " from " + num(o.metre_before) + " m to " + num(o.metre_after) + " m (cell " +
             num(o.cell_before) + " -> " + num(o.cell_after) + "): " + o.after;
    default: return "  changed: " + o.before + " -> " + o.after;
  }
}

std::string object_line(const ObjectChange& o) {
  return object_words(o) + (o.look_back ? " (and the look-back values before it)" : "") + "\n";
}

std::string map_line(const MapChange& m) {
  std::string line = "  ";
  if (m.metres_before != m.metres_after) {
    line += num(m.metres_before.value_or(0)) + " -> " + num(m.metres_after.value_or(0)) + " metres; ";
  }
  if (m.first_differing_metre) line += "first differing metre " + num(*m.first_differing_metre) + "; ";
  return line + "largest distance between the tracks " + shortest_number(m.largest_distance) + " m at metre " +
         num(m.largest_distance_metre) + "\n";
}

size_t map_count(const ScenarioDiff& d) { return d.map ? 1 : 0; }

}  // namespace

std::string diff_text(const ScenarioDiff& d, bool summary) {
  if (d.same()) return "";
  std::string out;
  if (summary) {
    out += "records " + num(static_cast<int64_t>(d.records.size())) + ", track runs " +
           num(static_cast<int64_t>(d.track.size())) + ", objects " + num(static_cast<int64_t>(d.objects.size())) +
           ", map " + num(static_cast<int64_t>(map_count(d))) + (d.missing.empty() ? "" : ", files missing " +
           num(static_cast<int64_t>(d.missing.size()))) + "\n";
    return out;
  }
  for (const std::string& m : d.missing) out += m + "\n";
  if (!d.records.empty()) {
    out += "records\n";
    for (const RecordChange& c : d.records) out += record_line(c);
  }
  if (d.cell_counts || !d.track.empty() || !d.objects.empty()) {
    out += "cells\n";
    if (d.cell_counts) out += "  " + num(d.cell_counts->first) + " -> " + num(d.cell_counts->second) + " cells\n";
    for (const TrackChange& t : d.track) out += track_line(t);
    for (const ObjectChange& o : d.objects) out += object_line(o);
  }
  if (d.map) out += "route map\n" + map_line(*d.map);
  return out;
}

std::string diff_json(const ScenarioDiff& d, bool summary, bool pretty) {
  JsonWriter w(pretty);
  w.begin_object().key("same").value(d.same());
  if (summary) {
    w.key("records").value(static_cast<int64_t>(d.records.size()));
    w.key("track").value(static_cast<int64_t>(d.track.size()));
    w.key("objects").value(static_cast<int64_t>(d.objects.size()));
    w.key("map").value(static_cast<int64_t>(map_count(d)));
    w.key("missing").value(static_cast<int64_t>(d.missing.size()));
    w.end_object();
    return w.text() + "\n";
  }
  w.key("missing").begin_array();
  for (const std::string& m : d.missing) w.value(m);
  w.end_array().key("records").begin_array();
  for (const RecordChange& c : d.records) {
    w.begin_object().key("record").value(c.record).key("role").value(c.role).key("name").value(c.name);
    w.key("field").value(c.field).key("what").value(c.label).key("before").value(c.before).key("after").value(c.after);
    w.key("stored_before").value(c.stored_before).key("stored_after").value(c.stored_after).end_object();
  }
  w.end_array();
  if (d.cell_counts) w.key("cell_counts").begin_array().value(d.cell_counts->first).value(d.cell_counts->second).end_array();
  w.key("track").begin_array();
  for (const TrackChange& t : d.track) {
    w.begin_object().key("what").value(t.what).key("unit").value(t.unit).key("before").value(t.before);
    w.key("after").value(t.after).key("first_cell").value(t.first_cell).key("last_cell").value(t.last_cell);
    w.key("span_from").value(cell_first_metre(t.first_cell)).key("span_to").value(cell_first_metre(t.last_cell) + kCellLength - 1);
    w.end_object();
  }
  w.end_array().key("objects").begin_array();
  static constexpr const char* kKinds[] = {"added", "removed", "moved", "changed"};
  for (const ObjectChange& o : d.objects) {
    w.begin_object().key("change").value(kKinds[static_cast<int>(o.kind)]).key("kind").value(o.object);
    if (o.cell_before >= 0) w.key("cell_before").value(o.cell_before).key("metre_before").value(o.metre_before).key("before").value(o.before);
    if (o.cell_after >= 0) w.key("cell_after").value(o.cell_after).key("metre_after").value(o.metre_after).key("after").value(o.after);
    w.key("look_back_values").value(o.look_back);
    w.end_object();
  }
  w.end_array();
  if (d.map) {
    const MapChange& m = *d.map;
    w.key("map").begin_object().key("metres_before").value(m.metres_before.value_or(0));
    w.key("metres_after").value(m.metres_after.value_or(0)).key("first_differing_metre");
    if (m.first_differing_metre) w.value(*m.first_differing_metre);
    else w.null();
    w.key("largest_distance").value(m.largest_distance).key("largest_distance_metre").value(m.largest_distance_metre);
    w.end_object();
  }
  w.end_object();
  return w.text() + "\n";
}

}  // namespace scenpack
