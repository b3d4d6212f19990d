#!/usr/bin/env bash
# A power cut right after a save: the data folder lies on a small ext4 file
# system of its own (a loop device); kioku_write_child saves, and at once the
# file system is shut down without flushing its journal (EXT4_IOC_SHUTDOWN,
# no log flush), as a machine that loses its power keeps only what already
# reached the disk. Mounted again, the saved play, the rewritten log and the
# backup copy must be there. Needs root, loop devices and ext4: skipped
# (exit 77) with a message elsewhere.
# Usage: powercut.sh WRITE_CHILD
set -uo pipefail

child="$1"
skip() {
    echo "SKIP: $*"
    exit 77
}
[ "$(id -u)" = 0 ] || skip "needs root (loop devices and mount)"
for tool in mkfs.ext4 mount umount python3 iconv; do
    command -v "$tool" >/dev/null || skip "$tool is missing"
done

work="$(mktemp -d)"
img="$work/disk.img"
mnt="$work/mnt"
mkdir -p "$mnt"
cleanup() {
    mountpoint -q "$mnt" && umount "$mnt"
    rm -rf "$work"
}
trap cleanup EXIT
truncate -s 64M "$img"
mkfs.ext4 -q -F "$img" || skip "mkfs.ext4 failed"
mount -o loop "$img" "$mnt" 2>/dev/null || skip "no loop device can be mounted here"

shutdown_now() {
    # EXT4_IOC_SHUTDOWN = _IOR('X', 125, __u32), EXT4_GOING_FLAGS_NOLOGFLUSH = 2
    python3 -c 'import fcntl, os, struct, sys
fd = os.open(sys.argv[1], os.O_RDONLY)
fcntl.ioctl(fd, 0x8004587D, struct.pack("I", 2))' "$mnt"
}

sjis() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t CP932; }
first='"2026/12/05","10:00:00","数字記憶",12.5,"",""'
second='"2026/12/06","09:00:00","画像記憶",30,"",""'
fails=0
check() { # name, expected file content (bytes), actual file
    if cmp -s "$2" "$3"; then
        echo "ok   $1"
    else
        echo "FAIL $1: $(basename "$3") after the power cut:"
        iconv -f CP932 -t UTF-8 "$3" 2>/dev/null | cat -A | head -5
        fails=$((fails + 1))
    fi
}

for op in append rewrite username; do
    umount "$mnt" 2>/dev/null
    mount -o loop "$img" "$mnt" || { echo "FAIL remount"; exit 1; }
    rm -rf "$mnt/d"
    mkdir "$mnt/d"
    sjis "$first" "$second" >"$mnt/d/データ.txt"
    sjis '"氏名","山田"' >"$mnt/d/氏名.txt"
    sync
    out="$("$child" "$mnt/d" 1099511627776 "$op" | head -1)"
    shutdown_now
    umount "$mnt"
    mount -o loop "$img" "$mnt"
    [ "$out" = ok ] || { echo "FAIL $op: the save itself said $out"; fails=$((fails + 1)); continue; }
    case "$op" in
    append)
        sjis "$first" "$second" '"2026/12/07","14:05:33","数字記憶",42.5,"暗記数 : 8   正解 : 6   不正解 : 2   正解率 : 75.0%",' >"$work/expected"
        check "a play appended" "$work/expected" "$mnt/d/データ.txt"
        ;;
    rewrite)
        sjis "$second" >"$work/expected"
        check "a row deleted" "$work/expected" "$mnt/d/データ.txt"
        sjis "$first" "$second" >"$work/expected"
        copy="$(ls "$mnt/d/バックアップ" 2>/dev/null | head -1)"
        check "its backup copy" "$work/expected" "$mnt/d/バックアップ/${copy:-missing}"
        ;;
    username)
        sjis '"氏名","山田 太郎"' >"$work/expected"
        check "the user name" "$work/expected" "$mnt/d/氏名.txt"
        ;;
    esac
done
[ "$fails" = 0 ]
