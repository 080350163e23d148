// The three compiled files of a scenario: the route map ("_linea.dat"), the
// record table (".sim") and the track cells (".dat"). Byte layouts are in
// docs/formats.md; the bytes themselves come from format/encoding.h.
//
// Each file is written under a temporary name beside the target and renamed
// over it only when complete, so a failure midway leaves the old file (or
// none) and never a torn one. Every file operation goes through the Disk
// handed in (the system's, unless a test hands its own). The route map is
// never held whole: each point
// is computed once from the map's drawing as it is encoded, its x written
// into the first half of the file and its y into the second, through two
// small buffers.
#pragma once

#include <atomic>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "model/file_names.h"
#include "base/status.h"
#include "model/tables.h"
#include "platform/beside_thread.h"
#include "platform/disk.h"

namespace scenpack {

// Every element of the map as a Variant, all x (metre fastest), then all y.
// A map that was never sized has no elements and gives an empty file.
Status write_route_map(const RouteMap& mappa, const std::string& path, Disk& disk = system_disk());

// The route map's file, written on a thread of its own while the build
// goes on with other work: into a temporary, which commit() waits for and
// puts in place. The map is handed over as something that cannot change
// any more: the writing holds it until it ends. Dropped without
// commit(), the writing stops, the temporary is removed and nothing is put
// in place.
class RouteMapWriting {
 public:
  // Starts the writing; throws when no thread can be started (or no memory).
  RouteMapWriting(std::shared_ptr<const RouteMap> mappa, const std::string& path, Disk& disk = system_disk());
  ~RouteMapWriting();
  RouteMapWriting(const RouteMapWriting&) = delete;
  RouteMapWriting& operator=(const RouteMapWriting&) = delete;

  // Waits for the writing and leaves the temporary whole, not yet in place:
  // the outcome write_route_map would have had. What the writing threw (no
  // memory, say) is thrown again here.
  Status complete();
  // Completes the file when that is not done yet, then puts it in place.
  Status commit();
  // Stops the writing and removes the temporary now, as dropping it would;
  // nothing is put in place after this. Allocates nothing.
  void drop() noexcept;

 private:
  std::shared_ptr<const RouteMap> mappa_;
  std::unique_ptr<StagedFile> file_;
  Status opened_;
  std::atomic<bool> abandoned_{false};  // dropped: the writing stops at the next piece
  Status written_;
  std::exception_ptr thrown_;  // what the writing threw, if anything
  std::unique_ptr<BesideThread> writer_;
};

// Records 0 to 86, 34 bytes plus the text length each.
Status write_records(const Tables& t, const std::string& path, Disk& disk = system_disk());

// The cells that exist, 15 bytes each (an empty file when never sized).
Status write_cells(const Tables& t, const std::string& path, Disk& disk = system_disk());

// "_linea.dat" (only when modo_percorso != 0), ".sim", ".dat", in that order,
// into files.dir. The three are one scenario (their check codes tie them):
// each is written whole under its temporary name first, and only when all
// are complete are they renamed, in that order. A failure before the
// renames leaves every old file and no new one; stops at the first failure. The file name of each file
// written is appended to `written` (may be null). A route map whose writing
// was started already (`map`, not null) is committed in its turn instead of
// being written then.
Status write_output_files(const Tables& t, const ScenarioFiles& files, std::vector<std::string>* written,
                          RouteMapWriting* map = nullptr, Disk& disk = system_disk());

}  // namespace scenpack
