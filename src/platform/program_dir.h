// The directory that holds the running program: the base of every file name
// of a plain run.
#pragma once

#include <optional>
#include <string>

namespace scenpack {

// The absolute directory of the executable, as UTF-8, or nothing when the
// system cannot tell.
std::optional<std::string> program_directory();

// True when `program_dir` is where an installation puts the program: a
// directory named "bin" with a "share" directory beside it (PREFIX/bin and
// PREFIX/share, as the package and `cmake --install` lay them out). A build
// folder or an unzipped folder is not one.
bool is_installed_location(const std::string& program_dir);

}  // namespace scenpack
