// Reading a 1,000,000 m line description with a curve every 500 m: the
// whole of memorizza_dati (both working texts read and deleted), with the
// route map drawn metre by metre.
//
//   line_reader_bench [benchmark flags]
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "model/file_names.h"
#include "model/tables.h"
#include "readers/memorizza_dati.h"

namespace {

using namespace scenpack;

// General data, then one curve every 500 m (side and class changing) and
// a gradient every 500 m, closed as the working description is.
std::string long_line_description() {
  std::string text = "Percorso lungo\r\n[generale]\r\nlunghezza percorso,    1000000\r\n[curve]\r\n";
  for (int32_t p = 500, n = 0; p < 1000000; p += 500, ++n) {
    text += std::string(n % 2 == 0 ? "curvad" : "curvas") + std::to_string(n % 6 + 1) + ",   " +
            std::to_string(p) + ",  300\r\n";
    text += "pendenza  , " + std::to_string(p) + "   , " + std::to_string(n % 21 - 10) + "\r\n";
  }
  return text + "[fine]\r\n                \r\n";
}

void write(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void BM_ReadLongLineDescription(benchmark::State& state) {
  static const std::string line = long_line_description();
  static const std::string train = "treno\r\n[generale]\r\n[fine]\r\n                \r\n";
  std::string dir = (std::filesystem::temp_directory_path() / "scenpack-line-bench-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) {
    state.SkipWithError("mkdtemp failed");
    return;
  }
  const ScenarioFiles files{dir, "Tarvena1", "84"};
  int32_t code = 0;
  int32_t points = 0;
  for (auto _ : state) {
    state.PauseTiming();
    write(files.path(files.line_text()), line);
    write(files.path(files.train_text()), train);
    Tables t;
    t.modo_percorso = 1;
    state.ResumeTiming();
    Status s = memorizza_dati(t, files);
    benchmark::DoNotOptimize(t.mappa.runs.data());
    if (!s.is_ok()) state.SkipWithError(s.message().c_str());
    code = t.errore.codice_errore;
    points = t.mappa.points_set;
  }
  state.counters["codice_errore"] = code;
  state.counters["map_points"] = points;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * line.size()));
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_ReadLongLineDescription)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
