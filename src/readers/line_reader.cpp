#include "readers/line_reader.h"

#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "readers/field_reader.h"
#include "readers/general_data.h"
#include "readers/gradients.h"
#include "readers/progressive_ordina.h"
#include "readers/read_fault.h"
#include "readers/route_map.h"
#include "readers/speed_boards.h"
#include "readers/text_boards.h"
#include "readers/track_position.h"
#include "readers/tunnels.h"

namespace scenpack {
namespace {

constexpr int32_t kNoGeneralSection = 102;
constexpr int32_t kMissingDescription = 101;
constexpr int32_t kBeyondLastCell = 15;
constexpr int32_t kCurveFault = 103;
constexpr int kBodyCommentSkips = 2;
constexpr int32_t kPositionMargin = 100;  // metres: (p + 100) / 50 <= n_celle

// What a body record leaves the loop to do.
enum class BodyStep {
  kGoOn,     // next record
  kStop,     // end of the body: the description is deleted, completions run
  kAbandon,  // data fault: the description is deleted, the reading ends
};

struct Body {
  Tables& t;
  FieldReader& in;
  const std::string& name;  // the description's file name, for messages
  std::string riga;
  int record_line = 0;
  GradientFill gradients;
  int32_t board_record = kFirstBoardRecord;

  void fault(int32_t code, std::optional<int32_t> position) {
    record_fault(t.errore, code, position, SourceLocation{name, record_line});
  }
  // The position check shared by the body records: code 15 stops the body.
  bool beyond(int32_t position) {
    if (within_track(t, position, kPositionMargin)) return false;
    fault(kBeyondLastCell, position);
    return true;
  }
};

BodyStep gradient_record(Body& b) {
  const int32_t p = b.in.long_();
  const int32_t g = b.in.long_();
  if (b.beyond(p)) return BodyStep::kStop;
  apply_gradient(b.t, b.gradients, p, g);
  return BodyStep::kGoOn;
}

BodyStep curve_record(Body& b) {
  const int32_t p = b.in.long_();
  const int32_t len = b.in.long_();
  if (b.beyond(p)) return BodyStep::kStop;
  const std::optional<CurveClass> curve = curve_class(b.riga);
  if (!curve || draw_curve(b.t.mappa, p, len, *curve) == DrawResult::kPastMetreLimit) {
    b.fault(kCurveFault, std::nullopt);
    return BodyStep::kAbandon;
  }
  return BodyStep::kGoOn;
}

BodyStep tunnel_record(Body& b) {
  const int32_t inizio = b.in.long_();
  const int32_t fine = b.in.long_();
  int32_t tipo = b.in.long_();
  if (b.beyond(inizio)) return BodyStep::kStop;
  memo_montagna(b.t, inizio, fine, tipo);
  return BodyStep::kGoOn;
}

BodyStep speed_board_record(Body& b) {
  const int32_t posizione = b.in.long_();
  SpeedBoard v;
  for (int32_t* field : {&v.vas, &v.vbs, &v.vcs, &v.strisces, &v.vad, &v.vbd, &v.vcd, &v.strisced}) {
    *field = b.in.long_();
  }
  if (b.beyond(posizione)) return BodyStep::kStop;
  // The reading stops on the board's own fault, not on one recorded earlier.
  if (int32_t code = memo_indicatori_v_max(b.t, posizione, v)) {
    b.fault(code, posizione);
    return BodyStep::kAbandon;
  }
  return BodyStep::kGoOn;
}

BodyStep text_board_record(Body& b) {
  const int32_t p = b.in.long_();
  b.riga = b.in.text();  // the board's text replaces the keyword field
  if (b.beyond(p)) return BodyStep::kStop;
  if (int32_t code = place_text_board(b.t, p, b.riga, b.board_record)) {
    b.fault(code, p);
    return BodyStep::kAbandon;
  }
  return BodyStep::kGoOn;
}

// Every keyword test is applied to the keyword field, in this order, so one
// field may name several records. Section markers match nothing.
BodyStep apply_body_record(Body& b) {
  const std::string keyword = b.riga;
  struct Test {
    bool applies;
    BodyStep (*record)(Body&);
  };
  const Test tests[] = {
      {contains_nocase(keyword, "pendenza"), gradient_record},
      {contains_nocase(keyword, "curva") && b.t.modo_percorso != 0, curve_record},
      {contains_nocase(keyword, "montagna"), tunnel_record},
      {contains_nocase(keyword, "indicatori_v"), speed_board_record},
      {contains_nocase(keyword, "indicat") && contains_nocase(keyword, "cartello"), text_board_record},
  };
  for (const Test& test : tests) {
    if (!test.applies) continue;
    const BodyStep step = test.record(b);
    if (step != BodyStep::kGoOn) return step;
  }
  return BodyStep::kGoOn;
}

// Reads the next field into riga; false when that read reached the end of
// the file (the field is then never interpreted).
bool next_field(Body& b) {
  b.riga = b.in.text();
  b.record_line = b.in.field_line();
  return !b.in.at_end();
}

BodyStep read_body(Body& b) {
  for (;;) {
    if (b.in.at_end() || !next_field(b)) return BodyStep::kStop;
    // At most two comment fields are skipped per record; a third is tested.
    for (int n = 0; n < kBodyCommentSkips && contains_nocase(b.riga, "-"); ++n) {
      if (!next_field(b)) return BodyStep::kStop;
    }
    const BodyStep step = apply_body_record(b);
    if (step != BodyStep::kGoOn) return step;
  }
}

// Reads fields until one holds "[generale]"; false when the end of the file
// comes first (a marker in the last field is not found).
bool find_general_section(FieldReader& in) {
  for (;;) {
    const std::string riga = in.text();
    if (in.at_end()) return false;
    if (contains_nocase(riga, "[generale]")) return true;
  }
}

LineHalf read_text(Tables& t, FieldReader& in, const std::string& name, const std::string& path) {
  const auto abandon = [&](int32_t code, std::optional<int32_t> position, int line) {
    record_fault(t.errore, code, position, SourceLocation{name, line});
    return LineHalf{remove_file(path), false, kFirstBoardRecord};
  };
  if (!find_general_section(in)) return abandon(kNoGeneralSection, std::nullopt, in.field_line());
  const GeneralFault general = read_general_section(t, in);
  if (general.code != 0) return abandon(general.code, std::nullopt, general.line);

  progressive_ordina(t);
  t.n_gallerie = 0;
  // Without a route length there is no table for the body records (nor for
  // the completions that always write a cell): the description is refused
  // here as a run-time fault of reading.
  if (!t.celle_sized) throw ReadFault{"no route length before the body of the description", 0};
  if (t.modo_percorso != 0) start_map(t.mappa);

  Body body{t, in, name, {}, in.field_line(), {}, kFirstBoardRecord};
  const BodyStep end = read_body(body);
  Status deleted = remove_file(path);
  if (end == BodyStep::kAbandon || !deleted.is_ok()) {
    return LineHalf{deleted, false, body.board_record};
  }
  complete_gradients(t, body.gradients);
  if (t.modo_percorso != 0) complete_map(t.mappa);
  return LineHalf{Status::ok(), true, body.board_record};
}

}  // namespace

LineHalf read_line_description(Tables& t, const ScenarioFiles& files) {
  const std::string name = files.line_text();
  const std::string path = files.path(name);
  if (!file_exists(path)) {
    record_fault(t.errore, kMissingDescription, std::nullopt, SourceLocation{name, 0});
    return LineHalf{};
  }
  // A description that is there but cannot be opened or read is a reading
  // fault (code 25), as on the train side.
  std::string bytes;
  if (Status read = read_file(path, bytes); !read.is_ok()) throw ReadFault{read.message(), 0};
  FieldReader in(bytes);
  try {
    return read_text(t, in, name, path);
  } catch (ReadFault& fault) {
    if (fault.line == 0) fault.line = in.field_line();
    throw;
  }
}

}  // namespace scenpack
