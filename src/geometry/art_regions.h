#pragma once
// Every region of the art sheet that the game addresses, by name, place and kind. The game
// draws from these names, the asset generator's painters place their pictures by them and
// the art sheet test checks the painted sheet against the same table, so a region cannot
// move without all three noticing.

#include <string>
#include <vector>

namespace qm::art {

inline constexpr int ArtSheetWidth = 712;
inline constexpr int ArtSheetHeight = 1100;

enum class ArtKind {
  Sprite,    // picture combined with OR through the mask at (MaskX, MaskY), same size
  Mask,      // drawn alone with AND: black marks, white elsewhere
  Copy,      // opaque picture copied as it stands
  Glyph,     // a bitmap-font cell: copied, and never blank
  WipeLine,  // copied; runs past the sheet's right edge
};

struct ArtRegion {
  std::string Name;
  ArtKind Kind;
  int X, Y, W, H;
  int MaskX = -1, MaskY = -1;
};

// Geometry the painters share with the game's drawing code.
inline constexpr int ClayPictureX = 480, ClayMaskX = 496, ClayColumnPitch = 32;
inline constexpr int ClaySpinRow0 = 172, ClaySpinPitch = 36, ClaySizePitch = 6;
inline constexpr int ClayW = 16, ClayH = 6, ClayColours = 4, ClaySpins = 3, ClaySizes = 6;
inline constexpr int ShadowX = 480, ShadowY = 328;
inline constexpr int DustX = 484, DustY = 358, DustW = 8, DustH = 4;
inline constexpr int RabbitPictureX = 546, RabbitMaskX = 556, RabbitPitch = 20, RabbitY = 133;
inline constexpr int RabbitSize = 10, RabbitColours = 3;
inline constexpr int ShellX = 80, ShellPitch = 70, ShellPictureY = 0, ShellMaskY = 62;
inline constexpr int ShellW = 70, ShellH = 62, ShellPictures = 8;
inline constexpr int GunPictureX = 80, GunMaskX = 274, GunY = 133, GunW = 194, GunH = 230;
inline constexpr int GunShortH = 218;
inline constexpr int CloudX = 620, CloudPictureY = 0, CloudMaskY = 180, CloudSize = 60;
inline constexpr int PuffX = 80, PuffY = 640, PuffSize = 20, PuffFrames = 20;
inline constexpr int PostW = 40, PostH = 892;  // rows 0..891 cover every parallax offset
inline constexpr int RailW = 222, RailH = 124, RailX = 480;
inline constexpr int LeftRailPictureY = 438, LeftRailMaskY = 562;
inline constexpr int RightRailPictureY = 686, RightRailMaskY = 810;
inline constexpr int FieldPlateX = 80, FieldPlateY = 368, FieldPlateW = 82, FieldPlateH = 35;
inline constexpr int TrapPlateX = 80, TrapPlateY = 594, TrapPlateW = 45, TrapPlateH = 24;
inline constexpr int SignW = 190, BannerH = 78, NoticeH = 60;
inline constexpr int LoadingSignX = 80, LoadingSignY = 438;
inline constexpr int WarningSignX = 270, WarningSignY = 516;
inline constexpr int PenaltySignX = 270, PenaltySignY = 576;
inline constexpr int PlayerBannerX = 270, PlayerBannerY = 438;
inline constexpr int StationBannerX = 80, StationBannerY = 516;
inline constexpr int FontX = 80, FontPitch = 14, FontUpperY = 958, FontLowerY = 972;
inline constexpr int FontDigitY = 986, FontCell = 14, FontLowerW = 12;
inline constexpr int StripY = 1000, StripH = 50;
inline constexpr int MakerLogoX = 80, MakerLogoY = 660, MakerLogoW = 306, MakerLogoH = 210;
inline constexpr int TitleLogoX = 128, TitleLogoY = 868, TitleLogoW = 230, TitleLogoH = 90;
inline constexpr int WipeX = 74, WipeY = 2, WipeW = 640;

struct ChipPlace {
  int X, Y, W, H;
};
inline constexpr ChipPlace Chips[] = {{629, 214, 3, 3}, {670, 214, 3, 2}, {637, 253, 2, 3}};

inline std::vector<ArtRegion> ArtRegions() {
  std::vector<ArtRegion> r;
  const std::string colourNames[] = {"orange", "yellow", "green", "white"};
  for (int c = 0; c < ClayColours; ++c)
    for (int spin = 0; spin < ClaySpins; ++spin)
      for (int size = 0; size < ClaySizes; ++size) {
        const int y = ClaySpinRow0 + spin * ClaySpinPitch + size * ClaySizePitch;
        r.push_back({"clay " + colourNames[c] + " spin " + std::to_string(spin) + " size " +
                         std::to_string(size),
                     ArtKind::Sprite, ClayPictureX + ClayColumnPitch * c, y, ClayW, ClayH,
                     ClayMaskX + ClayColumnPitch * c, y});
      }
  for (int size = 0; size < ClaySizes; ++size)
    r.push_back({"clay shadow " + std::to_string(size), ArtKind::Mask, ShadowX,
                 ShadowY + size * ClaySizePitch, ClayW, ClayH});
  for (int c = 0; c < RabbitColours; ++c)
    r.push_back({"rabbit " + std::to_string(c), ArtKind::Sprite, RabbitPictureX + RabbitPitch * c,
                 RabbitY, RabbitSize, RabbitSize, RabbitMaskX + RabbitPitch * c, RabbitY});
  r.push_back({"rabbit dust", ArtKind::Mask, DustX, DustY, DustW, DustH});
  for (int i = 0; i < 4; ++i)
    r.push_back({"trap plate " + std::to_string(i + 1), ArtKind::Copy, TrapPlateX + TrapPlateW * i,
                 TrapPlateY, TrapPlateW, TrapPlateH});
  for (int f = 0; f < PuffFrames; ++f)
    r.push_back({"break puff " + std::to_string(f), ArtKind::Mask, PuffX + PuffSize * f, PuffY,
                 PuffSize, PuffSize});
  for (int i = 0; i < 3; ++i)
    r.push_back({"chip " + std::to_string(i), ArtKind::Mask, Chips[i].X, Chips[i].Y, Chips[i].W,
                 Chips[i].H});
  r.push_back({"cage post strip", ArtKind::Copy, 0, 0, PostW, PostH});
  r.push_back(
      {"left rail", ArtKind::Sprite, RailX, LeftRailPictureY, RailW, RailH, RailX, LeftRailMaskY});
  r.push_back({"right rail", ArtKind::Sprite, RailX, RightRailPictureY, RailW, RailH, RailX,
               RightRailMaskY});
  for (int e = 0; e < ShellPictures; ++e)
    r.push_back({"shell " + std::to_string(e), ArtKind::Sprite, ShellX + ShellPitch * e,
                 ShellPictureY, ShellW, ShellH, ShellX + ShellPitch * e, ShellMaskY});
  r.push_back({"gun", ArtKind::Sprite, GunPictureX, GunY, GunW, GunH, GunMaskX, GunY});
  r.push_back({"pattern cloud", ArtKind::Sprite, CloudX, CloudPictureY, CloudSize, CloudSize,
               CloudX, CloudMaskY});
  r.push_back({"loading sign", ArtKind::Copy, LoadingSignX, LoadingSignY, SignW, BannerH});
  r.push_back({"warning sign", ArtKind::Copy, WarningSignX, WarningSignY, SignW, NoticeH});
  r.push_back({"penalty sign", ArtKind::Copy, PenaltySignX, PenaltySignY, SignW, NoticeH});
  r.push_back({"player banner", ArtKind::Copy, PlayerBannerX, PlayerBannerY, SignW, BannerH});
  r.push_back({"station banner", ArtKind::Copy, StationBannerX, StationBannerY, SignW, BannerH});
  for (int i = 0; i < 5; ++i)
    r.push_back({"field plate " + std::to_string(i + 1), ArtKind::Copy,
                 FieldPlateX + FieldPlateW * i, FieldPlateY, FieldPlateW, FieldPlateH});
  r.push_back({"maker logo", ArtKind::Copy, MakerLogoX, MakerLogoY, MakerLogoW, MakerLogoH});
  r.push_back({"title logo", ArtKind::Copy, TitleLogoX, TitleLogoY, TitleLogoW, TitleLogoH});
  for (int i = 0; i < 26; ++i) {
    r.push_back({std::string("font ") + static_cast<char>('A' + i), ArtKind::Glyph,
                 FontX + FontPitch * i, FontUpperY, FontCell, FontCell});
    r.push_back({std::string("font ") + static_cast<char>('a' + i), ArtKind::Glyph,
                 FontX + FontPitch * i, FontLowerY, FontLowerW, FontCell});
  }
  for (int i = 0; i < 10; ++i)
    r.push_back({std::string("font ") + static_cast<char>('0' + i), ArtKind::Glyph,
                 FontX + FontPitch * i, FontDigitY, FontCell, FontCell});
  for (int season = 0; season < 2; ++season)
    r.push_back({"menu strip " + std::to_string(season), ArtKind::Copy, 0, StripY + StripH * season,
                 ArtSheetWidth, StripH});
  r.push_back({"wipe line", ArtKind::WipeLine, WipeX, WipeY, WipeW, 1});
  return r;
}

}  // namespace qm::art
