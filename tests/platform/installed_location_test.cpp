#include "platform/program_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

TEST(InstalledLocation, IsABinFolderBesideAShareFolder) {
  TempDir installed, bare, build;
  for (const char* dir : {"bin", "share/doc"}) std::filesystem::create_directories(fs_path(installed.file(dir)));
  std::filesystem::create_directories(fs_path(bare.file("bin")));
  std::filesystem::create_directories(fs_path(build.file("build")));
  std::filesystem::create_directories(fs_path(build.file("share")));
  EXPECT_TRUE(is_installed_location(installed.file("bin")));
  EXPECT_FALSE(is_installed_location(bare.file("bin")));    // no share beside it
  EXPECT_FALSE(is_installed_location(build.file("build")));  // a build folder
  EXPECT_FALSE(is_installed_location(installed.path()));
}

}  // namespace
}  // namespace scenpack
