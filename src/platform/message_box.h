// The modal message box of the two stopping faults. Without a desktop it is
// one line on stderr, the box's text as is (" Errore n. 1250").
#pragma once

#include <string_view>

namespace scenpack {

void show_message_box(std::string_view text);

}  // namespace scenpack
