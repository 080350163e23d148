#include "driver/reading_stop.h"

#include "readers/unread_records.h"

namespace scenpack {

std::optional<ReadingStopped> reading_stopped(const SourceLocation& where, std::string_view text,
                                              DescriptionKind kind, bool train_unread) {
  if (where.file.empty() || where.line <= 0) return std::nullopt;
  bool several = false;
  const std::string below = records_below(text, where.line, kind, &several);
  std::string lost;
  if (!below.empty()) {
    lost = below + " below " + (several ? "are" : "is") + " not in the compiled files";
    if (train_unread) lost += ", nor is anything of the train description";
  } else if (train_unread) {
    lost = "nothing of the train description is in the compiled files";
  }
  return ReadingStopped{where, lost};
}

std::optional<Diagnostic> reading_stop_note(const ReadingStopped& stop) {
  if (stop.lost.empty()) return std::nullopt;
  return Diagnostic(Severity::kNote, FaultCode::kNone, 0, stop.where, "the reading stopped here; " + stop.lost);
}

}  // namespace scenpack
