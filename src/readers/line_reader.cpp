#include "readers/line_reader.h"

#include <optional>
#include <string>
#include <string_view>

#include "model/numeric.h"
#include "readers/field_reader.h"
#include "readers/general_data.h"
#include "readers/gradients.h"
#include "readers/keywords.h"
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

// What a body record leaves the loop to do.
enum class BodyStep {
  kGoOn,     // next record
  kStop,     // end of the body: the completions run, the train follows
  kAbandon,  // data fault: the reading ends here
};

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

  SourceLocation at(TextPosition p) const { return SourceLocation{name, p.line, p.column}; }

  // Lists a refused record. The build's policy then takes `build_step`;
  // check's skips the record and goes on.
  BodyStep refuse(FaultCode code, int32_t position, TextPosition where, BodyStep build_step) {
    sink.fault(code, position, at(where));
    return sink.goes_on() ? BodyStep::kGoOn : build_step;
  }
  // A record placed in the margin after the route's end.
  void past_the_route(const char* what, int32_t position, TextPosition where) const {
    const int32_t length = t.schede[kRouteLengthRecord].lungo2;
    if (position <= length) return;
    warn.at(WarningName::kPastRouteEnd, where, std::string(what) + " at " + std::to_string(position) + " lies past the route's end (" +
                       std::to_string(length) + " m), in the margin after it");
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
    apply_gradient(b.t, b.gradients, p, g);
    return BodyStep::kGoOn;
  });
}

BodyStep curve_record(Body& b, std::string_view keyword) {
  RecordFields r(b.in, "the curve", 2);
  return r.guard([&] {
    const int32_t p = r.position();
    const int32_t len = r.long_();
    if (auto step = b.beyond(p, r.position_at())) return *step;
    const std::optional<CurveClass> curve = curve_class(keyword);
    if (!curve) return b.refuse(FaultCode::kCurveFault, 0, b.keyword_at, BodyStep::kAbandon);
    if (b.last_curve && p < *b.last_curve) b.warn.out_of_order("the curve", p, *b.last_curve, r.position_at());
    b.last_curve = p;
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
    place_tunnel(b.t, inizio, fine, tipo);
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
    if (FaultCode code = place_speed_boards(b.t, posizione, v); code != FaultCode::kNone) {
      return b.refuse(code, posizione, r.position_at(), BodyStep::kAbandon);
    }
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
    if (FaultCode code = place_text_board(b.t, p, text, b.board_record); code != FaultCode::kNone) {
      return b.refuse(code, p, r.position_at(), BodyStep::kAbandon);
    }
    b.warn.text_cut(text, text_at);
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
  };
  const KeywordSet found = b.keywords.in(keyword);
  const auto holds = [found](BodyKeyword k) { return Keywords::has(found, k); };
  const Test tests[] = {
      {holds(kPendenza), gradient_record},
      {holds(kCurva) && b.t.modo_percorso != 0, curve_record},
      {holds(kMontagna), tunnel_record},
      {holds(kIndicatoriV), speed_board_record},
      {holds(kIndicat) && holds(kCartello), text_board_record},
  };
  bool named = false;
  for (const Test& test : tests) {
    if (!test.applies) continue;
    named = true;
    const BodyStep step = test.record(b, keyword);
    if (step != BodyStep::kGoOn) return step;
  }
  // Curves are passed over without the route map, as they should be.
  if (!named && !holds(kCurva)) {
    b.warn.unknown_keyword(keyword, b.keyword_at, "line description");
  }
  return BodyStep::kGoOn;
}

// True when the field names a record of the body.
bool names_a_body_record(std::string_view f) {
  const KeywordSet found = kBodyKeywords.in(f);
  return Keywords::has(found, kPendenza) || Keywords::has(found, kCurva) || Keywords::has(found, kMontagna) ||
         Keywords::has(found, kIndicatoriV) || (Keywords::has(found, kIndicat) && Keywords::has(found, kCartello));
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
FaultCode read_general_section(Tables& t, FieldReader& in, FaultSink& sink, const std::string& name) {
  for (;;) {
    if (in.at_end()) return FaultCode::kNone;
    std::string_view riga = in.text_view();
    if (in.at_end()) return FaultCode::kNone;
    const int record_line = in.field_line();
    try {
      for (int n = 0; n < kGeneralCommentSkips; ++n) {
        if (is_comment(riga)) riga = in.text_view();
      }
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
    if (is_section_marker(riga)) return FaultCode::kNone;
  }
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

  Body body{t, in, sink, name, in.field_line(), {}, {}, kFirstBoardRecord, Warner(sink, name), {}, {}};
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
  FieldReader in(*line.bytes);
  try {
    return read_text(t, in, sink, line.name);
  } catch (ReadFault& fault) {
    locate(fault, in.field_start());
    throw;
  }
}

}  // namespace scenpack
