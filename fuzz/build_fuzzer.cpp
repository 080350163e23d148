// libFuzzer target: the build's reading and finishing, and check, on a line
// description and a train description taken from one input, all in memory
// (no file is written per input).
//
// Input layout: the first byte's low bit is modo_percorso (1 builds the route
// map); the rest is split at its first NUL byte into the line description
// (before) and the train description (after). Without a NUL byte there is no
// train description, which both must take as a reading fault, not a crash.
//
// Each input runs twice on fresh tables: under the build's policy (the
// readers, the cab-code pass and the check codes, as build_scenario runs
// them before writing) and under check's. Whenever the build records a
// fault, check must list at least one error. The input's first line, when
// it holds only the characters of a number, must read as a Long exactly as
// std::from_chars and the rounding rule read it (the field reader's fast
// paths against the slow road). Any crash, sanitizer report,
// leak, hang or broken property is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string_view>

#include "finish/cab_codes.h"
#include "finish/check_codes.h"
#include "model/fault_sink.h"
#include "model/tables.h"
#include "readers/description.h"
#include "readers/read_descriptions.h"
#include "../tests/support/reference_number.h"

namespace {

using namespace scenpack;

// Reads, finishes and stores the check codes under `policy`; returns the
// errors listed.
size_t run(FaultPolicy policy, int32_t modo, const DescriptionText& line, const DescriptionText& train,
           Tables& t) {
  t.modo_percorso = modo;
  FaultSink sink(t.error_state, policy, policy == FaultPolicy::kGoOn ? 1000 : std::numeric_limits<size_t>::max());
  (void)read_descriptions(t, line, train, sink);
  if (policy == FaultPolicy::kGoOn && sink.full()) return sink.errors();
  cab_code_pass(t, sink);
  if (FaultCode stop = store_check_codes(t); stop != FaultCode::kNone) {
    if (policy == FaultPolicy::kGoOn) sink.fault(stop);
    else record_fault(t.error_state, stop);
  }
  return sink.errors();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const int32_t modo = data[0] & 1;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const size_t split = input.find('\0');

  DescriptionText line{"Tarvena1_linea.txt", input.substr(0, split), ""};
  DescriptionText train{"Tarvena1_84-.txt", std::nullopt, ""};
  if (split != std::string_view::npos) train.bytes = input.substr(split + 1);

  // A number field by both roads.
  const std::string_view first_line = line.bytes->substr(0, line.bytes->find_first_of("\r\n,"));
  if (!first_line.empty() && first_line.size() <= 64 &&
      first_line.find_first_not_of("+-.0123456789") == std::string_view::npos) {
    using testing_support::field_reader_long;
    using testing_support::reference_long;
    if (!(field_reader_long(first_line) == reference_long(first_line))) {
      std::fprintf(stderr, "the field \"%.*s\" reads otherwise than from_chars reads it\n",
                   static_cast<int>(first_line.size()), first_line.data());
      std::abort();
    }
  }

  Tables built;
  (void)run(FaultPolicy::kStopAtFirst, modo, line, train, built);
  Tables checked;
  const size_t listed = run(FaultPolicy::kGoOn, modo, line, train, checked);
  if (built.error_state.codice_errore != 0 && listed == 0) {
    std::fprintf(stderr, "build recorded fault %d, check listed no error\n", built.error_state.codice_errore);
    std::abort();
  }
  return 0;
}
