#!/usr/bin/env bash
# The first start of the packaged program, as a user meets it: unpacks the
# Debian package (scripts/package.sh) into a scratch root, starts its
# /usr/bin/kioku on the xcb platform under a virtual X server with a fresh
# home and data folder, waits for the welcome box of the help tour (or, when
# the tour is off, for the main window), grabs the whole X screen and writes
# shots/installed_first_start.png, then ends the program.
# Usage: scripts/screenshots_installed.sh [path/to/kioku_*.deb]
# Without an argument it takes the package in the build folder; when there is
# none it says so and exits 0 (nothing to photograph).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="${KIOKU_BUILD_DIR:-$root/build}"
out="$root/shots"

if [ "$#" -gt 0 ]; then
    deb="$1"
else
    shopt -s nullglob
    debs=("$build_dir"/kioku_*.deb)
    shopt -u nullglob
    if [ "${#debs[@]}" -eq 0 ]; then
        echo "screenshots_installed: no kioku_*.deb in $build_dir (scripts/package.sh makes one); skipped."
        exit 0
    fi
    deb="${debs[${#debs[@]} - 1]}"
fi
[ -f "$deb" ] || { echo "screenshots_installed: $deb does not exist." >&2; exit 1; }
deb="$(cd "$(dirname "$deb")" && pwd)/$(basename "$deb")"

source "$root/scripts/deps.sh"
kioku_install_deps
kioku_install_packages imagemagick # import, to grab the X screen

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
dpkg -x "$deb" "$tmp/root"
mkdir -p "$tmp/home/.local/share" "$tmp/work" "$tmp/runtime" "$out"
chmod 700 "$tmp/runtime"

# Runs inside the virtual X server: start, wait, grab, end.
cat >"$tmp/session.sh" <<'SESSION'
set -u
exe="$1" shot="$2" home="$3" work="$4" runtime="$5"
# A fresh user: own home and data folder; started in an empty folder, so that
# a program that still kept its files in the working folder would start fresh too.
cd "$work"
env HOME="$home" XDG_DATA_HOME="$home/.local/share" XDG_CONFIG_HOME="$home/.config" \
    XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$runtime" LANG=ja_JP.UTF-8 QT_QPA_PLATFORM=xcb "$exe" &
pid=$!
found=""
for _ in $(seq 1 120); do
    if ! kill -0 "$pid" 2>/dev/null; then
        echo "screenshots_installed: the program ended before its window appeared." >&2
        exit 1
    fi
    tree="$(LANG=C.UTF-8 xwininfo -root -tree 2>/dev/null || true)"
    if grep -q 'ヘルプツアー' <<<"$tree"; then
        found="welcome"
        break
    fi
    if [ -z "$found" ] && grep -q 'ソラミル' <<<"$tree"; then
        found="main"
        main_seen=$SECONDS
    fi
    # The main window without a welcome box for 5 s: the tour is off.
    if [ "$found" = main ] && [ $((SECONDS - main_seen)) -ge 5 ]; then
        break
    fi
    sleep 0.5
done
if [ -z "$found" ]; then
    echo "screenshots_installed: no window appeared within 60 s." >&2
    kill "$pid" 2>/dev/null
    exit 1
fi
# Let the last paint reach the screen.
sleep 1
status=0
import -window root "$shot" || status=1
echo "screenshots_installed: window seen ($found)"
LANG=C.UTF-8 xwininfo -root -tree | grep -E '"[^"]+"' | grep -v 'has no name' | sed 's/^/  /' | head -20
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit "$status"
SESSION

shot="$out/installed_first_start.png"
rm -f "$shot"
xvfb-run -a -s "-screen 0 1280x800x24" \
    bash "$tmp/session.sh" "$tmp/root/usr/bin/kioku" "$shot" "$tmp/home" "$tmp/work" "$tmp/runtime"
for d in "$tmp/home/.local/share/kioku" "$tmp/work"; do
    n="$(find "$d" -maxdepth 1 -type f | wc -l)"
    echo "screenshots_installed: after the first start ${d#"$tmp"/} holds $n file(s)"
done
echo "screenshots_installed: $shot"
