#include "driver/scenario_texts.h"

#include "platform/file_system.h"
#include "sources/emission.h"

namespace scenpack {

Status write_scenario_texts(const ScenarioFiles& files, std::vector<std::string>* written) {
  for (const ScenarioText& text : scenario_texts(files)) {
    Status status = write_file_atomically(files.path(text.name), text.bytes);
    if (!status.is_ok()) return status;
    if (written != nullptr) written->push_back(text.name);
  }
  return Status::ok();
}

}  // namespace scenpack
