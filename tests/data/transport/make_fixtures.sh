#!/usr/bin/env bash
# Remakes the MP3 fixtures of the transport tests (needs sox and lame): a three-song playlist of
# sines, each 1.000 s (44 100 frames), 44 100 Hz mono, amplitude 0.5, 64 kbps, told apart by
# their pitch.
#   song_440.mp3  440 Hz
#   song_660.mp3  660 Hz
#   song_880.mp3  880 Hz
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for hz in 440 660 880; do
    sox -n -r 44100 -c 1 -b 16 "$tmp/$hz.wav" synth 1.0 sine "$hz" vol 0.5
    lame --quiet -b 64 "$tmp/$hz.wav" "$here/song_$hz.mp3"
done
