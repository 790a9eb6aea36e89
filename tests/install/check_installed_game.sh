#!/usr/bin/env bash
# Installs the build into a staging folder, plays the installed game headless without
# --data, and runs the desktop's own validators on what was installed.
# usage: check_installed_game.sh BUILD_DIR SCRIPT
set -euo pipefail
build=$1
script=$2
fixtures=$(cd "$(dirname "$0")/../scripts/fixtures" && pwd)

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
# A prefix nothing else uses, so the game can only find its data relative to itself.
prefix=/opt/quillmoor-staged
root=$stage$prefix
DESTDIR=$stage cmake --install "$build" --prefix "$prefix" > /dev/null

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# The installed game runs from its own folder with no help to find its data.
mkdir -p "$stage/config" "$stage/cwd"
cp "$fixtures/one_shooter.ini" "$stage/config/quillmoor.ini"
(cd "$stage/cwd" && env -u QUILLMOOR_DATA "$root/bin/quillmoor" --headless --script "$script" \
  --trace "$stage/trace.jsonl" --config "$stage/config" --seed 1) ||
  fail "the installed game exited with $?"
grep -q "\"help\",\"file\":\"$root/share/quillmoor/quillmoor.html\"" "$stage/trace.jsonl" ||
  fail "the guide was not opened from the installed data: $(grep '"help"' "$stage/trace.jsonl")"
# Launcher entries, their icons at every size, the metainfo and the manual pages.
programs=(quillmoor)
if [ -e "$root/bin/marlsmith" ]; then
  programs+=(marlsmith)
  grep -q "\"launch\",\"program\":\"$root/bin/marlsmith\",\"ok\":true" "$stage/trace.jsonl" ||
    fail "the installed editor was not found beside the game: $(grep '"launch"' "$stage/trace.jsonl")"
fi
desktops=("$root"/share/applications/*.desktop)
[ ${#desktops[@]} -eq ${#programs[@]} ] || fail "expected ${#programs[@]} desktop entries"
desktop-file-validate "${desktops[@]}" || fail "desktop-file-validate"
for program in "${programs[@]}"; do
  grep -qx "Exec=$program" "$root"/share/applications/*.desktop || fail "no entry runs $program"
  for size in 16 32 48 64 128 256; do
    icon=$root/share/icons/hicolor/${size}x${size}/apps/$program.png
    [ "$(identify -format '%wx%h %m' "$icon")" = "${size}x${size} PNG" ] || fail "icon $icon"
  done
  [ -e "$root/share/quillmoor/$program-icon.bmp" ] || fail "no window icon for $program"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/share/man/man6/$program.6.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man --warnings $program.6: $warnings"
done
appstreamcli validate --no-net "$root"/share/metainfo/*.metainfo.xml || fail "appstreamcli"
echo "installed game checked in $prefix"
