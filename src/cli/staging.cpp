#include "cli/staging.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/file_system.h"

namespace scenpack {

StageResult check_source(const std::string& source, const std::vector<std::string>& touched) {
  struct stat src;
  if (::stat(source.c_str(), &src) != 0) {
    return {StageError::kUnreadable, "cannot read " + source + ": " + std::strerror(errno)};
  }
  if (S_ISDIR(src.st_mode)) {
    return {StageError::kUnreadable, "cannot read " + source + ": " + std::strerror(EISDIR)};
  }
  for (const std::string& path : touched) {
    struct stat other;
    if (::stat(path.c_str(), &other) == 0 && other.st_dev == src.st_dev && other.st_ino == src.st_ino) {
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
