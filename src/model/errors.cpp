#include "model/errors.h"

#include <utility>

namespace scenpack {

void record_fault(ErrorState& e, int32_t code, std::optional<int32_t> position,
                  std::optional<SourceLocation> where) {
  e.codice_errore = code;
  if (position) e.posizione_errore = *position;
  e.where = std::move(where);
}

std::string_view explanation(int32_t code) {
  switch (code) {
    case 1: return "route length above 1000000";
    case 2: return "chainage record start or difference not a multiple of 50";
    case 3: return "signal repetition start not a multiple of 50";
    case 4: return "signal repetition end not a multiple of 50";
    case 5: return "signal repetition names neither 4 nor 9 codes";
    case 6: return "text board on an occupied cell";
    case 7: return "code cut on an occupied cell";
    case 8: return "station position not a multiple of 50";
    case 9: return "station length not a multiple of 100";
    case 10: return "record table full: station and text-board records would meet";
    case 11: return "no free cell for a code point before a signal ahead of a slowdown warning";
    case 12: return "no free cell for a code point before a slowdown start";
    case 13: return "no free cell for a code point along a slowdown or before the signal after it";
    case 15: return "position beyond the last track cell";
    case 16: return "signal on an occupied cell";
    case 17: return "slowdown warning on an occupied cell";
    case 18: return "slowdown start on an occupied cell";
    case 19: return "slowdown end on an occupied cell";
    case 20: return "slowdown board on an occupied cell";
    case 21: return "speed board on an occupied cell";
    case 22: return "station less than 350 m beyond the previous station";
    case 24: return "station far end too near the start of the route";
    case 25: return "description cannot be read (not a number, a value out of range, or past the end)";
    case 101: return "line description not found";
    case 102: return "no [generale] section in the line description";
    case 103: return "curve without a class digit 1 to 6, or route map past metre 1000000";
    case 1250: return "reserved place for the marker 610 / 5121 is not empty";
    case 1251: return "reserved place for the check codes is not empty";
    default: return "";
  }
}

std::string fault_message(const ErrorState& e) {
  std::string m = "scenpack:";
  if (e.where) {
    m += e.where->file + ":";
    if (e.where->line > 0) m += std::to_string(e.where->line) + ":";
  }
  m += " Errore n. " + std::to_string(e.codice_errore) + ", posizione " +
       std::to_string(e.posizione_errore);
  std::string_view why = explanation(e.codice_errore);
  if (!why.empty()) {
    m += ": ";
    m += why;
  }
  return m;
}

}  // namespace scenpack
