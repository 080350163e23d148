// Whether two paths reach the same file, the same on every system.
#include "platform/entry_names.h"

namespace scenpack {

bool same_file(const std::string& a, const std::string& b) {
  using namespace entry_names;
  const std::optional<FileIdentity> file_a = identity_of(a);
  if (file_a && file_a == identity_of(b)) return true;
  const auto [dir_a, name_a] = split_last_name(a);
  const auto [dir_b, name_b] = split_last_name(b);
  if (name_a.empty() || name_a == "." || name_a == ".." || !same_entry_name(name_a, name_b)) return false;
  const std::optional<FileIdentity> parent_a = identity_of(dir_a);
  return parent_a && parent_a == identity_of(dir_b);
}

}  // namespace scenpack
