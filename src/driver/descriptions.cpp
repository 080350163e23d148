#include "driver/descriptions.h"

namespace scenpack {

DescriptionText LoadedDescription::text() const {
  DescriptionText d;
  d.name = shown;
  if (given != nullptr) {
    d.bytes = std::string_view(*given);
  } else if (!file.status.is_ok()) {
    d.unreadable = file.status.message();
  } else if (file.present) {
    d.bytes = std::string_view(file.bytes);
  }
  return d;
}

LoadedDescription load_description(Disk& disk, const std::string& path, const std::string& shown) {
  return LoadedDescription{disk.read_regular_file(path, kLongestDescription), shown};
}

LoadedDescription given_description(const std::string& bytes, const std::string& shown) {
  return LoadedDescription{RegularFileRead{}, shown, &bytes};
}

}  // namespace scenpack
