// The scenario's two check codes and the reserved places that hold them.
//
// Working text: lower case of (train number followed by scenario name), then
// the filler "qqrrssttuuvvwwxxyyzzppkkjj". Only its first 25 characters count:
// codice_gara_og sums their Windows-1252 codes, codice_gara_st sums each
// code times its 1-based position.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/tables.h"

namespace scenpack {

constexpr std::string_view kCheckFiller = "qqrrssttuuvvwwxxyyzzppkkjj";
constexpr size_t kCheckedCharacters = 25;

// Reserved values stored beside the codes.
constexpr int16_t kRecordMarker = 610;  // in the scenario's record
constexpr int16_t kCellMarker = 5121;   // in cell 1

// Lower case as the Windows-1252 code page has it: A-Z, the accented capitals
// 0xC0-0xDE (not 0xD7, the multiplication sign), and the four capitals
// Š Œ Ž Ÿ at 0x8A, 0x8C, 0x8E, 0x9F. Every other byte is kept.
std::string lower_case_1252(std::string_view text);

// The 25 characters that count, from the train number and the scenario name.
std::string check_text(std::string_view numero_treno, std::string_view nome_scenario);

int16_t codice_gara_og(std::string_view numero_treno, std::string_view nome_scenario);
int32_t codice_gara_st(std::string_view numero_treno, std::string_view nome_scenario);

// The codes of a build, from the train number and the scenario name that
// their records hold.
int16_t codice_gara_og(const Tables& t);
int32_t codice_gara_st(const Tables& t);

// Stores the reserved values and the check codes, after the cab-code pass:
// the markers 610 in the scenario's record and 5121 in cell 1, then the
// weighted code in the scenario's record and the plain code in cell 1. Each pair
// of places must be 0 before: otherwise nothing more is stored and the stop
// code is returned (1250 for the markers, 1251 for the codes). Returns
// kNone when everything was stored.
//
// When the cell table was never sized (the line description failed before
// its route length) cell 1 does not exist: its two values are then neither
// tested nor stored, while the scenario's record is always tested and stored.
FaultCode store_check_codes(Tables& t);

}  // namespace scenpack
