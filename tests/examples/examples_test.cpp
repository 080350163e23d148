// The examples/ folder: the guide's example is the very files the guide
// shows, and every example builds, with the command its README gives (and
// with none when its scenario file names the scenario), with no fault and
// no warning.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/fenced_blocks.h"
#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

const std::string kExamples = std::string(SCENPACK_SOURCE_DIR) + "/examples";

std::vector<std::string> words_of(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string w; in >> w;) out.push_back(w);
  return out;
}

std::vector<std::string> example_folders() {
  std::vector<std::string> folders;
  for (const std::string& name : names_in(kExamples)) {
    if (std::filesystem::is_directory(fs_path(kExamples + "/" + name))) folders.push_back(name);
  }
  return folders;
}

TEST(Examples, TheGuidesExampleIsTheFilesTheGuideShows) {
  const std::map<std::string, std::string> guide =
      fenced_blocks(slurp(std::string(SCENPACK_SOURCE_DIR) + "/docs/descriptions.md"));
  const std::map<std::string, std::string> readme = fenced_blocks(slurp(kExamples + "/valle/README.md"));
  for (const char* name : {"linea_valle.txt", "treno_valle.txt"}) {
    ASSERT_TRUE(guide.count(std::string("text ") + name)) << name << " is no longer in the guide";
    EXPECT_EQ(slurp(kExamples + "/valle/" + name), guide.at(std::string("text ") + name)) << name;
  }
  ASSERT_TRUE(guide.count("sh") && readme.count("sh"));
  EXPECT_EQ(readme.at("sh"), guide.at("sh"));
}

TEST(Examples, EachBuildsWithNoFaultAndNoWarning) {
  const std::vector<std::string> folders = example_folders();
  EXPECT_GE(folders.size(), 2u);
  for (const std::string& folder : folders) {
    SCOPED_TRACE(folder);
    const std::string source = kExamples + "/" + folder;
    const std::map<std::string, std::string> readme = fenced_blocks(slurp(source + "/README.md"));
    ASSERT_TRUE(readme.count("sh")) << "its README gives no command";
    std::vector<std::string> build = words_of(readme.at("sh"));
    ASSERT_GE(build.size(), 2u);
    ASSERT_EQ(build[0], "scenpack");
    ASSERT_EQ(build[1], "build");
    build.erase(build.begin());

    TempDir dir;
    for (const std::string& name : names_in(source)) {
      std::filesystem::copy_file(fs_path(source + "/" + name), fs_path(dir.file(name)));
    }
    std::vector<std::string> check = build;
    check[0] = "check";
    const ExeResult checked = run_scenpack(dir.path(), check);
    EXPECT_EQ(checked.out, "0 errors, 0 warnings\n");
    EXPECT_EQ(checked.status, 0);
    // Its scenario file names the same scenario: check needs no option.
    if (std::filesystem::exists(fs_path(source + "/scenpack.ini"))) {
      const ExeResult by_file = run_scenpack(dir.path(), {"check"});
      EXPECT_EQ(by_file.out, "0 errors, 0 warnings\n");
      EXPECT_EQ(by_file.status, 0) << by_file.err;
    }
    const ExeResult built = run_scenpack(dir.path(), build);
    EXPECT_EQ(built.status, 0);
    EXPECT_EQ(built.err, "");
    EXPECT_EQ(built.out, "");
  }
}

}  // namespace
}  // namespace scenpack
