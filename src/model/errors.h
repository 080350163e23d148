// The fault codes of the build, each declared once with its explanation and
// whether it sets the position, and the build's error state: the last
// recorded fault, its position, and for messages where it was found.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenpack {

// Every fault the build can record. There are no codes 14 and 23.
enum class FaultCode : int32_t {
  kNone = 0,
  kRouteTooLong = 1,
  kChainageOffCell = 2,
  kRepetitionStartOffCell = 3,
  kRepetitionEndOffCell = 4,
  kRepetitionCodes = 5,
  kTextBoardOccupied = 6,
  kCodeCutOccupied = 7,
  kStationOffCell = 8,
  kStationLength = 9,
  kRecordTableFull = 10,
  kSignalWithoutCodePoint = 11,
  kStartWindowTaken = 12,
  kSlowdownPointTaken = 13,
  kBeyondLastCell = 15,
  kSignalOccupied = 16,
  kWarningOccupied = 17,
  kStartOccupied = 18,
  kEndOccupied = 19,
  kBoardOccupied = 20,
  kSpeedBoardOccupied = 21,
  kStationTooNear = 22,
  kFarEndTooNearStart = 24,
  kReadingFault = 25,
  kMissingLineDescription = 101,
  kNoGeneralSection = 102,
  kCurveFault = 103,
  kReservedMarkerTaken = 1250,
  kReservedCodesTaken = 1251,
};

constexpr int32_t code_number(FaultCode c) { return static_cast<int32_t>(c); }

// What a code means and whether its fault records a position.
struct FaultKind {
  std::string_view explanation;  // lower-case English, never empty for a real code
  bool sets_position;
};

// The one table of the codes. No default: a new code does not compile
// without its entry (-Wswitch).
constexpr FaultKind fault_kind(FaultCode c) {
  switch (c) {
    case FaultCode::kNone: return {"no fault", false};
    case FaultCode::kRouteTooLong: return {"route length above 1000000", false};
    case FaultCode::kChainageOffCell:
      return {"chainage record start or difference not a multiple of 50", false};
    case FaultCode::kRepetitionStartOffCell: return {"signal repetition start not a multiple of 50", false};
    case FaultCode::kRepetitionEndOffCell: return {"signal repetition end not a multiple of 50", false};
    case FaultCode::kRepetitionCodes: return {"signal repetition names neither 4 nor 9 codes", false};
    case FaultCode::kTextBoardOccupied: return {"text board on an occupied cell", true};
    case FaultCode::kCodeCutOccupied: return {"code cut on an occupied cell", true};
    case FaultCode::kStationOffCell: return {"station position not a multiple of 50", true};
    case FaultCode::kStationLength: return {"station length not a multiple of 100", true};
    case FaultCode::kRecordTableFull:
      return {"record table full: station and text-board records would meet", false};
    case FaultCode::kSignalWithoutCodePoint:
      return {"no free cell for a code point before a signal ahead of a slow order warning", true};
    case FaultCode::kStartWindowTaken: return {"no free cell for a code point before a slow order start", true};
    case FaultCode::kSlowdownPointTaken:
      return {"no free cell for a code point along a slow order or before the signal after it", true};
    case FaultCode::kBeyondLastCell: return {"position beyond the last track cell", true};
    case FaultCode::kSignalOccupied: return {"signal on an occupied cell", true};
    case FaultCode::kWarningOccupied: return {"slow order warning on an occupied cell", true};
    case FaultCode::kStartOccupied: return {"slow order start on an occupied cell", true};
    case FaultCode::kEndOccupied: return {"slow order end on an occupied cell", true};
    case FaultCode::kBoardOccupied: return {"slow order distance board on an occupied cell", true};
    case FaultCode::kSpeedBoardOccupied: return {"speed board on an occupied cell", true};
    case FaultCode::kStationTooNear: return {"station less than 350 m beyond the previous station", true};
    case FaultCode::kFarEndTooNearStart: return {"station far end too near the start of the route", false};
    case FaultCode::kReadingFault:
      return {"description cannot be read (not a number, a value out of range, or past the end)", false};
    case FaultCode::kMissingLineDescription: return {"line description not found", false};
    case FaultCode::kNoGeneralSection: return {"no [generale] section in the line description", false};
    case FaultCode::kCurveFault:
      return {"curve without a class digit 1 to 6, or route map past metre 1000000", false};
    case FaultCode::kReservedMarkerTaken: return {"reserved place for the marker 610 / 5121 is not empty", false};
    case FaultCode::kReservedCodesTaken: return {"reserved place for the check codes is not empty", false};
  }
  return {"", false};  // not reached for a declared code
}

// The code's explanation by number, "" for a number that is no code.
std::string_view explanation(int32_t code);

// Where in a description a fault was found.
struct SourceLocation {
  std::string file;  // the name the user knows the description by
  int line = 0;      // 1-based, 0 when the fault has no line
  int column = 0;    // 1-based byte column of the offending field, 0 when none
};

// Another place that takes part in a finding: the record that occupies a
// clashing cell, the slow order that needs a code point.
struct RelatedPlace {
  SourceLocation where;
  std::string message;  // "the text board placed there"
};

struct ErrorState {
  int32_t codice_errore = 0;     // last recorded fault, 0 = none
  int32_t posizione_errore = 0;  // kept from the last fault that set one
  std::optional<int32_t> own_position;  // the position the last fault itself set
  std::optional<SourceLocation> where;  // where that fault was found, if known
  std::string detail;                   // what was found, "" for the code's explanation
  // What check and build's stderr say of it where they say more than the
  // report's message ("the signal lands in cell 207 ..."); "" for the same.
  std::string said;
  std::vector<RelatedPlace> related;    // the other places that take part in it
};

// Records a fault: a later fault overwrites an earlier one. The position is
// changed only when the code sets one; the location and detail are replaced.
void record_fault(ErrorState& e, FaultCode code, int32_t position = 0,
                  std::optional<SourceLocation> where = std::nullopt, std::string detail = {},
                  std::vector<RelatedPlace> related = {});
// The same for a fault found in no description and explained by its code
// alone: no location, no detail.
void record_fault_of_no_description(ErrorState& e, FaultCode code, int32_t position);

// "Errore n. C, posizione P: explanation", P the position the fault itself
// set ("Errore n. C: explanation" when its code sets none), the explanation
// the detail when known.
std::string fault_text(int32_t code, int32_t own_position, std::string_view detail);

// The report's message: "scenpack:FILE:LINE:COLUMN: Errore n. C, posizione
// P: explanation", P always shown (0 when the code sets none); the parts of
// the location that are not known are left out, down to "scenpack: Errore
// n. C, ...".
std::string fault_message(const ErrorState& e);

}  // namespace scenpack
