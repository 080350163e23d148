#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/temp_dir.h"

namespace scenpack {
namespace {

using testing_support::slurp;
using testing_support::TempDir;

mode_t permissions_of(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

// A replaced file gets the mode any new file gets (0644 less the umask),
// and the umask is left as it was.
TEST(AtomicFile, NewFileTakesTheProcessUmask) {
  TempDir dir;
  const mode_t saved = ::umask(022);
  for (mode_t mask : {022, 077, 002}) {
    ::umask(mask);
    const std::string path = dir.file("out.dat");
    ASSERT_TRUE(write_file_atomically(path, "abc").is_ok());
    EXPECT_EQ(permissions_of(path), 0644 & ~mask) << std::oct << mask;
    EXPECT_EQ(::umask(mask), mask);
  }
  ::umask(saved);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"out.dat"});
  EXPECT_EQ(slurp(dir.file("out.dat")), "abc");
}

}  // namespace
}  // namespace scenpack
