#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/form.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/keystrokes.h"
#include "platform/headless/script_parser.h"
#include "platform/headless/trace_match.h"
#include "platform/message_box.h"
#include "platform/sdl/media_decode.h"
#include "test_support.h"

namespace qm {
namespace {

namespace fs = std::filesystem;
using Kind = HostEvent::Kind;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<ScriptCommand> Parse(std::string_view text) {
  std::string error;
  auto script = ParseScript(text, error);
  EXPECT_TRUE(script.has_value()) << error;
  return script.value_or(std::vector<ScriptCommand>{});
}

std::string ParseError(std::string_view text) {
  std::string error;
  auto script = ParseScript(text, error);
  EXPECT_FALSE(script.has_value()) << "accepted: " << text;
  return error;
}

// The screen, controls and state a test game offers the host.
class FakeClient : public HostClient {
 public:
  std::map<std::string, Rect, std::less<>> Controls;
  std::string State = "{\"roster\":[]}";
  uint32_t ScreenColour = 0x336699;
  int Composed = 0;

  void ComposeScreen(Surface& screen) override {
    ++Composed;
    screen.Fill(ScreenColour);
    screen.At(1, 0) = 0xFF0000;  // red, top left: the snapshot keeps rows and channels in order
  }
  std::optional<Rect> FindVisibleControl(std::string_view name) override {
    auto found = Controls.find(name);
    if (found == Controls.end()) return std::nullopt;
    return found->second;
  }
  std::string DumpState() override { return State; }
};

// A host on a script given as text, with its trace in a scratch file.
struct HostRun {
  ScratchDir Scratch;
  FakeClient Client;
  std::unique_ptr<HeadlessHost> Host;

  explicit HostRun(std::string_view script, HostOptions options = {}) {
    Host = std::make_unique<HeadlessHost>(options, Parse(script), Scratch.Path());
    std::string error;
    EXPECT_TRUE(Host->OpenTrace(TracePath().string(), error)) << error;
    Host->Attach(&Client);
  }
  fs::path TracePath() const { return Scratch.Path() / "run.trace.jsonl"; }

  // One pass of a game's event loop: everything pending, then a yield.
  std::vector<HostEvent> Pump() {
    std::vector<HostEvent> events;
    HostEvent event;
    while (Host->PollEvent(event)) events.push_back(event);
    Host->Yield(!events.empty());
    return events;
  }
};

std::vector<Kind> KindsOf(const std::vector<HostEvent>& events) {
  std::vector<Kind> kinds;
  for (const HostEvent& event : events) kinds.push_back(event.Type);
  return kinds;
}

// The forms the scenario scripts seldom use; the common ones run in every scenario.
TEST(ScriptParser, AcceptsEveryCommandForm) {
  auto script = Parse(
      "# a scenario\n"
      "\n"
      "wait 250\n"
      "down right 5 6  # where the menu starts\n"
      "up middle\n"
      "press picMain right\n"
      "type Jo Bloggs #1  \n"
      "answer YES\n"
      "until msgbox text=\"Please select a \\\"player\\\".\" buttons=ok within 5000\n"
      "until show\n"
      "dump \"state one.json\"\n"
      "QUIT\r\n");
  ASSERT_EQ(script.size(), 10u);
  EXPECT_EQ(script[0].Line, 3);
  EXPECT_EQ(script[0].Ms, 250u);
  EXPECT_EQ(script[1].Button, RightButton);
  EXPECT_EQ(script[1].At, (Point{5, 6}));
  EXPECT_EQ(script[2].Button, MiddleButton);
  EXPECT_FALSE(script[2].At.has_value()) << "up without X Y is where the pointer is";
  EXPECT_EQ(script[3].Argument, "picMain");
  EXPECT_EQ(script[3].Button, RightButton);
  std::string typed;
  for (const HostEvent& event : script[4].Keys) typed += event.Text;
  EXPECT_EQ(typed, "Jo Bloggs #1  ") << "type keeps the rest of the line, # and blanks too";
  EXPECT_EQ(script[5].Button, vbYes);
  EXPECT_EQ(script[6].Until.Event, "msgbox");
  EXPECT_THAT(
      script[6].Until.Fields,
      ElementsAre(std::pair<std::string, std::string>{"text", "Please select a \"player\"."},
                  std::pair<std::string, std::string>{"buttons", "ok"}));
  EXPECT_EQ(script[6].Until.WithinMs, 5000u);
  EXPECT_TRUE(script[7].Until.Fields.empty());
  EXPECT_EQ(script[7].Until.WithinMs, UntilCondition::DefaultWithinMs);
  EXPECT_EQ(script[8].Argument, "state one.json");
  EXPECT_EQ(script[9].Kind, ScriptCommandKind::Quit);
  EXPECT_EQ(script[9].Line, 12);
  auto crFirst = Parse("\rtype abc\n");
  ASSERT_EQ(crFirst.size(), 1u);
  typed.clear();
  for (const HostEvent& event : crFirst[0].Keys) typed += event.Text;
  EXPECT_EQ(typed, "abc") << "a carriage return before the command is not typed";
}

TEST(ScriptParser, RejectsMalformedLinesWithTheirNumber) {
  const std::pair<std::string, std::string> cases[] = {
      {"wait 5\njump 3\n", "line 2: unknown command 'jump'"},
      {"# c\n\nwait\n", "line 3: usage: wait MS"},
      {"wait -5", "line 1: MS must be a whole number"},
      {"move 640 0", "line 1: X must be a whole number from 0 to 639"},
      {"move 1", "line 1: usage: move X Y"},
      {"down sideways", "line 1: the button must be left, right or middle"},
      {"down left 4", "line 1: usage: down BUTTON [X Y]"},
      {"click left 1", "line 1: usage: click BUTTON X Y"},
      {"press", "line 1: usage: press CONTROL [BUTTON]"},
      {"press lblMain(0) sideways", "line 1: the button must be"},
      {"key Ctrl", "line 1: unknown key 'Ctrl'"},
      {"key", "line 1: usage: key NAME"},
      {"type", "line 1: usage: type TEXT"},
      {"type \x01", "line 1: type needs printable UTF-8 text"},
      {"type caf\xC3", "line 1: type needs printable UTF-8 text"},
      {"answer maybe", "line 1: the answer must be ok, yes, no or cancel"},
      {"until", "line 1: usage: until"},
      {"until msgbox text", "line 1: expected FIELD=VALUE, not 'text'"},
      {"until msgbox within x", "line 1: within must be a whole number"},
      {"until msgbox text=\"open", "line 1: a quote is not closed"},
      {"snap screen.png", "line 1: snap writes a .bmp file, not 'screen.png'"},
      {"quit now", "line 1: usage: quit"},
  };
  for (const auto& [text, message] : cases) {
    std::string error = ParseError(text);
    EXPECT_TRUE(error.starts_with(message)) << text << "\n  gave: " << error;
  }
}

TEST(KeyStrokes, MakeTheEventsOfAKeyboard) {
  auto upper = KeyEvents("A");
  ASSERT_TRUE(upper);
  EXPECT_THAT(KindsOf(*upper), ElementsAre(Kind::KeyDown, Kind::Char, Kind::KeyUp));
  EXPECT_EQ((*upper)[0].Shift, 1);
  auto escape = KeyEvents("esc");
  ASSERT_TRUE(escape);
  EXPECT_THAT(KindsOf(*escape), ElementsAre(Kind::KeyDown, Kind::KeyUp));

  auto typed = TypedEvents("Zé 1");
  ASSERT_TRUE(typed);
  EXPECT_THAT(KindsOf(*typed), ElementsAre(Kind::KeyDown, Kind::Char, Kind::KeyUp, Kind::Char,
                                           Kind::Char, Kind::KeyDown, Kind::Char, Kind::KeyUp));
  EXPECT_EQ((*typed)[3].Text, "\xC3\xA9");
  EXPECT_FALSE(TypedEvents("\xED\xA0\x80"));  // a lone surrogate is not UTF-8
  EXPECT_FALSE(TypedEvents("\xC0\xAF"));      // nor is an overlong slash
}

TEST(UntilMatching, ComparesTheKindAndEachFieldAsText) {
  auto until = [](std::string_view line) { return Parse(line).at(0).Until; };
  TraceEvent box("msgbox");
  box.With("title", "Quillmoor")
      .With("text", "Please select a player to practice with.")
      .With("buttons", "ok")
      .With("answer", 1);
  EXPECT_TRUE(UntilMatches(until("until msgbox"), box));
  EXPECT_TRUE(UntilMatches(
      until("until msgbox text=\"Please select a player to practice with.\" answer=1"), box));
  EXPECT_FALSE(UntilMatches(until("until msgbox text=\"Please select a player\""), box))
      << "a value matches whole, not in part";
  EXPECT_FALSE(UntilMatches(until("until msgbox answer=6"), box));
  EXPECT_FALSE(UntilMatches(until("until msgbox icon=16"), box)) << "no such field";
  EXPECT_FALSE(UntilMatches(until("until sound"), box));

  TraceEvent quoted("caption");
  quoted.With("control", "lblStatus").With("text", "Say \"pull\"");
  EXPECT_TRUE(UntilMatches(until("until caption text=\"Say \\\"pull\\\"\""), quoted));

  TraceEvent print("print");
  print.With("ok", TraceEvent::Value(false)).With("speed", TraceEvent::Value(2.5));
  EXPECT_TRUE(UntilMatches(until("until print ok=false"), print));
  EXPECT_FALSE(UntilMatches(until("until print ok=0"), print));
  EXPECT_TRUE(UntilMatches(until("until print speed=2.5"), print));
  EXPECT_TRUE(UntilMatches(until("until print speed=2.50"), print)) << "numbers match by value";
  EXPECT_FALSE(UntilMatches(until("until msgbox answer=1x"), box));
}

// A yield's millisecond and the noon start are pinned by the scenarios' traced times and dates.
TEST(HeadlessHost, VirtualClockMovesOnlyWhileTheGameWaits) {
  HostOptions late;
  late.DayClockStart = 86399.5;
  late.Seed = 77;
  HostRun run("", late);
  HeadlessHost& host = *run.Host;
  EXPECT_EQ(host.RandomSeed(), 77u);
  for (int i = 0; i < 1000; ++i) host.Spin();
  EXPECT_DOUBLE_EQ(host.DayClock(), 86400.5) << "past midnight it keeps counting up";

  // A waited-for sound takes its length, rounded up to whole milliseconds.
  EXPECT_TRUE(host.PlayWave(SilentWave(22050, 2205), true));
  EXPECT_EQ(host.TimeGetTime(), 1100u);
  EXPECT_TRUE(host.PlayWave(SilentWave(22050, 2206), true));
  EXPECT_EQ(host.TimeGetTime(), 1201u);
  EXPECT_FALSE(host.PlayWave({1, 2, 3}, true));
  EXPECT_EQ(host.TimeGetTime(), 1201u);

  // One that plays on keeps the voice busy until its end on the virtual clock.
  EXPECT_TRUE(host.PlayWave(SilentWave(11025, 551), false));  // 50 ms
  EXPECT_EQ(host.TimeGetTime(), 1201u);
  for (int i = 0; i < 49; ++i) host.Spin();
  EXPECT_TRUE(host.VoiceBusy());
  host.Spin();
  EXPECT_FALSE(host.VoiceBusy());
}

TEST(HeadlessHost, UntilSeesOnlyEventsTracedAfterItStartsAndTimesOut) {
  HostRun run(
      "key a\n"
      "until caption control=lblStatus within 50\n");
  HeadlessHost& host = *run.Host;
  HostEvent event;
  ASSERT_TRUE(host.PollEvent(event));
  EXPECT_EQ(event.Type, Kind::KeyDown);
  // The game answers the key at once, before the `until` has started.
  host.Trace(TraceEvent("caption").With("control", "lblStatus").With("text", "Gun Low..."));
  while (host.PollEvent(event)) {
  }
  try {
    for (int i = 0; i < 200; ++i) run.Pump();
    FAIL() << "the until did not time out";
  } catch (const ScriptFailure& failure) {
    EXPECT_EQ(failure.Code, 3);
    EXPECT_EQ(failure.Message,
              "line 2: until caption control=lblStatus within 50 timed out after 50 ms");
    EXPECT_EQ(host.NowMs(), 50u);
  }
}

// A snapshot beside an open box is the message box scenario's; a press cannot reach the
// screen, so the box takes its default first.
TEST(HeadlessHost, AnOpenBoxTakesItsDefaultBeforeCommandsThatCannotReachIt) {
  HostRun run(
      "dump box.json\n"
      "wait 20\n"
      "press lblMain(0)\n");
  run.Client.Controls["lblMain(0)"] = Rect{10, 20, 30, 40};
  HeadlessHost& host = *run.Host;
  EXPECT_EQ(host.MessageBoxOpened(), std::nullopt);
  std::vector<HostEvent> seen;
  for (int i = 0; i < 40 && seen.empty(); ++i) seen = run.Pump();
  EXPECT_THAT(KindsOf(seen), ElementsAre(Kind::Dismiss));
  EXPECT_EQ(host.NowMs(), 21u) << "dump and wait ran beside the open box";
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(run.Pump().empty()) << "press waits for the box";
  host.MessageBoxClosed();
  std::vector<HostEvent> pressed(3);
  for (HostEvent& event : pressed) ASSERT_TRUE(host.PollEvent(event));
  EXPECT_THAT(KindsOf(pressed), ElementsAre(Kind::MouseMove, Kind::MouseDown, Kind::MouseUp));
}

TEST(HeadlessHost, PressClicksTheCentreOfAVisibleControl) {
  HostRun run(
      "press lblMain(3)\n"
      "press lblNope\n");
  run.Client.Controls["lblMain(3)"] = Rect{100, 200, 41, 20};
  std::vector<HostEvent> first(3);
  for (HostEvent& event : first) ASSERT_TRUE(run.Host->PollEvent(event));
  EXPECT_EQ(first[1].X, 120);
  EXPECT_EQ(first[1].Y, 210);
  try {
    HostEvent event;
    run.Host->PollEvent(event);
    FAIL() << "an unknown control did not stop the run";
  } catch (const ScriptFailure& failure) {
    EXPECT_EQ(failure.Code, 2);
    EXPECT_EQ(failure.Message, "line 2: no visible control lblNope");
  }
}

TEST(HeadlessHost, PointerFollowsTheScriptAndTheGamesConfinement) {
  HostRun run(
      "move 5 5\n"
      "click left 630 400\n"
      "down right\n");
  HeadlessHost& host = *run.Host;
  EXPECT_EQ(host.ShowCursor(false), -1);
  EXPECT_EQ(host.ShowCursor(true), 0);

  host.ClipCursor(Rect{20, 30, 600, 340});
  auto confined = run.Pump();
  ASSERT_THAT(KindsOf(confined), ElementsAre(Kind::MouseMove, Kind::MouseMove, Kind::MouseDown,
                                             Kind::MouseUp, Kind::MouseDown, Kind::Quit));
  EXPECT_EQ(confined[0].X, 20);
  EXPECT_EQ(confined[0].Y, 30);
  EXPECT_EQ(confined[1].X, 619);
  EXPECT_EQ(confined[1].Y, 369);
  EXPECT_EQ(confined[4].X, 619) << "down without X Y is where the pointer is";

  // The game's own moves are heard as moves, as the old desktop reported them.
  host.SetCursorPos(0, 479);
  EXPECT_EQ(host.GetCursorPos(), (Point{20, 369}));
  HostEvent event;
  ASSERT_TRUE(host.PollEvent(event));
  EXPECT_EQ(event.Type, Kind::MouseMove);
  host.SetCursorPos(20, 369);
  EXPECT_FALSE(host.PollEvent(event)) << "a warp to where the pointer is moves nothing";
  host.ClipCursor(std::nullopt);
  host.SetCursorPos(5, 470);
  ASSERT_TRUE(host.PollEvent(event));
  host.ClipCursor(Rect{20, 30, 600, 340});
  ASSERT_TRUE(host.PollEvent(event)) << "confinement brings the pointer inside";
  EXPECT_EQ(host.GetCursorPos(), (Point{20, 369}));
}

TEST(HeadlessHost, SnapAndDumpWriteWholeFilesOrStopTheRun) {
  HostRun run(
      "snap menu.bmp\n"
      "dump state.json\n"
      "snap missing/menu.bmp\n");
  try {
    run.Pump();
    FAIL() << "a snapshot that cannot be written did not stop the run";
  } catch (const ScriptFailure& failure) {
    EXPECT_EQ(failure.Code, 2);
    EXPECT_THAT(failure.Message, HasSubstr("line 3: the folder"));
  }
  EXPECT_FALSE(fs::exists(run.Scratch.Path() / "missing"));
  auto snap = DecodeBmpFile((run.Scratch.Path() / "menu.bmp").string());
  ASSERT_TRUE(snap);
  EXPECT_EQ(snap->W, 640);
  EXPECT_EQ(snap->H, 480);
  EXPECT_EQ(snap->At(639, 479), run.Client.ScreenColour);
  EXPECT_EQ(snap->At(1, 0), 0xFF0000u);
  EXPECT_EQ(ReadFile(run.Scratch.Path() / "state.json"), run.Client.State);
}

TEST(HeadlessHost, ProgramsAndHelpAreTracedNotStarted) {
  HostRun run("");
  HeadlessHost& host = *run.Host;
  const fs::path script = run.Scratch.Path() / "editor.sh";
  WriteFile(script, "#!/bin/sh\ntouch started\n");
  EXPECT_FALSE(host.Launch(script.string())) << "not executable yet";
  fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
  EXPECT_TRUE(host.Launch(script.string()));
  EXPECT_TRUE(host.OpenHelp(script.string()));
  EXPECT_FALSE(host.OpenHelp("nothing.html"));
  EXPECT_FALSE(fs::exists(run.Scratch.Path() / "started"));
  auto lines = ReadLines(run.TracePath());
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_THAT(lines[0], HasSubstr("\"ev\":\"launch\""));
  EXPECT_THAT(lines[0], HasSubstr("\"ok\":false"));
  // Read while the host still runs: every line is written whole at once, time first.
  EXPECT_EQ(lines[3], "{\"t\":0,\"ev\":\"help\",\"file\":\"nothing.html\"}");
}

// An absent script is the program shell test's.
TEST(HeadlessHost, CreationRefusesABrokenScriptBeforeAnythingRuns) {
  ScratchDir scratch;
  fs::path script = scratch.Path() / "broken.script";
  WriteFile(script, "wait 10\nwait ten\n");
  HostOptions options;
  options.ScriptPath = script.string();
  options.TracePath = (scratch.Path() / "broken.trace.jsonl").string();
  std::string error;
  EXPECT_EQ(CreateHeadlessHost(options, error), nullptr);
  EXPECT_THAT(error, HasSubstr("broken.script: line 2: MS must be a whole number"));
  EXPECT_FALSE(fs::exists(options.TracePath)) << "nothing ran, not even the trace";

  WriteFile(script, "wait 10\n");
  options.ScriptPath = script.string();
  options.TracePath = (scratch.Path() / "no" / "such" / "dir.jsonl").string();
  EXPECT_EQ(CreateHeadlessHost(options, error), nullptr);
  EXPECT_THAT(error, HasSubstr("dir.jsonl"));

  options.TracePath = script.string();
  EXPECT_EQ(CreateHeadlessHost(options, error), nullptr);
  EXPECT_THAT(error, HasSubstr("would overwrite the script"));
  EXPECT_EQ(ReadFile(script), "wait 10\n");

  options.TracePath = (scratch.Path() / "ok.jsonl").string();
  EXPECT_NE(CreateHeadlessHost(options, error), nullptr) << error;
}

}  // namespace
}  // namespace qm
