#!/usr/bin/env bash
# Installs what is missing, builds Tesmora and runs every test, headless.
# Then builds it again with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the tests there, so that a memory fault fails the run, and fuzzes the
# export and the sheets for a fixed time each.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# Warnings are errors here, so that none slips in unnoticed.
echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESMORA_WERROR=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTESMORA_SANITIZE=ON -DTESMORA_BUILD_BENCH=OFF -DTESMORA_WERROR=ON >/dev/null
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

echo "== export and sheets fuzzed for a fixed time each (clang, libFuzzer, both sanitizers)"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTESMORA_FUZZ=ON -DTESMORA_SANITIZE=ON -DTESMORA_WITH_UI=OFF \
  -DTESMORA_BUILD_TESTS=OFF -DTESMORA_BUILD_BENCH=OFF -DTESMORA_WERROR=ON >/dev/null
cmake --build build-fuzz -j "$jobs" --target export_fuzz sheet_fuzz tesmora-make-fixtures
./scripts/run-fuzz.sh build-fuzz "${TESMORA_FUZZ_SECONDS:-60}"

echo "== all tests passed"
