#include "model/cell_origins.h"

#include <utility>

#include "model/tables.h"

namespace scenpack {
namespace {

// One cell past the last one the longest route can have.
constexpr int64_t kCellBound = (static_cast<int64_t>(kMaxRouteLength) + kRouteMargin) / kCellLength + 2;

std::string_view placed_there(CellPart p) {
  switch (p) {
    case CellPart::kNone: return "";
    case CellPart::kSignal: return "the signal placed there";
    case CellPart::kTextBoard: return "the text board placed there";
    case CellPart::kSpeedBoard: return "the speed board placed there";
    case CellPart::kSlowOrderStart: return "the slow order that starts there";
    case CellPart::kSlowOrderEnd: return "the slow order that ends there";
    case CellPart::kSlowOrderWarning: return "the slow order whose warning cell is there";
    case CellPart::kSlowOrderBoard: return "the slow order whose distance board is there";
    case CellPart::kCodeCut: return "the code cut placed there";
    case CellPart::kStationEnd: return "the station whose end mark is there";
    case CellPart::kCodePointOfSlowOrder: return "the slow order whose code point is there";
  }
  return "";
}

}  // namespace

void CellOrigins::reading(const std::string& file) {
  for (size_t i = 0; i < files_.size(); ++i) {
    if (files_[i] == file) {
      current_ = static_cast<uint8_t>(i + 1);
      return;
    }
  }
  if (files_.size() >= 2) files_.pop_back();  // a line and a train description
  files_.push_back(file);
  current_ = static_cast<uint8_t>(files_.size());
}

CellOrigins::Origin* CellOrigins::entry(int64_t cell) {
  if (cell < 0 || cell >= kCellBound) return nullptr;
  if (static_cast<size_t>(cell) >= cells_.size()) cells_.resize(static_cast<size_t>(cell) + 1);
  return &cells_[static_cast<size_t>(cell)];
}

void CellOrigins::record(int64_t cell, int line, int column, CellPart part, SlowOrderSpan span) {
  if (current_ == 0) return;
  if (Origin* o = entry(cell)) *o = Origin{line, column, current_, part, span};
}

CellPart CellOrigins::part(int64_t cell) const {
  if (cell < 0 || static_cast<size_t>(cell) >= cells_.size()) return CellPart::kNone;
  return cells_[static_cast<size_t>(cell)].part;
}

std::optional<SourceLocation> CellOrigins::place(int64_t cell) const {
  if (part(cell) == CellPart::kNone) return std::nullopt;
  const Origin& o = cells_[static_cast<size_t>(cell)];
  if (o.file == 0 || o.file > files_.size()) return std::nullopt;
  return SourceLocation{files_[o.file - 1u], o.line, o.column};
}

std::optional<RelatedPlace> CellOrigins::origin(int64_t cell) const {
  std::optional<SourceLocation> where = place(cell);
  if (!where) return std::nullopt;
  return RelatedPlace{std::move(*where), std::string(placed_there(part(cell)))};
}

SlowOrderSpan CellOrigins::span(int64_t cell) const {
  if (part(cell) == CellPart::kNone) return {};
  return cells_[static_cast<size_t>(cell)].span;
}

std::string_view part_name(CellPart p) {
  switch (p) {
    case CellPart::kNone: return "";
    case CellPart::kSignal: return "the signal";
    case CellPart::kTextBoard: return "the text board";
    case CellPart::kSpeedBoard: return "the speed board";
    case CellPart::kSlowOrderStart: return "the start of the slow order";
    case CellPart::kSlowOrderEnd: return "the end of the slow order";
    case CellPart::kSlowOrderWarning: return "the warning cell of the slow order";
    case CellPart::kSlowOrderBoard: return "a distance board of the slow order";
    case CellPart::kCodeCut: return "the code cut";
    case CellPart::kStationEnd: return "the end mark of the station";
    case CellPart::kCodePointOfSlowOrder: return "the code point placed for the slow order";
  }
  return "";
}

int position_offset(CellPart p) { return p == CellPart::kCodeCut || p == CellPart::kSlowOrderBoard ? 0 : 1; }

std::string held_by_kind(uint8_t tipo) {
  switch (tipo) {
    case kind::kSignal: return "a signal";
    case kind::kSlowdownEnd: return "the end of a slow order";
    case kind::kSlowdownStart: return "the start of a slow order";
    case kind::kSlowdownWarning: return "the warning cell of a slow order";
    case kind::kSlowdownBoard: return "a distance board of a slow order";
    case kind::kSpeedBoard: return "a speed board";
    case kind::kStationEnd: return "the end mark of a station";
    case kind::kTunnelMarker: return "a tunnel marker";
    case kind::kCodePoint: return "a code point";
    case kind::kNoCode: return "the start of a stretch without code";
    case kind::kTextBoard: return "a text board";
    default: return "something of kind " + std::to_string(tipo);
  }
}

std::string cell_and_metres(int64_t cell, int offset) {
  const int64_t first = (cell - offset) * kCellLength;
  return "cell " + std::to_string(cell) + " (" + std::to_string(first) + "-" +
         std::to_string(first + kCellLength - 1) + " m)";
}

}  // namespace scenpack
