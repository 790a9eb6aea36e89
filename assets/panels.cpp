// The full-window panels behind the play screen, the options, the score card and the
// tournament set-up. The game's controls and texts sit on them at the places the layout
// headers give.

#include <algorithm>
#include <string>

#include "generators.h"
#include "geometry/history_layout.h"
#include "geometry/options_panel_layout.h"
#include "geometry/score_card_layout.h"
#include "geometry/tourney_panel_layout.h"
#include "menu_items.h"
#include "scene_paint.h"
#include "scene_vignette.h"

namespace assets {

namespace {

constexpr int W = 640, H = 480;
constexpr Rgb WallDark{38, 24, 14}, WallLight{96, 64, 38};
constexpr Rgb Gold{236, 200, 116}, Cream{244, 232, 204}, Ink{52, 34, 20}, RedInk{120, 40, 24};

void PaintButton(Image& img, const qm::Rect& r, const char* caption) {
  const MenuItemBox box{-1, r.X, r.Y, r.W, r.H, 0, caption};
  PaintDropShadow(img, r.X, r.Y, r.W, r.H, 6);
  PaintMenuItem(img, r.X, r.Y, box, 0, false);
}

void PaintTitlePlaque(Image& img, int cx, int y, const std::string& title) {
  const int w = TextWidth(title, Font::SerifBold, 26) + 60, h = 42;
  PaintDropShadow(img, cx - w / 2, y, w, h, 8);
  PaintWoodPanel(img, cx - w / 2, y, w, h, {70, 40, 18}, {140, 92, 48}, 41);
  PaintBrassFrame(img, cx - w / 2, y, w, h, 3);
  DrawCentredText(img, cx, y + 5, title, Font::SerifBold, 26, Cream, true);
}

// Aged paper with darker edges, for the options panel's three columns.
void PaintParchment(Image& img, int x, int y, int w, int h, uint32_t seed) {
  PaintDropShadow(img, x, y, w, h, 8);
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) {
      const double n = FractalNoise((x + i) / 50.0, (y + j) / 50.0, 4, seed);
      const double edge = std::min({i, j, w - 1 - i, h - 1 - j}) / 14.0;
      const Rgb paper = Mix({214, 192, 148}, {246, 234, 206}, n);
      img.Set(x + i, y + j, Mix({170, 130, 80}, paper, std::min(1.0, 0.35 + edge)));
    }
  PaintBrassFrame(img, x - 3, y - 3, w + 6, h + 6, 3);
}

void Heading(Image& img, int x, int y, const char* text) {
  DrawText(img, x, y, text, Font::SerifBold, 15, RedInk);
}

void Caption(Image& img, const qm::Rect& beside, const char* text) {
  DrawText(img, beside.X + beside.W + 5, beside.Y + 1, text, Font::Sans, 13, Ink);
}

void PaintWallAndTitle(Image& img, const std::string& title, uint32_t seed) {
  PaintPlankWall(img, 0, 0, W, H, WallDark, WallLight, seed);
  PaintTitlePlaque(img, W / 2, 6, title);
}

void PaintShooterColumn(Image& img) {
  using namespace qm;
  PaintParchment(img, 20, 54, 180, 338, 301);
  Heading(img, 32, 60, "Player to Edit");
  PaintWell(img, CmbPlayerRect.X - 2, CmbPlayerRect.Y - 2, CmbPlayerRect.W + 4, 26, {120, 96, 64});
  Heading(img, 32, 114, "Location");
  PaintWell(img, CmbSeasonRect.X - 2, CmbSeasonRect.Y - 2, CmbSeasonRect.W + 4, 26, {120, 96, 64});
  Heading(img, 32, 168, "Skill Level");
  const char* skills[] = {"Easy", "Medium", "Hard"};
  for (int i = 0; i < 3; ++i) Caption(img, OptSkillRect(i), skills[i]);
  Heading(img, 32, 266, "Round Size");
  const char* rounds[] = {"50 Targets", "100 Targets"};
  for (int i = 0; i < 2; ++i) Caption(img, OptRoundSizeRect(i), rounds[i]);
}

void PaintGunColumn(Image& img) {
  using namespace qm;
  PaintParchment(img, 208, 54, 184, 338, 302);
  Heading(img, 216, 60, "Voice Command");
  const char* words[] = {"Ready", "Pull", "Go"};
  for (int i = 0; i < 3; ++i) Caption(img, OptWordRect(i), words[i]);
  Heading(img, 216, 108, "Voice Gender");
  const char* genders[] = {"Male", "Female"};
  for (int i = 0; i < 2; ++i) Caption(img, OptGenderRect(i), genders[i]);
  DrawCentredText(img, 300, 154, "Choke Pattern Size", Font::SerifBold, 13, RedInk, false);
  const Rect well = ChokeWell;
  FillEllipse(img, 300, 208, well.W / 2.0, well.H / 2.0, {60, 44, 30}, 1.0);
  FillEllipse(img, 300, 208, well.W / 2.0 - 3, well.H / 2.0 - 3, {232, 222, 196}, 1.0);
  for (int r = 8; r <= 20; r += 4) StrokeCircle(img, 300, 208, r, 1, {190, 170, 140}, 1.0);
  StrokeCircle(img, 300, 208, well.W / 2.0 - 1.5, 2, {196, 152, 70}, 1.0);
  Heading(img, 216, 280, "Gun Sensitivity");
  Caption(img, ChkInvertYRect, "Invert Mouse");
  Caption(img, ChkFullScreenRect, "Play Full Screen");
}

void PaintDisplayColumn(Image& img) {
  using namespace qm;
  PaintParchment(img, 400, 54, 220, 338, 303);
  Heading(img, 412, 60, "Display");
  Caption(img, ChkPatterningRect, "Patterning");
  Caption(img, ChkTrackingRect, "Tracking");
  Caption(img, ChkHintLineRect, "Hint Line");
  Caption(img, ChkTrapHintRect, "Show Traps");
  Caption(img, ChkPatternClearRect, "Auto Clear");
  Heading(img, 412, 216, "Clay Types Allowed");
  const char* kinds[] = {"Simultaneous", "Trailing", "Report", "Fur and Feather", "Single"};
  for (int k = 0; k < 5; ++k) Caption(img, ChkPairsRect(k), kinds[k]);
}

void PaintOptionsPanel(const Output& out) {
  Image img(W, H);
  PaintWallAndTitle(img, "Shooter Options", 211);
  PaintShooterColumn(img);
  PaintGunColumn(img);
  PaintDisplayColumn(img);
  PaintButton(img, qm::LblOptionsRect(1), "Field Editor");
  PaintButton(img, qm::LblOptionsRect(2), "Help");
  PaintButton(img, qm::LblOptionsRect(0), "Done");
  img.SaveBmp(out.Path("options.bmp"));
}

void PaintBaizeCard(Image& img, const qm::Rect& r) {
  PaintDropShadow(img, r.X - 4, r.Y - 4, r.W + 8, r.H + 8, 10);
  PaintBrassFrame(img, r.X - 4, r.Y - 4, r.W + 8, r.H + 8, 4);
  PaintFlatCard(img, r.X, r.Y, r.W, r.H, BitmapTextGround, Mix(BitmapTextGround, Gold, 0.45));
}

void RightAligned(Image& img, int right, int y, const char* text) {
  DrawText(img, right - TextWidth(text, Font::Sans, 13), y, text, Font::Sans, 13, Gold);
}

void PaintScoreCard(const Output& out) {
  using namespace qm;
  Image img(W, H);
  PaintPlankWall(img, 0, 0, W, H, WallDark, WallLight, 212);
  PaintBaizeCard(img, ScoreCardRect);
  DrawText(img, 40, 36, "Score Sheet", Font::SerifBold, 20, Gold);
  const Rgb rule = Mix(BitmapTextGround, Gold, 0.45);
  for (int n = 0; n < 4; ++n) {
    const int dy = ScoreBlockPitch * n;
    DrawText(img, 40, 63 + dy, "Shooter", Font::SansBold, 13, Gold);
    DrawText(img, 40, 87 + dy, "Percent Hit", Font::Sans, 13, Gold);
    DrawText(img, 40, 113 + dy, "Rating", Font::Sans, 13, Gold);
    RightAligned(img, 436, 90 + dy, "Clays Thrown");
    RightAligned(img, 436, 113 + dy, "Clays Hit");
    if (n < 3) img.FillRect(36, 131 + dy, 568, 1, rule);
    PaintButton(img, LblResetRect(n), "Reset");
  }
  PaintBrassFrame(img, TxtStatsRect.X - 4, TxtStatsRect.Y - 4, TxtStatsRect.W + 8,
                  TxtStatsRect.H + 8, 4);
  PaintWell(img, TxtStatsRect.X, TxtStatsRect.Y, TxtStatsRect.W, TxtStatsRect.H, {236, 228, 208});
  PaintButton(img, LblHistoryRect, "History");
  PaintButton(img, LblPrintRect, "Print");
  PaintButton(img, LblStatsDoneRect, "Done");
  img.SaveBmp(out.Path("stats.bmp"));
}

void PaintTourneyPanel(const Output& out) {
  using namespace qm;
  Image img(W, H);
  PaintWallAndTitle(img, "Tournament", 213);
  PaintBaizeCard(img, TourneyCard);
  DrawText(img, 40, 128, "Shooters", Font::SerifBold, 15, Gold);
  DrawText(img, 40, 236, "Clays Allowed", Font::SerifBold, 15, Gold);
  PaintFlyingClayVignette(img, 488, 60, 128, 300);
  PaintButton(img, LblCancelTourneyRect, "Cancel");
  PaintButton(img, LblDoTourneyRect, "Start");
  img.SaveBmp(out.Path("tourney.bmp"));
}

// The score panel under the play area: the game writes the names at x 104, the thrown and
// hit counts at x 434 and 504 on the rows at y 384, 406, 430 and 452, and the status and
// mode at x 528.
void PaintScoreboard(Image& img) {
  constexpr int Rows[] = {384, 406, 430, 452};
  PaintWoodPanel(img, 16, 376, 608, 100, {34, 22, 14}, {66, 44, 28}, 215);
  for (int n = 0; n < 4; ++n) {
    PaintWell(img, 70, Rows[n] - 2, 450, 20, {22, 40, 28});
    DrawText(img, 52, Rows[n], std::to_string(n + 1), Font::SerifBold, 14, Gold);
  }
  img.FillRect(428, 382, 1, 90, Mix({22, 40, 28}, Gold, 0.4));
  img.FillRect(498, 382, 1, 90, Mix({22, 40, 28}, Gold, 0.4));
  PaintWell(img, 524, 382, 96, 90, {22, 40, 28});
  DrawText(img, 528, 386, "Status", Font::SansBold, 10, Gold);
  DrawText(img, 528, 432, "Mode", Font::SansBold, 10, Gold);
  DrawText(img, 104, 373, "Shooter", Font::SansBold, 9, Gold);
  DrawText(img, 434, 373, "Thrown", Font::SansBold, 9, Gold);
  DrawText(img, 504, 373, "Hit", Font::SansBold, 9, Gold);
}

void PaintPlayScreen(const Output& out) {
  Image img(W, H);
  PaintPlankWall(img, 0, 0, W, H, {26, 16, 10}, {70, 46, 28}, 214);
  PaintWoodPanel(img, 0, 0, W, 26, {24, 16, 10}, {56, 38, 24}, 216);
  for (int i = 0; i < W; ++i) img.Blend(i, 25, Gold, 0.5);
  DrawText(img, 22, 6, "Quillmoor", Font::SerifBold, 14, Gold);
  PaintBrassFrame(img, 16, 26, 608, 348, 4);
  img.FillRect(20, 30, 600, 340, {0, 0, 0});
  PaintScoreboard(img);
  img.SaveBmp(out.Path("play.bmp"));
}

}  // namespace

void GeneratePanels(const Output& out) {
  PaintPlayScreen(out);
  PaintOptionsPanel(out);
  PaintScoreCard(out);
  PaintTourneyPanel(out);
}

}  // namespace assets
