// The scenario file, "scenpack.ini": what an author's scenario is made of,
// so that no command needs --line, --train, --name, --number or --dir.
//
//   # comments start with '#'
//   name   = Valdora1             the scenario's name
//   number = 12                   the train number
//   line   = Valdora1_linea.txt   the line description (default NAME_linea.txt)
//   train  = Valdora1_12-.txt     the train description (default NAME_NUM-.txt)
//   output = .                    where the compiled files go (default: the file's folder)
//
// Paths are relative to the folder that holds the file. Blanks around keys
// and values are ignored; a value may be quoted with double quotes to keep
// them. Every key may be given once.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace scenpack {

inline constexpr std::string_view kScenarioFileName = "scenpack.ini";

struct ScenarioFile {
  std::string folder;  // the folder that holds the file ("" for the current one)
  std::string name;
  std::string number;
  std::string line;    // paths as resolved against `folder`
  std::string train;
  std::string output;
};

struct ScenarioFileFault {
  int line = 0;  // 1-based line of the file, 0 for the file as a whole
  std::string message;
};

struct ParsedScenarioFile {
  ScenarioFile file;
  std::optional<ScenarioFileFault> fault;
};

// Reads the file's bytes; `folder` is where it was found.
ParsedScenarioFile parse_scenario_file(std::string_view bytes, const std::string& folder);

// `path` resolved against `folder` (an absolute path is kept).
std::string path_in_folder(const std::string& folder, const std::string& path);

}  // namespace scenpack
