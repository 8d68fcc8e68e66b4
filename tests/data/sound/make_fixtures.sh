#!/usr/bin/env bash
# Remakes the fixtures of the sound tests (needs sox, lame, flac, oggenc, opusenc and ffmpeg).
#   tone_1k_2s.mp3   1000 Hz sine, amplitude 0.5, 2.000 s (88 200 frames), 44 100 Hz stereo, 128 kbps
#   tone_1k_2s_22k.mp3  the same at 22 050 Hz mono, 64 kbps (goes through the resampler)
#   tone_1k_3s.{flac,ogg,opus,m4a} and tone_1k_3s_alac.m4a
#                    1000 Hz sine, amplitude 0.5, 3.000 s (132 300 frames), 44 100 Hz stereo, as
#                    FLAC, Ogg Vorbis, Ogg Opus (48 000 Hz inside), AAC in MP4 and ALAC in MP4
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sox -n -r 44100 -c 2 -b 16 "$tmp/a.wav" synth 2.0 sine 1000 vol 0.5
lame --quiet -b 128 "$tmp/a.wav" "$here/tone_1k_2s.mp3"
sox -n -r 22050 -c 1 -b 16 "$tmp/b.wav" synth 2.0 sine 1000 vol 0.5
lame --quiet -b 64 "$tmp/b.wav" "$here/tone_1k_2s_22k.mp3"
sox -n -r 44100 -c 2 -b 16 "$tmp/c.wav" synth 3.0 sine 1000 vol 0.5
flac --silent --force -o "$here/tone_1k_3s.flac" "$tmp/c.wav"
oggenc --quiet -q 3 -o "$here/tone_1k_3s.ogg" "$tmp/c.wav"
opusenc --quiet --bitrate 64 "$tmp/c.wav" "$here/tone_1k_3s.opus"
ffmpeg -v error -y -i "$tmp/c.wav" -map_metadata -1 -c:a aac -b:a 96k "$here/tone_1k_3s.m4a"
ffmpeg -v error -y -i "$tmp/c.wav" -map_metadata -1 -c:a alac "$here/tone_1k_3s_alac.m4a"
