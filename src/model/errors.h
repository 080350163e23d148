// The build's error state: the last recorded fault, its position, and for
// messages the description file and line of the record that caused it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scenpack {

// Where in a description a fault was found (file base name and 1-based line).
struct SourceLocation {
  std::string file;
  int line = 0;  // 0 when the fault has no line
};

struct ErrorState {
  int32_t codice_errore = 0;     // last recorded fault, 0 = none
  int32_t posizione_errore = 0;  // kept from the last fault that set it
  std::optional<SourceLocation> where;  // description and line of that fault, if any
};

// Records a fault: a later fault overwrites an earlier one. The position is
// only changed when given; the location is replaced (cleared when absent).
void record_fault(ErrorState& e, int32_t code, std::optional<int32_t> position = std::nullopt,
                  std::optional<SourceLocation> where = std::nullopt);

// One line of lower-case English saying what the code means ("" if unknown).
std::string_view explanation(int32_t code);

// "scenpack:FILE:LINE: Errore n. C, posizione P: explanation"; without a
// line (0) "scenpack:FILE: Errore ...", without the location
// "scenpack: Errore n. C, posizione P: explanation".
std::string fault_message(const ErrorState& e);

// The two faults of the reserved places that stop the run.
constexpr int32_t kReservedMarkerTaken = 1250;
constexpr int32_t kReservedCodesTaken = 1251;

}  // namespace scenpack
