// Checking a scenario: the whole build (both readers, the cab-code pass and
// the check codes) under check's policy, listing every fault instead of
// stopping at the first, without opening any file for writing, renaming or
// deleting anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/fault_sink.h"
#include "base/status.h"
#include "model/tables.h"
#include "readers/description.h"

namespace scenpack {

// One description to check: where to read it and the name to list it under.
struct CheckedText {
  std::string path;
  std::string shown;
  bool named = false;  // named on the command line: it must be there and readable
};

struct CheckOutcome {
  Status status;  // not ok: a named description cannot be read; nothing was checked
  std::vector<Diagnostic> diagnostics;  // the descriptions' in source order, then the rest
  size_t errors = 0;
  size_t warnings = 0;
  bool stopped = false;  // the limit of errors was reached
  std::string line_bytes;   // the descriptions as read, for showing the
  std::string train_bytes;  // source line of a finding
};

// Checks the two descriptions with route map mode `p` (as build's --no-map
// gives 0), t.nome_scenario and t.numero_treno naming the scenario for its
// check codes. Lists at most `max_errors` errors.
CheckOutcome check_scenario(Tables& t, int32_t p, const CheckedText& line, const CheckedText& train,
                            size_t max_errors);

// The same over two descriptions already in memory (an editor's unsaved
// texts): no file is read. The outcome's status is always ok and its
// bytes are left empty (the caller holds them).
CheckOutcome check_descriptions(Tables& t, int32_t p, const DescriptionText& line, const DescriptionText& train,
                                size_t max_errors);

}  // namespace scenpack
