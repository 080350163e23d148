// The base protocol's framing: each message is a header block of
// "Name: value" lines, each ended by CR LF, then a blank line, then exactly
// Content-Length bytes of content.
//
// The reader takes its bytes from a source (the editor's pipe, a string in
// a test) and never trusts them: a header line, a header block and a
// message have upper bounds, a malformed header block is reported and
// passed over, and a message that is too large is reported as soon as its
// header is read, its content then skipped as it arrives, never held.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace scenpack {

// Reads up to `size` bytes into `buffer`; 0 at the end of the input.
using ByteSource = std::function<size_t(char* buffer, size_t size)>;

struct Frame {
  enum class Kind {
    kMessage,    // `content` holds one message's bytes
    kMalformed,  // the header block could not be used; `problem` says why
    kTooLarge,   // Content-Length above the limit; its content was skipped
    kEnd,        // the input ended (any partial message is dropped)
  };
  Kind kind = Kind::kEnd;
  std::string content;
  std::string problem;
};

class MessageReader {
 public:
  static constexpr size_t kLongestHeaderLine = 1024;
  static constexpr size_t kMostHeaderLines = 32;

  MessageReader(ByteSource source, size_t largest_message)
      : source_(std::move(source)), largest_(largest_message) {}

  // The next frame of the input.
  Frame next();

 private:
  // One byte of the input; false at its end.
  bool byte(char& c);
  // One header line without its CR LF. False at the end of the input;
  // `too_long` set (and the rest of the line passed over) for a line above
  // the limit.
  bool header_line(std::string& line, bool& too_long);
  struct Header {
    size_t length = 0;
    std::string problem;     // "" when the block is usable
    bool too_large = false;  // usable, but its length is above the limit
    bool ended = false;      // the input ended inside it
  };
  Header read_header_block();
  void skip(size_t count);

  ByteSource source_;
  size_t largest_;
  std::string buffer_;
  size_t buffered_at_ = 0;  // next unread byte of buffer_
  size_t pending_skip_ = 0;  // content of a message too large, still to pass over
};

}  // namespace scenpack
