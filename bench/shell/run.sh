#!/usr/bin/env bash
# The main window benchmarks, each beside a bare Qt window of the same size (692 x 513), all on
# one Xvfb display. The application folder is a returning user's: a library of 10 000 artists
# with 10 songs each (100 000 songs) and a PL1 playlist of one generated 60-second MP3 that auto
# play starts, played through the null sound output.
#   start-up  milliseconds from exec to the first paint of the window (TARVEL_REPORT_FIRST_PAINT),
#             tarvel and the bare window taking turns, RUNS times each;
#   memory    VmRSS 3 s after start, RUNS times, with the bare window's for reference;
#   CPU       utime + stime of tarvel over the next 20 s while the song plays and the title
#             scrolls, as percent of one core.
# Medians are printed. Every program started is checked for its exit code.
#
# Usage: bench/shell/run.sh [BUILD_DIR] [RUNS]
#   BUILD_DIR  a build configured with -DTARVEL_BENCH=ON (default: build-bench); RUNS (default 7)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
runs=${2:-7}
dist="$build/dist"
gen="$build/bench/tarvel-bench-shell-app-dir"
bare="$build/bench/tarvel-bench-bare-window"
for program in "$dist/tarvel" "$gen" "$bare"; do
    [ -x "$program" ] || { echo "build $build first (cmake -DTARVEL_BENCH=ON)" >&2; exit 2; }
done
if [ -z "${TARVEL_BENCH_ON_XVFB:-}" ]; then
    TARVEL_BENCH_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$runs"
fi

artists=10000 songs_per_artist=10 song_seconds=60 settle_seconds=3 cpu_seconds=20
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
app="$work/app"
mkdir -p "$app/sort" "$app/TvSysFile"
mkdir -m 700 "$work/windows"
for folder in Pictures help ForApollo; do
    cp -a "$dist/$folder" "$app/$folder"
done
cp -a "$dist/TvSysFile/." "$app/TvSysFile/"
export QT_QPA_PLATFORM=xcb TARVEL_AUDIO=null TARVEL_WINDOWS_DIR="$work/windows"
unset WAYLAND_DISPLAY TARVEL_PLATFORM

fail() { echo "run.sh: $*" >&2; exit 1; }

sox -n -r 44100 -c 2 -b 16 "$work/song.wav" synth "$song_seconds" sine 440 vol 0.5
lame --quiet -b 192 "$work/song.wav" "$work/song.mp3"
"$gen" "$app" "$artists" "$songs_per_artist" "$work/song.mp3" "$song_seconds"
# Every run starts from the same settings and playlist (an exit saves both).
cp -a "$app/TvSysFile" "$work/pristine-settings"
cp "$app/sort/PlayListMainPL1.tpl" "$work/pristine-pl1.tpl"
reset_app() {
    cp -a "$work/pristine-settings/." "$app/TvSysFile/"
    cp "$work/pristine-pl1.tpl" "$app/sort/PlayListMainPL1.tpl"
}

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

# Starts the program with the probe set to quit; prints the milliseconds it reports.
first_paint() {
    local rc=0
    reset_app
    (cd "$app" && TARVEL_REPORT_FIRST_PAINT=quit timeout 60 "$1") 2>"$work/stderr" || rc=$?
    [ "$rc" = 0 ] || fail "$1 ended with $rc: $(cat "$work/stderr")"
    sed -n 's/^first paint: \([0-9.]*\) ms$/\1/p' "$work/stderr" | grep . ||
        fail "$1 reported no first paint: $(cat "$work/stderr")"
}

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }

# Stops the program with SIGTERM; it must end with the given exit code.
stop() {
    local rc=0
    kill -TERM "$1"
    wait "$1" || rc=$?
    [ "$rc" = "$2" ] || fail "$3 ended with $rc instead of $2: $(cat "$work/stderr")"
}

echo "library: $artists artists, $((artists * songs_per_artist)) songs; runs: $runs"
tarvel_ms=() bare_ms=()
for _ in $(seq "$runs"); do
    bare_ms+=("$(first_paint "$bare")")
    tarvel_ms+=("$(first_paint "$dist/tarvel")")
done

tarvel_kb=() bare_kb=() cpu_percent=()
ticks_per_second=$(getconf CLK_TCK)
for _ in $(seq "$runs"); do
    (cd "$app" && TARVEL_REPORT_FIRST_PAINT=1 exec "$bare") 2>"$work/stderr" &
    pid=$!
    sleep "$settle_seconds"
    bare_kb+=("$(rss_kb "$pid")")
    stop "$pid" 143 "the bare window"

    reset_app
    (cd "$app" && exec "$dist/tarvel") 2>"$work/stderr" &
    pid=$!
    sleep "$settle_seconds"
    tarvel_kb+=("$(rss_kb "$pid")")
    before=$(cpu_ticks "$pid")
    sleep "$cpu_seconds"
    after=$(cpu_ticks "$pid")
    cpu_percent+=("$(awk -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$cpu_seconds" \
        'BEGIN {printf "%.2f", 100 * t / hz / s}')")
    stop "$pid" 0 tarvel
done

tm=$(printf '%s\n' "${tarvel_ms[@]}" | median)
bm=$(printf '%s\n' "${bare_ms[@]}" | median)
tk=$(printf '%s\n' "${tarvel_kb[@]}" | median)
bk=$(printf '%s\n' "${bare_kb[@]}" | median)
cp=$(printf '%s\n' "${cpu_percent[@]}" | median)
echo "first paint (ms):     tarvel ${tarvel_ms[*]}"
echo "                      bare   ${bare_ms[*]}"
echo "resident memory (KiB): tarvel ${tarvel_kb[*]}"
echo "                      bare   ${bare_kb[*]}"
echo "CPU while playing (%): ${cpu_percent[*]}"
echo "medians:"
awk -v tm="$tm" -v bm="$bm" -v tk="$tk" -v bk="$bk" -v cp="$cp" -v s="$cpu_seconds" 'BEGIN {
    printf "  first paint:       tarvel %7.1f ms, bare window %7.1f ms, ratio %.2f (goal <= 1.5)\n", tm, bm, tm / bm;
    printf "  resident memory:   tarvel %7.1f MiB, bare window %7.1f MiB (goal < 80 MiB)\n", tk / 1024, bk / 1024;
    printf "  CPU while playing: tarvel %7.2f %% of one core over %d s (goal < 2 %%)\n", cp, s }'
