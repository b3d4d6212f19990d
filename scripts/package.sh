#!/usr/bin/env bash
# Builds kioku (Release) and makes its Debian package with CPack.
# Usage: scripts/package.sh
# The package lands in the build folder (build/ or $KIOKU_BUILD_DIR), or in
# $KIOKU_PACKAGE_DIR when set; its path is printed last. Install it with
#   sudo apt-get install ./build/kioku_*.deb
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kioku_install_deps
build_dir="${KIOKU_BUILD_DIR:-$root/build}"
out_dir="${KIOKU_PACKAGE_DIR:-$build_dir}"

# A package is always a Release build, whatever the folder held before.
KIOKU_BUILD_DIR="$build_dir" KIOKU_BUILD_TYPE=Release bash "$root/scripts/build.sh" kioku kioku_icons

mkdir -p "$out_dir"
rm -f "$out_dir"/kioku_*.deb
(cd "$build_dir" && cpack -G DEB -B "$out_dir" --config CPackConfig.cmake)
# CPack's own working files are of no further use.
rm -rf "$out_dir/_CPack_Packages"

shopt -s nullglob
debs=("$out_dir"/kioku_*.deb)
if [ "${#debs[@]}" -ne 1 ]; then
    echo "package: expected one kioku_*.deb in $out_dir, found ${#debs[@]}." >&2
    exit 1
fi
dpkg-deb -f "${debs[0]}" Package Version Depends
echo "package: ${debs[0]}"
