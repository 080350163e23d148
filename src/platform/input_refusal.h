// The reason read_file gives, on every system, for a file refused by size.
#pragma once

#include <cstdint>
#include <string>

namespace scenpack {

// "12884901888 bytes, more than the 268435456 a file of its kind can have"
inline std::string too_large_reason(uint64_t size, uint64_t most_bytes) {
  return std::to_string(size) + " bytes, more than the " + std::to_string(most_bytes) +
         " a file of its kind can have";
}

}  // namespace scenpack
