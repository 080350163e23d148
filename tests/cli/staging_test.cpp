#include "cli/staging.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

TEST(Staging, CopiesByteForByteOverAnOlderWorkingFile) {
  TempDir dir;
  std::string bytes("a\0b\r\n\xff", 6);
  spit(dir.file("src"), bytes);
  spit(dir.file("work"), std::string(100, 'x'));
  EXPECT_EQ(copy_source(dir.file("src"), dir.file("work")).error, StageError::kNone);
  EXPECT_EQ(slurp(dir.file("work")), bytes);
  EXPECT_EQ(slurp(dir.file("src")), bytes);
}

TEST(Staging, IdentityIsTheFileNotItsSpelling) {
  TempDir dir;
  spit(dir.file("work"), "w");
  spit(dir.file("other"), "w");
  ASSERT_EQ(::link(dir.file("work").c_str(), dir.file("hard").c_str()), 0);
  const std::vector<std::string> touched = {dir.file("missing"), dir.file("work")};
  EXPECT_EQ(check_source(dir.file("other"), touched).error, StageError::kNone);
  EXPECT_EQ(check_source(dir.file("hard"), touched).error, StageError::kUsage);
  EXPECT_EQ(check_source(dir.path() + "//./work", touched).error, StageError::kUsage);
  EXPECT_EQ(check_source(dir.file("missing"), touched).error, StageError::kUnreadable);
  EXPECT_EQ(check_source(dir.path(), touched).error, StageError::kUnreadable);
}

}  // namespace
}  // namespace scenpack
