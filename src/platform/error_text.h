// The system's text for an errno value ("No such file or directory"), safe
// to ask for from any thread: the route map is written on a thread of its
// own while the build may report a failure of its own.
#pragma once

#include <string>

namespace scenpack {

std::string error_text(int errno_value);

}  // namespace scenpack
