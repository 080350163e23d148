#include "cli/init_command.h"

#include <filesystem>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "driver/scenario_file.h"
#include "model/file_names.h"
#include "platform/file_system.h"
#include "sources/line_text.h"
#include "sources/text_lines.h"
#include "sources/train_text.h"

namespace scenpack {
namespace {

std::string scenario_file_text(const ScenarioFiles& f) {
  return "# The scenario: build, check, inspect and plot run in this folder or\n"
         "# below it, without --line, --train or --dir, take it from here.\n"
         "name = " + f.nome_scenario + "\n"
         "number = " + f.numero_treno + "\n"
         "line = " + f.line_text() + "\n"
         "train = " + f.train_text() + "\n"
         "output = .\n";
}

}  // namespace

RunReport start_scenario(const Arguments& a) {
  RunReport r;
  r.dir = a.dir.value_or(".");
  const ScenarioFiles files{r.dir, a.name, a.number};
  const std::vector<std::pair<std::string, std::string>> written = {
      {files.path(std::string(kScenarioFileName)), scenario_file_text(files)},
      {files.path(files.line_text()), render_text_lines(line_description_lines())},
      {files.path(files.train_text()), render_text_lines(train_description_lines())},
  };
  for (const auto& [path, bytes] : written) {
    if (file_exists(path)) return ended(r, exit_status::kIoError, path + " is already there: init writes over nothing");
  }
  std::error_code ec;
  std::filesystem::create_directories(std::filesystem::path(std::u8string(r.dir.begin(), r.dir.end())), ec);
  if (ec) return ended(r, exit_status::kIoError, "cannot create " + r.dir + ": " + ec.message());
  for (const auto& [path, bytes] : written) {
    if (Status s = write_file_atomically(path, bytes); !s.is_ok()) return ended(r, exit_status::kIoError, s.message());
    r.texts.push_back(path);
  }
  r.exit_status = exit_status::kOk;
  return r;
}

}  // namespace scenpack
