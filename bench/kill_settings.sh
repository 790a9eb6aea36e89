#!/usr/bin/env bash
# Kills a settings writer with SIGKILL KILLS times (default 200) at random moments, then
# starts the game once on that settings folder. Reports the temporary files the kills left,
# whether every key survived, and the temporary files left after the start (must be none).
#
#   bench/kill_settings.sh [KILLS] [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kills=${1:-200}
build=$(cd "${2:-$root/build}" && pwd)
dir=$(mktemp -d "${TMPDIR:-/tmp}/quillmoor-kill-XXXXXX")
trap 'rm -rf "$dir"' EXIT

# The keys the writer keeps setting, already there: a kill must never lose one.
{
  for ((p = 0; p < 4; p++)); do
    echo "[Player$p]"
    for ((k = p; k < 20; k += 4)); do echo "Key$k=value"; done
  done
  printf '[Settings]\nCount=0\n'
} > "$dir/quillmoor.ini"
broken=0
for ((i = 0; i < kills; i++)); do
  QUILLMOOR_SETTINGS_DIR=$dir "$build/bench/quillmoor_bench" --benchmark_filter=BM_SettingsWrite \
    --benchmark_min_time=600 > /dev/null 2>&1 &
  writer=$!
  sleep "0.$((RANDOM % 250 + 50))"
  kill -KILL "$writer"
  wait "$writer" 2>/dev/null || true
  for key in Key0 Key7 Key19 Count; do
    grep -q "^$key=" "$dir/quillmoor.ini" || broken=$((broken + 1))
  done
done
writes=$(sed -n 's/^Count=//p' "$dir/quillmoor.ini")
left=$(find "$dir" -name 'quillmoor.ini.tmp-*' | wc -l)
echo "$kills kills: $left temporary files left, $broken keys missing after a kill (last run wrote $writes)"

printf 'quit\n' > "$dir/quit.script"
"$build/quillmoor" --headless --script "$dir/quit.script" --data "$build/data" --config "$dir"
after=$(find "$dir" -name 'quillmoor.ini.tmp-*' | wc -l)
echo "after the next start: $after temporary files"
[[ "$after" -eq 0 && "$broken" -eq 0 ]]
