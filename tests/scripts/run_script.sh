#!/usr/bin/env bash
# Runs one scenario script on the headless game and checks what it did.
#
#   run_script.sh [--twice] QUILLMOOR DATA_DIR SCRIPT WORK_DIR
#
# The game runs in WORK_DIR (so snapshots and dumps land there) with a fresh settings
# directory, seed 1 and its trace in WORK_DIR/NAME.trace.jsonl. It passes when the exit code
# is the expected one (0 unless the script says otherwise) and NAME.expect beside the script,
# if there is one, is satisfied by the trace. With --twice the script runs a second time and
# the two traces must be identical.
#
# Directives, in the comment lines at the top of the script:
#   # args: ARG...            more arguments for the game
#   # config: FILE            a settings fixture (relative to the script) as quillmoor.ini
#   # exit: N                 the expected exit code
#   # check-config: FILE      lines the final quillmoor.ini must contain, in order
#   # stderr: TEXT            text the game's error output must contain
#   # file: NAME              a file the run must leave in WORK_DIR (a snapshot, a dump)
#   # home-file: FILE         a fixture (relative to the script) copied into the home folder
#   # user-field: FILE        a fixture copied into the player's fields folder first
#   # fields-folder-is-a-file the player's fields folder cannot be made (saving must fail)
#   # dump-has: NAME TEXT     the file NAME (a dump, relative to WORK_DIR) must contain TEXT
#   # data-file: NAME FILE    the data directory with NAME replaced by FILE (relative to the script)
#   # data-missing: NAME      the data directory without NAME
#   # history: FILE           the score history to start from: SQL run by sqlite3 (.sql), or
#                             a file copied as it is (a damaged one, say)
#   # check-history: FILE     lines the history, exported by --history-csv, must contain
#   # history-unchanged       the history file must end exactly as the fixture began
#
# The player's own data ($XDG_DATA_HOME) and $HOME lie in WORK_DIR/userdata and WORK_DIR/home,
# so no run sees the real ones; SCRIPT_USER_DATA names another $XDG_DATA_HOME to share one
# between runs (a field saved by the editor, then played by the game).
# The score history lives in the run's $XDG_DATA_HOME, in quillmoor/history.sqlite3.
set -u

twice=0
if [[ "${1:-}" == --twice ]]; then
  twice=1
  shift
fi
if [[ $# -ne 4 ]]; then
  echo "usage: run_script.sh [--twice] QUILLMOOR DATA_DIR SCRIPT WORK_DIR" >&2
  exit 2
fi

absolute() { (cd "$(dirname "$1")" && printf '%s/%s\n' "$(pwd)" "$(basename "$1")"); }
trim() {
  local text=$1
  text=${text#"${text%%[![:space:]]*}"}
  printf '%s' "${text%"${text##*[![:space:]]}"}"
}

game=$(absolute "$1")
data=$2
script=$(absolute "$3")
mkdir -p "$4" && work=$(cd "$4" && pwd)
scripts_dir=$(dirname "$script")
name=$(basename "$script" .script)
expect_file="$scripts_dir/$name.expect"

[[ -x "$game" ]] || { echo "FAIL: no game at $game" >&2; exit 1; }
[[ -f "$script" ]] || { echo "FAIL: no script at $script" >&2; exit 1; }

extra_args=()
config_fixture=""
expected_exit=0
check_config=""
stderr_wanted=()
files_wanted=()
home_files=()
user_fields=()
fields_blocked=0
dump_checks=()
history_fixture=""
check_history=""
history_unchanged=0
data_changes=()

read_directives() {
  local line body words
  while IFS= read -r line || [[ -n "$line" ]]; do
    line=${line%$'\r'}
    [[ -z "$(trim "$line")" ]] && continue
    [[ "$line" == \#* ]] || break
    body=$(trim "${line#\#}")
    case "$body" in
      args:*)
        read -r -a words <<<"${body#args:}"
        extra_args+=("${words[@]}")
        ;;
      config:*) config_fixture="$scripts_dir/$(trim "${body#config:}")" ;;
      exit:*) expected_exit=$(trim "${body#exit:}") ;;
      check-config:*) check_config="$scripts_dir/$(trim "${body#check-config:}")" ;;
      stderr:*) stderr_wanted+=("$(trim "${body#stderr:}")") ;;
      file:*) files_wanted+=("$(trim "${body#file:}")") ;;
      home-file:*) home_files+=("$scripts_dir/$(trim "${body#home-file:}")") ;;
      user-field:*) user_fields+=("$scripts_dir/$(trim "${body#user-field:}")") ;;
      fields-folder-is-a-file) fields_blocked=1 ;;
      dump-has:*) dump_checks+=("$(trim "${body#dump-has:}")") ;;
      history:*) history_fixture="$scripts_dir/$(trim "${body#history:}")" ;;
      check-history:*) check_history="$scripts_dir/$(trim "${body#check-history:}")" ;;
      history-unchanged) history_unchanged=1 ;;
      data-file:* | data-missing:*) data_changes+=("$body") ;;
    esac
  done <"$script"
  if ! [[ "$expected_exit" =~ ^[0-9]+$ ]]; then
    echo "FAIL: $script: '# exit:' needs a number, not '$expected_exit'" >&2
    exit 1
  fi
  for file in "$config_fixture" "$check_config" "$history_fixture" "$check_history"; do
    if [[ -n "$file" && ! -f "$file" ]]; then
      echo "FAIL: $script names a missing file: $file" >&2
      exit 1
    fi
  done
}

# Lines of EXPECT must appear in TARGET as substrings of successive lines, in order; a line
# starting with ! must appear nowhere, one starting with = in exactly one line. Blank lines and # comments in EXPECT are skipped.
check_in_order() {
  local expect=$1 target=$2
  awk -v expect="$expect" '
    FILENAME == expect {
      sub(/\r$/, "")
      if ($0 ~ /^[ \t]*$/ || substr($0, 1, 1) == "#") next
      if (substr($0, 1, 1) == "!") { banned[++nb] = substr($0, 2); bannedAt[nb] = FNR }
      else if (substr($0, 1, 1) == "=") { once[++no] = substr($0, 2); onceAt[no] = FNR }
      else { wanted[++nw] = $0; wantedAt[nw] = FNR }
      next
    }
    {
      for (i = 1; i <= nb; i++)
        if (index($0, banned[i])) {
          printf "  %s:%d must not appear, but line %d has it:\n    %s\n", expect, bannedAt[i], FNR, $0
          failed = 1
        }
      for (i = 1; i <= no; i++) if (index($0, once[i])) seen[i]++
      if (found < nw && index($0, wanted[found + 1])) { found++; lastAt = FNR }
    }
    END {
      for (i = 1; i <= no; i++)
        if (seen[i] != 1) {
          printf "  %s:%d must appear exactly once, but is in %d lines\n", expect, onceAt[i], seen[i]
          failed = 1
        }
      if (found < nw) {
        printf "  %s:%d not found", expect, wantedAt[found + 1]
        if (found > 0) printf " after line %d (which matched %s:%d)", lastAt, expect, wantedAt[found]
        printf ":\n    %s\n", wanted[found + 1]
        failed = 1
      }
      exit failed
    }' "$expect" "$target"
}

show_failure() {
  local run=$1
  echo "---- last lines of the trace $run/$name.trace.jsonl" >&2
  if [[ -f "$run/$name.trace.jsonl" ]]; then
    tail -n 30 "$run/$name.trace.jsonl" >&2
  else
    echo "(no trace)" >&2
  fi
  echo "---- error output" >&2
  tail -n 40 "$run/$name.stderr" >&2
}

# Runs the game once in directory RUN; prints what went wrong and returns 1 on failure.
run_once() {
  local run=$1 status=0 wanted
  rm -rf "$run"
  mkdir -p "$run/config" "$run/home"
  [[ -n "$config_fixture" ]] && cp "$config_fixture" "$run/config/quillmoor.ini"
  local user_data=${SCRIPT_USER_DATA:-$run/userdata}
  mkdir -p "$user_data/quillmoor"
  for wanted in "${home_files[@]}"; do cp "$wanted" "$run/home/"; done
  if [[ ${#user_fields[@]} -gt 0 ]]; then
    mkdir -p "$user_data/quillmoor/fields"
    cp "${user_fields[@]}" "$user_data/quillmoor/fields/"
  fi
  [[ $fields_blocked -eq 1 ]] && : >"$user_data/quillmoor/fields"
  local history="$user_data/quillmoor/history.sqlite3"
  if [[ -n "$history_fixture" ]]; then
    mkdir -p "$(dirname "$history")"
    if [[ "$history_fixture" == *.sql ]]; then
      sqlite3 "$history" <"$history_fixture" || { echo "FAIL: cannot load $history_fixture" >&2; return 1; }
    else
      cp "$history_fixture" "$history"
    fi
  fi
  local run_data=$data change words
  if [[ ${#data_changes[@]} -gt 0 ]]; then
    # A copy of the data directory made of links, with the script's changes.
    run_data=$run/data
    mkdir -p "$run_data" && ln -s "$data"/* "$run_data"/
    for change in "${data_changes[@]}"; do
      read -r -a words <<<"${change#*:}"
      rm -f "$run_data/${words[0]}"
      [[ "$change" == data-file:* ]] && cp "$scripts_dir/${words[1]}" "$run_data/${words[0]}"
    done
  fi
  (cd "$run" && HOME="$run/home" XDG_DATA_HOME="$user_data" exec timeout 240 "$game" --headless --data "$run_data" --config "$run/config" \
    --seed 1 --script "$script" --trace "$run/$name.trace.jsonl" "${extra_args[@]}") \
    >"$run/$name.stdout" 2>"$run/$name.stderr"
  local code=$?
  if [[ $code -eq 124 ]]; then
    echo "FAIL: $name did not end within 240 seconds" >&2
    status=1
  elif [[ $code -ne $expected_exit ]]; then
    echo "FAIL: $name exited with $code, expected $expected_exit" >&2
    status=1
  fi
  if [[ -f "$expect_file" ]] && ! check_in_order "$expect_file" "$run/$name.trace.jsonl" >&2; then
    echo "FAIL: the trace does not meet $expect_file" >&2
    status=1
  fi
  if [[ -n "$check_config" ]]; then
    if [[ ! -f "$run/config/quillmoor.ini" ]]; then
      echo "FAIL: no quillmoor.ini was written" >&2
      status=1
    elif ! check_in_order "$check_config" "$run/config/quillmoor.ini" >&2; then
      echo "FAIL: quillmoor.ini does not meet $check_config" >&2
      status=1
    fi
  fi
  if [[ -n "$check_history" ]]; then
    if ! XDG_DATA_HOME="$user_data" "$game" --history-csv "$run/history.csv" 2>>"$run/$name.stderr"; then
      echo "FAIL: the history could not be exported" >&2
      status=1
    elif ! check_in_order "$check_history" "$run/history.csv" >&2; then
      echo "FAIL: the history does not meet $check_history" >&2
      status=1
    fi
  fi
  if [[ $history_unchanged -eq 1 ]] && ! cmp -s "$history_fixture" "$history"; then
    echo "FAIL: the history file was changed" >&2
    status=1
  fi
  for wanted in "${stderr_wanted[@]}"; do
    if ! grep -qF -- "$wanted" "$run/$name.stderr"; then
      echo "FAIL: the error output does not contain: $wanted" >&2
      status=1
    fi
  done
  local check dump text
  for check in "${dump_checks[@]}"; do
    dump=${check%% *}
    text=${check#* }
    if ! grep -qF -- "$text" "$run/$dump" 2>/dev/null; then
      echo "FAIL: the dump $dump does not contain: $text" >&2
      status=1
    fi
  done
  for wanted in "${files_wanted[@]}"; do
    if [[ ! -s "$run/$wanted" ]]; then
      echo "FAIL: the run did not leave $wanted" >&2
      status=1
    fi
  done
  [[ $status -eq 0 ]] || show_failure "$run"
  return $status
}

read_directives
if [[ $twice -eq 0 ]]; then
  run_once "$work" || exit 1
  echo "ok: $name"
  exit 0
fi

run_once "$work/first" || exit 1
run_once "$work/second" || exit 1
if ! cmp "$work/first/$name.trace.jsonl" "$work/second/$name.trace.jsonl" >&2; then
  echo "FAIL: two runs of $name with the same seed gave different traces:" >&2
  diff "$work/first/$name.trace.jsonl" "$work/second/$name.trace.jsonl" | head -n 20 >&2
  exit 1
fi
echo "ok: $name ran twice with identical traces"
