// The build sequence build_scenario: read the descriptions into the
// tables, finish the track cells, store the check codes and write the three
// compiled files. The only code that opens, deletes and writes the files of
// a build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/status.h"
#include "driver/output_files.h"
#include "driver/reading_stop.h"
#include "model/fault_sink.h"
#include "model/file_names.h"
#include "model/tables.h"
#include "platform/disk.h"

namespace scenpack {

// How the build knows one of its two descriptions.
struct WorkingText {
  std::string shown;  // the name its faults are reported under; "" for the working name
  bool ours = false;  // written by scenpack in this run: deleted when the reading is done with it
  // A file named on the command line, read already: the build reads these
  // bytes instead of the working text in DIR, which it neither reads nor
  // deletes. Must outlive the build.
  const std::string* given = nullptr;
};

// The two descriptions. By default they are the working texts an author
// left in DIR: read and kept.
struct BuildInputs {
  WorkingText line;
  WorkingText train;
};

// How a build ended. Data faults are not here: they are in t.error_state.
struct BuildOutcome {
  Status status;                           // not ok: a file could not be read, written or deleted
  int32_t stop_code = 0;                   // 1250 or 1251: stopped before any output file
  std::vector<std::string> files_written;  // output file names, in order
  std::vector<Diagnostic> warnings;        // what the readers warned about
  // Each place where a reading stopped at a fault, with what the compiled
  // files therefore lack: the line description's, then the train's.
  std::vector<ReadingStopped> stops;
  // The working descriptions as read from DIR, for showing the source line
  // of a finding ("" for one given as bytes, or not read).
  std::string line_bytes;
  std::string train_bytes;
};

// The build, steps in order:
//  1. modo_percorso := p; codice_errore := 0 (the position is kept);
//  2. records 0..86 cleared;
//  3. read_descriptions reads both descriptions (data faults do not stop the
//     build); the working texts scenpack made in this run are deleted as
//     the reading says, an author's are kept;
//  4. the cab-code pass, then the reserved values and the check codes
//     (1250 / 1251 end the build here: stop_code says so, and the command
//     that ran the build shows the message box);
//  5. "_linea.dat" when p != 0, then ".sim" and ".dat".
// Every file is read, written and deleted through `disk`.
BuildOutcome build_scenario(Tables& t, const ScenarioFiles& files, int32_t p, const BuildInputs& inputs = {},
                            Disk& disk = system_disk());

// Steps 4 and 5 on tables already read; faults of the pass go to `sink`. A
// route map whose writing was started already (`map`) is put in place in
// its turn, or dropped when the build stops first.
BuildOutcome finish_build(Tables& t, const ScenarioFiles& files, FaultSink& sink, RouteMapWriting* map = nullptr,
                          Disk& disk = system_disk());

}  // namespace scenpack
