// Creates every control of the main form, in stacking order, and wires its handlers.

#include <algorithm>
#include <string>

#include "app/frm_main.h"
#include "geometry/menu_layout.h"
#include "geometry/options_panel_layout.h"
#include "geometry/roster_layout.h"
#include "geometry/score_card_layout.h"
#include "geometry/tourney_panel_layout.h"
#include "platform/ui_paint.h"

namespace qm {

namespace {

std::unique_ptr<PictureBox> MakePanel(Form& form, const char* name) {
  auto panel = std::make_unique<PictureBox>(form, nullptr, name, Form::Width, Form::Height);
  panel->Hide();
  return panel;
}

template <typename T>
void Place(T& control, const Rect& r) {
  control.Move(r.X, r.Y, r.W, r.H);
}

constexpr int ShooterRowTop[4] = {384, 406, 430, 452};

// Dark ink on the options panel's parchment; the menu and play screen are dark wood and
// take light text.
constexpr TextStyle OnParchment{FontFace::Sans, 13, 0x2A1A0A};

// The name entry is a small board of its own: a wooden frame and title bar, like the signs of
// the menu, around a parchment face like the options panel's, with a plank for Done.
constexpr int NameEntryW = 340, NameEntryH = 150;
constexpr Rect NameTitleBar{5, 5, NameEntryW - 10, 22};
constexpr Rect NameFace{7, 31, NameEntryW - 14, NameEntryH - 38};
constexpr Rect NameBoxRect{22, 66, NameEntryW - 44, 24};
constexpr Rect NameDoneRect{NameEntryW - 124, NameEntryH - 48, 100, 32};
constexpr uint32_t DarkWood = 0x4E331E, MidWood = 0x674020, LightWood = 0x8C5F34;
constexpr uint32_t WoodShadow = 0x2A180B, Parchment = 0xE9D8B6, ParchmentEdge = 0xD4BC93;
constexpr uint32_t CreamText = 0xF6EACC, InkText = 0x4A2A12;

// Faint grain: darker streaks along a board, the same every time.
void WoodGrain(Surface& s, const Rect& r, uint32_t streak) {
  for (int y = r.Y + 2; y < r.Y + r.H - 1; y += 3) {
    const int start = r.X + (y * 37) % 23;
    const int length = r.W / 3 + (y * 53) % (r.W / 2 + 1);
    ui::HLine(s, start, y, std::min(length, r.X + r.W - start - 1), streak);
  }
}

// A raised wooden edge: light above and to the left, dark below and to the right.
void WoodEdge(Surface& s, const Rect& r) {
  ui::HLine(s, r.X, r.Y, r.W, LightWood);
  ui::VLine(s, r.X, r.Y, r.H, LightWood);
  ui::HLine(s, r.X, r.Y + r.H - 1, r.W, WoodShadow);
  ui::VLine(s, r.X + r.W - 1, r.Y, r.H, WoodShadow);
}

Surface PaintNameEntry() {
  Surface look(NameEntryW, NameEntryH, DarkWood);
  WoodGrain(look, {0, 0, NameEntryW, NameEntryH}, 0x452C19);
  WoodEdge(look, {0, 0, NameEntryW, NameEntryH});
  WoodEdge(look, {1, 1, NameEntryW - 2, NameEntryH - 2});

  FillRect(look, NameTitleBar, MidWood);
  WoodGrain(look, NameTitleBar, 0x5C391C);
  WoodEdge(look, NameTitleBar);

  // The parchment darkens towards its edge, and a thin ink line frames it.
  FillRect(look, NameFace, ParchmentEdge);
  FillRect(look, ui::Inflate(NameFace, -3), 0xDFCBA6);
  FillRect(look, ui::Inflate(NameFace, -6), Parchment);
  ui::Frame1(look, NameFace, WoodShadow);
  ui::Frame1(look, ui::Inflate(NameFace, -9), 0xBFA477);

  // The Done plank, with its shadow and two brass nails.
  const Rect plank = NameDoneRect;
  FillRect(look, {plank.X + 3, plank.Y + 3, plank.W, plank.H}, 0x9C8460);
  FillRect(look, plank, 0x744D2A);
  WoodGrain(look, plank, 0x68431F);
  WoodEdge(look, plank);
  ui::FillDisc(look, plank.X + 7, plank.Y + plank.H / 2, 2, 0xE6D3A0);
  ui::FillDisc(look, plank.X + plank.W - 8, plank.Y + plank.H / 2, 2, 0xE6D3A0);
  return look;
}

}  // namespace

void FrmMain::BuildControls() {
  // Hidden pictures: the art sheet, the backdrop store and the frame being composed.
  picArt = std::make_unique<PictureBox>(form_, nullptr, "picArt", 712, 1100);
  picArt->Hide();
  picArt->LoadPicture("art.bmp");
  picMask = std::make_unique<PictureBox>(form_, nullptr, "picMask", 1600, 800);
  picMask->Hide();
  picWork = std::make_unique<PictureBox>(form_, nullptr, "picWork", 600, 340);
  picWork->Hide();

  BuildPlayControls();
  BuildMenuControls();
  BuildOptionsControls();
  BuildStatsControls();
  BuildHistoryControls();
  picTourney = MakePanel(form_, "picTourney");
  picTourney->LoadPicture("tourney.bmp");
  BuildTourneyControls();
  BuildNameEntry();
}

void FrmMain::BuildPlayControls() {
  picMain = MakePanel(form_, "picMain");
  picMain->LoadPicture("play.bmp");
  Control* panel = picMain.get();
  picMain->MouseDown = [this](int b, int s, int x, int y) { picMain_MouseDown(b, s, x, y); };
  picMain->MouseMove = [this](int b, int s, int x, int y) { picMain_MouseMove(b, s, x, y); };
  const TextStyle rowStyle{FontFace::SansBold, 14, 0xF4E9C8};
  for (int n = 0; n < 4; ++n) {
    const std::string index = std::to_string(n);
    lblShooting[n] = std::make_unique<Label>(form_, panel, "lblShooting", n);
    lblShooting[n]->Move(104, ShooterRowTop[n], 300, 20);
    lblShooting[n]->Style = rowStyle;
    lblShooting[n]->SetCaption("Player " + std::to_string(n + 1));
    lblClaysThrown[n] = std::make_unique<Label>(form_, panel, "lblClaysThrown", n);
    lblClaysThrown[n]->Move(434, ShooterRowTop[n], 60, 20);
    lblClaysThrown[n]->Style = rowStyle;
    lblClaysThrown[n]->Alignment = Label::Align::Center;
    // The Hit column of the picture ends where the Status box begins: a narrow label and a
    // smaller face keep three digits inside it.
    lblClaysHit[n] = std::make_unique<Label>(form_, panel, "lblClaysHit", n);
    lblClaysHit[n]->Move(504, ShooterRowTop[n] + 2, 20, 18);
    lblClaysHit[n]->Style = {FontFace::SansBold, 10, rowStyle.Rgb};
    lblClaysHit[n]->Alignment = Label::Align::Center;
  }
  lblWhosUp = std::make_unique<Label>(form_, panel, "lblWhosUp");
  lblWhosUp->Move(76, ShooterRowTop[0], 12, 12);
  lblWhosUp->Style = {FontFace::SansBold, 12, 0xFFD24A};
  lblWhosUp->SetCaption("\u25B6");
  // Status and Mode stay inside the picture's box (its right edge is at x 620), so the
  // longest text, "Gun Shouldered", takes a face that fits it whole.
  const TextStyle boxStyle{FontFace::SansBold, 10, 0xFFE9A8};
  lblStatus = std::make_unique<Label>(form_, panel, "lblStatus");
  lblStatus->Move(528, 406, 91, 20);
  lblStatus->Style = boxStyle;
  lblMode = std::make_unique<Label>(form_, panel, "lblMode");
  lblMode->Move(528, 452, 91, 20);
  lblMode->Style = boxStyle;
  for (int i = 0; i < 2; ++i) {
    lblFieldInfo[i] = std::make_unique<Label>(form_, panel, "lblFieldInfo", i);
    lblFieldInfo[i]->Style = {FontFace::SansBold, 13, 0xF4E9C8};
  }
  lblFieldInfo[0]->Move(124, 6, 126, 20);
  lblFieldInfo[1]->Move(254, 6, 370, 20);
}

void FrmMain::BuildMenuControls() {
  picSelect = MakePanel(form_, "picSelect");
  picSelect->MouseMove = [this](int b, int s, int x, int y) { picSelect_MouseMove(b, s, x, y); };
  for (int i = 0; i < MenuItemCount; ++i) {
    auto& item = lblMain[i];
    item = std::make_unique<Label>(form_, picSelect.get(), "lblMain", i);
    Place(*item, MenuItemRects[i]);
    if (i < MenuFieldCount) item->ToolTipText = "Practice this Field";
    item->MouseDown = [this, i](int b, int s, int x, int y) { lblMain_MouseDown(i, b, s, x, y); };
    item->MouseMove = [this, i](int b, int s, int x, int y) { lblMain_MouseMove(i, b, s, x, y); };
    item->MouseUp = [this, i](int b, int s, int x, int y) { lblMain_MouseUp(i, b, s, x, y); };
  }
  for (int n = 0; n < 4; ++n) {
    optName[n] = std::make_unique<OptionButton>(form_, picSelect.get(), "optName", n, "roster");
    Place(*optName[n], OptNameRect(n));
    optName[n]->PushButtonStyle = true;
    optName[n]->SetCaption(NoShooter);
    optName[n]->Hide();
    optName[n]->MouseUp = [this, n](int b, int s, int x, int y) { optName_MouseUp(n, b, s, x, y); };
    lblScores[n] = std::make_unique<Label>(form_, picSelect.get(), "lblScores", n);
    Place(*lblScores[n], ScoresRect(n));
    lblScores[n]->Style = {FontFace::SansBold, 13, 0xF4E9C8};
    lblScores[n]->SetCaption("Class D");
  }
}

void FrmMain::BuildOptionsControls() {
  picOptions = MakePanel(form_, "picOptions");
  picOptions->LoadPicture("options.bmp");
  Control* panel = picOptions.get();
  auto check = [&](const char* name, const Rect& r, int index = -1) {
    auto box = std::make_unique<CheckBox>(form_, panel, name, index);
    Place(*box, r);
    box->Style = OnParchment;
    return box;
  };
  cmbPlayer = std::make_unique<ComboBox>(form_, panel, "cmbPlayer");
  Place(*cmbPlayer, CmbPlayerRect);
  cmbPlayer->ToolTipText = "Change Current Player";
  cmbPlayer->Click = [this] { cmbPlayer_Click(); };
  cmbSeason = std::make_unique<ComboBox>(form_, panel, "cmbSeason");
  Place(*cmbSeason, CmbSeasonRect);
  cmbSeason->ToolTipText = "Change Game Artwork";
  cmbSeason->Click = [this] { cmbSeason_Click(); };

  auto player = [this]() -> PlayerRecord& { return Roster.Players[Roster.CurrentPlayer]; };
  chkInvertY = check("chkInvertY", ChkInvertYRect);
  chkInvertY->ToolTipText = "Invert Y-Axis of Mouse";
  chkInvertY->Click = [this, player] { player().InvertY = chkInvertY->Value() == 1 ? -1 : 1; };
  chkTracking = check("chkTracking", ChkTrackingRect);
  chkTracking->ToolTipText = "Show Clay Trails";
  chkTracking->Click = [this, player] {
    player().Tracking = static_cast<int16_t>(chkTracking->Value());
  };
  chkPatternClear = check("chkPatternClear", ChkPatternClearRect);
  chkPatternClear->ToolTipText = "Clear Patterns after Shooting";
  chkPatternClear->Click = [this, player] {
    player().Autoclear = static_cast<int16_t>(chkPatternClear->Value());
  };
  chkHintLine = check("chkHintLine", ChkHintLineRect);
  chkHintLine->ToolTipText = "Point to Traps";
  chkHintLine->Click = [this, player] {
    player().HintLine = static_cast<int16_t>(chkHintLine->Value());
  };
  chkPatterning = check("chkPatterning", ChkPatterningRect);
  chkPatterning->ToolTipText = "Display Shotgun Patterns";
  chkPatterning->Click = [this, player] {
    player().Patterning = static_cast<int16_t>(chkPatterning->Value());
  };
  chkTrapHint = check("chkTrapHint", ChkTrapHintRect);
  chkTrapHint->ToolTipText = "Display Trap Locators";
  chkTrapHint->Click = [this, player] {
    player().TrapHint = static_cast<int16_t>(chkTrapHint->Value());
  };

  hscGunSens = std::make_unique<ScrollBar>(form_, panel, "hscGunSens");
  Place(*hscGunSens, HscGunSensRect);
  hscGunSens->Min = 5;
  hscGunSens->Max = 80;
  hscGunSens->Change = [this, player] {
    player().Gun = static_cast<int16_t>(hscGunSens->Value());
    lblGunSens->SetCaption(std::to_string(player().Gun));
  };
  lblGunSens = std::make_unique<Label>(form_, panel, "lblGunSens");
  Place(*lblGunSens, LblGunSensRect);
  lblGunSens->Style = {FontFace::SansBold, 13, OnParchment.Rgb};
  lblGunSens->Alignment = Label::Align::Center;

  shpChoke = std::make_unique<Shape>(form_, panel, "shpChoke");
  shpChoke->BorderColor = 0x0000C0;
  scrChoke = std::make_unique<ScrollBar>(form_, panel, "scrChoke");
  Place(*scrChoke, ScrChokeRect);
  scrChoke->Min = 0;
  scrChoke->Max = 12;
  scrChoke->LargeChange = 2;
  scrChoke->Change = [this, player] {
    player().Choke = static_cast<int16_t>(20 - scrChoke->Value());
    DrawChokeCircle();
  };

  for (int i = 0; i < 3; ++i) {
    optSkill[i] = std::make_unique<OptionButton>(form_, panel, "optSkill", i, "skill");
    Place(*optSkill[i], OptSkillRect(i));
    optSkill[i]->Style = OnParchment;
    optSkill[i]->Click = [this, i] { optSkill_Click(i); };
    optWord[i] = std::make_unique<OptionButton>(form_, panel, "optWord", i, "word");
    Place(*optWord[i], OptWordRect(i));
    optWord[i]->Style = OnParchment;
    optWord[i]->MouseUp = [this, player, i](int, int, int, int) {
      player().VoiceCommand = static_cast<int16_t>(i);
      PlayCallPreview();
    };
  }
  for (int i = 0; i < 2; ++i) {
    optGender[i] = std::make_unique<OptionButton>(form_, panel, "optGender", i, "gender");
    Place(*optGender[i], OptGenderRect(i));
    optGender[i]->Style = OnParchment;
    optGender[i]->MouseUp = [this, player, i](int, int, int, int) {
      player().VoiceGender = static_cast<int16_t>(i);
      PlayCallPreview();
    };
    optRoundSize[i] = std::make_unique<OptionButton>(form_, panel, "optRoundSize", i, "round");
    Place(*optRoundSize[i], OptRoundSizeRect(i));
    optRoundSize[i]->Style = OnParchment;
    optRoundSize[i]->MouseUp = [this, i](int, int, int, int) {
      Settings.RoundSize = static_cast<int16_t>(i == 0 ? 50 : 100);
    };
  }
  for (int i = 0; i < 5; ++i) {
    chkPairs[i] = check("chkPairs", ChkPairsRect(i), i);
    chkPairs[i]->MouseUp = [this, i](int, int, int, int) {
      Settings.Pairs[i] = static_cast<int16_t>(chkPairs[i]->Value());
    };
  }
  chkFullScreen = check("chkFullScreen", ChkFullScreenRect);
  chkFullScreen->ToolTipText = "Toggle Full Screen Mode";
  chkFullScreen->MouseUp = [this](int b, int s, int x, int y) {
    chkFullScreen_MouseUp(b, s, x, y);
  };
  for (int i = 0; i < 3; ++i) {
    lblOptions[i] = std::make_unique<Label>(form_, panel, "lblOptions", i);
    Place(*lblOptions[i], LblOptionsRect(i));
    lblOptions[i]->Click = [this, i] { lblOptions_Click(i); };
  }
}

void FrmMain::BuildStatsControls() {
  picStats = MakePanel(form_, "picStats");
  picStats->LoadPicture("stats.bmp");
  Control* panel = picStats.get();
  txtStats = std::make_unique<TextBox>(form_, panel, "txtStats");
  Place(*txtStats, TxtStatsRect);
  txtStats->MultiLine = true;
  txtStats->Locked = true;
  txtStats->Style = {FontFace::Mono, 11, 0x000000};
  lblStatsDone = std::make_unique<Label>(form_, panel, "lblStatsDone");
  Place(*lblStatsDone, LblStatsDoneRect);
  lblStatsDone->Click = [this] { lblStatsDone_Click(); };
  lblPrint = std::make_unique<Label>(form_, panel, "lblPrint");
  Place(*lblPrint, LblPrintRect);
  lblPrint->Click = [this] { lblPrint_Click(); };
  for (int n = 0; n < 4; ++n) {
    lblReset[n] = std::make_unique<Label>(form_, panel, "lblReset", n);
    Place(*lblReset[n], LblResetRect(n));
    lblReset[n]->ToolTipText = "Reset Scores for this Shooter";
    lblReset[n]->Click = [this, n] { lblReset_Click(n); };
  }
}

void FrmMain::BuildNameEntry() {
  frmPlayer = std::make_unique<PictureBox>(form_, nullptr, "frmPlayer", NameEntryW, NameEntryH);
  frmPlayer->Hide();
  frmPlayer->SetPicture(PaintNameEntry());
  lblNameTitle = std::make_unique<Label>(form_, frmPlayer.get(), "lblNameTitle");
  lblNameTitle->Move(14, 7, NameEntryW - 28, 18);
  lblNameTitle->Style = {FontFace::SansBold, 13, CreamText};
  lblNameTitle->SetCaption("Quillmoor");
  lblNamePrompt = std::make_unique<Label>(form_, frmPlayer.get(), "lblNamePrompt");
  lblNamePrompt->Move(22, 42, NameEntryW - 44, 18);
  lblNamePrompt->Style = {FontFace::Sans, 13, InkText};
  lblNamePrompt->SetCaption("Type the shooter's name and press Enter:");
  txtPlayerName = std::make_unique<TextBox>(form_, frmPlayer.get(), "txtPlayerName");
  Place(*txtPlayerName, NameBoxRect);
  lblNameDone = std::make_unique<Label>(form_, frmPlayer.get(), "lblNameDone");
  // The label has no vertical centring of its own: it starts where the text sits mid-plank.
  lblNameDone->Move(NameDoneRect.X, NameDoneRect.Y + 6, NameDoneRect.W, NameDoneRect.H - 6);
  lblNameDone->Alignment = Label::Align::Center;
  lblNameDone->Style = {FontFace::SansBold, 15, CreamText};
  lblNameDone->SetCaption("Done");
  lblNameDone->Click = [this] { lblNameDone_Click(); };
  frmPlayer->KeyPress = [this](int keyAscii) { frmPlayer_KeyPress(keyAscii); };
}

}  // namespace qm
