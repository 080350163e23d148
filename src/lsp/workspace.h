// What the language server may know of the files beside the editor's
// texts: the partner description of a pair that is not open, a scenario
// file. The command that starts the server hands one in; the server itself
// never opens a file.
#pragma once

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

}  // namespace scenpack
