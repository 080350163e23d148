// Inputs that are not regular files, or far too large, are refused at once
// (exit 66) instead of hanging or filling the memory; through the real
// executable.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

#ifndef _WIN32
// A FIFO nobody writes into (reading it would wait for ever) and a link to
// /dev/zero (reading it would never end), as every input of every command.
TEST(InputFiles, AFifoOrADeviceIsRefusedWithoutWaitingOrReading) {
  TempDir dir;
  ASSERT_EQ(::mkfifo(dir.file("fifo.txt").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo(dir.file("Tarvena1_84.sim").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", fs_path(dir.file("zero.txt")));
  std::filesystem::create_symlink("/dev/zero", fs_path(dir.file("Tarvena1_84.dat")));
  const struct {
    std::vector<std::string> args;
    std::string err;
  } cases[] = {
      {{"build", "--line", "fifo.txt"}, "scenpack: cannot read fifo.txt: not a regular file\n"},
      {{"build", "--train", "zero.txt"}, "scenpack: cannot read zero.txt: not a regular file\n"},
      {{"check", "--line", "zero.txt"}, "scenpack: cannot read zero.txt: not a regular file\n"},
      {{"inspect", "Tarvena1_84.sim"}, "scenpack: cannot read Tarvena1_84.sim: not a regular file\n"},
      {{"plot", "Tarvena1_84.dat"}, "scenpack: cannot read Tarvena1_84.dat: not a regular file\n"},
      {{"inspect", "."}, "scenpack: cannot read ./Tarvena1_84.sim: not a regular file\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args[0] + " " + c.args[1]);
    std::vector<std::string> args = c.args;
    if (args[0] == "build") args.push_back("--quiet");
    const ExeResult r = run_scenpack(dir.path(), args);
    EXPECT_EQ(r.status, 66);
    EXPECT_EQ(r.err, c.err);
  }
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"Tarvena1_84.dat", "Tarvena1_84.sim", "fifo.txt", "zero.txt"}));
}
#endif

// A sparse file of 10 GB is refused from its size before a byte is read:
// as a description with 66, as a compiled file with 65 (no build writes
// one that long).
TEST(InputFiles, AFileLargerThanItsKindCanBeIsRefusedFromItsSize) {
  TempDir dir;
  constexpr std::uintmax_t kTenGigabytes = std::uintmax_t{10} << 30;
  for (const char* name : {"huge.txt", "Huge_1.sim"}) {
    spit(dir.file(name), "");
    std::error_code ec;
    std::filesystem::resize_file(fs_path(dir.file(name)), kTenGigabytes, ec);
    if (ec) GTEST_SKIP() << "no sparse file of 10 GB here: " << ec.message();
  }
  const ExeResult line = run_scenpack(dir.path(), {"build", "--quiet", "--line", "huge.txt"});
  EXPECT_EQ(line.status, 66);
  EXPECT_EQ(line.err,
            "scenpack: cannot read huge.txt: 10737418240 bytes, more than the 268435456 a file of its kind can have\n");
  const ExeResult records = run_scenpack(dir.path(), {"inspect", "Huge_1.sim"});
  EXPECT_EQ(records.status, 65);
  EXPECT_EQ(records.err.rfind("scenpack: Huge_1.sim: byte ", 0), 0u) << records.err;
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"Huge_1.sim", "huge.txt"}));
}

}  // namespace
}  // namespace scenpack
