// A disk that fails on purpose: one operation on the file whose name ends
// in a given text fails as the system would report it, everything else is
// done on the real file system. Deterministic whichever thread asks.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "platform/disk.h"

namespace scenpack::testing_support {

enum class DiskStep { kNone, kRead, kCreate, kWrite, kRename, kDelete };

class FailingDisk final : public Disk {
 public:
  FailingDisk(DiskStep step, std::string file_ending) : step_(step), ending_(std::move(file_ending)) {}

  RegularFileRead read_regular_file(const std::string& path, uint64_t most_bytes) override {
    if (!fails(DiskStep::kRead, path)) return system_disk().read_regular_file(path, most_bytes);
    RegularFileRead out;
    out.present = true;
    out.status = Status::io_error("cannot read", path, "Input/output error");
    return out;
  }
  std::unique_ptr<StagedFile> stage(const std::string& path) override {
    return std::make_unique<File>(*this, path);
  }
  Status remove_file(const std::string& path) override {
    if (fails(DiskStep::kDelete, path)) return Status::io_error("cannot delete", path, "Permission denied");
    return system_disk().remove_file(path);
  }

 private:
  bool fails(DiskStep step, std::string_view path) const {
    return step == step_ && path.size() >= ending_.size() && path.substr(path.size() - ending_.size()) == ending_;
  }

  // The system's staged file, with the chosen step failing.
  class File final : public StagedFile {
   public:
    File(const FailingDisk& disk, std::string path)
        : disk_(disk), path_(std::move(path)), real_(system_disk().stage(path_)) {}
    Status open() override {
      if (!real_) return failed_;
      if (disk_.fails(DiskStep::kCreate, path_)) return failure("cannot create", "Permission denied");
      return real_->open();
    }
    Status append(std::string_view bytes) override {
      if (!real_) return failed_;
      if (disk_.fails(DiskStep::kWrite, path_)) return failure("cannot write", "No space left on device");
      return real_->append(bytes);
    }
    Status write_at(uint64_t offset, std::string_view bytes) override {
      if (!real_) return failed_;
      if (disk_.fails(DiskStep::kWrite, path_)) return failure("cannot write", "No space left on device");
      return real_->write_at(offset, bytes);
    }
    void expect_size(uint64_t bytes) override {
      if (real_) real_->expect_size(bytes);
    }
    Status complete() override {
      if (!real_) return failed_;
      return real_->complete();
    }
    Status commit() override {
      if (!real_) return failed_;
      if (disk_.fails(DiskStep::kRename, path_)) return failure("cannot rename", "Permission denied");
      return real_->commit();
    }

   private:
    // The real temporary goes when the real file is dropped uncommitted.
    Status failure(const char* what, const char* reason) {
      real_.reset();
      failed_ = Status::io_error(what, path_, reason);
      return failed_;
    }
    const FailingDisk& disk_;
    std::string path_;
    std::unique_ptr<StagedFile> real_;
    Status failed_;
  };

  DiskStep step_;
  std::string ending_;
};

}  // namespace scenpack::testing_support
