// The result of an operation on the file system: ok, or the file and the
// system's error text. Failures travel as values, never as exceptions.
#pragma once

#include <string>
#include <utility>

namespace scenpack {

class Status {
 public:
  Status() = default;
  static Status ok() { return Status(); }
  // `what` is a short verb phrase: "cannot write", "cannot read", ...
  static Status io_error(std::string what, std::string path, std::string reason) {
    Status s;
    s.failed_ = true;
    s.path_ = std::move(path);
    s.message_ = std::move(what) + " " + s.path_ + ": " + std::move(reason);
    return s;
  }
  bool is_ok() const { return !failed_; }
  const std::string& path() const { return path_; }
  // "cannot write DIR/FILE: No space left on device"
  const std::string& message() const { return message_; }

 private:
  bool failed_ = false;
  std::string path_;
  std::string message_;
};

}  // namespace scenpack
