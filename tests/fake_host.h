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
  bool Busy = false;                // the voice: set by an asynchronous PlayWave
  bool WavesDecode = true;          // false: every PlayWave fails as an undecodable wave
  PrintResult PrintAnswer{true, ""};
  std::map<std::string, Surface> Bitmaps;  // LoadBitmap by path
  std::deque<HostEvent> Events;            // handed out by PollEvent
  std::deque<int> Answers;                 // scripted message box answers

  // ---- What the fake records
  std::vector<TraceEvent> Traces;
  std::vector<PlayedWave> Played;
  std::vector<Surface> Frames;
  int CursorCount = 0;
  Point Cursor;
  int OpenBoxes = 0;

  // The recorded events of one kind, in order.
  std::vector<TraceEvent> TracesOf(std::string_view kind) const {
    std::vector<TraceEvent> out;
    for (const TraceEvent& e : Traces)
      if (e.Kind == kind) out.push_back(e);
    return out;
  }

  void Attach(HostClient*) override {}

  bool PollEvent(HostEvent& event) override {
    if (Events.empty()) return false;
    event = Events.front();
    Events.pop_front();
    return true;
  }
  // Each wait of the game is one millisecond.
  void Yield(bool) override { Spin(); }
  void Spin() override {
    NowMs += 1;
    DaySeconds += 0.001;
  }

  uint32_t TimeGetTime() override { return NowMs; }
  double DayClock() override { return DaySeconds; }
  uint32_t RandomSeed() override { return 1; }
  std::string LongTimeAndDate() override { return "12:00:00 Monday, January  1, 2001"; }

  int ShowCursor(bool show) override { return show ? ++CursorCount : --CursorCount; }
  void ClipCursor(std::optional<Rect>) override {}
  void SetCursorPos(int x, int y) override { Cursor = {x, y}; }
  Point GetCursorPos() override { return Cursor; }

  void Present(const Surface& screen) override { Frames.push_back(screen); }
  ScreenMetrics Metrics() override { return {}; }
  bool ChangeDisplayMode(int, int) override { return true; }

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
    Busy = !wait;
    return true;
  }
  bool VoiceBusy() override { return Busy; }

  bool Launch(const std::string&) override { return true; }
  bool OpenHelp(const std::string&) override { return true; }
  PrintResult PrintText(const std::string&, const std::string&) override { return PrintAnswer; }

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
