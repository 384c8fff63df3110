#!/usr/bin/env bash
# Installs what is missing, builds Tesmora and starts the desktop program.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tesmora

program=build/src/app/tesmora
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Tesmora on a virtual display (Xvfb)."
  echo "Set DISPLAY to see its window. Stop it with Ctrl+C."
  exec xvfb-run -a "$program" "$@"
fi
exec "$program" "$@"
