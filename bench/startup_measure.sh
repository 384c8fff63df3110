#!/usr/bin/env bash
# How long the desktop program takes from its start to a shown main window,
# on a simulated recorder (so that no port error box stands in the way).
#
#   bench/startup_measure.sh BUILD_DIR [RUNS]
#
# For each run it prints the program's own figure (from main() to the first
# pass of the event loop after the window is shown) and the wall time from
# launching the process to its exit, which adds the loading of the libraries
# and the closing; then the medians. Runs on the display of DISPLAY, or on a
# virtual one (Xvfb) when there is none.
set -euo pipefail
if [ -z "${DISPLAY:-}" ] && [ -z "${TESMORA_UNDER_XVFB:-}" ]; then
  TESMORA_UNDER_XVFB=1 exec xvfb-run -a "$0" "$@"
fi
build=$(cd "$1" && pwd)
runs=${2:-7}
work=$(mktemp -d)
trap 'kill "${simulator_pid:-}" 2>/dev/null || true; rm -rf "$work"' EXIT

mkdir -p "$work/tests" "$work/home"
"$build/tools/fixtures/tesmora-make-fixtures" --out "$work/tests" >/dev/null
sleep infinity | "$build/tools/recorder_sim/tesmora-recorder-sim" --folder "$work/tests" \
  --link "$work/recorder.pty" >/dev/null &
simulator_pid=$!
for _ in $(seq 50); do [ -e "$work/recorder.pty" ] && break; sleep 0.1; done
printf '[LIAISON]\nPort=COM1\n[PORTS]\nCOM1=%s\n' "$work/recorder.pty" >"$work/home/tesmora.ini"

cd "$work/home"
shown=()
total=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  line=$(TESMORA_HOME="$work/home" "$build/src/app/tesmora" --measure-startup 2>/dev/null)
  end=$(date +%s%N)
  ms=$(echo "$line" | grep -o '[0-9]\+ ms' | grep -o '[0-9]\+')
  wall=$(((end - start) / 1000000))
  echo "shown after $ms ms in the program; launch to exit $wall ms"
  shown+=("$ms")
  total+=("$wall")
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "median: shown after $(median "${shown[@]}") ms; launch to exit $(median "${total[@]}") ms"
