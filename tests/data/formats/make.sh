#!/usr/bin/env bash
# Remakes the small files in other formats than MP3 that the library tests read: known tags (a
# Cyrillic artist, a date, a genre, a track of a set) and ReplayGain values. Needs sox, flac,
# oggenc, opusenc, ffmpeg and lame (scripts/setup installs them). The files are committed; run
# this only to change them.
set -euo pipefail
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Half a second of a 440 Hz tone: mono 22050 Hz, stereo 44100 Hz and stereo 48000 Hz.
sox -n -r 22050 -c 1 -b 16 "$tmp/mono.wav" synth 0.5 sine 440 vol 0.5
sox -n -r 44100 -c 2 -b 16 "$tmp/stereo44.wav" synth 0.5 sine 440 vol 0.5
sox -n -r 48000 -c 2 -b 16 "$tmp/stereo48.wav" synth 0.5 sine 440 vol 0.5

flac --silent -f -8 -T "ARTIST=Кино" -T "TITLE=Звезда" -T "ALBUM=Flac Album" -T "DATE=2003-05-01" \
    -T "GENRE=Rock" -T "TRACKNUMBER=4/10" -T "REPLAYGAIN_TRACK_GAIN=-6.50 dB" \
    -T "REPLAYGAIN_TRACK_PEAK=0.900000" -T "REPLAYGAIN_ALBUM_GAIN=+2.00 dB" \
    -T "REPLAYGAIN_ALBUM_PEAK=0.950000" -o tagged.flac "$tmp/mono.wav"
oggenc --quiet -q 0 -a "Vorbis Artist" -t "Vorbis Title" -l "Vorbis Album" -d 1999 -G "Jazz" \
    -N 7 -c "REPLAYGAIN_TRACK_GAIN=-1.25 dB" -c "REPLAYGAIN_TRACK_PEAK=0.5" \
    -o tagged.ogg "$tmp/mono.wav"
opusenc --quiet --bitrate 16 --artist "Opus Artist" --title "Opus Title" --album "Opus Album" \
    --date 2021 --genre "Ambient" --comment "TRACKNUMBER=12" "$tmp/stereo48.wav" tagged.opus
ffmpeg -v error -y -i "$tmp/stereo44.wav" -c:a aac -b:a 32k -metadata artist="Mp4 Artist" \
    -metadata title="Mp4 Title" -metadata album="Mp4 Album" -metadata date=2010 \
    -metadata genre="Pop" -metadata track=3/9 tagged.m4a
# WavPack with APE tags.
ffmpeg -v error -y -i "$tmp/stereo48.wav" -c:a wavpack -metadata artist="WavPack Artist" \
    -metadata title="WavPack Title" -metadata year=1977 -metadata track=5 \
    -metadata REPLAYGAIN_ALBUM_GAIN="-3.00 dB" -metadata REPLAYGAIN_ALBUM_PEAK="1.2" tagged.wv
# WAV with its names in a RIFF INFO list, where most WAV writers keep them.
ffmpeg -v error -y -i "$tmp/mono.wav" -c:a pcm_s16le -metadata artist="Wav Artist" \
    -metadata title="Wav Title" -metadata album="Wav Album" -metadata track=2 tagged.wav
# ReplayGain in ID3v2 user text frames, the peak's name in small letters.
lame --quiet --cbr -b 64 --tt "Gain" --ta "Tester" --tv "TXXX=REPLAYGAIN_TRACK_GAIN=-4.00 dB" \
    --tv "TXXX=replaygain_track_peak=0.25" "$tmp/mono.wav" replaygain.mp3
# No tags at all: the title comes from the file name.
flac --silent -f -8 -o plain.flac "$tmp/mono.wav"
