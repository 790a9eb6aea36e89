#!/usr/bin/env bash
# Runs each fuzzing harness for SECONDS: new inputs go to BUILD/corpus/NAME (the committed
# seeds in corpus/NAME are only read; the shipped fields join the field file harness's), a
# crash to BUILD/crashes/. One harness at a time.
#   run.sh BUILD SECONDS [NAME...]      (every harness when no NAME is given)
set -euo pipefail
build=$1 seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
names=("$@")
[[ ${#names[@]} -gt 0 ]] || names=($(cd "$here/corpus" && ls))
status=0
for name in "${names[@]}"; do
  seeds=$here/corpus/$name
  mkdir -p "$build/corpus/$name" "$build/crashes"
  [[ $name != field_file ]] || cp "$build"/data/*.fld "$build/corpus/$name/"
  log="$build/fuzz_$name.log"
  if "$build/tests/fuzz/fuzz_$name" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$build/crashes/$name-" "$build/corpus/$name" "$seeds" > "$log" 2>&1; then
    echo "fuzz $name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" |
      grep -o '[0-9]*$') executions in ${seconds} s, no crash"
  else
    status=1
    echo "fuzz $name: FAILED, see $log; add the input in $build/crashes/ to $seeds"
    tail -n 30 "$log"
  fi
done
exit $status
