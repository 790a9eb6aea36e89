// The game state as the headless host's `dump` writes it: names as in code.

#include "app/frm_main.h"
#include "platform/json_text.h"

namespace qm {

namespace {

void DumpPlayer(JsonBuilder& json, const PlayerRecord& p) {
  json.BeginObject()
      .Add("Name", p.Name)
      .Add("Gun", p.Gun)
      .Add("Choke", p.Choke)
      .Add("Skill", p.Skill)
      .Add("Patterning", p.Patterning)
      .Add("Tracking", p.Tracking)
      .Add("HintLine", p.HintLine)
      .Add("TrapHint", p.TrapHint)
      .Add("InvertY", p.InvertY)
      .Add("Autoclear", p.Autoclear)
      .Add("VoiceGender", p.VoiceGender)
      .Add("VoiceCommand", p.VoiceCommand)
      .Add("Thrown", p.Thrown)
      .Add("Hit", p.Hit)
      .Add("Class", p.Class)
      .Add("Warnings", p.Warnings)
      .Add("Penalty", p.Penalty)
      .EndObject();
}

void DumpClay(JsonBuilder& json, const ClayRecord& c) {
  json.BeginObject()
      .Add("State", c.State)
      .Add("X", static_cast<double>(c.X))
      .Add("Y", static_cast<double>(c.Y))
      .Add("VX", static_cast<double>(c.VX))
      .Add("VY", static_cast<double>(c.VY))
      .Add("DragX", static_cast<double>(c.DragX))
      .Add("Gravity", static_cast<double>(c.Gravity))
      .Add("SpriteX", c.SpriteX)
      .Add("SpriteY", c.SpriteY)
      .Add("SizeStep", c.SizeStep)
      .Add("FloorY", c.FloorY)
      .Add("IsRabbit", c.IsRabbit)
      .EndObject();
}

void DumpTrap(JsonBuilder& json, const TrapRecord& t) {
  json.BeginObject()
      .Add("X", t.X)
      .Add("Y", t.Y)
      .Add("DX", static_cast<double>(t.DX))
      .Add("DY", static_cast<double>(t.DY))
      .Add("FloorY", t.FloorY)
      .Add("Direction", t.Direction)
      .Add("Rabbit", t.Rabbit)
      .EndObject();
}

}  // namespace

std::string FrmMain::DumpState() {
  JsonBuilder json;
  json.BeginObject();
  json.Add("CurrentPlayer", Roster.CurrentPlayer);
  json.BeginArray("Players");
  for (const PlayerRecord& p : Roster.Players) DumpPlayer(json, p);
  json.EndArray();
  json.BeginArray("optName");
  for (const auto& button : optName)
    json.BeginObject().Add("Caption", button->Caption()).Add("Value", button->Value()).EndObject();
  json.EndArray();
  json.BeginObject("Settings")
      .Add("RoundSize", Settings.RoundSize)
      .Add("Season", Settings.Season)
      .Add("Tweak", static_cast<double>(Settings.Tweak));
  json.BeginArray("Pairs");
  for (int16_t allowed : Settings.Pairs) json.Add("", static_cast<int>(allowed));
  json.EndArray().EndObject();
  json.Add("FullScreen", App.FullScreen)
      .Add("StartupDone", App.StartupDone)
      .Add("TrapOverride", App.TrapOverride)
      .Add("StationDone", App.StationDone)
      .Add("CurrentField", Menu.CurrentField)
      .Add("HoverIndex", Menu.HoverIndex)
      .Add("SheetKind", static_cast<int16_t>(Scores.SheetKind));
  json.BeginObject("View")
      .Add("PanX", static_cast<double>(View.PanX))
      .Add("PanY", static_cast<double>(View.PanY))
      .Add("SwingX", static_cast<double>(View.SwingX))
      .Add("SwingY", static_cast<double>(View.SwingY))
      .Add("ClayProgress", View.ClayProgress)
      .EndObject();
  json.Add("TrapCount", Field.TrapCount);
  json.BeginArray("Traps");
  for (const TrapRecord& t : Field.Traps) DumpTrap(json, t);
  json.EndArray();
  json.BeginArray("Clays");
  for (const ClayRecord& c : Field.Clays) DumpClay(json, c);
  json.EndArray();
  DumpShootingState(json);
  json.EndObject();
  return json.Text() + "\n";
}

}  // namespace qm
