// The fenced blocks of a Markdown page, by their info string.
#pragma once

#include <map>
#include <optional>
#include <sstream>
#include <string>

namespace scenpack::testing_support {

// "```text linea_valle.txt" ... "```" gives the block "text linea_valle.txt",
// its lines each ended by "\n".
inline std::map<std::string, std::string> fenced_blocks(const std::string& page) {
  std::map<std::string, std::string> blocks;
  std::optional<std::string> open;
  std::istringstream in(page);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("```", 0) == 0) {
      if (open) {
        open.reset();
      } else {
        open = line.substr(3);
        blocks[*open];
      }
    } else if (open) {
      blocks[*open] += line + "\n";
    }
  }
  return blocks;
}

}  // namespace scenpack::testing_support
