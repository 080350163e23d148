// Where --report writes: into a device or a FIFO as it is, through a link to
// the file it names, never over a directory; through the real executable.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>
#endif

#include <filesystem>
#include <thread>

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

const std::string kReportStart = "{\"exit_status\": 0, ";

TEST(ReportTarget, ADirectoryOrNoNameIsRefusedBeforeTheRun) {
  TempDir dir;
  std::filesystem::create_directory(fs_path(dir.file("reports")));
  const ExeResult into_directory = run_scenpack(dir.path(), {"build", "--quiet", "--report", "reports"});
  EXPECT_EQ(into_directory.status, 64);
  EXPECT_EQ(into_directory.err, "scenpack: --report reports: Is a directory\n");
  const ExeResult no_name = run_scenpack(dir.path(), {"build", "--quiet", "--report", ""});
  EXPECT_EQ(no_name.status, 64);
  EXPECT_EQ(no_name.err,
            "scenpack: an option's file or directory is empty\nTry 'scenpack --help' for more information.\n");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"reports"});
  EXPECT_TRUE(std::filesystem::is_empty(fs_path(dir.file("reports"))));
}

#ifndef _WIN32
// A directory with the program's own descriptions in it, ready to build.
void emit_into(const TempDir& dir) { ASSERT_EQ(run_scenpack(dir.path(), {"emit"}).status, 0); }

bool is_character_device(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

// A report into a device node goes into the device: the node stays what it
// was (made where the system lets us, as root; /dev/null itself otherwise).
TEST(ReportTarget, ADeviceIsWrittenIntoAndKeptADevice) {
  TempDir dir;
  emit_into(dir);
  std::string device = dir.file("null");
  if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0) device = "/dev/null";
  const ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--report", device});
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_TRUE(is_character_device(device));
  // And /dev/stdout is the run's standard output.
  const ExeResult out = run_scenpack(dir.path(), {"build", "--quiet", "--report", "/dev/stdout"});
  EXPECT_EQ(out.status, 0) << out.err;
  EXPECT_EQ(out.out.rfind(kReportStart, 0), 0u) << out.out;
}

// A FIFO is written into, as a shell's ">" does, while another reads it.
TEST(ReportTarget, AFifoIsWrittenIntoForItsReader) {
  TempDir dir;
  emit_into(dir);
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string read;
  std::thread reader([&] { read = slurp(fifo); });
  const ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--report", "fifo"});
  reader.join();
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(read.rfind(kReportStart, 0), 0u) << read;
  struct stat st {};
  EXPECT_TRUE(::lstat(fifo.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
}

// A symbolic link is followed: the file it names gets the report (made
// when it is not there yet), the link stays a link.
TEST(ReportTarget, ALinkIsFollowedToTheFileItNames) {
  TempDir dir;
  emit_into(dir);
  std::filesystem::create_directory(fs_path(dir.file("kept")));
  std::filesystem::create_symlink("kept/report.json", fs_path(dir.file("latest.json")));
  std::filesystem::create_symlink("latest.json", fs_path(dir.file("chain.json")));
  for (const std::string name : {"latest.json", "chain.json"}) {
    const ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--report", name});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::filesystem::is_symlink(fs_path(dir.file(name))));
    EXPECT_EQ(slurp(dir.file("kept/report.json")).rfind(kReportStart, 0), 0u);
    EXPECT_EQ(names_in(dir.file("kept")), std::vector<std::string>{"report.json"});
  }
}

TEST(ReportTarget, ASocketIsRefused) {
  TempDir dir;
  const std::string path = dir.file("s");
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path.size(), sizeof address.sun_path);
  path.copy(address.sun_path, path.size());
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  const ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--report", "s"});
  ::close(fd);
  EXPECT_EQ(r.status, 64);
  EXPECT_EQ(r.err, "scenpack: --report s: a socket, not a file\n");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"s"});
}
#endif

}  // namespace
}  // namespace scenpack
