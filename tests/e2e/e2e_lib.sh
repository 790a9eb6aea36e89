#!/usr/bin/env bash
# Shared pieces of the end-to-end checks: a private X server, the real game in its window,
# a pointer and keyboard driven through xdotool, and screenshots read back in the game's own
# 640x480 picture coordinates, whatever the window's scale or the full-screen border.
#
# A check sources this file, then calls e2e_init NAME GAME DATA TOOLS WORK (TOOLS: the directory of
# e2e_x_probe and e2e_layout), which sets:
#   SHOTS   directory of this check's screenshots (kept after the run)
#   RUN     scratch directory (settings, logs)
# and the control rectangles printed by e2e_layout (ChkPairs0=(X Y W H), ...).
# and e2e_start_x / e2e_start_game / e2e_finish as it goes.

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
READY_REF=""

# ctest reads this exit code as "skipped" (SKIP_RETURN_CODE in CMakeLists.txt).
E2E_SKIP=77

E2E_NAME=""
GAME=""
DATA=""
PROBE=""
SHOTS=""
RUN=""
XVFB_PID=""
GAME_PID=""
WIN=""
LOCK_FD=""
LOCKS=""
# Control rectangles (X Y W H) and points (X Y) in picture pixels, filled by e2e_init from
# e2e_layout; the checks that source this file use them.
# shellcheck disable=SC2034
ChkPairs0=() ChkFullScreen=() LblOptionsDone=() OptName0=() LblStatsDone=() Field1=()
# shellcheck disable=SC2034
PlayArea=() StatusLine=() ThrownCount=() RestPoint=() Park=()
# Where the 640x480 picture lies on the X screen, and its whole-number scale.
PIC_X=0
PIC_Y=0
PIC_S=1

e2e_log() { printf '%s: %s\n' "$E2E_NAME" "$*"; }
e2e_fail() {
  printf '%s: FAIL: %s\n' "$E2E_NAME" "$*" >&2
  if [[ -n "$RUN" && -s "$RUN/game.stderr" ]]; then
    echo "---- the game's error output" >&2
    tail -n 20 "$RUN/game.stderr" >&2
  fi
  exit 1
}

now_ms() { date +%s%3N; }

# Skips the check, with one clear line, when a tool it drives the game with is missing.
e2e_need_tools() {
  local tool missing=()
  for tool in Xvfb xdotool import convert compare; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
  done
  if [[ ${#missing[@]} -gt 0 ]]; then
    echo "e2e: skipped: ${missing[*]} not installed (scripts/install-deps.sh installs them)"
    exit $E2E_SKIP
  fi
  if [[ ! -x "$PROBE" ]]; then
    echo "e2e: skipped: the X probe $PROBE was not built (no X11 development files)"
    exit $E2E_SKIP
  fi
}

# Paths may be given relative to where the check was started; it keeps them absolute.
absolute() {
  if [[ -d "$1" ]]; then
    (cd "$1" && pwd)
  else
    (cd "$(dirname "$1")" && printf '%s/%s\n' "$(pwd)" "$(basename "$1")")
  fi
}

e2e_init() {
  E2E_NAME=$1
  GAME=$(absolute "$2")
  DATA=$(absolute "$3")
  PROBE=$(absolute "$4")/e2e_x_probe
  local work
  work=$(absolute "$5")
  e2e_need_tools
  local layout
  layout=$("$4/e2e_layout") || e2e_fail "cannot read the control layout from $4/e2e_layout"
  eval "$layout"
  [[ -x "$GAME" ]] || e2e_fail "no game at $GAME"
  [[ -f "$DATA/0m.bmp" ]] || e2e_fail "no generated data in $DATA"
  SHOTS="$work/e2e-shots/$E2E_NAME"
  RUN="$work/e2e-run/$E2E_NAME"
  LOCKS="$work/e2e-run"
  rm -rf "$SHOTS" "$RUN"
  mkdir -p "$SHOTS" "$RUN/config"
  trap e2e_cleanup EXIT
}

# Ends only what this check started, by process id.
e2e_cleanup() {
  if [[ -n "$GAME_PID" ]] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
  fi
  if [[ -n "$XVFB_PID" ]] && kill -0 "$XVFB_PID" 2>/dev/null; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
}

# Starts a private X server of WIDTHxHEIGHT on the first free display of :95 to :99. Checks
# run in parallel under ctest, so each takes a display under a lock (in the build directory)
# it holds until it ends; another build's checks are kept off by the X server's own lock.
e2e_start_x() {
  local size=$1 n deadline
  deadline=$(($(now_ms) + 90000))
  while :; do
    for n in 95 96 97 98 99; do
      exec {LOCK_FD}>"$LOCKS/display-$n.lock"
      if flock -n "$LOCK_FD" && [[ ! -e "/tmp/.X$n-lock" ]]; then
        Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >"$RUN/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        local ready=$(($(now_ms) + 10000))
        while (($(now_ms) < ready)); do
          kill -0 "$XVFB_PID" 2>/dev/null || break
          if xdotool getdisplaygeometry >/dev/null 2>&1 && sleep 0.2 && kill -0 "$XVFB_PID" 2>/dev/null; then
            e2e_log "X server on $DISPLAY, screen $size"
            return 0
          fi
          sleep 0.05
        done
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
      fi
      exec {LOCK_FD}>&-
    done
    (($(now_ms) < deadline)) || e2e_fail "no free X display among :95 to :99"
    sleep 0.5
  done
}

# Starts the real game with a settings directory of this check's own. The environment is
# the player's: no audio driver is forced, so on a machine without a sound card the game
# has to find that out itself and play silently.
e2e_start_game() {
  (unset SDL_AUDIODRIVER SDL_VIDEODRIVER
    export XDG_DATA_HOME="$RUN/share"  # the score history stays with the check
    exec "$GAME" --data "$DATA" --config "$RUN/config" "$@") \
    >"$RUN/game.stdout" 2>"$RUN/game.stderr" &
  GAME_PID=$!
  local deadline=$(($(now_ms) + 10000))
  WIN=""
  while (($(now_ms) < deadline)); do
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game ended before its window opened"
    WIN=$(xdotool search --name '^Quillmoor$' 2>/dev/null | head -n 1)
    [[ -n "$WIN" ]] && break
    sleep 0.05
  done
  [[ -n "$WIN" ]] || e2e_fail "no Quillmoor window within 10 s"
  e2e_window_geometry
  e2e_log "window $WIN: picture at $PIC_X,$PIC_Y scale $PIC_S"
}

# Reads where the window's picture lies: a window shows it from its corner, at the scale
# of its width.
e2e_window_geometry() {
  local info w h
  info=$(xwininfo -id "$WIN") || e2e_fail "window $WIN has gone"
  PIC_X=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
  PIC_Y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
  w=$(awk '/Width:/ {print $NF}' <<<"$info")
  h=$(awk '/Height:/ {print $NF}' <<<"$info")
  ((w % 640 == 0 && h % 480 == 0 && w / 640 == h / 480)) ||
    e2e_fail "the window is ${w}x${h}, not a whole multiple of 640x480"
  PIC_S=$((w / 640))
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
  local a=$1 b=$2 x=$3 y=$4 w=$5 h=$6
  convert \( "$a" -crop "${w}x${h}+$x+$y" +repage \) \( "$b" -crop "${w}x${h}+$x+$y" +repage \) \
    -compose difference -composite -colorspace gray -format '%[fx:100*mean]' info:
}

# Mean brightness, in percent, of a picture over X Y W H.
e2e_brightness() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace gray -format '%[fx:100*mean]' info:
}

# Number of pixels that differ by more than 10 % between two pictures over X Y W H.
e2e_changed_pixels() {
  local a=$1 b=$2 x=$3 y=$4 w=$5 h=$6
  compare -metric AE -fuzz 10% \( "$a" -crop "${w}x${h}+$x+$y" +repage \) \
    \( "$b" -crop "${w}x${h}+$x+$y" +repage \) null: 2>&1 | awk '{printf "%d\n", $1}'
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
  local x=$1 y=$2 button=${3:-1}
  e2e_move "$x" "$y"
  sleep 0.05
  xdotool click "$button"
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
e2e_wait_for() {
  local name=$1 timeout=$2 predicate=$3
  local deadline=$(($(now_ms) + timeout)) start
  start=$(now_ms)
  while :; do
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game ended while waiting for: $name"
    e2e_grab "$name"
    if "$predicate" "$SHOTS/$name.png"; then
      e2e_log "$name after $(($(now_ms) - start)) ms"
      return 0
    fi
    (($(now_ms) < deadline)) || e2e_fail "no $name within $timeout ms (last screen: $SHOTS/$name.png)"
    sleep 0.1
  done
}

# Polls only the region X Y W H of the picture until at least MIN pixels differ from the
# same region of REF: far quicker than whole screenshots, for moments that pass quickly.
e2e_wait_changed() {
  local name=$1 timeout=$2 ref=$3 min=$4 x=$5 y=$6 w=$7 h=$8 changed
  local deadline=$(($(now_ms) + timeout)) start
  start=$(now_ms)
  convert "$ref" -crop "${w}x${h}+$x+$y" +repage "$SHOTS/$name-before.png"
  while :; do
    kill -0 "$GAME_PID" 2>/dev/null || e2e_fail "the game ended while waiting for: $name"
    import -window root -crop "$((w * PIC_S))x$((h * PIC_S))+$((PIC_X + x * PIC_S))+$((PIC_Y + y * PIC_S))" \
      "$SHOTS/$name-screen.png" 2>/dev/null || e2e_fail "import failed"
    convert "$SHOTS/$name-screen.png" +repage -sample "${w}x${h}" "$SHOTS/$name.png"
    changed=$(compare -metric AE -fuzz 10% "$SHOTS/$name-before.png" "$SHOTS/$name.png" null: 2>&1 |
      awk '{printf "%d\n", $1}')
    if ((changed >= min)); then
      e2e_log "$name after $(($(now_ms) - start)) ms"
      return 0
    fi
    (($(now_ms) < deadline)) || e2e_fail "no $name within $timeout ms"
    sleep 0.02
  done
}

# Asks the window to close as its frame's close button would, and measures how long the
# game takes to end. Sets CLOSE_MS and CLOSE_CODE; fails if it is not gone within LIMIT_MS,
# a limit for a hung game, not a measure of speed on a busy machine (the benchmarks are that).
e2e_close_window() {
  local limit=${1:-15000} start
  start=$(now_ms)
  "$PROBE" close "$WIN" || e2e_fail "could not ask window $WIN to close"
  while kill -0 "$GAME_PID" 2>/dev/null && (($(now_ms) - start < limit + 2000)); do
    sleep 0.01
  done
  CLOSE_MS=$(($(now_ms) - start))
  if kill -0 "$GAME_PID" 2>/dev/null; then
    e2e_fail "the game was still running ${CLOSE_MS} ms after its window was closed"
  fi
  wait "$GAME_PID"
  CLOSE_CODE=$?
  GAME_PID=""
  ((CLOSE_MS <= limit)) || e2e_fail "the game took ${CLOSE_MS} ms to end after the close, more than $limit ms"
  e2e_log "closed: the game ended ${CLOSE_MS} ms after the close request, exit code $CLOSE_CODE"
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
