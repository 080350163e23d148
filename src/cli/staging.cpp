#include "cli/staging.h"

#include "platform/file_system.h"

namespace scenpack {

StageResult check_source(const std::string& source, const std::vector<std::string>& touched) {
  FileIdentity src;
  if (Status s = identify_file(source, src); !s.is_ok()) return {StageError::kUnreadable, s.message()};
  for (const std::string& path : touched) {
    FileIdentity other;
    if (identify_file(path, other).is_ok() && other == src) {
      return {StageError::kUsage, source + " is the build's own file " + path +
                                      ", which the build would consume or replace"};
    }
  }
  return {};
}

StageResult copy_source(const std::string& source, const std::string& target) {
  std::string bytes;
  if (Status s = read_file(source, bytes); !s.is_ok()) return {StageError::kUnreadable, s.message()};
  if (Status s = write_file_atomically(target, bytes); !s.is_ok()) return {StageError::kIo, s.message()};
  return {};
}

}  // namespace scenpack
