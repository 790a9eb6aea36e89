#pragma once
// The test host: no window and no audio device. Time is virtual and moves only while the
// game waits; input comes from a script read whole at start-up; what the game does is
// written to a trace, one JSON object per line.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/script_parser.h"
#include "platform/headless/trace_writer.h"
#include "platform/host.h"
#include "platform/host_options.h"

namespace qm {

class TextRenderer;

// Thrown out of the game's loops when the script cannot go on: code 2 for a script error
// ("line N: no visible control lblFoo"), code 3 for an `until` that timed out. main()
// prints the message and exits with the code.
struct ScriptFailure {
  int Code;
  std::string Message;
};

class HeadlessHost : public Host {
 public:
  static constexpr int DesktopWidth = 1024;
  static constexpr int DesktopHeight = 768;
  static constexpr double NoonSeconds = 43200.0;
  // How long the game may take to close a dismissed message box, or to end after `quit`.
  static constexpr uint32_t SettleLimitMs = 60000;

  // Relative snapshot and dump paths of the script resolve against `startDirectory`.
  HeadlessHost(const HostOptions& options, std::vector<ScriptCommand> script,
               std::filesystem::path startDirectory);
  ~HeadlessHost() override;

  // Writes the trace to `path` from now on. False with `error` set if it cannot.
  bool OpenTrace(const std::string& path, std::string& error);
  // Virtual milliseconds since start-up, without the wrap of TimeGetTime.
  uint64_t NowMs() const { return nowMs_; }
  // The script has run to its end or to `quit`.
  bool ScriptDone() const { return waiting_ == Waiting::GameEnd; }

  void Attach(HostClient* client) override { client_ = client; }

  bool PollEvent(HostEvent& event) override;
  void Yield(bool hadEvents) override;
  void Spin() override;
  void WaitForEvent(uint32_t timeoutMs) override;

  uint32_t TimeGetTime() override { return static_cast<uint32_t>(nowMs_); }
  double DayClock() override;
  uint32_t RandomSeed() override { return seed_; }
  // A fixed date, with the time of the virtual day clock, so that runs compare equal.
  std::string LongTimeAndDate() override;
  std::string LocalTimestamp() override;

  int ShowCursor(bool show) override;
  void ClipCursor(std::optional<Rect> area) override;
  void SetCursorPos(int x, int y) override;
  Point GetCursorPos() override { return pointer_; }

  void Present(const Surface& screen) override { (void)screen; }
  ScreenMetrics Metrics() override;
  bool ChangeDisplayMode(int width, int height) override;

  Size MeasureText(std::string_view utf8, const TextStyle& style) override;
  void DrawText(Surface& target, int x, int y, std::string_view utf8, const TextStyle& style,
                const Rect& clip) override;

  std::optional<Surface> LoadBitmap(const std::string& path) override;

  bool PlayWave(const std::vector<uint8_t>& wav, bool wait) override;
  bool VoiceBusy() override { return nowMs_ < voiceEndMs_; }

  bool Launch(const std::string& program) override;
  bool OpenHelp(const std::string& file) override;
  PrintResult PrintText(const std::string& title, const std::string& text) override;

  void Trace(const TraceEvent& event) override;
  std::optional<int> MessageBoxOpened() override;
  void MessageBoxClosed() override;

 private:
  // What keeps the next command from running.
  enum class Waiting {
    Nothing,
    Clock,     // `wait`: until the clock reaches deadlineMs_
    Trace,     // `until`: until the event is traced, at most until deadlineMs_
    BoxClose,  // a dismissed message box has not closed yet
    GameEnd,   // `quit` or the end of the script: the game should end
  };

  bool ReadyForCommand();
  void RunCommands();
  void Run(const ScriptCommand& command);
  void EndScript(int line);
  void MovePointer(Point to);
  void PushMouse(HostEvent::Kind kind, int button);
  void PushClick(Point at, int button);
  void Press(const ScriptCommand& command);
  void Snap(const ScriptCommand& command);
  void Dump(const ScriptCommand& command);
  void WriteScriptFile(const ScriptCommand& command, std::string_view bytes);
  Point Confined(Point at) const;
  [[noreturn]] void Fail(int code, int line, const std::string& message) const;

  std::vector<ScriptCommand> script_;
  size_t next_ = 0;
  std::filesystem::path startDirectory_;
  HostClient* client_ = nullptr;
  TraceWriter trace_;

  uint64_t nowMs_ = 0;
  // --frame-ms: a frame's wait stands for a display of this period (0: 1 ms per yield).
  int frameMs_ = 0;
  double dayClockStart_ = NoonSeconds;
  uint32_t seed_ = 1;
  int twips_ = 15;
  bool refuseDisplaySwitch_ = false;
  uint64_t voiceEndMs_ = 0;

  std::deque<HostEvent> pending_;
  Waiting waiting_ = Waiting::Nothing;
  uint64_t deadlineMs_ = 0;
  const ScriptCommand* until_ = nullptr;
  bool untilMet_ = false;
  int settleLine_ = 0;  // the command waiting on a box to close, or the game to end
  std::deque<int> answers_;
  int openBoxes_ = 0;

  Point pointer_{320, 240};  // the middle of the window until something moves it
  std::optional<Rect> clip_;
  int cursorCount_ = 0;

  std::unique_ptr<TextRenderer> text_;
};

}  // namespace qm
