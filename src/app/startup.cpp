#include "app/frm_main.h"
#include "geometry/art_regions.h"
#include "platform/message_box.h"

namespace qm {

namespace {

constexpr int LargeFontTwips = 15;

}  // namespace

void FrmMain::Form_Load() {
  // The data directory is already the current directory (the program shell sees to it).
  App.HelpFile = config_.DataDir + "/quillmoor.html";
  const ScreenMetrics metrics = host_.Metrics();
  App.TwipsPerPixelX = metrics.TwipsPerPixelX;
  App.TwipsPerPixelY = metrics.TwipsPerPixelY;
  App.DesktopWidth = metrics.WidthPx;
  App.DesktopHeight = metrics.HeightPx;

  App.FullScreen = static_cast<int16_t>(ReadIniInt("Settings", "FullScreen", 0));
  if (App.FullScreen != 0) {
    chkFullScreen->SetValue(1);
    ChangeResolution(640, 480);
  }

  App.MessageText =
      "Quillmoor requires a 'Small Font' video driver, or needs to be run Full Screen Mode." + CR +
      LF + "Would you like to play in Full Screen Mode." + CR + LF +
      "('No' will exit the game, and you will need to load a Small Font video driver before "
      "playing).";
  // Kept: both axes are asked about, so a large-font desktop puts the question twice.
  for (int32_t twips : {App.TwipsPerPixelX, App.TwipsPerPixelY}) {
    if (twips >= LargeFontTwips) continue;
    if (MsgBox(form_, App.MessageText, vbYesNo | vbCritical) == vbNo) form_.Unload(0);
    chkFullScreen->SetValue(1);
    App.FullScreen = 1;
    ChangeResolution(640, 480);
  }
}

void FrmMain::CentrePanels() {
  for (PictureBox* panel :
       {picMain.get(), picSelect.get(), picOptions.get(), picStats.get(), picTourney.get()}) {
    panel->Move(Form::Width / 2 - panel->Width() / 2, Form::Height / 2 - panel->Height() / 2);
  }
}

void FrmMain::Form_Resize() {
  if (App.StartupDone) return;
  form_.Refresh();
  WaitSeconds(1, false);
  CentrePanels();
  form_.Invalidate();
  PlayIntro();

  Settings.Season = static_cast<int16_t>(ReadIniInt("Settings", "Season", 0));
  LoadMenuPicture();
  picWork->Hide();
  picWork->MakePersistent();
  picSelect->Show();
  form_.Refresh();

  LoadSettings();
  for (auto& button : optName) button->Show();
  App.StartupDone = true;
}

void FrmMain::PlayIntro() {
  const int w = Form::Width, h = Form::Height;
  BitBlt(form_.Draw(), w / 2 - 115, h / 2 - 46, art::TitleLogoW, art::TitleLogoH, picArt->Image(),
         art::TitleLogoX, art::TitleLogoY, RasterOp::Copy);
  PlaySoundFile(host_, "c001.wav", SND_ASYNC);
  WaitSeconds(1.5, true);
  form_.Cls();
  PlaySoundFile(host_, "s000.wav", SND_ASYNC);
  BitBlt(form_.Draw(), w / 2 - 153, h / 2 - 105, art::MakerLogoW, art::MakerLogoH, picArt->Image(),
         art::MakerLogoX, art::MakerLogoY, RasterOp::Copy);
  WaitSeconds(2, true);
}

void FrmMain::Form_QueryUnload() {
  if (App.FullScreen != 0) ChangeResolution(App.DesktopWidth, App.DesktopHeight);
}

}  // namespace qm
