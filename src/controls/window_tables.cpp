#include "controls/window_tables.h"
#include "controls/skin_files.h"

namespace tarvel::controls {
namespace {

using K = ControlKind;
using R = Resize;
#define C TARVEL_CONTROL_ID

// The main window at its design size of 698 x 619 client pixels, back to front. The gauge, the
// spectrum strip and the command box share one place: the gauge lies over the analyser, so it
// shows only while a long operation runs, and the command box covers it while visible. The title
// strip Label3 lies over the left edge of ImgCDmp3Libr. The mark pictures imgPl and ImgPz are
// bitmaps: their pure red is drawn transparent, which a lossy format would not keep exact.
// clang-format off
constexpr ControlRecord kMain[] = {
    {C(Main, ImgVerhLEvo), K::Image, {7, 7, 268, 48}, true, "", "", "", {"\\forms\\TForm1\\ImgVerhLEvo.jpg"}},
    {C(Main, ImgVerhCenter), K::Image, {270, 7, 173, 48}, true, "", "", "", {"\\forms\\TForm1\\ImgVerhCenter.jpg"}, R::WidthWithWindow},
    {C(Main, ImgVerhPravo), K::Image, {442, 7, 240, 48}, true, "", "", "", {"\\forms\\TForm1\\ImgVerhPravo.jpg"}, R::RightWithWindow},
    {C(Main, imgLeftLine), K::Image, {7, 55, 12, 394}, true, "", "", "", {"\\forms\\TForm1\\imgLeftLine.jpg"}, R::HeightWithWindow},
    {C(Main, imgRigthLine), K::Image, {672, 54, 10, 393}, true, "", "", "", {"\\forms\\TForm1\\imgRigthLine.jpg"}, R::RightWithWindow | R::HeightWithWindow},
    {C(Main, ImgNizLevo), K::Image, {7, 446, 268, 57}, true, "", "", "", {"\\forms\\TForm1\\ImgNizLevo.jpg"}, R::DownWithWindow},
    {C(Main, ImgNizCenter), K::Image, {275, 446, 172, 57}, true, "", "", "", {"\\forms\\TForm1\\ImgNizCenter.jpg"}, R::WidthWithWindow | R::DownWithWindow},
    {C(Main, ImgNizPravo), K::Image, {442, 446, 240, 57}, true, "", "", "", {"\\forms\\TForm1\\ImgNizPravo.jpg"}, R::RightWithWindow | R::DownWithWindow},
    {C(Main, ImgLeftPlist), K::Image, {350, 64, 32, 22}, true, "", "", "", {"\\forms\\TForm1\\ImgLeftPlist.jpg"}, R::RightOfColumn2},
    {C(Main, ImgRigthPlist), K::Image, {478, 64, 32, 22}, true, "", "", "", {"\\forms\\TForm1\\ImgRigthPlist.jpg"}, R::RightOfColumn3},
    {C(Main, ImgCenterPlist), K::Image, {370, 64, 119, 22}, true, "", "", "", {"\\forms\\TForm1\\ImgCenterPlist.jpg"}, R::RightOfColumn2 | R::Column3Width},
    {C(Main, ImgPolosaLeftArt), K::Image, {80, 48, 29, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgPolosaLeftArt.jpg"}, R::Column1Width},
    {C(Main, ImgPolosaAlb), K::Image, {232, 48, 43, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgPolosaAlb.jpg"}, R::RightOfColumn1 | R::Column2Width},
    {C(Main, ImgPolosaSong), K::Image, {247, 244, 30, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgPolosaSong.jpg"}, R::RightOfColumn1 | R::Column2Width | R::BelowAlbums},
    {C(Main, ImgSongSortBy), K::Image, {273, 244, 56, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgSongSortBy.jpg"}, R::RightOfColumn2 | R::BelowAlbums},
    {C(Main, ImgPolosaPlist), K::Image, {418, 48, 33, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgPolosaPlist.jpg"}, R::RightOfColumn2 | R::Column3Width},
    {C(Main, ImgPlistSortBy), K::Image, {450, 48, 56, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgPlistSortBy.jpg"}, R::RightOfColumn3},
    {C(Main, ImgingCenter), K::Image, {586, 48, 29, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgingCenter.jpg"}, R::RightOfColumn3 | R::Column4Width},
    {C(Main, ImgEngSortBy), K::Image, {613, 48, 56, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgEngSortBy.jpg"}, R::RightOfColumn4},
    {C(Main, ImgEng), K::Image, {521, 48, 66, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgEng.jpg"}, R::RightOfColumn3},
    {C(Main, ImgPlayListAZ), K::Image, {357, 48, 66, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgPlayListAZ.jpg"}, R::RightOfColumn2},
    {C(Main, ImgAlbAlboms), K::Image, {177, 48, 66, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgAlbAlboms.jpg"}, R::RightOfColumn1},
    {C(Main, ImgAblSortBy), K::Image, {273, 48, 56, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgAblSortBy.jpg"}, R::RightOfColumn2},
    {C(Main, ImgSongSongs), K::Image, {181, 244, 66, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgSongSongs.jpg"}, R::RightOfColumn1 | R::BelowAlbums},
    {C(Main, ImgLsrtSortBy), K::Image, {107, 48, 56, 14}, true, "", "", "", {"\\forms\\TForm1\\ImgLsrtSortBy.jpg"}, R::RightOfColumn1},
    {C(Main, ImgRusArt), K::Image, {19, 48, 66, 14}, true, "", "", "", {kRusArtHeading}},
    {C(Main, Img2PL2), K::Image, {377, 65, 109, 22}, false, "", "", "", {"\\forms\\TForm1\\Img2PL2.jpg"}, R::PlaylistTab},
    {C(Main, Img2CD), K::Image, {377, 65, 109, 22}, false, "", "", "", {"\\forms\\TForm1\\Img2CD.jpg"}, R::PlaylistTab},
    {C(Main, Img2Pl1), K::Image, {377, 65, 109, 22}, true, "", "", "", {"\\forms\\TForm1\\Img2Pl1.jpg"}, R::PlaylistTab},
    {C(Main, ImgPalkaForSkroll), K::Image, {370, 600, 4, 15}, false, "", "", "", {"\\forms\\TForm1\\ImgPalkaForSkroll.jpg"}},
    {C(Main, ImgSkroll), K::Image, {622, 558, 10, 63}, false, "", "", "", {"\\forms\\TForm1\\ImgSkroll.jpg"}},
    {C(Main, imgPl), K::Image, {394, 576, 16, 17}, false, "", "", "", {"\\forms\\TForm1\\imgPl.bmp"}},
    {C(Main, ImgPz), K::Image, {414, 576, 16, 17}, false, "", "", "", {"\\forms\\TForm1\\ImgPz.bmp"}},
    {C(Main, Label1), K::Label, {570, 575, 32, 13}, false, "", "", ""},
    {C(Main, Label2), K::Label, {421, 575, 38, 15}, false, "", "", ""},
    {C(Main, ImgPlayPause), K::SkinButton, {14, 462, 31, 31}, true, "Play/Pause (Win + Space)", "", "Play/Pause", {"\\play\\play1.jpg", "\\play\\play2.jpg", "\\play\\play3.jpg", "\\play\\Pause1.jpg", "\\play\\Pause2.jpg", "\\play\\Pause3.jpg"}, R::DownWithWindow},
    {C(Main, ImgStop), K::SkinButton, {44, 468, 26, 25}, true, "Stop", "", "Stop", {"\\Stop\\Stop1.jpg", "\\Stop\\Stop2.jpg", "\\Stop\\Stop3.jpg"}, R::DownWithWindow},
    {C(Main, ImgPrev), K::SkinButton, {70, 470, 24, 23}, true, "Prev (Win + Left)", "", "Previous", {"\\Prev\\Prev1.jpg", "\\Prev\\Prev2.jpg", "\\Prev\\Prev3.jpg"}, R::DownWithWindow},
    {C(Main, ImgNext), K::SkinButton, {94, 472, 22, 21}, true, "Next (Win + Rigth)", "", "Next", {"\\Next\\Next1.jpg", "\\Next\\Next2.jpg", "\\Next\\Next3.jpg"}, R::DownWithWindow},
    {C(Main, ImgAnStr), K::SkinButton, {116, 474, 10, 10}, true, "Analizator options", "", "Spectrum options", {"\\strelki\\vlevo1.jpg", "\\strelki\\vlevo2.jpg"}, R::DownWithWindow},
    {C(Main, ImgAn), K::SkinButton, {126, 473, 21, 21}, true, "Analizator On/Off", "", "Spectrum on/off", {"\\Analizer\\Analizer1.jpg", "\\Analizer\\Analizer2.jpg", "\\Analizer\\Analizer3.jpg"}, R::DownWithWindow},
    {C(Main, ImgVis), K::SkinButton, {148, 474, 21, 20}, true, "Visualization", "", "Visualization", {"\\visualization\\visualization1.jpg", "\\visualization\\visualization2.jpg", "\\visualization\\visualization3.jpg"}, R::DownWithWindow},
    {C(Main, ImgVisStr), K::SkinButton, {168, 475, 10, 10}, true, "Visualization options", "", "Visualization options", {"\\strelki\\vpravo1.jpg", "\\strelki\\vpravo2.jpg"}, R::DownWithWindow},
    {C(Main, ImgCmdPref), K::SkinButton, {180, 475, 20, 19}, true, "Search options", "", "Search options", {"\\CmdPref\\CmdPref1.jpg", "\\CmdPref\\CmdPref2.jpg", "\\CmdPref\\CmdPref3.jpg"}, R::DownWithWindow},
    {C(Main, ImgRepStr), K::SkinButton, {492, 475, 10, 10}, true, "Repeat options", "", "Repeat options", {"\\strelki\\vlevo1.jpg", "\\strelki\\vlevo2.jpg"}, R::RightWithWindow | R::DownWithWindow},
    {C(Main, ImgRepeat), K::SkinButton, {502, 475, 21, 19}, true, "Repeat On/Off", "", "Repeat on/off", {"\\Repeat\\Repeat1.jpg", "\\Repeat\\Repeat2.jpg", "\\Repeat\\Repeat3.jpg"}, R::RightWithWindow | R::DownWithWindow},
    {C(Main, ImgPref), K::SkinButton, {646, 462, 31, 31}, true, "Preferences", "", "Preferences", {"\\Pref\\Pref1.jpg", "\\Pref\\Pref2.jpg", "\\Pref\\Pref3.jpg"}, R::RightWithWindow | R::DownWithWindow},
    {C(Main, ImgLibrary), K::SkinButton, {620, 468, 26, 26}, true, "Library", "", "Library", {"\\Library\\Library1.jpg", "\\Library\\Library2.jpg", "\\Library\\Library3.jpg"}, R::RightWithWindow | R::DownWithWindow},
    {C(Main, ImgEqualizer), K::SkinButton, {598, 470, 22, 23}, true, "Equalizer", "", "Equalizer", {"\\Equalizer\\Equalizer1.jpg", "\\Equalizer\\Equalizer2.jpg", "\\Equalizer\\Equalizer3.jpg"}, R::RightWithWindow | R::DownWithWindow},
    {C(Main, ImgHelp), K::SkinButton, {576, 472, 21, 21}, true, "Help", "", "Help", {"\\Help\\Help1.jpg", "\\Help\\Help2.jpg", "\\Help\\Help3.jpg"}, R::RightWithWindow | R::DownWithWindow},
    {C(Main, ImgShuffStr), K::SkinButton, {564, 472, 10, 10}, true, "Shuffle options", "", "Shuffle options", {"\\strelki\\vpravo1.jpg", "\\strelki\\vpravo2.jpg"}, R::RightWithWindow | R::DownWithWindow},
    {C(Main, ImgShuffle), K::SkinButton, {544, 473, 21, 21}, true, "Shuffle On/Off", "", "Shuffle on/off", {"\\Shuffle\\Shuffle1.jpg", "\\Shuffle\\Shuffle2.jpg", "\\Shuffle\\Shuffle3.jpg"}, R::RightWithWindow | R::DownWithWindow},
    {C(Main, ImgUndo), K::SkinButton, {524, 474, 19, 20}, true, "Undo", "", "Undo", {"\\Undo\\Undo1.jpg", "\\Undo\\Undo2.jpg", "\\Undo\\Undo3.jpg"}, R::RightWithWindow | R::DownWithWindow},
    {C(Main, ImgClose), K::SkinButton, {660, 10, 17, 17}, true, "Close", "", "Close", {"\\verhnieknopki\\x1.jpg", "\\verhnieknopki\\x2.jpg"}, R::RightWithWindow},
    {C(Main, ImgVniz), K::SkinButton, {644, 10, 17, 17}, true, "", "", "Minimize", {"\\verhnieknopki\\vniz1.jpg", "\\verhnieknopki\\vniz2.jpg"}, R::RightWithWindow},
    {C(Main, ImgMini), K::SkinButton, {626, 10, 17, 17}, true, "Mini Panel", "", "Mini panel", {"\\verhnieknopki\\mini1.jpg", "\\verhnieknopki\\mini2.jpg"}, R::RightWithWindow},
    {C(Main, ImgTray), K::SkinButton, {608, 10, 17, 17}, true, "Tray", "", "Tray", {"\\verhnieknopki\\Tray1.jpg", "\\verhnieknopki\\Tray2.jpg"}, R::RightWithWindow},
    {C(Main, ImgCDmp3Libr), K::SkinButton, {532, 12, 72, 14}, true, "", "", "Playlist source", {"\\forms\\TForm1\\ImgCDmp3Libr.jpg"}, R::RightWithWindow},
    {C(Main, ImgMark), K::SkinButton, {18, 30, 16, 15}, true, "Mark", "", "Mark", {"\\Mark\\Mark1.jpg", "\\Mark\\Mark2.jpg", "\\Mark\\Mark2.jpg"}},
    {C(Main, Label3), K::TitleStrip, {64, 12, 471, 15}, true, "", "", "Title", {}, R::WidthWithWindow},
    {C(Main, Gauge1), K::Gauge, {202, 476, 288, 17}, false, "", "", "Progress", {}, R::WidthWithWindow | R::DownWithWindow},
    {C(Main, PaintFrame), K::PaintBox, {202, 476, 288, 17}, true, "", "", "Spectrum", {}, R::WidthWithWindow | R::DownWithWindow},
    {C(Main, CmdSearch), K::EditBox, {202, 476, 288, 17}, true, "Командная строка и строка поиска, слева от строки находится кнопка выбора параметров...", "", "Search", {}, R::WidthWithWindow | R::DownWithWindow},
    {C(Main, KVRScrollerVr5), K::VerticalBar, {343, 46, 10, 425}, true, "", "", "Playlist scroll bar", {}, R::HeightWithWindow | R::RightOfColumn2},
    {C(Main, ListBox5), K::List, {355, 86, 150, 384}, true, "", "", "Playlist", {}, R::HeightWithWindow | R::RightOfColumn2 | R::Column3Width},
    {C(Main, KVRScrollerVr1), K::VerticalBar, {165, 46, 10, 423}, true, "", "", "Artists (Cyrillic) scroll bar", {}, R::HeightWithWindow | R::RightOfColumn1},
    {C(Main, ListBox2), K::List, {520, 66, 150, 385}, true, "", "", "Artists (Latin)", {}, R::HeightWithWindow | R::RightOfColumn3 | R::Column4Width},
    {C(Main, KVRScrollerVr2), K::VerticalBar, {508, 46, 10, 423}, true, "", "", "Artists (Latin) scroll bar", {}, R::HeightWithWindow | R::RightOfColumn3},
    {C(Main, ListBox3), K::List, {179, 66, 150, 177}, true, "", "", "Albums", {}, R::RightOfColumn1 | R::Column2Width | R::AlbumHeight},
    {C(Main, ListBox4), K::List, {179, 260, 150, 209}, true, "", "", "Songs", {}, R::RightOfColumn1 | R::Column2Width | R::SongHeight | R::BelowAlbums},
    {C(Main, KVRScrollerVr3), K::VerticalBar, {331, 46, 10, 199}, true, "", "", "Albums scroll bar", {}, R::RightOfColumn2 | R::AlbumHeight},
    {C(Main, KVRScrollerVr4), K::VerticalBar, {331, 244, 10, 227}, true, "", "", "Songs scroll bar", {}, R::RightOfColumn2 | R::SongHeight | R::BelowAlbums},
    {C(Main, ListBox1), K::List, {17, 64, 150, 385}, true, "", "", "Artists (Cyrillic)", {}, R::HeightWithWindow | R::Column1Width},
    {C(Main, StaticText2), K::Label, {348, 30, 111, 13}, true, "", "0:00/0:00", ""},
    {C(Main, StaticText1), K::Label, {250, 30, 91, 13}, true, "", "0:00/0:00", ""},
    {C(Main, StaticText3), K::Label, {348, 30, 111, 13}, false, "Time/Size in MB", "00MB", ""},
    {C(Main, TimeSKRL), K::HorizontalBar, {36, 29, 211, 15}, true, "", "", "Position"},
    {C(Main, VolumeSKRL), K::HorizontalBar, {464, 29, 211, 15}, true, "Volome (Win + Up/Down)", "", "Volume"},
    {C(Main, MarkL), K::Label, {106, 29, 2, 15}, false, "", "", ""},
    {C(Main, MarkR), K::Label, {144, 29, 2, 15}, false, "", "", ""},
};
// clang-format on

// The secondary windows. Their client sizes and outlines are the windows' own.
// clang-format off
constexpr ControlRecord kMini[] = {
    {C(Mini, Imgfon), K::Background, {10, 2, 673, 24}, true, "", "", "", {"\\forms\\TMinFrm\\Imgfon.jpg"}},
    {C(Mini, ImgLeft), K::Background, {2, 2, 8, 24}, true, "", "", "", {"\\forms\\TMinFrm\\ImgLeft.jpg"}},
    {C(Mini, ImgRigth), K::Background, {682, 2, 12, 24}, true, "", "", "", {"\\forms\\TMinFrm\\ImgRigth.jpg"}},
    {C(Mini, ImgPlayPause), K::SkinButton, {11, 6, 18, 18}, true, "Play/Pause (Win + Space)", "", "Play/Pause", {"\\mini\\play1.jpg", "\\mini\\play2.jpg", "\\mini\\play2.jpg", "\\mini\\Pause1.jpg", "\\mini\\Pause2.jpg", "\\mini\\Pause2.jpg"}},
    {C(Mini, ImgStop), K::SkinButton, {29, 6, 18, 18}, true, "Stop", "", "Stop", {"\\mini\\Stop1.jpg", "\\mini\\Stop2.jpg", "\\mini\\Stop2.jpg"}},
    {C(Mini, ImgPrew), K::SkinButton, {47, 6, 18, 18}, true, "Prev (Win + Left)", "", "Previous", {"\\mini\\Prew1.jpg", "\\mini\\Prew2.jpg", "\\mini\\Prew2.jpg"}},
    {C(Mini, ImgNext), K::SkinButton, {65, 6, 18, 18}, true, "Next (Win + Rigth)", "", "Next", {"\\mini\\Next1.jpg", "\\mini\\Next2.jpg", "\\mini\\Next2.jpg"}},
    {C(Mini, Label3), K::TitleStrip, {82, 7, 221, 13}, true, "", "", "Title"},
    {C(Mini, StaticText1), K::Label, {303, 7, 149, 15}, true, "", "0:00/0:00...0:00/0:00", ""},
    {C(Mini, ImgPls), K::SkinButton, {455, 6, 18, 18}, true, "Show PlayList", "", "Show playlist", {"\\mini\\Pls1.jpg", "\\mini\\Pls2.jpg"}},
    {C(Mini, SCRLtimeMIN), K::HorizontalBar, {476, 7, 141, 8}, true, "", "", "Position"},
    {C(Mini, SCRLvolumeMIN), K::HorizontalBar, {476, 13, 141, 9}, true, "Volome (Win + Up/Down)", "", "Volume"},
    {C(Mini, ImgTray), K::SkinButton, {617, 5, 17, 17}, true, "Tray", "", "Tray", {"\\verhnieknopki\\Tray1.jpg", "\\verhnieknopki\\Tray2.jpg"}},
    {C(Mini, ImgNormal), K::SkinButton, {634, 5, 17, 17}, true, "Normal Panel", "", "Normal panel", {"\\verhnieknopki\\mini1.jpg", "\\verhnieknopki\\mini2.jpg"}},
    {C(Mini, ImgMinimize), K::SkinButton, {652, 5, 17, 17}, true, "", "", "Minimize", {"\\verhnieknopki\\vniz1.jpg", "\\verhnieknopki\\vniz2.jpg"}},
    {C(Mini, ImgClose), K::SkinButton, {670, 5, 17, 17}, true, "Close", "", "Close", {"\\verhnieknopki\\x1.jpg", "\\verhnieknopki\\x2.jpg"}},
};
constexpr ControlRecord kSmallList[] = {
    {C(SmallList, ImgFon), K::Background, {4, 0, 198, 280}, true, "", "", "", {"\\MiniPlayList\\pls_small.jpg"}},
    {C(SmallList, ListBox6), K::List, {21, 13, 154, 254}, true, "", "", "Playlist"},
    {C(SmallList, KVRScrollerVr6), K::VerticalBar, {177, 12, 10, 255}, true, "", "", "Playlist scroll bar"},
};
constexpr ControlRecord kShuffle[] = {
    {C(Shuffle, imgfon), K::Background, {0, 0, 364, 182}, true, "", "", "", {"\\Shuffle\\shufflefon.jpg"}},
    {C(Shuffle, Label1), K::Label, {18, 34, 114, 16}, true, "", "From All Library:", ""},
    {C(Shuffle, Label2), K::Label, {18, 58, 114, 16}, true, "", "From Rus Artist:", ""},
    {C(Shuffle, Label3), K::Label, {18, 82, 114, 16}, true, "", "From Eng Artist", ""},
    {C(Shuffle, Label4), K::Label, {18, 106, 114, 16}, true, "", "From Active Art:", ""},
    {C(Shuffle, Label5), K::Label, {18, 130, 114, 16}, true, "", "From Active Alb:", ""},
    {C(Shuffle, ScrollBar1), K::HorizontalBar, {134, 34, 214, 16}, true, "", "", "From all library"},
    {C(Shuffle, ScrollBar2), K::HorizontalBar, {134, 58, 214, 16}, true, "", "", "From Cyrillic artists"},
    {C(Shuffle, ScrollBar3), K::HorizontalBar, {134, 82, 214, 16}, true, "", "", "From Latin artists"},
    {C(Shuffle, ScrollBar4), K::HorizontalBar, {134, 106, 214, 16}, true, "", "", "From the active artist"},
    {C(Shuffle, ScrollBar5), K::HorizontalBar, {134, 130, 214, 16}, true, "", "", "From the active album"},
    {C(Shuffle, ImgSave), K::SkinButton, {302, 157, 52, 19}, true, "", "", "Save", {"\\Shuffle\\save.jpg", "\\Shuffle\\save2.jpg"}},
    {C(Shuffle, ImgClose), K::SkinButton, {339, 4, 19, 19}, true, "Close", "", "Close", {"\\Shuffle\\close2.jpg", "\\Shuffle\\close.jpg"}},
};
constexpr ControlRecord kEq[] = {
    {C(Eq, ImgFonEq), K::Background, {8, 4, 351, 158}, true, "", "", "", {"\\eq\\eqforma.jpg"}},
    {C(Eq, ImgEnabled), K::Image, {240, 12, 47, 15}, true, "", "", "Equalizer on/off", {"\\eq\\Enabled.jpg", "\\eq\\Enabled2.jpg"}},
    {C(Eq, ImgPreset), K::SkinButton, {286, 12, 44, 15}, true, "", "", "Presets", {"\\eq\\Presets.jpg", "\\eq\\Presets2.jpg"}},
    {C(Eq, ImgClose), K::SkinButton, {331, 9, 19, 19}, true, "Close", "", "Close", {"\\Shuffle\\close2.jpg", "\\Shuffle\\close.jpg"}},
    {C(Eq, KVRScrollerVr1), K::VerticalBar, {60, 34, 10, 108}, true, "", "", "Band 1"},
    {C(Eq, KVRScrollerVr2), K::VerticalBar, {78, 34, 10, 108}, true, "", "", "Band 2"},
    {C(Eq, KVRScrollerVr3), K::VerticalBar, {96, 34, 10, 108}, true, "", "", "Band 3"},
    {C(Eq, KVRScrollerVr4), K::VerticalBar, {114, 34, 10, 108}, true, "", "", "Band 4"},
    {C(Eq, KVRScrollerVr5), K::VerticalBar, {132, 34, 10, 108}, true, "", "", "Band 5"},
    {C(Eq, KVRScrollerVr6), K::VerticalBar, {150, 34, 10, 108}, true, "", "", "Band 6"},
    {C(Eq, KVRScrollerVr7), K::VerticalBar, {168, 34, 10, 108}, true, "", "", "Band 7"},
    {C(Eq, KVRScrollerVr8), K::VerticalBar, {186, 34, 10, 108}, true, "", "", "Band 8"},
    {C(Eq, KVRScrollerVr9), K::VerticalBar, {204, 34, 10, 108}, true, "", "", "Band 9"},
    {C(Eq, KVRScrollerVr10), K::VerticalBar, {222, 34, 10, 108}, true, "", "", "Band 10"},
    {C(Eq, KVRScrollerVr11), K::VerticalBar, {240, 34, 10, 108}, true, "", "", "Band 11"},
    {C(Eq, KVRScrollerVr12), K::VerticalBar, {258, 34, 10, 108}, true, "", "", "Band 12"},
    {C(Eq, KVRScrollerVr13), K::VerticalBar, {276, 34, 10, 108}, true, "", "", "Band 13"},
    {C(Eq, KVRScrollerVr14), K::VerticalBar, {294, 34, 10, 108}, true, "", "", "Band 14"},
    {C(Eq, KVRScrollerVr15), K::VerticalBar, {312, 34, 10, 108}, true, "", "", "Band 15"},
    {C(Eq, KVRScrollerVr16), K::VerticalBar, {330, 34, 10, 108}, true, "", "", "Band 16"},
    {C(Eq, KVRScrollerVr17), K::VerticalBar, {30, 34, 10, 108}, true, "", "", "Band 16 (left slider)"},
};
// clang-format on

#undef C
static_assert(InIdOrder<Main>(kMain));
static_assert(InIdOrder<Mini>(kMini));
static_assert(InIdOrder<SmallList>(kSmallList));
static_assert(InIdOrder<Shuffle>(kShuffle));
static_assert(InIdOrder<Eq>(kEq));

}  // namespace

WindowTable MainWindowTable() {
    return {"TForm1", kMain};
}

WindowTable MiniPlayerTable() {
    return {"TMinFrm", kMini};
}

WindowTable SmallPlaylistTable() {
    return {"TTalik", kSmallList};
}

WindowTable ShuffleOptionsTable() {
    return {"TSFoptions", kShuffle};
}

WindowTable EqualizerTable() {
    return {"TEqualizer", kEq};
}

std::span<const WindowTable> AllWindowTables() {
    static const WindowTable tables[] = {MainWindowTable(), MiniPlayerTable(), SmallPlaylistTable(),
                                         ShuffleOptionsTable(), EqualizerTable()};
    return tables;
}

const WindowTable* FindWindowTable(std::string_view window_class) {
    for (const WindowTable& table : AllWindowTables()) {
        if (table.window_class == window_class) {
            return &table;
        }
    }
    return nullptr;
}

}  // namespace tarvel::controls
