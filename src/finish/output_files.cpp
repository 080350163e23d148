#include "finish/output_files.h"

#include <atomic>
#include <cstdint>
#include <string_view>

#include "format/file_bytes.h"
#include "platform/beside_thread.h"

namespace scenpack {
namespace {

// The map's file into `file` (open): its pieces written as they are encoded,
// until `abandoned` (when given) is set.
Status encode_into(const RouteMap& mappa, AtomicFile& file, const std::atomic<bool>* abandoned = nullptr) {
  // A map that was never sized (the route length was not read) has no
  // elements: the file is written empty.
  file.expect_size(route_map_size(mappa));
  Status written;
  encode_route_map(mappa, [&](uint64_t offset, std::string_view piece) {
    if (abandoned != nullptr && abandoned->load(std::memory_order_relaxed)) return false;
    written = file.write_at(offset, piece);
    return written.is_ok();
  });
  return written;
}

}  // namespace

Status write_route_map(const RouteMap& mappa, const std::string& path) {
  AtomicFile file(path);
  if (Status s = file.open(); !s.is_ok()) return s;
  if (Status s = encode_into(mappa, file); !s.is_ok()) return s;
  return file.commit();
}

RouteMapWriting::RouteMapWriting(const RouteMap& mappa, const std::string& path) : file_(path) {
  opened_ = file_.open();
  if (!opened_.is_ok()) return;
  // Its own processor, its own chunks: the points are written from the
  // cache of the processor that computed them.
  writer_ = std::make_unique<BesideThread>([this, &mappa] {
    try {
      written_ = encode_into(mappa, file_, &abandoned_);
    } catch (...) {
      thrown_ = std::current_exception();
    }
  });
}

RouteMapWriting::~RouteMapWriting() {
  abandoned_ = true;
  writer_.reset();  // waits for it; the temporary goes with file_
}

Status RouteMapWriting::commit() {
  if (!opened_.is_ok()) return opened_;
  writer_.reset();  // waits for it
  if (thrown_) std::rethrow_exception(thrown_);
  if (!written_.is_ok()) return written_;
  return file_.commit();
}

Status write_records(const Tables& t, const std::string& path) {
  return write_file_atomically(path, records_bytes(t.schede));
}

// Only the cells that exist: none when the route length was never read.
// (At most about 300 KB: encoded whole in place, then written.)
Status write_cells(const Tables& t, const std::string& path) {
  return write_file_atomically(path, cells_bytes(t.celle));
}

Status write_output_files(const Tables& t, const ScenarioFiles& files, std::vector<std::string>* written,
                          RouteMapWriting* map) {
  auto note = [written](const std::string& name) {
    if (written) written->push_back(name);
  };
  // While a map started already is being written, the other two files are
  // written under their temporary names; each is put in place in its turn,
  // and one whose turn does not come is removed.
  AtomicFile records(files.path(files.records()));
  AtomicFile cells(files.path(files.cells()));
  Status records_staged, cells_staged;
  const auto stage_both = [&] {
    records_staged = stage_whole_file(records, records_bytes(t.schede));
    if (records_staged.is_ok()) cells_staged = stage_whole_file(cells, cells_bytes(t.celle));
  };
  const bool map_started = t.modo_percorso != 0 && map != nullptr;
  if (map_started) stage_both();
  if (t.modo_percorso != 0) {
    const Status s = map_started ? map->commit() : write_route_map(t.mappa, files.path(files.route_map()));
    if (!s.is_ok()) return s;
    note(files.route_map());
  }
  if (!map_started) stage_both();
  if (!records_staged.is_ok()) return records_staged;
  if (Status s = records.commit(); !s.is_ok()) return s;
  note(files.records());
  if (!cells_staged.is_ok()) return cells_staged;
  if (Status s = cells.commit(); !s.is_ok()) return s;
  note(files.cells());
  return Status::ok();
}

}  // namespace scenpack
