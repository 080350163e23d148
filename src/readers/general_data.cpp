#include "readers/general_data.h"

#include "readers/read_fault.h"

namespace scenpack {
namespace {

constexpr int kRouteRecord = 84;        // lungo2: route length
constexpr int kBackgroundRecord = 85;   // lungo1..3: backgrounds "uno", "tre", "due"
constexpr int kRepetitionRecord = 86;   // lungo1..3: signal-repetition start, end, codes
constexpr int kCommentSkips = 10;

bool has_both(const std::string& s, const char* a, const char* b, bool match_case) {
  return match_case ? contains(s, a) && contains(s, b) : contains_nocase(s, a) && contains_nocase(s, b);
}

void read_chainage(Scheda& r, FieldReader& in) {
  r.lungo1 = in.long_();
  r.lungo2 = in.long_();
  r.lungo3 = in.long_();
}

int32_t read_route_length(Tables& t, FieldReader& in) {
  const int32_t length = in.long_();
  t.schede[kRouteRecord].lungo2 = length;
  if (length > kMaxRouteLength) return 1;
  // A route length with L + 7000 below 0 cannot size the cell table
  // or the map: it is a run-time fault of reading (code 25), like any
  // table that cannot be dimensioned.
  if (!size_tables(t, length)) {
    throw ReadFault{"route length " + std::to_string(length) + " leaves no track cells",
                    in.field_line()};
  }
  return 0;
}

int32_t read_signal_repetition(Scheda& r, const std::string& riga, FieldReader& in) {
  r.lungo1 = in.long_();
  r.lungo2 = in.long_();
  if (r.lungo1 % kCellLength != 0) return 3;
  if (r.lungo2 % kCellLength != 0) return 4;
  if (contains_nocase(riga, "4")) {
    r.lungo3 = 4;
  } else if (contains_nocase(riga, "9")) {
    r.lungo3 = 9;
  } else {
    return 5;
  }
  if (r.lungo2 == 0) r.lungo3 = 0;
  return 0;
}

bool is_section_marker(const std::string& riga) {
  const size_t first = riga.find_first_not_of(' ');
  const bool comment = first != std::string::npos && riga[first] == '-';
  return !comment && contains_nocase(riga, "[") && contains_nocase(riga, "]");
}

}  // namespace

int32_t apply_general_field(Tables& t, const std::string& riga, FieldReader& in) {
  if (has_both(riga, "lunghezza", "percorso", false)) {
    if (int32_t code = read_route_length(t, in)) return code;
  }
  // The chainage and background words are matched with their case.
  if (has_both(riga, "progressiva", "tre", true)) read_chainage(t.schede[81], in);
  if (has_both(riga, "progressiva", "due", true)) read_chainage(t.schede[82], in);
  if (has_both(riga, "progressiva", "uno", true)) read_chainage(t.schede[83], in);
  Scheda& background = t.schede[kBackgroundRecord];
  if (has_both(riga, "sfondo", "uno", true)) background.lungo1 = in.long_();
  if (has_both(riga, "sfondo", "due", true)) background.lungo3 = in.long_();
  if (has_both(riga, "sfondo", "tre", true)) background.lungo2 = in.long_();
  if (has_both(riga, "ripetizione", "segnali", true)) {
    return read_signal_repetition(t.schede[kRepetitionRecord], riga, in);
  }
  return 0;
}

GeneralFault read_general_section(Tables& t, FieldReader& in) {
  for (;;) {
    if (in.at_end()) return {};
    std::string riga = in.text();
    if (in.at_end()) return {};
    for (int n = 0; n < kCommentSkips; ++n) {
      if (contains_nocase(riga, "-")) riga = in.text();
    }
    const int line = in.field_line();
    if (int32_t code = apply_general_field(t, riga, in)) return {code, line};
    if (is_section_marker(riga)) return {};
  }
}

}  // namespace scenpack
