// The shooting state as the headless `dump` writes it, by the names in code.

#include "app/frm_main.h"
#include "platform/json_text.h"

namespace qm {

namespace {

const char* BumpName(BumpState bump) {
  switch (bump) {
    case BumpState::Armed:
      return "Armed";
    case BumpState::Due:
      return "Due";
    case BumpState::Spent:
      return "Spent";
    default:
      return "Idle";
  }
}

}  // namespace

void FrmMain::DumpShootingState(JsonBuilder& json) const {
  json.BeginObject("Shot")
      .Add("ShootingEnabled", Shot.ShootingEnabled)
      .Add("GunLow", static_cast<int16_t>(Shot.GunLow))
      .Add("GunY", Shot.GunY)
      .Add("LaunchPending", Shot.LaunchPending)
      .Add("LaunchTime", Shot.LaunchTime)
      .Add("ShellsLeft", Shot.ShellsLeft)
      .Add("ShotFired", Shot.ShotFired)
      .Add("ShotPanX", static_cast<double>(Shot.ShotPanX))
      .Add("ShotPanY", static_cast<double>(Shot.ShotPanY))
      .Add("RecoilX", static_cast<double>(Shot.RecoilX))
      .Add("RecoilXStep", Shot.RecoilXStep)
      .Add("RecoilY", Shot.RecoilY)
      .Add("RecoilYStep", Shot.RecoilYStep)
      .Add("PresentationHits", Shot.PresentationHits)
      .Add("HitSwing", static_cast<double>(Shot.HitSwing))
      .Add("PresentationKind", Shot.PresentationKind)
      .Add("FirstTrap", Shot.FirstTrap)
      .Add("SecondTrap", Shot.SecondTrap)
      .Add("LastClay", Shot.LastClay);
  json.BeginArray("Breaks");
  for (const BreakPuff& puff : Shot.Breaks) {
    json.BeginObject()
        .Add("State", puff.State)
        .Add("X", puff.X)
        .Add("Y", puff.Y)
        .Add("VX", static_cast<double>(puff.VX))
        .Add("VY", static_cast<double>(puff.VY))
        .Add("Frame", static_cast<double>(puff.Frame))
        .EndObject();
  }
  json.EndArray();
  json.BeginArray("Fragments");
  for (const Fragment& chip : Shot.Fragments) {
    json.BeginObject()
        .Add("X", chip.X)
        .Add("Y", chip.Y)
        .Add("VX", static_cast<double>(chip.VX))
        .Add("VY", static_cast<double>(chip.VY))
        .EndObject();
  }
  json.EndArray();
  json.BeginArray("ClayClock");
  for (double tick : Shot.ClayClock) json.Add("", tick);
  json.EndArray();
  json.BeginArray("SizeTicks");
  for (int16_t ticks : Shot.SizeTicks) json.Add("", static_cast<int>(ticks));
  json.EndArray();
  json.EndObject();

  json.BeginObject("Timing")
      .Add("SpeedFactor", static_cast<double>(Timing.SpeedFactor))
      .Add("FrameStart", static_cast<long long>(Timing.FrameStart))
      .Add("FrameNow", static_cast<long long>(Timing.FrameNow))
      .EndObject();

  if (RunningStation == nullptr) return;
  const StationState& station = *RunningStation;
  json.BeginObject("Station")
      .Add("SpinRow", station.SpinRow)
      .Add("HintRadius", station.HintRadius)
      .Add("EjectFrame", station.EjectFrame)
      .Add("TrailDelay", station.TrailDelay)
      .Add("Bump", BumpName(station.Bump))
      .EndObject();
}

}  // namespace qm
