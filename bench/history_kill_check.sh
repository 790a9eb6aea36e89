#!/usr/bin/env bash
# Kills the game (SIGKILL) at random moments while a score sheet's Done is saving, again and
# again, and checks after every kill that the score history still opens and holds whole rows
# only, and that the settings file still has every key it had before.
#
#   bench/history_kill_check.sh [BUILD_DIR] [KILLS]      (defaults: build, 200)
#
# Each round starts the headless game on the settings and history the last round left, plays
# a short practice and closes its sheet with Done; the kill falls at a random moment from the
# Done's first trace line to a little past the time a whole Done takes (measured first).
set -u

build=${1:-build}
kills=${2:-200}
game=$(cd "$build" && pwd)/quillmoor
data=$(cd "$build" && pwd)/data
[[ -x "$game" && -d "$data" ]] || { echo "no game or data in $build" >&2; exit 2; }
command -v sqlite3 >/dev/null || { echo "sqlite3 is needed" >&2; exit 2; }

work=$(mktemp -d /tmp/quillmoor-kill.XXXXXX)
trap '[[ -n "${KEEP:-}" ]] || rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/share"
export XDG_DATA_HOME="$work/share"
db="$work/share/quillmoor/history.sqlite3"
ini="$work/config/quillmoor.ini"
cat >"$ini" <<'INI'
[Settings]
Round Size=50
Pairs0=1
Pairs4=1
Season=0
[Player0]
Name=Annie
Gun=8
Choke=12
Thrown=10
Hit=7
INI
keys=("Round Size=" "Pairs0=" "Pairs4=" "Season=" "Name=Annie" "Gun=" "Choke=" "Thrown=" "Hit=")

cat >"$work/done.script" <<'SCRIPT'
until show control=picSelect within 20000
press optName(0)
press lblMain(0)
until caption control=lblStatus text="Gun Low..."
click right 320 200
until sound name=t000.wav
wait 2000
key Esc
until show control=picStats
press lblStatsDone
wait 200
quit
SCRIPT

now_us() { date +%s%6N; }

# Waits until the trace holds PATTERN, or the game has ended; false in the second case.
wait_for() {
  local pattern=$1 pid=$2
  until grep -q "$pattern" "$work/trace.jsonl"; do
    kill -0 "$pid" 2>/dev/null || return 1
  done
}

# One round: starts the game, waits for the Done to begin, then kills it DELAY microseconds
# later (or, with no DELAY, lets the Done finish). Prints the microseconds from the Done's
# first trace line to the kill or to the history's save.
round() {
  local delay=$1 start pid
  rm -f "$work/trace.jsonl"
  touch "$work/trace.jsonl"
  (cd "$work" && exec "$game" --headless --data "$data" --config "$work/config" \
    --seed $RANDOM --script "$work/done.script" --trace "$work/trace.jsonl" >/dev/null 2>&1) &
  pid=$!
  wait_for '"ev":"hide","control":"picStats"' "$pid"
  start=$(now_us)
  if [[ -n "$delay" ]]; then
    while (($(now_us) - start < delay)); do :; done
    kill -KILL "$pid" 2>/dev/null
  else
    wait_for '"ev":"history","ok":true' "$pid"
  fi
  echo $(($(now_us) - start))
  wait "$pid" 2>/dev/null
}

# How long a whole Done takes here: the median of five undisturbed rounds.
samples=()
for _ in 1 2 3 4 5; do samples+=("$(round "")"); done
done_us=$(printf '%s\n' "${samples[@]}" | sort -n | sed -n 3p)
# The trace is watched by polling, so the save is seen late: half the measured time still
# reaches past it.
window=$((done_us / 2))
echo "a whole Done takes about ${done_us} us here; kills fall in 0..${window} us after it starts"

failures=0 cut_short=0 between=0 rows_before=$(sqlite3 "$db" 'SELECT count(*) FROM runs')
# Targets the settings file counts beyond the history's: grows when a kill fell after the
# lifetime totals were written and before the history was.
ahead() {
  local thrown kept
  thrown=$(sed -n 's/^Thrown=//p' "$ini")
  kept=$(sqlite3 "$db" 'SELECT coalesce(sum(thrown), 0) FROM runs')
  echo $((thrown - 10 - kept))
}
ahead_before=$(ahead)
started=$(date +%s)
for ((k = 1; k <= kills; k++)); do
  delay=$(((RANDOM * 32768 + RANDOM) % (window + 1)))
  took=$(round "$delay")
  [[ -n "${VERBOSE:-}" ]] && echo "kill $k: asked ${delay} us, came at ${took} us; saved: $(grep -c "\"ev\":\"history\",\"ok\":true" "$work/trace.jsonl")"
  if ! grep -q '"ev":"history","ok":true' "$work/trace.jsonl"; then cut_short=$((cut_short + 1)); fi
  check=$(sqlite3 "$db" 'PRAGMA integrity_check' 2>&1)
  rows=$(sqlite3 "$db" 'SELECT count(*) FROM runs WHERE thrown > 0 AND hit <= thrown AND length(played_at) = 19 AND shooter = '\''Annie'\''' 2>&1)
  all=$(sqlite3 "$db" 'SELECT count(*) FROM runs' 2>&1)
  if [[ "$check" != ok || "$rows" != "$all" || "$all" -lt "$rows_before" ]]; then
    echo "kill $k after ${delay} us: history broken: $check / $rows of $all whole rows" >&2
    failures=$((failures + 1))
  fi
  if ! "$game" --history-csv "$work/export.csv" 2>/dev/null ||
    [[ $(($(wc -l <"$work/export.csv") - 1)) -ne "$all" ]]; then
    echo "kill $k after ${delay} us: the game cannot read the history back" >&2
    failures=$((failures + 1))
  fi
  for key in "${keys[@]}"; do
    if ! grep -q "^$key" "$ini"; then
      echo "kill $k after ${delay} us: quillmoor.ini lost '$key'" >&2
      failures=$((failures + 1))
    fi
  done
  rows_before=$all
  now_ahead=$(ahead)
  ((now_ahead > ahead_before)) && between=$((between + 1))
  ahead_before=$now_ahead
done
echo "kills: $kills; $cut_short before the history was saved, $between of them between the" \
  "lifetime totals and the history; rows kept: $rows_before;" \
  "failures: $failures; $(($(date +%s) - started)) s"
[[ $failures -eq 0 ]]
