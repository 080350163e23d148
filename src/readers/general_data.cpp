#include "readers/general_data.h"

#include <string>

#include "model/record_roles.h"
#include "readers/chainage_records.h"
#include "readers/read_fault.h"
#include "readers/record_fields.h"

namespace scenpack {
namespace {

bool has_both(std::string_view s, const char* a, const char* b, bool match_case) {
  return match_case ? contains(s, a) && contains(s, b) : contains_nocase(s, a) && contains_nocase(s, b);
}

void read_chainage(Scheda& record, FieldReader& in) {
  RecordFields f(in, "the chainage record", 3);
  const ChainageRecord r{record};
  f.guard([&] {
    r.start() = f.long_();
    r.difference() = f.long_();
    r.flag() = f.long_();
  });
}

int32_t read_one(FieldReader& in, const char* what) {
  RecordFields f(in, what, 1);
  return f.guard([&] { return f.long_(); });
}

GeneralFault read_route_length(Tables& t, FieldReader& in) {
  const int32_t length = read_one(in, "the route length");
  general_data(t.schede).route_length() = length;
  if (length > kMaxRouteLength) return {FaultCode::kRouteTooLong, in.field_line(), in.field_column()};
  // A route length with L + 7000 below 0 cannot size the cell table
  // or the map: it is a run-time fault of reading (code 25), like any
  // table that cannot be dimensioned.
  if (!size_tables(t, length)) {
    throw ReadFault{"route length " + std::to_string(length) + " leaves no track cells", in.field_line(),
                    in.field_column()};
  }
  return {};
}

GeneralFault read_signal_repetition(Scheda& record, std::string_view riga, FieldReader& in, int line, int column) {
  RecordFields f(in, "the signal repetition", 2);
  const TrainRecord r{record};
  r.repetition_start() = f.guard([&] { return f.long_(); });
  const GeneralFault start_fault{FaultCode::kRepetitionStartOffCell, in.field_line(), in.field_column()};
  r.repetition_end() = f.guard([&] { return f.long_(); });
  const GeneralFault end_fault{FaultCode::kRepetitionEndOffCell, in.field_line(), in.field_column()};
  if (r.repetition_start() % kCellLength != 0) return start_fault;
  if (r.repetition_end() % kCellLength != 0) return end_fault;
  if (contains_nocase(riga, "4")) {
    r.repetition_codes() = 4;
  } else if (contains_nocase(riga, "9")) {
    r.repetition_codes() = 9;
  } else {
    return {FaultCode::kRepetitionCodes, line, column};
  }
  if (r.repetition_end() == 0) r.repetition_codes() = 0;
  return {};
}

}  // namespace

bool is_section_marker(std::string_view riga) {
  const size_t first = riga.find_first_not_of(' ');
  const bool comment = first != std::string_view::npos && riga[first] == '-';
  return !comment && contains_nocase(riga, "[") && contains_nocase(riga, "]");
}

GeneralFault apply_general_field(Tables& t, std::string_view riga, FieldReader& in, bool undo_refused) {
  const int line = in.field_line();
  const int column = in.field_column();
  if (has_both(riga, "lunghezza", "percorso", false)) {
    if (GeneralFault f = read_route_length(t, in); f.code != FaultCode::kNone) return f;
  }
  // The chainage and background words are matched with their case.
  if (has_both(riga, "progressiva", "tre", true)) read_chainage(t.schede[kChainageTre], in);
  if (has_both(riga, "progressiva", "due", true)) read_chainage(t.schede[kChainageDue], in);
  if (has_both(riga, "progressiva", "uno", true)) read_chainage(t.schede[kChainageUno], in);
  const ScenarioRecord background = scenario_record(t.schede);
  if (has_both(riga, "sfondo", "uno", true)) background.background_uno() = read_one(in, "the background");
  if (has_both(riga, "sfondo", "due", true)) background.background_due() = read_one(in, "the background");
  if (has_both(riga, "sfondo", "tre", true)) background.background_tre() = read_one(in, "the background");
  if (has_both(riga, "ripetizione", "segnali", true)) {
    Scheda& repetition = t.schede[kTrainRecord];
    const Scheda before = repetition;
    const GeneralFault f = read_signal_repetition(repetition, riga, in, line, column);
    if (f.code != FaultCode::kNone && undo_refused) repetition = before;
    return f;
  }
  return {};
}

}  // namespace scenpack
