// What the language server may know of the files beside the editor's
// texts: the partner description of a pair that is not open, a scenario
// file. The command that starts the server hands one in; the server itself
// never opens a file.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace scenpack {

class Workspace {
 public:
  virtual ~Workspace() = default;
  // The whole file, or none when it cannot be read.
  virtual std::optional<std::string> read(const std::string& path) = 0;
  // The names of the regular files in `folder`, sorted; none when it
  // cannot be read.
  virtual std::vector<std::string> files_in(const std::string& folder) = 0;
};

// Files held in memory by their paths ('/' separated): for a test, a
// benchmark or a fuzzer that drives the server without a disk.
class FilesInMemory : public Workspace {
 public:
  std::map<std::string, std::string> files;

  std::optional<std::string> read(const std::string& path) override {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  }
  std::vector<std::string> files_in(const std::string& folder) override {
    std::vector<std::string> out;
    for (const auto& [path, bytes] : files) {
      if (path.rfind(folder + "/", 0) == 0 && path.find('/', folder.size() + 1) == std::string::npos) {
        out.push_back(path.substr(folder.size() + 1));
      }
    }
    return out;
  }
};

}  // namespace scenpack
