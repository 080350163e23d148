#include "readers/train_reader.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "model/numeric.h"
#include "model/record_roles.h"
#include "readers/field_reader.h"
#include "readers/field_surroundings.h"
#include "readers/general_data.h"
#include "readers/keywords.h"
#include "readers/occupied_cell.h"
#include "readers/read_fault.h"
#include "readers/record_fields.h"
#include "readers/signals.h"
#include "readers/slowdowns.h"
#include "readers/speed_adhesion.h"
#include "readers/stations.h"
#include "readers/track_position.h"
#include "readers/unreadable_field.h"
#include "readers/warnings.h"

namespace scenpack {
namespace {

constexpr int32_t kRecordMargin = 100;  // (p + 100) / 50 must not exceed n_celle
constexpr int kCommentSkips = 2;        // a third comment field in a row is read as data

// The keywords that name the train description's records.
enum TrainKeyword : size_t {
  kFrenata, kMassa, kVetture, kVelocit, kAderenza, kOrologio, kSabbia, kSegnale, kRallentamento, kAbbattimento,
  kStazione,
};
constexpr Keywords kTrainKeywords{"frenata", "massa",   "vetture",       "velocit",      "aderenza", "orologio",
                                  "sabbia",  "segnale", "rallentamento", "abbattimento", "stazione"};
// The words of the train's keyword fields as the author's guide writes
// them, for "did you mean".
constexpr std::string_view kTrainSpellings[] = {"frenata", "massa",   "vetture",       "velocita",     "aderenza",
                                                "orologio", "sabbia", "segnale",       "rallentamento", "abbattimento",
                                                "stazione"};

// Each record by the keyword that names it, in the order the keyword tests
// run: what a message calls it and the heading of its section.
struct TrainRecordName {
  TrainKeyword keyword;
  const char* what;
  const char* heading;
};
constexpr TrainRecordName kTrainRecordNames[] = {
    {kMassa, "the braked mass", "[generale]"},       {kVetture, "the number of coaches", "[generale]"},
    {kVelocit, "the speed line", "[vel_limite]"},    {kAderenza, "the adhesion line", "[aderenze]"},
    {kOrologio, "the clock", "[generale]"},          {kSabbia, "the sand value", "[generale]"},
    {kSegnale, "the signal", "[segnali]"},           {kRallentamento, "the slow order", "[rallentamenti]"},
    {kAbbattimento, "the code cut", "[codici]"},     {kStazione, "the station", "[stazioni]"},
};

// What the reading does after a field has been examined.
enum class Next {
  kGoOn,       // read the next field
  kEndOfText,  // as at the end of the file: the end-of-file fill runs (also after 15)
  kStop,       // a recorded fault: no fill
};

class TrainReading {
 public:
  TrainReading(Tables& t, const std::string& name, std::string_view bytes, int32_t board_record, FaultSink& sink)
      : t_(t), name_(name), r_(bytes), board_record_(board_record), sink_(sink), warn_(sink, name) {
    warn_.encoding(bytes);
    t_.origins.reading(name);
  }

  // Steps 1 to 5: returns how the reading loop ended.
  Next read_all() {
    skip_to_general_section();
    for (;;) {
      if (r_.at_end()) return Next::kEndOfText;
      std::string_view riga = r_.text_view();
      if (r_.at_end()) return last_field(riga);  // the last field is never examined
      for (int skip = 0; skip < kCommentSkips && is_comment(riga); ++skip) {
        around_.comment(r_.field_start());
        riga = r_.text_view();
        if (r_.at_end()) return last_field(riga);
        if (skip + 1 == kCommentSkips && is_comment(riga) && names_a_record(riga)) {
          warn_.third_comment(r_.field_start());
        }
      }
      record_line_ = r_.field_line();
      keyword_at_ = r_.field_start();
      const Next next = examine_or_skip(riga);
      if (next != Next::kGoOn) return next;
    }
  }

  // Step 6: the fills and the chainage check.
  void finish() {
    fill_speed_to_end(t_, speed_);
    fill_adhesion_to_end(t_, adhesion_);
    check_chainage_records();
  }

  TextPosition keyword_at() const { return keyword_at_; }

 private:
  void skip_to_general_section() {
    while (!r_.at_end()) {
      if (contains_nocase(r_.text_view(), "[generale]")) return;
    }
    warn_.at(WarningName::kNoGeneralSection, {1, 1},
             "no \"[generale]\" line: nothing of the train description is read (no station, signal, slow order "
             "or speed line)");
  }

  Next last_field(std::string_view riga) {
    if (names_a_record(riga)) warn_.last_record_unread(riga, r_.field_start());
    return Next::kEndOfText;
  }

  static bool names_a_record(KeywordSet found) {
    return (found & ~(KeywordSet{1} << kFrenata | KeywordSet{1} << kMassa)) != 0 ||
           (Keywords::has(found, kFrenata) && Keywords::has(found, kMassa));
  }
  static bool names_a_record(std::string_view f) { return names_a_record(kTrainKeywords.in(f)); }

  // The first and the last of the records the keywords name, in the order
  // of the keyword tests.
  static const TrainRecordName* first_named(KeywordSet found) {
    for (const TrainRecordName& n : kTrainRecordNames) {
      if (Keywords::has(found, n.keyword) && (n.keyword != kMassa || Keywords::has(found, kFrenata))) return &n;
    }
    return nullptr;
  }
  static const TrainRecordName* last_named(KeywordSet found) {
    const TrainRecordName* last = nullptr;
    for (const TrainRecordName& n : kTrainRecordNames) {
      if (Keywords::has(found, n.keyword) && (n.keyword != kMassa || Keywords::has(found, kFrenata))) last = &n;
    }
    return last;
  }

  // The warnings about a keyword field, before its records are read.
  void warn_about_field(std::string_view riga, KeywordSet found) {
    const TrainRecordName* named = first_named(found);
    if (around_.warn_about(warn_, riga, keyword_at_, named != nullptr)) return;
    if (named == nullptr) {
      warn_.unknown_keyword(riga, keyword_at_, "train description", kTrainSpellings);
    } else {
      warn_.heading_names_record(riga, keyword_at_, named->what, named->heading);
    }
  }

  Next examine_or_skip(std::string_view riga) {
    const KeywordSet found = keywords_.in(riga);
    warn_about_field(riga, found);
    try {
      const Next next = examine(found);
      const TrainRecordName* last = last_named(found);
      if (next == Next::kGoOn && last != nullptr) {
        around_.record_read(r_, last->what, last->keyword == kStazione);
      } else {
        around_.no_record();
      }
      return next;
    } catch (ReadFault& fault) {
      around_.no_record();
      locate(fault, keyword_at_);
      if (!sink_.goes_on()) throw;
      skip_unreadable(sink_, r_, name_, fault, record_line_);
      return Next::kGoOn;
    }
  }

  // The keyword tests, each independent and in this order: one field that
  // holds two keywords runs both.
  Next examine(KeywordSet found) {
    const auto holds = [found](TrainKeyword k) { return Keywords::has(found, k); };
    if (holds(kFrenata) && holds(kMassa)) {
      RecordFields r(r_, "the braked mass", 1);
      general_data(t_.schede).braked_mass_percent() = r.guard([&] { return r.long_(); });
    }
    if (holds(kVetture)) {
      RecordFields r(r_, "the number of coaches", 1);
      general_data(t_.schede).coaches() = r.guard([&] { return r.long_(); });
    }
    if (holds(kVelocit)) {
      const Next next = read_speed_line();
      if (next != Next::kGoOn) return next;
    }
    if (holds(kAderenza)) {
      const Next next = read_adhesion_line();
      if (next != Next::kGoOn) return next;
    }
    if (holds(kOrologio)) {
      RecordFields r(r_, "the clock", 3);
      r.guard([&] {
        const TrainRecord train = train_record(t_.schede);
        train.clock_hours() = r.integer();
        const TextPosition hours_at = r_.field_start();
        train.clock_minutes() = r.integer();
        train.clock_seconds() = r.integer();
        warn_.time_out_of_range("the clock", train.clock_hours(), train.clock_minutes(), train.clock_seconds(), hours_at);
      });
    }
    if (holds(kSabbia)) {
      RecordFields r(r_, "the sand value", 1);
      train_record(t_.schede).sand() = r.guard([&] { return r.integer(); });
    }
    if (holds(kSegnale)) {
      const Next next = read_signal();
      if (next != Next::kGoOn) return next;
    }
    if (holds(kRallentamento)) {
      const Next next = read_slow_order();
      if (next != Next::kGoOn) return next;
    }
    if (holds(kAbbattimento)) {
      const Next next = read_code_cut();
      if (next != Next::kGoOn) return next;
    }
    if (holds(kStazione)) {
      const bool check = sink_.policy() == FaultPolicy::kGoOn;
      const TextPosition station_at{r_.line(), 0};
      StationTime time;
      if (auto fault = read_station(r_, t_, next_station_, board_record_, check, &time)) {
        return refuse(fault->code, fault->position.value_or(0), fault->where,
                      fault->code == FaultCode::kBeyondLastCell ? Next::kEndOfText : Next::kStop);
      }
      // The station's name is the last field its reading took.
      const StationRecord station{t_.schede[static_cast<size_t>(next_station_ - 1)]};
      warn_.text_cut(station.name(), r_.field_start());
      warn_.time_out_of_range("the station's time", time.hours, time.minutes, time.seconds, time.hours_at);
      past_the_route("the station", station.position(), station_at);
    }
    return Next::kGoOn;
  }

  // A record placed in the margin after the route's end.
  void past_the_route(const char* what, int32_t position, TextPosition where) const {
    warn_.past_route_end(what, position, general_data(t_.schede).route_length(), where);
  }

  static void read_numbers(RecordFields& r, std::initializer_list<int32_t*> fields) {
    for (int32_t* field : fields) *field = r.long_();
  }

  Next read_speed_line() {
    RecordFields r(r_, "the speed line", 2);
    return r.guard([&] {
      const int32_t p = r.position();
      const int32_t v = r.long_();
      const TextPosition v_at = r_.field_start();
      if (!within_track(t_, p, kRecordMargin)) return out_of_track(p, r.position_at());
      // Check refuses at once a speed that the build refuses only when a
      // cell is written with it.
      if (sink_.policy() == FaultPolicy::kGoOn && !speed_fits(v)) {
        sink_.fault(FaultCode::kReadingFault, 0, SourceLocation{name_, v_at.line, v_at.column},
                    speed_does_not_fit(v));
        return Next::kGoOn;
      }
      if (last_speed_ && p < *last_speed_) warn_.out_of_order("the speed line", p, *last_speed_, r.position_at());
      last_speed_ = p;
      past_the_route("the speed line", p, r.position_at());
      warn_.speed_step(v, v_at);
      apply_speed_line(t_, speed_, p, v, v_at);
      return Next::kGoOn;
    });
  }

  Next read_adhesion_line() {
    RecordFields r(r_, "the adhesion line", 2);
    return r.guard([&] {
      const int32_t p = r.position();
      const int32_t a = r.long_();
      const TextPosition a_at = r_.field_start();
      if (!within_track(t_, p, kRecordMargin)) return out_of_track(p, r.position_at());
      if (last_adhesion_ && p < *last_adhesion_) {
        warn_.out_of_order("the adhesion line", p, *last_adhesion_, r.position_at());
      }
      last_adhesion_ = p;
      past_the_route("the adhesion line", p, r.position_at());
      if (low8(a) != a) warn_.narrowed("adhesion", a, low8(a), 8, a_at);
      apply_adhesion_line(t_, adhesion_, p, a);
      return Next::kGoOn;
    });
  }

  Next read_signal() {
    RecordFields r(r_, "the signal", 11);
    return r.guard([&] {
      SignalRow row;
      row.posizione = r.position();
      read_numbers(r, {&row.sx, &row.s1, &row.s2, &row.s3, &row.rapp, &row.dx, &row.d1, &row.d2, &row.d3,
                       &row.tempo});
      const TextPosition tempo_at = r_.field_start();
      if (!within_track(t_, row.posizione, kRecordMargin)) return out_of_track(row.posizione, r.position_at());
      const FaultCode code = place_signal(t_, row);
      const auto cell = static_cast<int64_t>(cell_number(row.posizione, 1));
      if (code != FaultCode::kNone) return refuse_occupied_cell(code, row.posizione, r.position_at(), {"the signal", cell, 1});
      t_.origins.record(cell, r.position_at().line, r.position_at().column, CellPart::kSignal);
      if (row.sx == 2 && low8(row.tempo) != row.tempo) {
        warn_.narrowed("signal time", row.tempo, low8(row.tempo), 8, tempo_at);
      }
      past_the_route("the signal", row.posizione, r.position_at());
      return Next::kGoOn;
    });
  }

  Next read_slow_order() {
    RecordFields r(r_, "the slow order", 6);
    return r.guard([&] {
      SlowOrder order;
      order.x = r.position();
      read_numbers(r, {&order.v, &order.l, &order.f_tt, &order.f_ta, &order.d_v});
      if (!within_track(t_, order.x, kRecordMargin)) return out_of_track(order.x, r.position_at());
      const bool check = sink_.policy() == FaultPolicy::kGoOn;
      RefusedCell refused;
      const TextPosition at = r.position_at();
      const FaultCode code = place_slow_order(t_, order, check, &refused, at.line, at.column);
      if (code != FaultCode::kNone) return refuse_occupied_cell(code, order.x, at, slow_order_landing(code, order, refused));
      past_the_route("the slow order", order.x, at);
      return Next::kGoOn;
    });
  }

  Next read_code_cut() {
    RecordFields r(r_, "the code cut", 2);
    return r.guard([&] {
      const int32_t p = r.position();
      const int32_t value = r.long_();
      if (!within_track(t_, p, kRecordMargin)) return out_of_track(p, r.position_at());
      const TextPosition at = r.position_at();
      const FaultCode code = place_code_cut(t_, p, value, at.line, at.column);
      if (code != FaultCode::kNone) {
        return refuse_occupied_cell(code, p, at, {"the code cut", static_cast<int64_t>(cell_number(p, 0)), 0});
      }
      past_the_route("the code cut", p, at);
      return Next::kGoOn;
    });
  }

  // A record refused on an occupied cell. The reading stops only when this
  // very call found a fault: a code 15 left by the line description must
  // not stop the train reading.
  Next refuse_occupied_cell(FaultCode code, int32_t position, TextPosition at, const Landing& landing) {
    refuse_occupied(sink_, t_, code, position, SourceLocation{name_, at.line, at.column}, landing);
    return sink_.goes_on() ? Next::kGoOn : Next::kStop;
  }

  // Which part of a refused slow order landed on the occupied cell.
  static Landing slow_order_landing(FaultCode code, const SlowOrder& order, const RefusedCell& refused) {
    const std::string start = std::to_string(order.x) + " m";
    switch (code) {
      case FaultCode::kWarningOccupied:
        return {"the warning cell of the slow order starting at " + start + ", 1200 m before its start,", refused.cell, 1};
      case FaultCode::kStartOccupied: return {"the start of the slow order", refused.cell, 1};
      case FaultCode::kEndOccupied:
        return {"the end of the slow order starting at " + start + ", at " +
                    std::to_string(static_cast<int64_t>(order.x) + order.l) + " m,",
                refused.cell, 1};
      default:
        return {"distance board " + std::to_string(refused.board) + " of the slow order starting at " + start +
                    ", before its warning cell,",
                refused.cell, 0};
    }
  }

  Next out_of_track(int32_t p, TextPosition at) { return refuse(FaultCode::kBeyondLastCell, p, at, Next::kEndOfText); }

  // Lists a refused record; the build's policy then takes `build_next`,
  // check's goes on with the next record.
  Next refuse(FaultCode code, int32_t position, TextPosition at, Next build_next) {
    sink_.fault(code, position, SourceLocation{name_, at.line, at.column});
    return sink_.goes_on() ? Next::kGoOn : build_next;
  }

  void check_chainage_records() {
    bool off_cell = false;
    for (int i = kFirstChainageRecord; i < kFirstChainageRecord + kChainageRecordCount; ++i) {
      const ChainageRecord s{t_.schede[static_cast<size_t>(i)]};
      if (s.start() % kCellLength != 0 || s.difference() % kCellLength != 0) off_cell = true;
    }
    // The chainage records come from the line description: no train line.
    if (off_cell) sink_.fault(FaultCode::kChainageOffCell);
  }

  Tables& t_;
  const std::string& name_;
  FieldReader r_;
  int32_t board_record_;
  FaultSink& sink_;
  CellProfile speed_;
  CellProfile adhesion_;
  int32_t next_station_ = 1;
  int record_line_ = 0;
  TextPosition keyword_at_;
  Warner warn_;
  RememberedKeywords keywords_{kTrainKeywords};
  FieldSurroundings around_;
  std::optional<int32_t> last_speed_;     // positions of the last lines read,
  std::optional<int32_t> last_adhesion_;  // for the order warnings
};

}  // namespace

void read_train_description(Tables& t, const DescriptionText& train, int32_t board_record, FaultSink& sink) {
  if (!train.bytes) {
    throw ReadFault{train.unreadable.empty() ? "the train description is not there" : train.unreadable, 0, 0};
  }
  TrainReading reading(t, train.name, *train.bytes, board_record, sink);
  try {
    const Next end = reading.read_all();
    if (end == Next::kEndOfText) reading.finish();
  } catch (ReadFault& fault) {
    locate(fault, reading.keyword_at());
    throw;
  }
}

}  // namespace scenpack
