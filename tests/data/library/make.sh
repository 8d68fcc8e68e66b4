#!/usr/bin/env bash
# Remakes the small real MP3 files the library tests read. Needs sox and lame (scripts/setup
# installs both). The files are committed; run this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# One second of a 440 Hz tone, stereo 44100 Hz, and the same in mono 22050 Hz.
sox -n -r 44100 -c 2 -b 16 "$tmp/stereo.wav" synth 1 sine 440 vol 0.5
sox -n -r 22050 -c 1 -b 16 "$tmp/mono.wav" synth 2 sine 660 vol 0.5

# Constant 128 kbit/s (an "Info" header), ID3v2.3 and ID3v1.1 tags in Latin-1.
lame --quiet --cbr -b 128 --add-id3v2 --tt "Sine" --ta "Tester" --tl "Fixtures" --ty 2024 \
    --tn 3/12 "$tmp/stereo.wav" cbr128_tags.mp3

# Variable rate MPEG 2 mono with a Xing header; UTF-16 version-2 tag with Cyrillic text.
lame --quiet -V 4 -m m --id3v2-only --id3v2-utf16 --tt "Группа крови" --ta "Кино" \
    --tl "Альбом" --ty 1988 --tn 1 "$tmp/mono.wav" vbr_mono_utf16.mp3

# Version-1 tag only, 64 kbit/s MPEG 2 (24000 Hz) joint stereo.
lame --quiet --cbr -b 64 --resample 24 --id3v1-only --tt "Only v1" --ta "Old Tagger" --ty 1990 --tn 9 \
    "$tmp/stereo.wav" v1_only.mp3

# No tags at all, 96 kbit/s MPEG 1 at 32000 Hz.
lame --quiet --cbr -b 96 --resample 32 "$tmp/stereo.wav" untagged.mp3
