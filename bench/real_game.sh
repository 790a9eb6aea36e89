#!/usr/bin/env bash
# What the real game costs a player's machine: the game in its window on a private X server,
# first idle on the menu, then in a practice waiting for the call, then in a practice with a
# call every 4 s, at each window scale asked for. For each stretch it prints the share of one
# core the game took (time on the processor over wall time), the frames composed and shown
# per second and the intervals between shown frames; at the end of each run the peak
# resident memory.
#
#   real_game.sh GAME DATA_DIR E2E_TOOLS_DIR SHIM WORK_DIR [SCALE...]
#
# E2E_TOOLS_DIR holds e2e_layout and e2e_x_probe (build/tests/e2e); SHIM is the present
# counter (build/bench/libquillmoor_present_shim.so), preloaded into the game. SCALE: 1 2 by
# default. `make bench-real` runs it on the build. Frames composed are counted by the game
# itself where it can (QUILLMOOR_FRAME_LOG); a build that cannot shows "-".
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../tests/e2e/e2e_lib.sh
source "$here/../tests/e2e/e2e_lib.sh"

[[ $# -ge 5 ]] || { echo "usage: real_game.sh GAME DATA_DIR E2E_TOOLS_DIR SHIM WORK_DIR [SCALE...]" >&2; exit 2; }
shim=$(absolute "$4")
[[ -f "$shim" ]] || { echo "real_game.sh: no present counter at $shim" >&2; exit 2; }
scales=("${@:6}")
[[ ${#scales[@]} -gt 0 ]] || scales=(1 2)
IDLE_S=${IDLE_S:-15}
WAITING_S=${WAITING_S:-10}
CALLS_S=${CALLS_S:-30}

# Nanoseconds the game's threads have spent on a processor.
cpu_ns() {
  local total=0 task
  for task in /proc/"$GAME_PID"/task/*/schedstat; do
    read -r ns _ <"$task" 2>/dev/null && total=$((total + ns))
  done
  echo "$total"
}

# One stretch: its name and how long; runs ACTION... in the background meanwhile.
measure() {
  local name=$1 seconds=$2
  shift 2
  local cpu0 cpu1 t0 t1
  cpu0=$(cpu_ns)
  t0=$(date +%s%N)
  if [[ $# -gt 0 ]]; then
    "$@"
  else
    sleep "$seconds"
  fi
  t1=$(date +%s%N)
  cpu1=$(cpu_ns)
  local window gaps wall composed
  window=$(awk -v t0="$t0" -v t1="$t1" '$2 >= t0 && $2 <= t1' "$LOG")
  gaps=$(awk '$1 == "p" { if (prev) printf "%.3f\n", ($2 - prev) / 1e6; prev = $2 }' <<<"$window" | sort -n)
  wall=$(awk -v a="$t0" -v b="$t1" 'BEGIN { print (b - a) / 1e9 }')
  composed="-"
  grep -q '^c ' "$LOG" && composed=$(grep -c '^c ' <<<"$window")
  awk -v name="$name" -v scale="$SCALE" -v wall="$wall" -v cpu=$((cpu1 - cpu0)) \
    -v shown="$(grep -c '^p ' <<<"$window")" -v composed="$composed" \
    -v texts="$(grep -c '^t ' <<<"$window")" '
    NF { gap[++n] = $1 }
    function at(q, i) { i = int(q * n) + 1; return n == 0 ? 0 : gap[i > n ? n : i] }
    END {
      printf "%-17s scale %s  cpu %5.2f %%  composed/s %5s  shown/s %5.1f  texts/s %6.1f  interval ms: median %5.1f p90 %5.1f p99 %5.1f max %6.1f\n",
        name, scale, 100 * cpu / 1e9 / wall,
        composed == "-" ? "-" : sprintf("%.1f", composed / wall), shown / wall, texts / wall,
        at(0.5), at(0.9), at(0.99), at(1)
    }' <<<"$gaps"
}

calls() {
  local end=$(($(now_ms) + CALLS_S * 1000))
  while (($(now_ms) < end)); do
    e2e_click "${RestPoint[@]}" 3
    sleep 4
  done
}

e2e_init bench "$1" "$2" "$3" "$5"
for SCALE in "${scales[@]}"; do
  case "$SCALE" in
    1) screen=1024x768 ;;
    *) screen=$((800 * SCALE))x$((600 * SCALE)) ;;
  esac
  rm -rf "$RUN/config"
  mkdir -p "$RUN/config"
  cp "$here/../tests/e2e/fixture_named.ini" "$RUN/config/quillmoor.ini"
  LOG="$RUN/frames-$SCALE.log"
  rm -f "$LOG"
  e2e_start_x "$screen"
  export LD_PRELOAD=$shim QUILLMOOR_FRAME_LOG=$LOG
  e2e_start_game --scale "$SCALE" --seed 1
  unset LD_PRELOAD QUILLMOOR_FRAME_LOG
  e2e_wait_for menu 30000 is_menu_only
  e2e_move "${Park[@]}"
  sleep 2
  measure "menu idle" "$IDLE_S"
  e2e_click_rect "${OptName0[@]}"
  sleep 0.3
  e2e_click_rect "${Field1[@]}"
  e2e_move "${RestPoint[@]}"
  # The wipe, the timing run and the first trap setting.
  sleep 6
  measure "practice waiting" "$WAITING_S"
  measure "practice, calls" "$CALLS_S" calls
  e2e_grab "practice-scale$SCALE"
  echo "peak memory        scale $SCALE  $(awk '/VmHWM/ {printf "%.1f MB", $2 / 1024}' /proc/"$GAME_PID"/status)"
  kill "$GAME_PID" 2>/dev/null
  wait "$GAME_PID" 2>/dev/null
  GAME_PID=""
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=""
  exec {LOCK_FD}>&-
done
