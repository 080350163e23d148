// What a cell kind and a record's place in the table mean, by name, and the
// route position a cell stands for.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/tables.h"

namespace scenpack {

// "signal", "slow-order start", "code point", ...; "unknown" for a kind no
// build writes.
std::string_view cell_kind_name(uint8_t tipo);

// A kind named as cell_kind_name() gives it, or by its number.
std::optional<uint8_t> cell_kind_from_name(std::string_view name);

// Every kind a build writes, in number order.
const std::vector<uint8_t>& known_cell_kinds();

// The metre a cell stands for, as the description that placed it counts:
// signals, slow orders and boards sit in cell p / 50 + 1, so (cell - 1) * 50;
// code points and stretches without code in cell p / 50, so cell * 50; a
// station end mark one cell before the far end, so (cell + 1) * 50; any other
// cell its own start, cell * 50.
int64_t cell_metre(int64_t cell, uint8_t tipo);

// The role of each record: "free", "station N", "text board N", "chainage
// 1" to "chainage 3", "general data", "scenario and check code", "train and
// start clock". Text boards are the records named by text-board cells (when
// the cells are known) or else the run of records holding only a text from
// 80 downward; stations are the records in use from 1 upward.
std::array<std::string, kRecordCount> record_roles(const std::array<Scheda, kRecordCount>& schede,
                                                    const std::vector<Cella>* celle);

}  // namespace scenpack
