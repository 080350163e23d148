// Creating a directory with its parents, from the system's one-level call;
// listing the files of a directory.
#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
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

std::vector<std::string> file_names_in(const std::string& path, size_t most) {
  std::vector<std::string> names;
  try {
    namespace fs = std::filesystem;
    // Paths are UTF-8 text on every system.
    const fs::path dir(std::u8string(path.begin(), path.end()));
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end && names.size() < most; it.increment(error)) {
      std::error_code kind_error;
      if (!it->is_regular_file(kind_error)) continue;
      const std::u8string name = it->path().filename().u8string();
      names.emplace_back(name.begin(), name.end());
    }
  } catch (...) {
    // A name the system cannot give as UTF-8, no memory: the list so far.
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace scenpack
