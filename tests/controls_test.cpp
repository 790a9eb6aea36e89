#include "platform/controls.h"

#include <tuple>

#include "ui_test_host.h"

namespace qm {
namespace {

using ControlsTest = FormOn<>;

// Changes made by the program raise Click or Change, never the mouse handlers, and captions
// are traced only when they change.
TEST_F(ControlsTest, ProgramChangesRaiseClickOrChangeButNeverMouseHandlers) {
  std::vector<std::string> log;
  CheckBox chk(form, &panel, "chkTracking");
  OptionButton opt(form, &panel, "optSkill", 1, "skill");
  ComboBox cmb(form, &panel, "cmbPlayer");
  ScrollBar hsc(form, &panel, "hscGunSens");
  TextBox txt(form, &panel, "txtStats");
  for (Control* c : std::initializer_list<Control*>{&chk, &opt, &cmb, &hsc, &txt}) Watch(*c, log);
  hsc.Change = [&] { log.push_back("change " + std::to_string(hsc.Value())); };
  txt.Change = [&] { log.push_back("change " + txt.Text()); };

  chk.SetValue(1);
  chk.SetValue(1);  // no change, no Click
  chk.SetValue(0);
  opt.SetValue(true);
  opt.SetValue(true);
  opt.SetValue(false);  // clearing raises nothing
  for (const char* name : {"Ann", "Bob", "No Shooter"}) cmb.AddItem(name);
  cmb.SetListIndex(1);
  cmb.SetListIndex(1);
  EXPECT_EQ(cmb.Text(), "Bob");
  cmb.Clear();  // emptying the list is no choice
  EXPECT_EQ(cmb.ListIndex(), -1);
  EXPECT_THROW(cmb.SetListIndex(0), std::out_of_range);
  hsc.Min = 5;
  hsc.Max = 80;
  hsc.SetValue(200);
  hsc.SetValue(80);
  txt.SetText("sheet");  // traced as `text`, as the score sheet scripts show
  Label lbl(form, &panel, "lblClaysHit", 2);
  lbl.SetCaption("7");
  lbl.SetCaption("7");
  opt.SetCaption("Ann");
  EXPECT_EQ(log,
            (std::vector<std::string>{"chkTracking click", "chkTracking click", "optSkill(1) click",
                                      "cmbPlayer click", "change 80", "change sheet"}));
  const std::vector<std::string> traced = {
      R"j({"ev":"caption","control":"lblClaysHit(2)","text":"7"})j",
      R"j({"ev":"caption","control":"optSkill(1)","text":"Ann"})j"};
  EXPECT_EQ(host.TracedJson("caption"), traced);
}

TEST_F(ControlsTest, MouseClickGivesTheNewValueToMouseUpAndOnlyTheLeftButtonClicks) {
  CheckBox chk(form, &panel, "chkPairs", 2);
  chk.Move(10, 10, 120, 20);
  std::vector<std::string> log;
  chk.Click = [&] { log.push_back("click " + std::to_string(chk.Value())); };
  chk.MouseUp = [&](int button, int, int x, int y) {
    log.push_back("up " + std::to_string(button) + " " + std::to_string(chk.Value()) + " " +
                  std::to_string(x) + "," + std::to_string(y));
  };
  host.Click(15, 20);
  host.Click(15, 20, RightButton);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"click 1", "up 1 1 5,10", "up 2 1 5,10"}));
}

TEST_F(ControlsTest, OptionButtonsExcludeEachOtherWithinTheirGroupOnly) {
  PictureBox other(form, nullptr, "picTourney", 640, 480);
  OptionButton easy(form, &panel, "optSkill", 0, "skill"),
      medium(form, &panel, "optSkill", 1, "skill"), hard(form, &panel, "optSkill", 2, "skill"),
      male(form, &panel, "optGender", 0, "gender"), elsewhere(form, &other, "optSkill", 0, "skill");
  int easyClicks = 0;
  easy.Click = [&] { ++easyClicks; };
  auto values = [&] {
    return std::vector<bool>{easy.Value(), medium.Value(), hard.Value(), male.Value(),
                             elsewhere.Value()};
  };
  male.SetValue(true);
  elsewhere.SetValue(true);
  easy.SetValue(true);
  medium.SetValue(true);
  // Another group and another container keep theirs; being cleared is no Click.
  EXPECT_EQ(values(), (std::vector<bool>{false, true, false, true, true}));
  EXPECT_EQ(easyClicks, 1);

  hard.Move(10, 100, 100, 20);
  host.Click(15, 110);
  Pump();
  EXPECT_EQ(values(), (std::vector<bool>{false, false, true, true, true}));
}

// Opening the list and choosing from it is what the options panel's scripts do
// (season_change_takes_effect_at_done); here the Click it raises, and a click beside it.
TEST_F(ControlsTest, ComboChoosesOnceAndAClickBesideTheOpenListOnlyClosesIt) {
  ComboBox cmb(form, &panel, "cmbSeason");
  cmb.Move(100, 100, 150, 21);
  for (const char* name : {"Summer", "Winter", "Autumn"}) cmb.AddItem(name);
  CheckBox chk(form, &panel, "chkFullScreen");
  chk.Move(300, 300, 100, 20);
  int clicks = 0;
  cmb.Click = [&] { ++clicks; };
  host.Click(110, 110);
  Pump();
  const Rect list = cmb.DropDownRect();
  EXPECT_EQ(list.Y, 121);
  host.Click(list.X + 10, list.Y + list.H - 5);  // the last item
  host.Click(110, 110);
  host.Click(305, 310);
  Pump();
  // Closed on the last item, one Click, and the check box beside it untouched.
  EXPECT_EQ(std::tuple(cmb.DroppedDown(), cmb.ListIndex(), clicks, chk.Value()),
            std::tuple(false, 2, 1, 0));
}

TEST_F(ControlsTest, ScrollBarStepsByArrowsAndTroughAndFollowsTheThumb) {
  ScrollBar hsc(form, &panel, "scrChoke");
  hsc.Move(0, 0, 200, 17);
  hsc.Max = 100;
  hsc.SmallChange = 1;
  hsc.LargeChange = 10;
  hsc.SetValue(50);
  std::vector<int> seen;  // every value it changed to, in turn
  hsc.Change = [&] { seen.push_back(hsc.Value()); };

  // The left arrow, the right arrow, the trough left and right of the thumb.
  for (int x : {5, 195, 20, 180}) host.Click(x, 8);
  // The thumb of 17 pixels travels 149 pixels between the arrows: at 50 it starts at 17 + 74.
  host.Down(95, 8);
  host.Move(95 + 200, 8);  // dragged past the end, and outside the bar
  host.Move(21 + 112, 8);  // 112 of 149 pixels along
  host.Up(0, 300);
  Pump();
  // Held on the right arrow: one step, then after 400 ms one every 50 ms, until released.
  host.Down(195, 8);
  for (int i = 0; i < 500; ++i) form.DoEvents();
  host.Up(195, 8);
  for (int i = 0; i < 200; ++i) form.DoEvents();
  // Held in the trough right of the thumb: pages until the thumb reaches the pointer.
  host.Down(100, 8);
  for (int i = 0; i < 2000; ++i) form.DoEvents();
  host.Up(100, 8);
  Pump();
  EXPECT_EQ(seen, (std::vector<int>{49, 50, 40, 50, 100, 75, 0, 1, 2, 3, 13, 23, 33, 43, 53}));
}

TEST_F(ControlsTest, TextBoxTypingEditsUnderItsLimitsWithoutATrace) {
  TextBox txt(form, &panel, "txtPlayerName");
  txt.Move(10, 10, 200, 22);
  txt.MaxLength = 5;
  std::vector<std::string> seen;  // the text at every change
  txt.Change = [&] { seen.push_back(txt.Text()); };
  form.SetFocus(&txt);

  host.Type("ab");
  host.Key(0, "\xC3\xA9");  // é, two bytes
  host.Key(KeyBack);
  host.Type("cdefg");  // five characters at most
  host.Key(KeyReturn);
  Pump();
  EXPECT_EQ(seen,
            (std::vector<std::string>{"a", "ab", "ab\xC3\xA9", "ab", "abc", "abcd", "abcde"}));
  EXPECT_EQ(txt.Text(), "abcde");
  EXPECT_TRUE(host.TracesOf("text").empty());

  // The caret stands after the text, lit at once by a key, then blinking.
  host.Key(KeyShift);
  Pump();
  const int caretX = 10 + 4 + host.MeasureText("abcde", txt.Style).W + 1;
  auto litAfter = [&](int turns) {
    for (int i = 0; i < turns; ++i) form.DoEvents();
    Surface screen;
    form.ComposeScreen(screen);
    return screen.At(caretX, 21) == 0x000000u;
  };
  EXPECT_EQ(std::vector({litAfter(0), litAfter(540), litAfter(530)}),
            std::vector({true, false, true}));

  TextBox stats(form, &panel, "txtStats");
  stats.MultiLine = stats.Locked = true;
  stats.SetText("one\r\ntwo");
  form.SetFocus(&stats);
  host.Type("x");
  host.Key(KeyBack);
  Pump();
  EXPECT_EQ(stats.Text(), "one\r\ntwo");
}

TEST_F(ControlsTest, PictureBoxKeepsItsPictureUnderTheDrawingAndPanelsTraceVisibility) {
  PictureBox pic(form, nullptr, "picStats", 6, 5);
  pic.BackColor = 0x102030;
  host.Bitmaps["card.bmp"] = Surface(4, 3, 0x00AA00);
  ASSERT_TRUE(pic.LoadPicture("card.bmp"));
  EXPECT_FALSE(pic.LoadPicture("missing.bmp"));
  pic.Draw().At(1, 1) = 0xFF0000;
  EXPECT_EQ(std::pair(pic.Image().At(1, 1), pic.Picture().At(1, 1)),
            std::pair(0xFF0000u, 0x00AA00u));
  pic.Cls();
  EXPECT_EQ(pic.Image().At(1, 1), 0x00AA00u);
  pic.MakePersistent();  // the picture's size, its corner on the back colour
  ASSERT_EQ(pic.Image().W, 6);
  EXPECT_EQ(std::pair(pic.Image().At(5, 4), pic.Image().At(3, 2)), std::pair(0x102030u, 0x00AA00u));

  PictureBox child(form, &pic, "picInset", 2, 2);
  host.Traces.clear();
  pic.Show();
  pic.Show();
  child.Show();  // not a panel: no trace
  pic.Hide();
  EXPECT_EQ(host.TracedJson("show"),
            (std::vector<std::string>{R"({"ev":"show","control":"picStats"})"}));
  EXPECT_EQ(host.TracedJson("hide").size(), 1u);
  EXPECT_FALSE(child.IsShown());
}

}  // namespace
}  // namespace qm
