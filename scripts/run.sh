#!/usr/bin/env bash
# Builds kioku and starts it; its arguments are passed on to the program. The
# program chooses its data folder itself (--data-dir, else $KIOKU_DATA_DIR, else
# ~/.local/share/kioku), creates it when missing and fills an empty one with
# the files it ships on its first start.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kioku_install_run_deps
bash "$root/scripts/build.sh" kioku

build_dir="$(cd "${KIOKU_BUILD_DIR:-$root/build}" && pwd)"
if [ -n "${KIOKU_DATA_DIR:-}" ]; then
    export KIOKU_DATA_DIR
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run: no display found (DISPLAY is not set); on a machine without one try" >&2
    echo "run:   xvfb-run -a bash scripts/run.sh" >&2
fi
exec "$build_dir/src/kioku" "$@"
