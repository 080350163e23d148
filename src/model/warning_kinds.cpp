#include "model/warning_kinds.h"

namespace scenpack {

std::optional<WarningName> warning_named(std::string_view name) {
  for (WarningName w : kAllWarnings) {
    if (warning_kind(w).name == name) return w;
  }
  return std::nullopt;
}

}  // namespace scenpack
