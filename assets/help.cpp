// The player's guide, "quillmoor.html", opened from F1 and the Help items. One page with its
// own style and nothing fetched from outside, so it reads the same in any browser, offline.

#include <fstream>
#include <stdexcept>
#include <string>

#include "generators.h"

namespace assets {
namespace {

const char* const PageHead = R"HTML(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Quillmoor &mdash; Shooter's Guide</title>
<style>
  body { margin: 0; background: #eef0e6; color: #24281f;
         font: 16px/1.55 "DejaVu Sans", "Liberation Sans", Arial, sans-serif; }
  header { background: #3d5a2a; color: #f6f3e4; padding: 28px 8% 22px; }
  header h1 { margin: 0; font: bold 2.4em Georgia, "DejaVu Serif", serif; letter-spacing: 1px; }
  header p { margin: 6px 0 0; color: #d8dcc4; }
  nav { background: #2f4620; padding: 8px 8%; }
  nav a { color: #f0e6b8; margin-right: 18px; text-decoration: none; font-size: 0.92em; }
  nav a:hover { text-decoration: underline; }
  main { max-width: 860px; margin: 0 auto; padding: 10px 24px 40px; }
  h2 { font-family: Georgia, "DejaVu Serif", serif; color: #3d5a2a;
       border-bottom: 2px solid #c9b06b; padding-bottom: 4px; margin-top: 38px; }
  h3 { color: #5a4a1c; margin-bottom: 4px; }
  table { border-collapse: collapse; width: 100%; margin: 10px 0; background: #fbfbf5; }
  th, td { border: 1px solid #c8c9b8; padding: 6px 10px; text-align: left; vertical-align: top; }
  th { background: #dfe3cf; }
  kbd { background: #fff; border: 1px solid #9a9c8c; border-bottom-width: 2px; border-radius: 4px;
        padding: 0 6px; font: 0.9em "DejaVu Sans Mono", "Liberation Mono", monospace; }
  .tip { background: #fff8de; border-left: 4px solid #c9b06b; padding: 8px 14px; margin: 14px 0; }
  .warn { background: #fbe9e4; border-left: 4px solid #b5503a; padding: 8px 14px; margin: 14px 0; }
  .status { font-family: "DejaVu Sans Mono", "Liberation Mono", monospace; color: #3d5a2a; }
  footer { text-align: center; color: #7b7d6e; font-size: 0.85em; padding: 20px; }
</style>
</head>
<body>
<header>
  <h1>Quillmoor</h1>
  <p>Clay-target shooting on five fields &mdash; the shooter's guide</p>
</header>
<nav>
  <a href="#start">Getting started</a>
  <a href="#shooting">Shooting</a>
  <a href="#presentations">Presentations</a>
  <a href="#aids">Aids</a>
  <a href="#keys">Keys</a>
  <a href="#practice">Practice</a>
  <a href="#tournament">Tournament</a>
  <a href="#options">Options</a>
  <a href="#scores">Scores &amp; classes</a>
  <a href="#mounting">Early mounting</a>
  <a href="#editor">Field editor</a>
</nav>
<main>
)HTML";

const char* const GettingStarted = R"HTML(
<h2 id="start">Getting started</h2>
<p>Quillmoor puts you in a shooting cage on a country field. Traps hidden around the field
throw clay targets, singly or in pairs, and you swing the gun with the mouse to break them.
Up to four shooters can share the game, each with a name, options and lifetime scores of
their own.</p>
<p>The first time you play, the game asks for your name. On the main menu the four shooter
buttons choose who is shooting. From there you can:</p>
<ul>
  <li>click one of the <b>five fields</b> on the map to practise on it;</li>
  <li>open the <b>Tournament</b> to shoot a full round over all five fields;</li>
  <li>open <b>Options</b> to set up your gun, your call and your shooting aids;</li>
  <li>look at the <b>Stats</b> card with everybody's lifetime scores and classes;</li>
  <li>open this <b>Help</b>, start the <b>Field Editor</b>, or <b>Exit</b>.</li>
</ul>
)HTML";

const char* const Shooting = R"HTML(
<h2 id="shooting">Shooting</h2>
<p>Every presentation follows the same rhythm. Watch the status box at the bottom right of
the play screen:</p>
<table>
  <tr><th>Status</th><th>What is happening</th><th>What you do</th></tr>
  <tr><td class="status">Reloading...</td><td>You break the gun and reload while the traps are
    set. The top bar reads <span class="status">Setting Traps...</span></td><td>Look over the
    field; the view still swings.</td></tr>
  <tr><td class="status">Gun Low...</td><td>Ready, gun held low.</td><td>Press the
    <b>right button</b> to call for the target.</td></tr>
  <tr><td class="status">Clay Called...</td><td>You called; the trap throws within three
    seconds.</td><td>Keep the gun low until you see the target.</td></tr>
  <tr><td class="status">Gun Shouldered</td><td>You pressed the <b>right button</b> again once
    the target was in the air.</td><td>Swing through the target and fire with the <b>left
    button</b>.</td></tr>
</table>
<p><b>Aiming.</b> The sight stays in the middle of the picture and the whole view swings under
it. The mouse works like a joystick: the further the pointer is from the centre, the faster
the view swings, and holding the pointer still off centre keeps the swing going. Bring the
pointer back towards the centre to slow down.</p>
<p><b>Firing.</b> You have two shells for each presentation, one for each target of a pair.
The shot goes where the sight points on the next frame, so give a moving target some lead by
swinging ahead of it. A third press of the left button only clicks on an empty chamber.
The pattern of shot is as wide as your choke setting (see <a href="#options">Options</a>):
anything inside it breaks.</p>
<p>The top bar names the kind of presentation and, for each clay, its trap and direction:
<i>Incoming</i>, <i>Going Away</i> or <i>Crossing</i>. An incoming clay grows as it comes
nearer; a going-away clay shrinks.</p>
<div class="tip">Swing too far and the barrels knock against the side of the cage &mdash; you
will hear it. The knock comes again only after you have swung back towards the middle.</div>
)HTML";

const char* const Presentations = R"HTML(
<h2 id="presentations">Presentations</h2>
<table>
  <tr><th>Kind</th><th>What the traps throw</th></tr>
  <tr><td>Simultaneous</td><td>Two clays from the same trap at the same moment.</td></tr>
  <tr><td>Trailing</td><td>Two clays from the same trap, the second a moment after the first
    (up to about a second later).</td></tr>
  <tr><td>Report</td><td>One clay on your call and a second on the report of your first shot,
    hit or miss. The second may come from a different trap. If you let the first clay go
    without shooting, the second is thrown when the first is lost.</td></tr>
  <tr><td>Fur and Feather</td><td>A report pair whose first target is a rabbit: a clay rolled
    along the ground, bouncing as it goes. Only traps built for rabbits can throw one; from
    any other trap it is a plain report pair.</td></tr>
  <tr><td>Single</td><td>One clay. Singles are for practice only.</td></tr>
</table>
)HTML";

const char* const Aids = R"HTML(
<h2 id="aids">Shooting aids</h2>
<p>Each shooter chooses the aids they want on the <a href="#options">Options</a> panel.</p>
<table>
  <tr><th>Aid (panel label)</th><th>What it shows</th></tr>
  <tr><td>Tracking<br><small>&ldquo;Show Clay Trails&rdquo;</small></td><td>A grey trail
    behind each clay and a red trail of where your sight went while the gun was shouldered.
    Compare the two to see whether you were behind, in front, over or under.</td></tr>
  <tr><td>Patterning<br><small>&ldquo;Display Shotgun Patterns&rdquo;</small></td><td>Every
    shot leaves its mark on the field: a black circle the size of your pattern, a blue dot at
    its centre and a small red ring where each clay was.</td></tr>
  <tr><td>Hint Line<br><small>&ldquo;Point to Traps&rdquo;</small></td><td>Red lines from the
    bottom of the view to the traps of the presentation, and a red circle the size of your
    pattern at the gun's front bead.</td></tr>
  <tr><td>Show Traps<br><small>&ldquo;Display Trap Locators&rdquo;</small></td><td>Until you
    call, shrinking circles and number plates mark the traps that are about to throw.</td></tr>
  <tr><td>Auto Clear<br><small>&ldquo;Clear Patterns after Shooting&rdquo;</small></td><td>Wipes
    the trails and patterns each time the traps are set. Without it they build up on the
    field until you press <kbd>C</kbd>.</td></tr>
</table>
)HTML";

const char* const Keys = R"HTML(
<h2 id="keys">Keys</h2>
<table>
  <tr><th>Key</th><th>Effect</th></tr>
  <tr><td><kbd>Esc</kbd></td><td>Ends the practice, the tournament station or the tournament,
    and skips a banner.</td></tr>
  <tr><td><kbd>&lt;</kbd> or <kbd>,</kbd></td><td>Gun sensitivity up by one (at most 80): the
    gun swings more slowly.</td></tr>
  <tr><td><kbd>&gt;</kbd> or <kbd>.</kbd></td><td>Gun sensitivity down by one (at least 5): the
    gun swings faster.</td></tr>
  <tr><td><kbd>1</kbd> <kbd>2</kbd> <kbd>3</kbd> <kbd>4</kbd></td><td>Practice only, before you
    call: from now on throw singles from that trap alone (a rabbit trap throws rabbits). The
    top bar reads <span class="status">Trap OverRide</span>.</td></tr>
  <tr><td><kbd>`</kbd> or <kbd>~</kbd></td><td>Practice only, before you call: back to the
    normal mix of presentations.</td></tr>
  <tr><td><kbd>C</kbd></td><td>Clears the trails and shot patterns from the field.</td></tr>
  <tr><td><kbd>F</kbd></td><td>Shows the frame rate measured when the field was loaded.</td></tr>
  <tr><td><kbd>S</kbd></td><td>Stops the clays where they are, to study a shot.</td></tr>
  <tr><td><kbd>Y</kbd></td><td>Turns the mouse's up-and-down swing over (and back).</td></tr>
  <tr><td><kbd>F1</kbd></td><td>Opens this guide.</td></tr>
</table>
<p>Sensitivity and the inverted mouse are saved for the current shooter at once.</p>
)HTML";

const char* const PracticeAndTournament = R"HTML(
<h2 id="practice">Practice</h2>
<p>Select exactly one shooter on the main menu and click a field. The game measures your
machine for a moment while the traps load, then presents targets for as long as you like,
mixing the kinds allowed in your options. Press <kbd>Esc</kbd> to stop: your practice score
sheet appears, and <b>Done</b> adds the practice to your lifetime scores.</p>
<p>Use the trap keys <kbd>1</kbd>&ndash;<kbd>4</kbd> to drill one trap you find hard, and
<kbd>`</kbd> to return to the mix.</p>

<h2 id="tournament">Tournament</h2>
<p>A tournament is a round over all five fields, in order. On the tournament panel tick the
shooters taking part (only named shooters can enter) and the kinds of pair allowed:
Simultaneous, Trailing, Report and Fur and Feather. Singles are never thrown in a
tournament. Then click Start.</p>
<table>
  <tr><th>Round size</th><th>Per field</th><th>Whole round</th></tr>
  <tr><td>50 targets</td><td>5 pairs (10 targets)</td><td>50 targets</td></tr>
  <tr><td>100 targets</td><td>10 pairs (20 targets)</td><td>100 targets</td></tr>
</table>
<p>At each field every shooter meets the same pairs in the same order, so the scores are
fair. A <i>Shooter Ready</i> board comes up before each shooter's turn and a <i>Next
Station</i> board before each new field: look over the field with the mouse, then click to
begin. Between pairs the referee sometimes has a word to say about your shooting. Break every
target at a station and the crowd lets you hear about it.</p>
<p><kbd>Esc</kbd> stops the tournament; the score sheet then shows the scores reached so far.
<b>Done</b> on the tournament sheet adds every entrant's round to their lifetime scores.</p>
)HTML";

const char* const OptionsPanel = R"HTML(
<h2 id="options">The options panel</h2>
<p>Options belong to the shooter chosen under <b>Player to Edit</b>; round size, clay types
and location are shared by everybody. <b>Done</b> saves them and returns to the menu.</p>
<table>
  <tr><th>Setting</th><th>Meaning</th></tr>
  <tr><td>Skill Level</td><td>Easy, Medium or Hard: sets your choke to a wide (20), medium (12)
    or tight (8) pattern. You can fine-tune the choke afterwards.</td></tr>
  <tr><td>Choke Pattern Size</td><td>How far from the sight, in pixels, the pattern still breaks
    a clay. The circle shows its size.</td></tr>
  <tr><td>Gun Sensitivity</td><td>5 to 80. A higher number makes the gun swing more slowly and
    steadily; a lower one makes it quick.</td></tr>
  <tr><td>Invert Mouse</td><td>Pushing the mouse up swings the view down.</td></tr>
  <tr><td>Voice Gender, Voice Command</td><td>Your call: Male or Female, saying Ready, Pull or
    Go. Clicking a choice plays it.</td></tr>
  <tr><td>Round Size</td><td>50 or 100 targets per shooter in a tournament.</td></tr>
  <tr><td>Clay Types Allowed</td><td>The presentations the traps may throw. At least one must be
    ticked.</td></tr>
  <tr><td>Patterning, Tracking, Hint Line, Show Traps, Auto Clear</td><td>The
    <a href="#aids">shooting aids</a>.</td></tr>
  <tr><td>Location</td><td>The season's artwork for the menu and the fields; it takes effect when
    you return to the menu.</td></tr>
  <tr><td>Full Screen</td><td>Plays on the whole screen instead of in a window.</td></tr>
</table>
<p>The buttons along the bottom open the Field Editor and this Help, or close the panel with
Done.</p>
)HTML";

const char* const ScoresAndMounting = R"HTML(
<h2 id="scores">Scores and class ratings</h2>
<p>Every target thrown at you and every target you break is counted. Your lifetime totals
give your percentage and your class, shown on the main menu as &ldquo;Class&nbsp;AA&rdquo;
and so on:</p>
<table>
  <tr><th>Class</th><th>Targets broken</th></tr>
  <tr><td>AA</td><td>80% or more</td></tr>
  <tr><td>A</td><td>73% to 79%</td></tr>
  <tr><td>B</td><td>67% to 72%</td></tr>
  <tr><td>C</td><td>60% to 66%</td></tr>
  <tr><td>D</td><td>below 60%</td></tr>
</table>
<p>The percentage is rounded to a whole number first: 2 of 3 is 67%, class B. A shooter who
has not yet broken a target is class D.</p>
<p>Score sheets appear after a practice, after a tournament and from the Stats item of the
menu. <b>Print</b> sends the sheet to your printer. <b>Reset</b> beside a shooter asks first,
then throws away that shooter's practice or tournament score (so Done adds nothing), or on
the lifetime card clears the lifetime totals.</p>
<p>Every practice and tournament you close with <b>Done</b> is also kept in your score
history (a run you reset first is not). <b>History</b> on the score card shows it as a chart:
one mark per run, round for a practice and a diamond for a tournament, over the bands of the
five classes, with a gold line for your average over your last ten runs, so you can see
whether your form is rising. Under the chart are your best run on each field and in a
tournament, and your totals of the last 30 days. <kbd>&larr;</kbd> and <kbd>&rarr;</kbd>, or
<b>Previous</b> and <b>Next</b>, show the other shooters; <b>Print</b> prints your table of
runs. To take the history into a spreadsheet, run <code>quillmoor --history-csv
history.csv</code>.</p>

<h2 id="mounting">Early mounting: warnings and penalties</h2>
<p>As on a real sporting ground, the gun must stay low until the target is in sight. Pressing
the right button after your call but before the clay is thrown shoulders the gun anyway, and
earns a <span class="status">WARNING</span>: a sign hangs in front of you for two seconds.</p>
<div class="warn">The first three early mounts in a practice or a tournament are warnings.
From the fourth on, every early mount is a <span class="status">PENALTY</span>: the next
target you break in that presentation is lost and not counted. A penalty that finds no hit
lapses when the traps are set again.</div>
<p>Warnings start again from nothing with every new practice or tournament.</p>
)HTML";

const char* const FieldEditor = R"HTML(
<h2 id="editor">The field editor</h2>
<p><b>Field Editor</b> on the main menu starts <b>Marlsmith</b>, where you change the traps of
any field or lay out a new ground on a picture of your own. Choose the season and the field
at the top left. The whole field shows scaled down; <b>Full Size</b> shows it pixel for pixel
(drag with the right button, or <kbd>Ctrl</kbd> and the arrows, to scroll).</p>
<table>
  <tr><th>on the picture</th><th>what it does</th></tr>
  <tr><td>a numbered disc</td><td>a trap's launch point: click to choose the trap, drag to move it
    (the arrow keys nudge it a pixel, ten with <kbd>Shift</kbd>)</td></tr>
  <tr><td>the white square at the end of the arrow</td><td>the starting speed: drag it further out
    for a faster clay, round for another direction</td></tr>
  <tr><td>the dashed line marked <i>ground</i></td><td>the trap's ground line: a falling clay
    that passes below it lands</td></tr>
  <tr><td>the yellow line</td><td>the flight of the chosen trap's clay, a black tick every half
    second, white rings where it changes size, a red cross where it lands, and its time</td></tr>
  <tr><td>the brown line</td><td>where a rabbit runs, for a trap that rolls rabbits</td></tr>
  <tr><td>the dotted white frame</td><td>as far as the shooter can swing the view</td></tr>
</table>
<p>Every value can also be typed below the picture (press <kbd>Enter</kbd> to take it): the
field's title, each trap's label, its launch point <b>X</b> and <b>Y</b>, its starting speed
<b>DX</b> (to the right) and <b>DY</b> (upwards), its <b>Ground</b> line, the direction kind
and whether it rolls a rabbit. <b>Add</b> and <b>Remove</b> change the number of traps (one
to four). <b>Throw</b> flies the chosen trap's clay in real time. The flight is worked out
by the game's own flight code at the <b>Speed factor</b> of your machine's last timing run.</p>
<div class="tip">Yellow notes beside a trap are warnings: a clay the shooter can never see, one
that flies less than a second or more than eight, a trap off the picture, a rabbit trap whose
ground line lies above its launch point. They never stop you saving.</div>
<p><b>Save</b> (<kbd>Ctrl</kbd>+<kbd>S</kbd>) writes the field into your own fields folder,
<span class="status">~/.local/share/quillmoor/fields/</span> (or
<span class="status">$XDG_DATA_HOME/quillmoor/fields/</span>); the game then plays your field
in place of its own, with your picture or, without one, the shipped picture. The shipped
fields are never changed. <b>Revert</b> removes your copy after asking.
<kbd>Ctrl</kbd>+<kbd>Z</kbd> undoes and <kbd>Ctrl</kbd>+<kbd>Y</kbd> redoes every change;
closing with unsaved changes asks whether to save them.</p>
<p><b>New</b> starts a field on a picture of your own: pick a BMP picture in the chooser
(arrows and <kbd>Enter</kbd>, or double clicks). A picture that is not 1600 by 800 pixels is
scaled to that size. The new field starts with one trap in the middle and takes the place of
the season and field chosen at the top when you save it.</p>
<p>From a terminal, <span class="status">marlsmith --check FILE.fld</span> prints a field's
trap table and warnings, and tells you why the game would refuse a broken file.</p>
</main>
<footer>Quillmoor &mdash; good shooting!</footer>
</body>
</html>
)HTML";

}  // namespace

void GenerateHelp(const Output& out) {
  const std::string path = out.Path("quillmoor.html");
  std::ofstream file(path, std::ios::binary);
  for (const char* part : {PageHead, GettingStarted, Shooting, Presentations, Aids, Keys,
                           PracticeAndTournament, OptionsPanel, ScoresAndMounting, FieldEditor}) {
    file << part;
  }
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace assets
