// Named views of the track cells by role. A cell's fields keep the format's
// names (dato1 .. dato7, tempo); what dato1 to dato4 hold depends on the
// cell's kind, and these views are the one place that says which field that
// is. Code outside the format reaches a cell's values through them ("a
// signal's codes", "a cell's speed limit"), never by a field name.
//
// Each view holds a reference to one cell and gives its fields back by
// reference: a view of a const cell reads, a view of a cell writes.
//   SignalCell signal{cell};  signal.group() = low16(...);
// They are templates over Cella and const Cella, inline and free.
#pragma once

#include <cstdint>
#include <tuple>

#include "model/tables.h"

namespace scenpack {

// Every cell's share of the track, whatever its kind; as members, for the
// runs that fill them cell by cell (fill_cells).
inline constexpr uint8_t Cella::*kSpeedLimitSteps = &Cella::dato5;  // units of 5 km/h
inline constexpr uint8_t Cella::*kGradientByte = &Cella::dato6;     // gradient per mille + 100
inline constexpr uint8_t Cella::*kAdhesion = &Cella::dato7;

template <typename Cell>
auto& speed_limit_steps(Cell& c) { return c.*kSpeedLimitSteps; }
template <typename Cell>
auto& gradient_byte(Cell& c) { return c.*kGradientByte; }
template <typename Cell>
auto& adhesion(Cell& c) { return c.*kAdhesion; }

// Kind 1: a signal. Each code is a left and a right digit (left x 10 +
// right); the group is rapp x 10 + its side kinds.
template <typename Cell>
class SignalCell {
 public:
  explicit SignalCell(Cell& c) : c_(c) {}
  auto& code1() const { return c_.dato1; }
  auto& code2() const { return c_.dato2; }
  auto& code3() const { return c_.dato3; }
  auto& group() const { return c_.dato4; }
  auto& time() const { return c_.tempo; }

 private:
  Cell& c_;
};

// Kinds 2, 3 and 4: a slow order's end, start and warning.
template <typename Cell>
class SlowOrderCell {
 public:
  explicit SlowOrderCell(Cell& c) : c_(c) {}
  auto& speed_kmh() const { return c_.dato1; }
  auto& further_value() const { return c_.dato2; }  // 0: none
  auto& whole_train() const { return c_.dato3; }    // 1: the whole train respects it (not on a warning)

 private:
  Cell& c_;
};

// Kind 5: one of the four distance boards before a slow order's warning.
template <typename Cell>
class SlowOrderBoardCell {
 public:
  explicit SlowOrderBoardCell(Cell& c) : c_(c) {}
  auto& board() const { return c_.dato1; }          // 1 (next to the warning) to 4
  auto& further_board() const { return c_.dato2; }  // the same, when the order has a further value

 private:
  Cell& c_;
};

// Kind 6: a speed board. Each of its three speeds holds the left side's
// speed x 20 plus the right side's / 5; the stripes are left x 10 + right.
template <typename Cell>
class SpeedBoardCell {
 public:
  explicit SpeedBoardCell(Cell& c) : c_(c) {}
  auto& speeds_a() const { return c_.dato1; }
  auto& speeds_b() const { return c_.dato2; }
  auto& speeds_c() const { return c_.dato3; }
  auto& stripes() const { return c_.dato4; }

 private:
  Cell& c_;
};

// Kinds 10 and 14, a station's end mark and a text board: the record that
// holds the station or the board's text.
template <typename Cell>
class RecordCell {
 public:
  explicit RecordCell(Cell& c) : c_(c) {}
  auto& record() const { return c_.dato1; }

 private:
  Cell& c_;
};
// Kind 12, a code point: the cab-signal code it sets.
template <typename Cell>
class CodePointCell {
 public:
  explicit CodePointCell(Cell& c) : c_(c) {}
  auto& cab_code() const { return c_.dato1; }

 private:
  Cell& c_;
};

// What an object puts in its cell, whatever its kind, in the file's order:
// the four values and the time.
template <typename Cell>
auto object_values(Cell& c) {
  return std::tie(c.dato1, c.dato2, c.dato3, c.dato4, c.tempo);
}

// The first of an object's values, whatever its kind.
template <typename Cell>
auto& first_value(Cell& c) {
  return c.dato1;
}

// Cell 1 carries the plain check code and its marker, whatever its kind.
constexpr int kCheckCodeCell = 1;
template <typename Cell>
class CheckCodeCell {
 public:
  explicit CheckCodeCell(Cell& c) : c_(c) {}
  auto& marker() const { return c_.dato1; }  // 5121 once stamped
  auto& plain_check_code() const { return c_.dato2; }

 private:
  Cell& c_;
};

}  // namespace scenpack
