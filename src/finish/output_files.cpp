#include "finish/output_files.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "model/numeric.h"
#include "finish/encoding.h"
#include "platform/file_system.h"

namespace scenpack {
namespace {

// Bytes of the route map gathered before they are handed to the file.
constexpr size_t kChunkBytes = 1 << 20;

// Points 0 and 1 of the map are set from whole numbers and stored as
// Integers; anything not representable as one is stored as 0.
int16_t integer_point(double v) {
  if (!std::isfinite(v) || v < -32768.0 || v > 32767.0) return 0;
  return static_cast<int16_t>(round_half_even(v));
}

// Encodes one coordinate of the map straight into a reused chunk and hands
// each full chunk to the file: metres below 2 that are set are Integers, the
// other metres set Doubles, the rest Empty.
class MapCoordinateWriter {
 public:
  explicit MapCoordinateWriter(AtomicFile& file) : file_(file), chunk_(kChunkBytes + kLongestVariant, '\0') {}

  Status write(const std::vector<double>& coordinate, size_t metres, size_t set) {
    constexpr size_t kIntegerPoints = 2;
    set = std::min({set, metres, coordinate.size()});
    for (size_t j = 0; j < metres; ++j) {
      if (j < set) {
        if (j < kIntegerPoints) put(integer_point(coordinate[j]));
        else put(coordinate[j]);
      } else {
        put(std::monostate{});
      }
      if (status_.is_ok() && used() >= kChunkBytes) flush();
    }
    flush();
    return status_;
  }

 private:
  void put(const Variant& v) { end_ = store_variant(chunk_.data() + used(), v) - chunk_.data(); }
  size_t used() const { return static_cast<size_t>(end_); }
  void flush() {
    if (status_.is_ok() && end_ > 0) status_ = file_.append(std::string_view(chunk_.data(), used()));
    end_ = 0;
  }

  AtomicFile& file_;
  std::string chunk_;
  std::ptrdiff_t end_ = 0;
  Status status_;
};

}  // namespace

Status write_route_map(const RouteMap& mappa, const std::string& path) {
  AtomicFile file(path);
  if (Status s = file.open(); !s.is_ok()) return s;
  // A map that was never sized (the route length was not read) has no
  // elements: the file is written empty.
  const size_t metres = mappa.sized && mappa.last_index >= 0 ? static_cast<size_t>(mappa.last_index) + 1 : 0;
  const size_t set = mappa.points_set > 0 ? static_cast<size_t>(mappa.points_set) : 0;
  MapCoordinateWriter coordinates(file);
  if (Status s = coordinates.write(mappa.x, metres, set); !s.is_ok()) return s;  // mappa(j, 0)
  if (Status s = coordinates.write(mappa.y, metres, set); !s.is_ok()) return s;  // mappa(j, 1)
  return file.commit();
}

Status write_records(const Tables& t, const std::string& path) {
  std::string bytes;
  for (const Scheda& s : t.schede) put_scheda(bytes, s);
  return write_file_atomically(path, bytes);
}

// Only the cells that exist: none when the route length was never read.
// (At most about 300 KB: encoded whole, then written.)
Status write_cells(const Tables& t, const std::string& path) {
  std::string bytes;
  bytes.reserve(t.celle.size() * kCellaBytes);
  for (const Cella& c : t.celle) put_cella(bytes, c);
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
