#!/usr/bin/env bash
# What a player costs at rest: CPU (utime + stime of every thread, percent of one core) and
# wake-ups a second (voluntary context switches of every thread, from /proc/PID/task/*/status)
# in five states, for tarvel and, where Debian has them, audacious and qmmp in the same run:
#   playing-visible    a 60-second MP3 plays, the window shown (tarvel's title scrolls)
#   playing-minimised  the window iconified by the window manager
#   playing-in-tray    tarvel in its tray icon; the others with their window unmapped
#   stopped-visible    stopped, the window shown again
#   stopped-minimised  stopped and iconified
# Everything runs on one Xvfb display with a window manager (openbox) and a tray (trayer),
# in a D-Bus session of its own. Tarvel plays through its null sound output; the others through
# a PulseAudio server whose only sink is a null sink (both discard in real time). A player that
# is not playing when its playing states are measured is named, and its figures are left out.
# The players are installed from Debian here, never by scripts/setup; so are the window manager
# and the tray. Medians of RUNS are printed.
#
# Usage: bench/shell/idle.sh [BUILD_DIR] [RUNS] [SECONDS]
#   BUILD_DIR  a build with dist/tarvel (default: build); RUNS (default 3); SECONDS of each
#   measurement (default 10)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${2:-3}
seconds=${3:-10}
dist="$build/dist"
[ -x "$dist/tarvel" ] || { echo "build $build first (target tarvel)" >&2; exit 2; }

if [ -z "${TARVEL_BENCH_ON_XVFB:-}" ]; then
    wanted=(openbox trayer pulseaudio audacious qmmp)
    missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        SUDO=""
        [ "$(id -u)" -eq 0 ] || SUDO="sudo"
        export DEBIAN_FRONTEND=noninteractive
        for p in "${missing[@]}"; do
            $SUDO apt-get install -y -qq --no-install-recommends "$p" >/dev/null ||
                echo "idle.sh: could not install $p; going on without it" >&2
        done
    fi
    TARVEL_BENCH_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" \
        dbus-run-session -- "$0" "$build" "$runs" "$seconds"
fi

work=$(mktemp -d)
helpers=()
cleanup() {
    for pid in "${helpers[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "idle.sh: $*" >&2; exit 1; }

command -v openbox >/dev/null || fail "no window manager (openbox): minimising needs one"
openbox >/dev/null 2>&1 &
helpers+=($!)
if command -v trayer >/dev/null; then
    trayer --edge top --align right --widthtype request >/dev/null 2>&1 &
    helpers+=($!)
fi
sleep 2

export QT_QPA_PLATFORM=xcb TARVEL_AUDIO=null
unset WAYLAND_DISPLAY TARVEL_PLATFORM
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$work/windows" "$XDG_RUNTIME_DIR"
chmod 700 "$work/windows" "$XDG_RUNTIME_DIR"
if command -v pulseaudio >/dev/null; then
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --load=module-null-sink \
        --load=module-native-protocol-unix >"$work/pulseaudio.log" 2>&1 &
    helpers+=($!)
    sleep 1
fi
export TARVEL_WINDOWS_DIR="$work/windows"

sox -n -r 44100 -c 2 -b 16 "$work/song.wav" synth 60 sine 440 vol 0.5
lame --quiet -b 192 --tt "A Title Long Enough to Scroll" --ta "The Benchmark Orchestra" \
    --tl "Album" "$work/song.wav" "$work/song.mp3"

# A returning user's app dir whose PL1 holds the song, played at start.
app="$work/app"
mkdir -p "$app/sort" "$app/TvSysFile"
for folder in Pictures help ForApollo; do cp -a "$dist/$folder" "$app/$folder"; done
cp -a "$dist/TvSysFile/." "$app/TvSysFile/"
"$build/bench/tarvel-bench-shell-app-dir" "$app" 1 1 "$work/song.mp3" 60 >/dev/null 2>&1 ||
    fail "build tarvel-bench-shell-app-dir too (cmake -DTARVEL_BENCH=ON)"
cp -a "$app" "$work/pristine-app"

ticks_per_second=$(getconf CLK_TCK)
# utime + stime (clock ticks) of the process, and voluntary context switches summed over its
# threads.
sample() {
    local ticks switches
    ticks=$(sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}')
    switches=$(cat /proc/"$1"/task/*/status 2>/dev/null |
        awk '/^voluntary_ctxt_switches/ {s += $2} END {print s + 0}')
    echo "$ticks $switches"
}
# Prints "cpu% wakeups/s" over the measuring seconds.
measure() {
    local a b
    a=$(sample "$1")
    sleep "$seconds"
    b=$(sample "$1")
    awk -v a="$a" -v b="$b" -v hz="$ticks_per_second" -v s="$seconds" 'BEGIN {
        split(a, x, " "); split(b, y, " ");
        printf "%.3f %.1f\n", 100 * (y[1] - x[1]) / hz / s, (y[2] - x[2]) / s }'
}
main_window() {
    local w
    for _ in $(seq 100); do
        w=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | tail -1 || true)
        [ -n "$w" ] && { echo "$w"; return; }
        sleep 0.1
    done
    fail "no window of $2"
}

declare -A figures
record() { figures["$1 $2"]+="$3|"; }

# Each player: start, play, the five states. Per player the commands differ only in how it is
# started, stopped, sent to the tray and shown again.
run_player() {
    local name=$1 pid window
    case "$name" in
        tarvel)
            rm -rf "$app" && cp -a "$work/pristine-app" "$app"
            (cd "$app" && exec "$dist/tarvel") 2>"$work/tarvel.stderr" & ;;
        audacious) audacious "$work/song.mp3" >"$work/$name.log" 2>&1 & ;;
        qmmp) qmmp "$work/song.mp3" >"$work/$name.log" 2>&1 & ;;
    esac
    pid=$!
    window=$(main_window "$pid" "$name")
    sleep 3
    local status
    status=$(playerctl -p "$name" status 2>&1 || true)
    if [ "$status" = "No players found" ]; then
        echo "idle.sh: $name has no media controls on the bus: measured as started" >&2
    elif [ "$status" != Playing ]; then
        echo "idle.sh: $name is not playing ($status); left out" >&2
        kill -TERM "$pid"
        wait "$pid" || true
        return
    fi
    record "$name" playing-visible "$(measure "$pid")"
    xdotool windowminimize --sync "$window" 2>/dev/null || xdotool windowminimize "$window"
    sleep 1
    record "$name" playing-minimised "$(measure "$pid")"
    xdotool windowmap "$window" windowactivate "$window" 2>/dev/null || true
    sleep 1
    if [ "$name" = tarvel ]; then
        # The main window's tray button (ImgTray at 608, 10, 17 x 17).
        xdotool mousemove --window "$window" 616 18 click 1
    else
        xdotool windowunmap "$window"
    fi
    sleep 1
    record "$name" playing-in-tray "$(measure "$pid")"
    case "$name" in
        tarvel)
            playerctl -p tarvel stop
            dbus-send --session --dest=org.mpris.MediaPlayer2.tarvel --type=method_call \
                /org/mpris/MediaPlayer2 org.mpris.MediaPlayer2.Raise ;;
        audacious) audacious --stop; xdotool windowmap "$window" ;;
        qmmp) qmmp --stop; xdotool windowmap "$window" ;;
    esac
    sleep 2
    record "$name" stopped-visible "$(measure "$pid")"
    window=$(main_window "$pid" "$name")
    xdotool windowminimize "$window"
    sleep 1
    record "$name" stopped-minimised "$(measure "$pid")"
    kill -TERM "$pid"
    local rc=0
    wait "$pid" || rc=$?
    [ "$name" != tarvel ] || [ "$rc" = 0 ] || fail "tarvel ended with $rc: $(cat "$work/tarvel.stderr")"
}

players=(tarvel)
command -v audacious >/dev/null && players+=(audacious)
command -v qmmp >/dev/null && players+=(qmmp)
for _ in $(seq "$runs"); do
    for p in "${players[@]}"; do run_player "$p"; done
done

median() { tr '|' '\n' | grep . | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "medians of $runs runs of $seconds s; CPU in % of one core, wake-ups a second"
printf '%-18s' state
for p in "${players[@]}"; do printf '%24s' "$p"; done
echo
for state in stopped-visible stopped-minimised playing-visible playing-minimised playing-in-tray; do
    printf '%-18s' "$state"
    for p in "${players[@]}"; do
        values=${figures["$p $state"]:-}
        [ -n "$values" ] || { printf '%24s' "-"; continue; }
        cpu=$(echo "$values" | tr '|' '\n' | awk '{print $1}' | tr '\n' '|' | median)
        wake=$(echo "$values" | tr '|' '\n' | awk '{print $2}' | tr '\n' '|' | median)
        printf '%15s %%%7s/s' "$cpu" "$wake"
    done
    echo
done
echo "goals: stopped under 0.05 % and 2 wake-ups/s; playing minimised or in the tray at most"
echo "audacious' figure; playing visible with the title scrolling under 1 %"
