#include "readers/text_boards.h"

#include "model/cell_roles.h"
#include "model/record_roles.h"
#include "readers/track_position.h"

namespace scenpack {

FaultCode place_text_board(Tables& t, int32_t p, std::string_view text, int32_t& board_record) {
  Cella& cell = track_cell(t, cell_number(p, 1));
  if (!is_free(cell)) return FaultCode::kTextBoardOccupied;
  if (board_record < kLastBoardRecord || board_record >= kRecordCount) return FaultCode::kRecordTableFull;
  cell.tipo = kind::kTextBoard;
  RecordCell{cell}.record() = static_cast<int16_t>(board_record);
  TextBoardRecord{t.schede[static_cast<size_t>(board_record)]}.text() = text;
  --board_record;
  return FaultCode::kNone;
}

}  // namespace scenpack
