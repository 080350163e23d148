#include "readers/line_reader.h"

#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/numeric.h"
#include "model/record_roles.h"
#include "readers/field_reader.h"
#include "readers/field_surroundings.h"
#include "readers/general_data.h"
#include "readers/gradients.h"
#include "readers/keywords.h"
#include "readers/occupied_cell.h"
#include "readers/overlaps.h"
#include "readers/chainage_records.h"
#include "readers/read_fault.h"
#include "readers/record_fields.h"
#include "readers/route_map.h"
#include "readers/speed_boards.h"
#include "readers/text_boards.h"
#include "readers/track_position.h"
#include "readers/tunnels.h"
#include "readers/unreadable_field.h"
#include "readers/warnings.h"

namespace scenpack {
namespace {

constexpr int kBodyCommentSkips = 2;
constexpr int32_t kPositionMargin = 100;  // metres: (p + 100) / 50 <= n_celle

// The keywords that name the records of the body.
enum BodyKeyword : size_t { kPendenza, kCurva, kMontagna, kIndicatoriV, kIndicat, kCartello };
constexpr Keywords kBodyKeywords{"pendenza", "curva", "montagna", "indicatori_v", "indicat", "cartello"};
// The words of the body's keyword fields as the author's guide writes them,
// for "did you mean".
constexpr std::string_view kBodySpellings[] = {"pendenza", "curvad", "curvas", "montagna", "indicatori_vmax",
                                               "cartello", "indicatore"};

// What a body record leaves the loop to do.
enum class BodyStep {
  kGoOn,     // next record
  kStop,     // end of the body: the completions run, the train follows
  kAbandon,  // data fault: the reading ends here
};

// True when the keywords found name a record of the body.
bool names_a_body_record(KeywordSet found) {
  return Keywords::has(found, kPendenza) || Keywords::has(found, kCurva) || Keywords::has(found, kMontagna) ||
         Keywords::has(found, kIndicatoriV) || (Keywords::has(found, kIndicat) && Keywords::has(found, kCartello));
}
bool names_a_body_record(std::string_view f) { return names_a_body_record(kBodyKeywords.in(f)); }

struct Body {
  Tables& t;
  FieldReader& in;
  FaultSink& sink;
  const std::string& name;  // the description's name, for messages
  int record_line = 0;
  TextPosition keyword_at;  // where the keyword field of the record stands
  GradientFill gradients;
  int32_t board_record = kFirstBoardRecord;
  Warner warn;
  std::optional<int32_t> last_gradient;  // positions of the last records read,
  std::optional<int32_t> last_curve;     // for the order warnings
  RememberedKeywords keywords{kBodyKeywords};
  FieldSurroundings around;
  // The earlier records the overlap warnings name.
  std::optional<EarlierRecord> gradient_before;
  std::optional<EarlierRecord> furthest_curve;
  std::vector<EarlierRecord> tunnels;

  SourceLocation at(TextPosition p) const { return SourceLocation{name, p.line, p.column}; }

  // Lists a refused record. The build's policy then takes `build_step`;
  // check's skips the record and goes on.
  BodyStep refuse(FaultCode code, int32_t position, TextPosition where, BodyStep build_step) {
    sink.fault(code, position, at(where));
    return sink.goes_on() ? BodyStep::kGoOn : build_step;
  }
  // A record refused on an occupied cell: the reading ends there.
  BodyStep refuse_occupied_cell(FaultCode code, int32_t position, TextPosition where, const Landing& landing) {
    refuse_occupied(sink, t, code, position, at(where), landing);
    return sink.goes_on() ? BodyStep::kGoOn : BodyStep::kAbandon;
  }
  // What a record placed in `cell`, for the messages of a later clash there.
  void placed(int64_t cell, TextPosition where, CellPart part) { t.origins.record(cell, where.line, where.column, part); }
  // A record placed in the margin after the route's end.
  void past_the_route(const char* what, int32_t position, TextPosition where) const {
    warn.past_route_end(what, position, general_data(t.schede).route_length(), where);
  }
  // The position check shared by the body records: 15 stops the body.
  std::optional<BodyStep> beyond(int32_t position, TextPosition where) {
    if (within_track(t, position, kPositionMargin)) return std::nullopt;
    return refuse(FaultCode::kBeyondLastCell, position, where, BodyStep::kStop);
  }
};

BodyStep gradient_record(Body& b, std::string_view) {
  RecordFields r(b.in, "the gradient", 2);
  return r.guard([&] {
    const int32_t p = r.position();
    const int32_t g = r.long_();
    const TextPosition g_at = b.in.field_start();
    if (auto step = b.beyond(p, r.position_at())) return *step;
    if (b.last_gradient && p < *b.last_gradient) b.warn.out_of_order("the gradient", p, *b.last_gradient, r.position_at());
    const int64_t stored = static_cast<int64_t>(low8(static_cast<int64_t>(g) + 100)) - 100;
    if (stored != g) b.warn.narrowed("gradient", g, stored, 8, g_at);
    b.last_gradient = p;
    b.past_the_route("the gradient", p, r.position_at());
    check_gradient_cell(b.warn, b.gradients, static_cast<int64_t>(b.t.celle.size()), b.gradient_before, p, g,
                        r.position_at());
    apply_gradient(b.t, b.gradients, p, g);
    return BodyStep::kGoOn;
  });
}

// A curve's side is "s" anywhere in its keyword field, else right: a field
// holding both letters or neither is read otherwise than written.
void warn_curve_side(const Body& b, std::string_view keyword, CurveClass curve) {
  const bool left = keyword.find_first_of("sS") != std::string_view::npos;
  const bool right = keyword.find_first_of("dD") != std::string_view::npos;
  if (left != right) return;
  const int number = std::abs(static_cast<int>(curve));
  const std::string shown(without_trailing_blanks(keyword));
  const std::string digit = std::to_string(number);
  std::string message = "\"" + shown + "\" is read as a " + (left ? "left" : "right") + " curve of class " + digit +
                        (left ? " (the field holds \"s\")" : " (the field holds no \"s\")") + ": write curvad" +
                        digit + " or curvas" + digit;
  std::optional<Fix> fix;
  if (contains_nocase(keyword, "destr")) {
    fix = b.warn.fix(b.keyword_at, b.keyword_at.column + static_cast<int>(shown.size()), "curvad" + digit);
  }
  b.warn.at(WarningName::kCurveSide, b.keyword_at, std::move(message), std::move(fix));
}

BodyStep curve_record(Body& b, std::string_view keyword) {
  RecordFields r(b.in, "the curve", 2);
  return r.guard([&] {
    const int32_t p = r.position();
    const int32_t len = r.long_();
    if (auto step = b.beyond(p, r.position_at())) return *step;
    const std::optional<CurveClass> curve = curve_class(keyword);
    if (!curve) return b.refuse(FaultCode::kCurveFault, 0, b.keyword_at, BodyStep::kAbandon);
    warn_curve_side(b, keyword, *curve);
    if (b.last_curve && p < *b.last_curve) b.warn.out_of_order("the curve", p, *b.last_curve, r.position_at());
    b.last_curve = p;
    check_curve_overlap(b.warn, b.furthest_curve, p, len, r.position_at());
    b.past_the_route("the curve", p, r.position_at());
    if (draw_curve(b.t.mappa, p, len, *curve) == DrawResult::kPastMetreLimit) {
      return b.refuse(FaultCode::kCurveFault, 0, r.position_at(), BodyStep::kAbandon);
    }
    return BodyStep::kGoOn;
  });
}

BodyStep tunnel_record(Body& b, std::string_view) {
  RecordFields r(b.in, "the tunnel", 3);
  return r.guard([&] {
    const int32_t inizio = r.position();
    const int32_t fine = r.long_();
    int32_t tipo = r.long_();
    if (auto step = b.beyond(inizio, r.position_at())) return *step;
    b.past_the_route("the tunnel", inizio, r.position_at());
    const int32_t written = tipo > kMarkerKindOffset ? tipo - kMarkerKindOffset : tipo;
    place_tunnel(b.t, inizio, fine, tipo);
    check_tunnel_inside(b.warn, b.tunnels, inizio, fine, written, tipo, r.position_at());
    return BodyStep::kGoOn;
  });
}

BodyStep speed_board_record(Body& b, std::string_view) {
  RecordFields r(b.in, "the speed board", 9);
  return r.guard([&] {
    const int32_t posizione = r.position();
    SpeedBoard v;
    for (int32_t* field : {&v.vas, &v.vbs, &v.vcs, &v.strisces, &v.vad, &v.vbd, &v.vcd, &v.strisced}) {
      *field = r.long_();
    }
    if (auto step = b.beyond(posizione, r.position_at())) return *step;
    // The reading stops on the board's own fault, not on one recorded earlier.
    const auto cell = static_cast<int64_t>(cell_number(posizione, 1));
    if (FaultCode code = place_speed_boards(b.t, posizione, v); code != FaultCode::kNone) {
      return b.refuse_occupied_cell(code, posizione, r.position_at(), {"the speed board", cell, 1});
    }
    b.placed(cell, r.position_at(), CellPart::kSpeedBoard);
    b.past_the_route("the speed board", posizione, r.position_at());
    return BodyStep::kGoOn;
  });
}

BodyStep text_board_record(Body& b, std::string_view) {
  RecordFields r(b.in, "the text board", 1);
  return r.guard([&] {
    const int32_t p = r.position();
    const std::string_view text = r.text();
    const TextPosition text_at = b.in.field_start();
    if (auto step = b.beyond(p, r.position_at())) return *step;
    const auto cell = static_cast<int64_t>(cell_number(p, 1));
    if (FaultCode code = place_text_board(b.t, p, text, b.board_record); code == FaultCode::kTextBoardOccupied) {
      return b.refuse_occupied_cell(code, p, r.position_at(), {"the text board", cell, 1});
    } else if (code != FaultCode::kNone) {
      return b.refuse(code, p, r.position_at(), BodyStep::kAbandon);
    }
    b.placed(cell, r.position_at(), CellPart::kTextBoard);
    b.warn.text_cut(text, text_at);
    b.past_the_route("the text board", p, r.position_at());
    return BodyStep::kGoOn;
  });
}

// Every keyword test is applied to the keyword field, in this order, so one
// field may name several records; each record gets the keyword field
// itself, whatever the records before it read. Section markers match
// nothing.
BodyStep apply_body_record(Body& b, std::string_view keyword) {
  struct Test {
    bool applies;
    BodyStep (*record)(Body&, std::string_view);
    const char* what;
    const char* heading;  // the heading of the section such records stand in
  };
  const KeywordSet found = b.keywords.in(keyword);
  const auto holds = [found](BodyKeyword k) { return Keywords::has(found, k); };
  const Test tests[] = {
      {holds(kPendenza), gradient_record, "the gradient", "[pendenze]"},
      {holds(kCurva) && b.t.modo_percorso != 0, curve_record, "the curve", "[curve]"},
      {holds(kMontagna), tunnel_record, "the tunnel", "[montagne]"},
      {holds(kIndicatoriV), speed_board_record, "the speed board", "[cartelli]"},
      {holds(kIndicat) && holds(kCartello), text_board_record, "the text board", "[indicazioni]"},
  };
  const bool warned = b.around.warn_about(b.warn, keyword, b.keyword_at, names_a_body_record(found));
  const Test* last = nullptr;
  for (const Test& test : tests) {
    if (!test.applies) continue;
    if (last == nullptr && !warned) b.warn.heading_names_record(keyword, b.keyword_at, test.what, test.heading);
    last = &test;
    const BodyStep step = test.record(b, keyword);
    if (step != BodyStep::kGoOn) {
      b.around.no_record();
      return step;
    }
  }
  if (last != nullptr) {
    b.around.record_read(b.in, last->what, last->record == text_board_record);
  } else if (!holds(kCurva) && !warned) {  // curves are passed over without the route map, as they should be
    b.warn.unknown_keyword(keyword, b.keyword_at, "line description", kBodySpellings);
  }
  return BodyStep::kGoOn;
}


// Reads the next field; nothing when that read reached the end of the file
// (the field is then never interpreted).
std::optional<std::string_view> next_field(Body& b) {
  const std::string_view riga = b.in.text_view();
  b.record_line = b.in.field_line();
  if (b.in.at_end()) {
    if (names_a_body_record(riga)) b.warn.last_record_unread(riga, b.in.field_start());
    return std::nullopt;
  }
  return riga;
}

BodyStep read_body(Body& b) {
  for (;;) {
    if (b.in.at_end()) return BodyStep::kStop;
    std::optional<std::string_view> riga = next_field(b);
    if (!riga) return BodyStep::kStop;
    // At most two comment fields are skipped per record; a third is tested.
    for (int n = 0; n < kBodyCommentSkips && is_comment(*riga); ++n) {
      b.around.comment(b.in.field_start());
      if (!(riga = next_field(b))) return BodyStep::kStop;
      if (n + 1 == kBodyCommentSkips && is_comment(*riga) && names_a_body_record(*riga)) {
        b.warn.third_comment(b.in.field_start());
      }
    }
    const int record_line = b.record_line;
    b.keyword_at = b.in.field_start();
    try {
      const BodyStep step = apply_body_record(b, *riga);
      if (step != BodyStep::kGoOn) return step;
    } catch (ReadFault& fault) {
      locate(fault, b.keyword_at);
      b.around.no_record();
      if (!b.sink.goes_on()) throw;
      skip_unreadable(b.sink, b.in, b.name, fault, record_line);
    }
  }
}

// Reads fields until one holds "[generale]"; false when the end of the file
// comes first (a marker in the last field is not found).
bool find_general_section(FieldReader& in) {
  for (;;) {
    const std::string_view riga = in.text_view();
    if (in.at_end()) return false;
    if (contains_nocase(riga, "[generale]")) return true;
  }
}

// The general section, just after the "[generale]" marker. Each pass reads
// a field (leaving at the end of the file, so the last field is never
// applied), skips up to ten comment fields (there is no end-of-file test
// between those reads), applies the field and leaves when it is a section
// marker. Returns the fault that ends the reading, kNone when none does.
// The records of the body written before the general section ended: they
// are read as general data and lost.
class BodyRecordsInGeneralSection {
 public:
  void saw(std::string_view riga, TextPosition where) {
    if (is_comment(riga) || !names_a_body_record(riga)) return;
    if (count_++ == 0) {
      first_ = without_trailing_blanks(riga);
      first_at_ = where;
    }
  }
  // `ended`: the section ended at a heading (else at the end of the file).
  void warn(const Warner& warn, bool ended) const {
    if (count_ == 0) return;
    const std::string lost = count_ == 1 ? "this record is" : "this record and " + std::to_string(count_ - 1) +
                                                                   (count_ == 2 ? " other are" : " others are");
    const std::string where = ended ? "stands in the general section, before the heading that ends it"
                                    : "stands in the general section, which never ends (no heading such as "
                                      "\"[pendenze]\" follows the general data)";
    warn.at(WarningName::kUnendedGeneralSection, first_at_,
            std::string("\"").append(first_) + "\" " + where + ": " + lost + " read as general data and lost");
  }

 private:
  int count_ = 0;
  std::string_view first_;
  TextPosition first_at_;
};

FaultCode read_general_section(Tables& t, FieldReader& in, FaultSink& sink, const std::string& name) {
  const Warner warn(sink, name);
  BodyRecordsInGeneralSection misplaced;
  for (;;) {
    if (in.at_end()) break;
    std::string_view riga = in.text_view();
    if (in.at_end()) break;
    const int record_line = in.field_line();
    try {
      for (int n = 0; n < kGeneralCommentSkips; ++n) {
        if (is_comment(riga)) riga = in.text_view();
      }
      misplaced.saw(riga, in.field_start());
      const GeneralFault f = apply_general_field(t, riga, in, sink.policy() == FaultPolicy::kGoOn);
      if (f.code != FaultCode::kNone) {
        sink.fault(f.code, 0, SourceLocation{name, f.line, f.column});
        // A route length out of range leaves nothing to place records in.
        if (!sink.goes_on() || f.code == FaultCode::kRouteTooLong) return f.code;
      }
    } catch (ReadFault& fault) {
      locate(fault, in.field_start());
      if (!sink.goes_on()) throw;
      skip_unreadable(sink, in, name, fault, record_line);
      continue;
    }
    if (is_section_marker(riga)) {
      misplaced.warn(warn, true);
      return FaultCode::kNone;
    }
  }
  misplaced.warn(warn, false);
  return FaultCode::kNone;
}

// What check could not look at after a fault that ends the description.
void note_unchecked(FaultSink& sink, const std::string& name, const char* what) {
  if (sink.policy() == FaultPolicy::kGoOn) sink.note(SourceLocation{name, 0, 0}, what);
}

LineHalf read_text(Tables& t, FieldReader& in, FaultSink& sink, const std::string& name) {
  const LineHalf abandoned{false, true, kFirstBoardRecord};
  if (!find_general_section(in)) {
    sink.fault(FaultCode::kNoGeneralSection, 0, SourceLocation{name, in.field_line(), 0});
    note_unchecked(sink, name, "nothing of the line description was checked, nor the train description");
    return abandoned;
  }
  const FaultCode general = read_general_section(t, in, sink, name);
  if (general == FaultCode::kRouteTooLong) {
    note_unchecked(sink, name, "the records after the route length were not checked, nor the train description");
    return abandoned;
  }
  if (general != FaultCode::kNone) return abandoned;

  sort_chainage_records(t);
  t.n_gallerie = 0;
  // Without a route length there is no table for the body records (nor for
  // the completions that always write a cell): the description is refused
  // here as a run-time fault of reading.
  if (!t.celle_sized) {
    const ReadFault fault{"no route length (\"lunghezza percorso\") before the body of the description",
                          in.field_line(), 0};
    if (sink.policy() == FaultPolicy::kStopAtFirst) throw fault;
    sink.fault(FaultCode::kReadingFault, 0, SourceLocation{name, fault.line, 0}, fault.what);
    note_unchecked(sink, name, "the body of the line description was not checked, nor the train description");
    return abandoned;
  }
  if (t.modo_percorso != 0) start_map(t.mappa);

  Body body{t, in, sink, name, in.field_line(), {}, {}, kFirstBoardRecord, Warner(sink, name), {}, {}, RememberedKeywords{kBodyKeywords}, {}, {}, {}, {}};
  const BodyStep end = read_body(body);
  if (end == BodyStep::kAbandon) return LineHalf{false, true, body.board_record};
  complete_gradients(t, body.gradients);
  if (t.modo_percorso != 0) complete_map(t.mappa);
  return LineHalf{true, true, body.board_record};
}

}  // namespace

LineHalf read_line_description(Tables& t, const DescriptionText& line, FaultSink& sink) {
  if (line.missing()) {
    sink.fault(FaultCode::kMissingLineDescription, 0, SourceLocation{line.name, 0, 0});
    note_unchecked(sink, line.name, "the train description was not checked");
    return LineHalf{};
  }
  // A description that is there but cannot be read is a reading fault
  // (code 25), as on the train side.
  if (!line.bytes) throw ReadFault{line.unreadable, 0, 0};
  Warner(sink, line.name).encoding(*line.bytes);
  t.origins.reading(line.name);
  FieldReader in(*line.bytes);
  try {
    return read_text(t, in, sink, line.name);
  } catch (ReadFault& fault) {
    locate(fault, in.field_start());
    throw;
  }
}

}  // namespace scenpack
