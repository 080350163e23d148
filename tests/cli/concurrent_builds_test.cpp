// Builds into one directory at the same time take turns: every set of
// outputs is one build's; through the real executable.
#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

std::vector<std::string> outputs_in(const TempDir& dir) {
  std::vector<std::string> bytes;
  for (const std::string& name : kCompiledFiles) bytes.push_back(slurp(dir.file(name)));
  return bytes;
}

// Two scenarios, A (the program's own) and B (a shorter route, a slower
// train), are built again and again side by side into one directory, each
// from descriptions named with --line and --train. Whichever finishes last,
// the three files are all A's or all B's; both builds succeed (the second
// one said once that it waited), and no working copy is left.
TEST(ConcurrentBuilds, EverySetOfOutputsIsOneBuilds) {
  TempDir sources, alone_a, alone_b;
  ASSERT_EQ(run_scenpack(sources.path(), {"emit", "--dir", sources.path()}).status, 0);
  std::filesystem::rename(fs_path(sources.file("Tarvena1_linea.txt")), fs_path(sources.file("a_line.txt")));
  std::filesystem::rename(fs_path(sources.file("Tarvena1_84-.txt")), fs_path(sources.file("a_train.txt")));
  std::string line = slurp(sources.file("a_line.txt"));
  line.replace(line.find("270000"), 6, "265000");
  spit(sources.file("b_line.txt"), line);
  std::string train = slurp(sources.file("a_train.txt"));
  train.replace(train.find("sabbia,    300"), 14, "sabbia,    200");
  spit(sources.file("b_train.txt"), train);
  const auto build = [&](const std::string& dir, const std::string& which) {
    return run_scenpack(dir, {"build", "--quiet", "-w", "--line", sources.file(which + "_line.txt"), "--train",
                              sources.file(which + "_train.txt")});
  };
  ASSERT_EQ(build(alone_a.path(), "a").status, 0);
  ASSERT_EQ(build(alone_b.path(), "b").status, 0);
  const std::vector<std::string> a = outputs_in(alone_a), b = outputs_in(alone_b);
  for (size_t i = 0; i < a.size(); ++i) ASSERT_NE(a[i], b[i]) << kCompiledFiles[i];

  const std::string waited = "scenpack: waiting for another build in . to finish\n";
  TempDir shared;
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE(round);
    ExeResult first, second;
    std::thread other([&] { second = build(shared.path(), "b"); });
    first = build(shared.path(), "a");
    other.join();
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(second.status, 0) << second.err;
    for (const ExeResult* r : {&first, &second}) EXPECT_TRUE(r->err.empty() || r->err == waited) << r->err;
    const std::vector<std::string> got = outputs_in(shared);
    EXPECT_TRUE(got == a || got == b);
    EXPECT_EQ(shared.names(), kCompiledFiles);
  }
}

}  // namespace
}  // namespace scenpack
