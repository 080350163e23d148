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

Status RouteMapWriting::commit() {
  if (!opened_.is_ok()) return opened_;
  writer_.reset();  // waits for it
  if (thrown_) std::rethrow_exception(thrown_);
  if (!written_.is_ok()) return written_;
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
  auto note = [written](const std::string& name) {
    if (written) written->push_back(name);
  };
  // While a map started already is being written, the other two files are
  // written under their temporary names; each is put in place in its turn,
  // and one whose turn does not come is removed.
  const std::unique_ptr<StagedFile> records = disk.stage(files.path(files.records()));
  const std::unique_ptr<StagedFile> cells = disk.stage(files.path(files.cells()));
  Status records_staged, cells_staged;
  const auto stage_both = [&] {
    records_staged = stage_whole_file(*records, records_bytes(t.schede));
    if (records_staged.is_ok()) cells_staged = stage_whole_file(*cells, cells_bytes(t.celle));
  };
  const bool map_started = t.modo_percorso != 0 && map != nullptr;
  if (map_started) stage_both();
  if (t.modo_percorso != 0) {
    const Status s = map_started ? map->commit() : write_route_map(t.mappa, files.path(files.route_map()), disk);
    if (!s.is_ok()) return s;
    note(files.route_map());
  }
  if (!map_started) stage_both();
  if (!records_staged.is_ok()) return records_staged;
  if (Status s = records->commit(); !s.is_ok()) return s;
  note(files.records());
  if (!cells_staged.is_ok()) return cells_staged;
  if (Status s = cells->commit(); !s.is_ok()) return s;
  note(files.cells());
  return Status::ok();
}

}  // namespace scenpack
