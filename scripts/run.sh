#!/usr/bin/env bash
# Builds kioku and starts it in its data folder: $KIOKU_DATA_DIR, or
# ~/.local/share/kioku by default (created when missing). On its first start
# the program fills an empty folder with the files it ships.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kioku_install_deps
bash "$root/scripts/build.sh" kioku

build_dir="$(cd "${KIOKU_BUILD_DIR:-$root/build}" && pwd)"
data_dir="${KIOKU_DATA_DIR:-$HOME/.local/share/kioku}"
mkdir -p "$data_dir"
cd "$data_dir"
# The program reads KIOKU_DATA_DIR itself too: a relative folder must not be
# taken a second time from inside itself.
export KIOKU_DATA_DIR="$PWD"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run: no display found (DISPLAY is not set); on a machine without one try" >&2
    echo "run:   xvfb-run -a bash scripts/run.sh" >&2
fi
exec "$build_dir/src/kioku" "$@"
