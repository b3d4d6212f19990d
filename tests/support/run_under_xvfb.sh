#!/usr/bin/env bash
# Runs a test program on the xcb platform under a virtual X server of its own.
# Usage: run_under_xvfb.sh PROGRAM [ARGUMENT ...]
# Exit code 77 (which CTest reports as skipped) when xvfb-run is not installed;
# otherwise the program's own.
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "run_under_xvfb: xvfb-run not found (package xvfb): test skipped" >&2
    exit 77
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$@"
