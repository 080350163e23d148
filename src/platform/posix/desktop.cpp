// No desktop face here: the console lines are the window and the box.
#include "platform/desktop.h"

namespace scenpack {

void open_desktop_window(std::string_view) {}
void show_desktop_message_box(std::string_view) {}

}  // namespace scenpack
