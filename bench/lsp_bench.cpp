// The language server on the dense 1,000,000 m route, server side: how long
// after a change of the editor's text its diagnostics are ready to send,
// and the process's peak memory however many changes come.
//
//   lsp_bench DIR [CHANGES]
//
// DIR holds dense_linea.txt and dense_treno.txt (bench/make_scenarios.py
// writes them). Both are opened, as an editor opens them, then CHANGES
// (default 300) one-line changes are sent, turn about to the train and
// the line description: a signal's last field and a gradient's value
// typed over. Each change is timed from the message's arrival to the
// publications' text (the check of the pair and the JSON of its findings);
// the peak resident memory is read after the opening and after the last
// change. Prints the median, the 90th percentile and the slowest change,
// in wall time and in CPU time.
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/windows_1252.h"
#include "lsp/language_server.h"

namespace {

using namespace scenpack;
using json = nlohmann::json;

std::string file_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "lsp_bench: cannot read %s\n", path.c_str());
    std::exit(1);
  }
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The process's CPU time in milliseconds: steadier than wall time on a
// loaded machine.
double cpu_ms() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

double peak_mib() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return static_cast<double>(u.ru_maxrss) / 1024.0;  // KiB on Linux
}

// The 0-based line of `text` that starts with `start`, and that line.
int line_starting(const std::string& text, const std::string& start, std::string& line) {
  int n = 0;
  for (size_t at = 0; at < text.size(); ++n) {
    const size_t end = text.find("\r\n", at);
    if (text.compare(at, start.size(), start) == 0) {
      line = text.substr(at, end - at);
      return n;
    }
    if (end == std::string::npos) break;
    at = end + 2;
  }
  std::fprintf(stderr, "lsp_bench: no line starts with %s\n", start.c_str());
  std::exit(1);
}

std::string change(const std::string& uri, int version, int line, const std::string& text) {
  const json range = {{"start", {{"line", line}, {"character", 0}}}, {"end", {{"line", line + 1}, {"character", 0}}}};
  return json{{"jsonrpc", "2.0"},
              {"method", "textDocument/didChange"},
              {"params",
               {{"textDocument", {{"uri", uri}, {"version", version}}},
                {"contentChanges", json::array({{{"range", range}, {"text", text + "\r\n"}}})}}}}
      .dump();
}

std::string open(const std::string& uri, const std::string& text) {
  return json{{"jsonrpc", "2.0"},
              {"method", "textDocument/didOpen"},
              {"params", {{"textDocument", {{"uri", uri}, {"languageId", "scenpack"}, {"version", 1}, {"text", text}}}}}}
      .dump();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: lsp_bench DIR [CHANGES]\n");
    return 64;
  }
  const std::string dir = argv[1];
  const int changes = argc > 2 ? std::atoi(argv[2]) : 300;
  FilesInMemory files;
  files.files["/bench/Tarvena1_linea.txt"] = file_bytes(dir + "/dense_linea.txt");
  files.files["/bench/Tarvena1_84-.txt"] = file_bytes(dir + "/dense_treno.txt");
  const std::string line_uri = "file:///bench/Tarvena1_linea.txt";
  const std::string train_uri = "file:///bench/Tarvena1_84-.txt";
  const std::string line_text = utf8_from_windows_1252(files.files["/bench/Tarvena1_linea.txt"]);
  const std::string train_text = utf8_from_windows_1252(files.files["/bench/Tarvena1_84-.txt"]);

  LanguageServer server(files);
  server.handle(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})");
  server.handle(R"({"jsonrpc":"2.0","method":"initialized","params":{}})");
  server.handle(open(line_uri, line_text));
  server.handle(open(train_uri, train_text));
  const double opened_peak = peak_mib();

  std::string signal, gradient;
  const int signal_line = line_starting(train_text, "segnale", signal);
  const int gradient_line = line_starting(line_text, "pendenza", gradient);
  std::vector<double> ms, cpu;
  size_t published = 0;
  for (int i = 0; i < changes; ++i) {
    const bool train = i % 2 == 0;
    // The last digit typed over: 0 to 9 in turn.
    std::string text = train ? signal : gradient;
    text.back() = static_cast<char>('0' + (i / 2) % 10);
    const std::string message =
        change(train ? train_uri : line_uri, i + 2, train ? signal_line : gradient_line, text);
    const double cpu_start = cpu_ms();
    const auto start = std::chrono::steady_clock::now();
    const std::vector<std::string> out = server.handle(message);
    const auto end = std::chrono::steady_clock::now();
    cpu.push_back(cpu_ms() - cpu_start);
    for (const std::string& o : out) published += o.size();
    ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(ms.begin(), ms.end());
  std::sort(cpu.begin(), cpu.end());
  const auto at = [](const std::vector<double>& v, double q) {
    return v.empty() ? 0.0 : v[static_cast<size_t>(q * static_cast<double>(v.size() - 1))];
  };
  std::printf("changes: %d (%zu bytes published)\n", changes, published);
  std::printf("diagnostics after a change: median %.1f ms, 90%% %.1f ms, slowest %.1f ms (target 30 ms)\n",
              at(ms, 0.5), at(ms, 0.9), ms.empty() ? 0.0 : ms.back());
  std::printf("CPU time of a change: median %.1f ms, 90%% %.1f ms, most %.1f ms\n", at(cpu, 0.5), at(cpu, 0.9),
              cpu.empty() ? 0.0 : cpu.back());
  std::printf("peak memory: %.1f MiB after opening, %.1f MiB after the changes (target 64 MiB)\n", opened_peak,
              peak_mib());
  return 0;
}
