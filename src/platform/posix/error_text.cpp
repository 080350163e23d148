#include "platform/error_text.h"

#include <cstring>
#include <string>

namespace scenpack {
namespace {

// strerror_r comes in two forms: the GNU one returns the text (which may be
// a constant of its own rather than the buffer), the POSIX one returns 0 and
// fills the buffer.
[[maybe_unused]] std::string text_of(const char* text, const char*) { return text; }
[[maybe_unused]] std::string text_of(int result, const char* buffer) {
  return result == 0 ? std::string(buffer) : std::string("unknown error");
}

}  // namespace

std::string error_text(int errno_value) {
  char buffer[256] = {};
  return text_of(::strerror_r(errno_value, buffer, sizeof buffer), buffer);
}

}  // namespace scenpack
