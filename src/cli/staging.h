// Copying a description named on the command line into the working
// directory under its working name, without ever touching the source.
#pragma once

#include <string>
#include <vector>

namespace scenpack {

enum class StageError { kNone, kUsage, kUnreadable, kIo };

struct StageResult {
  StageError error = StageError::kNone;
  std::string message;  // "cannot read FILE: reason", ...
};

// Refuses (kUsage) when `source` is the same file as any of `touched` (the
// files the build reads, writes or deletes), compared by file identity,
// so that neither a different spelling nor a hard or symbolic link lets the
// build consume or replace it. kUnreadable when it cannot be opened.
StageResult check_source(const std::string& source, const std::vector<std::string>& touched);

// Copies `source` byte for byte to `target` (replaced atomically).
StageResult copy_source(const std::string& source, const std::string& target);

}  // namespace scenpack
