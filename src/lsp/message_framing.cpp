#include "lsp/message_framing.h"

#include <algorithm>
#include <cstdint>

namespace scenpack {
namespace {

constexpr size_t kChunk = 1 << 16;

bool equal_nocase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string_view trimmed(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// A decimal number of at most 18 digits, nothing else.
bool decimal(std::string_view s, uint64_t& value) {
  if (s.empty() || s.size() > 18) return false;
  value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return true;
}

}  // namespace

bool MessageReader::byte(char& c) {
  if (buffered_at_ == buffer_.size()) {
    buffer_.resize(kChunk);
    const size_t got = source_(buffer_.data(), buffer_.size());
    buffer_.resize(std::min(got, kChunk));
    buffered_at_ = 0;
    if (buffer_.empty()) return false;
  }
  c = buffer_[buffered_at_++];
  return true;
}

bool MessageReader::header_line(std::string& line, bool& too_long) {
  line.clear();
  too_long = false;
  char c = 0;
  while (byte(c)) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    if (line.size() <= kLongestHeaderLine) line += c;
    else too_long = true;
  }
  return false;
}

MessageReader::Header MessageReader::read_header_block() {
  Header h;
  std::string problem;
  bool has_length = false;
  uint64_t value = 0;
  std::string line;
  bool too_long = false;
  for (size_t lines = 0;; ++lines) {
    if (!header_line(line, too_long)) {
      h.ended = true;
      return h;
    }
    if (line.empty() && !too_long) {
      if (lines == 0) continue;  // blank lines between messages are passed over
      break;
    }
    if (!problem.empty()) continue;  // the rest of a bad block is passed over
    if (too_long || lines >= kMostHeaderLines) {
      problem = "header line longer than " + std::to_string(kLongestHeaderLine) + " bytes or too many header lines";
      continue;
    }
    const size_t colon = line.find(':');
    if (colon == std::string::npos) {
      problem = "header line without a colon";
      continue;
    }
    const std::string_view name = trimmed(std::string_view(line).substr(0, colon));
    if (!equal_nocase(name, "Content-Length")) continue;  // Content-Type and others are not needed
    if (!decimal(trimmed(std::string_view(line).substr(colon + 1)), value)) {
      problem = "Content-Length is not a whole number";
      continue;
    }
    has_length = true;
  }
  if (problem.empty() && !has_length) problem = "header without Content-Length";
  h.problem = problem;
  h.length = static_cast<size_t>(std::min<uint64_t>(value, SIZE_MAX));
  h.too_large = problem.empty() && value > largest_;
  return h;
}

void MessageReader::skip(size_t count) {
  char c = 0;
  while (count > 0) {
    const size_t ready = buffer_.size() - buffered_at_;
    if (ready > 0) {
      const size_t n = std::min(ready, count);
      buffered_at_ += n;
      count -= n;
      continue;
    }
    if (!byte(c)) return;
    --count;
  }
}

Frame MessageReader::next() {
  skip(pending_skip_);
  pending_skip_ = 0;
  Frame f;
  const Header h = read_header_block();
  if (h.ended) return f;  // kEnd
  if (h.too_large) {
    // Reported at once; its content is passed over at the next read.
    pending_skip_ = h.length;
    f.kind = Frame::Kind::kTooLarge;
    f.problem = "message of " + std::to_string(h.length) + " bytes, above the limit of " + std::to_string(largest_);
    return f;
  }
  if (!h.problem.empty()) {
    f.kind = Frame::Kind::kMalformed;
    f.problem = h.problem;
    return f;
  }
  const size_t length = h.length;
  f.content.reserve(length);
  char c = 0;
  while (f.content.size() < length) {
    const size_t ready = buffer_.size() - buffered_at_;
    if (ready > 0) {
      const size_t n = std::min(ready, length - f.content.size());
      f.content.append(buffer_, buffered_at_, n);
      buffered_at_ += n;
      continue;
    }
    if (!byte(c)) {
      f.content.clear();
      return f;  // kEnd: the input ended inside the content
    }
    f.content += c;
  }
  f.kind = Frame::Kind::kMessage;
  return f;
}

}  // namespace scenpack
