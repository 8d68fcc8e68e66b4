#!/usr/bin/env bash
# Remakes the MP3 fixtures of the sound tests (needs sox and lame).
#   tone_1k_2s.mp3   1000 Hz sine, amplitude 0.5, 2.000 s (88 200 frames), 44 100 Hz stereo, 128 kbps
#   tone_1k_2s_22k.mp3  the same at 22 050 Hz mono, 64 kbps (goes through the resampler)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sox -n -r 44100 -c 2 -b 16 "$tmp/a.wav" synth 2.0 sine 1000 vol 0.5
lame --quiet -b 128 "$tmp/a.wav" "$here/tone_1k_2s.mp3"
sox -n -r 22050 -c 1 -b 16 "$tmp/b.wav" synth 2.0 sine 1000 vol 0.5
lame --quiet -b 64 "$tmp/b.wav" "$here/tone_1k_2s_22k.mp3"
