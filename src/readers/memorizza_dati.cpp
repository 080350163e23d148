#include "readers/memorizza_dati.h"

#include <exception>
#include <string>

#include "readers/line_reader.h"
#include "readers/read_fault.h"
#include "readers/train_reader.h"

namespace scenpack {

ReadingOutcome memorizza_dati(Tables& t, const DescriptionText& line, const DescriptionText& train,
                              FaultSink& sink, const std::function<void()>& map_drawn) {
  t.schede[85].testo = t.nome_scenario;
  t.schede[86].testo = t.numero_treno;
  ReadingOutcome out;
  const std::string* reading = &line.name;
  try {
    const LineHalf half = read_line_description(t, line, sink);
    out.delete_line = half.delete_line;
    if (!half.train_follows) return out;
    if (map_drawn) map_drawn();
    reading = &train.name;
    read_train_description(t, train, half.board_record, sink);
    out.delete_train = true;
  } catch (const ReadFault& fault) {
    sink.fault(FaultCode::kReadingFault, 0, SourceLocation{*reading, fault.line, fault.column}, fault.what);
    out.delete_line = true;
    out.delete_train = true;
  } catch (const std::exception& failure) {
    // Any other run-time failure while reading (no memory for the tables
    // of a long route, say) ends the reading the same way.
    sink.fault(FaultCode::kReadingFault, 0, SourceLocation{*reading, 0, 0}, failure.what());
    out.delete_line = true;
    out.delete_train = true;
  }
  return out;
}

}  // namespace scenpack
