#include "model/file_names.h"

#include <algorithm>

namespace scenpack {
namespace {

char upper_ascii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool same_name_on_windows(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper_ascii(x) == upper_ascii(y); });
}

std::optional<std::pair<ScenarioFiles::NamedFile, ScenarioFiles::NamedFile>> ScenarioFiles::clashing_files() const {
  const std::vector<NamedFile> files = every_file();
  for (size_t i = 0; i < files.size(); ++i) {
    for (size_t j = i + 1; j < files.size(); ++j) {
      if (same_name_on_windows(files[i].name, files[j].name)) return std::make_pair(files[i], files[j]);
    }
  }
  return std::nullopt;
}

size_t ScenarioFiles::longest_name() const {
  size_t longest = 0;
  for (const NamedFile& f : every_file()) longest = std::max(longest, f.name.size());
  return longest;
}

}  // namespace scenpack
