#include "readers/overlaps.h"

#include <string>
#include <utility>

#include "model/tables.h"
#include "readers/track_position.h"

namespace scenpack {
namespace {

std::string metres(int64_t m) { return std::to_string(m) + " m"; }

// "cell 20 (1000-1049 m)"
std::string cell_and_span(int64_t cell) {
  return "cell " + std::to_string(cell) + " (" + std::to_string(cell * kCellLength) + "-" +
         std::to_string(cell * kCellLength + kCellLength - 1) + " m)";
}

}  // namespace

void check_curve_overlap(const Warner& warn, std::optional<EarlierRecord>& furthest, int32_t p, int32_t len,
                         TextPosition at) {
  const int64_t end = static_cast<int64_t>(p) + len;
  if (furthest && len > 0 && p >= furthest->from && p < furthest->to) {
    const std::string earlier = "the curve at " + std::to_string(furthest->from);
    std::string message = "the curve at " + std::to_string(p) + " starts before " + earlier + " ends (" +
                          metres(furthest->to) + "): the map is drawn from where it stands, so ";
    message += end > furthest->to ? "this curve bends over its last " + metres(end - furthest->to) + " only, not " +
                                        std::to_string(len)
                                  : "this curve, ending at " + metres(end) + ", is not drawn at all";
    warn.at(WarningName::kCurveOverlap, at, std::move(message),
            {warn.related(furthest->at, earlier + ", from " + std::to_string(furthest->from) + " to " +
                                            metres(furthest->to))});
  }
  if (!furthest || end > furthest->to) furthest = EarlierRecord{p, end, 0, at};
}

void check_tunnel_inside(const Warner& warn, std::vector<EarlierRecord>& tunnels, int32_t inizio, int32_t fine,
                         int32_t written, int32_t kind, TextPosition at) {
  for (auto outer = tunnels.rbegin(); outer != tunnels.rend(); ++outer) {
    if (inizio < outer->from || inizio >= outer->to) continue;
    const std::string span = " from " + std::to_string(outer->from) + " to " + metres(outer->to);
    std::string message = "the tunnel from " + std::to_string(inizio) + " to " + metres(fine) +
                          " starts inside the tunnel" + span + ": the cells they share get this one's kind " +
                          std::to_string(kind) + ", not " + std::to_string(outer->kind);
    if (kind != written) {
      message += " (kind " + std::to_string(written) +
                 " is made 3: it starts 150 m or less after the previous tunnel's end)";
    }
    warn.at(WarningName::kTunnelInTunnel, at, std::move(message), {warn.related(outer->at, "the tunnel" + span)});
    break;
  }
  tunnels.push_back(EarlierRecord{inizio, fine, kind, at});
}

void check_gradient_cell(const Warner& warn, const GradientFill& fill, int64_t cell_count,
                         std::optional<EarlierRecord>& last, int32_t p, int32_t g, TextPosition at) {
  const auto cell = static_cast<int64_t>(cell_number(p, 0));
  // Out of order (a position before the last one's) is a warning of its own.
  if (last && p >= last->from && cell > 0 && cell <= fill.next_cell && fill.next_cell < cell_count) {
    const std::string earlier = "the gradient at " + std::to_string(last->from);
    // Mostly the cell is this one's own; after several in a row, a later one.
    const std::string filled = fill.next_cell == cell ? "the cell" : cell_and_span(fill.next_cell);
    warn.at(WarningName::kGradientSameCell, at,
            "the gradient at " + std::to_string(p) + " falls in " + cell_and_span(cell) + ", where " + earlier +
                " starts too: " + filled + " gets that one's " + std::to_string(fill.previous) +
                " per mille, and this one's " + std::to_string(g) + " starts at cell " +
                std::to_string(fill.next_cell + 1) + " (" + metres((fill.next_cell + 1) * kCellLength) + ")",
            {warn.related(last->at, earlier + ", whose gradient the cell gets")});
  }
  last = EarlierRecord{p, p, g, at};
}

}  // namespace scenpack
