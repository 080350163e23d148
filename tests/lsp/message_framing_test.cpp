#include "lsp/message_framing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace scenpack {
namespace {

// A source that hands out `input` at most `piece` bytes a read, as a pipe may.
ByteSource source_of(const std::string& input, size_t piece) {
  auto at = std::make_shared<size_t>(0);
  return [input, piece, at](char* buffer, size_t size) {
    const size_t n = std::min({size, piece, input.size() - *at});
    std::copy_n(input.data() + *at, n, buffer);
    *at += n;
    return n;
  };
}

// Every frame of the input, "kind:content-or-problem".
std::vector<std::string> frames_of(const std::string& input, size_t piece = 1 << 20, size_t largest = 100) {
  MessageReader reader(source_of(input, piece), largest);
  std::vector<std::string> out;
  for (int guard = 0; guard < 100; ++guard) {
    const Frame f = reader.next();
    switch (f.kind) {
      case Frame::Kind::kMessage: out.push_back("message:" + f.content); break;
      case Frame::Kind::kMalformed: out.push_back("malformed:" + f.problem); break;
      case Frame::Kind::kTooLarge: out.push_back("too large:" + f.problem); break;
      case Frame::Kind::kEnd: return out;
    }
  }
  return out;
}

TEST(MessageFramingTest, FramesAreCutByTheirLengthWhateverTheReadsBring) {
  const std::string input =
      "Content-Length: 5\r\n\r\nhello"
      "content-length:2\r\nContent-Type: application/vscode-jsonrpc; charset=utf-8\r\n\r\n{}"
      "Content-Length: 0\r\n\r\n";
  const std::vector<std::string> expected = {"message:hello", "message:{}", "message:"};
  for (size_t piece : {1, 3, 1000}) EXPECT_EQ(frames_of(input, piece), expected) << piece;
}

TEST(MessageFramingTest, ABadHeaderIsReportedAndTheNextMessageIsRead) {
  const struct {
    const char* header;
    const char* problem;
  } cases[] = {
      {"Content-Length 5\r\n", "header line without a colon"},
      {"Content-Type: text\r\n", "header without Content-Length"},
      {"Content-Length: five\r\n", "Content-Length is not a whole number"},
      {"Content-Length: -5\r\n", "Content-Length is not a whole number"},
      {"Content-Length: 99999999999999999999999\r\n", "Content-Length is not a whole number"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(frames_of(std::string(c.header) + "\r\nContent-Length: 2\r\n\r\nok"),
              (std::vector<std::string>{std::string("malformed:") + c.problem, "message:ok"}))
        << c.header;
  }
}

TEST(MessageFramingTest, AMessageAboveTheLimitIsSkippedUnread) {
  // The length is read, the content passed over as it comes: no buffer of
  // that size is ever made, and what follows is read again.
  EXPECT_EQ(frames_of("Content-Length: 150\r\n\r\n" + std::string(150, 'x') + "Content-Length: 2\r\n\r\nok"),
            (std::vector<std::string>{"too large:message of 150 bytes, above the limit of 100", "message:ok"}));
  EXPECT_EQ(frames_of("Content-Length: 999999999999999999\r\n\r\nabc"),
            (std::vector<std::string>{"too large:message of 999999999999999999 bytes, above the limit of 100"}));
}

TEST(MessageFramingTest, AnEndlessHeaderLineIsNotHeld) {
  const std::string endless(1 << 20, 'a');
  EXPECT_EQ(frames_of(endless + "\r\n\r\nContent-Length: 2\r\n\r\nok"),
            (std::vector<std::string>{"malformed:header line longer than 1024 bytes or too many header lines",
                                      "message:ok"}));
}

TEST(MessageFramingTest, TheInputEndingInsideAMessageEndsTheReading) {
  EXPECT_EQ(frames_of("Content-Length: 10\r\n\r\nabc"), std::vector<std::string>{});
  EXPECT_EQ(frames_of("Content-Len"), std::vector<std::string>{});
  EXPECT_EQ(frames_of(""), std::vector<std::string>{});
}

}  // namespace
}  // namespace scenpack
