#pragma once
// One function per kind of asset; each writes its files into the data directory.

#include <string>

namespace assets {

struct Output {
  std::string Dir;        // the data directory being written
  std::string VoicesDir;  // committed spoken recordings (assets/voices)
  std::string IconsDir;   // where the desktop's icon theme folders go; none when empty
  std::string Path(const std::string& file) const { return Dir + "/" + file; }
};

void GenerateArtSheet(const Output& out);   // art.bmp
void GenerateMenus(const Output& out);      // 0m.bmp, 1m.bmp
void GeneratePanels(const Output& out);     // play.bmp, options.bmp, stats.bmp, tourney.bmp
void GenerateBackdrops(const Output& out);  // 0f1.bmp .. 1f5.bmp
void GenerateFields(const Output& out);     // 0f1.fld .. 1f5.fld, 0s.txt, 1s.txt
void GenerateSounds(const Output& out);     // every .wav
void GenerateHelp(const Output& out);       // quillmoor.html
// quillmoor-icon.bmp, marlsmith-icon.bmp; and hicolor/NxN/apps/*.png in IconsDir
void GenerateIcons(const Output& out);
void GenerateHistoryPanel(const Output& out);  // history.bmp

}  // namespace assets
