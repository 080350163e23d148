// read_regular_file, the same on every system: read_file's outcome told the
// way a build's working texts take it.
#include "platform/file_system.h"

namespace scenpack {

RegularFileRead read_regular_file(const std::string& path, uint64_t most_bytes) {
  RegularFileRead out;
  const FileRead read = read_file(path, out.bytes, most_bytes);
  switch (read.kind) {
    case InputKind::kRead: out.present = true; break;
    case InputKind::kAbsent: break;
    case InputKind::kNotRegular: out.irregular = true; break;
    case InputKind::kTooLarge:
    case InputKind::kUnreadable:
      out.present = true;
      out.status = read.status;
      break;
  }
  return out;
}

}  // namespace scenpack
