// libFuzzer target: the whole build (memorizza_percorso) on a line
// description and a train description taken from one input.
//
// Input layout: the first byte's low bit is modo_percorso (1 builds and
// writes the route map); the rest is split at its first NUL byte into the
// line description (before) and the train description (after). Without a
// NUL byte no train description is written, which the build must take as a
// run-time reading fault (code 25), not a crash.
//
// The texts are written into one private temporary directory and every file
// the build leaves there is removed after each run. Any crash, sanitizer
// report, leak or hang is a finding.
#include <stdlib.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "driver/build.h"
#include "model/file_names.h"
#include "model/tables.h"
#include "platform/file_system.h"

namespace {

using scenpack::ScenarioFiles;

std::string make_work_directory() {
  // A memory file system keeps the many small writes cheap where there is one.
  for (const char* base : {"/dev/shm", "/tmp"}) {
    std::string templ = std::string(base) + "/scenpack-fuzz-XXXXXX";
    if (::mkdtemp(templ.data()) != nullptr) return templ;
  }
  std::perror("scenpack fuzz: cannot create a work directory");
  std::abort();
}

const ScenarioFiles& scenario_files() {
  static const ScenarioFiles files{make_work_directory(), "Tarvena1", "84"};
  return files;
}

void remove_everything(const ScenarioFiles& f) {
  for (const std::string& name : {f.line_text(), f.train_text(), f.route_map(), f.records(), f.cells()}) {
    (void)scenpack::remove_file(f.path(name));
  }
}

void remove_work_directory() {
  remove_everything(scenario_files());
  ::rmdir(scenario_files().dir.c_str());
}

void write_or_die(const std::string& path, std::string_view bytes) {
  scenpack::Status s = scenpack::write_file_atomically(path, bytes);
  if (!s.is_ok()) {
    std::fprintf(stderr, "scenpack fuzz: %s\n", s.message().c_str());
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  (void)scenario_files();
  std::atexit(remove_work_directory);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int32_t modo_percorso = data[0] & 1;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t split = input.find('\0');

  const ScenarioFiles& files = scenario_files();
  remove_everything(files);
  write_or_die(files.path(files.line_text()), input.substr(0, split));
  if (split != std::string_view::npos) write_or_die(files.path(files.train_text()), input.substr(split + 1));

  scenpack::Tables t;
  t.nome_scenario = files.nome_scenario;
  t.numero_treno = files.numero_treno;
  (void)scenpack::memorizza_percorso(t, files, modo_percorso);
  remove_everything(files);
  return 0;
}
