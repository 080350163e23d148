#include "format/decoding.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace scenpack {
namespace {

// Thrown inside this file only; each decode_* turns it into its result.
struct Refusal {
  DecodeFault fault;
};

[[noreturn]] void refuse(size_t byte, std::string what) { throw Refusal{{byte, std::move(what)}}; }

std::string str(size_t n) { return std::to_string(n); }

// A cursor over the file's bytes. take() hands out the next n bytes, or
// refuses the file when fewer remain.
class ByteCursor {
 public:
  explicit ByteCursor(std::string_view bytes) : bytes_(bytes) {}
  size_t position() const { return pos_; }
  size_t remaining() const { return bytes_.size() - pos_; }
  bool at_end() const { return pos_ == bytes_.size(); }
  const char* take(size_t n) {
    if (n > remaining()) refuse(bytes_.size(), "the file ends " + str(n - remaining()) + " bytes short");
    const char* p = bytes_.data() + pos_;
    pos_ += n;
    return p;
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

// The same cursor over a file read in pieces: take() hands out bytes from a
// window of the file, refilled from the source as it runs out, so that the
// file is never held whole. A file that comes out shorter than its size
// said is refused where it ends. Each refill reads on from where this
// cursor's window ends, so that two cursors can walk one source apart.
class PieceCursor {
 public:
  explicit PieceCursor(PieceSource& source, size_t start = 0)
      : source_(source), size_(static_cast<size_t>(source.size())), pos_(std::min(start, size_)) {}
  size_t position() const { return pos_; }
  size_t remaining() const { return size_ - pos_; }
  bool at_end() const { return pos_ == size_; }
  const char* take(size_t n) {
    if (n > remaining() || n > filled_ - used_) make_room(n);
    const char* p = window_.data() + used_;
    used_ += n;
    pos_ += n;
    return p;
  }
  // The bytes already read and not yet handed out, and a step over some of
  // them: a scan of many small elements needs no call per element.
  std::string_view buffered() const { return {window_.data() + used_, std::min(filled_ - used_, remaining())}; }
  void skip(size_t n) {
    used_ += n;
    pos_ += n;
  }

 private:
  static constexpr size_t kPieceBytes = size_t{1} << 16;

  // Out of the way of take(), which a million metres call twice each.
  void make_room(size_t n) {
    if (n > remaining()) refuse(size_, "the file ends " + str(n - remaining()) + " bytes short");
    if (n > filled_ - used_) refill(n);
  }

  // The window keeps its size once grown (a fill is not cleared first).
  void refill(size_t n) {
    const size_t kept = filled_ - used_;
    std::memmove(window_.data(), window_.data() + used_, kept);
    if (window_.size() < std::max(kPieceBytes, n)) window_.resize(std::max(kPieceBytes, n));
    source_.seek(pos_ + kept);
    size_t filled = kept;
    while (filled < window_.size()) {
      const size_t got = source_.next(window_.data() + filled, window_.size() - filled);
      if (got == 0) break;
      filled += got;
    }
    filled_ = filled;
    used_ = 0;
    if (filled < n) refuse(pos_ + filled, "the file ends " + str(n - filled) + " bytes short");
  }

  PieceSource& source_;
  size_t size_;
  size_t pos_;
  std::string window_;
  size_t filled_ = 0;  // bytes of the window read from the source
  size_t used_ = 0;    // bytes of the window handed out
};

// Reads one field of a record, whatever its width; the mirror of the
// encoder's FieldAppender.
struct FieldLoader {
  ByteCursor& in;
  void operator()(std::string_view, uint8_t& v) const { v = load_u8(in.take(1)); }
  void operator()(std::string_view, int16_t& v) const { v = load_i16(in.take(2)); }
  void operator()(std::string_view, int32_t& v) const { v = load_i32(in.take(4)); }
  void operator()(std::string_view, std::string& v) const {
    const size_t n = static_cast<uint16_t>(load_i16(in.take(2)));
    v.assign(in.take(n), n);
  }
};

template <typename Decode>
std::optional<DecodeFault> refused_or_none(Decode decode) {
  try {
    decode();
    return std::nullopt;
  } catch (const Refusal& r) {
    return r.fault;
  }
}

// The offset of the text length inside a record: byte1, three Longs, byte2.
constexpr size_t kTextLengthOffset = 14;

void decode_one_record(ByteCursor& in, int index, Scheda& s) {
  const size_t start = in.position();
  const std::string name = "record " + str(static_cast<size_t>(index));
  if (in.at_end()) refuse(start, "the file ends after " + str(static_cast<size_t>(index)) + " of the 87 records");
  if (in.remaining() < kTextLengthOffset + 2) {
    refuse(start, "the file ends inside " + name + " (" + str(in.remaining()) + " bytes, at least " +
                      str(kSchedaFixedBytes) + " needed)");
  }
  ByteCursor peek = in;
  peek.take(kTextLengthOffset);
  const size_t text_length = static_cast<uint16_t>(load_i16(peek.take(2)));
  const size_t size = kSchedaFixedBytes + text_length;
  if (in.remaining() < size) {
    refuse(start, "the file ends inside " + name + " (" + str(in.remaining()) + " of its " + str(size) +
                      " bytes; its text length at byte " + str(start + kTextLengthOffset) + " is " +
                      str(text_length) + ")");
  }
  for_each_scheda_field(s, FieldLoader{in});
}

const char* tag_name(int16_t tag) {
  switch (tag) {
    case variant_tag::kLong: return "Long";
    case variant_tag::kSingle: return "Single";
    case variant_tag::kString: return "String";
    default: return nullptr;
  }
}

// One Variant of the map: its tag and, for the tags a map holds, its value.
struct MapElement {
  int16_t tag = variant_tag::kEmpty;
  double value = 0.0;
};

template <typename Cursor>
MapElement take_element(Cursor& in) {
  const size_t start = in.position();
  if (in.remaining() < 2) refuse(start, "the file ends inside a Variant's tag");
  MapElement e;
  e.tag = load_i16(in.take(2));
  switch (e.tag) {
    case variant_tag::kEmpty: return e;
    case variant_tag::kInteger:
      if (in.remaining() < 2) refuse(start, "the file ends inside an Integer (" + str(in.remaining()) + " of its 2 bytes)");
      e.value = load_i16(in.take(2));
      return e;
    case variant_tag::kDouble:
      if (in.remaining() < 8) refuse(start, "the file ends inside a Double (" + str(in.remaining()) + " of its 8 bytes)");
      e.value = load_f64(in.take(8));
      return e;
    default:
      if (const char* name = tag_name(e.tag)) {
        refuse(start, "Variant tag " + std::to_string(e.tag) + " (" + name + ") does not occur in a route map");
      }
      refuse(start, "unknown Variant tag " + std::to_string(e.tag));
  }
}

// Fills one coordinate from `metres` elements and returns how many metres
// are set. `set_in_x` is the count found in x when this is y.
// One coordinate of every metre into `out` (left alone when null: the map's
// outline alone is wanted).
template <typename Cursor>
size_t take_coordinate(Cursor& in, char axis, size_t metres, std::optional<size_t> set_in_x,
                       std::vector<double>* out) {
  constexpr size_t kIntegerPoints = 2;
  if (out) out->assign(metres, 0.0);
  std::optional<size_t> first_empty;
  for (size_t j = 0; j < metres; ++j) {
    const size_t at = in.position();
    const MapElement e = take_element(in);
    // Named only when refused: a million metres make no million texts.
    const auto place = [&] { return std::string(1, axis) + " of metre " + str(j); };
    if (e.tag == variant_tag::kEmpty) {
      if (set_in_x && j < *set_in_x) refuse(at, place() + " is Empty but x of that metre is set");
      if (!first_empty) first_empty = j;
      continue;
    }
    if (first_empty) refuse(at, place() + " is set after the Empty metre " + str(*first_empty));
    if (set_in_x && j >= *set_in_x) refuse(at, place() + " is set but x of that metre is Empty");
    if (e.tag == variant_tag::kInteger && j >= kIntegerPoints) {
      refuse(at, place() + " is an Integer; only metres 0 and 1 hold Integers");
    }
    if (e.tag == variant_tag::kDouble && j < kIntegerPoints) refuse(at, place() + " is a Double; metres 0 and 1 hold Integers");
    if (out) (*out)[j] = e.value;
  }
  return first_empty.value_or(metres);
}

// The tags of a map's elements as runs of one tag, a handful for a map a
// build writes (metres 0 and 1 Integers, Doubles, Empties; the same in y).
class TagRuns {
 public:
  // `count` more elements of `tag` (count > 0).
  void add(int16_t tag, size_t count = 1) {
    if (!runs_.empty() && runs_.back().tag == tag) {
      runs_.back().count += count;
    } else if (runs_.size() < kMostRuns) {
      runs_.push_back({tag, count});
    } else {
      overflowed_ = true;
    }
  }

  // How many metres are set when the runs are exactly those of a map of
  // `metres` metres written as a build writes it; none otherwise.
  std::optional<size_t> points_set_if_built(size_t metres) const {
    if (overflowed_) return std::nullopt;
    size_t set = 0;
    for (const Run& r : runs_) {
      if (r.tag == variant_tag::kEmpty) break;
      set += r.count;
    }
    set = std::min(set, metres);
    if (built_runs(metres, set) != runs_) return std::nullopt;
    return set;
  }

 private:
  struct Run {
    int16_t tag;
    size_t count;
    bool operator==(const Run&) const = default;
  };
  static constexpr size_t kMostRuns = 8;

  static void append(std::vector<Run>& runs, int16_t tag, size_t count) {
    if (count == 0) return;
    if (!runs.empty() && runs.back().tag == tag) runs.back().count += count;
    else runs.push_back({tag, count});
  }

  static std::vector<Run> built_runs(size_t metres, size_t set) {
    std::vector<Run> runs;
    for (int axis = 0; axis < 2; ++axis) {
      append(runs, variant_tag::kInteger, std::min<size_t>(set, 2));
      append(runs, variant_tag::kDouble, set - std::min<size_t>(set, 2));
      append(runs, variant_tag::kEmpty, metres - set);
    }
    return runs;
  }

  std::vector<Run> runs_;
  bool overflowed_ = false;
};

// The values of metres first .. first + count - 1 of one axis of a map
// already checked, taken from `in` in one piece: Integers for metres 0 and
// 1, Doubles after. Anything else means the file changed since it was
// checked.
void take_set_values(PieceCursor& in, char axis, size_t first, size_t count, double* values) {
  const size_t integers = first < 2 ? std::min<size_t>(2 - first, count) : 0;
  const size_t start = in.position();
  const char* block = in.take(integers * kIntegerVariantBytes + (count - integers) * kDoubleVariantBytes);
  const char* p = block;
  const auto changed = [&](size_t k) {
    refuse(start + static_cast<size_t>(p - block), std::string(1, axis) + " of metre " + str(first + k) +
                                                        " is not what it was when the file was checked (it changed since)");
  };
  // The Integers of metres 0 and 1, then the Doubles in a loop of their own.
  size_t k = 0;
  for (; k < integers; ++k, p += kIntegerVariantBytes) {
    if (load_i16(p) != variant_tag::kInteger) changed(k);
    values[k] = load_i16(p + 2);
  }
  for (; k < count; ++k, p += kDoubleVariantBytes) {
    if (load_i16(p) != variant_tag::kDouble) changed(k);
    values[k] = load_f64(p + 2);
  }
}

// The ranges of the values met in the checking pass, each given to x or y
// by the runs of Integers: in a map laid out as a build writes it, metres
// 0 and 1 of x start the first run of Integers and those of y the second.
class RangeGatherer {
 public:
  void note(int16_t tag) {
    if (tag != last_tag_ && tag == variant_tag::kInteger) ++integer_runs_;
    last_tag_ = tag;
  }
  void add(double v) {
    if (!std::isfinite(v)) finite_ = false;
    if (integer_runs_ < 1 || integer_runs_ > 2) return;
    Range& r = axes_[static_cast<size_t>(integer_runs_ - 1)];
    if (!r.any) {
      r = {v, v, true};
      return;
    }
    r.least = std::min(r.least, v);
    r.most = std::max(r.most, v);
  }
  std::optional<MapRanges> ranges() const {
    if (!finite_ || integer_runs_ != 2 || !axes_[0].any || !axes_[1].any) return std::nullopt;
    return MapRanges{axes_[0].least, axes_[0].most, axes_[1].least, axes_[1].most};
  }

 private:
  struct Range {
    double least = 0, most = 0;
    bool any = false;
  };
  std::array<Range, 2> axes_;
  int16_t last_tag_ = variant_tag::kEmpty;
  int integer_runs_ = 0;
  bool finite_ = true;
};

// Adds to `runs` the tags of the whole elements the cursor holds read,
// stepping over them, and returns how many: the first pass over a map of
// a million metres, where take_element() would be called two million
// times. Stops short of an element it cannot see whole or a tag no map
// holds, which take_element() then reads or refuses.
size_t scan_tags(PieceCursor& in, TagRuns& runs, RangeGatherer* gatherer) {
  const std::string_view w = in.buffered();
  size_t at = 0;
  size_t count = 0;
  while (w.size() - at >= kDoubleVariantBytes) {
    const int16_t tag = load_i16(w.data() + at);
    size_t bytes = 0;
    switch (tag) {
      case variant_tag::kEmpty: bytes = kEmptyVariantBytes; break;
      case variant_tag::kInteger: bytes = kIntegerVariantBytes; break;
      case variant_tag::kDouble: bytes = kDoubleVariantBytes; break;
      default: break;
    }
    if (bytes == 0) break;
    // The elements of a map come in long runs of one tag: the rest of the
    // run is stepped over in a loop of its own.
    size_t same = 0;
    if (gatherer != nullptr) gatherer->note(tag);
    if (gatherer == nullptr || tag == variant_tag::kEmpty) {
      do {
        at += bytes;
        ++same;
      } while (w.size() - at >= kDoubleVariantBytes && load_i16(w.data() + at) == tag);
    } else {
      do {
        gatherer->add(tag == variant_tag::kDouble ? load_f64(w.data() + at + 2) : load_i16(w.data() + at + 2));
        at += bytes;
        ++same;
      } while (w.size() - at >= kDoubleVariantBytes && load_i16(w.data() + at) == tag);
    }
    runs.add(tag, same);
    count += same;
  }
  in.skip(at);
  return count;
}

// Where y begins in a map of `metres` metres with `set` set: the x of the
// set metres (Integers for metres 0 and 1, Doubles after), then the Empty ones.
size_t y_offset(size_t metres, size_t set) {
  const size_t integers = std::min<size_t>(set, 2);
  return integers * kIntegerVariantBytes + (set - integers) * kDoubleVariantBytes + (metres - set) * kEmptyVariantBytes;
}

}  // namespace

std::optional<DecodeFault> decode_cells(std::string_view bytes, std::vector<Cella>& celle) {
  return refused_or_none([&] {
    const size_t whole = bytes.size() / kCellaBytes;
    if (whole > static_cast<size_t>(kMostCells)) {
      refuse(kMostCells * kCellaBytes, "more than the " + str(kMostCells) + " cells of the longest route");
    }
    if (const size_t rest = bytes.size() % kCellaBytes; rest != 0) {
      refuse(whole * kCellaBytes, "the file ends inside cell " + str(whole) + " (" + str(rest) + " of its " +
                                      str(kCellaBytes) + " bytes)");
    }
    std::vector<Cella> cells(whole);
    ByteCursor in(bytes);
    for (Cella& c : cells) for_each_cella_field(c, FieldLoader{in});
    celle = std::move(cells);
  });
}

std::optional<DecodeFault> decode_records(std::string_view bytes, std::array<Scheda, kRecordCount>& schede) {
  return refused_or_none([&] {
    if (bytes.size() > kLongestRecordsFile) {
      refuse(kLongestRecordsFile, "longer than 87 records can be (" + str(kLongestRecordsFile) + " bytes)");
    }
    std::array<Scheda, kRecordCount> records{};
    ByteCursor in(bytes);
    for (int i = 0; i < kRecordCount; ++i) decode_one_record(in, i, records[static_cast<size_t>(i)]);
    if (!in.at_end()) refuse(in.position(), str(in.remaining()) + " bytes after the last record (86)");
    schede = std::move(records);
  });
}

std::optional<DecodeFault> decode_route_map(PieceSource& bytes, RouteMap& mappa, bool with_points,
                                            std::optional<MapRanges>* ranges) {
  return refused_or_none([&] {
    const uint64_t size = bytes.size();
    if (size > kLongestRouteMapFile) {
      refuse(kLongestRouteMapFile, "longer than the map of the longest route can be (" +
                                       str(kLongestRouteMapFile) + " bytes)");
    }
    // First pass: every element well formed, how many there are, and the
    // runs of their tags.
    size_t elements = 0;
    TagRuns runs;
    RangeGatherer gathered;
    RangeGatherer* gatherer = ranges != nullptr && !with_points ? &gathered : nullptr;
    for (PieceCursor in(bytes); !in.at_end();) {
      elements += scan_tags(in, runs, gatherer);
      if (in.at_end()) break;
      const MapElement e = take_element(in);
      runs.add(e.tag);
      if (gatherer != nullptr) {
        gatherer->note(e.tag);
        if (e.tag != variant_tag::kEmpty) gatherer->add(e.value);
      }
      ++elements;
    }
    if (elements % 2 != 0) {
      refuse(size, "the map holds " + str(elements) + " elements, an odd number (x and y need one each per metre)");
    }
    const size_t metres = elements / 2;
    if (metres > static_cast<size_t>(kMostMapMetres)) {
      refuse(size, "the map has " + str(metres) + " metres, more than the " + str(kMostMapMetres) +
                       " of the longest route");
    }
    RouteMap m;
    // The second pass checks the order of the elements and keeps the
    // points; when they are not kept and the runs show the layout a build
    // writes, there is nothing left for it to find.
    std::optional<size_t> set = with_points ? std::nullopt : runs.points_set_if_built(metres);
    if (set && gatherer != nullptr) *ranges = gathered.ranges();
    if (!set) {
      PieceCursor in(bytes);
      set = take_coordinate(in, 'x', metres, std::nullopt, with_points ? &m.x : nullptr);
      take_coordinate(in, 'y', metres, set, with_points ? &m.y : nullptr);
    }
    m.sized = metres > 0;
    m.last_index = static_cast<int32_t>(metres) - 1;
    m.points_set = static_cast<int32_t>(*set);
    mappa = std::move(m);
  });
}

std::optional<DecodeFault> walk_route_map(PieceSource& bytes, const RouteMap& outline, const MapPointsVisit& visit) {
  return refused_or_none([&] {
    const size_t metres = outline.sized && outline.last_index >= 0 ? static_cast<size_t>(outline.last_index) + 1 : 0;
    const size_t set = std::min(metres, static_cast<size_t>(std::max(outline.points_set, 0)));
    // x from the file's start and y from where it begins, in step.
    PieceCursor xs(bytes);
    PieceCursor ys(bytes, y_offset(metres, set));
    std::array<double, kMapPointsBlock> x{};
    std::array<double, kMapPointsBlock> y{};
    for (size_t first = 0; first < set; first += kMapPointsBlock) {
      const size_t count = std::min(kMapPointsBlock, set - first);
      take_set_values(xs, 'x', first, count, x.data());
      take_set_values(ys, 'y', first, count, y.data());
      visit(first, std::span<const double>(x.data(), count), std::span<const double>(y.data(), count));
    }
  });
}

std::optional<DecodeFault> decode_route_map(std::string_view bytes, RouteMap& mappa) {
  TextPieces pieces(bytes);
  return decode_route_map(pieces, mappa, true);
}

}  // namespace scenpack
