#pragma once

#include <span>
#include <string_view>

#include "controls/control_table.h"

// The controls of every skinned window, named by one enum per window whose constants index the
// window's layout table. The tables hold the design rectangles, hints, pictures, screen-reader
// names and resize rules; the windows are built from them.
namespace tarvel::controls {

// The main window (TForm1), in the order of its table.
enum class Main {
    ImgVerhLEvo,
    ImgVerhCenter,
    ImgVerhPravo,
    imgLeftLine,
    imgRigthLine,
    ImgNizLevo,
    ImgNizCenter,
    ImgNizPravo,
    ImgLeftPlist,
    ImgRigthPlist,
    ImgCenterPlist,
    ImgPolosaLeftArt,
    ImgPolosaAlb,
    ImgPolosaSong,
    ImgSongSortBy,
    ImgPolosaPlist,
    ImgPlistSortBy,
    ImgingCenter,
    ImgEngSortBy,
    ImgEng,
    ImgPlayListAZ,
    ImgAlbAlboms,
    ImgAblSortBy,
    ImgSongSongs,
    ImgLsrtSortBy,
    ImgRusArt,
    Img2PL2,
    Img2CD,
    Img2Pl1,
    ImgPalkaForSkroll,
    ImgSkroll,
    imgPl,
    ImgPz,
    Label1,
    Label2,
    ImgPlayPause,
    ImgStop,
    ImgPrev,
    ImgNext,
    ImgAnStr,
    ImgAn,
    ImgVis,
    ImgVisStr,
    ImgCmdPref,
    ImgRepStr,
    ImgRepeat,
    ImgPref,
    ImgLibrary,
    ImgEqualizer,
    ImgHelp,
    ImgShuffStr,
    ImgShuffle,
    ImgUndo,
    ImgClose,
    ImgVniz,
    ImgMini,
    ImgTray,
    ImgCDmp3Libr,
    ImgMark,
    Label3,
    Gauge1,
    PaintFrame,
    CmdSearch,
    KVRScrollerVr5,
    ListBox5,
    KVRScrollerVr1,
    ListBox2,
    KVRScrollerVr2,
    ListBox3,
    ListBox4,
    KVRScrollerVr3,
    KVRScrollerVr4,
    ListBox1,
    StaticText2,
    StaticText1,
    StaticText3,
    TimeSKRL,
    VolumeSKRL,
    MarkL,
    MarkR,
    Count
};

// The mini player (TMinFrm).
enum class Mini {
    Imgfon,
    ImgLeft,
    ImgRigth,
    ImgPlayPause,
    ImgStop,
    ImgPrew,
    ImgNext,
    Label3,
    StaticText1,
    ImgPls,
    SCRLtimeMIN,
    SCRLvolumeMIN,
    ImgTray,
    ImgNormal,
    ImgMinimize,
    ImgClose,
    Count
};

// The small playlist window (TTalik).
enum class SmallList { ImgFon, ListBox6, KVRScrollerVr6, Count };

// The shuffle options (TSFoptions).
enum class Shuffle {
    imgfon,
    Label1,
    Label2,
    Label3,
    Label4,
    Label5,
    ScrollBar1,
    ScrollBar2,
    ScrollBar3,
    ScrollBar4,
    ScrollBar5,
    ImgSave,
    ImgClose,
    Count
};

// The equalizer (TEqualizer): sliders 1..16 are the bands, 17 the one left of them.
enum class Eq {
    ImgFonEq,
    ImgEnabled,
    ImgPreset,
    ImgClose,
    KVRScrollerVr1,
    KVRScrollerVr2,
    KVRScrollerVr3,
    KVRScrollerVr4,
    KVRScrollerVr5,
    KVRScrollerVr6,
    KVRScrollerVr7,
    KVRScrollerVr8,
    KVRScrollerVr9,
    KVRScrollerVr10,
    KVRScrollerVr11,
    KVRScrollerVr12,
    KVRScrollerVr13,
    KVRScrollerVr14,
    KVRScrollerVr15,
    KVRScrollerVr16,
    KVRScrollerVr17,
    Count
};

WindowTable MainWindowTable();
WindowTable MiniPlayerTable();
WindowTable SmallPlaylistTable();
WindowTable ShuffleOptionsTable();
WindowTable EqualizerTable();

// The table of each window, reached through the type of its enum.
inline WindowTable TableFor(Main) {
    return MainWindowTable();
}
inline WindowTable TableFor(Mini) {
    return MiniPlayerTable();
}
inline WindowTable TableFor(SmallList) {
    return SmallPlaylistTable();
}
inline WindowTable TableFor(Shuffle) {
    return ShuffleOptionsTable();
}
inline WindowTable TableFor(Eq) {
    return EqualizerTable();
}

template <typename Id>
const ControlRecord& RecordOf(Id id) {
    return TableFor(id).controls[static_cast<std::size_t>(id)];
}

// The n-th of a run of numbered controls that follow each other in their table (ListBox1 ..,
// KVRScrollerVr1 ..): first is number 1.
template <typename Id>
constexpr Id Numbered(Id first, int n) {
    return static_cast<Id>(static_cast<int>(first) + n - 1);
}

// Every skinned window's table, the main window first.
std::span<const WindowTable> AllWindowTables();
// The table of a window class; nullptr for a class that has none.
const WindowTable* FindWindowTable(std::string_view window_class);

}  // namespace tarvel::controls
