#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang as libFuzzer binaries (with
# AddressSanitizer and UndefinedBehaviorSanitizer) and runs each for a set time.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET ...]
#   SECONDS  per target (default 60)
#   TARGET   cp932 recordline playlog history settings (default: all)
# Each run starts from the committed seed corpus fuzz/corpus/<target>/ (only
# read) and the inputs it has grown so far, kept in <build>/corpus/<target>/.
# An input that breaks a check is written to <build>/artifacts/<target>/ and
# named at the end; the exit code is then 1. Replay one with
#   <build>/fuzz/fuzz_<target> <file>
# The build folder is build-fuzz/ (or $KIOKU_FUZZ_BUILD_DIR); $KIOKU_FUZZ_JOBS
# runs that many targets at once (default 1).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kioku_install_deps
# clang and its runtime (libFuzzer, the sanitizers); llvm brings llvm-symbolizer
# for readable stack traces.
kioku_install_packages clang libclang-rt-dev llvm

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
    echo "fuzz: SECONDS must be a whole number, not '$seconds'" >&2
    exit 2
fi
shift || true
all=(cp932 recordline playlog history settings)
targets=("$@")
[ "${#targets[@]}" -gt 0 ] || targets=("${all[@]}")
for t in "${targets[@]}"; do
    if [ ! -f "$root/fuzz/fuzz_$t.cpp" ]; then
        echo "fuzz: no target '$t' (known: ${all[*]})" >&2
        exit 2
    fi
done

build_dir="${KIOKU_FUZZ_BUILD_DIR:-$root/build-fuzz}"
# Absolute: the targets work in a scratch folder of their own, and libFuzzer
# writes new inputs and findings after they have moved there.
mkdir -p "$build_dir"
build_dir="$(cd "$build_dir" && pwd)"
jobs="$(nproc 2>/dev/null || echo 2)"
cmake -S "$root" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DKIOKU_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
build_targets=()
for t in "${targets[@]}"; do build_targets+=(--target "fuzz_$t"); done
cmake --build "$build_dir" -j "$jobs" "${build_targets[@]}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:symbolize=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
summary="$build_dir/fuzz-summary.txt"
: >"$summary"

run_one() {
    local t="$1"
    local corpus="$build_dir/corpus/$t" artifacts="$build_dir/artifacts/$t" log="$build_dir/fuzz-$t.log"
    mkdir -p "$corpus" "$artifacts"
    echo "fuzz: $t for ${seconds} s (log: $log)"
    local rc=0
    # New inputs go into the first folder (the working corpus); the seeds are only read.
    "$build_dir/fuzz/fuzz_$t" "$corpus" "$root/fuzz/corpus/$t" \
        -dict="$root/fuzz/kioku.dict" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts/" >"$log" 2>&1 || rc=$?
    local execs rate cov found
    execs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)"
    rate="$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)"
    cov="$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | grep -oE '[0-9]+' || true)"
    found="$(find "$artifacts" -type f | wc -l)"
    printf '%-11s %12s executions %8s/s  coverage %6s  corpus %5s  findings %s  exit %s\n' \
        "$t" "${execs:-?}" "${rate:-?}" "${cov:-?}" "$(find "$corpus" -type f | wc -l)" "$found" "$rc" >>"$summary"
    return 0
}

if [ "${KIOKU_FUZZ_JOBS:-1}" -gt 1 ]; then
    pids=()
    for t in "${targets[@]}"; do
        run_one "$t" &
        pids+=($!)
        while [ "$(jobs -rp | wc -l)" -ge "$KIOKU_FUZZ_JOBS" ]; do sleep 1; done
    done
    wait "${pids[@]}"
else
    for t in "${targets[@]}"; do run_one "$t"; done
fi

echo
echo "fuzz: results (${seconds} s per target)"
sort "$summary"
status=0
for t in "${targets[@]}"; do
    for f in "$build_dir/artifacts/$t"/*; do
        [ -e "$f" ] || continue
        echo "fuzz: FINDING of $t: $f (see $build_dir/fuzz-$t.log)"
        status=1
    done
done
exit "$status"
