#include "format/file_bytes.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <memory>

#include "format/encoding.h"
#include "model/numeric.h"

namespace scenpack {
namespace {

// Bytes of the route map gathered before they are handed on: few writes,
// each of a chunk that still fits the processor's cache, and for a short
// map chunks of an eighth of its section, so that fresh memory is not paid
// for needlessly (the sizes tried and their figures are in
// bench/README.md). Two chunks, one per coordinate: at most 1 MiB.
constexpr size_t kChunkBytes = 1 << 19;

// Metres 0 and 1 of the map are stored as Integers.
constexpr size_t kIntegerPoints = 2;

// Points 0 and 1 of the map are set from whole numbers and stored as
// Integers; anything not representable as one is stored as 0.
int16_t integer_point(double v) {
  if (!std::isfinite(v) || v < -32768.0 || v > 32767.0) return 0;
  return static_cast<int16_t>(round_half_even(v));
}

// The map's metres: L + 7000 + 1 once sized, none before.
size_t map_metres(const RouteMap& mappa) {
  return mappa.sized && mappa.last_index >= 0 ? static_cast<size_t>(mappa.last_index) + 1 : 0;
}

// The bytes of one coordinate of the map (the x of every metre, or the y).
uint64_t coordinate_bytes(size_t metres, size_t set) {
  const size_t integers = std::min(set, kIntegerPoints);
  return integers * kIntegerVariantBytes + (set - integers) * kDoubleVariantBytes +
         (metres - set) * kEmptyVariantBytes;
}

// Points computed from the map at a time, and the most room asked for at a
// time: one block's elements, which always fit a chunk.
constexpr size_t kPointBlock = 1024;
constexpr size_t kLongestRequest = kPointBlock * kLongestVariant;
static_assert(kLongestRequest <= kChunkBytes);

// An eighth of the section, between one request and kChunkBytes.
size_t chunk_size(uint64_t section_bytes) {
  return static_cast<size_t>(std::clamp<uint64_t>(section_bytes / 8, kLongestRequest, kChunkBytes));
}

// One coordinate's part of the map file: its elements are encoded into a
// reused chunk, and each full chunk is handed on with its place in the file.
class CoordinateSection {
 public:
  // `bytes`: the size of the section, which bounds the chunk it needs.
  CoordinateSection(const FilePieceWriter& put, uint64_t offset, uint64_t bytes)
      : put_(put), offset_(offset), size_(chunk_size(bytes)), chunk_(std::make_unique_for_overwrite<char[]>(size_)) {}

  // Where the next `bytes` (at most kLongestRequest) go; the chunk is handed
  // on first when they would not fit. Then advance() to the end of what was
  // stored.
  char* room_for(size_t bytes) {
    if (static_cast<size_t>(at_ - chunk_.get()) + bytes > size_) flush();
    return at_;
  }
  void advance(char* end) { at_ = end; }

  // Hands on what the chunk holds; false once a piece has been refused.
  bool flush() {
    const size_t used = static_cast<size_t>(at_ - chunk_.get());
    if (ok_ && used > 0) ok_ = put_(offset_, std::string_view(chunk_.get(), used));
    offset_ += used;
    at_ = chunk_.get();
    return ok_;
  }
  bool ok() const { return ok_; }

 private:
  const FilePieceWriter& put_;
  uint64_t offset_;
  size_t size_;
  std::unique_ptr<char[]> chunk_;  // not cleared: every byte handed on is stored first
  char* at_ = chunk_.get();
  bool ok_ = true;
};


// Metres 0 and 1 of a coordinate: Integers.
char* store_integer_points(char* at, const double* v, size_t n) {
  for (size_t i = 0; i < n; ++i) at = store_integer_variant(at, integer_point(v[i]));
  return at;
}

// Where the next x and y elements go, stored as Doubles.
struct DoubleStores {
  char* x;
  char* y;
  void operator()(double xj, double yj) {
    x = store_double_variant(x, xj);
    y = store_double_variant(y, yj);
  }
};

}  // namespace

std::string cells_bytes(const std::vector<Cella>& celle) {
  std::string bytes(celle.size() * kCellaBytes, '\0');
  char* at = bytes.data();
  for (const Cella& c : celle) at = store_cella(at, c);
  return bytes;
}

std::string records_bytes(const std::array<Scheda, kRecordCount>& schede) {
  std::string bytes;
  for (const Scheda& s : schede) put_scheda(bytes, s);
  return bytes;
}

uint64_t route_map_size(const RouteMap& mappa) {
  const size_t metres = map_metres(mappa);
  return 2 * coordinate_bytes(metres, std::min(points_given(mappa), metres));
}

bool encode_route_map(const RouteMap& mappa, const FilePieceWriter& put) {
  const size_t metres = map_metres(mappa);
  const size_t set = std::min(points_given(mappa), metres);
  const uint64_t half = coordinate_bytes(metres, set);
  CoordinateSection xs(put, 0, half);
  CoordinateSection ys(put, half, half);
  MapPointCursor cursor(mappa);
  size_t j = std::min(set, kIntegerPoints);
  if (j > 0) {
    std::array<double, kIntegerPoints> x;
    std::array<double, kIntegerPoints> y;
    cursor.next(x.data(), y.data(), j);
    xs.advance(store_integer_points(xs.room_for(j * kIntegerVariantBytes), x.data(), j));
    ys.advance(store_integer_points(ys.room_for(j * kIntegerVariantBytes), y.data(), j));
  }
  // Every later point is stored as a Double as soon as it is computed.
  while (j < set && xs.ok() && ys.ok()) {
    const size_t block = std::min(set - j, kPointBlock);
    DoubleStores at{xs.room_for(block * kDoubleVariantBytes), ys.room_for(block * kDoubleVariantBytes)};
    const size_t got = cursor.next(block, at);
    if (got == 0) break;
    xs.advance(at.x);
    ys.advance(at.y);
    j += got;
  }
  // The metres after the set points: Empty.
  for (size_t metre = set; metre < metres && xs.ok() && ys.ok();) {
    const size_t n = std::min(metres - metre, kPointBlock);
    for (CoordinateSection* section : {&xs, &ys}) {
      char* at = section->room_for(n * kEmptyVariantBytes);
      for (size_t i = 0; i < n; ++i) at = store_empty_variant(at);
      section->advance(at);
    }
    metre += n;
  }
  return xs.flush() && ys.flush();
}

std::string route_map_bytes(const RouteMap& mappa) {
  std::string bytes(static_cast<size_t>(route_map_size(mappa)), '\0');
  encode_route_map(mappa, [&bytes](uint64_t offset, std::string_view piece) {
    if (offset > bytes.size() || piece.size() > bytes.size() - offset) return false;
    std::memcpy(bytes.data() + offset, piece.data(), piece.size());
    return true;
  });
  return bytes;
}

}  // namespace scenpack
