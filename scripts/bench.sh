#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them: bench_kioku on generated play
# logs of 30,000 and 100,000 records, bench_start (the program's cold start and
# the round trip of a game, on an empty log and on 100,000 records), then bench_display (how exactly number
# memory shows its digits for the set time, and its CPU while it does).
# Extra arguments are passed to bench_kioku (for example a data folder that
# already holds a play log); KIOKU_DISPLAY_RUNS sets bench_display's plays per
# display time (default 15).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kioku_install_deps
build_dir="${KIOKU_BUILD_DIR:-$root/build}"

for b in gen_playlog bench_kioku bench_start bench_display; do
    if [ ! -f "$root/bench/$b.cpp" ]; then
        echo "bench: bench/$b.cpp does not exist; nothing to run." >&2
        exit 1
    fi
done
bash "$root/scripts/build.sh" gen_playlog bench_kioku bench_start bench_display
for b in gen_playlog bench_kioku bench_start bench_display; do
    if [ ! -x "$build_dir/bench/$b" ]; then
        echo "bench: $build_dir/bench/$b was not built." >&2
        exit 1
    fi
done

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="${QT_LOGGING_RULES:-qt.qpa.*=false}"
status=0
"$build_dir/bench/bench_kioku" "$@" || status=$?
echo
"$build_dir/bench/bench_start" || status=$?
echo
"$build_dir/bench/bench_display" --runs "${KIOKU_DISPLAY_RUNS:-15}"
exit "$status"
