#!/usr/bin/env bash
# Remakes docs/mini-player.png: scripts/run under a private X server with the sample library of
# sample_player.sh, auto play on; the player goes to the mini player and opens its small playlist,
# and the picture is taken a few seconds into the second song.
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
  main=$(timeout 60 xdotool search --sync --onlyvisible --name "Kino")
  sleep 2
  xdotool mousemove --window "$main" 634 18 click 1   # ImgMini
  mini=$(timeout 20 xdotool search --sync --onlyvisible --name "^Tarvel$")
  sleep 1
  xdotool mousemove --window "$mini" 464 15 click 1   # ImgPls
  timeout 20 xdotool search --sync --onlyvisible --name "^Talik$" >/dev/null
  xdotool mousemove 1200 800
  sleep 3
  import -window root "$1/full.png"
  kill $player; wait $player || true' "$root" "$work"
# The strip stands centred at the top of the 1280-pixel screen (x 273); its outline starts 3 pixels
# in, and the small playlist hangs under it down to y 303.
convert "$work/full.png" -crop 691x301+276+3 +repage "$root/docs/mini-player.png"
echo "docs/mini-player.png written"
