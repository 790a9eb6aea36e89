#!/usr/bin/env bash
# Soak: a headless practice on field 1 for two virtual hours, the shooter calling for a clay
# every few seconds. Prints the game's resident memory at the start and at every ten virtual
# minutes, read from /proc while the game runs; it should stay flat.
#
#   bench/soak.sh [BUILD_DIR] [MINUTES]   (default build and 120; run `make build` first)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
end_ms=$((${2:-120} * 60 * 1000))
step_ms=$((10 * 60 * 1000))

work=$(mktemp -d "${TMPDIR:-/tmp}/quillmoor-soak-XXXXXX")
trap 'kill "$game" 2>/dev/null || true; rm -rf "$work"' EXIT
cp "$root/tests/scripts/fixtures/practice_all_kinds.ini" "$work/quillmoor.ini"
{
  echo "until show control=picSelect within 20000"
  echo "press optName(0)"
  echo "press lblMain(0)"
  # Far more calls than two hours take: the run is stopped once the clock passes its end.
  for _ in $(seq 3000); do
    echo "until caption control=lblStatus text=\"Gun Low...\" within 30000"
    echo "wait 50"
    echo "click right 300 170"
    echo "wait 3000"
  done
} > "$work/soak.script"

"$build/quillmoor" --headless --script "$work/soak.script" --trace "$work/trace.jsonl" \
  --data "$build/data" --config "$work" > "$work/out.txt" 2>&1 &
game=$!

rss() { awk '/^VmRSS/ { print $2 }' "/proc/$game/status" 2>/dev/null || echo "?"; }
clock() { tail -n 1 "$work/trace.jsonl" 2>/dev/null | sed -n 's/^{"t":\([0-9]*\).*/\1/p' || true; }

next=0 calls=0 start=$(date +%s)
while kill -0 "$game" 2>/dev/null; do
  now=$(clock)
  if [[ -n "$now" && "$now" -ge "$next" ]]; then
    calls=$(grep -c '"control":"lblClaysThrown(0)"' "$work/trace.jsonl" || true)
    printf 'virtual %3d min: resident %s kB (%s throws so far)\n' $((now / 60000)) "$(rss)" "$calls"
    if [[ "$next" -ge "$end_ms" ]]; then break; fi
    next=$((next + step_ms))
  fi
  sleep 0.05
done
if ! kill -0 "$game" 2>/dev/null; then
  echo "soak: the game ended before the end of the run:" >&2
  tail -n 5 "$work/out.txt" "$work/trace.jsonl" >&2
  exit 1
fi
echo "$((end_ms / 60000)) virtual minutes in $(($(date +%s) - start)) s of real time"
