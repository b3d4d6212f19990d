#!/usr/bin/env bash
# Installs the Debian packages kioku needs to build, test and run, when some
# are missing. Asks nothing and needs no terminal, so it also runs in CI.
# May be sourced (the other scripts do) or run on its own.

# What building and running the program needs (scripts/run.sh): the compiler,
# Qt, the Japanese font, and Qt's Wayland plugin for Wayland desktops.
kioku_run_packages=(cmake ninja-build g++ qt6-base-dev qt6-charts-dev libgl1-mesa-dev
    fonts-ipafont-gothic fonts-dejavu-core ccache qt6-wayland)

# And what the tests, the package and the screenshots need besides: a faster
# linker for the hundred test programs, a virtual X server, the package tools and validators, the PDF tools, and for the tests
# of screen readers, input methods and Wayland the AT-SPI bus and bindings,
# two input-method frameworks with Mozc, xdotool and a headless compositor.
kioku_test_packages=(lld xvfb xauth x11-utils
    dpkg-dev file desktop-file-utils appstream poppler-utils
    at-spi2-core python3-pyatspi dbus-x11
    xdotool fcitx5 fcitx5-mozc fcitx5-frontend-qt6 ibus ibus-mozc
    weston)

# Everything: tests, benchmarks, packaging and CI.
kioku_install_deps() {
    kioku_install_packages "${kioku_run_packages[@]}" "${kioku_test_packages[@]}"
}

# Only what building and running the program needs: a player's machine is
# spared the test tools (about 200 MB).
kioku_install_run_deps() {
    kioku_install_packages "${kioku_run_packages[@]}"
}

# Installs the named packages that are missing (the screenshot of the installed
# package asks for imagemagick this way: the tests do not need it).
kioku_install_packages() {
    local pkgs=("$@")
    local missing=() p
    for p in "${pkgs[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [ "${#missing[@]}" -eq 0 ]; then
        return 0
    fi

    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null 2>&1; then
            echo "deps: missing packages (${missing[*]}); run as root or install sudo." >&2
            return 1
        fi
        # Without a terminal sudo cannot ask for a password: fail at once instead of hanging.
        if [ -t 0 ]; then sudo=(sudo); else sudo=(sudo -n); fi
    fi

    echo "deps: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q || return 1
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}" </dev/null || return 1
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    kioku_install_deps
fi
