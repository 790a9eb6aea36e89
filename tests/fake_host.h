#pragma once
// A host for unit tests: it records what the game asks of the outside world and answers
// from fields a test sets. Time moves only when a test or a wait moves it.

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/host.h"

namespace qm {

class FakeHost : public Host {
 public:
  struct PlayedWave {
    std::vector<uint8_t> Bytes;
    bool Wait = false;
  };

  // ---- What a test sets
  uint32_t NowMs = 0;               // TimeGetTime
  double DaySeconds = 12 * 3600.0;  // DayClock, noon
  uint32_t Seed = 1;
  std::string TimeAndDate = "12:00:00 Monday, January  1, 2001";  // LongTimeAndDate
  ScreenMetrics Screen;
  bool DisplaySwitchWorks = true;
  bool Busy = false;          // the voice: set by an asynchronous PlayWave
  bool WavesDecode = true;    // false: every PlayWave fails as an undecodable wave
  uint32_t WaveLengthMs = 0;  // a waited-for sound moves the clocks by this much
  bool ProgramsExist = true;  // Launch and OpenHelp succeed
  PrintResult PrintAnswer{true, ""};
  std::map<std::string, Surface> Bitmaps;  // LoadBitmap by path
  std::deque<HostEvent> Events;            // handed out by PollEvent
  std::deque<int> Answers;                 // scripted message box answers

  // ---- What the fake records
  HostClient* Client = nullptr;
  std::vector<TraceEvent> Traces;
  std::vector<PlayedWave> Played;
  std::vector<Surface> Frames;
  std::vector<std::optional<Rect>> Clips;  // every ClipCursor call
  std::vector<std::string> Launched;
  std::vector<std::string> HelpFiles;
  std::vector<std::pair<std::string, std::string>> Printed;  // title, text
  int CursorCount = 0;
  Point Cursor;
  Size DisplayMode{640, 480};
  int OpenBoxes = 0;

  // The recorded events of one kind, in order.
  std::vector<TraceEvent> TracesOf(std::string_view kind) const {
    std::vector<TraceEvent> out;
    for (const TraceEvent& e : Traces)
      if (e.Kind == kind) out.push_back(e);
    return out;
  }
  // Every recorded event as the JSON line the headless host would write.
  std::vector<std::string> TraceLines() const {
    std::vector<std::string> out;
    for (const TraceEvent& e : Traces) out.push_back(TraceFieldsJson(e));
    return out;
  }
  void Advance(uint32_t ms) {
    NowMs += ms;
    DaySeconds += ms / 1000.0;
  }

  void Attach(HostClient* client) override { Client = client; }

  bool PollEvent(HostEvent& event) override {
    if (Events.empty()) return false;
    event = Events.front();
    Events.pop_front();
    return true;
  }
  void Yield(bool) override { Advance(1); }
  void Spin() override { Advance(1); }

  uint32_t TimeGetTime() override { return NowMs; }
  double DayClock() override { return DaySeconds; }
  uint32_t RandomSeed() override { return Seed; }
  std::string LongTimeAndDate() override { return TimeAndDate; }

  int ShowCursor(bool show) override { return show ? ++CursorCount : --CursorCount; }
  void ClipCursor(std::optional<Rect> area) override { Clips.push_back(area); }
  void SetCursorPos(int x, int y) override { Cursor = {x, y}; }
  Point GetCursorPos() override { return Cursor; }

  void Present(const Surface& screen) override { Frames.push_back(screen); }
  ScreenMetrics Metrics() override { return Screen; }
  bool ChangeDisplayMode(int width, int height) override {
    if (!DisplaySwitchWorks) return false;
    DisplayMode = {width, height};
    return true;
  }

  // Every character half as wide as the font is high: enough for layout arithmetic.
  Size MeasureText(std::string_view utf8, const TextStyle& style) override {
    return {static_cast<int>(utf8.size()) * style.PixelSize / 2, style.PixelSize};
  }
  void DrawText(Surface&, int, int, std::string_view, const TextStyle&, const Rect&) override {}

  std::optional<Surface> LoadBitmap(const std::string& path) override {
    auto it = Bitmaps.find(path);
    if (it == Bitmaps.end()) return std::nullopt;
    return it->second;
  }

  bool PlayWave(const std::vector<uint8_t>& wav, bool wait) override {
    if (wav.empty() || !WavesDecode) return false;
    Played.push_back({wav, wait});
    if (wait) {
      Advance(WaveLengthMs);
      Busy = false;
    } else {
      Busy = true;
    }
    return true;
  }
  bool VoiceBusy() override { return Busy; }

  bool Launch(const std::string& program) override {
    Launched.push_back(program);
    return ProgramsExist;
  }
  bool OpenHelp(const std::string& file) override {
    HelpFiles.push_back(file);
    return ProgramsExist;
  }
  PrintResult PrintText(const std::string& title, const std::string& text) override {
    Printed.emplace_back(title, text);
    return PrintAnswer;
  }

  void Trace(const TraceEvent& event) override { Traces.push_back(event); }
  std::optional<int> MessageBoxOpened() override {
    ++OpenBoxes;
    if (Answers.empty()) return std::nullopt;
    const int answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  void MessageBoxClosed() override { --OpenBoxes; }
};

}  // namespace qm
