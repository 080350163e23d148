// Telling an installed program from a copy in a build or unzip folder.
#include <string>

#include "platform/entry_names.h"
#include "platform/file_system.h"
#include "platform/program_dir.h"

namespace scenpack {

bool is_installed_location(const std::string& program_dir) {
  const auto [prefix, name] = entry_names::split_last_name(program_dir);
  if (!entry_names::same_entry_name(name, "bin")) return false;
  return directory_exists(prefix == "/" ? "/share" : prefix + "/share");
}

}  // namespace scenpack
