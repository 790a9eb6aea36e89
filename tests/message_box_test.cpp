#include "platform/message_box.h"

#include <tuple>

#include "platform/ui_message_window.h"
#include "platform/ui_theme.h"
#include "ui_test_host.h"

namespace qm {
namespace {

using MessageBoxTest = FormOn<>;

TEST_F(MessageBoxTest, EnterEscAndDismissTakeTheButtonsTheyShould) {
  int formKeys = 0;
  form.KeyDown = [&](int, int) { ++formKeys; };
  form.KeyPress = [&](int) { ++formKeys; };
  using K = HostEvent::Kind;
  // Style, what the player does, and the answer it gives.
  const std::tuple<int, K, int, int> cases[] = {
      {vbOKOnly, K::KeyDown, KeyReturn, vbOK},
      {vbOKOnly, K::KeyDown, KeyEscape, vbOK},
      {vbYesNo, K::KeyDown, KeyReturn, vbYes},
      {vbYesNo + vbDefaultButton2, K::KeyDown, KeyReturn, vbNo},
      {vbYesNo, K::KeyDown, KeyEscape, vbNo},
      {vbYesNo, K::KeyDown, KeyTab, vbNo},  // Tab moves to No, Enter presses it
      {vbYesNo, K::Dismiss, 0, vbYes},
      {vbYesNo + vbDefaultButton2, K::Dismiss, 0, vbNo},
      {vbYesNo + vbDefaultButton2, K::Answer, vbYes, vbYes},
      {vbInformation, K::Answer, vbNo, vbOK},
  };
  for (const auto& [style, kind, key, expected] : cases) {
    if (kind != K::KeyDown) host.Push(kind, 0, 0, key);
    if (kind == K::KeyDown) host.Key(key);
    if (key == KeyTab) host.Key(KeyReturn);
    EXPECT_EQ(MsgBox(form, "Question", style), expected) << style << " " << key;
    Pump();  // the key releases, after the box
  }
  // An answer queued before the box opens that has no button there takes the default.
  host.Answers = {vbYes};
  EXPECT_EQ(MsgBox(form, "Question", vbOKOnly), vbOK);
  EXPECT_EQ(formKeys, 0);  // the main form's key preview is away while a box is open
  EXPECT_EQ(host.OpenBoxes, 0);
}

TEST_F(MessageBoxTest, ButtonsAnswerClicksThatBeginAndEndOnThem) {
  Label behind(form, &panel, "lblReset", 0);
  behind.Move(0, 0, 640, 480);
  int behindClicks = 0;
  behind.Click = [&] { ++behindClicks; };
  const std::string prompt = "Reset Lifetime Scores for this Player ?";
  const std::vector<Rect> buttons =
      LayOutMessage(host, MessageRequestFromStyle(prompt, vbYesNo, AppTitle)).Buttons;
  auto centre = [](const Rect& b) { return Point{b.X + b.W / 2, b.Y + b.H / 2}; };
  const Point yes = centre(buttons.at(0)), no = centre(buttons.at(1));
  host.Click(5, 5);         // outside the box
  host.Down(yes.X, yes.Y);  // pressed on Yes ...
  host.Up(no.X, no.Y);      // ... released on No: nothing
  host.Click(no.X, no.Y);
  EXPECT_EQ(MsgBox(form, prompt, vbYesNo + vbQuestion), vbNo);
  EXPECT_EQ(behindClicks, 0);
  host.Click(5, 5);
  Pump();
  EXPECT_EQ(behindClicks, 1);  // the form takes the mouse back
}

TEST_F(MessageBoxTest, ClosingTheWindowDuringABoxEndsTheProgram) {
  int queries = 0;
  form.QueryUnload = [&] { ++queries; };
  host.Push(HostEvent::Kind::Quit);
  EXPECT_THROW(MsgBox(form, "Question", vbYesNo), ProgramEnd);
  EXPECT_EQ(queries, 1);
  EXPECT_EQ(form.FindControl("msgbox"), nullptr);
  EXPECT_TRUE(host.TracesOf("msgbox").empty());
}

TEST_F(MessageBoxTest, ThePromptWrapsWithinTheBoxAndBreaksAtCrLf) {
  std::string longLine;
  for (int i = 0; i < 30; ++i) longLine += "word" + std::to_string(i) + " ";
  MessageLayout layout = LayOutMessage(
      host, MessageRequestFromStyle(longLine + "\r\n\r\nlast line", vbInformation, AppTitle));
  ASSERT_GE(layout.Lines.size(), 4u);
  for (const std::string& line : layout.Lines)
    EXPECT_LE(host.MeasureText(line, TextStyle{}).W, 480) << line;
  EXPECT_EQ(std::vector(layout.Lines.end() - 2, layout.Lines.end()),
            (std::vector<std::string>{"", "last line"}));
  const Rect& w = layout.Window;  // centred
  EXPECT_EQ(std::pair(w.X, w.Y), std::pair((640 - w.W) / 2, (480 - w.H) / 2));
  EXPECT_GT(layout.TextX, layout.Icon.X + layout.Icon.W);
  EXPECT_GT(layout.Buttons[0].Y, layout.TextY + 4 * layout.LineHeight);
}

// A ticked box and an open list drawn over a panel, then a critical box over everything.
TEST_F(MessageBoxTest, ControlsAndABoxDrawOverAPanel) {
  panel.SetPicture(Surface(640, 480, 0x6E4623));
  CheckBox chk(form, &panel, "chkTracking");
  chk.Move(20, 50, 180, 20);
  chk.SetValue(1);
  ComboBox cmb(form, &panel, "cmbPlayer");
  cmb.Move(250, 90, 160, 21);
  for (const char* name : {"Ann Oakley", "No Shooter"}) cmb.AddItem(name);
  cmb.SetListIndex(0);
  const Rect box = cmb.WindowRect();
  host.Click(box.X + 5, box.Y + 5);
  Pump();
  ASSERT_TRUE(cmb.DroppedDown());
  Surface listShot;
  form.ComposeScreen(listShot);
  host.Click(600, 460);
  Surface boxShot;
  int yields = 0;
  host.OnYield = [&] {
    if (++yields != 3) return;
    boxShot = host.Frames.back();
    host.Key(KeyReturn);
  };
  const std::string prompt = "Before playing you must first create a Player.";
  const int style = vbYesNo + vbCritical + vbDefaultButton2;
  EXPECT_EQ(MsgBox(form, prompt, style), vbNo);
  ASSERT_FALSE(boxShot.Empty());

  const Rect check = chk.WindowRect();
  const int checkTop = check.Y + (check.H - ui::CheckSize) / 2;
  EXPECT_EQ(listShot.At(check.X + 2, checkTop + 2), ui::Field);  // the well
  EXPECT_EQ(listShot.At(check.X + 6, checkTop + 6), ui::Text);   // the tick
  const Rect list = cmb.DropDownRect();
  EXPECT_EQ(listShot.At(list.X, list.Y + 3), ui::DarkShadow);  // the list's rim, over the panel
  const MessageLayout layout =
      LayOutMessage(host, MessageRequestFromStyle(prompt, style, AppTitle));
  EXPECT_EQ(boxShot.At(layout.TitleBar.X, layout.TitleBar.Y + 2), ui::TitleLeft);
  EXPECT_NE(boxShot.At(layout.Icon.X + 15, layout.Icon.Y + 4), ui::Face) << "the icon is drawn";
  const Rect& no = layout.Buttons[1];
  EXPECT_EQ(boxShot.At(no.X, no.Y + 5), ui::DarkShadow);  // the default button's black rim
  EXPECT_EQ(boxShot.At(layout.Buttons[0].X, layout.Buttons[0].Y + 5), ui::Highlight);
}

}  // namespace
}  // namespace qm
