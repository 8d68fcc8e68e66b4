TarvelPlayListFile&$$$!@@#!(&*&#^@%%@
NoEmptyPlayList
2
61.25
Кино endart Группа крови endalb Звезда по имени Солнце endtit 2001 endyer Rock endgen 1 endtrk 128 endbit 180000 enddur 44100 endsmr Stereo endchm /music/Кино/Звезда по имени Солнце.mp3 endPth 
Кино endart Группа крови endalb Кукушка endtit 2001 endyer Rock endgen 2 endtrk 128 endbit 180000 enddur 44100 endsmr Stereo endchm /music/Кино/Кукушка.mp3 endPth 
소녀시대 endart Genie endalb 소원을 말해봐 endtit 2001 endyer Rock endgen 3 endtrk 128 endbit 180000 enddur 44100 endsmr Stereo endchm /music/소녀시대/소원을 말해봐.mp3 endPth 
Μίκης Θεοδωράκης endart Zorba endalb Ζορμπάς endtit 2001 endyer Rock endgen 4 endtrk 128 endbit 180000 enddur 44100 endsmr Stereo endchm /music/Μίκης Θεοδωράκης/Ζορμπάς.mp3 endPth 
