#include "finish/output_files.h"

#include <cstdint>
#include <string_view>

#include "finish/file_bytes.h"
#include "platform/file_system.h"

namespace scenpack {

Status write_route_map(const RouteMap& mappa, const std::string& path) {
  AtomicFile file(path);
  if (Status s = file.open(); !s.is_ok()) return s;
  // A map that was never sized (the route length was not read) has no
  // elements: the file is written empty.
  file.expect_size(route_map_size(mappa));
  Status written;
  encode_route_map(mappa, [&](uint64_t offset, std::string_view piece) {
    written = file.write_at(offset, piece);
    return written.is_ok();
  });
  if (!written.is_ok()) return written;
  return file.commit();
}

Status write_records(const Tables& t, const std::string& path) {
  return write_file_atomically(path, records_bytes(t.schede));
}

// Only the cells that exist: none when the route length was never read.
// (At most about 300 KB: encoded whole in place, then written.)
Status write_cells(const Tables& t, const std::string& path) {
  return write_file_atomically(path, cells_bytes(t.celle));
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
