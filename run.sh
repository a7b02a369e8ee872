#!/bin/sh
# Runs the program against the simulated motion board in a fresh sandbox root.
# SANDBOX names the root (default: ../sandbox next to the checkout). With a
# display the program opens a 272x480 window; without one it serves its screen
# over VNC on 127.0.0.1:5900.
set -eu
SRC=$(cd "$(dirname "$0")" && pwd)
"$SRC/scripts/install-deps.sh"
BUILD_DIR=$("$SRC/scripts/build.sh" | tail -n 1)

SANDBOX=${SANDBOX:-$SRC/../sandbox}
if [ -e "$SANDBOX" ]; then
    # Only ever wipe a folder that an earlier run laid out.
    if [ ! -f "$SANDBOX/sbin-standin/standin-lib.sh" ]; then
        echo "run.sh: $SANDBOX exists and is not a sandbox; set SANDBOX to another folder" >&2
        exit 1
    fi
    rm -rf "$SANDBOX"
fi
"$SRC/sim/make-sandbox.sh" "$SANDBOX"
SANDBOX=$(cd "$SANDBOX" && pwd)

"$BUILD_DIR/sim/printer-sim" --root "$SANDBOX" --log &
SIM_PID=$!
PLUG_PID=
trap 'kill "$SIM_PID" $PLUG_PID 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM
tries=0
until [ -L "$SANDBOX/dev/ttyS2" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 50 ] || ! kill -0 "$SIM_PID" 2>/dev/null; then
        echo "run.sh: the board simulator did not start" >&2
        exit 1
    fi
    sleep 0.1
done

export PRINTER_SYSROOT="$SANDBOX"
echo "Sandbox: $SANDBOX (board commands in $SANDBOX/sim-commands.log)"

# A USB stick with the sample prints, plugged in once the program listens
# for hot-plug events, so that printing from USB works out of the box.
STICK="$SANDBOX/stick-content"
mkdir -p "$STICK/models"
cp "$SANDBOX/data/cube.gcode" "$SANDBOX/data/cube.gx" "$STICK/"
cp "$SANDBOX/data/cube.gcode" "$STICK/models/cube-copy.gcode"
(
    tries=0
    until [ -S "$SANDBOX/run/uevent.sock" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 300 ]; then
            echo "run.sh: the program does not listen for USB events; stick not plugged" >&2
            exit 0
        fi
        sleep 0.1
    done
    "$SRC/sim/usb-stick" plug "$STICK"
) &
PLUG_PID=$!
echo "USB stick: $STICK (plugged in once the program is up)"
if [ -n "${DISPLAY:-}" ]; then
    "$BUILD_DIR/src/printer-ui" -1 -D -qwindowgeometry 272x480
else
    echo "Connect a VNC viewer to 127.0.0.1:5900"
    "$BUILD_DIR/src/printer-ui" -1 -D -platform vnc:size=272x480:addr=127.0.0.1:port=5900
fi
