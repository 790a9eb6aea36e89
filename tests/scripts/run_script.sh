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
#   # data-file: NAME FILE    the data directory with NAME replaced by FILE (relative to the script)
#   # data-missing: NAME      the data directory without NAME
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
      data-file:* | data-missing:*) data_changes+=("$body") ;;
    esac
  done <"$script"
  if ! [[ "$expected_exit" =~ ^[0-9]+$ ]]; then
    echo "FAIL: $script: '# exit:' needs a number, not '$expected_exit'" >&2
    exit 1
  fi
  for file in "$config_fixture" "$check_config"; do
    if [[ -n "$file" && ! -f "$file" ]]; then
      echo "FAIL: $script names a missing file: $file" >&2
      exit 1
    fi
  done
}

# Lines of EXPECT must appear in TARGET as substrings of successive lines, in order; a line
# starting with ! must appear nowhere. Blank lines and # comments in EXPECT are skipped.
check_in_order() {
  local expect=$1 target=$2
  awk -v expect="$expect" '
    FILENAME == expect {
      sub(/\r$/, "")
      if ($0 ~ /^[ \t]*$/ || substr($0, 1, 1) == "#") next
      if (substr($0, 1, 1) == "!") { banned[++nb] = substr($0, 2); bannedAt[nb] = FNR }
      else { wanted[++nw] = $0; wantedAt[nw] = FNR }
      next
    }
    {
      for (i = 1; i <= nb; i++)
        if (index($0, banned[i])) {
          printf "  %s:%d must not appear, but line %d has it:\n    %s\n", expect, bannedAt[i], FNR, $0
          failed = 1
        }
      if (found < nw && index($0, wanted[found + 1])) { found++; lastAt = FNR }
    }
    END {
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
  mkdir -p "$run/config"
  [[ -n "$config_fixture" ]] && cp "$config_fixture" "$run/config/quillmoor.ini"
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
  (cd "$run" && exec timeout 240 "$game" --headless --data "$run_data" --config "$run/config" \
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
  for wanted in "${stderr_wanted[@]}"; do
    if ! grep -qF -- "$wanted" "$run/$name.stderr"; then
      echo "FAIL: the error output does not contain: $wanted" >&2
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
