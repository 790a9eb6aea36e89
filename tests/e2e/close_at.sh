#!/usr/bin/env bash
# Closing the window at an awkward moment ends the game promptly and leaves the settings
# file as it was.
#
#   close_at.sh MOMENT GAME DATA_DIR TOOLS_DIR WORK_DIR
#
# MOMENT: intro         while the start-up logos show
#         message_box   while the first-run advice box waits for OK
#         name_entry    in the name entry, a name typed but not confirmed
#         presentation  in practice, a clay in the air
# The first three start from a settings file with no gun setting for the first position, so
# the game takes it for a first run; the last from one with a named shooter.
set -u
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=e2e_lib.sh
source "$here/e2e_lib.sh"

case "${1:-}/$#" in
  intro/5 | message_box/5 | name_entry/5) fixture=$here/fixture_first_run.ini ;;
  presentation/5) fixture=$here/fixture_named.ini ;;
  *)
    echo "usage: close_at.sh intro|message_box|name_entry|presentation GAME DATA_DIR TOOLS_DIR WORK_DIR" >&2
    exit 2
    ;;
esac
moment=$1
e2e_init "close_at_$moment" "$2" "$3" "$4" "$5"
ini="$RUN/config/quillmoor.ini"
cp "$fixture" "$ini"
cp "$fixture" "$RUN/before_close.ini"

[[ $moment == presentation ]] && e2e_ready_reference
e2e_start_x 1024x768
e2e_start_game --scale 1

case "$moment" in
  intro) e2e_wait_for intro 8000 is_intro ;;
  message_box) e2e_wait_for advice_box 20000 is_advice_box ;;
  name_entry)
    e2e_wait_for advice_box 20000 is_advice_box
    e2e_move "${Park[@]}"
    e2e_key Return
    e2e_wait_for name_request 5000 is_name_request
    e2e_key Return
    e2e_wait_for name_entry 5000 is_name_entry
    e2e_type Zed
    ;;
  presentation)
    e2e_wait_for menu 20000 is_menu_only
    e2e_click_rect "${OptName0[@]}"
    sleep 0.3
    e2e_click_rect "${Field1[@]}"
    e2e_wait_for ready 40000 is_ready
    # Starting practice measures the frame rate and saves it; from here on the file must
    # stay as it is.
    cp "$ini" "$RUN/before_close.ini"
    xdotool click 3
    e2e_wait_changed clay_in_flight 10000 "$SHOTS/ready.png" 3 "${ThrownCount[@]}"
    ;;
esac

# Before practice the file is the fixture, untouched; in practice, as it was once saved.
e2e_close_window
cmp -s "$RUN/before_close.ini" "$ini" ||
  e2e_fail "the settings file changed when the window was closed: $(diff "$RUN/before_close.ini" "$ini" | head -n 5)"
# Nothing half written beside it either.
leftovers=$(find "$RUN/config" -mindepth 1 ! -name quillmoor.ini)
[[ -z "$leftovers" ]] || e2e_fail "files left in the settings directory: $leftovers"
e2e_check_stderr
e2e_log "ok: settings file intact (screenshots in $SHOTS)"
