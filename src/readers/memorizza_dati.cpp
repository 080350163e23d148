#include "readers/memorizza_dati.h"

#include <exception>
#include <string>

#include "platform/file_system.h"
#include "readers/line_reader.h"
#include "readers/read_fault.h"
#include "readers/train_reader.h"

namespace scenpack {
namespace {

constexpr int32_t kReadingFault = 25;

// The one run-time handler of reading: both working texts are deleted
// (where they still exist) and code 25 is recorded with the description
// and line being read. A failed deletion is returned.
Status after_read_fault(Tables& t, const ScenarioFiles& files, const std::string& reading,
                        const ReadFault& fault) {
  const Status line = remove_file(files.path(files.line_text()));
  const Status train = remove_file(files.path(files.train_text()));
  record_fault(t.errore, kReadingFault, std::nullopt, SourceLocation{reading, fault.line});
  return line.is_ok() ? train : line;
}

}  // namespace

Status memorizza_dati(Tables& t, const ScenarioFiles& files) {
  t.schede[85].testo = files.nome_scenario;
  t.schede[86].testo = files.numero_treno;
  std::string reading = files.line_text();
  try {
    const LineHalf line = read_line_description(t, files);
    if (!line.status.is_ok() || !line.train_follows) return line.status;
    reading = files.train_text();
    return read_train_description(t, files, line.board_record);
  } catch (const ReadFault& fault) {
    return after_read_fault(t, files, reading, fault);
  } catch (const std::exception& failure) {
    // Any other run-time failure while reading (no memory for the tables
    // of a long route, say) ends the reading the same way.
    return after_read_fault(t, files, reading, ReadFault{failure.what(), 0});
  }
}

}  // namespace scenpack
