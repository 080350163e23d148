// The scenario file as an author uses it: init starts one, the commands
// find it from the folder they run in or below it, and the language server
// talks over the program's own stdin and stdout.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/run_exe.h"
#include "support/temp_dir.h"

namespace scenpack {
namespace {

using namespace testing_support;

TEST(ScenarioCommands, InitStartsAScenarioThatTheCommandsFindFromBelow) {
  TempDir dir;
  const ExeResult init = run_scenpack(dir.path(), {"init", "Valdora1", "12", "valdora"});
  ASSERT_EQ(init.status, 0) << init.err;
  EXPECT_EQ(names_in(dir.file("valdora")),
            (std::vector<std::string>{"Valdora1_12-.txt", "Valdora1_linea.txt", "scenpack.ini"}));

  // check from a folder below: the descriptions are named from where the
  // author stands.
  std::filesystem::create_directories(fs_path(dir.file("valdora/note")));
  std::string line = slurp(dir.file("valdora/Valdora1_linea.txt"));
  line.replace(line.find("270000"), 6, "2700000");
  spit(dir.file("valdora/Valdora1_linea.txt"), line);
  const ExeResult check = run_scenpack(dir.file("valdora/note"), {"check", "-w"});
  EXPECT_EQ(check.status, 1);
  EXPECT_EQ(check.out.substr(0, check.out.find('\n')),
            "../Valdora1_linea.txt:38:24: error: Errore n. 1: route length above 1000000")
      << check.out;

  const ExeResult again = run_scenpack(dir.path(), {"init", "Valdora1", "12", "valdora"});
  EXPECT_EQ(again.status, 74);
  EXPECT_EQ(again.err, "scenpack: valdora/scenpack.ini is already there: init writes over nothing\n");
}

TEST(ScenarioCommands, BuildAndInspectTakeTheScenarioFromTheFile) {
  TempDir dir;
  ASSERT_EQ(run_scenpack(dir.path(), {"init", "Valdora1", "12"}).status, 0);
  const ExeResult build = run_scenpack(dir.path(), {"build", "--quiet", "-w"});
  ASSERT_EQ(build.status, 0) << build.err;
  EXPECT_EQ(names_in(dir.path()),
            (std::vector<std::string>{"Valdora1_12-.txt", "Valdora1_12.dat", "Valdora1_12.sim", "Valdora1_linea.dat",
                                      "Valdora1_linea.txt", "scenpack.ini"}));
  const ExeResult inspect = run_scenpack(dir.path(), {"inspect", "--summary"});
  EXPECT_EQ(inspect.status, 0) << inspect.err;
  // --number on the command line wins: there are no files of train 13.
  EXPECT_EQ(run_scenpack(dir.path(), {"inspect", "--number", "13"}).status, 66);
}

TEST(ScenarioCommands, AScenarioFileThatCannotBeUsedIsAnErrorAtItsLine) {
  TempDir dir;
  spit(dir.file("scenpack.ini"), "name = Valdora1\nnumero = 12\n");
  for (const char* command : {"check", "build", "inspect"}) {
    const ExeResult r = run_scenpack(dir.path(), {command});
    EXPECT_EQ(r.status, 65) << command;
    EXPECT_EQ(r.err, "scenpack: scenpack.ini:2: unknown key 'numero' (name, number, line, train, output)\n") << command;
  }
  // With the descriptions named on the command line the file is not read.
  const ExeResult named = run_scenpack(dir.path(), {"check", "--dir", "."});
  EXPECT_EQ(named.status, 1);  // the working descriptions are missing
  EXPECT_EQ(named.out.find("scenpack.ini"), std::string::npos) << named.out;
}

TEST(ScenarioCommands, TheLanguageServerAnswersOverStdio) {
#ifndef SCENPACK_LANGUAGE_SERVER
  GTEST_SKIP() << "built without the language server (nlohmann-json3-dev)";
#endif
  TempDir dir;
  ASSERT_EQ(run_scenpack(dir.path(), {"init", "Valdora1", "12"}).status, 0);
  const auto framed = [](const std::string& content) {
    return "Content-Length: " + std::to_string(content.size()) + "\r\n\r\n" + content;
  };
  // A broken message and one above the limit are answered with errors; the
  // input then ends without "exit".
  spit(dir.file("input"), framed(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})") +
                              "Content-Length: 12\r\n\r\n{\"broken\": }" + "Content-Length: 99999999999\r\n\r\n");
  const ExeResult r = run_scenpack_with_input(dir.path(), {"lsp", "--stdio"}, dir.file("input"));
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_EQ(r.err, "");
  const std::string parse_error = R"({"error":{"code":-32700,"message":"the message is not JSON"},"id":null,"jsonrpc":"2.0"})";
  const std::string too_large =
      R"({"error":{"code":-32600,"message":"message of 99999999999 bytes, above the limit of 51380224"},"id":null,"jsonrpc":"2.0"})";
  const size_t answers = r.out.find(framed(parse_error) + framed(too_large));
  EXPECT_NE(answers, std::string::npos) << r.out;
  EXPECT_EQ(r.out.size(), answers + framed(parse_error).size() + framed(too_large).size()) << r.out;

  // Shutdown, then exit: status 0. The shutdown's content holds a CR LF
  // between its members, a byte a text-mode stdin (Windows') would drop,
  // leaving its Content-Length one byte too long.
  spit(dir.file("input"), framed(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{}})") +
                              framed("{\"jsonrpc\":\"2.0\",\r\n\"id\":2,\"method\":\"shutdown\"}") +
                              framed(R"({"jsonrpc":"2.0","method":"exit"})"));
  const ExeResult ended = run_scenpack_with_input(dir.path(), {"lsp"}, dir.file("input"));
  EXPECT_EQ(ended.status, 0) << ended.err;
  const std::string last = framed(R"({"id":2,"jsonrpc":"2.0","result":null})");
  ASSERT_GE(ended.out.size(), last.size());
  EXPECT_EQ(ended.out.substr(ended.out.size() - last.size()), last) << ended.out;
}

}  // namespace
}  // namespace scenpack
