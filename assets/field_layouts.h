#pragma once
// The traps of the five fields, shared by the field files and the backdrops, so that every
// trap house stands where its clay is launched and every ground line lies on painted ground.
// Both seasons shoot the same five fields; only the artwork changes with the season.

namespace assets {

inline constexpr int FieldCount = 5;
inline constexpr int SeasonCount = 2;
inline constexpr int TrapsPerField = 4;

enum TrapDirection { Incoming = 0, GoingAway = 1, Crossing = 2 };

struct TrapLayout {
  const char* Label;
  int X, Y;       // launch point on the backdrop
  double DX, DY;  // pixels per frame at a speed factor of 1; DY positive is upward
  int FloorY;     // ground line: shadows fall on it, a falling clay below it is lost
  TrapDirection Direction;
  int Rabbit;  // 1: the trap can also roll a rabbit along its ground line
};

struct FieldLayout {
  const char* Name;
  TrapLayout Traps[TrapsPerField];
};

// Launch points keep clear of the cage posts, which hide about x 180..270 and 1330..1420
// of the backdrop as the view swings. Incoming clays start small by the far trees and fall short in
// front of the cage; going-away clays leave a trap house just ahead of the cage and drop towards
// the distance; crossing clays cut across the view; each rabbit runs the whole width of its track
// to the far edge.
inline constexpr FieldLayout FieldLayouts[FieldCount] = {
    {"Open Meadow",
     {{"Trap 1 - Incoming", 1040, 478, -1.8, 4.2, 700, Incoming, 0},
      {"Trap 2 - Going Away", 760, 650, 1.2, 4.5, 525, GoingAway, 0},
      {"Trap 3 - Crossing", 330, 560, 5.5, 3.0, 590, Crossing, 0},
      {"Trap 4 - Rabbit", 1300, 612, -4.0, 2.4, 612, Crossing, 1}}},
    {"Woodland Edge",
     {{"Trap 1 - Incoming", 1240, 488, -2.4, 4.4, 720, Incoming, 0},
      {"Trap 2 - Going Away", 900, 660, -1.4, 4.8, 515, GoingAway, 0},
      {"Trap 3 - Crossing", 420, 530, 5.0, 3.6, 565, Crossing, 0},
      {"Trap 4 - Rabbit", 330, 640, 3.5, 2.2, 640, Crossing, 1}}},
    {"Hillside",
     {{"Trap 1 - Incoming", 1060, 372, -2.2, 3.4, 700, Incoming, 0},
      {"Trap 2 - Going Away", 700, 665, 1.4, 5.0, 480, GoingAway, 0},
      {"Trap 3 - Crossing", 1260, 440, -5.2, 2.8, 600, Crossing, 0},
      {"Trap 4 - Rabbit", 1300, 600, -3.0, 2.6, 600, Incoming, 1}}},
    {"Lakeside",
     {{"Trap 1 - Incoming", 1060, 470, -1.6, 4.0, 705, Incoming, 0},
      {"Trap 2 - Going Away", 800, 668, 0.8, 5.0, 480, GoingAway, 0},
      {"Trap 3 - Crossing", 300, 600, 5.2, 3.2, 615, Crossing, 0},
      {"Trap 4 - Rabbit", 1300, 628, -3.6, 2.0, 628, GoingAway, 1}}},
    {"Valley",
     {{"Trap 1 - Incoming", 900, 500, -1.2, 4.6, 710, Incoming, 0},
      {"Trap 2 - Going Away", 700, 662, 1.0, 4.6, 560, GoingAway, 0},
      {"Trap 3 - Crossing", 360, 468, 5.4, 2.6, 620, Crossing, 0},
      {"Trap 4 - Rabbit", 330, 650, 3.8, 2.2, 650, Crossing, 1}}},
};

inline constexpr const char* SeasonNames[SeasonCount] = {"Summer Meadows", "Autumn Moors"};

}  // namespace assets
