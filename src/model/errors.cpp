#include "model/errors.h"

#include <utility>

namespace scenpack {

std::string_view explanation(int32_t code) {
  if (code == 0) return "";
  const std::string_view why = fault_kind(static_cast<FaultCode>(code)).explanation;
  return why;
}

void record_fault(ErrorState& e, FaultCode code, int32_t position, std::optional<SourceLocation> where,
                  std::string detail, std::vector<RelatedPlace> related) {
  record_fault_of_no_description(e, code, position);
  e.where = std::move(where);
  e.detail = std::move(detail);
  e.related = std::move(related);
}

void record_fault_of_no_description(ErrorState& e, FaultCode code, int32_t position) {
  e.codice_errore = code_number(code);
  if (fault_kind(code).sets_position) {
    e.posizione_errore = position;
    e.own_position = position;
  } else {
    e.own_position.reset();
  }
  e.where.reset();
  e.detail.clear();
  e.said.clear();
  e.related.clear();
}

namespace {

std::string numbered_fault_text(int32_t code, std::optional<int32_t> position, std::string_view detail) {
  std::string m = "Errore n. " + std::to_string(code);
  if (position) m += ", posizione " + std::to_string(*position);
  const std::string_view why = detail.empty() ? explanation(code) : detail;
  if (!why.empty()) {
    m += ": ";
    m += why;
  }
  return m;
}

}  // namespace

std::string fault_text(int32_t code, int32_t own_position, std::string_view detail) {
  const bool positioned = code != 0 && fault_kind(static_cast<FaultCode>(code)).sets_position;
  return numbered_fault_text(code, positioned ? std::optional<int32_t>(own_position) : std::nullopt, detail);
}

std::string fault_message(const ErrorState& e) {
  std::string m = "scenpack:";
  if (e.where && !e.where->file.empty()) {
    m += e.where->file + ":";
    if (e.where->line > 0) {
      m += std::to_string(e.where->line) + ":";
      if (e.where->column > 0) m += std::to_string(e.where->column) + ":";
    }
  }
  return m + " " + numbered_fault_text(e.codice_errore, e.own_position.value_or(0), e.detail);
}

}  // namespace scenpack
