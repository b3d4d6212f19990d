#!/usr/bin/env bash
# Builds kioku and takes a screenshot of every window into shots/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kioku_install_deps
build_dir="${KIOKU_BUILD_DIR:-$root/build}"

if [ ! -f "$root/tools/kioku_shots.cpp" ]; then
    echo "screenshots: tools/kioku_shots.cpp does not exist yet; nothing to run." >&2
    exit 1
fi
bash "$root/scripts/build.sh" kioku_shots
if [ ! -x "$build_dir/tools/kioku_shots" ]; then
    echo "screenshots: $build_dir/tools/kioku_shots was not built." >&2
    exit 1
fi

out="$root/shots"
mkdir -p "$out"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
"$build_dir/tools/kioku_shots" "$out" "$@"
echo "screenshots: written to $out"

# The first start of the installed package under a real X server, when
# scripts/package.sh has made one.
bash "$root/scripts/screenshots_installed.sh"
