#pragma once
// The shot, gun, presentation and timing state shared by the station loops, the trap
// setting, the timing run and the button handler.

#include <array>
#include <cstdint>

#include "platform/sound.h"
#include "sim/presentation_kind.h"

namespace qm {

// A break puff's state; the dump shows the game's numbers.
enum PuffState : int16_t { PuffIdle = 1, PuffRunning = 2 };

struct BreakPuff {
  int16_t State = PuffIdle;
  int16_t X = -40, Y = -40;
  float VY = 0, VX = 0;
  float Frame = 0;
};

struct Fragment {
  int16_t X = -30, Y = -30;
  float VY = 0, VX = 0;
};

// Where the shooter's gun is: low between clays, shouldered to fire. The numbers are the
// ones the state dump prints.
enum class GunPosition : int16_t { Shouldered = 0, Low = 1 };

struct ShotState {
  bool ShootingEnabled = false;
  GunPosition GunLow = GunPosition::Low;
  int16_t GunY = 280;
  bool LaunchPending = false;
  double LaunchTime = 0;
  int16_t ShellsLeft = 0;
  int16_t ShotFired = 0;
  float ShotPanX = 0, ShotPanY = 0;
  float RecoilX = 0;
  int16_t RecoilXStep = 0;
  int16_t RecoilY = 0, RecoilYStep = 0;
  int16_t PresentationHits = 0;
  float HitSwing = 0;
  int16_t PresentationKind = Single;
  int16_t FirstTrap = 0, SecondTrap = 0;
  int16_t LastClay = 0;
  std::array<BreakPuff, 2> Breaks;
  std::array<Fragment, 3> Fragments;
  // Day-clock time of each clay slot's last physics tick, and ticks since its last size change.
  std::array<double, 2> ClayClock{};
  std::array<int16_t, 2> SizeTicks{};
};

struct TimingState {
  float SpeedFactor = 1;
  uint32_t FrameStart = 0, FrameNow = 0;
};

// The cage bump of the pan step: armed once the view is well inside, due when it then
// reaches a side, spent once knocked.
enum class BumpState { Idle, Armed, Due, Spent };

// Local to one run of a station loop.
struct StationState {
  int16_t SpinRow = 172;
  int16_t HintRadius = 0;
  int16_t EjectFrame = 0;
  double TrailDelay = 0;
  BumpState Bump = BumpState::Idle;
};

struct WaveState {
  WaveBuffer CallWave, ShotWave, ClickWave, TrapWave, LandWave, BumpWave;
};

}  // namespace qm
