// Reading a description named on the command line (--line, --train) for
// the build, which reads those bytes in place of its working text.
#pragma once

#include <string>
#include <vector>

namespace scenpack {

enum class StageError { kNone, kUsage, kUnreadable };

struct StageResult {
  StageError error = StageError::kNone;
  std::string message;  // "cannot read FILE: reason", ...
};

// Opens `source` once and reads it whole into `bytes`. What is checked is
// the file that was opened (its kind and identity come from the open file,
// not from a second lookup of the name), so a name pointed elsewhere in
// between cannot pass the check with one file and deliver another.
// kUnreadable when it cannot be opened or read, or is a directory; kUsage
// when it is the same file as any of `touched` (the files the build reads,
// writes or deletes), so that neither a different spelling nor a hard or
// symbolic link lets the build consume or replace it.
StageResult read_source(const std::string& source, const std::vector<std::string>& touched, std::string& bytes);

}  // namespace scenpack
