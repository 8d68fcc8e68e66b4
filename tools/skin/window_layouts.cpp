#include "window_layouts.h"

#include <cstring>
#include <stdexcept>

#include "skin_style.h"

namespace tarvel::skin {
namespace {

using Kind = LayoutItem::Kind;

// The outline from (left, top) to (right, bottom), the platform's way: right and bottom outside.
QRect Outline(int left, int top, int right, int bottom) {
    return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}

LayoutItem Back(const char* control, QRect at) {
    return {Kind::Backdrop, control, at};
}
LayoutItem Button(const char* control, QRect at) {
    return {Kind::Control, control, at};
}
LayoutItem Paint(const char* control, QRect at, QColor colour) {
    return {Kind::Painted, control, at, colour};
}

// Design places of the main window. The frame pieces and the header strips lie at the back, the
// buttons over them (in the order the window creates them, so a later one covers an earlier one
// where they share a pixel column), and the title label Label3 over everything: it covers the
// first three columns of ImgCDmp3Libr.
WindowLayout MainWindow() {
    return {
        "TForm1",
        {698, 619},
        Outline(7, 7, 682, 503),
        {
            Back("ImgVerhLEvo", {7, 7, 268, 48}),       Back("ImgVerhCenter", {270, 7, 173, 48}),
            Back("ImgVerhPravo", {442, 7, 240, 48}),    Back("imgLeftLine", {7, 55, 12, 394}),
            Back("imgRigthLine", {672, 54, 10, 393}),   Back("ImgNizLevo", {7, 446, 268, 57}),
            Back("ImgNizCenter", {275, 446, 172, 57}),  Back("ImgNizPravo", {442, 446, 240, 57}),
            Back("ImgLeftPlist", {350, 64, 32, 22}),    Back("ImgCenterPlist", {370, 64, 119, 22}),
            Back("ImgRigthPlist", {478, 64, 32, 22}),   Back("Img2Pl1", {377, 65, 109, 22}),
            Back("ImgRusArt", {19, 48, 66, 14}),        Back("ImgPolosaLeftArt", {80, 48, 29, 14}),
            Back("ImgLsrtSortBy", {107, 48, 56, 14}),   Back("ImgAlbAlboms", {177, 48, 66, 14}),
            Back("ImgPolosaAlb", {232, 48, 43, 14}),    Back("ImgAblSortBy", {273, 48, 56, 14}),
            Back("ImgSongSongs", {181, 244, 66, 14}),   Back("ImgPolosaSong", {247, 244, 30, 14}),
            Back("ImgSongSortBy", {273, 244, 56, 14}),  Back("ImgPlayListAZ", {357, 48, 66, 14}),
            Back("ImgPolosaPlist", {418, 48, 33, 14}),  Back("ImgPlistSortBy", {450, 48, 56, 14}),
            Back("ImgEng", {521, 48, 66, 14}),          Back("ImgingCenter", {586, 48, 29, 14}),
            Back("ImgEngSortBy", {613, 48, 56, 14}),    Button("ImgPlayPause", {14, 462, 31, 31}),
            Button("ImgStop", {44, 468, 26, 25}),       Button("ImgPrev", {70, 470, 24, 23}),
            Button("ImgNext", {94, 472, 22, 21}),       Button("ImgAnStr", {116, 474, 10, 10}),
            Button("ImgAn", {126, 473, 21, 21}),        Button("ImgVis", {148, 474, 21, 20}),
            Button("ImgVisStr", {168, 475, 10, 10}),    Button("ImgCmdPref", {180, 475, 20, 19}),
            Button("ImgRepStr", {492, 475, 10, 10}),    Button("ImgRepeat", {502, 475, 21, 19}),
            Button("ImgPref", {646, 462, 31, 31}),      Button("ImgLibrary", {620, 468, 26, 26}),
            Button("ImgEqualizer", {598, 470, 22, 23}), Button("ImgHelp", {576, 472, 21, 21}),
            Button("ImgShuffStr", {564, 472, 10, 10}),  Button("ImgShuffle", {544, 473, 21, 21}),
            Button("ImgUndo", {524, 474, 19, 20}),      Button("ImgClose", {660, 10, 17, 17}),
            Button("ImgVniz", {644, 10, 17, 17}),       Button("ImgMini", {626, 10, 17, 17}),
            Button("ImgTray", {608, 10, 17, 17}),       Button("ImgCDmp3Libr", {532, 12, 72, 14}),
            Button("ImgMark", {18, 30, 16, 15}),        Paint("Label3", {64, 12, 471, 15}, kRose),
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
                Back("Imgfon", {10, 2, 673, 24}),
                Back("ImgLeft", {2, 2, 8, 24}),
                Back("ImgRigth", {682, 2, 12, 24}),
                Button("ImgPlayPause", {11, 6, 18, 18}),
                Button("ImgStop", {29, 6, 18, 18}),
                Button("ImgPrew", {47, 6, 18, 18}),
                Button("ImgNext", {65, 6, 18, 18}),
                Paint("Label3", {82, 7, 221, 13}, strip),
                Paint("StaticText1", {303, 7, 149, 15}, strip),
                Button("ImgPls", {455, 6, 18, 18}),
                Paint("SCRLtimeMIN", {476, 7, 141, 8}, strip),
                Paint("SCRLvolumeMIN", {476, 13, 141, 9}, strip),
                Button("ImgTray", {617, 5, 17, 17}),
                Button("ImgNormal", {634, 5, 17, 17}),
                Button("ImgMinimize", {652, 5, 17, 17}),
                Button("ImgClose", {670, 5, 17, 17}),
            }};
}

// The small playlist window: its outline runs from (ImgFon.Left + 5, ImgFon.Top + 2) to
// (ImgFon.Left + ImgFon.Width - 1, ImgFon.Top + ImgFon.Height - 3).
WindowLayout SmallPlaylist() {
    return {"TTalik",
            {213, 291},
            Outline(4 + 5, 0 + 2, 4 + 198 - 1, 0 + 280 - 3),
            {
                Back("ImgFon", {4, 0, 198, 280}),
                Paint("ListBox6", {21, 13, 154, 254}, kList),
            }};
}

// The shuffle options: the background fills the window; the close button sits in the title
// strip like the equalizer's (it is the same picture), the save button at the bottom right.
WindowLayout ShuffleOptions() {
    return {"TSFoptions",
            {364, 182},
            Outline(0, 0, 364, 182),
            {
                Back("imgfon", {0, 0, 364, 182}),
                Button("ImgClose", {339, 4, 19, 19}),
                Button("ImgSave", {302, 157, 52, 19}),
            }};
}

WindowLayout Equalizer() {
    return {"TEqualizer",
            {367, 187},
            Outline(8, 4, 8 + 351, 4 + 158),
            {
                Back("ImgFonEq", {8, 4, 351, 158}),
                Button("ImgEnabled", {240, 12, 47, 15}),
                Button("ImgPreset", {286, 12, 44, 15}),
                Button("ImgClose", {331, 9, 19, 19}),
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
