#!/usr/bin/env bash
# Installs what is missing, builds Tesmora and starts the desktop program.
#
# Without a program directory of your own, it starts the demo: the program on
# a simulated recorder that holds a dozen tests. To run it on a real recorder,
# set TESMORA_HOME to the directory that holds your tesmora.ini (its [PORTS]
# section can map COM1 to /dev/ttyUSB0, say), or pass --no-demo to use the
# directory of the program.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target tesmora tesmora-recorder-sim tesmora-make-fixtures

demo=1
if [ "${1:-}" = "--no-demo" ]; then
  demo=0
  shift
fi
[ -n "${TESMORA_HOME:-}" ] && demo=0

if [ $demo = 1 ]; then
  command=(./scripts/start-demo.sh build "$@")
else
  command=(build/src/app/tesmora "$@")
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Tesmora on a virtual display (Xvfb)."
  echo "Set DISPLAY to see its window. Stop it with Ctrl+C."
  exec xvfb-run -a "${command[@]}"
fi
exec "${command[@]}"
