#include <string>

#include "app/frm_main.h"
#include "platform/message_box.h"

namespace qm {

namespace {

// Choke presets of the three skills, as scroll values (Choke = 20 - value).
constexpr int SkillChokeScroll[3] = {0, 8, 12};

}  // namespace

void FrmMain::ShowPlayerOptions() {
  const PlayerRecord& p = Roster.Players[Roster.CurrentPlayer];
  chkPatterning->SetValue(p.Patterning);
  chkTracking->SetValue(p.Tracking);
  chkHintLine->SetValue(p.HintLine);
  chkTrapHint->SetValue(p.TrapHint);
  chkInvertY->SetValue(p.InvertY == 1 ? 0 : 1);
  chkPatternClear->SetValue(p.Autoclear);
  if (p.Skill >= 0 && p.Skill <= 2) optSkill[p.Skill]->SetValue(true);
  if (Settings.RoundSize == 50) optRoundSize[0]->SetValue(true);
  if (Settings.RoundSize == 100) optRoundSize[1]->SetValue(true);
  // The handlers above may have changed the record (a newly selected skill presets the
  // choke), so read it again.
  const PlayerRecord& q = Roster.Players[Roster.CurrentPlayer];
  lblGunSens->SetCaption(std::to_string(q.Gun));
  hscGunSens->SetValue(q.Gun);
  scrChoke->SetValue(20 - q.Choke);
  DrawChokeCircle();
  if (q.VoiceGender >= 0 && q.VoiceGender <= 1) optGender[q.VoiceGender]->SetValue(true);
  if (q.VoiceCommand >= 0 && q.VoiceCommand <= 2) optWord[q.VoiceCommand]->SetValue(true);
}

void FrmMain::optSkill_Click(int index) {
  Roster.Players[Roster.CurrentPlayer].Skill = static_cast<int16_t>(index);
  scrChoke->SetValue(SkillChokeScroll[index]);
  Roster.Players[Roster.CurrentPlayer].Choke = static_cast<int16_t>(20 - scrChoke->Value());
  DrawChokeCircle();
}

void FrmMain::DrawChokeCircle() {
  const int v = scrChoke->Value();
  shpChoke->Move(v + 280, v + 188, 2 * (20 - v), 2 * (20 - v));
}

void FrmMain::PlayCallPreview() {
  const PlayerRecord& p = Roster.Players[Roster.CurrentPlayer];
  PlaySoundFile(host_,
                "c0" + std::to_string(p.VoiceGender) + std::to_string(p.VoiceCommand) + ".wav",
                SND_ASYNC);
}

void FrmMain::lblOptions_Click(int index) {
  switch (index) {
    case 0: {
      PlayClick();
      int ticked = 0;
      for (auto& box : chkPairs) ticked += box->Value();
      if (ticked == 0) {
        MsgBox(form_, "You must select at least one 'Clays Allowed' Option.",
               vbOKOnly | vbCritical);
        return;
      }
      SaveOptions();
      SaveSettings();
      picOptions->Hide();
      LoadMenuPicture();
      break;
    }
    case 1:
      PlayClick();
      StartFieldEditor();
      break;
    case 2:
      OpenHelp();
      break;
    default:
      break;
  }
}

}  // namespace qm
