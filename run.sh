#!/bin/sh
# Runs the program against the simulated motion board in a sandbox root.
# Usage: run.sh [--keep] [--offer-update]
#   --keep          keeps the sandbox of the last run (settings, files, an
#                   interrupted print's resume record) instead of laying out a
#                   fresh one, so that a power-loss resume can be tried: stop
#                   the program mid-print (Ctrl-C), then run ./run.sh --keep.
#   --offer-update  the sandbox's update server offers software 1.1.1, newer
#                   than this program, so that the update prompt and page can
#                   be tried. After an install asks for a restart, stop the
#                   program (Ctrl-C) and run ./run.sh --keep.
# SANDBOX names the root (default: ../sandbox next to the checkout). With a
# display the program opens a 272x480 window; without one it serves its screen
# over VNC on 127.0.0.1:5900.
set -eu
SRC=$(cd "$(dirname "$0")" && pwd)
KEEP=
OFFER_UPDATE=
usage() { sed -n '2,15s/^# \{0,1\}//p' "$0"; }
for arg in "$@"; do
    case "$arg" in
        --keep) KEEP=1 ;;
        --offer-update) OFFER_UPDATE=1 ;;
        -h|--help) usage; exit 0 ;;
        *) usage >&2; exit 2 ;;
    esac
done
"$SRC/scripts/install-deps.sh"
BUILD_DIR=${BUILD_DIR:-$SRC/../build-$(basename "$SRC")}
export BUILD_DIR
echo "Building into $BUILD_DIR (the first build takes a few minutes)"
# Only what this script runs: the tests and benchmarks are test.sh's.
"$SRC/scripts/build.sh" printer-ui printer-sim

SANDBOX=${SANDBOX:-$SRC/../sandbox}
if [ -n "$KEEP" ] && [ -f "$SANDBOX/sbin-standin/standin-lib.sh" ]; then
    # Links and sockets of the last run point nowhere now.
    rm -f "$SANDBOX/dev/ttyS2" "$SANDBOX/run/uevent.sock"
    echo "Keeping the sandbox of the last run"
else
    if [ -e "$SANDBOX" ]; then
        # Only ever wipe a folder that an earlier run laid out.
        if [ ! -f "$SANDBOX/sbin-standin/standin-lib.sh" ]; then
            echo "run.sh: $SANDBOX exists and is not a sandbox; set SANDBOX to another folder" >&2
            exit 1
        fi
        rm -rf "$SANDBOX"
    fi
    "$SRC/sim/make-sandbox.sh" "$SANDBOX"
    FRESH=1
fi
SANDBOX=$(cd "$SANDBOX" && pwd)
CONFIG="$SANDBOX/opt/PROGRAM/config/config.json"
STICK="$SANDBOX/stick-content"
if [ -n "${FRESH:-}" ]; then
    # A fresh printer starts with its Wi-Fi station on and one saved network
    # of the sandbox's air, so that the LAN server and the update check start
    # as on a joined printer. A kept sandbox keeps whatever the user changed
    # (a factory reset included).
    printf '{"network":{"wifiStationStatus":true}}\n' > "$CONFIG"
    printf '\nnetwork={\n\tssid="Workshop"\n\tkey_mgmt=WPA-PSK\n\tpsk="printer123"\n}\n' >> "$SANDBOX/opt/wifi/wpa_supplicant.conf"
fi
if [ ! -d "$STICK" ]; then
    # The USB stick: the sample prints, one of them in a folder.
    mkdir -p "$STICK/models"
    python3 "$SRC/sim/make-samples.py" "$STICK"
    cp "$STICK/cube.gcode" "$STICK/models/cube-copy.gcode"
fi

"$BUILD_DIR/sim/printer-sim" --root "$SANDBOX" --log &
SIM_PID=$!
PLUG_PID=
UPDATE_PID=
trap 'kill "$SIM_PID" $PLUG_PID $UPDATE_PID 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true' EXIT
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

# A local HTTPS update server. It offers nothing new unless --offer-update
# asks for software 1.1.1; the program trusts its self-signed certificate and
# is pointed at it.
UPDATES="$SANDBOX/update-server"
. "$SRC/sim/update-server-lib.sh"
start_update_server "$SRC/sim/update-server.py" "$UPDATES" || exit 1
if [ -n "$OFFER_UPDATE" ]; then
    PACKAGE="$UPDATES/packages/software-1.1.1.tar.gz"
    python3 "$SRC/sim/make-update-package.py" "$PACKAGE" \
        '{"members":[{"name":"run.sh","data":"#!/bin/sh\necho installed > installed.txt\n","mode":493}],"md5list":true}'
    printf '{"packages":[{"type":"software","version":"1.1.1","url":"%s/packages/software-1.1.1.tar.gz","md5":"%s","size":%s}]}\n' \
        "$UPDATE_URL" "$(md5sum "$PACKAGE" | cut -d' ' -f1)" "$(stat -c %s "$PACKAGE")" > "$UPDATES/reply.json"
else
    printf '{"packages":[]}\n' > "$UPDATES/reply.json"
fi
cp "$UPDATES/cert.pem" "$SANDBOX/opt/PROGRAM/config/update-ca.pem"
# The server's port changes with every run: set it in the settings.
point_settings_at_update_server "$CONFIG" "$UPDATE_URL"
echo "Update server: $UPDATE_URL (requests in $UPDATES/requests.log)"
echo "Sandbox: $SANDBOX (board commands in $SANDBOX/sim-commands.log)"
echo "Filament run-out: kill -USR1 $SIM_PID (filament back: kill -USR2 $SIM_PID)"
echo "Silent board: kill -URG $SIM_PID (again to make it answer)"

# The USB stick, plugged in once the program listens for hot-plug events, so
# that printing from USB works out of the box.
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
    echo "No display: connect a VNC viewer to 127.0.0.1:5900"
    echo "  (for example: apt-get install tigervnc-viewer, then run: vncviewer 127.0.0.1:5900)"
    "$BUILD_DIR/src/printer-ui" -1 -D -platform vnc:size=272x480:addr=127.0.0.1:port=5900
fi
