#!/usr/bin/env bash
# Checks what kioku installs and what its Debian package holds.
# Usage: check_package.sh BUILD_DIR
#   1. `cmake --install BUILD_DIR` into a temporary prefix: the program, the
#      desktop entry, the icon at every theme size (real PNGs of that size),
#      the AppStream file, the licence (the MIT text of LICENSE);
#      desktop-file-validate and appstreamcli validate --no-net must pass; no
#      file holds a placeholder address (example.org, example.com); the
#      installed program answers --help.
#   2. `cpack -G DEB` into a temporary folder, the package unpacked with
#      dpkg -x into a scratch root: exactly the same files under /usr, and
#      its control fields (name, version, section, maintainer, the Qt 6 and
#      font dependencies).
# Exit code 77 (CTest: skipped) when a checking tool is not installed
# (scripts/deps.sh installs them all).
set -euo pipefail

build="${1:?usage: check_package.sh BUILD_DIR}"
build="$(cd "$build" && pwd)"
app_id=jp.kioku.Kioku
sizes=(16 24 32 48 64 128 256)

for tool in desktop-file-validate appstreamcli cpack dpkg-deb dpkg-shlibdeps file; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "check_package: $tool not found (see scripts/deps.sh): test skipped" >&2
        exit 77
    fi
done

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The files a prefix must hold, relative to it.
expected_files() {
    echo "bin/kioku"
    echo "share/applications/$app_id.desktop"
    echo "share/metainfo/$app_id.metainfo.xml"
    echo "share/doc/kioku/copyright"
    local n
    for n in "${sizes[@]}"; do
        echo "share/icons/hicolor/${n}x${n}/apps/$app_id.png"
    done
}

# Width and height of a PNG file from its IHDR chunk, "W H"; empty when the
# file is no PNG.
png_size() {
    local sig
    sig="$(od -An -tx1 -N8 "$1" | tr -d ' \n')"
    [ "$sig" = "89504e470d0a1a0a" ] || return 0
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%d %d\n", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}

check_prefix() {
    local prefix="$1" where="$2" f n got
    # Exactly the expected files, nothing else.
    diff <(expected_files | sort) <(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$tmp/diff" \
        || fail "$where: installed files differ from the expected list:$(printf '\n%s' "$(cat "$tmp/diff")")"
    [ -x "$prefix/bin/kioku" ] || fail "$where: bin/kioku is not executable"
    for n in "${sizes[@]}"; do
        f="$prefix/share/icons/hicolor/${n}x${n}/apps/$app_id.png"
        [ -f "$f" ] || continue
        got="$(png_size "$f")"
        [ "$got" = "$n $n" ] || fail "$where: ${n}x${n} icon is '${got:-not a PNG}', not $n $n"
    done

    local desktop="$prefix/share/applications/$app_id.desktop"
    local meta="$prefix/share/metainfo/$app_id.metainfo.xml"
    if [ -f "$desktop" ]; then
        desktop-file-validate "$desktop" >"$tmp/dfv" 2>&1 || fail "$where: desktop-file-validate: $(cat "$tmp/dfv")"
        cat "$tmp/dfv"
        local line
        for line in "Type=Application" "Name=ソラミルプロジェクト３ ～記憶力" "Name[ja]=ソラミルプロジェクト３ ～記憶力" \
                    "Exec=kioku" "Icon=$app_id" "Terminal=false" "Categories=Education;Game;"; do
            grep -qxF "$line" "$desktop" || fail "$where: desktop entry lacks '$line'"
        done
        grep -q '^Comment\[ja\]=.' "$desktop" || fail "$where: desktop entry has no Japanese comment"
    fi
    if [ -f "$meta" ]; then
        appstreamcli validate --no-net "$meta" >"$tmp/asv" 2>&1 || fail "$where: appstreamcli validate: $(cat "$tmp/asv")"
        cat "$tmp/asv"
        grep -qF "<id>$app_id</id>" "$meta" || fail "$where: metainfo id is not $app_id"
        grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$meta" \
            || fail "$where: metainfo does not launch $app_id.desktop"
        grep -q '<summary xml:lang="ja">' "$meta" || fail "$where: metainfo has no Japanese summary"
        grep -q '<p xml:lang="ja">' "$meta" || fail "$where: metainfo has no Japanese description"
        grep -qF '<project_license>MIT</project_license>' "$meta" || fail "$where: metainfo licence is not MIT"
    fi
    local copyright="$prefix/share/doc/kioku/copyright"
    if [ -f "$copyright" ]; then
        cmp -s "$copyright" "$(dirname "${BASH_SOURCE[0]}")/../../LICENSE" || fail "$where: copyright is not LICENSE"
        grep -q '^MIT License$' "$copyright" || fail "$where: copyright is not the MIT licence"
    fi
    # A placeholder address is no address: none in any file the prefix holds.
    if grep -rIlE 'example\.(org|com|net)' "$prefix" >"$tmp/placeholders"; then
        fail "$where: placeholder addresses in: $(tr '\n' ' ' <"$tmp/placeholders")"
    fi
    if [ -x "$prefix/bin/kioku" ]; then
        if ! QT_QPA_PLATFORM=offscreen "$prefix/bin/kioku" --help >"$tmp/help" 2>&1 </dev/null; then
            fail "$where: bin/kioku --help failed: $(cat "$tmp/help")"
        elif ! grep -q -- '--data-dir' "$tmp/help"; then
            fail "$where: bin/kioku --help printed no usage: $(cat "$tmp/help")"
        fi
    fi
}

echo "== cmake --install into a temporary prefix"
cmake --install "$build" --prefix "$tmp/prefix" >"$tmp/install.log" 2>&1 \
    || { cat "$tmp/install.log" >&2; fail "cmake --install failed"; exit 1; }
check_prefix "$tmp/prefix" "install"

echo "== cpack -G DEB, unpacked with dpkg -x"
(cd "$build" && cpack -G DEB -B "$tmp/pkg" --config CPackConfig.cmake) >"$tmp/cpack.log" 2>&1 \
    || { cat "$tmp/cpack.log" >&2; fail "cpack failed"; exit 1; }
debs=("$tmp"/pkg/kioku_*.deb)
if [ "${#debs[@]}" -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "cpack made no single kioku_*.deb: $(ls "$tmp/pkg")"
    exit 1
fi
deb="${debs[0]}"
mkdir "$tmp/root"
dpkg -x "$deb" "$tmp/root"
# Everything belongs under /usr.
others="$(cd "$tmp/root" && find . -mindepth 1 -maxdepth 1 ! -name usr)"
[ -z "$others" ] || fail "package: files outside /usr: $others"
check_prefix "$tmp/root/usr" "package"

field() { dpkg-deb -f "$deb" "$1"; }
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
[ "$(field Package)" = kioku ] || fail "package name is '$(field Package)'"
case "$(field Version)" in
    "$version" | "$version"-*) ;;
    *) fail "package version '$(field Version)' is not the project's $version" ;;
esac
case "$(field Section)" in
    games | education) ;;
    *) fail "package section is '$(field Section)'" ;;
esac
[ -n "$(field Maintainer)" ] || fail "package has no maintainer"
dpkg-deb -f "$deb" | grep -E 'example\.(org|com|net)' && fail "package: a control field holds a placeholder address"
depends="$(field Depends)"
echo "Depends: $depends"
for dep in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 fonts-ipafont-gothic fonts-dejavu-core; do
    # As a whole name in the comma-separated list, with or without a version.
    echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | grep -qx "$dep" \
        || fail "package does not depend on $dep"
done
recommends="$(field Recommends)"
echo "Recommends: $recommends"
echo "$recommends" | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | grep -qx qt6-wayland \
    || fail "package does not recommend qt6-wayland"

if [ "$failures" -ne 0 ]; then
    echo "check_package: $failures failure(s)" >&2
    exit 1
fi
echo "check_package: all checks passed ($(basename "$deb"), $(stat -c %s "$deb") bytes)"
