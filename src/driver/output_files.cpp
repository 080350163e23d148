#include "driver/output_files.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "format/file_bytes.h"
#include "platform/beside_thread.h"

namespace scenpack {
namespace {

// The map's file into `file` (open): its pieces written as they are encoded,
// until `abandoned` (when given) is set.
Status encode_into(const RouteMap& mappa, StagedFile& file, const std::atomic<bool>* abandoned = nullptr) {
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

Status write_route_map(const RouteMap& mappa, const std::string& path, Disk& disk) {
  const std::unique_ptr<StagedFile> file = disk.stage(path);
  if (Status s = file->open(); !s.is_ok()) return s;
  if (Status s = encode_into(mappa, *file); !s.is_ok()) return s;
  return file->commit();
}

RouteMapWriting::RouteMapWriting(std::shared_ptr<const RouteMap> mappa, const std::string& path, Disk& disk)
    : mappa_(std::move(mappa)), file_(disk.stage(path)) {
  opened_ = file_->open();
  if (!opened_.is_ok()) return;
  writer_ = std::make_unique<BesideThread>([this] {
    try {
      written_ = encode_into(*mappa_, *file_, &abandoned_);
    } catch (...) {
      thrown_ = std::current_exception();
    }
  });
}

RouteMapWriting::~RouteMapWriting() {
  abandoned_ = true;
  writer_.reset();  // waits for it; the temporary goes with file_
}

void RouteMapWriting::drop() noexcept {
  abandoned_ = true;
  writer_.reset();  // waits for it
  file_.reset();    // removes the temporary unless it was put in place
}

Status RouteMapWriting::complete() {
  if (!opened_.is_ok()) return opened_;
  if (file_ == nullptr) return Status::io_error("cannot write", "the route map", "its writing was dropped");
  writer_.reset();  // waits for it
  if (thrown_) std::rethrow_exception(thrown_);
  if (!written_.is_ok()) return written_;
  return file_->complete();
}

Status RouteMapWriting::commit() {
  if (Status s = complete(); !s.is_ok()) return s;
  return file_->commit();
}

// The whole file staged, then put in place.
Status write_whole_file(const std::string& path, std::string_view bytes, Disk& disk) {
  const std::unique_ptr<StagedFile> file = disk.stage(path);
  if (Status s = stage_whole_file(*file, bytes); !s.is_ok()) return s;
  return file->commit();
}

Status write_records(const Tables& t, const std::string& path, Disk& disk) {
  return write_whole_file(path, records_bytes(t.schede), disk);
}

// Only the cells that exist: none when the route length was never read.
// (At most about 300 KB: encoded whole in place, then written.)
Status write_cells(const Tables& t, const std::string& path, Disk& disk) {
  return write_whole_file(path, cells_bytes(t.celle), disk);
}

Status write_output_files(const Tables& t, const ScenarioFiles& files, std::vector<std::string>* written,
                          RouteMapWriting* map, Disk& disk) {
  const bool with_map = t.modo_percorso != 0;
  // While a map started already is being written, the other two files are
  // written under their temporary names; a map not started is written
  // first. Nothing is renamed before all are whole: a file left staged is
  // removed when this returns, the map started already included.
  struct DropMapOnReturn {
    RouteMapWriting* map;
    ~DropMapOnReturn() {
      if (map != nullptr) map->drop();
    }
  } drop_map{map};
  std::unique_ptr<StagedFile> map_file;
  if (with_map && map == nullptr) {
    map_file = disk.stage(files.path(files.route_map()));
    if (Status s = map_file->open(); !s.is_ok()) return s;
    if (Status s = encode_into(t.mappa, *map_file); !s.is_ok()) return s;
    if (Status s = map_file->complete(); !s.is_ok()) return s;
  }
  const std::unique_ptr<StagedFile> records = disk.stage(files.path(files.records()));
  const std::unique_ptr<StagedFile> cells = disk.stage(files.path(files.cells()));
  if (Status s = stage_whole_file(*records, records_bytes(t.schede)); !s.is_ok()) return s;
  if (Status s = records->complete(); !s.is_ok()) return s;
  if (Status s = stage_whole_file(*cells, cells_bytes(t.celle)); !s.is_ok()) return s;
  if (Status s = cells->complete(); !s.is_ok()) return s;
  if (with_map && map != nullptr) {
    if (Status s = map->complete(); !s.is_ok()) return s;
  }
  // All three whole: now each is put in place, in order.
  auto put_in_place = [written](const std::string& name, auto& file) {
    if (Status s = file.commit(); !s.is_ok()) return s;
    if (written) written->push_back(name);
    return Status::ok();
  };
  if (with_map) {
    const Status s = map != nullptr ? put_in_place(files.route_map(), *map) : put_in_place(files.route_map(), *map_file);
    if (!s.is_ok()) return s;
  }
  if (Status s = put_in_place(files.records(), *records); !s.is_ok()) return s;
  return put_in_place(files.cells(), *cells);
}

}  // namespace scenpack
