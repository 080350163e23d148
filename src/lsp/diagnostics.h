// The findings of check on a pair of descriptions, as the editor shows
// them: one list of LSP diagnostics for each document of the pair (and for
// a scenario file that could not be read).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "lsp/description_pair.h"
#include "lsp/editor_text.h"
#include "model/fault_sink.h"

namespace scenpack {

// One description of the pair as the check reads it.
struct DescriptionInput {
  std::string path;  // "" when the pair has no such description
  std::string uri;
  std::optional<std::string> bytes;               // the Windows-1252 bytes; none when not found
  std::vector<UnconvertibleCharacter> unconvertible;  // what the editor's text could not keep
  size_t unconvertible_count = 0;
};

struct Publication {
  std::string uri;
  nlohmann::json diagnostics = nlohmann::json::array();
  // A quick fix (an LSP code action) for each finding that has one mend,
  // with the diagnostic it mends.
  nlohmann::json fixes = nlohmann::json::array();
};

// Checks the pair (route map built, as build does) and sorts its findings
// into one publication for each description that has a path, in the order
// line, train; then one for a scenario file that could not be read.
std::vector<Publication> diagnose(const DescriptionPair& pair, const DescriptionInput& line,
                                  const DescriptionInput& train);

// The findings of check as the editor shows them: each at its field, the
// warnings' names and the faults' codes as `code`, the related places as
// `relatedInformation` in whichever description of the pair holds them.
std::vector<Publication> publish_findings(const std::vector<Diagnostic>& findings, const DescriptionInput& line,
                                          const DescriptionInput& train);

// An LSP range on one line.
nlohmann::json line_range(size_t line, size_t start, size_t end);

}  // namespace scenpack
