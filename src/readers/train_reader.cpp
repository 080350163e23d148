#include "readers/train_reader.h"

namespace scenpack {

Status read_train_description(Tables& t, const ScenarioFiles& files, int32_t board_record) {
  (void)t;
  (void)files;
  (void)board_record;
  return Status::ok();
}

}  // namespace scenpack
