#include "cli/staging.h"

#include "platform/file_system.h"
#include "readers/description.h"

namespace scenpack {

StageResult read_source(const std::string& source, const std::vector<std::string>& touched, std::string& bytes) {
  const FileRead read = read_file(source, bytes, kLongestDescription);
  if (!read.is_ok()) return {StageError::kUnreadable, read.status.message()};
  for (const std::string& path : touched) {
    FileIdentity other;
    if (identify_file(path, other).is_ok() && other == read.identity) {
      bytes.clear();
      return {StageError::kUsage, source + " is the build's own file " + path +
                                      ", which the build would consume or replace"};
    }
  }
  return {};
}

}  // namespace scenpack
