#pragma once
// The loaded field's traps and the two clay targets of the current presentation.

#include <array>
#include <cstdint>

namespace qm {

enum TrapDirection : int16_t { Incoming = 0, GoingAway = 1, Crossing = 2 };

struct TrapRecord {
  int16_t X = 0;       // launch point on the backdrop
  int16_t Y = 0;       // for a rabbit it also caps the ground line
  float DX = 0;        // starting speed per frame at SpeedFactor 1; its sign is the direction
  float DY = 0;        // positive = upward
  int16_t FloorY = 0;  // ground line: shadows lie on it, a clay falling below it is lost
  int16_t Direction = 0;
  int16_t Rabbit = 0;  // nonzero: the trap can roll a rabbit
};

enum ClayState : int16_t {
  ClayReset = 0,
  ClayLoaded = 1,
  ClayFlying = 2,
  ClayBroken = 3,
  ClayEnded = 4
};

struct ClayRecord {
  int16_t State = ClayReset;
  float X = -20, Y = -20;  // top-left of the sprite
  float VY = 0;            // positive = upward
  float VX = 0;
  float DragX = 0;
  float Gravity = 0;
  int16_t SpriteX = 480;
  int16_t SpriteY = 0;
  int16_t SizeStep = 0;
  int16_t FloorY = 0;
  int16_t IsRabbit = 0;
};

struct FieldState {
  int16_t TrapCount = 0;
  std::array<TrapRecord, 4> Traps;
  std::array<ClayRecord, 2> Clays;
  bool FieldLoaded = false;  // the last LoadField succeeded
};

// The view and the presentation under way.
struct ViewState {
  float PanX = 500, PanY = 300;
  float SwingX = 0, SwingY = 0;
  int16_t ClayProgress = 0;
};

}  // namespace qm
