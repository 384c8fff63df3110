#!/usr/bin/env bash
# Installs what is missing, builds Tesmora and runs every test, headless.
# Then builds the core again with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs its tests, so that a memory fault fails the run.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== core under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTESMORA_SANITIZE=ON -DTESMORA_WITH_UI=OFF >/dev/null
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=abort_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

echo "== all tests passed"
