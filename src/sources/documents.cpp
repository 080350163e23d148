#include "sources/documents.h"

namespace scenpack {
namespace {
const std::vector<std::string> kEmpty{"riferimento fine del file"};
}

const std::vector<std::string>& scheda_treno_lines() { return kEmpty; }
const std::vector<std::string>& rallentamenti_lines() { return kEmpty; }
const std::vector<std::string>& note_lines() { return kEmpty; }

}  // namespace scenpack
