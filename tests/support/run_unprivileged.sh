#!/usr/bin/env bash
# Runs a test program as an unprivileged user, so that a read-only folder
# really refuses a write (permissions do not stop root).
# Usage: run_unprivileged.sh PROGRAM [ARGUMENT ...]
# As root: the program is copied into a fresh folder anyone may enter and run
# there as "nobody" (setpriv, from util-linux); exit code 77 (skipped) when
# setpriv is missing. As another user: the program runs as it is.
set -u
if [ "$(id -u)" -ne 0 ]; then
    exec "$@"
fi
if ! command -v setpriv >/dev/null 2>&1; then
    echo "run_unprivileged: setpriv not found: test skipped" >&2
    exit 77
fi
program="$1"
shift
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
chmod 755 "$scratch"
cp "$program" "$scratch/"
chmod 755 "$scratch/$(basename "$program")"
mkdir "$scratch/tmp" && chown 65534:65534 "$scratch/tmp"
setpriv --reuid 65534 --regid 65534 --clear-groups \
    env HOME="$scratch/tmp" TMPDIR="$scratch/tmp" "$scratch/$(basename "$program")" "$@"
