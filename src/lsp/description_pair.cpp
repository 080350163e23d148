#include "lsp/description_pair.h"

#include "readers/field_reader.h"

namespace scenpack {
namespace {

constexpr int kMostFolderLevels = 64;
constexpr std::string_view kLineSuffix = "_linea.txt";
constexpr std::string_view kTrainSuffix = "-.txt";

// "a/./b" and "a/b" name one file: single dots are dropped.
std::string without_dot_parts(const std::string& path) {
  std::string out = path;
  for (size_t at; (at = out.find("/./")) != std::string::npos;) out.erase(at, 2);
  return out;
}

bool same_path(const std::string& a, const std::string& b) { return without_dot_parts(a) == without_dot_parts(b); }

// The nearest scenario file that names the document; true when one was
// found (usable or not).
bool pair_by_scenario_file(const std::string& path, Workspace& files, DescriptionPair& out) {
  std::string folder = folder_of(path);
  for (int level = 0; level < kMostFolderLevels; ++level) {
    const std::string candidate = path_in_folder(folder, std::string(kScenarioFileName));
    if (std::optional<std::string> bytes = files.read(candidate)) {
      const ParsedScenarioFile parsed = parse_scenario_file(*bytes, folder);
      if (parsed.fault) {
        out.scenario_path = candidate;
        out.scenario_fault = parsed.fault;
        return false;
      }
      if (!same_path(parsed.file.line, path) && !same_path(parsed.file.train, path)) return false;
      out.kind = same_path(parsed.file.line, path) ? DescriptionKind::kLine : DescriptionKind::kTrain;
      out.line_path = parsed.file.line;
      out.train_path = parsed.file.train;
      out.name = parsed.file.name;
      out.number = parsed.file.number;
      return true;
    }
    const std::string parent = folder_of(folder);
    if (parent == folder || folder.empty()) return false;
    folder = parent;
  }
  return false;
}

// NAME_linea.txt and NAME_NUM-.txt side by side.
bool pair_by_working_names(const std::string& path, Workspace& files, DescriptionPair& out) {
  const std::string folder = folder_of(path);
  const std::string base = base_name(path);
  if (base.ends_with(kLineSuffix) && base.size() > kLineSuffix.size()) {
    out.kind = DescriptionKind::kLine;
    out.name = base.substr(0, base.size() - kLineSuffix.size());
    out.line_path = path;
    for (const std::string& f : files.files_in(folder)) {
      if (f.size() > out.name.size() + 1 + kTrainSuffix.size() && f.compare(0, out.name.size() + 1, out.name + "_") == 0 &&
          f.ends_with(kTrainSuffix)) {
        out.number = f.substr(out.name.size() + 1, f.size() - out.name.size() - 1 - kTrainSuffix.size());
        out.train_path = path_in_folder(folder, f);
        break;
      }
    }
    return true;
  }
  const size_t underscore = base.rfind('_');
  if (base.ends_with(kTrainSuffix) && underscore != std::string::npos && underscore > 0 &&
      underscore + 1 + kTrainSuffix.size() < base.size() + 1) {
    out.kind = DescriptionKind::kTrain;
    out.name = base.substr(0, underscore);
    out.number = base.substr(underscore + 1, base.size() - underscore - 1 - kTrainSuffix.size());
    out.train_path = path;
    const std::string line = path_in_folder(folder, out.name + std::string(kLineSuffix));
    if (files.read(line)) out.line_path = line;
    return true;
  }
  return false;
}

}  // namespace

std::string folder_of(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  if (slash == std::string::npos) return "";
  if (slash == 0) return path.substr(0, 1);
  if (slash == 2 && path[1] == ':') return path.substr(0, 3);  // "C:/"
  return path.substr(0, slash);
}

std::string base_name(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

DescriptionPair pair_of(const std::string& path, const std::string& text, Workspace& files) {
  DescriptionPair out;
  if (pair_by_scenario_file(path, files, out)) return out;
  if (pair_by_working_names(path, files, out)) return out;
  // A name of neither kind: a line description gives the route's length.
  const bool line = contains_nocase(text, "lunghezza") && contains_nocase(text, "percorso");
  out.kind = line ? DescriptionKind::kLine : DescriptionKind::kTrain;
  (line ? out.line_path : out.train_path) = path;
  return out;
}

}  // namespace scenpack
