// How the script feeds the game: commands run when the game asks for events and none of
// the ones already made are left, so each command sees the game settled after the last.

#include <algorithm>

#include "platform/bmp_writer.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/trace_match.h"
#include "platform/user_files.h"

namespace qm {

namespace {

constexpr int ScreenWidth = 640;
constexpr int ScreenHeight = 480;

HostEvent ScriptEvent(HostEvent::Kind kind) {
  HostEvent event;
  event.Type = kind;
  return event;
}

// The commands a message box does not hold up: they look at the box or act on it. Any other
// command (and the end of the script) first lets the box take its default button.
bool RunsBesideOpenBox(const ScriptCommand* command) {
  if (!command) return false;
  switch (command->Kind) {
    case ScriptCommandKind::Snap:
    case ScriptCommandKind::Dump:
    case ScriptCommandKind::Wait:
    case ScriptCommandKind::Answer:
    case ScriptCommandKind::Key:
    case ScriptCommandKind::Click:
    case ScriptCommandKind::Move:
    case ScriptCommandKind::Down:
    case ScriptCommandKind::Up:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool HeadlessHost::PollEvent(HostEvent& event) {
  if (pending_.empty() && ReadyForCommand()) RunCommands();
  if (pending_.empty()) return false;
  event = std::move(pending_.front());
  pending_.pop_front();
  return true;
}

bool HeadlessHost::ReadyForCommand() {
  switch (waiting_) {
    case Waiting::Nothing:
      return true;
    case Waiting::Clock:
      if (nowMs_ < deadlineMs_) return false;
      break;
    case Waiting::Trace:
      if (untilMet_) break;
      if (nowMs_ >= deadlineMs_) {
        Fail(3, until_->Line,
             until_->Source + " timed out after " + std::to_string(until_->Until.WithinMs) + " ms");
      }
      return false;
    case Waiting::BoxClose:
      if (openBoxes_ == 0) break;
      if (nowMs_ >= deadlineMs_) {
        Fail(3, settleLine_,
             "the message box did not close within " + std::to_string(SettleLimitMs) +
                 " ms of taking its default button");
      }
      return false;
    case Waiting::GameEnd:
      if (nowMs_ >= deadlineMs_) {
        Fail(3, settleLine_,
             "the game did not end within " + std::to_string(SettleLimitMs) + " ms of " +
                 (settleLine_ > 0 ? "quit" : "the end of the script"));
      }
      return false;
  }
  waiting_ = Waiting::Nothing;
  until_ = nullptr;
  return true;
}

void HeadlessHost::RunCommands() {
  while (pending_.empty() && waiting_ == Waiting::Nothing) {
    const ScriptCommand* command = next_ < script_.size() ? &script_[next_] : nullptr;
    if (openBoxes_ > 0 && !RunsBesideOpenBox(command)) {
      pending_.push_back(ScriptEvent(HostEvent::Kind::Dismiss));
      waiting_ = Waiting::BoxClose;
      deadlineMs_ = nowMs_ + SettleLimitMs;
      settleLine_ = command ? command->Line : 0;
      return;
    }
    if (!command) {
      EndScript(0);
      return;
    }
    ++next_;
    Run(*command);
  }
}

void HeadlessHost::Run(const ScriptCommand& command) {
  switch (command.Kind) {
    case ScriptCommandKind::Wait:
      waiting_ = Waiting::Clock;
      deadlineMs_ = nowMs_ + command.Ms;
      break;
    case ScriptCommandKind::Move:
      pointer_ = Confined(*command.At);
      PushMouse(HostEvent::Kind::MouseMove, 0);
      break;
    case ScriptCommandKind::Down:
    case ScriptCommandKind::Up:
      if (command.At) {
        pointer_ = Confined(*command.At);
        PushMouse(HostEvent::Kind::MouseMove, 0);
      }
      PushMouse(command.Kind == ScriptCommandKind::Down ? HostEvent::Kind::MouseDown
                                                        : HostEvent::Kind::MouseUp,
                command.Button);
      break;
    case ScriptCommandKind::Click:
      PushClick(*command.At, command.Button);
      break;
    case ScriptCommandKind::Press:
      Press(command);
      break;
    case ScriptCommandKind::Key:
    case ScriptCommandKind::Type:
      pending_.insert(pending_.end(), command.Keys.begin(), command.Keys.end());
      break;
    case ScriptCommandKind::Answer:
      if (openBoxes_ > 0) {
        HostEvent answer = ScriptEvent(HostEvent::Kind::Answer);
        answer.Button = command.Button;
        pending_.push_back(answer);
      } else {
        answers_.push_back(command.Button);
      }
      break;
    case ScriptCommandKind::Until:
      waiting_ = Waiting::Trace;
      deadlineMs_ = nowMs_ + command.Until.WithinMs;
      until_ = &command;
      untilMet_ = false;
      break;
    case ScriptCommandKind::Snap:
      Snap(command);
      break;
    case ScriptCommandKind::Dump:
      Dump(command);
      break;
    case ScriptCommandKind::Quit:
      EndScript(command.Line);
      break;
  }
}

// Closes the window as its frame would; the game then ends.
void HeadlessHost::EndScript(int line) {
  pending_.push_back(ScriptEvent(HostEvent::Kind::Quit));
  waiting_ = Waiting::GameEnd;
  deadlineMs_ = nowMs_ + SettleLimitMs;
  settleLine_ = line;
  next_ = script_.size();
}

Point HeadlessHost::Confined(Point at) const {
  if (!clip_ || clip_->W <= 0 || clip_->H <= 0) return at;
  return {std::clamp(at.X, clip_->X, clip_->X + clip_->W - 1),
          std::clamp(at.Y, clip_->Y, clip_->Y + clip_->H - 1)};
}

// The game moved the pointer (a warp, or a confinement it was outside of): the window hears
// of it as of any move.
void HeadlessHost::MovePointer(Point to) {
  Point confined = Confined(to);
  if (confined == pointer_) return;
  pointer_ = confined;
  PushMouse(HostEvent::Kind::MouseMove, 0);
}

void HeadlessHost::PushMouse(HostEvent::Kind kind, int button) {
  HostEvent event = ScriptEvent(kind);
  event.X = pointer_.X;
  event.Y = pointer_.Y;
  event.Button = button;
  pending_.push_back(event);
}

void HeadlessHost::PushClick(Point at, int button) {
  pointer_ = Confined(at);
  PushMouse(HostEvent::Kind::MouseMove, 0);
  PushMouse(HostEvent::Kind::MouseDown, button);
  PushMouse(HostEvent::Kind::MouseUp, button);
}

void HeadlessHost::Press(const ScriptCommand& command) {
  std::optional<Rect> area;
  if (client_) area = client_->FindVisibleControl(command.Argument);
  if (!area) Fail(2, command.Line, "no visible control " + command.Argument);
  PushClick({area->X + area->W / 2, area->Y + area->H / 2}, command.Button);
}

void HeadlessHost::Snap(const ScriptCommand& command) {
  if (!client_) Fail(2, command.Line, "snap: the game has no screen yet");
  Surface screen(ScreenWidth, ScreenHeight);
  client_->ComposeScreen(screen);
  WriteScriptFile(command, EncodeBmp24(screen));
}

void HeadlessHost::Dump(const ScriptCommand& command) {
  if (!client_) Fail(2, command.Line, "dump: the game has no state yet");
  WriteScriptFile(command, client_->DumpState());
}

void HeadlessHost::WriteScriptFile(const ScriptCommand& command, std::string_view bytes) {
  std::filesystem::path path = startDirectory_ / command.Argument;
  std::string error;
  if (!WriteWholeFile(path.string(), bytes, error)) Fail(2, command.Line, error);
}

void HeadlessHost::Trace(const TraceEvent& event) {
  trace_.Write(nowMs_, event);
  if (waiting_ == Waiting::Trace && !untilMet_ && UntilMatches(until_->Until, event)) {
    untilMet_ = true;
  }
}

// A box that opens while the script cannot reach it (an `until` is waiting, or the game is
// ending) takes its default button, since no command could answer it.
std::optional<int> HeadlessHost::MessageBoxOpened() {
  ++openBoxes_;
  if (!answers_.empty()) {
    int answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  if ((waiting_ == Waiting::Trace && !untilMet_) || waiting_ == Waiting::GameEnd ||
      waiting_ == Waiting::BoxClose) {
    pending_.push_back(ScriptEvent(HostEvent::Kind::Dismiss));
  }
  return std::nullopt;
}

void HeadlessHost::MessageBoxClosed() {
  if (openBoxes_ > 0) --openBoxes_;
}

void HeadlessHost::Fail(int code, int line, const std::string& message) const {
  if (line > 0) throw ScriptFailure{code, "line " + std::to_string(line) + ": " + message};
  throw ScriptFailure{code, message};
}

}  // namespace qm
