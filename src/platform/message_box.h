// The modal message box of the two stopping faults: one line on stderr, the
// box's text as is (" Errore n. 1250"); with the desktop enabled on Windows
// (desktop.h) also a modal box with that text and an OK button only.
#pragma once

#include <string_view>

namespace scenpack {

void show_message_box(std::string_view text);

}  // namespace scenpack
