#include "platform/error_text.h"

#include <cstring>
#include <string>

namespace scenpack {

std::string error_text(int errno_value) {
  char buffer[256] = {};
  if (strerror_s(buffer, sizeof buffer, errno_value) != 0) return "unknown error";
  return buffer;
}

}  // namespace scenpack
