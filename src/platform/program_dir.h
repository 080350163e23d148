// The directory that holds the running program: the base of every file name
// of a plain run.
#pragma once

#include <optional>
#include <string>

namespace scenpack {

// The absolute directory of the executable, as UTF-8, or nothing when the
// system cannot tell.
std::optional<std::string> program_directory();

}  // namespace scenpack
