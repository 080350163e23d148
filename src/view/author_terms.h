// What the stored numbers of cells and records mean, in the words and units
// of the author's guide: speed limits in km/h, gradients in signed per
// mille, times as hh:mm:ss, a signal's codes, the span of route a cell
// stands for. Each meaning comes as a phrase for the reader and as named
// values for JSON, from the same reading of the fields.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/cell_roles.h"
#include "model/record_roles.h"
#include "model/tables.h"

namespace scenpack {

using Records = std::array<Scheda, kRecordCount>;

int speed_limit_kmh(const Cella& c);
int gradient_per_mille(const Cella& c);

// The train record's start clock in seconds from midnight.
int64_t start_clock_seconds(const Scheda& train_record);

// "+8", "-3", "0".
std::string signed_number(int64_t v);

// A signal's code value, the left digit in the tens and the right in the
// units: "4|1" for 41.
std::string code_pair(int64_t v);

// The metres a cell covers: "6000-6049 m".
int64_t cell_first_metre(int64_t cell);
std::string cell_span(int64_t cell);

// The position the description gave for what the cell holds, when it is
// not the cell's first metre (signals and boards one cell on, a station's
// end mark one cell before its far end).
std::optional<int64_t> position_given(int64_t cell, uint8_t tipo);

// A meaning: the phrase, and the values under their JSON names.
struct Meaning {
  std::string text;
  std::vector<std::pair<std::string_view, int64_t>> values;
  std::vector<std::pair<std::string_view, std::string>> texts;  // decoded UTF-8
};

// The track values every cell carries (speed limit, gradient, adhesion,
// tunnel), then its object by kind. `schede` names a station or a board's
// text when known.
Meaning cell_meaning(const Cella& c, int64_t cell, const Records* schede);

// The object alone (nothing of the track values): "signal at 21150 m:
// codes 4|1 0|0 0|0, group 8, time 0"; "" for a cell of kind nothing.
std::string object_meaning(const Cella& c, int64_t cell, const Records* schede);

// A record by its role ("station 3", "general data", ...).
Meaning record_meaning(const Scheda& s, std::string_view role);

// A station's kind in the guide's words where it names it ("block or
// junction post" from 25 on), else "kind N".
std::string station_kind_text(int kind);

}  // namespace scenpack
