#include "cli/other_scenarios.h"

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace scenpack {
namespace {

constexpr size_t kMostListed = 3;
constexpr size_t kMostNames = 100000;  // a directory's files looked at, at most
constexpr std::string_view kLineEnd = "_linea.txt";
constexpr std::string_view kTrainEnd = "-.txt";

// The numbers NUM of the files NAME_NUM-.txt among `names`.
std::vector<std::string> train_numbers(const std::vector<std::string>& names, const std::string& name) {
  std::vector<std::string> numbers;
  const std::string start = name + "_";
  for (const std::string& n : names) {
    if (n.size() <= start.size() + kTrainEnd.size() || !n.starts_with(start) || !n.ends_with(kTrainEnd)) continue;
    numbers.push_back(n.substr(start.size(), n.size() - start.size() - kTrainEnd.size()));
  }
  return numbers;
}

// "A; B; C, and 2 more"
std::string listed(const std::vector<std::string>& items) {
  std::string out;
  for (size_t i = 0; i < items.size() && i < kMostListed; ++i) out += (i ? "; " : "") + items[i];
  if (items.size() > kMostListed) out += "; and " + std::to_string(items.size() - kMostListed) + " more";
  return out;
}

std::string where(const ScenarioFiles& files) { return files.dir == "." ? "here" : "in " + files.dir; }

}  // namespace

std::string other_scenarios_hint(const ScenarioFiles& files, bool line_named, bool train_named) {
  const bool line_missing = !line_named && !file_exists(files.path(files.line_text()));
  const bool train_missing = !train_named && !file_exists(files.path(files.train_text()));
  if (!line_missing && !train_missing) return "";
  const std::vector<std::string> names = file_names_in(files.dir, kMostNames);
  std::vector<std::string> found;
  if (line_missing) {
    for (const std::string& n : names) {
      if (n.size() <= kLineEnd.size() || !n.ends_with(kLineEnd)) continue;
      const std::string name = n.substr(0, n.size() - kLineEnd.size());
      for (const std::string& number : train_numbers(names, name)) {
        found.push_back(n + " and " + ScenarioFiles{files.dir, name, number}.train_text() + " (--name " + name +
                        " --number " + number + ")");
      }
    }
    if (found.empty()) return "";
    return "no " + files.line_text() + " " + where(files) + "; found " + listed(found);
  }
  for (const std::string& number : train_numbers(names, files.nome_scenario)) {
    found.push_back(ScenarioFiles{files.dir, files.nome_scenario, number}.train_text() + " (--number " + number + ")");
  }
  if (found.empty()) return "";
  return "no " + files.train_text() + " " + where(files) + "; found " + listed(found);
}

}  // namespace scenpack
