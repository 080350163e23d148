#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

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

// Names compared by directory entry (whether the file exists or not) and by
// the file they reach.
TEST(SameFile, ByEntryOrByIdentity) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("sub"));
  testing_support::spit(dir.file("real"), "r");
  testing_support::spit(dir.file("twin"), "r");
  ASSERT_EQ(::symlink(dir.file("real").c_str(), dir.file("link").c_str()), 0);
  struct Case {
    std::string a, b;
    bool same;
  } cases[] = {
      {dir.file("new"), dir.path() + "/./new", true},
      {dir.file("new"), dir.file("sub/../new"), true},
      {dir.file("new"), dir.file("sub/new"), false},
      {dir.file("new"), dir.file("New"), false},
      {dir.file("real"), dir.file("link"), true},
      {dir.file("real"), dir.file("twin"), false},
      {dir.file("none/new"), dir.file("none/new"), false},  // no such directory: nothing is named
      {dir.file("sub"), dir.file("sub/."), true},
      {dir.file("sub/.."), dir.file("sub/../sub/.."), true},
  };
  for (const Case& c : cases) EXPECT_EQ(same_file(c.a, c.b), c.same) << c.a << " | " << c.b;
}

}  // namespace
}  // namespace scenpack
