#!/usr/bin/env bash
# build.sh [BUILD_DIR [cmake options...]]: configures and builds the toolkit
# (only the targets named in $BUILD_TARGETS, when it is set).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
shift || true
cmake -S "$root" -B "$build" "$@" > "$build.configure.log" 2>&1 || { cat "$build.configure.log"; exit 1; }
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$build" -j "$(nproc)" "${targets[@]}"
