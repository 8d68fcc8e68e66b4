#!/usr/bin/env bash
# Remakes docs/main-window.png: scripts/run under a private X server with a small library of
# lame-made songs (two Cyrillic and three Latin artists) made with tarvel-library, PL1 holding
# them all, auto play on; the picture is taken a few seconds into the second song.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$root/tools/screenshots/sample_player.sh"
sample_player "$work" "$root"
home="$work/home"
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
