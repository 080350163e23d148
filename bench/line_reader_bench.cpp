// Reading a 1,000,000 m line description with a curve every 500 m: the
// whole of read_descriptions on both descriptions held in memory, with the
// route map drawn metre by metre.
//
//   line_reader_bench [benchmark flags]
#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

#include "model/fault_sink.h"
#include "model/tables.h"
#include "readers/read_descriptions.h"

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

void BM_ReadLongLineDescription(benchmark::State& state) {
  static const std::string line = long_line_description();
  static const std::string train = "treno\r\n[generale]\r\n[fine]\r\n                \r\n";
  const DescriptionText line_text{"Tarvena1_linea.txt", std::string_view(line), ""};
  const DescriptionText train_text{"Tarvena1_84-.txt", std::string_view(train), ""};
  int32_t code = 0;
  int32_t points = 0;
  for (auto _ : state) {
    state.PauseTiming();
    Tables t;
    t.modo_percorso = 1;
    state.ResumeTiming();
    FaultSink sink(t.error_state, FaultPolicy::kStopAtFirst);
    (void)read_descriptions(t, line_text, train_text, sink);
    benchmark::DoNotOptimize(t.mappa.runs.data());
    code = t.error_state.codice_errore;
    points = t.mappa.points_set;
  }
  state.counters["codice_errore"] = code;
  state.counters["map_points"] = points;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * line.size()));
}
BENCHMARK(BM_ReadLongLineDescription)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
