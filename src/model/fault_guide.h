// What each fault code means to an author, what gives it and how to mend
// it: what `scenpack explain CODE` prints and the author's guide's table of
// fault codes lists, word for word (a test holds the guide to it).
#pragma once

#include <string_view>

#include "model/errors.h"

namespace scenpack {

struct FaultGuide {
  std::string_view meaning;   // "signal on an occupied cell"
  std::string_view given_by;  // the description and record that raise it: "train, `segnale`"
  std::string_view fix;       // how to mend it
};

// The one table of the codes' guidance. No default: a new code does not
// compile without its entry (-Wswitch).
constexpr FaultGuide fault_guide(FaultCode c) {
  switch (c) {
    case FaultCode::kNone: return {"", "", ""};
    case FaultCode::kRouteTooLong:
      return {"route length above 1000000",
              "line, `lunghezza percorso`",
              "shorten the route to at most 1000000 m"};
    case FaultCode::kChainageOffCell:
      return {"a chainage start or difference is not a multiple of 50",
              "line, `progressiva` (found after the train description is read)",
              "round the chainage numbers to multiples of 50"};
    case FaultCode::kRepetitionStartOffCell:
      return {"signal repetition start is not a multiple of 50",
              "line, `ripetizione segnali`",
              "round the start to a multiple of 50"};
    case FaultCode::kRepetitionEndOffCell:
      return {"signal repetition end is not a multiple of 50",
              "line, `ripetizione segnali`",
              "round the end to a multiple of 50"};
    case FaultCode::kRepetitionCodes:
      return {"the signal repetition keyword names neither 4 nor 9 codes",
              "line, `ripetizione segnali`",
              "write `ripetizione segnali 4 codici` or `ripetizione segnali 9 codici`"};
    case FaultCode::kTextBoardOccupied:
      return {"text board on an occupied cell",
              "line, `cartello indicatore`",
              "move the board or the object in its cell (at least 50 m apart)"};
    case FaultCode::kCodeCutOccupied:
      return {"code cut on an occupied cell",
              "train, `abbattimento`",
              "move the code cut; remember it uses cell p / 50, without + 1"};
    case FaultCode::kStationOffCell:
      return {"station position is not a multiple of 50",
              "train, `stazione`",
              "round the position to a multiple of 50"};
    case FaultCode::kStationLength:
      return {"station length is not a multiple of 100",
              "train, `stazione`",
              "round the length to a multiple of 100"};
    case FaultCode::kRecordTableFull:
      return {"the record table is full: stations and text boards would meet",
              "train, `stazione`; line, `cartello indicatore`",
              "at most 78 stations and text boards together"};
    case FaultCode::kSignalWithoutCodePoint:
      return {"no free cell for a code point before a signal ahead of a slow order warning",
              "the build's code points, for a `segnale` within 1000 m before a `rallentamento`'s warning cell "
              "(the message stands at the signal and names the cells and what holds them)",
              "free the 1 or 2 cells before the signal, or move the signal"};
    case FaultCode::kStartWindowTaken:
      return {"no free cell for a code point before a slow order start",
              "the build's code points, for a `rallentamento` (the message stands at it and names the window's "
              "cells and what holds them)",
              "free one cell in each window 5 to 7, 11 to 13 and 18 to 20 cells before the start"};
    case FaultCode::kSlowdownPointTaken:
      return {"no free cell for a code point along a slow order or before the signal after it",
              "the build's code points, for a `rallentamento` below 110 km/h (the message stands at it and names "
              "the cells and what holds them)",
              "free cells along the slow order (every 8th and its neighbours) or before the signal after its end; "
              "a slow order whose end falls in or before its start cell (a negative or too short length) is walked "
              "to the last track cell: give it a length of at least 50 m"};
    case FaultCode::kBeyondLastCell:
      return {"a position beyond the last track cell",
              "any positioned record",
              "keep positions within L + 6900 m (stations L + 6200 m), or lengthen the route"};
    case FaultCode::kSignalOccupied:
      return {"signal on an occupied cell",
              "train, `segnale`",
              "move the signal, or what is in its cell"};
    case FaultCode::kWarningOccupied:
      return {"slow order warning on an occupied cell",
              "train, `rallentamento`",
              "move the slow order, or what is in its warning cell (1200 m before the start)"};
    case FaultCode::kStartOccupied:
      return {"slow order start on an occupied cell",
              "train, `rallentamento`",
              "move the slow order, or what is in its start cell"};
    case FaultCode::kEndOccupied:
      return {"slow order end on an occupied cell",
              "train, `rallentamento`",
              "change the length, or move what is in its end cell"};
    case FaultCode::kBoardOccupied:
      return {"slow order distance board on an occupied cell",
              "train, `rallentamento`",
              "free the four cells before the warning, or set `f_ta` to 0"};
    case FaultCode::kSpeedBoardOccupied:
      return {"speed board on an occupied cell",
              "line, `indicatori_vmax`",
              "move the board or the object in its cell"};
    case FaultCode::kStationTooNear:
      return {"station less than 350 m beyond the previous station",
              "train, `stazione`",
              "put stations in route order with 350 m between one's far end and the next one's near end"};
    case FaultCode::kFarEndTooNearStart:
      return {"station far end too near the start of the route",
              "train, `stazione`",
              "the far end must lie more than 100 m from the start"};
    case FaultCode::kReadingFault:
      return {"a description cannot be read: a field that is not a number, a value out of range, reading past the "
              "end of the file, no route length, more than 80 tunnels, a curve past the map's end, a missing "
              "train description",
              "either; the message gives the line",
              "check the record on that line and the one before it: a missing or extra number, a comma inside a "
              "name, a comment holding a keyword"};
    case FaultCode::kMissingLineDescription:
      return {"line description not found",
              "the build",
              "check NAME, DIR and `--line`"};
    case FaultCode::kNoGeneralSection:
      return {"no `[generale]` in the line description",
              "line",
              "write a `[generale]` line before the general records (not as the last line)"};
    case FaultCode::kCurveFault:
      return {"curve without a class digit 1 to 6, or route map past metre 1000000",
              "line, curve",
              "write `curvad` or `curvas` with a digit 1 to 6; shorten the route"};
    case FaultCode::kReservedMarkerTaken:
      return {"the reserved place for the marker in cell 1 is taken",
              "the build",
              "move the object placed in the first 100 m of the route"};
    case FaultCode::kReservedCodesTaken:
      return {"the reserved place for the check code in cell 1 is taken",
              "the build",
              "move the object placed in the first 100 m of the route"};
  }
  return {"", "", ""};  // not reached for a declared code
}

}  // namespace scenpack
