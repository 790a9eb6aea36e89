#pragma once
// The main form: all game state and every procedure of the game. The procedures are
// defined in the folder of their subsystem (app/, players/, match/, sim/).

#include <array>
#include <memory>
#include <random>
#include <string>

#include "app/game.h"
#include "match/tournament_schedule.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/history_store.h"
#include "platform/json_text.h"
#include "platform/picture_box.h"
#include "platform/profile.h"
#include "platform/sound.h"
#include "players/player_record.h"
#include "players/score_sheet_text.h"
#include "sim/field_data.h"
#include "sim/shooting_state.h"

namespace qm {

// Start-up, display mode and the flags the hot keys set.
struct AppState {
  int16_t FullScreen = 0;
  bool StartupDone = false;
  int32_t TwipsPerPixelX = 15, TwipsPerPixelY = 15;
  int32_t DesktopWidth = 640, DesktopHeight = 480;
  bool SkipBanner = false;
  bool AbortTournament = false;
  bool StationDone = false;
  int16_t TrapOverride = 0;
  std::string MessageText;
  int16_t ApiResult = 0;
  std::string HelpFile;
};

struct MenuState {
  bool MenuPressed = false;
  int16_t HoverIndex = 100;
  bool HoverCleared = false;
  int16_t CurrentField = 1;
};

struct SettingsState {
  int16_t RoundSize = 50;
  int16_t Season = 0;
  std::array<int16_t, 5> Pairs{};
  float Tweak = 30;
  std::string IniText;
};

struct RosterState {
  std::array<PlayerRecord, 4> Players;
  int16_t CurrentPlayer = 0;
  std::string NewPlayerName;
};

// Score sheets on picStats.
struct ScoreState {
  qm::SheetKind SheetKind = qm::SheetKind::Lifetime;
  std::string SheetText;  // the sheet as txtStats shows and the printer gets it
};

// The score history screen: whose runs it shows, and whether a failing history was told.
struct HistoryState {
  int16_t Position = 0;
  bool FailureReported = false;
};

struct TourneyState {
  TourneyScheduleTable TourneySchedule;
};

// Every loop waits out a frame of FrameMilliseconds the same way, pumping events; they differ
// only in where the frame's count starts.
enum class FrameWait {
  FromFrameStart,  // practice and the timing run: drawing counts towards the frame
  FromNow,         // tournament, wind-down, trap setting, banners, panels: the wait follows drawing
};
constexpr uint32_t FrameMilliseconds = 10;

// The forms of the per-frame pan step: which loops add and decay recoil and knock the cage.
enum class PanForm { Station, Timing, TrapSetting, Display };

// A single-precision value as the settings file stores it (seven significant digits).
std::string SingleText(float value);

class FrmMain {
  // Declared before the controls so the form outlives them: each control leaves the form's
  // list as it is destroyed.
  Host& host_;
  GameConfig config_;
  Form form_;

 public:
  FrmMain(Host& host, const GameConfig& config);
  ~FrmMain();
  // Form_Load and the first Form_Resize, then the event loop until the program ends.
  void Run();

  Form& form() { return form_; }
  Host& host() { return host_; }

  // ---- State
  AppState App;
  MenuState Menu;
  SettingsState Settings;
  RosterState Roster;
  ScoreState Scores;
  FieldState Field;
  ViewState View;
  ShotState Shot;
  TimingState Timing;
  WaveState Waves;
  TourneyState Tourney;
  HistoryState History;
  // The running station loop's own counters, for the dump; null outside a station.
  const StationState* RunningStation = nullptr;
  std::string CR = "\r", LF = "\n";

  // ---- Controls, in the form's stacking order
  std::unique_ptr<PictureBox> picArt, picMask, picWork;
  std::unique_ptr<PictureBox> picMain;
  std::array<std::unique_ptr<Label>, 4> lblShooting, lblClaysThrown, lblClaysHit;
  std::unique_ptr<Label> lblWhosUp, lblStatus, lblMode;
  std::array<std::unique_ptr<Label>, 2> lblFieldInfo;
  std::unique_ptr<PictureBox> picSelect;
  std::array<std::unique_ptr<Label>, 11> lblMain;
  std::array<std::unique_ptr<OptionButton>, 4> optName;
  std::array<std::unique_ptr<Label>, 4> lblScores;
  std::unique_ptr<PictureBox> picOptions;
  std::unique_ptr<ComboBox> cmbPlayer, cmbSeason;
  std::unique_ptr<CheckBox> chkInvertY, chkTracking, chkPatternClear, chkHintLine, chkPatterning,
      chkTrapHint, chkFullScreen;
  std::unique_ptr<ScrollBar> hscGunSens, scrChoke;
  std::unique_ptr<Label> lblGunSens;
  std::unique_ptr<Shape> shpChoke;
  std::array<std::unique_ptr<OptionButton>, 3> optSkill, optWord;
  std::array<std::unique_ptr<OptionButton>, 2> optGender, optRoundSize;
  std::array<std::unique_ptr<CheckBox>, 5> chkPairs;
  std::array<std::unique_ptr<Label>, 3> lblOptions;
  std::unique_ptr<PictureBox> picStats;
  std::unique_ptr<TextBox> txtStats;
  std::unique_ptr<Label> lblStatsDone, lblPrint;
  std::array<std::unique_ptr<Label>, 4> lblReset;
  std::unique_ptr<Label> lblHistory;
  std::unique_ptr<PictureBox> picHistory;
  std::unique_ptr<Label> lblHistoryPrev, lblHistoryNext, lblHistoryPrint, lblHistoryDone;
  std::unique_ptr<PictureBox> picTourney;
  std::array<std::unique_ptr<CheckBox>, 4> chkTourney, chkAllowed;
  std::unique_ptr<Label> lblDoTourney, lblCancelTourney;
  // frmPlayer, the modal name entry.
  std::unique_ptr<PictureBox> frmPlayer;
  std::unique_ptr<Label> lblNamePrompt;
  std::unique_ptr<TextBox> txtPlayerName;
  std::unique_ptr<Label> lblNameDone;
  std::unique_ptr<Label> lblNameTitle;

  // ---- Start-up and lifecycle (app/startup.cpp)
  void Form_Load();
  void Form_Resize();
  void PlayIntro();
  void Form_QueryUnload();
  void CentrePanels();
  // ---- Hot keys (app/hot_keys.cpp)
  void Form_KeyDown(int keyCode, int shift);
  void Form_KeyPress(int keyAscii);
  // ---- Main menu (app/main_menu.cpp)
  void lblMain_MouseDown(int index, int button, int shift, int x, int y);
  void lblMain_MouseMove(int index, int button, int shift, int x, int y);
  void lblMain_MouseUp(int index, int button, int shift, int x, int y);
  void picSelect_MouseMove(int button, int shift, int x, int y);
  void OpenHelp();
  void StartFieldEditor();
  void StartPractice(int index);  // app/practice_start.cpp
  void StartTournamentSetup();
  void ShowLifetimeStats();
  // The practice run itself, from loading the waves to the score sheet (sim/practice_run.cpp).
  void RunPractice();
  // ---- Display mode (app/display_mode.cpp)
  void ChangeResolution(int32_t width, int32_t height);
  void chkFullScreen_MouseUp(int button, int shift, int x, int y);

  // ---- Settings file (players/settings_file.cpp)
  int16_t WriteIni(const std::string& section, const std::string& key, const std::string& value);
  int16_t WriteIni(const std::string& section, const std::string& key, long value);
  int ReadIniInt(const std::string& section, const std::string& key, int defaultValue);
  int16_t ReadIniInt16(const std::string& section, const std::string& key, int defaultValue);
  std::string ReadIniText(const std::string& section, const std::string& key,
                          const std::string& defaultValue);
  void LoadSettings();
  void SaveOptions();
  void SaveSettings();
  // ---- Roster (players/roster.cpp)
  int LoadPlayer(int n);  // returns "Gun" as read, before its substitution
  void FirstRunAdvice();
  void AddNewPlayer(int position);
  void AskForNewName(int position);
  void optName_MouseUp(int index, int button, int shift, int x, int y);
  void cmbPlayer_Click();
  void ShowNameEntry();
  void frmPlayer_KeyPress(int keyAscii);
  void lblNameDone_Click();
  void RefillPlayerList();
  // ---- Options panel (players/options_panel.cpp)
  void ShowPlayerOptions();
  void optSkill_Click(int index);
  void DrawChokeCircle();
  void lblOptions_Click(int index);
  void PlayCallPreview();

  // ---- Seasons (match/seasons.cpp)
  void LoadSeasonList();
  void cmbSeason_Click();
  void LoadMenuPicture();
  // ---- Transitions and bitmap text (match/wipe_transition.cpp, match/bitmap_text.cpp)
  void WipeTransition(PictureBox& target);
  void DrawTourneyInfo(const std::string& text, int& x, int& y);
  void DrawBitmapText(const std::string& text, int& x, int& y);
  // ---- Sound (match/sound_assets.cpp)
  void PlayClick();

  // ---- Scores and sheets (players/score_sheets.cpp)
  void StatsPractice();
  void StatsLifetime();
  void StatsTourney();
  void UpdateLifetimeScore(int n);
  void lblStatsDone_Click();
  void lblReset_Click(int index);
  void lblPrint_Click();
  // Puts `sheet` on the card: draws its values, fills the text box, remembers its kind.
  void ShowSheet(SheetKind kind, const ScoreSheet& sheet);
  // ---- Score history (players/history_screen.cpp)
  void BuildHistoryControls();
  std::vector<HistoryRun> RunsToRecord();
  void RecordHistory(const std::vector<HistoryRun>& runs);
  HistoryStore* OpenHistory();
  void ReportHistoryFailure(const std::string& reason);
  void lblHistory_Click();
  void ShowHistory(int position);
  void StepHistory(int delta);
  void lblHistoryPrint_Click();
  void lblHistoryDone_Click();
  void DrawHistoryText(const std::string& text, int& x, int& y);  // match/bitmap_text.cpp

  // ---- Sound assets (match/sound_assets.cpp)
  void LoadAllWaves();
  void LoadWaveFile(const std::string& fileName, WaveBuffer& buffer);

  // ---- Field file (sim/field_file.cpp)
  void LoadField();
  void ResetClays();
  bool ReadFieldFile(const std::string& name);
  // ---- Aiming (sim/aiming.cpp)
  void picMain_MouseMove(int button, int shift, int x, int y);
  void PanStep(PanForm form, BumpState* bump);
  void DecayRecoil();
  void GunStep();
  void DrawGun(Surface& work);
  void HideMouse();
  void ShowMouse();
  void CaptureMouse();
  void ReleaseMouse();
  void RestPointer(int dx, int dy);
  // ---- Firing (sim/firing.cpp)
  void picMain_MouseDown(int button, int shift, int x, int y);
  void CallForTarget();
  void ShoulderGun();
  void FireShot();
  void CheckHit(int clayIndex, float shotX, float shotY, int clayX, int clayY);
  void ShowWarningPanel();
  void ShowPenaltyPanel();
  void ShowMountPanel(int signY);
  // ---- Trap setting and timing (sim/trap_setting.cpp, sim/frame_timing.cpp)
  void SetTraps();
  void TrapSettingFrame(int gunMove);
  std::string ReloadRemark();
  void CalibrateTiming();
  // ---- Station frames and the practice loop (sim/station_frame.cpp, sim/practice_loop.cpp)
  void ComposeBackdrop();
  void DrawScenery(PanForm form);
  void PresentFrame();
  void WaitFrame(FrameWait from);
  void DrawShotFrame();
  void ResolveShot();
  Point ViewOf(double backdropX, double backdropY) const;
  void DrawPointerLines();
  void DrawTrapLocators(StationState& station);
  void DrawChips();
  void AnimateBreak(int k);
  void ResetBreaks();
  void EndClayUnbroken(int k);
  void CountThrown();
  void FlyClay(int k, const StationState& station);
  void EjectShell(StationState& station);
  void LoadFirstClay(float dx);  // sim/presentation_setup.cpp
  void ApplyFurAndFeather();
  void CaptionFirstClay();
  void LoadSecondClayOfPair(int16_t reportTrap);
  void SetUpPresentation(StationState& station);
  void ThrowClays(StationState& station);
  void WaitingAids(StationState& station);
  void StationFrame(StationState& station);
  void StartStationRun(StationState& station);
  void PracticeLoop();
  // The shot, gun, presentation and timing state for the headless dump (sim/sim_state_dump.cpp).
  void DumpShootingState(JsonBuilder& json) const;

  // ---- Tournament (match/tournament_setup.cpp, match/tournament_driver.cpp,
  //      match/banners.cpp, sim/tourney_station_loop.cpp)
  void BuildTourneyControls();
  void SetupTourney();
  void chkAllowed_Click(int index);
  void lblDoTourney_Click();
  void lblCancelTourney_Click();
  void CloseTourneyPanel();
  void BuildSchedule();
  void ZeroRunCounts();
  void ShootField(int field);
  void RunTournament();
  void ShowNextPlayerBanner();
  void ShowNextStationBanner();
  void RunBanner(int boardX, int boardY);
  void SetUpScheduledPresentation(StationState& station, const ScheduleEntry& entry);
  void WindDown();
  void TourneyStationLoop(int16_t& presentations);

  // ---- Helpers above the seam
  double Rnd();    // the one random generator, uniform in [0, 1)
  double Timer();  // seconds since midnight (day clock)
  void WaitSeconds(double seconds, bool processEvents);
  std::string DumpState();  // app/state_dump.cpp

 private:
  void BuildControls();  // app/form_layout.cpp
  void BuildMenuControls();
  void BuildPlayControls();
  void BuildOptionsControls();
  void BuildStatsControls();
  void BuildNameEntry();

  ProfileFile ini_;
  std::unique_ptr<HistoryStore> historyStore_;
  std::mt19937 random_;
  bool iniFailureReported_ = false;
};

}  // namespace qm
