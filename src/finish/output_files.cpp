#include "finish/output_files.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "model/numeric.h"
#include "finish/encoding.h"
#include "platform/file_system.h"

namespace scenpack {
namespace {

// Bytes of the route map gathered before they are handed to the file. Each
// write costs a system call and the file system's own per-call work, which
// on the benchmark machine made 64 KiB chunks (328 writes for a
// 1,000,000 m map) about 1.3 ms slower than 512 KiB ones (80 writes);
// larger chunks leave the processor's cache and gain nothing. Two chunks,
// one per coordinate: 1 MiB of memory.
constexpr size_t kChunkBytes = 1 << 19;

// Points 0 and 1 of the map are set from whole numbers and stored as
// Integers; anything not representable as one is stored as 0.
int16_t integer_point(double v) {
  if (!std::isfinite(v) || v < -32768.0 || v > 32767.0) return 0;
  return static_cast<int16_t>(round_half_even(v));
}

// The bytes of one coordinate of the map (the x of every metre, or the y).
uint64_t coordinate_bytes(size_t metres, size_t set) {
  constexpr size_t kIntegerPoints = 2;
  const size_t integers = std::min(set, kIntegerPoints);
  return integers * kIntegerVariantBytes + (set - integers) * kDoubleVariantBytes +
         (metres - set) * kEmptyVariantBytes;
}

// One coordinate's part of the map file: its elements are encoded into a
// reused chunk, and each full chunk is written at its place in the file.
class CoordinateSection {
 public:
  CoordinateSection(AtomicFile& file, uint64_t offset) : file_(file), offset_(offset), chunk_(kChunkBytes, '\0') {}

  // Where the next `bytes` (at most kChunkBytes) go; the chunk is written out
  // first when they would not fit. Then advance() to the end of what was stored.
  char* room_for(size_t bytes) {
    if (static_cast<size_t>(at_ - chunk_.data()) + bytes > kChunkBytes) flush();
    return at_;
  }
  void advance(char* end) { at_ = end; }

  Status flush() {
    const size_t used = static_cast<size_t>(at_ - chunk_.data());
    if (status_.is_ok() && used > 0) status_ = file_.write_at(offset_, std::string_view(chunk_.data(), used));
    offset_ += used;
    at_ = chunk_.data();
    return status_;
  }

 private:
  AtomicFile& file_;
  uint64_t offset_;
  std::string chunk_;
  char* at_ = chunk_.data();
  Status status_;
};

// Points computed from the map at a time (their elements fit a chunk).
constexpr size_t kPointBlock = 1024;
static_assert(kPointBlock * kLongestVariant <= kChunkBytes);

// The elements of points first .. first + n - 1 of one coordinate: metres
// below 2 are Integers, the others Doubles.
char* store_points(char* at, size_t first, const double* v, size_t n) {
  constexpr size_t kIntegerPoints = 2;
  size_t i = 0;
  for (; i < n && first + i < kIntegerPoints; ++i) at = store_integer_variant(at, integer_point(v[i]));
  for (; i < n; ++i) at = store_double_variant(at, v[i]);
  return at;
}

// Each point is computed once from the map's drawing; its x goes to the
// first half of the file and its y to the second, side by side. The metres
// after the set points are Empty.
Status write_map_elements(AtomicFile& file, const RouteMap& mappa, size_t metres) {
  const size_t set = std::min(points_given(mappa), metres);
  const uint64_t half = coordinate_bytes(metres, set);
  file.expect_size(2 * half);
  CoordinateSection xs(file, 0);
  CoordinateSection ys(file, half);
  MapPointCursor cursor(mappa);
  std::array<double, kPointBlock> x;
  std::array<double, kPointBlock> y;
  for (size_t j = 0; j < set;) {
    const size_t got = std::min(cursor.next(x.data(), y.data(), kPointBlock), set - j);
    if (got == 0) break;
    xs.advance(store_points(xs.room_for(got * kLongestVariant), j, x.data(), got));
    ys.advance(store_points(ys.room_for(got * kLongestVariant), j, y.data(), got));
    j += got;
  }
  for (size_t j = set; j < metres;) {
    const size_t n = std::min(metres - j, kPointBlock);
    for (CoordinateSection* section : {&xs, &ys}) {
      char* at = section->room_for(n * kEmptyVariantBytes);
      for (size_t i = 0; i < n; ++i) at = store_empty_variant(at);
      section->advance(at);
    }
    j += n;
  }
  if (Status s = xs.flush(); !s.is_ok()) return s;
  return ys.flush();
}

}  // namespace

Status write_route_map(const RouteMap& mappa, const std::string& path) {
  AtomicFile file(path);
  if (Status s = file.open(); !s.is_ok()) return s;
  // A map that was never sized (the route length was not read) has no
  // elements: the file is written empty.
  const size_t metres = mappa.sized && mappa.last_index >= 0 ? static_cast<size_t>(mappa.last_index) + 1 : 0;
  if (Status s = write_map_elements(file, mappa, metres); !s.is_ok()) return s;
  return file.commit();
}

Status write_records(const Tables& t, const std::string& path) {
  std::string bytes;
  for (const Scheda& s : t.schede) put_scheda(bytes, s);
  return write_file_atomically(path, bytes);
}

// Only the cells that exist: none when the route length was never read.
// (At most about 300 KB: encoded whole in place, then written.)
Status write_cells(const Tables& t, const std::string& path) {
  std::string bytes(t.celle.size() * kCellaBytes, '\0');
  char* at = bytes.data();
  for (const Cella& c : t.celle) at = store_cella(at, c);
  return write_file_atomically(path, bytes);
}

Status write_output_files(const Tables& t, const ScenarioFiles& files,
                          std::vector<std::string>* written) {
  auto note = [written](const std::string& name) {
    if (written) written->push_back(name);
  };
  if (t.modo_percorso != 0) {
    if (Status s = write_route_map(t.mappa, files.path(files.route_map())); !s.is_ok()) return s;
    note(files.route_map());
  }
  if (Status s = write_records(t, files.path(files.records())); !s.is_ok()) return s;
  note(files.records());
  if (Status s = write_cells(t, files.path(files.cells())); !s.is_ok()) return s;
  note(files.cells());
  return Status::ok();
}

}  // namespace scenpack
