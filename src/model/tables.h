// The scenario tables held for the whole build: track cells, records, the
// route map and the tunnel lists, plus the error state.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/cell_origins.h"
#include "model/errors.h"
#include "model/route_geometry.h"

namespace scenpack {

constexpr int32_t kCellLength = 50;          // metres per track cell
constexpr int32_t kRouteMargin = 7000;       // metres added to the route length
constexpr int32_t kMaxRouteLength = 1000000; // longest route accepted (code 1 above)
constexpr int kRecordCount = 87;             // schede 0..86
// The record table's file keeps a text's length in 2 bytes: what is longer
// is cut there when written.
constexpr size_t kLongestRecordText = 0xFFFF;
constexpr int32_t kFirstBoardRecord = 80;    // text boards take records from 80 downward
constexpr int kGeneralDataRecord = 84;       // the train's general data, the route length among them
constexpr int kScenarioRecord = 85;          // the scenario's name and its check codes
constexpr int kTrainRecord = 86;             // the train number and the start clock
constexpr int kTunnelSlots = 81;             // gallerie_* 0..80, tunnel 1 at index 1

// One track cell, 50 m of route. Written to ".dat" as 15 packed bytes.
struct Cella {
  uint8_t tipo = 0;
  int16_t dato1 = 0;
  int16_t dato2 = 0;
  int16_t dato3 = 0;
  int16_t dato4 = 0;
  uint8_t tempo = 0;
  uint8_t avviso = 0;
  uint8_t galleria = 0;
  uint8_t dato5 = 0;  // speed limit in units of 5 km/h
  uint8_t dato6 = 0;  // gradient + 100
  uint8_t dato7 = 0;  // adhesion

  friend bool operator==(const Cella&, const Cella&) = default;
};

// Cell kinds (cella::tipo).
namespace kind {
constexpr uint8_t kNothing = 0;
constexpr uint8_t kSignal = 1;
constexpr uint8_t kSlowdownEnd = 2;
constexpr uint8_t kSlowdownStart = 3;
constexpr uint8_t kSlowdownWarning = 4;
constexpr uint8_t kSlowdownBoard = 5;
constexpr uint8_t kSpeedBoard = 6;
constexpr uint8_t kStationEnd = 10;
constexpr uint8_t kTunnelMarker = 11;
constexpr uint8_t kCodePoint = 12;
constexpr uint8_t kNoCode = 13;
constexpr uint8_t kTextBoard = 14;
}  // namespace kind

// A cell is free when nothing is placed on it but, at most, a tunnel marker.
inline bool is_free(const Cella& c) {
  return c.tipo == kind::kNothing || c.tipo == kind::kTunnelMarker;
}

// One record of the record table. Written to ".sim" field by field.
struct Scheda {
  uint8_t byte1 = 0;
  int32_t lungo1 = 0;
  int32_t lungo2 = 0;
  int32_t lungo3 = 0;
  uint8_t byte2 = 0;
  std::string testo;
  int16_t intero1 = 0;
  int16_t intero2 = 0;
  int16_t intero3 = 0;
  int16_t intero4 = 0;
  int16_t intero5 = 0;
  uint8_t byte3 = 0;
  uint8_t byte4 = 0;
  uint8_t byte5 = 0;
  uint8_t byte6 = 0;
  int32_t lungo4 = 0;

  friend bool operator==(const Scheda&, const Scheda&) = default;
};

struct Tables {
  std::string nome_scenario = "Tarvena1";
  std::string numero_treno = "84";
  int32_t modo_percorso = 0;

  bool celle_sized = false;  // false until the route length has been read
  int32_t n_celle = 0;       // upper bound of celle (size n_celle + 1 once sized)
  int32_t lunghezza_estesa = 0;
  std::vector<Cella> celle;

  std::array<Scheda, kRecordCount> schede{};
  RouteMap mappa;

  std::array<int32_t, kTunnelSlots> gallerie_inizio{};
  std::array<int32_t, kTunnelSlots> gallerie_fine{};
  int32_t n_gallerie = 0;

  ErrorState error_state;
  // Where what the readers placed in each cell came from, for messages.
  CellOrigins origins;
};

// The cell with index `index`, or nullptr when the index lies outside celle.
// Every access to celle by a computed index goes through here or an
// equivalent explicit check.
inline Cella* cell_at(Tables& t, int64_t index) {
  if (index < 0 || index >= static_cast<int64_t>(t.celle.size())) return nullptr;
  return &t.celle[static_cast<size_t>(index)];
}
inline const Cella* cell_at(const Tables& t, int64_t index) {
  if (index < 0 || index >= static_cast<int64_t>(t.celle.size())) return nullptr;
  return &t.celle[static_cast<size_t>(index)];
}

// Sets one Byte field of cells first .. end - 1 to `value` (cells outside
// celle are left alone): the speed, adhesion and gradient runs that cover
// the track cell by cell.
void fill_cells(Tables& t, int64_t first, int64_t end, uint8_t Cella::*field, uint8_t value);

// Sizes celle (and mappa when modo_percorso != 0) from the route length L:
// lunghezza_estesa = L + 7000, n_celle = round_half_even(lunghezza_estesa / 50),
// every cell cleared, every map point Empty (metres 0 .. L + 7000, no run).
// Returns false (nothing changed) when the sizes cannot form a table
// (L + 7000 below 0).
bool size_tables(Tables& t, int32_t route_length);

// Clears records 0..86 (numbers 0, texts "").
void clear_records(Tables& t);

}  // namespace scenpack
