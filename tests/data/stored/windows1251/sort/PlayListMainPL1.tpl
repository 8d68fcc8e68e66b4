TarvelPlayListFile&$$$!@@#!(&*&#^@%%@
NoEmptyPlayList
2
61.25
Кино endart Группа крови endalb Звезда по имени Солнце endtit 2001 endyer Rock endgen 1 endtrk 128 endbit 180000 enddur 44100 endsmr Stereo endchm /music/РљРёРЅРѕ/Р—РІРµР·РґР° РїРѕ РёРјРµРЅРё РЎРѕР»РЅС†Рµ.mp3 endPth 
Кино endart Группа крови endalb Кукушка endtit 2001 endyer Rock endgen 2 endtrk 128 endbit 180000 enddur 44100 endsmr Stereo endchm /music/РљРёРЅРѕ/РљСѓРєСѓС€РєР°.mp3 endPth 
Ёлка endart Точки расставлены endalb Прованс endtit 2001 endyer Rock endgen 3 endtrk 128 endbit 180000 enddur 44100 endsmr Stereo endchm /music/РЃР»РєР°/РџСЂРѕРІР°РЅСЃ.mp3 endPth 
Moon endart Night endalb Rain endtit 2001 endyer Rock endgen 4 endtrk 128 endbit 180000 enddur 44100 endsmr Stereo endchm /music/Moon/Rain.mp3 endPth 
