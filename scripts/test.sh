#!/usr/bin/env bash
# Builds kioku with its tests and runs every test. Exit code = ctest's.
# Each test's timeout is set with the test itself (tests/CMakeLists.txt).
#
# Usage: scripts/test.sh [--sanitize]
#   (none)      the normal build (build/ or $KIOKU_BUILD_DIR), every test
#   --sanitize  a build with AddressSanitizer (leak checking on) and
#               UndefinedBehaviorSanitizer in build-asan/ (or
#               $KIOKU_ASAN_BUILD_DIR), unoptimised (line tables for the
#               stack traces, assertions on), and the tests run there.
#               Any report of either sanitizer fails the test that caused it.
#               Leaks inside Qt's and the system's libraries that they keep
#               for the life of the process are suppressed by
#               tests/support/lsan.supp (each entry says why).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kioku_install_deps

mode="${1:-}"
case "$mode" in
"")
    bash "$root/scripts/build.sh"
    build_dir="${KIOKU_BUILD_DIR:-$root/build}"
    set +e
    ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j2
    exit $?
    ;;
--sanitize) ;;
*)
    echo "usage: scripts/test.sh [--sanitize]" >&2
    exit 2
    ;;
esac

build_dir="${KIOKU_ASAN_BUILD_DIR:-$root/build-asan}"
jobs="$(nproc 2>/dev/null || echo 2)"
# KIOKU_SANITIZE leaves the benchmarks, tools and package out of the build.
# Unoptimised: a third quicker to compile than -O1 (the build is most of the
# time of this run, the tests run in about a minute either way), and nothing
# optimised away from the sanitizers' view; -g1 gives the stack traces their
# file names and lines.
cmake -S "$root" -B "$build_dir" -G Ninja -DBUILD_TESTING=ON -DKIOKU_SANITIZE=ON \
    -DCMAKE_BUILD_TYPE=Sanitize -DCMAKE_CXX_FLAGS_SANITIZE="-O0 -g1" >/dev/null
cmake --build "$build_dir" -j "$jobs"

export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=0:check_initialization_order=1:strict_init_order=1"
export LSAN_OPTIONS="suppressions=$root/tests/support/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"

# Left out of this run:
#   check_package  installs the build and makes the Debian package: the
#                  sanitizer build has no install rules (it builds no package),
#                  and the normal run covers it.
excluded='^(check_package)$'
set +e
ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j2 -E "$excluded"
