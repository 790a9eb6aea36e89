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
using ::testing::FieldsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Pair;
using ::testing::Throws;

std::vector<ScriptCommand> Parse(std::string_view text) {
  std::string error;
  auto script = ParseScript(text, error);
  EXPECT_TRUE(script.has_value()) << error;
  return script.value_or(std::vector<ScriptCommand>{});
}

// The screen, controls and state a test game offers the host.
class FakeClient : public HostClient {
 public:
  std::map<std::string, Rect, std::less<>> Controls;
  std::string State = "{\"roster\":[]}";
  uint32_t ScreenColour = 0x336699;

  void ComposeScreen(Surface& screen) override {
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

// The forms the scenario scripts seldom use; the common ones run in every scenario, and a
// line's number is in malformed_script_stops' message. A carriage return before `type` is
// the script fuzz corpus's.
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
  EXPECT_EQ((std::vector{script[1].Button, script[2].Button, script[3].Button, script[5].Button}),
            (std::vector<int>{RightButton, MiddleButton, RightButton, vbYes}));
  EXPECT_EQ(script[1].At, (Point{5, 6}));
  EXPECT_FALSE(script[2].At.has_value()) << "up without X Y is where the pointer is";
  EXPECT_EQ(script[3].Argument, "picMain");
  std::string typed;
  for (const HostEvent& event : script[4].Keys) typed += event.Text;
  EXPECT_EQ(typed, "Jo Bloggs #1  ") << "type keeps the rest of the line, # and blanks too";
  EXPECT_THAT(script[6].Until, FieldsAre("msgbox",
                                         ElementsAre(Pair("text", "Please select a \"player\"."),
                                                     Pair("buttons", "ok")),
                                         5000u));
  EXPECT_THAT(script[7].Until, FieldsAre("show", IsEmpty(), UntilCondition::DefaultWithinMs));
  EXPECT_EQ(script[8].Argument, "state one.json");
  EXPECT_EQ(std::tuple(script[9].Kind, script[9].Line), std::tuple(ScriptCommandKind::Quit, 12));
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
    std::string error;
    EXPECT_FALSE(ParseScript(text, error)) << "accepted: " << text;
    EXPECT_TRUE(error.starts_with(message)) << text << "\n  gave: " << error;
  }
}

TEST(KeyStrokes, MakeTheEventsOfAKeyboard) {
  const auto upper = KeyEvents("A").value();
  EXPECT_THAT(KindsOf(upper), ElementsAre(Kind::KeyDown, Kind::Char, Kind::KeyUp));
  EXPECT_EQ(upper[0].Shift, 1);
  EXPECT_THAT(KindsOf(KeyEvents("esc").value()), ElementsAre(Kind::KeyDown, Kind::KeyUp));

  const auto typed = TypedEvents("Zé 1").value();
  EXPECT_THAT(KindsOf(typed), ElementsAre(Kind::KeyDown, Kind::Char, Kind::KeyUp, Kind::Char,
                                          Kind::Char, Kind::KeyDown, Kind::Char, Kind::KeyUp));
  EXPECT_EQ(typed[3].Text, "\xC3\xA9");
  EXPECT_FALSE(TypedEvents("\xED\xA0\x80"));  // a lone surrogate is not UTF-8
  EXPECT_FALSE(TypedEvents("\xC0\xAF"));      // nor is an overlong slash
}

// Matches on the kind alone and on quoted text, as every scenario waits, are the scenarios';
// here, what must not match and the less common values.
TEST(UntilMatching, ComparesTheKindAndEachFieldAsText) {
  auto until = [](std::string_view line) { return Parse(line).at(0).Until; };
  TraceEvent box("msgbox");
  box.With("title", "Quillmoor")
      .With("text", "Please select a player to practice with.")
      .With("buttons", "ok")
      .With("answer", 1);
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
  const std::string timedOut =
      "line 2: until caption control=lblStatus within 50 timed out after 50 ms";
  EXPECT_THAT(
      [&] {
        for (int i = 0; i < 200; ++i) run.Pump();
      },
      Throws<ScriptFailure>(FieldsAre(3, timedOut)));
  EXPECT_EQ(host.NowMs(), 50u);
}

// A snapshot and a wait beside an open box are the message box scenario's; a press cannot
// reach the screen, so the box takes its default first.
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
  EXPECT_EQ((Point{first[1].X, first[1].Y}), (Point{120, 210}));
  HostEvent event;
  EXPECT_THAT([&] { run.Host->PollEvent(event); },
              Throws<ScriptFailure>(FieldsAre(2, "line 2: no visible control lblNope")));
}

// The pointer's show count is leant on by the aiming of every practice scenario, which hides
// and shows it until the count says so.
TEST(HeadlessHost, PointerFollowsTheScriptAndTheGamesConfinement) {
  HostRun run(
      "move 5 5\n"
      "click left 630 400\n"
      "down right\n");
  HeadlessHost& host = *run.Host;
  host.ClipCursor(Rect{20, 30, 600, 340});
  auto confined = run.Pump();
  ASSERT_THAT(KindsOf(confined), ElementsAre(Kind::MouseMove, Kind::MouseMove, Kind::MouseDown,
                                             Kind::MouseUp, Kind::MouseDown, Kind::Quit));
  EXPECT_EQ((Point{confined[0].X, confined[0].Y}), (Point{20, 30}));
  EXPECT_EQ((Point{confined[1].X, confined[1].Y}), (Point{619, 369}));
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
  EXPECT_THAT([&] { run.Pump(); },
              Throws<ScriptFailure>(FieldsAre(2, HasSubstr("line 3: the folder"))));
  EXPECT_FALSE(fs::exists(run.Scratch.Path() / "missing"));
  const Surface snap = DecodeBmpFile((run.Scratch.Path() / "menu.bmp").string()).value();
  EXPECT_EQ((Size{snap.W, snap.H}), (Size{640, 480}));
  EXPECT_EQ(snap.At(639, 479), run.Client.ScreenColour);
  EXPECT_EQ(snap.At(1, 0), 0xFF0000u);
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
  EXPECT_EQ(lines[0],
            "{\"t\":0,\"ev\":\"launch\",\"program\":\"" + script.string() + "\",\"ok\":false}");
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
  options.TracePath = (scratch.Path() / "no" / "such" / "dir.jsonl").string();
  EXPECT_EQ(CreateHeadlessHost(options, error), nullptr);
  EXPECT_THAT(error, HasSubstr("dir.jsonl"));

  options.TracePath = script.string();
  EXPECT_EQ(CreateHeadlessHost(options, error), nullptr);
  EXPECT_THAT(error, HasSubstr("would overwrite the script"));
  EXPECT_EQ(ReadFile(script), "wait 10\n");
}

}  // namespace
}  // namespace qm
