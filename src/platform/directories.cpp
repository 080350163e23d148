// Creating a directory with its parents, from the system's one-level call.
#include <string>
#include <utility>
#include <vector>

#include "platform/entry_names.h"
#include "platform/file_system.h"

namespace scenpack {

Status create_directories(const std::string& path) {
  // The missing directories, from `path` up to the first one there; a path
  // whose parent is itself (a root, a drive, ".") ends the climb.
  std::vector<std::string> missing;
  for (std::string at = path; !directory_exists(at);) {
    missing.push_back(at);
    std::string parent = entry_names::split_last_name(at).first;
    if (parent == at) break;
    at = std::move(parent);
  }
  for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
    if (Status s = make_directory(*it); !s.is_ok()) return s;
  }
  return Status::ok();
}

}  // namespace scenpack
