#include "app/frm_main.h"

namespace qm {

FrmMain::FrmMain(Host& host, const GameConfig& config)
    : host_(host),
      config_(config),
      form_(host),
      ini_(config.ConfigDir + "/quillmoor.ini"),
      random_(host.RandomSeed()) {
  // Writers killed mid-write leave temporary settings files; they go at the next start.
  ini_.RemoveStaleTemporaries();
  BuildControls();
  form_.KeyDown = [this](int keyCode, int shift) { Form_KeyDown(keyCode, shift); };
  form_.KeyPress = [this](int keyAscii) { Form_KeyPress(keyAscii); };
  form_.QueryUnload = [this] { Form_QueryUnload(); };
  form_.DumpStateHandler = [this] { return DumpState(); };
  host_.Attach(&form_);
}

FrmMain::~FrmMain() {
  host_.Attach(nullptr);
}

void FrmMain::Run() {
  Form_Load();
  Form_Resize();
  // The menu is live: everything else happens inside event handlers.
  for (;;) form_.WaitForInput();
}

double FrmMain::Rnd() {
  return (random_() >> 8) / 16777216.0;
}

double FrmMain::Timer() {
  return host_.DayClock();
}

void FrmMain::WaitSeconds(double seconds, bool processEvents) {
  const double start = Timer();
  while (Timer() - start < seconds) {
    if (processEvents) {
      form_.DoEvents();
    } else {
      host_.Spin();
    }
  }
}

}  // namespace qm
