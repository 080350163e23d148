// Which line description goes with which train description. The scenario
// file ("scenpack.ini" in the document's folder or above it, the nearest
// one) says so when it names the document; otherwise the working names do:
// NAME_linea.txt goes with NAME_NUM-.txt in the same folder.
#pragma once

#include <optional>
#include <string>

#include "driver/scenario_file.h"
#include "lsp/workspace.h"
#include "readers/record_catalogue.h"

namespace scenpack {

struct DescriptionPair {
  DescriptionKind kind = DescriptionKind::kLine;  // the document's own kind
  std::string line_path;   // "" when no line description was found
  std::string train_path;  // "" when no train description was found
  std::string name = "Tarvena1";
  std::string number = "84";
  // A scenario file that could not be used, and where it is.
  std::string scenario_path;
  std::optional<ScenarioFileFault> scenario_fault;
};

// The pair of the document at `path` with UTF-8 text `text`.
DescriptionPair pair_of(const std::string& path, const std::string& text, Workspace& files);

// The folder of a path ("" for a bare name) and its last part.
std::string folder_of(const std::string& path);
std::string base_name(const std::string& path);

}  // namespace scenpack
