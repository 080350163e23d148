#include "finish/reserved_place_fault.h"

#include <optional>
#include <string>

#include "model/cell_roles.h"

namespace scenpack {

void report_taken_reserved_place(const Tables& t, FaultCode stop, FaultSink& sink) {
  constexpr int kReservedCell = kCheckCodeCell;
  const Cella* cell = cell_at(t, kReservedCell);
  const bool marker = stop == FaultCode::kReservedMarkerTaken;
  const bool cell_taken = cell != nullptr && (marker ? CheckCodeCell{*cell}.marker() != 0
                                                     : CheckCodeCell{*cell}.plain_check_code() != 0);
  const std::optional<RelatedPlace> origin = t.origins.origin(kReservedCell);
  if (!cell_taken || !origin) {
    sink.fault(stop);
    return;
  }
  const CellPart part = t.origins.part(kReservedCell);
  const std::string kept = marker ? "the marker 5121" : "the check code";
  sink.fault_said(stop, 0, origin->where,
                  std::string(part_name(part)) + " lands in " + cell_and_metres(kReservedCell, position_offset(part)) +
                      ", where " + kept + " is kept: nothing may stand in cell 1");
}

}  // namespace scenpack
