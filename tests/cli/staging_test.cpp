#include "cli/staging.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

TEST(Staging, ReadsByteForByteAndLeavesTheWorkingFile) {
  TempDir dir;
  std::string bytes("a\0b\r\n\xff", 6);
  spit(dir.file("src"), bytes);
  spit(dir.file("work"), std::string(100, 'x'));
  std::string read;
  EXPECT_EQ(read_source(dir.file("src"), {dir.file("work")}, read).error, StageError::kNone);
  EXPECT_EQ(read, bytes);
  EXPECT_EQ(slurp(dir.file("work")), std::string(100, 'x'));
  EXPECT_EQ(slurp(dir.file("src")), bytes);
}

TEST(Staging, IdentityIsTheFileNotItsSpelling) {
  TempDir dir;
  spit(dir.file("work"), "w");
  spit(dir.file("other"), "w");
  std::filesystem::create_hard_link(fs_path(dir.file("work")), fs_path(dir.file("hard")));
  const std::vector<std::string> touched = {dir.file("missing"), dir.file("work")};
  struct Case {
    std::string source;
    StageError error;
  } cases[] = {
      {dir.file("other"), StageError::kNone},
      {dir.file("hard"), StageError::kUsage},
      {dir.path() + "//./work", StageError::kUsage},
      {dir.file("missing"), StageError::kUnreadable},
      {dir.path(), StageError::kUnreadable},
  };
  for (const Case& c : cases) {
    std::string bytes;
    EXPECT_EQ(read_source(c.source, touched, bytes).error, c.error) << c.source;
    EXPECT_EQ(bytes, c.error == StageError::kNone ? "w" : "") << c.source;
  }
}

}  // namespace
}  // namespace scenpack
