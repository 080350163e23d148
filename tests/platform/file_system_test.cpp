#include "platform/file_system.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "support/temp_dir.h"

namespace scenpack {
namespace {

using testing_support::fs_path;
using testing_support::slurp;
using testing_support::spit;
using testing_support::TempDir;

// Names beyond ASCII reach the system whole (wide calls on Windows): every
// operation on a file in "città à/" works and finds what the others did.
TEST(FileSystem, NamesBeyondAsciiWork) {
  TempDir top;
  const std::string dir = top.file("citt\xc3\xa0 \xc3\xa0");
  ASSERT_TRUE(std::filesystem::create_directory(fs_path(dir)));
  const std::string path = dir + "/p\xc3\xa0th.dat";
  ASSERT_TRUE(write_file_atomically(path, std::string("\x1a\r\n\0z", 5)).is_ok());
  EXPECT_TRUE(file_exists(path));
  std::string back;
  ASSERT_TRUE(read_file(path, back, 100).is_ok());
  EXPECT_EQ(back, std::string("\x1a\r\n\0z", 5));  // binary: no CR LF or end-of-file byte handling
  FileIdentity a, b;
  ASSERT_TRUE(identify_file(path, a).is_ok());
  ASSERT_TRUE(identify_file(dir + "/./p\xc3\xa0th.dat", b).is_ok());
  EXPECT_EQ(a, b);
  ASSERT_TRUE(remove_file(path).is_ok());
  EXPECT_FALSE(file_exists(path));
  EXPECT_TRUE(std::filesystem::is_empty(fs_path(dir)));
}

TEST(FileSystem, IdentityTellsFilesApartAndRefusesDirectoriesAndMissingFiles) {
  TempDir dir;
  spit(dir.file("one"), "x");
  spit(dir.file("two"), "x");
  FileIdentity one, two, again;
  ASSERT_TRUE(identify_file(dir.file("one"), one).is_ok());
  ASSERT_TRUE(identify_file(dir.file("two"), two).is_ok());
  ASSERT_TRUE(identify_file(dir.file("one"), again).is_ok());
  EXPECT_FALSE(one == two);
  EXPECT_EQ(one, again);
  FileIdentity none;
  EXPECT_EQ(identify_file(dir.path(), none).message(), "cannot read " + dir.path() + ": Is a directory");
  EXPECT_EQ(identify_file(dir.file("three"), none).message(),
            "cannot read " + dir.file("three") + ": No such file or directory");
}

#ifndef _WIN32
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
#endif

// Names compared by directory entry (whether the file exists or not) and by
// the file they reach.
TEST(SameFile, ByEntryOrByIdentity) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("sub"));
  testing_support::spit(dir.file("real"), "r");
  testing_support::spit(dir.file("twin"), "r");
  std::filesystem::create_hard_link(fs_path(dir.file("real")), fs_path(dir.file("hard")));
  struct Case {
    std::string a, b;
    bool same;
  };
  std::vector<Case> cases = {
      {dir.file("new"), dir.path() + "/./new", true},
      {dir.file("new"), dir.file("sub/../new"), true},
      {dir.file("new"), dir.file("sub/new"), false},
      {dir.file("real"), dir.file("hard"), true},
      {dir.file("real"), dir.file("twin"), false},
      {dir.file("none/new"), dir.file("none/new"), false},  // no such directory: nothing is named
      {dir.file("sub"), dir.file("sub/."), true},
      {dir.file("sub/.."), dir.file("sub/../sub/.."), true},
  };
#ifdef _WIN32
  // Names that differ by case only are one name on Windows, and '\\' separates too.
  cases.push_back({dir.file("new"), dir.file("New"), true});
  cases.push_back({dir.file("new"), dir.path() + "\\sub\\..\\new", true});
#else
  std::filesystem::create_symlink(dir.file("real"), dir.file("link"));
  cases.push_back({dir.file("new"), dir.file("New"), false});
  cases.push_back({dir.file("real"), dir.file("link"), true});
#endif
  for (const Case& c : cases) EXPECT_EQ(same_file(c.a, c.b), c.same) << c.a << " | " << c.b;
}

}  // namespace
}  // namespace scenpack
