#!/usr/bin/env bash
# Remakes docs/main-window.png: scripts/run under a private X server with a small library of
# lame-made songs (two Cyrillic and three Latin artists) made with tarvel-library, PL1 holding
# them all, auto play on; the picture is taken a few seconds into the second song.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
home="$work/home" music="$work/music"
mkdir -p "$home/sort" "$home/TvSysFile" "$music"
song() {  # artist album title hz seconds track
  sox -n -r 44100 -c 2 -b 16 "$work/t.wav" synth "$5" sine "$4" vol 0.4
  lame --quiet -b 192 --ta "$1" --tl "$2" --tt "$3" --ty 2024 --tn "$6" "$work/t.wav" "$music/$1 - $3.mp3"
}
song "Северный Ветер" "Дорога" "Зимний вальс" 440 200 1
song "Северный Ветер" "Дорога" "Ночной город" 494 180 2
song "Ария" "Герой" "Штиль" 523 210 1
song "Kino Lights" "Night Drive" "Glass Harbour" 587 190 1
song "Kino Lights" "Night Drive" "Slow Light" 659 230 2
song "Kino Lights" "Night Drive" "Paper Moon" 698 170 3
song "Moonfield" "Tides" "Northern Line" 784 240 1
song "The Quiet Rooms" "Ember" "Coda" 880 200 1
"$root/scripts/setup"
cmake -S "$root" -B "$root/build" -G Ninja >/dev/null
cmake --build "$root/build" >/dev/null
cp -a "$root/build/dist/TvSysFile/." "$home/TvSysFile/"
printf '%s\r\n' 'firstRun:=False' 'PathToApollo:=None' 'PathToWinamp:=None' > "$home/TvSysFile/PathToPl.tcf"
(cd "$home" && "$root/build/dist/tarvel-library" --quiet add "$music")
{ printf '%s\r\n' 'TarvelPlayListFile&$$$!@@#!(&*&#^@%%@' NoEmptyPlayList 2 0; cat "$home/sort/allsong.tft"; } \
  > "$home/sort/PlayListMainPL1.tpl"
export TARVEL_HOME="$home" TARVEL_AUDIO=null
xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
  "$0/scripts/run" & player=$!
  timeout 60 xdotool search --sync --onlyvisible --name "Kino" >/dev/null
  sleep 4
  xdotool mousemove 450 230 click 1   # choose an artist
  sleep 3
  import -window root "$1/full.png"
  kill $player; wait $player || true' "$root" "$work"
# The window stands at its design place (372, 149); its outline starts 7 pixels in.
convert "$work/full.png" -crop 675x496+379+156 +repage "$root/docs/main-window.png"
echo "docs/main-window.png written"
