#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "app/game.h"
#include "platform/form.h"
#include "platform/bmp_writer.h"
#include "platform/headless/headless_host.h"
#include "platform/headless/keystrokes.h"
#include "platform/headless/script_parser.h"
#include "platform/headless/trace_match.h"
#include "platform/headless/trace_writer.h"
#include "platform/message_box.h"
#include "platform/sdl/media_decode.h"
#include "platform/sound.h"

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

// A scratch directory of its own for each test, removed afterwards.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    std::string pattern = (fs::temp_directory_path() / "quillmoor-headless-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
  }
  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> ReadLines(const fs::path& path) {
  std::vector<std::string> lines;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
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
  ScratchDirectory Scratch;
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
  // Pumps until an event of `kind` arrives; gives up after `limitMs` of virtual time.
  std::optional<HostEvent> PumpUntil(Kind kind, uint32_t limitMs = 100000) {
    uint64_t end = Host->NowMs() + limitMs;
    while (Host->NowMs() < end) {
      HostEvent event;
      while (Host->PollEvent(event)) {
        if (event.Type == kind) return event;
      }
      Host->Yield(false);
    }
    return std::nullopt;
  }
};

std::vector<Kind> KindsOf(const std::vector<HostEvent>& events) {
  std::vector<Kind> kinds;
  for (const HostEvent& event : events) kinds.push_back(event.Type);
  return kinds;
}

// A mono 16-bit wave of `frames` silent samples at `rate`.
std::vector<uint8_t> SilentWave(int rate, int frames) {
  std::vector<uint8_t> bytes;
  auto put32 = [&bytes](uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  auto put16 = [&bytes](uint16_t v) {
    bytes.push_back(static_cast<uint8_t>(v));
    bytes.push_back(static_cast<uint8_t>(v >> 8));
  };
  auto tag = [&bytes](std::string_view t) {
    for (char c : t) bytes.push_back(static_cast<uint8_t>(c));
  };
  uint32_t dataBytes = static_cast<uint32_t>(frames) * 2;
  tag("RIFF");
  put32(36 + dataBytes);
  tag("WAVE");
  tag("fmt ");
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(static_cast<uint32_t>(rate));
  put32(static_cast<uint32_t>(rate) * 2);
  put16(2);
  put16(16);
  tag("data");
  put32(dataBytes);
  bytes.resize(bytes.size() + dataBytes, 0);
  return bytes;
}

TEST(ScriptParser, AcceptsEveryCommandForm) {
  auto script = Parse(
      "# a scenario\n"
      "\n"
      "wait 250\n"
      "move 10 20  # where the menu starts\n"
      "down left\n"
      "down right 5 6\n"
      "up middle\n"
      "up left 639 479\n"
      "click right 100 200\n"
      "press lblOptions(0)\n"
      "press picMain right\n"
      "key Esc\n"
      "key a\n"
      "type Jo Bloggs #1  \n"
      "answer YES\n"
      "until msgbox text=\"Please select a \\\"player\\\".\" buttons=ok within 5000\n"
      "until show\n"
      "snap shots/menu.bmp\n"
      "dump \"state one.json\"\n"
      "QUIT\r\n");
  ASSERT_EQ(script.size(), 18u);
  std::vector<int> lines;
  for (const ScriptCommand& command : script) lines.push_back(command.Line);
  EXPECT_THAT(lines, ElementsAre(3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20));

  EXPECT_EQ(script[0].Kind, ScriptCommandKind::Wait);
  EXPECT_EQ(script[0].Ms, 250u);
  EXPECT_EQ(script[1].Kind, ScriptCommandKind::Move);
  EXPECT_EQ(script[1].At, (Point{10, 20}));
  EXPECT_EQ(script[2].Kind, ScriptCommandKind::Down);
  EXPECT_EQ(script[2].Button, LeftButton);
  EXPECT_FALSE(script[2].At.has_value());
  EXPECT_EQ(script[3].Button, RightButton);
  EXPECT_EQ(script[3].At, (Point{5, 6}));
  EXPECT_EQ(script[4].Kind, ScriptCommandKind::Up);
  EXPECT_EQ(script[4].Button, MiddleButton);
  EXPECT_EQ(script[5].At, (Point{639, 479}));
  EXPECT_EQ(script[6].Kind, ScriptCommandKind::Click);
  EXPECT_EQ(script[6].Button, RightButton);
  EXPECT_EQ(script[6].At, (Point{100, 200}));
  EXPECT_EQ(script[7].Kind, ScriptCommandKind::Press);
  EXPECT_EQ(script[7].Argument, "lblOptions(0)");
  EXPECT_EQ(script[7].Button, LeftButton);
  EXPECT_EQ(script[8].Button, RightButton);
  EXPECT_EQ(script[9].Kind, ScriptCommandKind::Key);
  EXPECT_EQ(script[9].Keys.size(), 2u);
  EXPECT_EQ(script[11].Kind, ScriptCommandKind::Type);
  std::string typed;
  for (const HostEvent& event : script[11].Keys) typed += event.Text;
  EXPECT_EQ(typed, "Jo Bloggs #1  ") << "type keeps the rest of the line, # and blanks too";
  auto crFirst = Parse("\rtype abc\n");
  ASSERT_EQ(crFirst.size(), 1u);
  typed.clear();
  for (const HostEvent& event : crFirst[0].Keys) typed += event.Text;
  EXPECT_EQ(typed, "abc") << "a carriage return before the command is not typed";
  EXPECT_EQ(script[12].Kind, ScriptCommandKind::Answer);
  EXPECT_EQ(script[12].Button, vbYes);
  EXPECT_EQ(script[13].Kind, ScriptCommandKind::Until);
  EXPECT_EQ(script[13].Until.Event, "msgbox");
  EXPECT_THAT(
      script[13].Until.Fields,
      ElementsAre(std::pair<std::string, std::string>{"text", "Please select a \"player\"."},
                  std::pair<std::string, std::string>{"buttons", "ok"}));
  EXPECT_EQ(script[13].Until.WithinMs, 5000u);
  EXPECT_EQ(script[14].Until.Event, "show");
  EXPECT_TRUE(script[14].Until.Fields.empty());
  EXPECT_EQ(script[14].Until.WithinMs, UntilCondition::DefaultWithinMs);
  EXPECT_EQ(script[15].Kind, ScriptCommandKind::Snap);
  EXPECT_EQ(script[15].Argument, "shots/menu.bmp");
  EXPECT_EQ(script[16].Kind, ScriptCommandKind::Dump);
  EXPECT_EQ(script[16].Argument, "state one.json");
  EXPECT_EQ(script[17].Kind, ScriptCommandKind::Quit);
}

TEST(ScriptParser, RejectsMalformedLinesWithTheirNumber) {
  const std::pair<std::string, std::string> cases[] = {
      {"wait 5\njump 3\n", "line 2: unknown command 'jump'"},
      {"# c\n\nwait\n", "line 3: usage: wait MS"},
      {"wait -5", "line 1: MS must be a whole number"},
      {"wait 1.5", "line 1: MS must be a whole number"},
      {"wait 99999999999", "line 1: MS must be a whole number"},
      {"move 640 0", "line 1: X must be a whole number from 0 to 639"},
      {"move 0 480", "line 1: Y must be a whole number from 0 to 479"},
      {"move 1", "line 1: usage: move X Y"},
      {"down sideways", "line 1: the button must be left, right or middle"},
      {"down left 4", "line 1: usage: down BUTTON [X Y]"},
      {"up left 1 2 3", "line 1: usage: up BUTTON [X Y]"},
      {"click left 1", "line 1: usage: click BUTTON X Y"},
      {"press", "line 1: usage: press CONTROL [BUTTON]"},
      {"press lblMain(0) sideways", "line 1: the button must be"},
      {"key Ctrl", "line 1: unknown key 'Ctrl'"},
      {"key ab", "line 1: unknown key 'ab'"},
      {"key", "line 1: usage: key NAME"},
      {"type", "line 1: usage: type TEXT"},
      {"type \x01", "line 1: type needs printable UTF-8 text"},
      {"type caf\xC3", "line 1: type needs printable UTF-8 text"},
      {"answer maybe", "line 1: the answer must be ok, yes, no or cancel"},
      {"until", "line 1: usage: until"},
      {"until text=x", "line 1: usage: until"},
      {"until msgbox text", "line 1: expected FIELD=VALUE, not 'text'"},
      {"until msgbox =x", "line 1: expected FIELD=VALUE"},
      {"until msgbox within x", "line 1: within must be a whole number"},
      {"until msgbox within", "line 1: expected FIELD=VALUE, not 'within'"},
      {"until msgbox text=\"open", "line 1: a quote is not closed"},
      {"snap screen.png", "line 1: snap writes a .bmp file, not 'screen.png'"},
      {"dump state.txt", "line 1: dump writes a .json file"},
      {"quit now", "line 1: usage: quit"},
  };
  for (const auto& [text, message] : cases) {
    std::string error = ParseError(text);
    EXPECT_TRUE(error.starts_with(message)) << text << "\n  gave: " << error;
  }
}

TEST(KeyStrokes, MakeTheEventsOfAKeyboard) {
  auto lower = KeyEvents("a");
  ASSERT_TRUE(lower);
  EXPECT_THAT(KindsOf(*lower), ElementsAre(Kind::KeyDown, Kind::Char, Kind::KeyUp));
  EXPECT_EQ((*lower)[0].Key, 65);
  EXPECT_EQ((*lower)[0].Shift, 0);
  EXPECT_EQ((*lower)[1].Text, "a");
  EXPECT_EQ((*lower)[2].Key, 65);

  auto upper = KeyEvents("A");
  EXPECT_EQ((*upper)[0].Key, 65);
  EXPECT_EQ((*upper)[0].Shift, 1);
  EXPECT_EQ((*upper)[1].Text, "A");

  auto escape = KeyEvents("esc");
  ASSERT_TRUE(escape);
  EXPECT_THAT(KindsOf(*escape), ElementsAre(Kind::KeyDown, Kind::KeyUp));
  EXPECT_EQ((*escape)[0].Key, KeyEscape);

  auto space = KeyEvents("Space");
  EXPECT_THAT(KindsOf(*space), ElementsAre(Kind::KeyDown, Kind::Char, Kind::KeyUp));
  EXPECT_EQ((*space)[0].Key, KeySpace);
  EXPECT_EQ((*space)[1].Text, " ");

  const std::pair<const char*, int> codes[] = {
      {"Enter", KeyReturn},
      {"Tab", KeyTab},
      {"Backspace", KeyBack},
      {"F1", KeyF1},
      {"Up", KeyUp},
      {"Down", KeyDown},
      {"Left", KeyLeft},
      {"Right", KeyRight},
      {"7", 55},
      {"<", 60},
      {"`", 96},
  };
  for (const auto& [name, code] : codes) {
    auto events = KeyEvents(name);
    ASSERT_TRUE(events) << name;
    EXPECT_EQ(events->front().Key, code) << name;
  }

  auto typed = TypedEvents("Zé 1");
  ASSERT_TRUE(typed);
  EXPECT_THAT(KindsOf(*typed), ElementsAre(Kind::KeyDown, Kind::Char, Kind::KeyUp, Kind::Char,
                                           Kind::Char, Kind::KeyDown, Kind::Char, Kind::KeyUp));
  EXPECT_EQ((*typed)[0].Key, 90);
  EXPECT_EQ((*typed)[3].Text, "\xC3\xA9");
  EXPECT_EQ((*typed)[4].Text, " ");
  EXPECT_EQ((*typed)[5].Key, 49);

  EXPECT_TRUE(KeyEvents("\xC3\xA9"));
  EXPECT_FALSE(KeyEvents("\xC3"));
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
  EXPECT_TRUE(UntilMatches(until("until msgbox answer=1.0"), box));
  EXPECT_FALSE(UntilMatches(until("until msgbox answer=1x"), box));
}

TEST(TraceWriter, PutsTheTimeFirstAndFlushesEveryLine) {
  ScratchDirectory scratch;
  fs::path path = scratch.Path() / "t.jsonl";
  TraceWriter writer;
  std::string error;
  ASSERT_TRUE(writer.Open(path.string(), error)) << error;
  writer.Write(0, TraceEvent("exit").With("code", 0));
  writer.Write(1234567, TraceEvent("caption").With("control", "lblMode").With("text", "Practice"));
  EXPECT_THAT(ReadLines(path),
              ElementsAre("{\"t\":0,\"ev\":\"exit\",\"code\":0}",
                          "{\"t\":1234567,\"ev\":\"caption\",\"control\":\"lblMode\","
                          "\"text\":\"Practice\"}"))
      << "read while the writer is still open: each line is flushed";

  TraceWriter nowhere;
  EXPECT_FALSE(nowhere.Open((scratch.Path() / "missing" / "t.jsonl").string(), error));
  EXPECT_THAT(error, HasSubstr("missing/t.jsonl"));
}

TEST(BmpWriter, WritesRowsBottomUpAsBlueGreenRed) {
  Surface picture(3, 2);
  picture.At(0, 0) = 0xFF0000;
  picture.At(1, 0) = 0x00FF00;
  picture.At(2, 0) = 0x0000FF;
  picture.At(0, 1) = 0x123456;
  std::string bytes = EncodeBmp24(picture);
  auto u32 = [&bytes](size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(bytes[at + i]);
    return v;
  };
  ASSERT_EQ(bytes.size(), 54u + 2 * 12);  // 9 bytes a row, padded to 12
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(u32(2), bytes.size());
  EXPECT_EQ(u32(10), 54u);
  EXPECT_EQ(u32(18), 3u);
  EXPECT_EQ(u32(22), 2u);
  EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 24);
  EXPECT_EQ(bytes.substr(54, 3), std::string("\x56\x34\x12", 3)) << "the bottom row comes first";
  EXPECT_EQ(bytes.substr(66, 9), std::string("\x00\x00\xFF\x00\xFF\x00\xFF\x00\x00", 9));

  ScratchDirectory scratch;
  fs::path path = scratch.Path() / "p.bmp";
  std::ofstream(path, std::ios::binary) << bytes;
  auto decoded = DecodeBmpFile(path.string());
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->Px, picture.Px) << "the shared decoder reads the snapshot back";
}

TEST(HeadlessHost, VirtualClockMovesOnlyWhileTheGameWaits) {
  HostRun run("");
  HeadlessHost& host = *run.Host;
  EXPECT_EQ(host.TimeGetTime(), 0u);
  EXPECT_DOUBLE_EQ(host.DayClock(), 43200.0);
  host.Yield(true);
  host.Yield(false);
  host.Spin();
  EXPECT_EQ(host.TimeGetTime(), 3u);
  EXPECT_DOUBLE_EQ(host.DayClock(), 43200.003);
  EXPECT_EQ(host.RandomSeed(), 1u);

  HostOptions late;
  late.DayClockStart = 86399.5;
  late.Seed = 77;
  HostRun midnight("", late);
  for (int i = 0; i < 1000; ++i) midnight.Host->Spin();
  EXPECT_DOUBLE_EQ(midnight.Host->DayClock(), 86400.5) << "past midnight it keeps counting up";
  EXPECT_EQ(midnight.Host->RandomSeed(), 77u);

  // A waited-for sound takes its length, rounded up to whole milliseconds.
  EXPECT_TRUE(host.PlayWave(SilentWave(22050, 2205), true));
  EXPECT_EQ(host.TimeGetTime(), 103u);
  EXPECT_FALSE(host.VoiceBusy());
  EXPECT_TRUE(host.PlayWave(SilentWave(22050, 2206), true));
  EXPECT_EQ(host.TimeGetTime(), 204u);
  EXPECT_FALSE(host.PlayWave({1, 2, 3}, true));
  EXPECT_EQ(host.TimeGetTime(), 204u);

  // One that plays on keeps the voice busy until its end on the virtual clock.
  EXPECT_TRUE(host.PlayWave(SilentWave(11025, 551), false));  // 50 ms
  EXPECT_EQ(host.TimeGetTime(), 204u);
  for (int i = 0; i < 49; ++i) host.Spin();
  EXPECT_TRUE(host.VoiceBusy());
  host.Spin();
  EXPECT_FALSE(host.VoiceBusy());
}

TEST(HeadlessHost, DoNotInterruptSoundIsDroppedWhileTheVoiceIsBusy) {
  HostRun run("");
  HeadlessHost& host = *run.Host;
  WaveBuffer longWave{"sounds/call.wav", SilentWave(11025, 11025)};  // one second
  WaveBuffer bump{"bump.wav", SilentWave(11025, 110)};
  EXPECT_TRUE(PlaySoundMemory(host, longWave, SND_ASYNC | SND_NODEFAULT | SND_MEMORY));
  for (int i = 0; i < 500; ++i) host.Spin();
  EXPECT_FALSE(PlaySoundMemory(host, bump, SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP));
  for (int i = 0; i < 500; ++i) host.Spin();
  EXPECT_TRUE(PlaySoundMemory(host, bump, SND_ASYNC | SND_NODEFAULT | SND_MEMORY | SND_NOSTOP));
  auto lines = ReadLines(run.TracePath());
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_THAT(lines[0], HasSubstr("\"t\":0,\"ev\":\"sound\",\"name\":\"call.wav\""));
  EXPECT_THAT(lines[1], HasSubstr("\"t\":500,\"ev\":\"sound\",\"name\":\"bump.wav\""));
  EXPECT_THAT(lines[1], HasSubstr("\"result\":\"dropped\""));
  EXPECT_THAT(lines[2], HasSubstr("\"t\":1000,"));
  EXPECT_THAT(lines[2], HasSubstr("\"result\":\"played\""));
}

TEST(HeadlessHost, WaitAndUntilHoldTheScriptBack) {
  HostRun run(
      "wait 10\n"
      "key a\n"
      "until show control=\"picMain\" within 100\n"
      "key b\n");
  HeadlessHost& host = *run.Host;
  auto a = run.PumpUntil(Kind::KeyDown);
  ASSERT_TRUE(a);
  EXPECT_EQ(a->Key, 65);
  EXPECT_EQ(host.NowMs(), 10u) << "wait 10 lets exactly 10 ms pass";

  // The `until` starts once the game asks again; until then nothing shown counts.
  while (run.Pump().size() > 0) {
  }
  for (int i = 0; i < 20; ++i) {
    EXPECT_TRUE(run.Pump().empty());
    if (i == 5) host.Trace(TraceEvent("show").With("control", "picSelect"));
  }
  host.Trace(TraceEvent("show").With("control", "picMain"));
  uint64_t shownAt = host.NowMs();
  auto b = run.PumpUntil(Kind::KeyDown);
  ASSERT_TRUE(b);
  EXPECT_EQ(b->Key, 66);
  EXPECT_EQ(host.NowMs(), shownAt) << "the next command runs at the next poll";
  EXPECT_TRUE(run.PumpUntil(Kind::Quit)) << "the end of the script closes the window";
  EXPECT_TRUE(host.ScriptDone());
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

TEST(HeadlessHost, AnswersGoToTheOpenBoxOrWaitForTheNext) {
  // Queued before the box: the box takes it as it opens.
  HostRun queued("answer yes\nwait 5\n");
  queued.Pump();
  EXPECT_EQ(queued.Host->MessageBoxOpened(), std::optional<int>(vbYes));
  queued.Host->MessageBoxClosed();
  EXPECT_EQ(queued.Host->MessageBoxOpened(), std::nullopt) << "an answer is used once";
  queued.Host->MessageBoxClosed();

  // Given while the box is open: it comes as an event the box reads.
  HostRun open("answer no\n");
  EXPECT_EQ(open.Host->MessageBoxOpened(), std::nullopt);
  auto answer = open.PumpUntil(Kind::Answer);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->Button, vbNo);
}

TEST(HeadlessHost, AnOpenBoxTakesItsDefaultBeforeCommandsThatCannotReachIt) {
  HostRun run(
      "snap box.bmp\n"
      "dump box.json\n"
      "wait 20\n"
      "press lblMain(0)\n");
  run.Client.Controls["lblMain(0)"] = Rect{10, 20, 30, 40};
  HeadlessHost& host = *run.Host;
  EXPECT_EQ(host.MessageBoxOpened(), std::nullopt);
  std::vector<HostEvent> seen;
  for (int i = 0; i < 40 && seen.empty(); ++i) seen = run.Pump();
  ASSERT_THAT(KindsOf(seen), ElementsAre(Kind::Dismiss));
  EXPECT_EQ(host.NowMs(), 21u) << "snap, dump and wait ran beside the open box (20 ms, then "
                                  "the yield of the pass that dismissed it)";
  EXPECT_EQ(run.Client.Composed, 1);
  EXPECT_TRUE(fs::exists(run.Scratch.Path() / "box.bmp"));
  EXPECT_EQ(ReadFile(run.Scratch.Path() / "box.json"), run.Client.State);

  for (int i = 0; i < 5; ++i) EXPECT_TRUE(run.Pump().empty()) << "press waits for the box";
  host.MessageBoxClosed();
  std::vector<HostEvent> pressed(3);
  for (HostEvent& event : pressed) ASSERT_TRUE(host.PollEvent(event));
  EXPECT_THAT(KindsOf(pressed), ElementsAre(Kind::MouseMove, Kind::MouseDown, Kind::MouseUp));

  // The end of the script dismisses a box too, then closes the window.
  EXPECT_EQ(host.MessageBoxOpened(), std::nullopt);
  EXPECT_THAT(KindsOf(run.Pump()), ElementsAre(Kind::Dismiss));
  EXPECT_TRUE(run.Pump().empty());
  host.MessageBoxClosed();
  EXPECT_THAT(KindsOf(run.Pump()), ElementsAre(Kind::Quit));

  // A box that opens while the game is ending takes its default at once.
  EXPECT_EQ(host.MessageBoxOpened(), std::nullopt);
  EXPECT_THAT(KindsOf(run.Pump()), ElementsAre(Kind::Dismiss));
}

TEST(HeadlessHost, BoxOpeningDuringUntilTakesItsDefault) {
  HostRun run("until msgbox within 1000\nkey x\n");
  HeadlessHost& host = *run.Host;
  run.Pump();
  EXPECT_EQ(host.MessageBoxOpened(), std::nullopt);
  EXPECT_THAT(KindsOf(run.Pump()), ElementsAre(Kind::Dismiss));
  host.Trace(TraceEvent("msgbox").With("answer", 1));
  host.MessageBoxClosed();
  auto x = run.PumpUntil(Kind::KeyDown, 10);
  ASSERT_TRUE(x);
  EXPECT_EQ(x->Key, 'X');
}

TEST(HeadlessHost, PressClicksTheCentreOfAVisibleControl) {
  HostRun run(
      "press lblMain(3)\n"
      "press picMain right\n"
      "press lblNope\n");
  run.Client.Controls["lblMain(3)"] = Rect{100, 200, 41, 20};
  run.Client.Controls["picMain"] = Rect{0, 0, 640, 480};
  std::vector<HostEvent> first(6);
  for (HostEvent& event : first) ASSERT_TRUE(run.Host->PollEvent(event));
  ASSERT_THAT(KindsOf(first), ElementsAre(Kind::MouseMove, Kind::MouseDown, Kind::MouseUp,
                                          Kind::MouseMove, Kind::MouseDown, Kind::MouseUp));
  EXPECT_EQ(first[1].X, 120);
  EXPECT_EQ(first[1].Y, 210);
  EXPECT_EQ(first[1].Button, LeftButton);
  EXPECT_EQ(first[4].X, 320);
  EXPECT_EQ(first[4].Button, RightButton);
  EXPECT_EQ(run.Host->GetCursorPos(), (Point{320, 240}));
  try {
    HostEvent event;
    run.Host->PollEvent(event);
    FAIL() << "an unknown control did not stop the run";
  } catch (const ScriptFailure& failure) {
    EXPECT_EQ(failure.Code, 2);
    EXPECT_EQ(failure.Message, "line 3: no visible control lblNope");
  }
}

TEST(HeadlessHost, PointerFollowsTheScriptAndTheGamesConfinement) {
  HostRun run(
      "move 5 5\n"
      "click left 630 400\n"
      "down right\n");
  HeadlessHost& host = *run.Host;
  EXPECT_EQ(host.ShowCursor(false), -1);
  EXPECT_EQ(host.ShowCursor(false), -2);
  EXPECT_EQ(host.ShowCursor(true), -1);

  host.ClipCursor(Rect{20, 30, 600, 340});
  auto confined = run.Pump();
  ASSERT_THAT(KindsOf(confined), ElementsAre(Kind::MouseMove, Kind::MouseMove, Kind::MouseDown,
                                             Kind::MouseUp, Kind::MouseDown, Kind::Quit));
  EXPECT_EQ(confined[0].X, 20);
  EXPECT_EQ(confined[0].Y, 30);
  EXPECT_EQ(confined[1].X, 619);
  EXPECT_EQ(confined[1].Y, 369);
  EXPECT_EQ(confined[2].X, 619);
  EXPECT_EQ(confined[4].Button, RightButton);
  EXPECT_EQ(confined[4].X, 619) << "down without X Y is where the pointer is";
  EXPECT_EQ(confined[4].Y, 369);

  // The game's own moves are heard as moves, as the old desktop reported them.
  host.SetCursorPos(0, 479);
  EXPECT_EQ(host.GetCursorPos(), (Point{20, 369}));
  HostEvent event;
  ASSERT_TRUE(host.PollEvent(event));
  EXPECT_EQ(event.Type, Kind::MouseMove);
  EXPECT_EQ(event.X, 20);
  EXPECT_EQ(event.Y, 369);
  host.SetCursorPos(20, 369);
  EXPECT_FALSE(host.PollEvent(event)) << "a warp to where the pointer is moves nothing";

  host.ClipCursor(std::nullopt);
  host.SetCursorPos(5, 470);
  ASSERT_TRUE(host.PollEvent(event));
  EXPECT_EQ(host.GetCursorPos(), (Point{5, 470}));
  host.ClipCursor(Rect{20, 30, 600, 340});
  ASSERT_TRUE(host.PollEvent(event));
  EXPECT_EQ(event.Type, Kind::MouseMove) << "confinement brings the pointer inside";
  EXPECT_EQ(event.X, 20);
  EXPECT_EQ(event.Y, 369);
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
    EXPECT_THAT(failure.Message, HasSubstr("line 3: cannot write"));
  }
  EXPECT_FALSE(fs::exists(run.Scratch.Path() / "missing"));
  auto snap = DecodeBmpFile((run.Scratch.Path() / "menu.bmp").string());
  ASSERT_TRUE(snap);
  EXPECT_EQ(snap->W, 640);
  EXPECT_EQ(snap->H, 480);
  EXPECT_EQ(snap->At(639, 479), run.Client.ScreenColour);
  EXPECT_EQ(ReadFile(run.Scratch.Path() / "state.json"), run.Client.State);
}

TEST(HeadlessHost, ProgramsAndHelpAreTracedNotStarted) {
  HostOptions options;
  options.Twips = 12;
  options.RefuseDisplaySwitch = true;
  HostRun run("", options);
  HeadlessHost& host = *run.Host;
  fs::path script = run.Scratch.Path() / "editor.sh";
  std::ofstream(script) << "#!/bin/sh\ntouch started\n";
  fs::path plain = run.Scratch.Path() / "help.html";
  std::ofstream(plain) << "<p>help</p>";
  EXPECT_FALSE(host.Launch(script.string())) << "not executable yet";
  fs::permissions(script, fs::perms::owner_exec, fs::perm_options::add);
  EXPECT_TRUE(host.Launch(script.string()));
  EXPECT_FALSE(host.Launch((run.Scratch.Path() / "marlsmith").string()));
  EXPECT_TRUE(host.OpenHelp(plain.string()));
  EXPECT_FALSE(host.OpenHelp("nothing.html"));
  EXPECT_FALSE(fs::exists(run.Scratch.Path() / "started"));
  auto lines = ReadLines(run.TracePath());
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_THAT(lines[0], HasSubstr("\"ev\":\"launch\""));
  EXPECT_THAT(lines[0], HasSubstr("\"ok\":false"));
  EXPECT_THAT(lines[1], HasSubstr("\"ok\":true"));
  EXPECT_THAT(lines[4], HasSubstr("{\"t\":0,\"ev\":\"help\",\"file\":\"nothing.html\"}"));

  ScreenMetrics metrics = host.Metrics();
  EXPECT_EQ(metrics.WidthPx, 1024);
  EXPECT_EQ(metrics.HeightPx, 768);
  EXPECT_EQ(metrics.TwipsPerPixelX, 12);
  EXPECT_EQ(metrics.TwipsPerPixelY, 12);
  EXPECT_FALSE(host.ChangeDisplayMode(640, 480));
}

TEST(HeadlessHost, CreationRefusesABrokenScriptBeforeAnythingRuns) {
  ScratchDirectory scratch;
  fs::path script = scratch.Path() / "broken.script";
  std::ofstream(script) << "wait 10\nwait ten\n";
  HostOptions options;
  options.ScriptPath = script.string();
  options.TracePath = (scratch.Path() / "broken.trace.jsonl").string();
  std::string error;
  EXPECT_EQ(CreateHeadlessHost(options, error), nullptr);
  EXPECT_THAT(error, HasSubstr("broken.script: line 2: MS must be a whole number"));
  EXPECT_FALSE(fs::exists(options.TracePath)) << "nothing ran, not even the trace";

  options.ScriptPath = (scratch.Path() / "absent.script").string();
  EXPECT_EQ(CreateHeadlessHost(options, error), nullptr);
  EXPECT_THAT(error, HasSubstr("absent.script"));

  std::ofstream(script) << "wait 10\n";
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

// The whole game on the headless host, as main() runs it; returns the trace.
std::string RunWholeGame(const std::string& script, uint32_t seed) {
  ScratchDirectory scratch;
  std::ofstream(scratch.Path() / "run.script") << script;
  HostOptions options;
  options.ScriptPath = (scratch.Path() / "run.script").string();
  options.TracePath = (scratch.Path() / "run.trace.jsonl").string();
  options.Seed = seed;
  std::string error;
  std::unique_ptr<Host> host = CreateHeadlessHost(options, error);
  EXPECT_NE(host, nullptr) << error;
  if (!host) return "";
  GameConfig config;
  config.DataDir = QUILLMOOR_TEST_DATA;
  config.ConfigDir = (scratch.Path() / "config").string();
  fs::create_directories(config.ConfigDir);
  fs::path startDirectory = fs::current_path();
  fs::current_path(config.DataDir);
  try {
    RunGame(*host, config);
  } catch (const ProgramEnd&) {
  } catch (const ScriptFailure& failure) {
    ADD_FAILURE() << failure.Message;
  }
  fs::current_path(startDirectory);
  host.reset();
  return ReadFile(options.TracePath);
}

TEST(HeadlessHost, SameScriptAndSeedGiveTheSameTrace) {
  const std::string script =
      "until show control=frmPlayer within 20000\n"
      "type Annie\n"
      "key Enter\n"
      "wait 2000\n"
      "key Esc\n"
      "wait 500\n";
  std::string first = RunWholeGame(script, 1);
  std::string second = RunWholeGame(script, 1);
  EXPECT_THAT(first, HasSubstr("\"ev\":\"show\",\"control\":\"frmPlayer\""));
  EXPECT_THAT(first, HasSubstr("\"text\":\"Annie\""));
  EXPECT_EQ(first, second);
}

}  // namespace
}  // namespace qm
