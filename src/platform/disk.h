// The file operations of a build, handed to the code that builds: reading
// a description, staging a file under a temporary name and putting it in
// place, deleting a file. system_disk() does them on the real file system;
// a test hands in a disk that fails one of them on purpose, so that every
// failure path runs in-process, whoever runs the tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "base/status.h"
#include "platform/file_system.h"
#include "platform/staged_file.h"

namespace scenpack {

class Disk {
 public:
  virtual ~Disk() = default;
  virtual RegularFileRead read_regular_file(const std::string& path, uint64_t most_bytes) = 0;
  virtual std::unique_ptr<StagedFile> stage(const std::string& path) = 0;
  virtual Status remove_file(const std::string& path) = 0;
};

// The real file system (safe to share between threads).
Disk& system_disk();

}  // namespace scenpack
