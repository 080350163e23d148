#include "readers/train_reader.h"

#include <string>

#include "platform/file_system.h"
#include "readers/field_reader.h"
#include "readers/read_fault.h"
#include "readers/signals.h"
#include "readers/slowdowns.h"
#include "readers/speed_adhesion.h"
#include "readers/stations.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

constexpr int32_t kOutOfTrack = 15;
constexpr int32_t kChainageOffCell = 2;
constexpr int32_t kRecordMargin = 100;  // (p + 100) / 50 must not exceed n_celle
constexpr int kCommentSkips = 2;        // a third comment field in a row is read as data
constexpr int kFirstChainageRecord = 81;
constexpr int kLastChainageRecord = 83;

// What the reading does after a field has been examined.
enum class Next {
  kGoOn,       // read the next field
  kEndOfText,  // as at the end of the file: the end-of-file fill runs (also after 15)
  kStop,       // a recorded fault: remove the text and return, no fill
};

class TrainReading {
 public:
  TrainReading(Tables& t, const ScenarioFiles& files, std::string_view bytes, int32_t board_record)
      : t_(t), files_(files), r_(bytes), board_record_(board_record) {}

  // Steps 1 to 5: returns how the reading loop ended.
  Next read_all() {
    skip_to_general_section();
    for (;;) {
      if (r_.at_end()) return Next::kEndOfText;
      std::string riga = r_.text();
      if (r_.at_end()) return Next::kEndOfText;  // the last field is never examined
      for (int skip = 0; skip < kCommentSkips && contains(riga, "-"); ++skip) {
        riga = r_.text();
        if (r_.at_end()) return Next::kEndOfText;
      }
      record_line_ = r_.field_line();
      const Next next = examine(riga);
      if (next != Next::kGoOn) return next;
    }
  }

  // Step 6 after the text has been removed: the fills and the chainage check.
  void finish() {
    fill_speed_to_end(t_, speed_);
    fill_adhesion_to_end(t_, adhesion_);
    check_chainage_records();
  }

  int record_line() const { return record_line_; }

 private:
  void skip_to_general_section() {
    while (!r_.at_end()) {
      if (contains_nocase(r_.text(), "[generale]")) return;
    }
  }

  // The keyword tests, each independent and in this order: one field that
  // holds two keywords runs both.
  Next examine(const std::string& riga) {
    if (contains_nocase(riga, "frenata") && contains_nocase(riga, "massa")) t_.schede[84].lungo1 = r_.long_();
    if (contains_nocase(riga, "vetture")) t_.schede[84].lungo3 = r_.long_();
    if (contains_nocase(riga, "velocit")) {
      const int32_t p = r_.long_();
      const int32_t v = r_.long_();
      if (!within_track(t_, p, kRecordMargin)) return out_of_track(p);
      apply_speed_line(t_, speed_, p, v);
    }
    if (contains_nocase(riga, "aderenza")) {
      const int32_t p = r_.long_();
      const int32_t a = r_.long_();
      if (!within_track(t_, p, kRecordMargin)) return out_of_track(p);
      apply_adhesion_line(t_, adhesion_, p, a);
    }
    if (contains_nocase(riga, "orologio")) {
      t_.schede[86].intero3 = r_.integer();
      t_.schede[86].intero4 = r_.integer();
      t_.schede[86].intero5 = r_.integer();
    }
    if (contains_nocase(riga, "sabbia")) t_.schede[86].intero1 = r_.integer();
    if (contains_nocase(riga, "segnale")) {
      const Next next = read_signal();
      if (next != Next::kGoOn) return next;
    }
    if (contains_nocase(riga, "rallentamento")) {
      const Next next = read_slow_order();
      if (next != Next::kGoOn) return next;
    }
    if (contains_nocase(riga, "abbattimento")) {
      const Next next = read_code_cut();
      if (next != Next::kGoOn) return next;
    }
    if (contains_nocase(riga, "stazione")) {
      if (auto fault = read_station(r_, t_, next_station_, board_record_)) {
        record(fault->code, fault->position);
        return fault->code == kOutOfTrack ? Next::kEndOfText : Next::kStop;
      }
    }
    return Next::kGoOn;
  }

  Next read_signal() {
    SignalRow row;
    for (int32_t* field : {&row.posizione, &row.sx, &row.s1, &row.s2, &row.s3, &row.rapp, &row.dx, &row.d1,
                           &row.d2, &row.d3, &row.tempo}) {
      *field = r_.long_();
    }
    if (!within_track(t_, row.posizione, kRecordMargin)) return out_of_track(row.posizione);
    return stop_if_fault(memo_segnale(t_, row), row.posizione);
  }

  Next read_slow_order() {
    SlowOrder order;
    for (int32_t* field : {&order.x, &order.v, &order.l, &order.f_tt, &order.f_ta, &order.d_v}) *field = r_.long_();
    if (!within_track(t_, order.x, kRecordMargin)) return out_of_track(order.x);
    return stop_if_fault(memo_rallentamento(t_, order), order.x);
  }

  Next read_code_cut() {
    const int32_t p = r_.long_();
    const int32_t value = r_.long_();
    if (!within_track(t_, p, kRecordMargin)) return out_of_track(p);
    return stop_if_fault(place_code_cut(t_, p, value), p);
  }

  // The reading stops only when this very call found a fault: a code 15
  // left by the line description must not stop the train reading.
  Next stop_if_fault(int32_t code, int32_t position) {
    if (code == 0) return Next::kGoOn;
    record(code, position);
    return Next::kStop;
  }

  Next out_of_track(int32_t p) {
    record(kOutOfTrack, p);
    return Next::kEndOfText;
  }

  void record(int32_t code, std::optional<int32_t> position) {
    record_fault(t_.errore, code, position, SourceLocation{files_.train_text(), record_line_});
  }

  void check_chainage_records() {
    bool off_cell = false;
    for (int i = kFirstChainageRecord; i <= kLastChainageRecord; ++i) {
      const Scheda& s = t_.schede[static_cast<size_t>(i)];
      if (s.lungo1 % kCellLength != 0 || s.lungo2 % kCellLength != 0) off_cell = true;
    }
    // The chainage records come from the line description: no train line.
    if (off_cell) record_fault(t_.errore, kChainageOffCell);
  }

  Tables& t_;
  const ScenarioFiles& files_;
  FieldReader r_;
  int32_t board_record_;
  CellProfile speed_;
  CellProfile adhesion_;
  int32_t next_station_ = 1;
  int record_line_ = 0;
};

}  // namespace

Status read_train_description(Tables& t, const ScenarioFiles& files, int32_t board_record) {
  const std::string path = files.path(files.train_text());
  std::string bytes;
  if (Status read = read_file(path, bytes); !read.is_ok()) throw ReadFault{read.message(), 0};

  TrainReading reading(t, files, bytes, board_record);
  try {
    const Next end = reading.read_all();
    if (Status removed = remove_file(path); !removed.is_ok()) return removed;
    if (end == Next::kEndOfText) reading.finish();
  } catch (ReadFault& fault) {
    if (fault.line == 0) fault.line = reading.record_line();
    throw;
  }
  return Status::ok();
}

}  // namespace scenpack
