// A file written under a temporary name and put in place by commit(), so
// that the old file (or none) stays whole until the new one is complete.
// AtomicFile is the system's own; a test's disk can hand out one that fails.
#pragma once

#include <cstdint>
#include <string_view>

#include "base/status.h"

namespace scenpack {

class StagedFile {
 public:
  virtual ~StagedFile() = default;
  virtual Status open() = 0;
  virtual Status append(std::string_view bytes) = 0;
  // Writes `bytes` at byte `offset`, after what append() has buffered.
  virtual Status write_at(uint64_t offset, std::string_view bytes) = 0;
  // A hint of the final size; the content does not change.
  virtual void expect_size(uint64_t bytes) = 0;
  // Writes out what is buffered and closes the temporary: it is then whole,
  // but not yet in place. Files that belong together are all completed
  // before any is committed.
  virtual Status complete() = 0;
  // Completes the file when that is not done yet, then puts it in place.
  virtual Status commit() = 0;
};

}  // namespace scenpack
