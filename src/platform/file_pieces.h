// What a path names, and a file read in pieces (base/piece_source.h) for
// the commands that read compiled files. Paths are UTF-8 text (on Windows
// turned into wide names, so that a folder such as "città" opens).
#pragma once

#include <cstdint>
#include <string>

#include "base/piece_source.h"
#include "base/status.h"

namespace scenpack {

enum class PathKind { kMissing, kFile, kDirectory };
PathKind path_kind(const std::string& path);

class FilePieces : public PieceSource {
 public:
  FilePieces() = default;
  FilePieces(const FilePieces&) = delete;
  FilePieces& operator=(const FilePieces&) = delete;
  ~FilePieces() override;

  // Opens the file ("cannot read PATH: reason" on failure), without waiting
  // for a FIFO's writer: anything but a regular file (a directory, a FIFO,
  // a device) is refused. The pieces never go past the size seen here.
  Status open(const std::string& path);
  uint64_t size() const override { return size_; }
  void seek(uint64_t at) override;
  size_t next(char* into, size_t n) override;
  // A read that failed midway ("cannot read PATH: reason"), ok otherwise:
  // next() then gives 0, as at the end.
  const Status& failure() const { return failure_; }

 private:
  int fd_ = -1;
  std::string path_;
  uint64_t size_ = 0;
  uint64_t given_ = 0;  // bytes handed out since the start
  Status failure_;
};

}  // namespace scenpack
