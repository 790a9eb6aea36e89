#!/usr/bin/env bash
# The editor moves trap 2 of field 1 and saves; the game, reading the same fields folder,
# then throws trap 2's clays from the new point.
#   editor_then_game.sh RUNNER MARLSMITH QUILLMOOR DATA_DIR SCRIPTS_DIR WORK_DIR
set -u
runner=$1 editor=$2 game=$3 data=$4 scripts=$5 work=$6
rm -rf "$work"
mkdir -p "$work/userdata"
export SCRIPT_USER_DATA="$work/userdata"
bash "$runner" "$editor" "$data" "$scripts/marlsmith_move_trap_2.script" "$work/editor" || exit 1
bash "$runner" "$game" "$data" "$scripts/game_plays_moved_trap_2.script" "$work/game" || exit 1
rm -rf "$work/userdata"
