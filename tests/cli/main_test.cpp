// The command-line contract, through the real executable.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <thread>

#include "support/held_open.h"
#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

// A line description whose second text board lands in the first one's
// cell: the build stops at its 510 (fault 6, line 5).
const std::string kTwoBoardsInOneCell =
    "[generale]\r\nlunghezza percorso, 1000\r\n[cartelli]\r\ncartello indicatore, 500, A\r\n"
    "cartello indicatore,   510, B\r\n[fine]\r\n\r\n";

// A path as the report writes it: the directories of Windows paths are
// separated by '\', which JSON escapes.
std::string json_path(const std::string& path) {
  std::string out;
  for (char c : path) out += c == '\\' ? std::string("\\\\") : std::string(1, c);
  return out;
}

TEST(Cli, HelpAndVersionPrintOnStdout) {
  TempDir dir;
  ExeResult help = run_scenpack(dir.path(), {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("\n  build     build the compiled files"), std::string::npos) << help.out;
  EXPECT_EQ(help.err, "");
  ExeResult check_help = run_scenpack(dir.path(), {"check", "--help"});
  EXPECT_EQ(check_help.status, 0);
  EXPECT_EQ(check_help.out.rfind("Usage: scenpack check [--dir DIR]", 0), 0u) << check_help.out;
  EXPECT_EQ(check_help.err, "");
  ExeResult version = run_scenpack(dir.path(), {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, std::string("scenpack ") + SCENPACK_VERSION + "\n");
  EXPECT_EQ(run_scenpack(dir.path(), {"build", "--help"}).status, 0);
  EXPECT_TRUE(dir.names().empty());
}

TEST(Cli, UsageErrorsWriteNothingAndExit64) {
  const std::vector<std::vector<std::string>> cases = {
      {"frobnicate"},
      {"--bogus"},
      {"build", "--dir"},
      {"emit", "--report", "r.json"},
      {"run", "--line", "x"},
      {"build", "--quiet=yes"},
      {"build", "--name", ""},
      {"build", "--name", "../evil"},
      {"build", "--name", "a/b"},
      {"build", "--name", "a\\b"},
      {"build", "--name", ".."},
      {"build", "--name", "x\ny"},
      {"build", "--number", ""},
      {"build", "--number", "8/4"},
      {"build", "--number", "8\x7f"},
  };
  for (const auto& args : cases) {
    SCOPED_TRACE(args.back());
    TempDir dir;
    ExeResult r = run_scenpack(dir.path(), args);
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.err.rfind("scenpack: ", 0), 0u) << r.err;
    EXPECT_NE(r.err.find("Try 'scenpack --help'"), std::string::npos);
    EXPECT_TRUE(dir.names().empty());
  }
}

TEST(Cli, UsageErrorStillWritesTheReport) {
  TempDir dir;
  ExeResult r = run_scenpack(dir.path(), {"build", "--report", "r.json", "--name", "a/b"});
  EXPECT_EQ(r.status, 64);
  EXPECT_EQ(dir.names(), std::vector<std::string>{"r.json"});
  EXPECT_NE(slurp(dir.file("r.json")).find("\"exit_status\": 64"), std::string::npos);
}

// No line description: fault 101 is recorded before the route length is
// read, so there are no cells and no map, yet the build writes its files
// (the record table, an empty ".dat" and an empty map) and says so.
TEST(Cli, BuildInAnEmptyDirectoryWritesTheFilesAndReportsTheOutcome) {
  TempDir dir;
  ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--report", "r.json"});
  std::string report = slurp(dir.file("r.json"));
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find(" Errore n. 101: line description not found\n"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.rfind("Tarvena1_linea.txt: error:", 0), 0u) << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1);
  EXPECT_NE(report.find("\"codice_errore\": 101, \"posizione_errore\": 0,"), std::string::npos) << report;
  EXPECT_NE(report.find("\"files\": [\"Tarvena1_linea.dat\", \"Tarvena1_84.sim\", \"Tarvena1_84.dat\"]"),
            std::string::npos)
      << report;
  std::vector<std::string> want = kCompiledFiles;
  want.push_back("r.json");
  EXPECT_EQ(dir.names(), want);
  EXPECT_EQ(slurp(dir.file("Tarvena1_84.dat")), "");
  EXPECT_EQ(slurp(dir.file("Tarvena1_linea.dat")), "");
  EXPECT_EQ(slurp(dir.file("Tarvena1_84.sim")).size(), 87u * 34 + 8 + 2);
}

TEST(Cli, BuildUsesNameAndNumber) {
  TempDir dir;
  ExeResult r = run_scenpack(dir.path(), {"build", "--name", "Valle", "--number", "7", "--no-map"});
  EXPECT_EQ(r.err.find("Attendere"), std::string::npos);  // stderr is a file here, no terminal
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"Valle_7.dat", "Valle_7.sim"}));
}

TEST(Cli, NoMapLeavesAnOlderMapAlone) {
  TempDir dir;
  spit(dir.file("Tarvena1_linea.dat"), "older map");
  run_scenpack(dir.path(), {"build", "--no-map", "--quiet"});
  EXPECT_EQ(slurp(dir.file("Tarvena1_linea.dat")), "older map");
  EXPECT_TRUE(std::filesystem::exists(dir.file("Tarvena1_84.sim")));
}

TEST(Cli, ReportIsJsonWithEscapedStrings) {
  TempDir dir;
#ifdef _WIN32
  // No Windows name holds '"' or '\\': the directory only is escaped there.
  const std::string odd_name = "a b", odd_json = "a b";
#else
  const std::string odd_name = "a\"b\\c", odd_json = "a\\\"b\\\\c";
#endif
  const std::string odd = dir.file(odd_name);
  std::filesystem::create_directory(fs_path(odd));
  ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--dir", odd, "--report", "r.json"});
  std::string report = slurp(dir.file("r.json"));
  EXPECT_NE(report.find("\"dir\": \"" + json_path(dir.path()) + "/" + odd_json + "\""), std::string::npos) << report;
  EXPECT_NE(report.find("\"exit_status\": " + std::to_string(r.status) + ","), std::string::npos);
  EXPECT_NE(report.find("\"posizione_errore\": "), std::string::npos);
}

TEST(Cli, NamedDescriptionsAreCopiedAndNeverChanged) {
  TempDir dir, src;
  const std::string line = "[generale]\r\nlunghezza, 1000\r\n";
  const std::string train = "\xe8 treno\r\n";
  spit(src.file("line.txt"), line);
  spit(src.file("train.txt"), train);
  ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--line", src.file("line.txt"), "--train",
                                          src.file("train.txt")});
  EXPECT_TRUE(r.status == 0 || r.status == 1) << r.err;
  EXPECT_EQ(slurp(src.file("line.txt")), line);
  EXPECT_EQ(slurp(src.file("train.txt")), train);
  EXPECT_EQ(src.names(), (std::vector<std::string>{"line.txt", "train.txt"}));
}

TEST(Cli, RefusesADescriptionThatIsTheBuildsOwnFile) {
  TempDir dir;
  const std::string working = dir.file("Tarvena1_linea.txt");
  spit(working, "line text");
  std::filesystem::create_hard_link(fs_path(working), fs_path(dir.file("hard.txt")));
  spit(dir.file("Tarvena1_84.sim"), "old records");
  std::vector<std::vector<std::string>> cases = {
      {"--line", "Tarvena1_linea.txt"},
      {"--line", "./sub/../Tarvena1_linea.txt"},
      {"--line", dir.file("hard.txt")},
      {"--train", "Tarvena1_linea.txt"},  // would be read as the line, then deleted
      {"--line", "Tarvena1_84.sim"},      // would be replaced by the build
  };
#ifndef _WIN32  // symbolic links need a privilege on Windows
  std::filesystem::create_symlink(working, dir.file("soft.txt"));
  cases.push_back({"--line", "soft.txt"});
#endif
  std::filesystem::create_directory(dir.file("sub"));
  for (const auto& c : cases) {
    SCOPED_TRACE(c[1]);
    std::vector<std::string> args = {"build", "--quiet", "--report", "r.json"};
    args.insert(args.end(), c.begin(), c.end());
    ExeResult r = run_scenpack(dir.path(), args);
    EXPECT_EQ(r.status, 64);
    EXPECT_NE(r.err.find("the build's own file"), std::string::npos) << r.err;
    EXPECT_EQ(slurp(working), "line text");
    EXPECT_EQ(slurp(dir.file("Tarvena1_84.sim")), "old records");
    EXPECT_FALSE(std::filesystem::exists(dir.file("Tarvena1_84.dat")));
  }
}

// A --report that reaches a file of the run (a description, a document or
// an output; by another spelling, a hard or a symbolic link; existing or
// not yet) is refused before anything is written: exit 64 and no report.
TEST(Cli, RefusesAReportThatIsAFileOfTheRun) {
  TempDir cwd;
  const std::string d = cwd.file("d");
  std::filesystem::create_directory(d);
  std::filesystem::create_directory(d + "/sub");
  spit(d + "/Tarvena1_84.dat", "old cells");
  spit(cwd.file("line.txt"), "line source");
  std::filesystem::create_hard_link(fs_path(d + "/Tarvena1_84.dat"), fs_path(cwd.file("hard.json")));
  std::vector<std::vector<std::string>> cases = {
      {"run", "--dir", "d", "--report", "d/Tarvena1_84.dat"},
      {"run", "--dir", d, "--report", "./d/sub/../Tarvena1_84.sim"},
      {"run", "--dir", "d", "--report", "hard.json"},
      {"run", "--dir", "d", "--report", "d/Tarvena1_84_note.txt"},
      {"run", "--dir", "d", "--report", "d/Tarvena1_linea.txt"},
      {"build", "--dir", "d", "--report", "d/Tarvena1_84-.txt"},
      {"build", "--dir", "d", "--report", "d/Tarvena1_linea.dat", "--no-map"},
      {"build", "--dir", "d", "--line", "line.txt", "--report", "./line.txt"},
  };
  std::vector<std::string> cwd_names = {"d", "hard.json", "line.txt"};
#ifndef _WIN32  // symbolic links need a privilege on Windows
  std::filesystem::create_symlink(d + "/Tarvena1_84.dat", cwd.file("soft.json"));
  cases.push_back({"run", "--dir", "d", "--report", "soft.json"});
  cwd_names.push_back("soft.json");
#endif
  for (const auto& args : cases) {
    const std::string report = *(std::find(args.begin(), args.end(), "--report") + 1);
    SCOPED_TRACE(report);
    std::vector<std::string> quiet_args = args;
    quiet_args.push_back("--quiet");
    ExeResult r = run_scenpack(cwd.path(), quiet_args);
    EXPECT_EQ(r.status, 64);
    EXPECT_EQ(r.err.rfind("scenpack: --report " + report + " names the run's own file ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(slurp(d + "/Tarvena1_84.dat"), "old cells");
    EXPECT_EQ(slurp(cwd.file("line.txt")), "line source");
    EXPECT_EQ(cwd.names(), cwd_names);
    EXPECT_EQ(names_in(d), (std::vector<std::string>{"Tarvena1_84.dat", "sub"}));
  }
  // A usage error writes its report, but not over a file of the run either.
  ExeResult usage = run_scenpack(cwd.path(), {"build", "--dir", "d", "--report", "d/Tarvena1_84.dat", "--bogus"});
  EXPECT_EQ(usage.status, 64);
  EXPECT_NE(usage.err.find("names the run's own file"), std::string::npos) << usage.err;
  EXPECT_EQ(slurp(d + "/Tarvena1_84.dat"), "old cells");
  // Another name beside the outputs is fine.
  EXPECT_EQ(run_scenpack(cwd.path(), {"run", "--quiet", "--dir", "d", "--report", "d/r.json"}).status, 0);
  EXPECT_NE(slurp(d + "/r.json").find("\"exit_status\": 0"), std::string::npos);
}

#ifndef _WIN32  // symbolic links need a privilege on Windows
// --line names a chain of links whose last link another thread keeps
// pointing, in turn, at a good description and at the build's own ".sim"
// (the chain makes every lookup of the name slow, so a second lookup would
// often see the other file). Whatever the timing, the file checked is the
// file copied: each build either refuses the ".sim" (64) or builds from the
// good description (0); it never copies the ".sim" in as its line
// description (which ends in fault 102).
TEST(Cli, ASourceRepointedWhileStagedIsNeverMistakenForAnother) {
  TempDir dir, src;
  ASSERT_EQ(run_scenpack(src.path(), {"emit", "--dir", src.path()}).status, 0);
  const std::string good = src.file("Tarvena1_linea.txt"), own = dir.file("Tarvena1_84.sim");
  spit(own, "old records");
  constexpr int kChain = 30;
  for (int i = 0; i < kChain; ++i) {
    const std::string to = src.file("link" + std::to_string(i + 1));
    ASSERT_EQ(::symlink(i + 1 == kChain ? good.c_str() : to.c_str(), src.file("link" + std::to_string(i)).c_str()), 0);
  }
  const std::string last = src.file("link" + std::to_string(kChain - 1)), next = src.file("next");
  std::atomic<bool> stop{false};
  std::thread repoint([&] {
    for (bool to_own = true; !stop; to_own = !to_own) {
      ::unlink(next.c_str());
      if (::symlink((to_own ? own : good).c_str(), next.c_str()) == 0) ::rename(next.c_str(), last.c_str());
    }
  });
  int refused = 0, built = 0;
  constexpr int kRuns = 40;
  for (int i = 0; i < kRuns; ++i) {
    ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--line", src.file("link0"), "--train",
                                            src.file("Tarvena1_84-.txt")});
    // A lookup that meets the link in the middle of its replacement may
    // find no file or a loop (66): also a refusal, never a wrong copy.
    if (r.status == 64 || r.status == 66) ++refused;
    else if (r.status == 0) ++built;
    else ADD_FAILURE() << "run " << i << ": exit " << r.status << ": " << r.err;
  }
  stop = true;
  repoint.join();
  EXPECT_EQ(refused + built, kRuns);
}
#endif

// A text board on the first metres takes cell 1, the place of the marker
// 5121: the run stops with the message box and writes nothing.
TEST(Cli, TakenReservedPlaceStopsWithExit2AndNoFile) {
  TempDir dir, src;
  const std::string line =
      "[generale]\r\nlunghezza percorso, 1000\r\n[pendenze]\r\ncartello indicatore, 0, PROVA\r\n[fine]\r\n";
  spit(src.file("line.txt"), line);
  spit(dir.file("Tarvena1_84.dat"), "old cells");
  ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--line", src.file("line.txt"), "--report", "r.json"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.err, " Errore n. 1250\n" + src.file("line.txt") +
                       ":4:22: error: Errore n. 1250: the text board lands in cell 1 (0-49 m), where the marker 5121 "
                       "is kept: nothing may stand in cell 1\n");
  EXPECT_EQ(slurp(src.file("line.txt")), line);
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"Tarvena1_84.dat", "r.json"}));
  EXPECT_EQ(slurp(dir.file("Tarvena1_84.dat")), "old cells");
  const std::string report = slurp(dir.file("r.json"));
  EXPECT_NE(report.find("\"codice_errore\": 1250,"), std::string::npos) << report;
  EXPECT_NE(report.find("\"files\": []"), std::string::npos) << report;
}

// An author's working texts in DIR (here emitted, then edited) are read and
// kept; so are the files --line and --train name, and no copy of them is left.
TEST(Cli, BuildKeepsTheAuthorsTexts) {
  TempDir dir, src;
  ASSERT_EQ(run_scenpack(dir.path(), {"emit", "--dir", dir.path()}).status, 0);
  std::string edited = slurp(dir.file("Tarvena1_linea.txt"));
  edited.insert(edited.find("[pendenze]"), "- nota dell'autore\r\n");
  spit(dir.file("Tarvena1_linea.txt"), edited);
  ExeResult built = run_scenpack(dir.path(), {"build", "--quiet", "--dir", dir.path()});
  EXPECT_EQ(built.status, 0) << built.err;
  EXPECT_EQ(slurp(dir.file("Tarvena1_linea.txt")), edited);
  EXPECT_TRUE(std::filesystem::exists(dir.file("Tarvena1_84-.txt")));

  spit(src.file("line.txt"), edited);
  std::filesystem::remove(dir.file("Tarvena1_linea.txt"));
  ExeResult copied = run_scenpack(dir.path(), {"build", "--quiet", "--line", src.file("line.txt")});
  EXPECT_EQ(copied.status, 0) << copied.err;
  EXPECT_FALSE(std::filesystem::exists(dir.file("Tarvena1_linea.txt")));  // no copy was made
  EXPECT_TRUE(std::filesystem::exists(dir.file("Tarvena1_84-.txt")));     // the author's train stays
}

// --line and --train are read where they are: no copy is made in DIR, not
// when the build stops in the line description (a copy of the train left
// there would be read by the next build), and the working texts an author
// keeps in DIR are neither replaced nor deleted.
TEST(Cli, NamedDescriptionsAreReadInPlaceWithoutACopy) {
  TempDir dir, src;
  spit(src.file("bad line.txt"), kTwoBoardsInOneCell);
  spit(src.file("train.txt"), "treno\r\n[generale]\r\n[fine]\r\n\r\n");
  const ExeResult stopped = run_scenpack(
      dir.path(), {"build", "--quiet", "--line", src.file("bad line.txt"), "--train", src.file("train.txt")});
  EXPECT_EQ(stopped.status, 1) << stopped.err;
  for (const std::string& name : dir.names()) EXPECT_EQ(name.find(".txt"), std::string::npos) << name;

  ASSERT_EQ(run_scenpack(dir.path(), {"emit"}).status, 0);
  const std::string line = slurp(dir.file("Tarvena1_linea.txt"));
  const std::string train = slurp(dir.file("Tarvena1_84-.txt"));
  spit(src.file("line.txt"), line);
  spit(src.file("train.txt"), train);
  spit(dir.file("Tarvena1_linea.txt"), "the author's own line\r\n");
  spit(dir.file("Tarvena1_84-.txt"), "the author's own train\r\n");
  const ExeResult built =
      run_scenpack(dir.path(), {"build", "--quiet", "--line", src.file("line.txt"), "--train", src.file("train.txt")});
  EXPECT_EQ(built.status, 0) << built.err;
  EXPECT_EQ(slurp(dir.file("Tarvena1_linea.txt")), "the author's own line\r\n");
  EXPECT_EQ(slurp(dir.file("Tarvena1_84-.txt")), "the author's own train\r\n");
  EXPECT_EQ(slurp(src.file("line.txt")), line);
  EXPECT_EQ(slurp(src.file("train.txt")), train);
}

// A fault of a description given with --line names that file as written,
// with the line and column of the offending field, in the message and the
// report; the exit status and the files written are as always.
TEST(Cli, BuildFaultNamesTheAuthorsFile) {
  TempDir dir, src;
  spit(src.file("my line.txt"), kTwoBoardsInOneCell);
  spit(dir.file("Tarvena1_84-.txt"), "treno\r\n[generale]\r\n[fine]\r\n\r\n");
  ExeResult r = run_scenpack(src.path(), {"build", "--quiet", "--dir", dir.path(), "--line", "my line.txt",
                                          "--report", "r.json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err,
            "my line.txt:5:24: error: Errore n. 6, posizione 510: the text board lands in cell 11 (500-549 m), which "
            "holds a text board\n"
            "my line.txt:4:22: note: the text board placed there\n"
            "my line.txt:5:24: note: the reading stopped here; nothing of the train description is in the compiled "
            "files\n");
  const std::string report = slurp(src.file("r.json"));
  EXPECT_NE(report.find("\"file\": \"my line.txt\", \"line\": 5, \"column\": 24,"), std::string::npos) << report;
  EXPECT_EQ(dir.names(), (std::vector<std::string>{"Tarvena1_84-.txt", "Tarvena1_84.dat", "Tarvena1_84.sim",
                                                   "Tarvena1_linea.dat"}));
}

// build prints check's warnings on stderr as a compiler does; -w silences
// them (in check's listing too); they change neither the exit status nor a
// byte of the outputs.
TEST(Cli, BuildAndCheckShowWarningsUnlessToldNot) {
  TempDir a, b;
  const std::string line = "[generale]\r\nlunghezza percorso, 1000\r\n[p]\r\npendeza, 500, 3\r\n[fine]\r\n\r\n";
  const std::string train = "treno\r\n[generale]\r\n[fine]\r\n\r\n";
  for (const TempDir* d : {&a, &b}) {
    spit(d->file("Tarvena1_linea.txt"), line);
    spit(d->file("Tarvena1_84-.txt"), train);
  }
  const ExeResult warned = run_scenpack(a.path(), {"build", "--quiet"});
  const ExeResult silent = run_scenpack(b.path(), {"build", "--quiet", "-w"});
  EXPECT_EQ(warned.status, 0);
  EXPECT_EQ(silent.status, 0);
  EXPECT_EQ(warned.err,
            "Tarvena1_linea.txt:4:1: warning: \"pendeza\" names no record of the line description; the field is "
            "passed over (did you mean \"pendenza\"?) [-Wunknown-keyword]\n");
  EXPECT_EQ(silent.err, "");
  for (const std::string& name : kCompiledFiles) EXPECT_EQ(slurp(a.file(name)), slurp(b.file(name))) << name;

  TempDir c;
  const ExeResult run = run_scenpack(c.path(), {"run", "--quiet", "--dir", c.path()});
  EXPECT_EQ(run.err, "");  // the program's own scenario: no warning shown

  // check lists the same warning; with -w it lists and counts none.
  const ExeResult listed = run_scenpack(b.path(), {"check"});
  const ExeResult unlisted = run_scenpack(b.path(), {"check", "-w"});
  EXPECT_EQ(listed.out,
            "Tarvena1_linea.txt:4:1: warning: \"pendeza\" names no record of the line description; the field is "
            "passed over (did you mean \"pendenza\"?) [-Wunknown-keyword]\npendeza, 500, 3\n^\n0 errors, 1 warning\n");
  EXPECT_EQ(unlisted.out, "0 errors, 0 warnings\n");
  EXPECT_EQ(run_scenpack(b.path(), {"check", "-Wno-unknown-keyword"}).out, "0 errors, 0 warnings\n");
  EXPECT_EQ(run_scenpack(b.path(), {"check", "-Wno-encoding"}).out, listed.out);
  EXPECT_EQ(unlisted.status, 0);
}

// A field's control bytes (a terminal's title and colour sequences, a NUL
// in a number) are shown as cat -v shows them, in build's warnings and
// faults and in check's source lines; the caret still stands under the field.
TEST(Cli, ControlBytesInADescriptionNeverReachTheTerminalRaw) {
  TempDir dir;
  const std::string line = std::string("[generale]\r\nlunghezza percorso, 1000\r\n[p]\r\n\x1b]0;pwn\x07\x1b[31m, 5\r\n"
                                       "pendenza, 1\0" "00, 3\r\n[fine]\r\n\r\n", 90);
  spit(dir.file("Tarvena1_linea.txt"), line);
  spit(dir.file("Tarvena1_84-.txt"), "treno\r\n[generale]\r\n[fine]\r\n\r\n");
  const ExeResult checked = run_scenpack(dir.path(), {"check"});
  EXPECT_EQ(checked.out,
            "Tarvena1_linea.txt:4:1: warning: \"^[]0;pwn^G^[[31m\" names no record of the line description; the "
            "field is passed over [-Wunknown-keyword]\n"
            "^[]0;pwn^G^[[31m, 5\n"
            "^\n"
            "Tarvena1_linea.txt:5:11: error: Errore n. 25: the gradient: \"1^@00\" is not a number\n"
            "pendenza, 1^@00, 3\n"
            "          ^\n"
            "Tarvena1_linea.txt:5: note: the rest of line 5 was skipped\n"
            "1 error, 1 warning\n");
  const ExeResult built = run_scenpack(dir.path(), {"build", "--quiet"});
  EXPECT_EQ(built.err,
            "Tarvena1_linea.txt:4:1: warning: \"^[]0;pwn^G^[[31m\" names no record of the line description; the "
            "field is passed over [-Wunknown-keyword]\n"
            "Tarvena1_linea.txt:5:11: error: Errore n. 25: the gradient: \"1^@00\" is not a number\n"
            "Tarvena1_linea.txt:5:11: note: the reading stopped here; nothing of the train description is in the "
            "compiled files\n");
}

TEST(Cli, UnreadableDescriptionExits66) {
  TempDir dir;
  std::filesystem::create_directory(dir.file("folder"));
  for (const std::string& missing : {std::string("nope.txt"), dir.file("folder")}) {
    ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--train", missing});
    EXPECT_EQ(r.status, 66);
    EXPECT_EQ(r.err.rfind("scenpack: cannot read ", 0), 0u) << r.err;
  }
  EXPECT_EQ(dir.names(), std::vector<std::string>{"folder"});
}

#ifndef _WIN32
// "Attendere" goes to a terminal only: run and build under a pseudo-terminal
// (util-linux's script) show it, alone; with --quiet, or with stderr in a
// file as in every other test here, nothing is shown.
TEST(Cli, WaitingLineOnlyOnATerminal) {
  if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "script (util-linux) is not installed";
  TempDir dir;
  auto on_terminal = [&](const std::string& args) {
    const std::string command = shell_quote(SCENPACK_EXE) + " " + args;
    const std::string cmd = "cd " + shell_quote(dir.path()) + " && script -qec " + shell_quote(command) +
                            " /dev/null </dev/null >" + shell_quote(dir.file("terminal")) + " 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    return slurp(dir.file("terminal"));
  };
  EXPECT_EQ(on_terminal("run --dir out"), "Attendere\r\n");
  EXPECT_EQ(on_terminal("run --dir out --quiet"), "");
  EXPECT_EQ(on_terminal("emit --dir texts"), "");
  EXPECT_EQ(on_terminal("build --dir texts --no-map -w"), "Attendere\r\n");
  EXPECT_EQ(on_terminal("build --dir texts --no-map -w --quiet"), "");
}
#endif

#ifndef _WIN32
// On a terminal build shows its findings as check does, with the source
// line and a caret under the column; in a file, the lines alone (above).
TEST(Cli, BuildShowsTheSourceLineOfAFindingOnATerminal) {
  if (std::system("command -v script >/dev/null 2>&1") != 0) GTEST_SKIP() << "script (util-linux) is not installed";
  TempDir dir;
  spit(dir.file("linea.txt"), "[generale]\r\nlunghezza percorso, 1000\r\n[cartelli]\r\npendeza, 5\r\n"
                              "cartello indicatore, 500, A\r\ncartello indicatore,   510, B\r\n[fine]\r\n\r\n");
  spit(dir.file("treno.txt"), "treno\r\n[generale]\r\n[fine]\r\n\r\n");
  const std::string command = shell_quote(SCENPACK_EXE) + " build --quiet --line linea.txt --train treno.txt";
  const std::string cmd = "cd " + shell_quote(dir.path()) + " && script -qec " + shell_quote(command) +
                          " /dev/null </dev/null >" + shell_quote(dir.file("terminal")) + " 2>&1";
  (void)std::system(cmd.c_str());  // the build's fault makes its status 1
  EXPECT_EQ(slurp(dir.file("terminal")),
            "linea.txt:4:1: warning: \"pendeza\" names no record of the line description; the field is passed over "
            "(did you mean \"pendenza\"?) [-Wunknown-keyword]\r\n"
            "pendeza, 5\r\n"
            "^\r\n"
            "linea.txt:6:24: error: Errore n. 6, posizione 510: the text board lands in cell 11 (500-549 m), which "
            "holds a text board\r\n"
            "cartello indicatore,   510, B\r\n"
            "                       ^\r\n"
            "linea.txt:5:22: note: the text board placed there\r\n"
            "linea.txt:6:24: note: the reading stopped here; nothing of the train description is in the compiled "
            "files\r\n");
}
#endif

#ifndef _WIN32
// The file size limit is hit while ".sim" is written: the write fails with
// EFBIG (the signal is ignored), the old file stays whole, no temporary is
// left behind, and the run exits 74 naming the file and the reason.
TEST(Cli, FailedWriteExits74AndKeepsTheOldFile) {
  TempDir dir;
  spit(dir.file("Tarvena1_84.sim"), "old records");
  ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--report", "r.json"}, "ulimit -f 1; ");
  EXPECT_EQ(r.status, 74);
  EXPECT_EQ(r.err, "scenpack: cannot write ./Tarvena1_84.sim: File too large\n");
  EXPECT_EQ(slurp(dir.file("Tarvena1_84.sim")), "old records");
  for (const std::string& name : dir.names()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
  EXPECT_FALSE(std::filesystem::exists(dir.file("Tarvena1_84.dat")));
  EXPECT_NE(slurp(dir.file("r.json")).find("\"exit_status\": 74"), std::string::npos);
}

// The three compiled files are one scenario: when ".dat" (83 kB of cells)
// cannot be written under a 50 kB file size limit, ".sim" (4 kB, written
// before it) is not put in place either. Every old file stays and no new
// one, nor a temporary, is left; the report lists no file written.
TEST(Cli, AFailedBuildLeavesNoMixedSet) {
  TempDir dir;
  ASSERT_EQ(run_scenpack(dir.path(), {"emit"}).status, 0);
  for (const char* name : {"Tarvena1_84.sim", "Tarvena1_84.dat", "Tarvena1_linea.dat"}) spit(dir.file(name), "old");
  const ExeResult r =
      run_scenpack(dir.path(), {"build", "--quiet", "--no-map", "-w", "--report", "r.json"}, "ulimit -f 50; ");
  EXPECT_EQ(r.status, 74);
  EXPECT_EQ(r.err, "scenpack: cannot write ./Tarvena1_84.dat: File too large\n");
  for (const char* name : {"Tarvena1_84.sim", "Tarvena1_84.dat", "Tarvena1_linea.dat"}) {
    EXPECT_EQ(slurp(dir.file(name)), "old") << name;
  }
  for (const std::string& name : dir.names()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
  EXPECT_NE(slurp(dir.file("r.json")).find("\"files\": []"), std::string::npos) << slurp(dir.file("r.json"));
}
#else
// Another program holds ".sim" open: Windows will not replace it, so the
// run exits 74 naming the file and the reason, the old file stays whole,
// no temporary is left behind and nothing after it is written.
TEST(Cli, FailedReplaceExits74AndKeepsTheOldFile) {
  TempDir dir;
  spit(dir.file("Tarvena1_84.sim"), "old records");
  ExeResult r;
  {
    HeldOpen holder(dir.file("Tarvena1_84.sim"));
    ASSERT_TRUE(holder.held());
    r = run_scenpack(dir.path(), {"build", "--quiet", "--report", "r.json"});
  }
  EXPECT_EQ(r.status, 74);
  EXPECT_EQ(r.err, "scenpack: cannot rename ./Tarvena1_84.sim: Permission denied\n");
  EXPECT_EQ(slurp(dir.file("Tarvena1_84.sim")), "old records");
  for (const std::string& name : dir.names()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
  EXPECT_FALSE(std::filesystem::exists(dir.file("Tarvena1_84.dat")));
  EXPECT_NE(slurp(dir.file("r.json")).find("\"exit_status\": 74"), std::string::npos);
}
#endif

TEST(Cli, UnwritableReportExits74) {
  TempDir dir;
  ExeResult r = run_scenpack(dir.path(), {"build", "--quiet", "--report", dir.file("no/such/r.json")});
  EXPECT_EQ(r.status, 74);
  EXPECT_NE(r.err.find("cannot create " + dir.file("no/such/r.json")), std::string::npos) << r.err;
}

void plain_run_beside_the_executable(const std::string& prefix) {
  TempDir bin(prefix), cwd;
  const std::string exe = bin.file(utf8_of(std::filesystem::path(SCENPACK_EXE).filename()));
  std::filesystem::copy_file(SCENPACK_EXE, fs_path(exe));
  ExeResult r = run_exe(exe, cwd.path(), {"--quiet", "--report", cwd.file("r.json")});
  EXPECT_TRUE(r.status == 0 || r.status == 1) << r.err;
  EXPECT_TRUE(cwd.names() == std::vector<std::string>{"r.json"});
  for (const std::string& name : kCompiledFiles) EXPECT_TRUE(std::filesystem::exists(fs_path(bin.file(name)))) << name;
  EXPECT_NE(slurp(cwd.file("r.json")).find("\"dir\": \"" + json_path(bin.path()) + "\""), std::string::npos);
}

// A plain run works in the directory of the executable: run a copy, also
// from a directory whose name goes beyond ASCII (as "città" would).
TEST(Cli, PlainRunWorksBesideTheExecutable) {
  for (const std::string prefix : {"scenpack-test-", "scenpack-citt\xc3\xa0-\xc3\xa0-"}) {
    SCOPED_TRACE(prefix);
    plain_run_beside_the_executable(prefix);
  }
}

// What stands in an output's place is replaced whole, as linkers do: a
// longer old file, a read-only file, a symbolic link (the link is replaced
// by a regular file and its target is left untouched). A second run over
// its own outputs gives the same bytes. (Windows keeps a read-only file,
// see FailedReplaceExits74AndKeepsTheOldFile, and links need a privilege
// there: an older file stands in every place instead.)
TEST(Cli, OutputsReplaceWhatStandsInTheirPlace) {
  TempDir first, dir, elsewhere;
  ASSERT_EQ(run_scenpack(first.path(), {"run", "--quiet", "--dir", first.path()}).status, 0);
  spit(dir.file("Tarvena1_84.dat"), std::string(1 << 20, 'x'));
  spit(elsewhere.file("target.dat"), "keep me");
#ifdef _WIN32
  spit(dir.file("Tarvena1_84.sim"), "older records");
  spit(dir.file("Tarvena1_linea.dat"), "older map");
#else
  spit(dir.file("Tarvena1_84.sim"), "read-only records");
  std::filesystem::permissions(dir.file("Tarvena1_84.sim"), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::group_read |
                                                               std::filesystem::perms::others_read);
  std::filesystem::create_symlink(elsewhere.file("target.dat"), dir.file("Tarvena1_linea.dat"));
#endif
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    ExeResult r = run_scenpack(dir.path(), {"run", "--quiet", "--dir", dir.path()});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const std::string& name : kCompiledFiles) {
      EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(dir.file(name)))) << name;
      EXPECT_EQ(slurp(dir.file(name)), slurp(first.file(name))) << name;
    }
    for (const std::string& name : dir.names()) EXPECT_EQ(name.find(".tmp"), std::string::npos) << name;
  }
  EXPECT_EQ(slurp(elsewhere.file("target.dat")), "keep me");
  EXPECT_EQ(elsewhere.names(), std::vector<std::string>{"target.dat"});
}

TEST(Cli, RunAndEmitTakeADirectory) {
  TempDir dir, cwd;
  ExeResult r = run_scenpack(cwd.path(), {"run", "--quiet", "--dir", dir.path()});
  EXPECT_TRUE(r.status == 0 || r.status == 1) << r.err;
  for (const std::string& name : kCompiledFiles) EXPECT_TRUE(std::filesystem::exists(dir.file(name))) << name;
  EXPECT_EQ(run_scenpack(cwd.path(), {"emit", "--dir", dir.path()}).status, 0);
  EXPECT_TRUE(cwd.names().empty());
}

// A --dir that is not there is made with its parents by the commands that
// write into it; something else standing in the way is named.
TEST(Cli, DirIsMadeWithItsParents) {
  TempDir cwd;
  ASSERT_EQ(run_scenpack(cwd.path(), {"emit", "--dir", "texts/new"}).status, 0);
  ASSERT_EQ(run_scenpack(cwd.path(), {"run", "--quiet", "--dir", "a/b/c"}).status, 0);
  for (const std::string& name : kCompiledFiles) EXPECT_TRUE(std::filesystem::exists(cwd.file("a/b/c/" + name))) << name;
  const ExeResult built = run_scenpack(cwd.path(), {"build", "--quiet", "--dir", "d/e", "--line",
                                                    "texts/new/Tarvena1_linea.txt", "--train",
                                                    "texts/new/Tarvena1_84-.txt"});
  EXPECT_EQ(built.status, 0) << built.err;
  for (const std::string& name : kCompiledFiles) EXPECT_EQ(slurp(cwd.file("d/e/" + name)), slurp(cwd.file("a/b/c/" + name)));

  // build without --line or --train reads DIR: one not there is not made.
  const ExeResult nothing_to_read = run_scenpack(cwd.path(), {"build", "--quiet", "--dir", "f"});
  EXPECT_NE(nothing_to_read.status, 0);
  EXPECT_FALSE(std::filesystem::exists(cwd.file("f")));

  spit(cwd.file("plain"), "x");
  const ExeResult blocked = run_scenpack(cwd.path(), {"run", "--quiet", "--dir", "plain/sub"});
  EXPECT_EQ(blocked.status, 74);
  EXPECT_EQ(blocked.err, "scenpack: cannot create directory plain: Not a directory\n");
  EXPECT_EQ(slurp(cwd.file("plain")), "x");
}

// A plain run of a program in PREFIX/bin, beside PREFIX/share, writes into
// the current directory; a copy in any other folder writes beside itself.
TEST(Cli, InstalledProgramRunsIntoTheCurrentDirectory) {
  TempDir prefix, folder, cwd;
  const std::filesystem::path exe(SCENPACK_EXE);
  std::filesystem::create_directories(fs_path(prefix.file("bin")));
  std::filesystem::create_directories(fs_path(prefix.file("share/man")));
  const std::string installed = prefix.file("bin/" + utf8_of(exe.filename()));
  const std::string copied = folder.file(utf8_of(exe.filename()));
  std::filesystem::copy_file(exe, fs_path(installed));
  std::filesystem::copy_file(exe, fs_path(copied));

  const ExeResult from_bin = run_exe(installed, cwd.path(), {"--quiet"});
  EXPECT_EQ(from_bin.status, 0) << from_bin.err;
  for (const std::string& name : kCompiledFiles) EXPECT_TRUE(std::filesystem::exists(cwd.file(name))) << name;
  EXPECT_EQ(names_in(prefix.file("bin")).size(), 1u);

  TempDir elsewhere;
  const ExeResult from_folder = run_exe(copied, elsewhere.path(), {"--quiet"});
  EXPECT_EQ(from_folder.status, 0) << from_folder.err;
  for (const std::string& name : kCompiledFiles) EXPECT_TRUE(std::filesystem::exists(folder.file(name))) << name;
  EXPECT_TRUE(elsewhere.names().empty());
}

}  // namespace
}  // namespace scenpack
