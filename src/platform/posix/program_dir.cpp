#include "platform/program_dir.h"

#include <unistd.h>

#include <vector>

namespace scenpack {

std::optional<std::string> program_directory() {
  std::vector<char> buf(4096);
  for (;;) {
    ssize_t n = ::readlink("/proc/self/exe", buf.data(), buf.size());
    if (n < 0) return std::nullopt;
    if (static_cast<size_t>(n) < buf.size()) {
      std::string exe(buf.data(), static_cast<size_t>(n));
      size_t slash = exe.rfind('/');
      if (slash == std::string::npos) return std::nullopt;
      return slash == 0 ? std::string("/") : exe.substr(0, slash);
    }
    buf.resize(buf.size() * 2);  // the path may have been cut: try a larger buffer
  }
}

}  // namespace scenpack
