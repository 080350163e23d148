#include "driver/scenario_file.h"

#include <array>

#include "model/file_names.h"

namespace scenpack {
namespace {

std::string_view trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool is_absolute(const std::string& path) {
  if (!path.empty() && (path[0] == '/' || path[0] == '\\')) return true;
  return path.size() >= 2 && path[1] == ':';  // a Windows drive
}

struct Key {
  std::string_view word;
  std::string ScenarioFile::*field;
};
constexpr std::array<Key, 5> kKeys = {{{"name", &ScenarioFile::name},
                                       {"number", &ScenarioFile::number},
                                       {"line", &ScenarioFile::line},
                                       {"train", &ScenarioFile::train},
                                       {"output", &ScenarioFile::output}}};

// The value without its quotes; false for an unclosed quote.
bool unquoted(std::string_view value, std::string& out) {
  if (value.empty() || value.front() != '"') {
    out = std::string(value);
    return true;
  }
  if (value.size() < 2 || value.back() != '"') return false;
  out = std::string(value.substr(1, value.size() - 2));
  return true;
}

// One "key = value" line into `file`; the fault's message, "" when fine.
std::string read_setting(std::string_view text, ScenarioFile& file, std::array<bool, kKeys.size()>& seen) {
  const size_t eq = text.find('=');
  if (eq == std::string_view::npos) return "expected 'key = value', found '" + std::string(text) + "'";
  const std::string_view key = trimmed(text.substr(0, eq));
  for (size_t k = 0; k < kKeys.size(); ++k) {
    if (key != kKeys[k].word) continue;
    if (seen[k]) return std::string("'").append(key) + "' is given twice";
    seen[k] = true;
    std::string value;
    if (!unquoted(trimmed(text.substr(eq + 1)), value)) return std::string("the quote of '").append(key) + "' is not closed";
    if (value.empty()) return std::string("'").append(key) + "' has no value";
    file.*kKeys[k].field = value;
    return "";
  }
  return "unknown key '" + std::string(key) + "' (name, number, line, train, output)";
}

}  // namespace

std::string path_in_folder(const std::string& folder, const std::string& path) {
  if (folder.empty() || is_absolute(path)) return path;
  return folder.back() == '/' || folder.back() == '\\' ? folder + path : folder + "/" + path;
}

ParsedScenarioFile parse_scenario_file(std::string_view bytes, const std::string& folder) {
  ParsedScenarioFile out;
  ScenarioFile& f = out.file;
  f.folder = folder;
  std::array<bool, kKeys.size()> seen{};
  int number = 0;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view text = bytes.substr(start, end - start);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    start = end + 1;
    ++number;
    text = trimmed(text);
    if (text.empty() || text.front() == '#') continue;
    if (std::string problem = read_setting(text, f, seen); !problem.empty()) {
      out.fault = ScenarioFileFault{number, problem};
      return out;
    }
  }
  if (f.name.empty() || f.number.empty()) {
    out.fault = ScenarioFileFault{0, f.name.empty() ? "'name' is not given" : "'number' is not given"};
    return out;
  }
  const ScenarioFiles names{"", f.name, f.number};
  f.line = path_in_folder(folder, f.line.empty() ? names.line_text() : f.line);
  f.train = path_in_folder(folder, f.train.empty() ? names.train_text() : f.train);
  f.output = f.output.empty() ? (folder.empty() ? "." : folder) : path_in_folder(folder, f.output);
  return out;
}

}  // namespace scenpack
