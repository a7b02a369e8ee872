#!/bin/sh
# Configures and builds into ../build-<name of the checkout> (or $BUILD_DIR).
# Usage: build.sh [TARGET...]  (no target: everything, tests and benchmarks
# included). ccache, when installed, is used for the compiler.
set -e
SRC=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$SRC/../build-$(basename "$SRC")}
LAUNCHER=""
command -v ccache >/dev/null 2>&1 && LAUNCHER="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
cmake -S "$SRC" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE=RelWithDebInfo $LAUNCHER >/dev/null
if [ $# -gt 0 ]; then
    cmake --build "$BUILD_DIR" -j"${JOBS:-$(nproc)}" --target "$@"
else
    cmake --build "$BUILD_DIR" -j"${JOBS:-$(nproc)}"
fi
echo "$BUILD_DIR"
