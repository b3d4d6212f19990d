#!/usr/bin/env bash
# Configures and builds kioku with Ninja into build/ (or $KIOKU_BUILD_DIR).
# Usage: scripts/build.sh [target ...]   (no target: everything, tests included)
# The build type is Release unless KIOKU_BUILD_TYPE says otherwise.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${KIOKU_BUILD_DIR:-$root/build}"
build_type="${KIOKU_BUILD_TYPE:-Release}"
jobs="$(nproc 2>/dev/null || echo 2)"

cmake -S "$root" -B "$build_dir" -G Ninja \
    -DCMAKE_BUILD_TYPE="$build_type" -DBUILD_TESTING=ON >/dev/null

if [ "$#" -gt 0 ]; then
    targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "$build_dir" -j "$jobs" "${targets[@]}"
else
    cmake --build "$build_dir" -j "$jobs"
fi
