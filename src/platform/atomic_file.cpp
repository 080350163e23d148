// The parts of the atomic file that are the same on every system: the
// write buffer, the order of a commit, failure and clean-up, and the
// one-call write.
#include "platform/file_system.h"

#include <cerrno>
#include <cstring>
#include <utility>

#include "platform/error_text.h"
#include "platform/live_temporaries.h"

namespace scenpack {

void AtomicFile::track(const std::string& temp_path) { live_temporaries::add(temp_path); }

void AtomicFile::untrack(const std::string& temp_path) noexcept { live_temporaries::remove(temp_path); }

void remove_unfinished_temporaries() noexcept { live_temporaries::delete_all(); }

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() { discard(); }

void AtomicFile::discard() noexcept {
  (void)close_descriptor();
  if (!temp_path_.empty()) {
    delete_temporary_file();
    untrack(temp_path_);
    temp_path_.clear();
    wide_temp_path_.clear();
  }
}

Status AtomicFile::fail(const char* what, int err) {
  failed_ = true;
  status_ = Status::io_error(what, path_, error_text(err));
  discard();
  return status_;
}

Status AtomicFile::complete() {
  if (failed_) return status_;
  if (completed_) return Status::ok();
  if (fd_ < 0) return fail("cannot write", EBADF);
  if (Status s = flush(); !s.is_ok()) return s;
  if (const int err = close_descriptor(); err != 0) return fail("cannot write", err);
  completed_ = true;
  return Status::ok();
}

Status AtomicFile::commit() {
  if (Status s = complete(); !s.is_ok()) return s;
  if (Status s = replace_target(); !s.is_ok()) return s;
  untrack(temp_path_);
  temp_path_.clear();
  wide_temp_path_.clear();
  return Status::ok();
}

Status AtomicFile::flush() {
  Status s = write_all(buffer_);
  buffer_.clear();
  return s;
}

Status AtomicFile::append(std::string_view bytes) {
  if (failed_) return status_;
  if (fd_ < 0) return fail("cannot write", EBADF);
  if (buffer_.size() + bytes.size() > kBufferSize) {
    Status s = flush();
    if (!s.is_ok()) return s;
  }
  if (bytes.size() >= kBufferSize) return write_all(bytes);  // large pieces go straight out
  buffer_.append(bytes);
  return Status::ok();
}

Status AtomicFile::write_at(uint64_t offset, std::string_view bytes) {
  if (failed_) return status_;
  if (fd_ < 0) return fail("cannot write", EBADF);
  if (Status s = flush(); !s.is_ok()) return s;
  return write_all_at(offset, bytes);
}

Status stage_whole_file(StagedFile& file, std::string_view bytes) {
  if (Status s = file.open(); !s.is_ok()) return s;
  file.expect_size(bytes.size());
  return file.append(bytes);
}

Status write_file_atomically(const std::string& path, std::string_view bytes) {
  AtomicFile f(path);
  if (Status s = stage_whole_file(f, bytes); !s.is_ok()) return s;
  return f.commit();
}

}  // namespace scenpack
