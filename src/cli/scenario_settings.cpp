#include "cli/scenario_settings.h"

#include <filesystem>

#include "cli/commands.h"
#include "driver/scenario_file.h"
#include "model/file_names.h"
#include "platform/file_system.h"
#include "readers/description.h"

namespace scenpack {
namespace {

// How many folders stand above the current one (to stop at the root).
int folders_above_here() {
  std::error_code ec;
  const std::filesystem::path here = std::filesystem::current_path(ec);
  if (ec) return 0;
  int n = 0;
  for (std::filesystem::path p = here; p.has_relative_path() && n < 256; p = p.parent_path()) ++n;
  return n;
}

// The nearest scenario file, as a path from here ("scenpack.ini",
// "../scenpack.ini", ...); "" when there is none.
std::string nearest_scenario_file() {
  std::string up;
  for (int level = 0, top = folders_above_here(); level <= top; ++level, up += "../") {
    const std::string candidate = up + std::string(kScenarioFileName);
    if (file_exists(candidate)) return candidate;
  }
  return "";
}

bool takes_scenario_file(const Arguments& a) {
  switch (a.command) {
    case Subcommand::kBuild:
    case Subcommand::kCheck: return !a.line && !a.train && !a.dir;
    case Subcommand::kInspect:
    case Subcommand::kPlot: return !a.path;
    default: return false;
  }
}

SettingsOutcome fault(const std::string& path, int line, const std::string& message) {
  return {exit_status::kDataError, path + (line > 0 ? std::string(":").append(std::to_string(line)) : "") + ": " + message};
}

// The file's settings into the command's arguments.
SettingsOutcome take_settings(Arguments& a, const ScenarioFile& f, const std::string& path) {
  if (!a.name_given) a.name = f.name;
  if (!a.number_given) a.number = f.number;
  if (std::string p = name_part_problem(a.name); !p.empty()) return fault(path, 0, "the scenario name " + p);
  if (std::string p = name_part_problem(a.number); !p.empty()) return fault(path, 0, "the train number " + p);
  const ScenarioFiles working{f.output, a.name, a.number};
  switch (a.command) {
    case Subcommand::kCheck:
      a.line = f.line;
      a.train = f.train;
      break;
    case Subcommand::kBuild:
      // Descriptions that are the output folder's own working texts are
      // read there and kept; any other is copied in as --line and --train do.
      a.dir = f.output;
      if (!same_file(f.line, working.path(working.line_text()))) a.line = f.line;
      if (!same_file(f.train, working.path(working.train_text()))) a.train = f.train;
      break;
    default: a.path = f.output;
  }
  return {};
}

}  // namespace

SettingsOutcome apply_scenario_file(Arguments& a) {
  if (!takes_scenario_file(a)) return {};
  const std::string path = nearest_scenario_file();
  if (path.empty()) {
    if (a.command == Subcommand::kInspect || a.command == Subcommand::kPlot) {
      const char* word = a.command == Subcommand::kInspect ? "inspect" : "plot";
      return {exit_status::kUsage, std::string(word) + " needs a directory or a compiled file"};
    }
    return {};
  }
  std::string bytes;
  // A scenario file is a short text: a description's limit is far above it.
  if (const FileRead read = read_file(path, bytes, kLongestDescription); !read.is_ok()) {
    return {exit_status::kNoInput, read.status.message()};
  }
  const size_t slash = path.rfind('/');
  const ParsedScenarioFile parsed = parse_scenario_file(bytes, slash == std::string::npos ? "" : path.substr(0, slash));
  if (parsed.fault) return fault(path, parsed.fault->line, parsed.fault->message);
  return take_settings(a, parsed.file, path);
}

}  // namespace scenpack
