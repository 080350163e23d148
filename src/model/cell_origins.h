// Which record of which description put something into a track cell, kept
// for the messages of a later clash on that cell: the record's place in its
// description and which part of it landed there. One small entry per cell,
// made only once something is placed (the longest route has about 20,000
// cells).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/errors.h"

namespace scenpack {

// What of a record stands in a cell.
enum class CellPart : uint8_t {
  kNone,
  kSignal,
  kTextBoard,
  kSpeedBoard,
  kSlowOrderStart,
  kSlowOrderEnd,
  kSlowOrderWarning,
  kSlowOrderBoard,
  kCodeCut,
  kStationEnd,
  kCodePointOfSlowOrder,  // placed by the build for the slow order recorded
};

// A slow order as its line writes it, kept with each of its cells: the
// messages of the code points it needs name its start and where it ends.
struct SlowOrderSpan {
  int32_t start = 0;   // metres
  int32_t length = 0;  // metres, as written (it may be below 0)
};

class CellOrigins {
 public:
  // The description whose records are recorded from now on.
  void reading(const std::string& file);
  // `cell` now holds `part` of the record at `line`:`column` of the
  // description being read (`span` for a slow order's parts). A cell
  // beyond the longest route is ignored.
  void record(int64_t cell, int line, int column, CellPart part, SlowOrderSpan span = {});
  // `cell` now holds `part` of the record that `record_cell` was recorded
  // from (a code point the build places for a slow order); nothing when
  // none was.
  // Inline: the cab-code pass records every code point it places.
  void record_as(int64_t cell, int64_t record_cell, CellPart part) {
    if (record_cell < 0 || static_cast<size_t>(record_cell) >= cells_.size()) return;
    const Origin from = cells_[static_cast<size_t>(record_cell)];
    if (from.part == CellPart::kNone) return;
    if (Origin* o = entry(cell)) *o = Origin{from.line, from.column, from.file, part, from.span};
  }
  // The record that put what `cell` holds there, as a related place of a
  // finding ("the text board placed there"); none when no record did.
  std::optional<RelatedPlace> origin(int64_t cell) const;
  // The part of a record that `cell` holds, kNone when none was recorded.
  CellPart part(int64_t cell) const;
  // The record's place alone, without the note's message.
  std::optional<SourceLocation> place(int64_t cell) const;
  // The slow order whose part `cell` holds; zeros for any other record.
  SlowOrderSpan span(int64_t cell) const;
  // Forgets every cell (the cells are made anew).
  void forget_cells() { cells_.clear(); }

 private:
  struct Origin {
    int32_t line = 0;
    int32_t column = 0;
    uint8_t file = 0;  // 1 + index into files_, 0 for nothing recorded
    CellPart part = CellPart::kNone;
    SlowOrderSpan span;
  };
  Origin* entry(int64_t cell);
  std::vector<std::string> files_;
  uint8_t current_ = 0;
  std::vector<Origin> cells_;
};

// The part of a record a cell holds, as a message names it: "the signal",
// "the warning cell of the slow order"; "" for kNone.
std::string_view part_name(CellPart p);

// What a cell of kind `tipo` holds, as a clash names it: "a text board",
// "the warning cell of a slow order".
std::string held_by_kind(uint8_t tipo);

// "cell 207 (10300-10349 m)": the cell and the metres that name it for a
// record whose positions give cell p / 50 + `offset`.
std::string cell_and_metres(int64_t cell, int offset);
// The offset of the part's positions: 0 for code cuts and a slow order's
// distance boards (cell p / 50), else 1.
int position_offset(CellPart p);

}  // namespace scenpack
