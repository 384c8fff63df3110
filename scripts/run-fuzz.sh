#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build, each for a fixed time, on a seed
# corpus of generated test files. Usage: scripts/run-fuzz.sh BUILD_DIR SECONDS
# Exits non-zero on the first finding; the input that caused it is kept.
set -euo pipefail
build=$1
seconds=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/files" "$work/seeds"

"$build/tools/fixtures/tesmora-make-fixtures" --out "$work/files" >/dev/null
# The fuzz input is one byte for the kind digit (its index in "1234567"),
# one byte of basis flags, then the test file.
for file in "$work/files"/*.[0-9][0-9][0-9]; do
  kind=${file: -3:1}
  { printf "\\x$(printf %02x $((kind - 1)))\\x04"; cat "$file"; } >"$work/seeds/$(basename "$file")"
done

# Each target has a corpus of its own; both start from the same seeds, whose
# layout they share (fuzz/fuzz_input.h).
mkdir -p fuzz-findings
for target in export_fuzz sheet_fuzz; do
  echo "-- $target, $seconds s"
  mkdir -p "$work/corpus/$target"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    "$build/fuzz/$target" -max_total_time="$seconds" -max_len=16384 -print_final_stats=1 \
    -artifact_prefix="fuzz-findings/$target-" "$work/corpus/$target" "$work/seeds"
done
rmdir fuzz-findings 2>/dev/null || true
