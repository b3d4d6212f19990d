#!/usr/bin/env bash
# Builds kioku with its tests and runs every test. Exit code = ctest's.
# Each test's timeout is set with the test itself (tests/CMakeLists.txt).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kioku_install_deps
bash "$root/scripts/build.sh"

build_dir="${KIOKU_BUILD_DIR:-$root/build}"
set +e
ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j2
rc=$?
exit "$rc"
