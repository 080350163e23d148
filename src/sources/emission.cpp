#include "sources/emission.h"

namespace scenpack {

bool has_embedded_texts() { return false; }

Status emit_scenario_texts(const ScenarioFiles& files, std::vector<std::string>* written) {
  (void)files;
  (void)written;
  return Status::ok();
}

}  // namespace scenpack
