#include "window_layouts.h"

#include <cstring>
#include <stdexcept>

#include "controls/skin_controls.h"
#include "controls/window_tables.h"
#include "skin_style.h"

namespace tarvel::skin {
namespace {

using Kind = LayoutItem::Kind;
using controls::Eq;
using controls::Main;
using controls::Mini;
using controls::Shuffle;
using controls::SmallList;

// The outline from (left, top) to (right, bottom), the platform's way: right and bottom outside.
QRect Outline(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

// A control where its window's layout table puts it. The table's names are literals, so the name
// stays valid for the program's life.
template <typename Id>
LayoutItem Place(Kind kind, Id id, QColor colour = {}) {
    const controls::ControlRecord& record = controls::RecordOf(id);
    return {kind, record.name.data(), controls::ToQRect(record.rect), colour};
}
template <typename Id>
LayoutItem Back(Id id) {
    return Place(Kind::Backdrop, id);
}
template <typename Id>
LayoutItem Button(Id id) {
    return Place(Kind::Control, id);
}
template <typename Id>
LayoutItem Paint(Id id, QColor colour) {
    return Place(Kind::Painted, id, colour);
}

// The main window, its controls where its layout table puts them. The frame pieces and the header
// strips lie at the back, the buttons over them (in the order the window creates them, so a later
// one covers an earlier one where they share a pixel column), and the title label Label3 over
// everything: it covers the first three columns of ImgCDmp3Libr.
WindowLayout MainWindow() {
    return {
        "TForm1",
        {698, 619},
        Outline(7, 7, 682, 503),
        {
            Back(Main::ImgVerhLEvo),    Back(Main::ImgVerhCenter),    Back(Main::ImgVerhPravo),
            Back(Main::imgLeftLine),    Back(Main::imgRigthLine),     Back(Main::ImgNizLevo),
            Back(Main::ImgNizCenter),   Back(Main::ImgNizPravo),      Back(Main::ImgLeftPlist),
            Back(Main::ImgCenterPlist), Back(Main::ImgRigthPlist),    Back(Main::Img2Pl1),
            Back(Main::ImgRusArt),      Back(Main::ImgPolosaLeftArt), Back(Main::ImgLsrtSortBy),
            Back(Main::ImgAlbAlboms),   Back(Main::ImgPolosaAlb),     Back(Main::ImgAblSortBy),
            Back(Main::ImgSongSongs),   Back(Main::ImgPolosaSong),    Back(Main::ImgSongSortBy),
            Back(Main::ImgPlayListAZ),  Back(Main::ImgPolosaPlist),   Back(Main::ImgPlistSortBy),
            Back(Main::ImgEng),         Back(Main::ImgingCenter),     Back(Main::ImgEngSortBy),
            Button(Main::ImgPlayPause), Button(Main::ImgStop),        Button(Main::ImgPrev),
            Button(Main::ImgNext),      Button(Main::ImgAnStr),       Button(Main::ImgAn),
            Button(Main::ImgVis),       Button(Main::ImgVisStr),      Button(Main::ImgCmdPref),
            Button(Main::ImgRepStr),    Button(Main::ImgRepeat),      Button(Main::ImgPref),
            Button(Main::ImgLibrary),   Button(Main::ImgEqualizer),   Button(Main::ImgHelp),
            Button(Main::ImgShuffStr),  Button(Main::ImgShuffle),     Button(Main::ImgUndo),
            Button(Main::ImgClose),     Button(Main::ImgVniz),        Button(Main::ImgMini),
            Button(Main::ImgTray),      Button(Main::ImgCDmp3Libr),   Button(Main::ImgMark),
            Paint(Main::Label3, kRose),
        }};
}

// The mini player's strip: the ends and the background, the buttons, and the labels and bars
// the window paints in its strip colour.
WindowLayout MiniPlayer() {
    const QColor& strip = kMiniStrip;
    return {"TMinFrm",
            {733, 46},
            Outline(3, 3, 694, 26),
            {
                Back(Mini::Imgfon),
                Back(Mini::ImgLeft),
                Back(Mini::ImgRigth),
                Button(Mini::ImgPlayPause),
                Button(Mini::ImgStop),
                Button(Mini::ImgPrew),
                Button(Mini::ImgNext),
                Paint(Mini::Label3, strip),
                Paint(Mini::StaticText1, strip),
                Button(Mini::ImgPls),
                Paint(Mini::SCRLtimeMIN, strip),
                Paint(Mini::SCRLvolumeMIN, strip),
                Button(Mini::ImgTray),
                Button(Mini::ImgNormal),
                Button(Mini::ImgMinimize),
                Button(Mini::ImgClose),
            }};
}

// The small playlist window: its outline runs from (ImgFon.Left + 5, ImgFon.Top + 2) to
// (ImgFon.Left + ImgFon.Width - 1, ImgFon.Top + ImgFon.Height - 3).
WindowLayout SmallPlaylist() {
    return {"TTalik",
            {213, 291},
            Outline(4 + 5, 0 + 2, 4 + 198 - 1, 0 + 280 - 3),
            {
                Back(SmallList::ImgFon),
                Paint(SmallList::ListBox6, kList),
            }};
}

// The shuffle options: the background fills the window; the close button sits in the title
// strip like the equalizer's (it is the same picture), the save button at the bottom right.
WindowLayout ShuffleOptions() {
    return {"TSFoptions",
            {364, 182},
            Outline(0, 0, 364, 182),
            {
                Back(Shuffle::imgfon),
                Button(Shuffle::ImgClose),
                Button(Shuffle::ImgSave),
            }};
}

WindowLayout Equalizer() {
    return {"TEqualizer",
            {367, 187},
            Outline(8, 4, 8 + 351, 4 + 158),
            {
                Back(Eq::ImgFonEq),
                Button(Eq::ImgEnabled),
                Button(Eq::ImgPreset),
                Button(Eq::ImgClose),
            }};
}

}  // namespace

const std::vector<WindowLayout>& WindowLayouts() {
    static const std::vector<WindowLayout> layouts = {MainWindow(), MiniPlayer(), SmallPlaylist(),
                                                      ShuffleOptions(), Equalizer()};
    return layouts;
}

const WindowLayout& LayoutOf(const char* window) {
    for (const WindowLayout& layout : WindowLayouts()) {
        if (std::strcmp(layout.window, window) == 0)
            return layout;
    }
    throw std::invalid_argument(window);
}

}  // namespace tarvel::skin
