#include "finish/check_codes.h"

#include "model/cell_roles.h"
#include "model/numeric.h"
#include "model/record_roles.h"

namespace scenpack {
namespace {

uint8_t lower_1252(uint8_t c) {
  if (c >= 'A' && c <= 'Z') return static_cast<uint8_t>(c + 0x20);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<uint8_t>(c + 0x20);
  switch (c) {
    case 0x8A: return 0x9A;  // S caron
    case 0x8C: return 0x9C;  // OE ligature
    case 0x8E: return 0x9E;  // Z caron
    case 0x9F: return 0xFF;  // Y diaeresis
    default: return c;
  }
}

}  // namespace

std::string lower_case_1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(lower_1252(static_cast<uint8_t>(c)));
  return out;
}

std::string check_text(std::string_view numero_treno, std::string_view nome_scenario) {
  std::string riga = lower_case_1252(numero_treno);
  riga += lower_case_1252(nome_scenario);
  riga += kCheckFiller;
  riga.resize(kCheckedCharacters);  // the filler alone has 26 characters
  return riga;
}

int16_t codice_gara_og(std::string_view numero_treno, std::string_view nome_scenario) {
  int32_t sum = 0;
  for (char c : check_text(numero_treno, nome_scenario)) sum += static_cast<uint8_t>(c);
  return low16(sum);  // at most 25 * 255 = 6375
}

int32_t codice_gara_st(std::string_view numero_treno, std::string_view nome_scenario) {
  int32_t sum = 0;
  int32_t position = 1;
  for (char c : check_text(numero_treno, nome_scenario)) {
    sum += static_cast<uint8_t>(c) * position;
    ++position;
  }
  return sum;  // at most 255 * 325 = 82875
}

int16_t codice_gara_og(const Tables& t) {
  return codice_gara_og(train_record(t.schede).number(), scenario_record(t.schede).name());
}
int32_t codice_gara_st(const Tables& t) {
  return codice_gara_st(train_record(t.schede).number(), scenario_record(t.schede).name());
}

FaultCode store_check_codes(Tables& t) {
  const ScenarioRecord record = scenario_record(t.schede);
  // Cell 1 is missing when the route length was never read (see header).
  Cella* const cell = cell_at(t, kCheckCodeCell);

  if (record.check_code_marker() != 0 || (cell && CheckCodeCell{*cell}.marker() != 0)) {
    return FaultCode::kReservedMarkerTaken;
  }
  record.check_code_marker() = kRecordMarker;
  if (cell) CheckCodeCell{*cell}.marker() = kCellMarker;

  if (record.weighted_check_code() != 0 || (cell && CheckCodeCell{*cell}.plain_check_code() != 0)) {
    return FaultCode::kReservedCodesTaken;
  }
  record.weighted_check_code() = codice_gara_st(t);
  if (cell) CheckCodeCell{*cell}.plain_check_code() = codice_gara_og(t);
  return FaultCode::kNone;
}

}  // namespace scenpack
