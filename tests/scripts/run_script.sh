#!/usr/bin/env bash
# Runs one scenario script on the headless game and checks what it did.
#
#   run_script.sh QUILLMOOR DATA_DIR SCRIPT WORK_DIR
#
# The game runs in WORK_DIR (so snapshots and dumps land there) with a fresh settings
# directory, seed 1 and its trace in WORK_DIR/NAME.trace.jsonl. It passes when the exit code
# is the expected one (0 unless the script says otherwise) and NAME.expect beside the script,
# if there is one, is satisfied by the trace.
#
# Directives, in the comment lines at the top of the script (FILE relative to the script):
#   # args: ARG...            more arguments for the game
#   # config: FILE            a settings fixture as quillmoor.ini
#   # exit: N                 the expected exit code
#   # check-config: FILE      lines the final quillmoor.ini must contain, in order
#   # stderr: TEXT            text the game's error output must contain
#   # home-file: FILE         a fixture copied into the home folder
#   # user-field: FILE        a fixture copied into the player's fields folder first
#   # fields-folder-is-a-file the player's fields folder cannot be made (saving must fail)
#   # dump-has: NAME TEXT     the file NAME (relative to WORK_DIR) must contain TEXT
#   # data-file: NAME FILE    the data directory with NAME replaced by FILE
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

if [[ $# -ne 4 ]]; then
  echo "usage: run_script.sh QUILLMOOR DATA_DIR SCRIPT WORK_DIR" >&2
  exit 2
fi
game=$(realpath "$1")
data=$(realpath "$2")
script=$(realpath "$3")
mkdir -p "$4" && work=$(realpath "$4")
scripts_dir=$(dirname "$script")
name=$(basename "$script" .script)
[[ -x "$game" && -f "$script" ]] || { echo "FAIL: no game at $game or no script at $script" >&2; exit 1; }

extra_args=()
expected_exit=0
stderr_wanted=()
home_files=()
user_fields=()
dump_checks=()
declare -A flag=()
data_changes=()
declare -A fixture=([config]="" [check-config]="" [history]="" [check-history]="")

# The directives: comment lines of the form "# key" or "# key: value", up to the first command.
while IFS= read -r line || [[ -n "$line" ]]; do
  line=${line%$'\r'}
  [[ $line =~ ^[[:space:]]*$ ]] && continue
  [[ $line == \#* ]] || break
  [[ $line =~ ^#[[:space:]]*([a-z-]+)(:[[:space:]]*(.*[^[:space:]]))?[[:space:]]*$ ]] || continue
  key=${BASH_REMATCH[1]}
  value=${BASH_REMATCH[3]}
  case "$key" in
    args) read -r -a words <<<"$value" && extra_args+=("${words[@]}") ;;
    exit) expected_exit=$value ;;
    stderr) stderr_wanted+=("$value") ;;
    home-file) home_files+=("$scripts_dir/$value") ;;
    user-field) user_fields+=("$scripts_dir/$value") ;;
    dump-has) dump_checks+=("$value") ;;
    fields-folder-is-a-file | history-unchanged) flag[$key]=1 ;;
    data-file | data-missing) data_changes+=("$key $value") ;;
    config | check-config | history | check-history) fixture[$key]=$scripts_dir/$value ;;
  esac
done <"$script"
[[ "$expected_exit" =~ ^[0-9]+$ ]] || { echo "FAIL: '# exit:' needs a number, not '$expected_exit'" >&2; exit 1; }
for file in "${fixture[@]}" "${home_files[@]}" "${user_fields[@]}"; do
  [[ -z "$file" || -f "$file" ]] || { echo "FAIL: $script names a missing file: $file" >&2; exit 1; }
done

# Lines of EXPECT must appear in TARGET as substrings of successive lines, in order; a line
# starting with ! must appear nowhere, one starting with = in exactly one line. Blank lines
# and # comments in EXPECT are skipped.
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

# Runs the game once in directory RUN; prints what went wrong and returns 1 on failure.
run_once() {
  local run=$1 status=0 file change words
  local user_data=${SCRIPT_USER_DATA:-$run/userdata}
  local history="$user_data/quillmoor/history.sqlite3" run_data=$data
  failed() {
    echo "FAIL: $*" >&2
    status=1
  }
  rm -rf "$run"
  mkdir -p "$run/config" "$run/home" "$user_data/quillmoor"
  [[ -n "${fixture[config]}" ]] && cp "${fixture[config]}" "$run/config/quillmoor.ini"
  for file in "${home_files[@]}"; do cp "$file" "$run/home/"; done
  if [[ ${#user_fields[@]} -gt 0 ]]; then
    mkdir -p "$user_data/quillmoor/fields"
    cp "${user_fields[@]}" "$user_data/quillmoor/fields/"
  fi
  [[ -n "${flag[fields-folder-is-a-file]:-}" ]] && : >"$user_data/quillmoor/fields"
  if [[ "${fixture[history]}" == *.sql ]]; then
    sqlite3 "$history" <"${fixture[history]}" || { echo "FAIL: cannot load ${fixture[history]}" >&2; return 1; }
  elif [[ -n "${fixture[history]}" ]]; then
    cp "${fixture[history]}" "$history"
  fi
  if [[ ${#data_changes[@]} -gt 0 ]]; then
    # A copy of the data directory made of links, with the script's changes.
    run_data=$run/data
    mkdir -p "$run_data" && ln -s "$data"/* "$run_data"/
    for change in "${data_changes[@]}"; do
      read -r -a words <<<"$change"
      rm -f "$run_data/${words[1]}"
      [[ ${words[0]} == data-file ]] && cp "$scripts_dir/${words[2]}" "$run_data/${words[1]}"
    done
  fi
  (cd "$run" && HOME="$run/home" XDG_DATA_HOME="$user_data" exec timeout 240 "$game" --headless \
    --data "$run_data" --config "$run/config" --seed 1 --script "$script" \
    --trace "$run/$name.trace.jsonl" "${extra_args[@]}") >"$run/$name.stdout" 2>"$run/$name.stderr"
  local code=$?
  if [[ $code -eq 124 ]]; then
    failed "$name did not end within 240 seconds"
  elif [[ $code -ne $expected_exit ]]; then
    failed "$name exited with $code, expected $expected_exit"
  fi
  if [[ -f "$scripts_dir/$name.expect" ]]; then
    check_in_order "$scripts_dir/$name.expect" "$run/$name.trace.jsonl" >&2 ||
      failed "the trace does not meet $scripts_dir/$name.expect"
  fi
  if [[ -n "${fixture[check-config]}" ]]; then
    check_in_order "${fixture[check-config]}" "$run/config/quillmoor.ini" >&2 ||
      failed "quillmoor.ini does not meet ${fixture[check-config]}"
  fi
  if [[ -n "${fixture[check-history]}" ]]; then
    XDG_DATA_HOME="$user_data" "$game" --history-csv "$run/history.csv" 2>>"$run/$name.stderr" &&
      check_in_order "${fixture[check-history]}" "$run/history.csv" >&2 ||
      failed "the exported history does not meet ${fixture[check-history]}"
  fi
  if [[ -n "${flag[history-unchanged]:-}" ]] && ! cmp -s "${fixture[history]}" "$history"; then
    failed "the history file was changed"
  fi
  for file in "${stderr_wanted[@]}"; do
    grep -qF -- "$file" "$run/$name.stderr" || failed "the error output does not contain: $file"
  done
  for change in "${dump_checks[@]}"; do
    file=${change%% *}
    grep -qF -- "${change#* }" "$run/$file" 2>/dev/null || failed "$file does not contain: ${change#* }"
  done
  if [[ $status -ne 0 ]]; then
    echo "---- last lines of the trace $run/$name.trace.jsonl" >&2
    tail -n 30 "$run/$name.trace.jsonl" >&2
    echo "---- error output" >&2
    tail -n 40 "$run/$name.stderr" >&2
  fi
  return $status
}

run_once "$work" || exit 1
echo "ok: $name"
