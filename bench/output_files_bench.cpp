// Writing the three compiled files of a 1,000,000 m route with its route
// map drawn (about 20 MB of map), the writing alone. bench/run times whole
// builds against `cp` of their outputs.
//
//   scenpack_bench [benchmark flags]   the timed benchmark
//   scenpack_bench --write-once DIR    write the files once into DIR
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "model/tables.h"
#include "driver/output_files.h"

namespace {

using namespace scenpack;

Tables long_route() {
  Tables t;
  t.modo_percorso = 1;
  size_tables(t, kMaxRouteLength);
  // The map drawn as from a curve every 500 m, set up to its third-last point.
  RouteMap& m = t.mappa;
  m.points_set = 2;
  for (int32_t p = 500; p + 300 < kMaxRouteLength; p += 500) {
    m.add_run(p, kStraight);
    m.add_run(p + 300, static_cast<CurveClass>((p / 500) % 6 + 1));
  }
  m.add_run(m.last_index - 2, kStraight);
  for (size_t i = 0; i < t.celle.size(); i += 7) t.celle[i].tipo = kind::kCodePoint;
  t.schede[85].testo = "Tarvena1";
  t.schede[86].testo = "84";
  return t;
}

long peak_rss_kib() {
  struct rusage u;
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

// state.range(0): 1 = the files replace those of the previous iteration
// (as a second run does), 0 = they are written into an empty directory.
void BM_WriteOutputFiles(benchmark::State& state) {
  static const Tables t = long_route();
  const bool replace = state.range(0) != 0;
  const std::string dir = (std::filesystem::temp_directory_path() / "scenpack-bench").string();
  std::filesystem::create_directories(dir);
  const ScenarioFiles files{dir, t.nome_scenario, t.numero_treno};
  size_t bytes = 0;
  for (auto _ : state) {
    // Untimed: start each round with no dirty pages, as bench/run does for cp.
    state.PauseTiming();
    if (!replace) {
      for (const std::string& name : {files.route_map(), files.records(), files.cells()}) {
        std::filesystem::remove(files.path(name));
      }
    }
    ::sync();
    state.ResumeTiming();
    Status s = write_output_files(t, files, nullptr);
    if (!s.is_ok()) state.SkipWithError(s.message().c_str());
  }
  for (const std::string& name : {files.route_map(), files.records(), files.cells()}) {
    bytes += std::filesystem::file_size(files.path(name));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
  state.counters["file_bytes"] = static_cast<double>(bytes);
  state.counters["peak_rss_MiB"] = static_cast<double>(peak_rss_kib()) / 1024.0;
  std::filesystem::remove_all(dir);
}
BENCHMARK(BM_WriteOutputFiles)->ArgName("replace")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--write-once") {
    const Tables t = long_route();
    Status s = write_output_files(t, ScenarioFiles{argv[2], t.nome_scenario, t.numero_treno}, nullptr);
    if (!s.is_ok()) {
      std::fprintf(stderr, "%s\n", s.message().c_str());
      return 74;
    }
    std::printf("peak RSS %.1f MiB\n", static_cast<double>(peak_rss_kib()) / 1024.0);
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
