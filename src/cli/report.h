// The --report file: one JSON object describing how the run ended.
//   {"exit_status": 1, "codice_errore": 101, "posizione_errore": 0,
//    "file": "", "line": 0, "column": 0, "message": "...", "dir": "/x",
//    "files": ["Tarvena1_84.sim", ...], "texts": [...]}
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/errors.h"
#include "base/status.h"

namespace scenpack {

struct RunReport {
  int exit_status = 0;
  ErrorState error_state;          // the final fault state (0 and 0 when none)
  std::string message;             // the line printed on stderr, "" when none
  std::string dir;                 // the directory the run worked in
  std::vector<std::string> files;  // output files written, in order
  std::vector<std::string> texts;  // texts emitted, in order
};

std::string report_json(const RunReport& r);

// Writes the report as a shell's ">" would (into a device or a FIFO as it
// is, through a symbolic link to the file it names), never leaving a torn
// file behind.
Status write_report(const std::string& path, const RunReport& r);

// The first of `run_files` (the files the run reads, writes or deletes) that
// writing the report to `report_path` would replace, by name or by identity;
// "" when there is none.
std::string run_file_under_report(const std::string& report_path, const std::vector<std::string>& run_files);

}  // namespace scenpack
