#include "platform/disk.h"

namespace scenpack {
namespace {

class SystemDisk final : public Disk {
 public:
  RegularFileRead read_regular_file(const std::string& path, uint64_t most_bytes) override {
    return scenpack::read_regular_file(path, most_bytes);
  }
  std::unique_ptr<StagedFile> stage(const std::string& path) override { return std::make_unique<AtomicFile>(path); }
  Status remove_file(const std::string& path) override { return scenpack::remove_file(path); }
};

}  // namespace

Disk& system_disk() {
  static SystemDisk disk;
  return disk;
}

}  // namespace scenpack
