#pragma once
// The five kinds of presentation; the game draws them as 1..5 and keeps the number.

#include <cstdint>

namespace qm {

enum PresentationKinds : int16_t {
  Simultaneous = 1,
  Trailing = 2,
  Report = 3,
  FurAndFeather = 4,
  Single = 5,
};

}  // namespace qm
