#!/usr/bin/env bash
# Shared pieces of the end-to-end checks: a private X server, the real game in its window,
# a pointer and keyboard driven through xdotool, and screenshots read back in the game's own
# 640x480 picture coordinates, whatever the window's scale or the full-screen border.
#
# A check sources this file, then calls e2e_init NAME GAME DATA TOOLS WORK (TOOLS: the
# directory of e2e_x_probe and e2e_layout), which sets:
#   SHOTS   directory of this check's screenshots (kept after the run)
#   RUN     scratch directory (settings, logs, the game's home and runtime folders)
# and the control rectangles printed by e2e_layout (ChkPairs0=(X Y W H), ...); then
# e2e_start_x and e2e_start_game as it goes.

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# The title of the window e2e_start_game waits for.
E2E_WINDOW='^Quillmoor$'
GAME_PID=""
XVFB_PID=""

e2e_log() { printf '%s: %s\n' "$E2E_NAME" "$*"; }
e2e_fail() {
  printf '%s: FAIL: %s\n' "$E2E_NAME" "$*" >&2
  if [[ -s "$RUN/game.stderr" ]]; then
    echo "---- the game's error output" >&2
    tail -n 20 "$RUN/game.stderr" >&2
  fi
  exit 1
}

now_ms() { date +%s%3N; }
absolute() { realpath "$1"; }

e2e_init() {
  E2E_NAME=$1
  RUN=""
  GAME=$(absolute "$2")
  DATA=$(absolute "$3")
  PROBE=$(absolute "$4")/e2e_x_probe
  local tool missing=() work
  # Skips the check, with one clear line, when a tool it drives the game with is missing.
  for tool in Xvfb xdotool import convert compare; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  [[ -x "$PROBE" ]] || missing+=("the X probe (no X11 development files)")
  if [[ ${#missing[@]} -gt 0 ]]; then
    echo "e2e: skipped: ${missing[*]} not installed (scripts/install-deps.sh installs them)"
    exit 77  # ctest reads it as "skipped" (SKIP_RETURN_CODE in CMakeLists.txt)
  fi
  eval "$("$4/e2e_layout")" || e2e_fail "cannot read the control layout from $4/e2e_layout"
  [[ -x "$GAME" ]] || e2e_fail "no game at $GAME"
  [[ -f "$DATA/0m.bmp" ]] || e2e_fail "no generated data in $DATA"
  work=$(absolute "$5")
  SHOTS="$work/e2e-shots/$E2E_NAME"
  RUN="$work/e2e-run/$E2E_NAME"
  rm -rf "$SHOTS" "$RUN"
  mkdir -p "$SHOTS" "$RUN/config" "$RUN/home"
  mkdir -m 700 "$RUN/runtime"
  trap e2e_cleanup EXIT
}

# Ends only what this check started, by process id.
e2e_cleanup() {
  local pid
  for pid in "$GAME_PID" "$XVFB_PID"; do
    [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  done
  return 0
}

# Polls until COMMAND... succeeds, for at most TIMEOUT_MS, PAUSE seconds between tries; fails
# if the game ends meanwhile.
e2e_poll() {
  local name=$1 timeout=$2 pause=$3 start
  shift 3
  start=$(now_ms)
  until "$@"; do
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game ended while waiting for: $name"
    (($(now_ms) - start < timeout)) || e2e_fail "no $name within $timeout ms (screenshots in $SHOTS)"
    sleep "$pause"
  done
  e2e_log "$name after $(($(now_ms) - start)) ms"
}

# Starts a private X server of WIDTHxHEIGHT on a display it picks itself among the free ones
# (its own lock keeps checks running side by side apart), and waits until it names that
# display, which it does once it is ready. LOCK_FD is the file it names it in.
e2e_start_x() {
  local start n
  exec {LOCK_FD}>"$RUN/display"
  Xvfb -displayfd "$LOCK_FD" -screen 0 "${1}x24" -nolisten tcp -noreset 2>"$RUN/xvfb.log" &
  XVFB_PID=$!
  start=$(now_ms)
  until read -r n <"$RUN/display"; do
    kill -0 "$XVFB_PID" 2>/dev/null || e2e_fail "the X server stopped: $(tail -n 3 "$RUN/xvfb.log")"
    (($(now_ms) - start < 30000)) || e2e_fail "the X server was not ready within 30 s"
    sleep 0.05
  done
  export DISPLAY=":$n"
  e2e_log "X server on $DISPLAY, screen $1"
}

# Starts the real game (or the editor) with settings, data, home and runtime folders of this
# check's own, so nothing is left in the player's home or in /tmp. No audio driver is forced:
# on a machine without a sound card the game has to find that out itself and play silently.
e2e_start_game() {
  (unset SDL_AUDIODRIVER SDL_VIDEODRIVER
    export HOME="$RUN/home" XDG_DATA_HOME="$RUN/share" XDG_RUNTIME_DIR="$RUN/runtime"
    exec "$GAME" --data "$DATA" --config "$RUN/config" "$@") \
    >"$RUN/game.stdout" 2>"$RUN/game.stderr" &
  GAME_PID=$!
  WIN=""
  e2e_poll "window" 10000 0.05 window_found
  # The window shows the picture from its corner, at the scale of its width: PIC_X and PIC_Y
  # are where the 640x480 picture lies on the X screen, PIC_S its whole-number scale.
  local info w h
  info=$(xwininfo -id "$WIN") || e2e_fail "window $WIN has gone"
  PIC_X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
  PIC_Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
  w=$(awk '/Width:/ {print $NF}' <<<"$info")
  h=$(awk '/Height:/ {print $NF}' <<<"$info")
  ((w % 640 == 0 && h % 480 == 0 && w / 640 == h / 480)) ||
    e2e_fail "the window is ${w}x${h}, not a whole multiple of 640x480"
  PIC_S=$((w / 640))
  e2e_log "window $WIN: picture at $PIC_X,$PIC_Y scale $PIC_S"
}

window_found() {
  WIN=$(xdotool search --name "$E2E_WINDOW" 2>/dev/null | head -n 1)
  [[ -n "$WIN" ]]
}

# Screenshot of the whole X screen, then the picture cut out of it and brought back to
# 640x480 by taking one screen pixel per picture pixel (exact for whole-number scales).
e2e_grab() {
  local name=$1
  import -window root "$SHOTS/$name-screen.png" 2>/dev/null || e2e_fail "import failed"
  convert "$SHOTS/$name-screen.png" \
    -crop "$((640 * PIC_S))x$((480 * PIC_S))+$PIC_X+$PIC_Y" +repage \
    -sample 640x480 "$SHOTS/$name.png" || e2e_fail "cannot cut the picture out of $name"
}

# Mean absolute difference, in percent of full scale, of two pictures over X Y W H.
e2e_diff() {
  convert \( "$1" -crop "$5x$6+$3+$4" +repage \) \( "$2" -crop "$5x$6+$3+$4" +repage \) \
    -compose difference -composite -colorspace gray -format '%[fx:100*mean]' info:
}

# Mean brightness, in percent, of a picture over X Y W H.
e2e_brightness() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace gray -format '%[fx:100*mean]' info:
}

# Number of pixels that differ by more than 10 % between two pictures over X Y W H.
e2e_changed_pixels() {
  compare -metric AE -fuzz 10% \( "$1" -crop "$5x$6+$3+$4" +repage \) \
    \( "$2" -crop "$5x$6+$3+$4" +repage \) null: 2>&1 | awk '{printf "%d\n", $1}'
}

# True if the number is below the limit (both may carry fractions).
below() { awk -v a="$1" -v b="$2" 'BEGIN {exit !(a < b)}'; }

# Picture pixel (X, Y) on the X screen: the middle of the block it is scaled to.
screen_x() { echo $((PIC_X + $1 * PIC_S + PIC_S / 2)); }
screen_y() { echo $((PIC_Y + $1 * PIC_S + PIC_S / 2)); }

# Moves the pointer to picture pixel (X, Y).
e2e_move() { xdotool mousemove "$(screen_x "$1")" "$(screen_y "$2")"; }

# Clicks BUTTON (1 left, 3 right) at picture pixel (X, Y), as a hand would: move, press,
# release.
e2e_click() {
  e2e_move "$1" "$2"
  sleep 0.05
  xdotool click "${3:-1}"
}

# Clicks the middle of a control's rectangle X Y W H.
e2e_click_rect() { e2e_click $(($1 + $3 / 2)) $(($2 + $4 / 2)) "${5:-1}"; }

# Keys go where the pointer is when no window manager gives out focus; put them on the game.
e2e_key() {
  xdotool windowfocus "$WIN" 2>/dev/null
  xdotool key --delay 40 "$@"
}
e2e_type() {
  xdotool windowfocus "$WIN" 2>/dev/null
  xdotool type --delay 60 "$1"
}

# Polls the screen until PREDICATE (a function given the picture's path) holds, for at
# most TIMEOUT_MS; the picture that satisfied it is kept as SHOTS/NAME.png.
e2e_wait_for() { e2e_poll "$1" "$2" 0.1 screen_shows "$1" "$3"; }
screen_shows() { e2e_grab "$1" && "$2" "$SHOTS/$1.png"; }

# Polls only the region X Y W H of the picture until at least MIN pixels differ from the
# same region of REF: far quicker than whole screenshots, for moments that pass quickly.
e2e_wait_changed() {
  local name=$1 timeout=$2 ref=$3
  shift 3
  convert "$ref" -crop "$4x$5+$2+$3" +repage "$SHOTS/$name-before.png"
  e2e_poll "$name" "$timeout" 0.02 region_changed "$name" "$@"
}
region_changed() {  # NAME MIN X Y W H
  import -window root -crop "$(($5 * PIC_S))x$(($6 * PIC_S))+$((PIC_X + $3 * PIC_S))+$((PIC_Y + $4 * PIC_S))" \
    "$SHOTS/$1-screen.png" 2>/dev/null || e2e_fail "import failed"
  convert "$SHOTS/$1-screen.png" +repage -sample "$5x$6" "$SHOTS/$1.png"
  (($(e2e_changed_pixels "$SHOTS/$1-before.png" "$SHOTS/$1.png" 0 0 "$5" "$6") >= $2))
}

# Asks the window to close as its frame's close button would. Sets CLOSE_CODE; fails if the
# game is not gone within 15 s, a limit for a hung game, not a measure of speed on a busy
# machine (the benchmarks are that).
e2e_close_window() {
  local start
  start=$(now_ms)
  "$PROBE" close "$WIN" || e2e_fail "could not ask window $WIN to close"
  while kill -0 "$GAME_PID" 2>/dev/null; do
    (($(now_ms) - start < 15000)) || e2e_fail "the game was still running 15 s after its window was closed"
    sleep 0.01
  done
  wait "$GAME_PID"
  CLOSE_CODE=$?
  GAME_PID=""
  e2e_log "closed: the game ended $(($(now_ms) - start)) ms after the close request, exit code $CLOSE_CODE"
  ((CLOSE_CODE == 0)) || e2e_fail "the game ended with exit code $CLOSE_CODE"
}

# The game may say once that it plays silently; anything else on stderr is a complaint.
e2e_check_stderr() {
  local silent others
  silent=$(grep -c -i 'sound' "$RUN/game.stderr")
  others=$(grep -c -v -i 'sound' "$RUN/game.stderr")
  ((silent <= 1)) || e2e_fail "the game reported the missing sound device $silent times"
  ((others == 0)) || e2e_fail "the game wrote unexpected error output"
  e2e_log "error output: $silent line(s) about sound, nothing else"
}

# ---- Screen states, judged against the generated pictures in the data directory.

# The menu picture fills the window: the title corner and the ground below the field map
# are the season's menu bitmap as generated (no box, highlight or button lies there).
is_menu() {
  below "$(e2e_diff "$1" "$DATA/0m.bmp" 0 0 390 140)" 2 &&
    below "$(e2e_diff "$1" "$DATA/0m.bmp" 160 360 200 55)" 2
}
# The menu with the big first-run advice box over its middle.
is_advice_box() {
  is_menu "$1" && ! below "$(e2e_diff "$1" "$DATA/0m.bmp" 50 160 50 150)" 10
}
# The menu with the smaller box asking for a name: the advice box's left edge is bare again,
# and the box's own left edge shows just left of where the name entry would be.
is_name_request() {
  is_menu "$1" && below "$(e2e_diff "$1" "$DATA/0m.bmp" 50 160 50 150)" 2 &&
    ! below "$(e2e_diff "$1" "$DATA/0m.bmp" 128 200 14 40)" 10
}
# The name entry: neither box, but a board over the middle of the map reaching lower down
# than the name request did.
is_name_entry() {
  is_menu "$1" && below "$(e2e_diff "$1" "$DATA/0m.bmp" 50 160 50 150)" 2 &&
    below "$(e2e_diff "$1" "$DATA/0m.bmp" 128 200 14 40)" 2 &&
    ! below "$(e2e_diff "$1" "$DATA/0m.bmp" 250 285 140 20)" 10
}
is_options() {
  below "$(e2e_diff "$1" "$DATA/options.bmp" 0 0 640 60)" 2 &&
    below "$(e2e_diff "$1" "$DATA/options.bmp" 0 400 160 80)" 2
}
# The play screen: its frame is the generated play picture, and the play area inside it is
# lit and is neither that picture's placeholder nor the menu.
is_play() {
  below "$(e2e_diff "$1" "$DATA/play.bmp" 0 380 70 100)" 2 &&
    below "$(e2e_diff "$1" "$DATA/play.bmp" 0 0 20 480)" 2 &&
    ! below "$(e2e_brightness "$1" 20 30 600 340)" 15 &&
    ! below "$(e2e_diff "$1" "$DATA/play.bmp" 20 30 600 340)" 5 &&
    ! below "$(e2e_diff "$1" "$DATA/0m.bmp" 20 30 600 340)" 5
}
is_score_card() {
  below "$(e2e_diff "$1" "$DATA/stats.bmp" 0 0 640 28)" 2 &&
    below "$(e2e_diff "$1" "$DATA/stats.bmp" 410 350 230 50)" 2
}
# The menu alone, no box or board over the map.
is_menu_only() { is_menu "$1" && below "$(e2e_diff "$1" "$DATA/0m.bmp" 50 160 540 160)" 3; }
# The start-up logos: black all round, a logo in the middle.
is_intro() {
  below "$(e2e_brightness "$1" 0 0 640 100)" 2 && below "$(e2e_brightness "$1" 0 400 640 80)" 2 &&
    ! below "$(e2e_brightness "$1" 220 150 200 180)" 5
}
# A presentation ready to be called: the play screen, with the shooter's status line as the
# headless game draws it at that moment (see e2e_ready_reference).
is_ready() {
  is_play "$1" && below "$(e2e_diff "$1" "$READY_REF" "${StatusLine[@]}")" 3
}

# Runs the headless game through the same first run up to a ready presentation and keeps its
# picture as READY_REF: the real window is judged ready when its status line looks the same.
e2e_ready_reference() {
  local dir="$RUN/reference"
  mkdir -p "$dir"
  (cd "$dir" && "$GAME" --headless --script "$E2E_DIR/ready_reference.script" \
    --data "$DATA" --config "$dir/config" >headless.out 2>&1) ||
    e2e_fail "the headless reference run failed: $(tail -n 3 "$dir/headless.out")"
  READY_REF="$dir/ready.bmp"
}
