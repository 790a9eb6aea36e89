#include <string>

#include "app/frm_main.h"
#include "platform/file_read.h"
#include "platform/message_box.h"

namespace qm {

namespace {
// A season's name is its file's first line; nothing past this is ever looked at.
constexpr std::size_t MaxSeasonFileBytes = 4096;
}  // namespace

void FrmMain::LoadSeasonList() {
  cmbSeason->Clear();
  // A missing, empty or unreadable season file leaves that season out, silently.
  for (int n = 0; n <= 1; ++n) {
    const auto text = ReadFileHead(std::to_string(n) + "s.txt", MaxSeasonFileBytes);
    if (!text || text->empty()) continue;
    std::string line = text->substr(0, text->find('\n'));
    if (!line.empty() && line.back() == '\r') line.pop_back();
    cmbSeason->AddItem(line);
  }
  if (Settings.Season >= 0 && Settings.Season < cmbSeason->ListCount())
    cmbSeason->SetListIndex(Settings.Season);
}

void FrmMain::cmbSeason_Click() {
  // Takes effect on the next return to the menu, the next field and the next highlight.
  Settings.Season = static_cast<int16_t>(cmbSeason->ListIndex());
}

void FrmMain::LoadMenuPicture() {
  const std::string file = std::to_string(Settings.Season) + "m.bmp";
  if (!picSelect->LoadPicture(file)) {
    MsgBox(form_,
           "The main menu picture \"" + file + "\" could not be loaded." + CR + LF +
               "The game's data files may be damaged; please reinstall Quillmoor.",
           vbOKOnly | vbCritical);
  }
  picSelect->Show();
}

}  // namespace qm
