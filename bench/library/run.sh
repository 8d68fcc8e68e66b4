#!/usr/bin/env bash
# Times the library scan of tarvel-library over generated MP3 files: "clear-add" (clearing and a
# full scan) and then "add" over the same folder (an adding scan that finds nothing new). Each is
# run RUNS times with a warm cache; the medians are printed as files per second, with the peak
# memory of the process, then the cost of the tag and header readers alone. With --strace, one more run of each under `strace -c` counts the
# system calls.
#
# Usage: bench/library/run.sh [--strace] [BUILD_DIR] [N] [RUNS]
#   BUILD_DIR  a build configured with -DTARVEL_BENCH=ON (default: build-bench)
#   N          number of files (default 10000); RUNS (default 5)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
use_strace=0
if [ "${1:-}" = "--strace" ]; then use_strace=1; shift; fi
build=$(cd "${1:-$root/build-bench}" && pwd)
n=${2:-10000}
runs=${3:-5}
tool="$build/dist/tarvel-library"
gen="$build/bench/tarvel-bench-library-gen"
[ -x "$tool" ] && [ -x "$gen" ] || { echo "build $build first (cmake -DTARVEL_BENCH=ON)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$gen" "$work/music" "$n" >/dev/null
mkdir -p "$work/app"
find "$work/music" -type f -exec cat {} + >/dev/null  # warm the cache

# Runs the tool in the app folder; prints "seconds peak_kb".
timed() {
    local start end
    start=$(date +%s%N)
    (cd "$work/app" && /usr/bin/time -f %M -o "$work/mem" "$tool" --quiet "$@")
    end=$(date +%s%N)
    echo "$(( (end - start) / 1000 )) $(cat "$work/mem")"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

full_us=() add_us=() peak=0
for _ in $(seq "$runs"); do
    read -r us kb < <(timed clear-add "$work/music")
    full_us+=("$us"); peak=$(( kb > peak ? kb : peak ))
    read -r us kb < <(timed add "$work/music")
    add_us+=("$us"); peak=$(( kb > peak ? kb : peak ))
done
lines=$(wc -l < "$work/app/sort/allsong.tft")
full=$(printf '%s\n' "${full_us[@]}" | median)
add=$(printf '%s\n' "${add_us[@]}" | median)
echo "files: $n (records written: $lines), runs: $runs, medians:"
awk -v n="$n" -v f="$full" -v a="$add" -v p="$peak" 'BEGIN {
    printf "  clear-add (full scan): %8.1f ms  %9.0f files/s\n", f / 1000, n / (f / 1e6);
    printf "  add (nothing new):     %8.1f ms  %9.0f files/s\n", a / 1000, n / (a / 1e6);
    printf "  adding scan is %.1f times faster; peak memory %d KiB\n", f / a, p }'

# The readers alone, over bytes in memory (Google Benchmark).
if [ -x "$build/bench/tarvel-bench-library-readers" ]; then
    "$build/bench/tarvel-bench-library-readers" 2>/dev/null | grep -E '^BM_'
fi

if [ "$use_strace" = 1 ]; then
    for command in clear-add add; do
        echo "strace -c of $command:"
        (cd "$work/app" && strace -c -o "$work/strace" "$tool" --quiet "$command" "$work/music")
        head -n 25 "$work/strace"
    done
fi
