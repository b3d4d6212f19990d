#!/usr/bin/env bash
# Runs a test program with a real Japanese input method: a virtual X server, a
# session D-Bus of its own, the input-method framework (fcitx5 or ibus) with
# the Mozc engine, and Qt told to use it (QT_IM_MODULE). The test program
# types with real X key events (xdotool) and reads what the input method made
# of them.
# Usage: run_with_input_method.sh fcitx5|ibus PROGRAM [ARGUMENT ...]
# Mozc refuses to run as root: as root the script copies itself and the
# program into a fresh folder and runs there again as "nobody" (setpriv), with
# a home folder of its own. Exit code 77 (which CTest reports as skipped) when
# a tool is missing; otherwise the program's own.
set -u
skip() {
    echo "run_with_input_method: $1: test skipped" >&2
    exit 77
}
framework="${1:-}"
shift || true
case "$framework" in
fcitx5) needs=(fcitx5 fcitx5-remote) ;;
ibus) needs=(ibus-daemon ibus) ;;
*)
    echo "usage: run_with_input_method.sh fcitx5|ibus PROGRAM [ARGUMENT ...]" >&2
    exit 2
    ;;
esac
for tool in xvfb-run dbus-run-session xdotool "${needs[@]}"; do
    command -v "$tool" >/dev/null 2>&1 || skip "$tool not found (scripts/deps.sh installs it)"
done
if [ "$framework" = fcitx5 ]; then
    [ -e /usr/share/fcitx5/inputmethod/mozc.conf ] || skip "Mozc for fcitx5 not found (package fcitx5-mozc)"
    ls /usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so >/dev/null 2>&1 ||
        skip "fcitx5's Qt 6 plugin not found (package fcitx5-frontend-qt6)"
else
    [ -e /usr/share/ibus/component/mozc.xml ] || skip "Mozc for ibus not found (package ibus-mozc)"
fi

if [ "$(id -u)" -eq 0 ]; then
    command -v setpriv >/dev/null 2>&1 || skip "setpriv not found"
    scratch="$(mktemp -d)"
    trap 'rm -rf "$scratch"' EXIT
    chmod 755 "$scratch"
    program="$1"
    shift
    cp "${BASH_SOURCE[0]}" "$scratch/run.sh"
    cp "$program" "$scratch/"
    chmod 755 "$scratch/run.sh" "$scratch/$(basename "$program")"
    mkdir "$scratch/home" && chown 65534:65534 "$scratch/home"
    setpriv --reuid 65534 --regid 65534 --clear-groups \
        env HOME="$scratch/home" TMPDIR="$scratch/home" \
        bash "$scratch/run.sh" "$framework" "$scratch/$(basename "$program")" "$@"
    exit $?
fi

# A home of our own: the input method's settings below are the only ones.
home="$(mktemp -d)"
trap 'rm -rf "$home"' EXIT
chmod 700 "$home"
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run"
mkdir -p "$XDG_CONFIG_HOME/fcitx5" "$XDG_CONFIG_HOME/mozc" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# fcitx5: the US keyboard and Mozc in one group, Mozc switched on by the test.
cat >"$XDG_CONFIG_HOME/fcitx5/profile" <<'EOF'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
EOF
# ibus: Mozc writes kana from the moment it is chosen.
cat >"$XDG_CONFIG_HOME/mozc/ibus_config.textproto" <<'EOF'
engines {
  name : "mozc-jp"
  longname : "Mozc"
  layout : "default"
  layout_variant : ""
  layout_option : ""
  rank : 80
}
active_on_launch: True
EOF

# Ends what the input method left running (Mozc's server lives on by itself):
# the processes of this run are known by the home folder made for it.
end_leftovers() {
    local p kv
    for p in /proc/[0-9]*; do
        [ "${p#/proc/}" = "$$" ] && continue
        while IFS= read -r -d '' kv; do
            if [ "$kv" = "HOME=$home" ]; then
                kill "${p#/proc/}" 2>/dev/null
                break
            fi
        done <"$p/environ" 2>/dev/null
    done
}
trap 'end_leftovers; rm -rf "$home"' EXIT

export KIOKU_INPUT_METHOD="$framework"
dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    framework="$1"
    shift
    log="$HOME/im.log"
    ready=""
    if [ "$framework" = fcitx5 ]; then
        fcitx5 --disable=wayland,waylandim,notificationitem,kimpanel,emoji,spell,clipboard,quickphrase,unicode \
            >"$log" 2>&1 &
        daemon=$!
        export QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx
        # Ready when it owns its name on the bus. Asked without starting
        # anything: a call to fcitx5 itself before it owns the name would
        # have the bus start a second fcitx5 (its D-Bus service file), and
        # the two would fight over the name and the X input method.
        for _ in $(seq 600); do
            dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
                org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q "boolean true" &&
                ready=1 && break
            sleep 0.1
        done
    else
        ibus-daemon --panel=disable --emoji-extension=disable --config=default --cache=none >"$log" 2>&1 &
        daemon=$!
        export QT_IM_MODULE=ibus
        # Ready when it answers and Mozc has been chosen as the engine (the
        # choice may report a failure of its own and still be made).
        for _ in $(seq 600); do
            ibus engine mozc-jp >/dev/null 2>&1
            [ "$(ibus engine 2>/dev/null)" = mozc-jp ] && ready=1 && break
            sleep 0.1
        done
    fi
    if [ -z "$ready" ]; then
        echo "run_with_input_method: $framework did not come up; its output:" >&2
        cat "$log" >&2
        kill "$daemon" 2>/dev/null
        exit 1
    fi
    env QT_QPA_PLATFORM=xcb "$@"
    status=$?
    if [ "$status" -ne 0 ]; then
        echo "run_with_input_method: the output of $framework:" >&2
        cat "$log" >&2
    fi
    kill "$daemon" 2>/dev/null
    exit "$status"
' bash "$framework" "$@"
exit $?
