#!/usr/bin/env bash
# Runs a test program on the xcb platform under a virtual X server, in a
# session D-Bus of its own with the accessibility bus (AT-SPI) running and Qt's
# accessibility switched on, so that the program can read its own windows back
# as a screen reader does (support/atspi_tree.py).
# Usage: run_with_atspi.sh PROGRAM [ARGUMENT ...]
# Exit code 77 (which CTest reports as skipped) when a tool is missing:
# xvfb-run (xvfb), dbus-run-session (dbus), the AT-SPI bus launcher
# (at-spi2-core) or pyatspi (python3-pyatspi); otherwise the program's own.
set -u
skip() {
    echo "run_with_atspi: $1: test skipped" >&2
    exit 77
}
command -v xvfb-run >/dev/null 2>&1 || skip "xvfb-run not found (package xvfb)"
command -v dbus-run-session >/dev/null 2>&1 || skip "dbus-run-session not found (package dbus)"
launcher=""
for f in /usr/libexec/at-spi-bus-launcher /usr/lib/at-spi2-core/at-spi-bus-launcher; do
    [ -x "$f" ] && launcher="$f" && break
done
[ -n "$launcher" ] || skip "at-spi-bus-launcher not found (package at-spi2-core)"
# The system's Python, where python3-pyatspi installs (not one of a user's own).
python=/usr/bin/python3
[ -x "$python" ] || python="$(command -v python3)"
"$python" -c 'import pyatspi' >/dev/null 2>&1 || skip "pyatspi not found (package python3-pyatspi)"

# Nothing of the desktop the test runs on leaks in: its own runtime folder
# and session bus, no accessibility settings of the user.
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
export NO_AT_BRIDGE=0
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_ACCESSIBILITY=1
export KIOKU_ATSPI_PYTHON="$python"
export KIOKU_ATSPI_TREE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/atspi_tree.py"

exec dbus-run-session -- bash -c '
    "$0" --launch-immediately >/dev/null 2>&1 &
    launcher=$!
    xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$@"
    status=$?
    kill "$launcher" 2>/dev/null
    exit "$status"
' "$launcher" "$@"
