#include "platform/headless/headless_host.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <system_error>

#include "platform/print_job.h"
#include "platform/sdl/media_decode.h"
#include "platform/sdl/ttf_text.h"

namespace qm {

namespace {

bool ReadWholeFile(const std::string& path, std::string& text, std::string& error) {
  std::error_code status;
  if (!std::filesystem::is_regular_file(path, status)) {
    error = "cannot read the script " + path + ": not a file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  std::ostringstream whole;
  whole << in.rdbuf();
  if (!in || in.bad()) {
    error = "cannot read the script " + path;
    return false;
  }
  text = whole.str();
  return true;
}

bool IsRunnable(const std::string& program) {
  std::error_code status;
  return std::filesystem::is_regular_file(program, status) && access(program.c_str(), X_OK) == 0;
}

// A wave's length on the virtual clock, in whole milliseconds rounded up; the small margin
// keeps 0.1 s from becoming 101 ms through rounding noise.
uint64_t WaveMs(double seconds) {
  return static_cast<uint64_t>(std::ceil(seconds * 1000.0 - 1e-6));
}

}  // namespace

HeadlessHost::HeadlessHost(const HostOptions& options, std::vector<ScriptCommand> script,
                           std::filesystem::path startDirectory)
    : script_(std::move(script)),
      startDirectory_(std::move(startDirectory)),
      frameMs_(options.FrameMs),
      dayClockStart_(options.DayClockStart.value_or(NoonSeconds)),
      seed_(options.Seed.value_or(1)),
      twips_(options.Twips),
      refuseDisplaySwitch_(options.RefuseDisplaySwitch) {}

HeadlessHost::~HeadlessHost() = default;

bool HeadlessHost::OpenTrace(const std::string& path, std::string& error) {
  return trace_.Open(path, error);
}

// The real host's frame wait ends on the display's refresh; with --frame-ms each such wait
// takes one period of a display that refreshes every N ms.
void HeadlessHost::Yield(bool hadEvents) {
  (void)hadEvents;
  nowMs_ += frameMs_ > 0 ? static_cast<uint64_t>(frameMs_) : 1;
}

// Idle waits are not frames: the clock moves as it always has.
void HeadlessHost::WaitForEvent(uint32_t timeoutMs) {
  (void)timeoutMs;
  ++nowMs_;
}

void HeadlessHost::Spin() {
  ++nowMs_;
}

// Past midnight the day clock keeps counting up, as the real one does.
double HeadlessHost::DayClock() {
  return dayClockStart_ + static_cast<double>(nowMs_) / 1000.0;
}

std::string HeadlessHost::LongTimeAndDate() {
  constexpr long SecondsPerDay = 86400;
  long seconds = static_cast<long>(std::floor(DayClock())) % SecondsPerDay;
  char text[64];
  std::snprintf(text, sizeof text, "%02ld:%02ld:%02ld Monday, January 1, 2001", seconds / 3600,
                seconds / 60 % 60, seconds % 60);
  return text;
}

std::string HeadlessHost::LocalTimestamp() {
  // The sheets' fixed first of January 2001; a run past midnight goes on into the next days.
  constexpr long SecondsPerDay = 86400;
  const long clock = static_cast<long>(std::floor(DayClock()));
  const long seconds = clock % SecondsPerDay;
  char text[64];
  std::snprintf(text, sizeof text, "2001-01-%02ld %02ld:%02ld:%02ld", 1 + clock / SecondsPerDay,
                seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

int HeadlessHost::ShowCursor(bool show) {
  cursorCount_ += show ? 1 : -1;
  return cursorCount_;
}

void HeadlessHost::ClipCursor(std::optional<Rect> area) {
  clip_ = area;
  MovePointer(pointer_);
}

void HeadlessHost::SetCursorPos(int x, int y) {
  MovePointer({x, y});
}

ScreenMetrics HeadlessHost::Metrics() {
  ScreenMetrics metrics;
  metrics.WidthPx = DesktopWidth;
  metrics.HeightPx = DesktopHeight;
  metrics.TwipsPerPixelX = twips_;
  metrics.TwipsPerPixelY = twips_;
  return metrics;
}

bool HeadlessHost::ChangeDisplayMode(int width, int height) {
  (void)width, (void)height;
  return !refuseDisplaySwitch_;
}

Size HeadlessHost::MeasureText(std::string_view utf8, const TextStyle& style) {
  if (!text_) text_ = std::make_unique<TextRenderer>();
  return text_->Measure(utf8, style);
}

void HeadlessHost::DrawText(Surface& target, int x, int y, std::string_view utf8,
                            const TextStyle& style, const Rect& clip) {
  if (!text_) text_ = std::make_unique<TextRenderer>();
  text_->Draw(target, x, y, utf8, style, clip);
}

std::optional<Surface> HeadlessHost::LoadBitmap(const std::string& path) {
  return DecodeBmpFile(path);
}

// One voice: a new wave replaces what plays; a waited-for wave moves the clock past its end.
bool HeadlessHost::PlayWave(const std::vector<uint8_t>& wav, bool wait) {
  auto decoded = DecodeWave(wav);
  if (!decoded) return false;
  uint64_t length = WaveMs(WaveSeconds(*decoded));
  if (wait) {
    nowMs_ += length;
    voiceEndMs_ = nowMs_;
  } else {
    voiceEndMs_ = nowMs_ + length;
  }
  return true;
}

bool HeadlessHost::Launch(const std::string& program) {
  bool ok = IsRunnable(program);
  Trace(TraceEvent("launch").With("program", program).With("ok", TraceEvent::Value(ok)));
  return ok;
}

bool HeadlessHost::OpenHelp(const std::string& file) {
  Trace(TraceEvent("help").With("file", file));
  std::error_code status;
  return std::filesystem::is_regular_file(file, status);
}

PrintResult HeadlessHost::PrintText(const std::string& title, const std::string& text) {
  PrintResult result = PrintTextJob(title, text);
  Trace(TraceEvent("print").With("ok", TraceEvent::Value(result.Ok)).With("text", text));
  return result;
}

std::unique_ptr<Host> CreateHeadlessHost(const HostOptions& options, std::string& error) {
  if (options.ScriptPath.empty()) {
    error = "the headless host needs a script: --script FILE";
    return nullptr;
  }
  std::error_code status;
  std::filesystem::path startDirectory = std::filesystem::current_path(status);
  if (status) {
    error = "cannot read the current directory: " + status.message();
    return nullptr;
  }
  std::string text;
  if (!ReadWholeFile(options.ScriptPath, text, error)) return nullptr;
  std::string parseError;
  auto script = ParseScript(text, parseError);
  if (!script) {
    error = options.ScriptPath + ": " + parseError;
    return nullptr;
  }
  if (!options.TracePath.empty() &&
      std::filesystem::equivalent(options.ScriptPath, options.TracePath, status)) {
    error = "the trace " + options.TracePath + " would overwrite the script";
    return nullptr;
  }
  auto host = std::make_unique<HeadlessHost>(options, std::move(*script), startDirectory);
  if (!options.TracePath.empty() && !host->OpenTrace(options.TracePath, error)) return nullptr;
  return host;
}

}  // namespace qm
