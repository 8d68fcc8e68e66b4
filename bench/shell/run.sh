#!/usr/bin/env bash
# The main window benchmarks, each beside a bare Qt window of the same size (692 x 513), all on
# one Xvfb display, in a D-Bus session of their own as on a desktop. The application folder is a returning user's: a library of 10 000 artists
# with 10 songs each (100 000 songs) and a PL1 playlist of one generated 60-second MP3 that auto
# play starts, played through the null sound output.
#   start-up  milliseconds from exec to the first paint of the window (TARVEL_REPORT_FIRST_PAINT),
#             and the processor time used by then, tarvel and the bare window taking turns, RUNS
#             times each; then the same again without a session bus (the D-Bus library then
#             tries to start one at the first accessibility query, forking the program);
#   memory    VmRSS 3 s after start, RUNS times, with the bare window's for reference;
#   CPU       utime + stime of tarvel over the next 20 s while the song plays and the title
#             scrolls, as percent of one core, with its main thread's share; beside it, the bare
#             window scrolling a text picture through a strip of the title strip's size.
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
    TARVEL_BENCH_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" \
        dbus-run-session -- "$0" "$build" "$runs"
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

# Starts the program with the probe set to quit; prints the milliseconds it reports, from exec
# and of processor time; with "nobus", without the session bus.
first_paint() {
    local rc=0 bus=()
    [ "${2:-}" = nobus ] && bus=(env -u DBUS_SESSION_BUS_ADDRESS)
    reset_app
    (cd "$app" && TARVEL_REPORT_FIRST_PAINT=quit timeout 60 "${bus[@]}" "$1") 2>"$work/stderr" ||
        rc=$?
    [ "$rc" = 0 ] || fail "$1 ended with $rc: $(cat "$work/stderr")"
    sed -n 's/^first paint: \([0-9.]*\) ms (CPU \([0-9.]*\) ms)$/\1 \2/p' "$work/stderr" | grep . ||
        fail "$1 reported no first paint: $(cat "$work/stderr")"
}

rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }
# utime + stime in clock ticks: of the whole process, or of its main thread with "main".
cpu_ticks() {
    local stat="/proc/$1/stat"
    [ "${2:-}" = main ] && stat="/proc/$1/task/$1/stat"
    sed 's/.*) //' "$stat" | awk '{print $12 + $13}'
}
percent() { awk -v t="$1" -v hz="$ticks_per_second" -v s="$cpu_seconds" 'BEGIN {printf "%.2f", 100 * t / hz / s}'; }

# Stops the program with SIGTERM; it must end with the given exit code.
stop() {
    local rc=0
    kill -TERM "$1"
    wait "$1" || rc=$?
    [ "$rc" = "$2" ] || fail "$3 ended with $rc instead of $2: $(cat "$work/$3.stderr")"
}

echo "library: $artists artists, $((artists * songs_per_artist)) songs; runs: $runs"
tarvel_ms=() bare_ms=() tarvel_cpu_ms=() bare_cpu_ms=()
for _ in $(seq "$runs"); do
    result=$(first_paint "$bare")
    bare_ms+=("${result% *}") bare_cpu_ms+=("${result#* }")
    result=$(first_paint "$dist/tarvel")
    tarvel_ms+=("${result% *}") tarvel_cpu_ms+=("${result#* }")
done
tarvel_nobus_ms=() bare_nobus_ms=()
for _ in $(seq "$runs"); do
    result=$(first_paint "$bare" nobus)
    bare_nobus_ms+=("${result% *}")
    result=$(first_paint "$dist/tarvel" nobus)
    tarvel_nobus_ms+=("${result% *}")
done

# tarvel plays while the bare window scrolls its strip beside it; both are measured over the
# same seconds.
tarvel_kb=() bare_kb=() tarvel_cpu=() tarvel_main_cpu=() bare_cpu=()
ticks_per_second=$(getconf CLK_TCK)
for _ in $(seq "$runs"); do
    reset_app
    (cd "$app" && exec "$dist/tarvel") 2>"$work/tarvel.stderr" &
    tarvel_pid=$!
    (cd "$app" && exec "$bare" --scroll) 2>"$work/bare.stderr" &
    bare_pid=$!
    sleep "$settle_seconds"
    tarvel_kb+=("$(rss_kb "$tarvel_pid")") bare_kb+=("$(rss_kb "$bare_pid")")
    t0=$(cpu_ticks "$tarvel_pid") m0=$(cpu_ticks "$tarvel_pid" main) b0=$(cpu_ticks "$bare_pid")
    sleep "$cpu_seconds"
    t1=$(cpu_ticks "$tarvel_pid") m1=$(cpu_ticks "$tarvel_pid" main) b1=$(cpu_ticks "$bare_pid")
    tarvel_cpu+=("$(percent $((t1 - t0)))") tarvel_main_cpu+=("$(percent $((m1 - m0)))")
    bare_cpu+=("$(percent $((b1 - b0)))")
    stop "$tarvel_pid" 0 tarvel
    stop "$bare_pid" 143 bare
done

m() { printf '%s\n' "$@" | median; }
echo "first paint, ms from exec:  tarvel ${tarvel_ms[*]}"
echo "                            bare   ${bare_ms[*]}"
echo "  without a session bus:    tarvel ${tarvel_nobus_ms[*]}"
echo "                            bare   ${bare_nobus_ms[*]}"
echo "first paint, ms of CPU:     tarvel ${tarvel_cpu_ms[*]}"
echo "                            bare   ${bare_cpu_ms[*]}"
echo "resident memory, KiB:       tarvel ${tarvel_kb[*]}"
echo "                            bare   ${bare_kb[*]}"
echo "CPU while playing, %:       tarvel ${tarvel_cpu[*]}"
echo "  of which its main thread:        ${tarvel_main_cpu[*]}"
echo "  bare window scrolling a strip:   ${bare_cpu[*]}"
echo "medians:"
awk -v tm="$(m "${tarvel_ms[@]}")" -v bm="$(m "${bare_ms[@]}")" \
    -v tn="$(m "${tarvel_nobus_ms[@]}")" -v bn="$(m "${bare_nobus_ms[@]}")" \
    -v tc="$(m "${tarvel_cpu_ms[@]}")" -v bc="$(m "${bare_cpu_ms[@]}")" \
    -v tk="$(m "${tarvel_kb[@]}")" -v bk="$(m "${bare_kb[@]}")" \
    -v tp="$(m "${tarvel_cpu[@]}")" -v mp="$(m "${tarvel_main_cpu[@]}")" -v bp="$(m "${bare_cpu[@]}")" \
    -v s="$cpu_seconds" 'BEGIN {
    printf "  first paint from exec: tarvel %7.1f ms, bare window %7.1f ms, ratio %.2f (goal <= 1.5)\n", tm, bm, tm / bm;
    printf "    without a session bus: tarvel %5.1f ms, bare window %7.1f ms, ratio %.2f\n", tn, bn, tn / bn;
    printf "  first paint, CPU:      tarvel %7.1f ms, bare window %7.1f ms, ratio %.2f\n", tc, bc, tc / bc;
    printf "  resident memory:       tarvel %7.1f MiB, bare window %5.1f MiB (goal < 80 MiB)\n", tk / 1024, bk / 1024;
    printf "  CPU while playing:     tarvel %7.2f %% of one core over %d s (goal < 2 %%), its main thread %.2f %%;\n", tp, s, mp;
    printf "                         the bare window scrolling a strip %.2f %%\n", bp }'
