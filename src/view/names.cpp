#include "view/names.h"

#include <charconv>

#include "model/cell_roles.h"
#include "model/record_roles.h"

namespace scenpack {
namespace {

struct KindName {
  uint8_t tipo;
  std::string_view name;
};

constexpr KindName kKindNames[] = {
    {kind::kNothing, "nothing"},
    {kind::kSignal, "signal"},
    {kind::kSlowdownEnd, "slow-order end"},
    {kind::kSlowdownStart, "slow-order start"},
    {kind::kSlowdownWarning, "slow-order warning"},
    {kind::kSlowdownBoard, "slow-order board"},
    {kind::kSpeedBoard, "speed board"},
    {kind::kStationEnd, "station end"},
    {kind::kTunnelMarker, "tunnel marker"},
    {kind::kCodePoint, "code point"},
    {kind::kNoCode, "no code"},
    {kind::kTextBoard, "text board"},
};

bool in_use(const Scheda& s) { return !(s == Scheda{}); }

bool text_only(const Scheda& s) {
  Scheda numbers = s;
  numbers.testo.clear();
  return !s.testo.empty() && numbers == Scheda{};
}

}  // namespace

std::string_view cell_kind_name(uint8_t tipo) {
  for (const KindName& k : kKindNames) {
    if (k.tipo == tipo) return k.name;
  }
  return "unknown";
}

std::optional<uint8_t> cell_kind_from_name(std::string_view name) {
  for (const KindName& k : kKindNames) {
    if (k.name == name) return k.tipo;
  }
  unsigned value = 0;
  const auto r = std::from_chars(name.data(), name.data() + name.size(), value);
  if (r.ec == std::errc() && r.ptr == name.data() + name.size() && !name.empty() && value <= 255) {
    return static_cast<uint8_t>(value);
  }
  return std::nullopt;
}

const std::vector<uint8_t>& known_cell_kinds() {
  static const std::vector<uint8_t> kinds = [] {
    std::vector<uint8_t> v;
    for (const KindName& k : kKindNames) v.push_back(k.tipo);
    return v;
  }();
  return kinds;
}

int64_t cell_metre(int64_t cell, uint8_t tipo) {
  switch (tipo) {
    case kind::kSignal:
    case kind::kSlowdownEnd:
    case kind::kSlowdownStart:
    case kind::kSlowdownWarning:
    case kind::kSlowdownBoard:
    case kind::kSpeedBoard:
    case kind::kTextBoard:
      return (cell - 1) * kCellLength;
    case kind::kStationEnd:
      return (cell + 1) * kCellLength;
    default:
      return cell * kCellLength;
  }
}

std::array<std::string, kRecordCount> record_roles(const std::array<Scheda, kRecordCount>& schede,
                                                    const std::vector<Cella>* celle) {
  std::array<std::string, kRecordCount> roles;
  std::array<bool, kRecordCount> board{};
  if (celle) {
    for (const Cella& c : *celle) {
      if (c.tipo != kind::kTextBoard) continue;
      const int16_t record = RecordCell{c}.record();
      if (record >= 1 && record <= kFirstBoardRecord) board[static_cast<size_t>(record)] = true;
    }
  } else {
    for (int r = kFirstBoardRecord; r >= 1 && text_only(schede[static_cast<size_t>(r)]); --r) board[static_cast<size_t>(r)] = true;
  }
  for (int r = 0; r < kRecordCount; ++r) {
    const size_t i = static_cast<size_t>(r);
    std::string& role = roles[i];
    if (board[i]) role = "text board " + std::to_string(kFirstBoardRecord + 1 - r);
    else if (r >= kFirstStationRecord && r <= kFirstBoardRecord && in_use(schede[i])) role = "station " + std::to_string(r);
    else if (r == kGeneralDataRecord) role = "general data";
    else if (r == kScenarioRecord) role = "scenario and check code";
    else if (r == kTrainRecord) role = "train and start clock";
    else role = "free";
    const int chainage = r - kFirstChainageRecord;
    if (chainage >= 0 && chainage < kChainageRecordCount) role = "chainage " + std::to_string(chainage + 1);
  }
  return roles;
}

}  // namespace scenpack
