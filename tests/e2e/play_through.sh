#!/usr/bin/env bash
# A first evening with the game, in a real window: the intro, the first-run advice, a name,
# the options panel, one practice presentation on Field 1 (call, shoulder, fire), Esc, the
# score sheet's Done, and the window closed. Every stage is judged from a screenshot.
#
#   play_through.sh MODE GAME DATA_DIR TOOLS_DIR WORK_DIR
#
# MODE: scale1      640x480 window on a 1024x768 screen
#       scale2      1280x960 window (--scale 2) on a 1600x1200 screen
#       fullscreen  a 640x480 window on a 1920x1080 screen; the full-screen box is ticked on
#                   the options panel and the rest is played on the picture scaled up twice
#                   and centred on the screen
# Screenshots are kept in WORK_DIR/e2e-shots/play_MODE/.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"

case "${1:-}/$#" in
  scale1/5) screen=1024x768 game_args=(--scale 1) ;;
  scale2/5) screen=1600x1200 game_args=(--scale 2) ;;
  fullscreen/5) screen=1920x1080 game_args=(--scale 1) ;;
  *)
    echo "usage: play_through.sh scale1|scale2|fullscreen GAME DATA_DIR TOOLS_DIR WORK_DIR" >&2
    exit 2
    ;;
esac
mode=$1
e2e_init "play_$mode" "$2" "$3" "$4" "$5"
ini="$RUN/config/quillmoor.ini"

# ---- Start-up
e2e_ready_reference
e2e_start_x "$screen"
e2e_start_game "${game_args[@]}"
e2e_wait_for intro 8000 is_intro
e2e_wait_for advice_box 20000 is_advice_box
# Off the menu items, so that no highlight changes the picture.
e2e_move "${Park[@]}"
e2e_key Return
e2e_wait_for name_request 5000 is_name_request
e2e_key Return
e2e_wait_for name_entry 5000 is_name_entry
e2e_type Annie
name_shows() { ! below "$(e2e_changed_pixels "$SHOTS/name_entry.png" "$1" 150 170 340 140)" 20; }
e2e_wait_for name_typed 5000 name_shows
e2e_key Return
e2e_wait_for options 40000 is_options

# ---- Options: allow one clay type, maybe go full screen, Done.
e2e_click_rect "${ChkPairs0[@]}"
box_ticked() { (($(e2e_changed_pixels "$SHOTS/options.png" "$1" "${ChkPairs0[@]}") >= 5)); }
e2e_wait_for options_ticked 5000 box_ticked

if [[ $mode == fullscreen ]]; then
  e2e_click_rect "${ChkFullScreen[@]}"
  read -r screen_w screen_h < <(xdotool getdisplaygeometry)
  # Where the picture now lies is read from the screen itself: the panel's wood ends where
  # the black border begins. The first frames after the switch may still show it elsewhere.
  centred_whole_multiple() {
    [[ $(xwininfo -id "$WIN" | awk '/Width:/ {print $NF}') == "$screen_w" ]] || return 1
    import -window root "$SHOTS/fullscreen-screen.png"
    read -r pw ph px py < <(convert "$SHOTS/fullscreen-screen.png" -fuzz 3% -trim \
      -format '%w %h %X %Y\n' info: | tr -d '+')
    e2e_log "full screen: the picture is ${pw}x${ph} at $px,$py"
    ((pw % 640 == 0 && ph % 480 == 0 && pw / 640 == ph / 480)) &&
      (((screen_w - pw) / 2 - px <= 1 && px - (screen_w - pw) / 2 <= 1)) &&
      (((screen_h - ph) / 2 - py <= 1 && py - (screen_h - ph) / 2 <= 1))
  }
  e2e_poll "full-screen picture, centred and scaled whole" 15000 0.1 centred_whole_multiple
  PIC_X=$px PIC_Y=$py PIC_S=$((pw / 640))
  e2e_wait_for options_fullscreen 3000 is_options
  e2e_move "${Park[@]}"
fi

e2e_click_rect "${LblOptionsDone[@]}"
e2e_wait_for menu 20000 is_menu_only
saved=(Name=Annie Pairs0=1)
[[ $mode == fullscreen ]] && saved+=(FullScreen=1)
for line in "${saved[@]}"; do
  grep -q "^$line" "$ini" || e2e_fail "the settings file does not hold $line"
done

# ---- Practice on Field 1.
e2e_click_rect "${OptName0[@]}"
sleep 0.3
e2e_click_rect "${Field1[@]}"
e2e_wait_for play 40000 is_play
e2e_wait_for ready 30000 is_ready

# The timing run at the start of practice puts the pointer at its rest point, (300, 220)
# of the play screen, and the pointer is hidden while shooting.
eval "$(xdotool getmouselocation --shell)"
rest_x=$(screen_x "${RestPoint[0]}") rest_y=$(screen_y "${RestPoint[1]}")
((X - rest_x <= PIC_S && rest_x - X <= PIC_S && Y - rest_y <= PIC_S && rest_y - Y <= PIC_S)) ||
  e2e_fail "the pointer is at $X,$Y, not at the rest point $rest_x,$rest_y"
hidden=$("$PROBE" cursor) || e2e_fail "cannot read the pointer's image"
((hidden == 0)) || e2e_fail "the pointer shows while shooting ($hidden pixels)"

# Call without touching the mouse, so the view stays where the game put it. The clay is
# thrown within three seconds of the call; the thrown count beside the name says when, and
# the shot must come while the clay still flies.
xdotool click 3
e2e_wait_changed thrown 10000 "$SHOTS/ready.png" 3 "${ThrownCount[@]}"
# Shoulder, then fire: the raised gun and the recoil change the play area.
xdotool click 3
sleep 0.1
xdotool click 1
shot_changed() { ! below "$(e2e_diff "$SHOTS/ready.png" "$1" "${PlayArea[@]}")" 0.2; }
e2e_wait_for fired 5000 shot_changed

# However far the mouse is pushed, the pointer stays in the play area: 25 steps of 40
# pixels each way, relative moves as a real mouse makes.
left=$((PIC_X + 20 * PIC_S)) top=$((PIC_Y + 30 * PIC_S))
right=$((PIC_X + 620 * PIC_S)) bottom=$((PIC_Y + 370 * PIC_S))
for push in "-40 -40" "40 40" "-40 40" "40 -40" "-40 0" "0 40"; do
  read -r dx dy <<<"$push"
  steps=()
  for _ in $(seq 25); do steps+=(mousemove_relative -- "$dx" "$dy" sleep 0.004); done
  xdotool "${steps[@]}"
  # The game holds the pointer in at its next frame: a busy machine may take a while.
  inside() {
    eval "$(xdotool getmouselocation --shell)"
    ((X >= left && X < right && Y >= top && Y < bottom))
  }
  e2e_poll "pointer back inside $left,$top-$right,$bottom after a push by $dx,$dy" 3000 0.05 inside
done
e2e_log "pointer hidden and held inside $left,$top-$right,$bottom"

# ---- Esc ends the practice; the sheet's Done banks the counts.
e2e_key Escape
e2e_wait_for score_sheet 40000 is_score_card
shown=$("$PROBE" cursor)
((shown > 0)) || e2e_fail "the pointer is still hidden on the score sheet"
e2e_click_rect "${LblStatsDone[@]}"
e2e_wait_for menu_after 20000 is_menu_only

player0() { awk -F= -v key="$1" '/^\[Player0\]/ {p = 1; next} /^\[/ {p = 0} p && $1 == key {print $2}' "$ini"; }
thrown=$(player0 Thrown)
hits=$(player0 Hit)
[[ $thrown =~ ^[0-9]+$ && $hits =~ ^[0-9]+$ && $thrown -ge 1 && $hits -le $thrown ]] ||
  e2e_fail "the settings file has wrong lifetime counts for Annie: Thrown='$thrown' Hit='$hits'"
e2e_log "lifetime counts in the settings file: Thrown=$thrown Hit=$hits"

e2e_close_window
e2e_check_stderr
e2e_log "ok (screenshots in $SHOTS)"
