#include "controls/skin_files.h"

#include <algorithm>

namespace tarvel::controls {
namespace {

constexpr std::string_view kPicturesPrefix = "\\Pictures\\";

// clang-format off
constexpr SkinSlots kTable[] = {
    // Main window buttons.
    {"TForm1", "ImgPlayPause", {"\\play\\play1.jpg", "\\play\\play2.jpg", "\\play\\play3.jpg",
                                "\\play\\Pause1.jpg", "\\play\\Pause2.jpg", "\\play\\Pause3.jpg"}},
    {"TForm1", "ImgStop", {"\\Stop\\Stop1.jpg", "\\Stop\\Stop2.jpg", "\\Stop\\Stop3.jpg"}},
    {"TForm1", "ImgPrev", {"\\Prev\\Prev1.jpg", "\\Prev\\Prev2.jpg", "\\Prev\\Prev3.jpg"}},
    {"TForm1", "ImgNext", {"\\Next\\Next1.jpg", "\\Next\\Next2.jpg", "\\Next\\Next3.jpg"}},
    {"TForm1", "ImgAnStr", {"\\strelki\\vlevo1.jpg", "\\strelki\\vlevo2.jpg"}},
    {"TForm1", "ImgAn", {"\\Analizer\\Analizer1.jpg", "\\Analizer\\Analizer2.jpg",
                         "\\Analizer\\Analizer3.jpg"}},
    {"TForm1", "ImgVis", {"\\visualization\\visualization1.jpg",
                          "\\visualization\\visualization2.jpg",
                          "\\visualization\\visualization3.jpg"}},
    {"TForm1", "ImgVisStr", {"\\strelki\\vpravo1.jpg", "\\strelki\\vpravo2.jpg"}},
    {"TForm1", "ImgCmdPref", {"\\CmdPref\\CmdPref1.jpg", "\\CmdPref\\CmdPref2.jpg",
                              "\\CmdPref\\CmdPref3.jpg"}},
    {"TForm1", "ImgRepStr", {"\\strelki\\vlevo1.jpg", "\\strelki\\vlevo2.jpg"}},
    {"TForm1", "ImgRepeat", {"\\Repeat\\Repeat1.jpg", "\\Repeat\\Repeat2.jpg",
                             "\\Repeat\\Repeat3.jpg"}},
    {"TForm1", "ImgUndo", {"\\Undo\\Undo1.jpg", "\\Undo\\Undo2.jpg", "\\Undo\\Undo3.jpg"}},
    {"TForm1", "ImgShuffle", {"\\Shuffle\\Shuffle1.jpg", "\\Shuffle\\Shuffle2.jpg",
                              "\\Shuffle\\Shuffle3.jpg"}},
    {"TForm1", "ImgShuffStr", {"\\strelki\\vpravo1.jpg", "\\strelki\\vpravo2.jpg"}},
    {"TForm1", "ImgHelp", {"\\Help\\Help1.jpg", "\\Help\\Help2.jpg", "\\Help\\Help3.jpg"}},
    {"TForm1", "ImgEqualizer", {"\\Equalizer\\Equalizer1.jpg", "\\Equalizer\\Equalizer2.jpg",
                                "\\Equalizer\\Equalizer3.jpg"}},
    {"TForm1", "ImgLibrary", {"\\Library\\Library1.jpg", "\\Library\\Library2.jpg",
                              "\\Library\\Library3.jpg"}},
    {"TForm1", "ImgPref", {"\\Pref\\Pref1.jpg", "\\Pref\\Pref2.jpg", "\\Pref\\Pref3.jpg"}},
    {"TForm1", "ImgClose", {"\\verhnieknopki\\x1.jpg", "\\verhnieknopki\\x2.jpg"}},
    {"TForm1", "ImgVniz", {"\\verhnieknopki\\vniz1.jpg", "\\verhnieknopki\\vniz2.jpg"}},
    {"TForm1", "ImgMini", {"\\verhnieknopki\\mini1.jpg", "\\verhnieknopki\\mini2.jpg"}},
    {"TForm1", "ImgTray", {"\\verhnieknopki\\Tray1.jpg", "\\verhnieknopki\\Tray2.jpg"}},
    {"TForm1", "ImgMark", {"\\Mark\\Mark1.jpg", "\\Mark\\Mark2.jpg", "\\Mark\\Mark2.jpg"}},
    // Main window definition pictures.
    {"TForm1", "ImgVerhLEvo", {"\\forms\\TForm1\\ImgVerhLEvo.jpg"}},
    {"TForm1", "ImgVerhCenter", {"\\forms\\TForm1\\ImgVerhCenter.jpg"}},
    {"TForm1", "ImgVerhPravo", {"\\forms\\TForm1\\ImgVerhPravo.jpg"}},
    {"TForm1", "imgLeftLine", {"\\forms\\TForm1\\imgLeftLine.jpg"}},
    {"TForm1", "imgRigthLine", {"\\forms\\TForm1\\imgRigthLine.jpg"}},
    {"TForm1", "ImgNizLevo", {"\\forms\\TForm1\\ImgNizLevo.jpg"}},
    {"TForm1", "ImgNizCenter", {"\\forms\\TForm1\\ImgNizCenter.jpg"}},
    {"TForm1", "ImgNizPravo", {"\\forms\\TForm1\\ImgNizPravo.jpg"}},
    {"TForm1", "ImgLeftPlist", {"\\forms\\TForm1\\ImgLeftPlist.jpg"}},
    {"TForm1", "ImgCenterPlist", {"\\forms\\TForm1\\ImgCenterPlist.jpg"}},
    {"TForm1", "ImgRigthPlist", {"\\forms\\TForm1\\ImgRigthPlist.jpg"}},
    {"TForm1", "Img2Pl1", {"\\forms\\TForm1\\Img2Pl1.jpg"}},
    {"TForm1", "Img2CD", {"\\forms\\TForm1\\Img2CD.jpg"}},
    {"TForm1", "Img2PL2", {"\\forms\\TForm1\\Img2PL2.jpg"}},
    {"TForm1", "ImgCDmp3Libr", {"\\forms\\TForm1\\ImgCDmp3Libr.jpg"}},
    {"TForm1", "ImgRusArt", {kRusArtHeading}},
    {"TForm1", "ImgPolosaLeftArt", {"\\forms\\TForm1\\ImgPolosaLeftArt.jpg"}},
    {"TForm1", "ImgLsrtSortBy", {"\\forms\\TForm1\\ImgLsrtSortBy.jpg"}},
    {"TForm1", "ImgAlbAlboms", {"\\forms\\TForm1\\ImgAlbAlboms.jpg"}},
    {"TForm1", "ImgPolosaAlb", {"\\forms\\TForm1\\ImgPolosaAlb.jpg"}},
    {"TForm1", "ImgAblSortBy", {"\\forms\\TForm1\\ImgAblSortBy.jpg"}},
    {"TForm1", "ImgSongSongs", {"\\forms\\TForm1\\ImgSongSongs.jpg"}},
    {"TForm1", "ImgPolosaSong", {"\\forms\\TForm1\\ImgPolosaSong.jpg"}},
    {"TForm1", "ImgSongSortBy", {"\\forms\\TForm1\\ImgSongSortBy.jpg"}},
    {"TForm1", "ImgPlayListAZ", {"\\forms\\TForm1\\ImgPlayListAZ.jpg"}},
    {"TForm1", "ImgPolosaPlist", {"\\forms\\TForm1\\ImgPolosaPlist.jpg"}},
    {"TForm1", "ImgPlistSortBy", {"\\forms\\TForm1\\ImgPlistSortBy.jpg"}},
    {"TForm1", "ImgEng", {"\\forms\\TForm1\\ImgEng.jpg"}},
    {"TForm1", "ImgingCenter", {"\\forms\\TForm1\\ImgingCenter.jpg"}},
    {"TForm1", "ImgEngSortBy", {"\\forms\\TForm1\\ImgEngSortBy.jpg"}},
    {"TForm1", "ImgPalkaForSkroll", {"\\forms\\TForm1\\ImgPalkaForSkroll.jpg"}},
    {"TForm1", "ImgSkroll", {"\\forms\\TForm1\\ImgSkroll.jpg"}},
    // The mark pictures are bitmaps: their pure red is drawn transparent, which a lossy format
    // would not keep exact.
    {"TForm1", "imgPl", {"\\forms\\TForm1\\imgPl.bmp"}},
    {"TForm1", "ImgPz", {"\\forms\\TForm1\\ImgPz.bmp"}},
    // Mini player.
    {"TMinFrm", "ImgPlayPause", {"\\mini\\play1.jpg", "\\mini\\play2.jpg", "\\mini\\play2.jpg",
                                 "\\mini\\Pause1.jpg", "\\mini\\Pause2.jpg", "\\mini\\Pause2.jpg"}},
    {"TMinFrm", "ImgStop", {"\\mini\\Stop1.jpg", "\\mini\\Stop2.jpg", "\\mini\\Stop2.jpg"}},
    {"TMinFrm", "ImgPrew", {"\\mini\\Prew1.jpg", "\\mini\\Prew2.jpg", "\\mini\\Prew2.jpg"}},
    {"TMinFrm", "ImgNext", {"\\mini\\Next1.jpg", "\\mini\\Next2.jpg", "\\mini\\Next2.jpg"}},
    {"TMinFrm", "ImgClose", {"\\verhnieknopki\\x1.jpg", "\\verhnieknopki\\x2.jpg"}},
    {"TMinFrm", "ImgMinimize", {"\\verhnieknopki\\vniz1.jpg", "\\verhnieknopki\\vniz2.jpg"}},
    {"TMinFrm", "ImgNormal", {"\\verhnieknopki\\mini1.jpg", "\\verhnieknopki\\mini2.jpg"}},
    {"TMinFrm", "ImgTray", {"\\verhnieknopki\\Tray1.jpg", "\\verhnieknopki\\Tray2.jpg"}},
    {"TMinFrm", "ImgPls", {"\\mini\\Pls1.jpg", "\\mini\\Pls2.jpg"}},
    {"TMinFrm", "Imgfon", {"\\forms\\TMinFrm\\Imgfon.jpg"}},
    {"TMinFrm", "ImgLeft", {"\\forms\\TMinFrm\\ImgLeft.jpg"}},
    {"TMinFrm", "ImgRigth", {"\\forms\\TMinFrm\\ImgRigth.jpg"}},
    // Small playlist window.
    {"TTalik", "ImgFon", {"\\MiniPlayList\\pls_small.jpg"}},
    // Shuffle options.
    {"TSFoptions", "imgfon", {"\\Shuffle\\shufflefon.jpg"}},
    {"TSFoptions", "ImgSave", {"\\Shuffle\\save.jpg", "\\Shuffle\\save2.jpg"}},
    {"TSFoptions", "ImgClose", {"\\Shuffle\\close2.jpg", "\\Shuffle\\close.jpg"}},
    // Equalizer.
    {"TEqualizer", "ImgFonEq", {"\\eq\\eqforma.jpg"}},
    {"TEqualizer", "ImgEnabled", {"\\eq\\Enabled.jpg", "\\eq\\Enabled2.jpg"}},
    {"TEqualizer", "ImgPreset", {"\\eq\\Presets.jpg", "\\eq\\Presets2.jpg"}},
    {"TEqualizer", "ImgClose", {"\\Shuffle\\close2.jpg", "\\Shuffle\\close.jpg"}},
};
// clang-format on

}  // namespace

std::span<const SkinSlots> SkinTable() {
    return kTable;
}

std::string PicturesRelative(std::string_view name) {
    if (name.starts_with(kPicturesPrefix)) {
        name.remove_prefix(kPicturesPrefix.size());
    } else if (name.starts_with('\\')) {
        name.remove_prefix(1);
    }
    std::string path(name);
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

std::vector<std::string> AllSkinFiles() {
    std::vector<std::string> files = {PicturesRelative(kArtHeading),
                                      PicturesRelative(kRusArtHeading)};
    for (const SkinSlots& entry : kTable) {
        for (std::string_view file : entry.files) {
            if (!file.empty())
                files.push_back(PicturesRelative(file));
        }
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    return files;
}

}  // namespace tarvel::controls
