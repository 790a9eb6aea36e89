#include "platform/form.h"

#include <gmock/gmock.h>

#include <tuple>

#include "platform/message_box.h"
#include "ui_test_host.h"

namespace qm {
namespace {

using FormTest = FormOn<>;

TEST_F(FormTest, ThePressingControlKeepsTheMouseUntilTheButtonIsReleased) {
  Label a(form, &panel, "lblMain", 0), b(form, &panel, "lblMain", 1);
  a.Move(10, 10, 50, 50);
  b.Move(100, 10, 50, 50);
  std::vector<std::string> log;
  Watch(a, log);
  Watch(b, log);

  host.Down(20, 20);
  host.Move(120, 20);
  host.Up(120, 20);  // released over b: a hears it, and it is no click
  host.Down(20, 20);
  host.Up(25, 25);
  host.Move(30, 30);  // no button: the control under the pointer
  host.Move(300, 300);
  Pump();
  EXPECT_EQ(log, (std::vector<std::string>{"lblMain(0) down1 10,10", "lblMain(0) move1 110,10",
                                           "lblMain(0) up1 110,10", "lblMain(0) down1 10,10",
                                           "lblMain(0) up1 15,15", "lblMain(0) click",
                                           "lblMain(0) move0 20,20"}));
}

TEST_F(FormTest, TheTopmostShownLiveControlTakesThePoint) {
  Label under(form, &panel, "lblUnder"), over(form, &panel, "lblOver");
  under.Move(10, 10, 100, 100);
  over.Move(50, 50, 100, 100);
  PictureBox hiddenPanel(form, nullptr, "picOptions", 640, 480);
  Label onHidden(form, &hiddenPanel, "lblOptions", 0);
  onHidden.Move(0, 0, 640, 480);
  Shape circle(form, &panel, "shpChoke");
  circle.Move(40, 40, 80, 80);
  std::vector<std::string> log;
  for (Control* c : std::initializer_list<Control*>{&panel, &under, &over, &onHidden, &circle})
    Watch(*c, log);

  auto pressAt = [&](int x, int y) {
    log.clear();
    host.Down(x, y);
    host.Up(x, y);
    Pump();
    return log.empty() ? std::string("nobody") : log.front();
  };
  EXPECT_EQ(pressAt(60, 60), "lblOver down1 10,10");
  EXPECT_EQ(pressAt(20, 20), "lblUnder down1 10,10");
  EXPECT_EQ(pressAt(400, 300), "picSelect down1 400,300");
  over.Hide();
  EXPECT_EQ(pressAt(60, 60), "lblUnder down1 50,50");
  over.Show();
  over.SetEnabled(false);
  EXPECT_EQ(pressAt(60, 60), "nobody");  // swallowed, not passed beneath
  over.SetEnabled(true);
  panel.SetEnabled(false);
  EXPECT_EQ(pressAt(60, 60), "nobody");  // a disabled panel disables what is on it
}

TEST_F(FormTest, KeyPreviewGivesTheFormEveryKeyBeforeTheFocusedBox) {
  TextBox txt(form, &panel, "txtPlayerName");
  std::vector<std::string> log;
  form.KeyDown = [&](int code, int shift) {
    log.push_back("form down " + std::to_string(code) + " " + std::to_string(shift) + " [" +
                  txt.Text() + "]");
  };
  form.KeyPress = [&](int ascii) {
    log.push_back("form press " + std::to_string(ascii) + " [" + txt.Text() + "]");
  };
  txt.Change = [&] { log.push_back("text " + txt.Text()); };
  txt.Move(10, 10, 100, 22);
  host.Click(20, 20);  // a click gives the box the focus
  host.Key('A', "a");
  host.Key(KeyReturn);
  host.Key(0, "\xC3\xA9");  // not ASCII: the form's KeyPress does not see it
  host.Key(KeyF1, "", 1);
  Pump();
  EXPECT_EQ(
      log, (std::vector<std::string>{"form down 65 0 []", "form press 97 []", "text a",
                                     "form down 13 0 [a]", "form press 13 [a]", "form down 0 0 [a]",
                                     "text a\xC3\xA9", "form down 112 1 [a\xC3\xA9]"}));
}

// Keys go to the dialog's box while it shows, and a raised window edge sets it apart from the
// panel beneath; hiding it ends ShowModal, and the main form's box has the focus and the keys
// again. That the panel beneath hears neither clicks nor key preview meanwhile is the modal
// layer the message box tests show; the dialog's show and hide traces, the name entry scripts.
TEST_F(FormTest, ShowModalTakesTheKeysAndReturnsWhenTheDialogHides) {
  panel.SetPicture(Surface(640, 480, 0x2E5A3C));
  TextBox mainText(form, &panel, "txtOther");
  form.SetFocus(&mainText);
  PictureBox dialog(form, nullptr, "frmPlayer", 200, 100);
  dialog.SetPicture(Surface(200, 100, 0xD8D0BC));
  TextBox name(form, &dialog, "txtPlayerName");
  name.Move(10, 10, 180, 22);
  dialog.KeyPress = [&](int ascii) {
    if (ascii == KeyReturn && !name.Text().empty()) dialog.Hide();
  };
  Surface shot;
  int yields = 0;
  host.OnYield = [&] {
    if (++yields != 3) return;
    shot = host.Frames.back();
    host.Key(KeyReturn);  // empty: the dialog stays
    host.Type("bo");
    host.Key(KeyReturn);
    host.Type("x");  // after the dialog closed: to the main form's box again
  };
  form.ShowModal(dialog);  // centred; the focus back on the main form's box
  EXPECT_EQ(std::tuple(dialog.Bounds(), name.Text(), form.Focus()),
            std::tuple(Rect{220, 190, 200, 100}, "bo", &mainText));
  Pump();
  EXPECT_EQ(mainText.Text(), "x");
  const Rect r = dialog.WindowRect();  // lit from the top left
  EXPECT_EQ((std::vector{shot.At(r.X - 3, r.Y + 10), shot.At(r.X + r.W + 2, r.Y + 10),
                         shot.At(r.X + 5, r.Y + 5)}),
            (std::vector<uint32_t>{0xFFFFFF, 0x000000, 0xD8D0BC}));
}

TEST_F(FormTest, UnloadRunsQueryUnloadOnceAndEndsTheProgram) {
  int queries = 0;
  form.QueryUnload = [&] {
    ++queries;
    form.Unload(9);  // ending again from inside the query ends at once
  };
  EXPECT_THAT([&] { form.Unload(2); },
              testing::Throws<ProgramEnd>(testing::Field(&ProgramEnd::Code, 9)));
  EXPECT_THROW(form.Unload(1), ProgramEnd);
  EXPECT_EQ(queries, 1);
}

TEST_F(FormTest, ComposeDrawsPanelsInCreationOrderAndOnlyShownOnes) {
  PictureBox red(form, nullptr, "picMain", 640, 480), blue(form, nullptr, "picStats", 100, 100);
  red.SetPicture(Surface(640, 480, 0xFF0000));
  blue.SetPicture(Surface(100, 100, 0x0000FF));
  PictureBox greenOnRed(form, &red, "picInset", 20, 20);  // made last, still part of red
  greenOnRed.SetPicture(Surface(20, 20, 0x00FF00));
  greenOnRed.Move(40, 40);
  greenOnRed.Show();
  red.Show();
  blue.Show();
  auto pixels = [&] {
    Surface screen;
    form.ComposeScreen(screen);
    return std::vector{screen.At(45, 45), screen.At(70, 70)};
  };
  // Blue covers red and all on it.
  EXPECT_EQ(pixels(), (std::vector<uint32_t>{0x0000FF, 0x0000FF}));
  blue.Hide();
  EXPECT_EQ(pixels(), (std::vector<uint32_t>{0x00FF00, 0xFF0000}));
  red.Hide();
  EXPECT_EQ(pixels(), (std::vector<uint32_t>{0, 0}));  // picSelect has no picture: black

  host.Frames.clear();
  form.Refresh();
  form.Refresh();  // nothing changed since
  form.DoEvents();
  EXPECT_EQ(host.Frames.size(), 1u);
  red.Draw();
  form.DoEvents();
  EXPECT_EQ(host.Frames.size(), 2u);
}

TEST_F(FormTest, ToolTipShowsAfterAStillHoverAndGoesOnAMove) {
  Label field(form, &panel, "lblMain", 1);
  field.Move(100, 100, 60, 60);
  field.ToolTipText = "Practice this Field";
  // Whether the pale box shows below the pointer after so many turns of the event loop.
  auto shownAfter = [&](int turns) {
    for (int i = 0; i < turns; ++i) form.DoEvents();
    Surface screen;
    form.ComposeScreen(screen);
    return screen.At(112, 132) == 0xFFFFE1u;
  };
  host.Move(110, 110);
  const bool early = shownAfter(551), due = shownAfter(100);
  host.Move(111, 110);
  const bool moved = shownAfter(1);
  host.Click(111, 110);  // not again after a click until the pointer moves
  EXPECT_EQ(std::vector({early, due, moved, shownAfter(700)}),
            std::vector({false, true, false, false}));
}

}  // namespace
}  // namespace qm
