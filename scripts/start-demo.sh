#!/usr/bin/env bash
# Starts the desktop program against a simulated recorder, for a laboratory
# that has no recorder attached yet (or a developer without one).
#
#   scripts/start-demo.sh BUILD_DIR [program arguments]
#
# The demo lives in BUILD_DIR/demo: a program directory (TESMORA_HOME) whose
# settings map COM1 to the simulated recorder's stable name (a link in
# BUILD_DIR/demo/serial/by-id to its pseudo-terminal, as udev makes one for a
# USB adapter), the
# recorder's memory (a dozen generated tests of every kind, its customer and
# protocol lists), and the folder where pushed tests are stored. The recorder
# keeps the pace of a real line, so transfers take the time they would take. While the
# program runs, the recorder takes control lines, for example:
#
#   echo "push 03021001.126" > BUILD_DIR/demo/control    (a test ends on the recorder)
#   echo unplug > BUILD_DIR/demo/control    (the adapter pulled out: the line hangs up)
#   echo plug > BUILD_DIR/demo/control      (plugged back: the list comes back)
#
# The recorder stops when the program ends.
set -euo pipefail
build=$(cd "$1" && pwd)
shift
demo=$build/demo
program=$build/src/app/tesmora
simulator=$build/tools/recorder_sim/tesmora-recorder-sim
fixtures=$build/tools/fixtures/tesmora-make-fixtures

stable=$demo/serial/by-id/usb-Tesmora_Simulated_KALDIRONE_DEMO0001-if00-port0
rm -rf "$demo/recorder" "$demo/control" "$demo/recorder.pty" "$demo/serial"
mkdir -p "$demo/recorder/tests" "$demo/recorder/disk-c" "$demo/recorder/flash" \
  "$demo/home" "$demo/received" "$(dirname "$stable")"

"$fixtures" --out "$demo/recorder/tests" >/dev/null
mv "$demo/recorder/tests/cliente.txt" "$demo/recorder/tests/protocol.txt" "$demo/recorder/flash/"
printf 'E' >"$demo/recorder/disk-c/flash.cnf"
# What the recorder's list shows beside each test: the sample typed on the
# recorder and whether it was a degradation test.
cat >"$demo/recorder/tests/samples.txt" <<'SAMPLES'
03021001.126	BLE TENDRE 12	0
11190007.198	RECOLTE 98	0
04140212.226	AMELIORANT A	1
05060214.226	AMELIORANT B	1
06110305.326	FARINE T55	0
06120306.326	FARINE T65	1
07010411.626	SEIGLE 3	0
07020412.626	EPEAUTRE	0
02080031.499	BLE DUR 99	0
09151103.526	MOULIN NORD	0
10021104.526	MOULIN SUD	0
10221107.526	LOT 4471	0
11030041.426	LOT 4480	0
12011112.526	CONTROLE	0
12041113.426	ESSAI FOUR	0
SAMPLES

# The settings are written afresh each time, so that the demo always starts
# on the recorder (the program keeps what is changed during the run).
cat >"$demo/home/tesmora.ini" <<INI
[LIAISON]
Port=COM1
[EXPORT]
Mode=1
[REPERTOIRE]
Sauvegarde Auto=$demo/received/
[PORTS]
COM1=$stable
INI

# The recorder reads its control lines from a pipe that this script holds
# open and hands on to the program: when the program ends, the pipe closes
# and the recorder stops.
mkfifo "$demo/control"
"$simulator" --folder "$demo/recorder/tests" --disk-c "$demo/recorder/disk-c" \
  --flash "$demo/recorder/flash" --flash-letter E --emulate-line --link "$stable" \
  <"$demo/control" >"$demo/recorder.log" 2>&1 &
exec 3>"$demo/control"
for _ in $(seq 50); do
  [ -e "$stable" ] && break
  sleep 0.1
done
if [ ! -e "$stable" ]; then
  echo "The simulated recorder did not start; see $demo/recorder.log" >&2
  exit 1
fi
echo "Simulated recorder on $(readlink "$stable") as $stable; push a test, unplug"
echo "the recorder and plug it back with:"
echo "  echo 'push 03021001.126' > $demo/control"
echo "  echo unplug > $demo/control"
echo "  echo plug > $demo/control"
# The working folder holds the program files the recorder may ask for and
# the scratch files of the exports.
cd "$demo/home"
TESMORA_HOME=$demo/home exec "$program" "$@"
