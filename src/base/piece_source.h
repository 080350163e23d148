// Bytes read in pieces from the start, as often as asked: a file of 20 MB
// (the route map of the longest route) is gone through without being held
// whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace scenpack {

class PieceSource {
 public:
  virtual ~PieceSource() = default;
  // How many bytes there are.
  virtual uint64_t size() const = 0;
  // Goes on from byte `at` (at most size()).
  virtual void seek(uint64_t at) = 0;
  void restart() { seek(0); }
  // Copies the next bytes, at most n, into `into`; how many (0 at the end).
  virtual size_t next(char* into, size_t n) = 0;
};

// Bytes already in memory as a source.
class TextPieces : public PieceSource {
 public:
  explicit TextPieces(std::string_view bytes) : bytes_(bytes) {}
  uint64_t size() const override { return bytes_.size(); }
  void seek(uint64_t at) override { at_ = at < bytes_.size() ? static_cast<size_t>(at) : bytes_.size(); }
  size_t next(char* into, size_t n) override {
    const size_t k = n < bytes_.size() - at_ ? n : bytes_.size() - at_;
    if (k > 0) std::memcpy(into, bytes_.data() + at_, k);
    at_ += k;
    return k;
  }

 private:
  std::string_view bytes_;
  size_t at_ = 0;
};

}  // namespace scenpack
