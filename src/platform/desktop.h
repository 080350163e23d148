// Whether the waiting window and the message box also appear on the desktop.
// On Windows they are real windows once the desktop is enabled; on other
// systems there is no desktop face and enabling it changes nothing. The
// console lines ("Attendere", " Errore n. 1250") are written either way.
#pragma once

#include <string_view>

namespace scenpack {

// Off at start, so that tests and library users never block on a window.
void enable_desktop();
bool desktop_enabled();

// The system's part (posix/, win32/): a small fixed window with one label,
// shown and painted at once and left up until the process ends; and a modal
// box with the text and an OK button only, returning when it is closed.
void open_desktop_window(std::string_view label);
void show_desktop_message_box(std::string_view text);

}  // namespace scenpack
