#include "platform/message_box.h"

#include <cstdio>

#include "platform/desktop.h"

namespace scenpack {

void show_message_box(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
  if (desktop_enabled()) show_desktop_message_box(text);
}

}  // namespace scenpack
