TarvelPlayListFile&$$$!@@#!(&*&#^@%%@
NoEmptyPlayList
2
83.45
Êèíî endart Album endalb Sun endtit 1988 endyer Rock endgen 3 endtrk 192 endbit 245360 enddur 44100 endsmr Joint Stereo endchm /music/ĞšĞ¸Ğ½Ğ¾/03 Sun.mp3 endPth 
Moon endart Night endalb Rain endtit 0000 endyer Unknown endgen 0 endtrk 128 endbit 83450 enddur 44100 endsmr Stereo endchm /music/Moon/Rain.mp3 endPth 
