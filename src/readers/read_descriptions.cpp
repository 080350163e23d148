#include "readers/read_descriptions.h"

#include <exception>
#include <string>

#include "readers/line_reader.h"
#include "readers/read_fault.h"
#include "readers/train_reader.h"

namespace scenpack {
namespace {

// Reads one half. A ReadFault from it records code 25 at the field being
// read in the description called `name`, and so does any other run-time
// failure (no memory for the tables of a long route, say), at no field;
// either asks for both descriptions to be deleted. False when it failed so.
template <typename Half>
bool read_guarded(const std::string& name, FaultSink& sink, ReadingOutcome& out, const Half& half) {
  try {
    half();
    return true;
  } catch (const ReadFault& fault) {
    sink.fault(FaultCode::kReadingFault, 0, SourceLocation{name, fault.line, fault.column}, fault.what);
  } catch (const std::exception& failure) {
    sink.fault(FaultCode::kReadingFault, 0, SourceLocation{name, 0, 0}, failure.what());
  }
  out.delete_line = true;
  out.delete_train = true;
  return false;
}

}  // namespace

LineReading read_line_part(Tables& t, const DescriptionText& line, FaultSink& sink) {
  t.schede[kScenarioRecord].testo = t.nome_scenario;
  t.schede[kTrainRecord].testo = t.numero_treno;
  LineReading out;
  LineHalf half;
  const bool line_read = read_guarded(line.name, sink, out.outcome, [&] {
    half = read_line_description(t, line, sink);
    out.outcome.delete_line = half.delete_line;
  });
  out.train_follows = line_read && half.train_follows;
  out.board_record = half.board_record;
  return out;
}

ReadingOutcome read_train_part(Tables& t, const LineReading& line, const DescriptionText& train, FaultSink& sink) {
  ReadingOutcome out = line.outcome;
  if (!line.train_follows) return out;
  read_guarded(train.name, sink, out, [&] {
    read_train_description(t, train, line.board_record, sink);
    out.delete_train = true;
  });
  return out;
}

ReadingOutcome read_descriptions(Tables& t, const DescriptionText& line, const DescriptionText& train,
                                 FaultSink& sink) {
  return read_train_part(t, read_line_part(t, line, sink), train, sink);
}

}  // namespace scenpack
