#!/bin/sh
# Builds and runs every benchmark and prints its figures.
set -e
SRC=$(cd "$(dirname "$0")/.." && pwd)
"$SRC/scripts/install-deps.sh"
BUILD_DIR=$("$SRC/scripts/build.sh" | tail -n 1)
for b in "$BUILD_DIR"/bench/bench_*; do
  [ -f "$b" ] && [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  case "$(basename "$b")" in
    # Memory as on the device's display: the VNC platform (on a port of its
    # own, so that a running ./run.sh keeps 5900).
    bench_browser) QT_QPA_PLATFORM="vnc:size=272x480:port=0" "$b" ;;
    *) QT_QPA_PLATFORM=offscreen "$b" ;;
  esac
done
