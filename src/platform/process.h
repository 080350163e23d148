// What the process sets up before any work: its arguments, as UTF-8 text,
// and how the system reports a failing write.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace scenpack {

// The command-line arguments after the program name, as UTF-8 (on Windows
// taken from the wide command line, so any path can be named).
std::vector<std::string> program_arguments(int argc, char** argv);

// Makes a write beyond the file size limit fail with an error (reported,
// the old file kept) instead of killing the process midway, and keeps the
// system from showing dialogs of its own for failed file operations.
void prepare_process();

// Makes stdin and stdout carry bytes as they are: on Windows no CR is added
// before LF and none taken away (a protocol's framing counts every byte).
void use_binary_standard_streams();

// Reads what stdin has ready, up to `size` bytes, waiting only until some
// bytes are there (never until all `size` are); 0 at its end or on an error.
size_t read_standard_input(char* buffer, size_t size);

}  // namespace scenpack
