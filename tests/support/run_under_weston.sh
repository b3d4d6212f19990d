#!/usr/bin/env bash
# Runs a test program natively on Wayland: a headless Weston compositor of its
# own (no screen, no input devices) in a fresh runtime folder, and the program
# on Qt's wayland platform.
# Usage: run_under_weston.sh PROGRAM [ARGUMENT ...]
# Exit code 77 (which CTest reports as skipped) when weston or Qt's Wayland
# platform (qt6-wayland) is missing; otherwise the program's own.
set -u
skip() {
    echo "run_under_weston: $1: test skipped" >&2
    exit 77
}
command -v weston >/dev/null 2>&1 || skip "weston not found (package weston)"
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    skip "Qt's Wayland platform not found (package qt6-wayland)"

runtime="$(mktemp -d)"
chmod 700 "$runtime"
export XDG_RUNTIME_DIR="$runtime"
socket=kioku-test
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 --no-config \
    --log="$runtime/weston.log" >/dev/null 2>&1 &
compositor=$!
trap 'kill "$compositor" 2>/dev/null; wait "$compositor" 2>/dev/null; rm -rf "$runtime"' EXIT

# Ready when its socket is there (generous: a loaded machine starts it slowly).
for _ in $(seq 600); do
    [ -S "$runtime/$socket" ] && break
    if ! kill -0 "$compositor" 2>/dev/null; then
        echo "run_under_weston: weston ended at its start:" >&2
        cat "$runtime/weston.log" >&2
        exit 1
    fi
    sleep 0.1
done
if [ ! -S "$runtime/$socket" ]; then
    echo "run_under_weston: weston did not open its socket:" >&2
    cat "$runtime/weston.log" >&2
    exit 1
fi

# In a sanitizer run, leak reports get whole stacks: the frames of Qt's
# Wayland library lie below libraries without frame pointers.
if [ -n "${ASAN_OPTIONS:-}" ]; then
    export ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0"
fi
env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$@"
status=$?
if [ "$status" -ne 0 ]; then
    echo "run_under_weston: the compositor's log:" >&2
    cat "$runtime/weston.log" >&2
fi
exit "$status"
