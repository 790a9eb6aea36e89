#include "app/frm_main.h"
#include "platform/message_box.h"

namespace qm {

void FrmMain::ChangeResolution(int32_t width, int32_t height) {
  // Full screen is the desktop-sized window with the 640x480 picture scaled into it; the
  // host never changes the real display mode.
  if (host_.ChangeDisplayMode(width, height)) return;
  App.ApiResult = static_cast<int16_t>(
      MsgBox(form_,
             "Your Video Card can not switch resolutions on the Fly.  Please consult with the "
             "manufacturer for help obtaining newer drivers.",
             vbOKOnly | vbExclamation));
  App.FullScreen = 0;
  App.ApiResult = WriteIni("Settings", "FullScreen", 0L);
}

void FrmMain::chkFullScreen_MouseUp(int, int, int, int) {
  App.FullScreen = static_cast<int16_t>(chkFullScreen->Value());
  if (App.FullScreen == 1) {
    ChangeResolution(640, 480);
    CentrePanels();
    picOptions->Show();
  } else {
    App.MessageText =
        "Quillmoor requires a 'Small Font' video driver unless run in Full Screen Mode." + CR + LF +
        "Your current driver is not set to use Small Fonts at resolutions above VGA." + CR + LF +
        "The game will stay at this resolution.";
    if (App.TwipsPerPixelX < 15 || App.TwipsPerPixelY < 15) {
      MsgBox(form_, App.MessageText, vbOKOnly | vbExclamation);
      App.FullScreen = 1;
      chkFullScreen->SetValue(1);
    } else {
      ChangeResolution(App.DesktopWidth, App.DesktopHeight);
      CentrePanels();
      picOptions->Show();
    }
  }
  App.ApiResult = WriteIni("Settings", "FullScreen", static_cast<long>(App.FullScreen));
}

}  // namespace qm
