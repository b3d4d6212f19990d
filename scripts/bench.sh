#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs them on a generated six-year play log
# of 30,000 records. Extra arguments are passed to bench_kioku (for example a
# data folder that already holds a play log).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kioku_install_deps
build_dir="${KIOKU_BUILD_DIR:-$root/build}"

for b in gen_playlog bench_kioku; do
    if [ ! -f "$root/bench/$b.cpp" ]; then
        echo "bench: bench/$b.cpp does not exist; nothing to run." >&2
        exit 1
    fi
done
bash "$root/scripts/build.sh" gen_playlog bench_kioku
for b in gen_playlog bench_kioku; do
    if [ ! -x "$build_dir/bench/$b" ]; then
        echo "bench: $build_dir/bench/$b was not built." >&2
        exit 1
    fi
done

export QT_QPA_PLATFORM=offscreen
export QT_LOGGING_RULES="${QT_LOGGING_RULES:-qt.qpa.*=false}"
"$build_dir/bench/bench_kioku" "$@"
