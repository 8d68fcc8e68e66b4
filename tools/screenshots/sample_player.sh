# Sourced by the screenshot scripts: sample_player WORK ROOT makes WORK/home, a user app dir with a
# small library of lame-made songs (two Cyrillic and three Latin artists) made with tarvel-library
# and PL1 holding them all with the second song current, after building ROOT.
sample_player() {
  local work=$1 root=$2
  local home="$work/home" music="$work/music"
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
}
