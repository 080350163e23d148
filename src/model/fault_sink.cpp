#include "model/fault_sink.h"

#include <utility>

namespace scenpack {

void FaultSink::fault(FaultCode code, int32_t position, SourceLocation where, std::string detail,
                      std::vector<RelatedPlace> related) {
  const FaultKind kind = fault_kind(code);
  const int32_t own = kind.sets_position ? position : 0;
  record_fault(state_, code, position, where.file.empty() ? std::nullopt : std::optional<SourceLocation>(where),
               detail, related);
  if (full()) return;  // recorded, no longer listed
  ++errors_;
  if (listing_ == Listing::kNoErrors) return;
  Diagnostic& d = listed_.emplace_back(Severity::kError, code, own, std::move(where),
                                       detail.empty() ? std::string(kind.explanation) : std::move(detail));
  d.related = std::move(related);
}

void FaultSink::fault_said(FaultCode code, int32_t position, SourceLocation where, std::string said,
                           std::vector<RelatedPlace> related) {
  const int32_t own = fault_kind(code).sets_position ? position : 0;
  record_fault(state_, code, position, where.file.empty() ? std::nullopt : std::optional<SourceLocation>(where), {},
               related);
  state_.said = said;
  if (full()) return;
  ++errors_;
  if (listing_ == Listing::kNoErrors) return;
  Diagnostic& d = listed_.emplace_back(Severity::kError, code, own, std::move(where), std::move(said));
  d.related = std::move(related);
}

void FaultSink::fault(FaultCode code, int32_t position) {
  record_fault_of_no_description(state_, code, position);
  if (full()) return;
  ++errors_;
  if (listing_ == Listing::kNoErrors) return;
  const FaultKind kind = fault_kind(code);
  listed_.push_back(Diagnostic{Severity::kError, code, kind.sets_position ? position : 0, SourceLocation{},
                               std::string(kind.explanation)});
}

void FaultSink::say_last(SourceLocation where, std::string said, std::vector<RelatedPlace> related) {
  if (!where.file.empty()) state_.where = std::move(where);
  state_.detail.clear();
  state_.said = std::move(said);
  state_.related = std::move(related);
}

void FaultSink::warning(WarningName name, SourceLocation where, std::string message, std::optional<Fix> fix,
                        std::vector<RelatedPlace> related) {
  if (full()) return;
  ++warnings_;
  Diagnostic& d =
      listed_.emplace_back(Severity::kWarning, FaultCode::kNone, 0, std::move(where), std::move(message), name);
  d.related = std::move(related);
  d.fix = std::move(fix);
}

void FaultSink::note(SourceLocation where, std::string message) {
  if (full()) return;
  listed_.push_back(Diagnostic{Severity::kNote, FaultCode::kNone, 0, std::move(where), std::move(message)});
}

}  // namespace scenpack
