#!/usr/bin/env bash
# The field editor in a real window: trap 2 of field 1 is dragged with the mouse, Ctrl+S
# saves it into the player's fields folder, and the screen shows the trap where it was put.
#
#   editor_drag_save.sh MARLSMITH DATA_DIR TOOLS_DIR WORK_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"
[[ $# -eq 4 ]] || { echo "editor_drag_save.sh: needs 4 arguments" >&2; exit 2; }
e2e_init editor_drag_save "$1" "$2" "$3" "$4"
fields="$RUN/share/quillmoor/fields"
E2E_WINDOW='^Marlsmith'
e2e_start_x 1024x768
e2e_start_game --scale 1

# Colour of picture pixel (X, Y) as rrggbb.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: | cut -c1-6; }
# Trap 2 wears blue: a pixel inside its disc, left of the number.
trap2_at() { [[ $(pixel "$1" $(($2 - 6)) $(($3 + 3))) == 3C78F0 ]]; }
# The field is open: the button bar is the desktop grey and trap 2 stands at (760, 650) of
# the backdrop, (304, 284) of the window at the editor's scale of 0.4.
is_open() { [[ $(pixel "$1" 638 12) == C0C0C0 ]] && trap2_at "$1" 304 284; }
e2e_wait_for open 20000 is_open

xdotool mousemove "$(screen_x 304)" "$(screen_y 284)"
sleep 0.1
xdotool mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove "$(screen_x $((304 + 10 * step)))" "$(screen_y $((284 - 5 * step)))"
  sleep 0.05
done
xdotool mouseup 1
moved() { trap2_at "$1" 344 264 && ! trap2_at "$1" 304 284; }
e2e_wait_for moved 5000 moved

e2e_key ctrl+s
e2e_poll "field file saved by Ctrl+S" 5000 0.05 test -s "$fields/0f1.fld"
# Trap 2's launch point is on lines 12 and 13 of the field file.
x=$(sed -n 12p "$fields/0f1.fld" | tr -d '\r')
y=$(sed -n 13p "$fields/0f1.fld" | tr -d '\r')
[[ $x == 860 && $y == 600 ]] || e2e_fail "trap 2 was saved at ($x, $y), not (860, 600)"
leftovers=$(find "$fields" -mindepth 1 ! -name 0f1.fld)
[[ -z "$leftovers" ]] || e2e_fail "files left beside the saved field: $leftovers"
e2e_wait_for saved 3000 moved
e2e_log "trap 2 saved at ($x, $y); screenshot $SHOTS/saved.png"

# Nothing is left unsaved, so the window closes without a question.
e2e_close_window
e2e_check_stderr
