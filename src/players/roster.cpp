#include <algorithm>
#include <string>

#include "app/frm_main.h"
#include "platform/message_box.h"
#include "players/rating.h"

namespace qm {

namespace {

bool IsEmptyPosition(const std::string& caption) {
  const std::string name = TrimSpaces(caption);
  return name.empty() || name == NoShooter;
}

}  // namespace

int FrmMain::LoadPlayer(int n) {
  PlayerRecord& p = Roster.Players[n];
  const std::string section = "Player" + std::to_string(n);
  Settings.IniText = ReadIniText(section, "Name", "");
  p.Name = Settings.IniText.empty() ? std::string(NoShooter)
                                    : LeftChars(Settings.IniText, NameMeaningfulLength);
  p.Name = TrimSpaces(p.Name);
  optName[n]->SetCaption(p.Name);

  // The start-up rating: only a shooter with hits is rated; the label otherwise keeps
  // its "Class D". Counts are then zeroed, each run of the program starts afresh.
  p.Thrown = ReadIniInt(section, "Thrown", 0);
  p.Hit = ReadIniInt(section, "Hit", 0);
  if (p.Hit > 0) {
    p.Class = RateScore(p.Hit, p.Thrown).Class;
    lblScores[n]->SetCaption("Class " + p.Class);
  }
  p.Thrown = 0;
  p.Hit = 0;

  const int gunRead = ReadIniInt(section, "Gun", 0);
  // A hand-edited value outside the sensitivity scale is held at its end, which is where the
  // scroll bar would show it anyway.
  p.Gun = gunRead == 0 ? 8 : static_cast<int16_t>(std::clamp(gunRead, 5, 80));
  // Held to the choke scroll bar's range too, so the panel's circle is the pattern shot.
  p.Choke = ReadIniInt16(section, "Choke", 0);
  p.Choke = p.Choke == 0 ? 8 : std::clamp<int16_t>(p.Choke, 8, 20);
  p.Skill = ReadIniInt16(section, "Skill", 0);
  p.Patterning = ReadIniInt16(section, "Patterning", 0);
  p.Tracking = ReadIniInt16(section, "Tracking", 0);
  p.HintLine = ReadIniInt16(section, "HintLine", 0);
  p.TrapHint = ReadIniInt16(section, "TrapHint", 0);
  p.InvertY = ReadIniInt16(section, "InvertY", 1);
  p.Autoclear = ReadIniInt16(section, "Autoclear", 0);
  p.VoiceGender = ReadIniInt16(section, "VoiceGender", 0);
  p.VoiceCommand = ReadIniInt16(section, "VoiceCommand", 0);
  if (n == 0) lblShooting[0]->SetCaption(optName[0]->Caption());
  return gunRead;
}

void FrmMain::FirstRunAdvice() {
  App.MessageText =
      "Before playing you must first create a Player in the Shooter List." + CR + LF + CR + LF +
      "After creating a Shooter, you need to configure Options for gameplay." + CR + LF + CR + LF +
      "If this is your first time playing Vantor Quillmoor, we highly recommend" + CR + LF +
      "reading the Help File for a complete understanding of the game.";
  MsgBox(form_, App.MessageText, vbOKOnly | vbInformation);
  AddNewPlayer(0);
}

void FrmMain::AskForNewName(int position) {
  MsgBox(form_, "Please add a Player Name for Shooter Position " + std::to_string(position + 1),
         vbOKOnly | vbInformation);
  ShowNameEntry();
  optName[position]->SetCaption(TrimSpaces(Roster.NewPlayerName));
  lblShooting[position]->SetCaption(optName[position]->Caption());
  Roster.Players[position].Name = PadNameField(Roster.NewPlayerName);
  App.ApiResult =
      WriteIni("Player" + std::to_string(position), "Name", Roster.Players[position].Name);
  // A new shooter starts at the first skill, with its choke.
  optSkill_Click(0);
}

void FrmMain::AddNewPlayer(int position) {
  AskForNewName(position);
  WipeTransition(*picSelect);
  picSelect->Hide();
  RefillPlayerList();
  LoadSeasonList();
  picOptions->Show();
}

void FrmMain::RefillPlayerList() {
  cmbPlayer->Clear();
  for (auto& button : optName) cmbPlayer->AddItem(button->Caption());
  cmbPlayer->SetListIndex(Roster.CurrentPlayer);
}

void FrmMain::optName_MouseUp(int index, int button, int, int, int) {
  Roster.CurrentPlayer = static_cast<int16_t>(index);
  const int n = Roster.CurrentPlayer;
  if (button == LeftButton) {
    lblShooting[n]->SetCaption(optName[n]->Caption());
    lblWhosUp->Move(lblWhosUp->Left(), lblShooting[n]->Top());
    if (IsEmptyPosition(optName[n]->Caption())) AddNewPlayer(index);
    ShowPlayerOptions();
  } else if (button == RightButton) {
    if (IsEmptyPosition(optName[n]->Caption())) {
      AddNewPlayer(n);
      return;
    }
    ShowNameEntry();
    if (CharCount(Roster.NewPlayerName) > NameMeaningfulLength) {
      MsgBox(form_, "Player names can be up to 25 characters... truncating.");
    }
    optName[n]->SetCaption(Roster.NewPlayerName);
    lblShooting[n]->SetCaption(Roster.NewPlayerName);
    Roster.Players[n].Name = PadNameField(Roster.NewPlayerName);
    App.ApiResult = WriteIni("Player" + std::to_string(index), "Name", Roster.Players[n].Name);
  }
}

void FrmMain::cmbPlayer_Click() {
  SaveOptions();
  const int picked = cmbPlayer->ListIndex();
  if (picked < 0) return;
  if (LeftChars(cmbPlayer->List(picked), 10) == NoShooter) {
    Roster.CurrentPlayer = static_cast<int16_t>(picked);
    const int n = Roster.CurrentPlayer;
    AskForNewName(n);
    RefillPlayerList();
    optName[n]->SetValue(true);
    return;
  }
  Roster.CurrentPlayer = static_cast<int16_t>(picked);
  optName[picked]->SetValue(true);
  ShowPlayerOptions();
}

void FrmMain::ShowNameEntry() {
  txtPlayerName->SetText("");
  form_.ShowModal(*frmPlayer);
}

void FrmMain::frmPlayer_KeyPress(int keyAscii) {
  if (keyAscii == KeyReturn) lblNameDone_Click();
}

void FrmMain::lblNameDone_Click() {
  // A name of blanks would leave the position looking empty, so it is refused like no name.
  if (TrimSpaces(txtPlayerName->Text()).empty()) return;
  Roster.NewPlayerName = txtPlayerName->Text();
  if (CharCount(Roster.NewPlayerName) > NameMeaningfulLength) {
    MsgBox(form_, "Player names can be up to 25 characters... truncating.");
    Roster.NewPlayerName = LeftChars(Roster.NewPlayerName, NameMeaningfulLength);
  }
  frmPlayer->Hide();
}

}  // namespace qm
