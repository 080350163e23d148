#include "platform/message_box.h"

#include <cstdio>

namespace scenpack {

void show_message_box(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

}  // namespace scenpack
