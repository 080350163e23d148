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

// Opens `source` once and reads it whole into `bytes`. What is checked is
// the file that was opened (its kind and identity come from the open file,
// not from a second lookup of the name), so a name pointed elsewhere in
// between cannot pass the check with one file and deliver another.
// kUnreadable when it cannot be opened or read, or is a directory; kUsage
// when it is the same file as any of `touched` (the files the build reads,
// writes or deletes), so that neither a different spelling nor a hard or
// symbolic link lets the build consume or replace it.
StageResult read_source(const std::string& source, const std::vector<std::string>& touched, std::string& bytes);

// Writes the bytes read from a source to `target` (replaced atomically).
StageResult write_staged(const std::string& target, const std::string& bytes);

}  // namespace scenpack
