#include "shell/main_layout.h"

namespace tarvel::shell {
namespace {

using K = ControlKind;

// clang-format off
constexpr ControlEntry kControls[] = {
    // The frame.
    {"ImgVerhLEvo",       K::Image,         {7, 7, 268, 48},     true,  "", ""},
    {"ImgVerhCenter",     K::Image,         {270, 7, 173, 48},   true,  "", ""},
    {"ImgVerhPravo",      K::Image,         {442, 7, 240, 48},   true,  "", ""},
    {"imgLeftLine",       K::Image,         {7, 55, 12, 394},    true,  "", ""},
    {"imgRigthLine",      K::Image,         {672, 54, 10, 393},  true,  "", ""},
    {"ImgNizLevo",        K::Image,         {7, 446, 268, 57},   true,  "", ""},
    {"ImgNizCenter",      K::Image,         {275, 446, 172, 57}, true,  "", ""},
    {"ImgNizPravo",       K::Image,         {442, 446, 240, 57}, true,  "", ""},
    // Headers of the lists and the playlist tabs.
    {"ImgLeftPlist",      K::Image,         {350, 64, 32, 22},   true,  "", ""},
    {"ImgRigthPlist",     K::Image,         {478, 64, 32, 22},   true,  "", ""},
    {"ImgCenterPlist",    K::Image,         {370, 64, 119, 22},  true,  "", ""},
    {"ImgPolosaLeftArt",  K::Image,         {80, 48, 29, 14},    true,  "", ""},
    {"ImgPolosaAlb",      K::Image,         {232, 48, 43, 14},   true,  "", ""},
    {"ImgPolosaSong",     K::Image,         {247, 244, 30, 14},  true,  "", ""},
    {"ImgSongSortBy",     K::Image,         {273, 244, 56, 14},  true,  "", ""},
    {"ImgPolosaPlist",    K::Image,         {418, 48, 33, 14},   true,  "", ""},
    {"ImgPlistSortBy",    K::Image,         {450, 48, 56, 14},   true,  "", ""},
    {"ImgingCenter",      K::Image,         {586, 48, 29, 14},   true,  "", ""},
    {"ImgEngSortBy",      K::Image,         {613, 48, 56, 14},   true,  "", ""},
    {"ImgEng",            K::Image,         {521, 48, 66, 14},   true,  "", ""},
    {"ImgPlayListAZ",     K::Image,         {357, 48, 66, 14},   true,  "", ""},
    {"ImgAlbAlboms",      K::Image,         {177, 48, 66, 14},   true,  "", ""},
    {"ImgAblSortBy",      K::Image,         {273, 48, 56, 14},   true,  "", ""},
    {"ImgSongSongs",      K::Image,         {181, 244, 66, 14},  true,  "", ""},
    {"ImgLsrtSortBy",     K::Image,         {107, 48, 56, 14},   true,  "", ""},
    {"ImgRusArt",         K::Image,         {19, 48, 66, 14},    true,  "", ""},
    {"Img2PL2",           K::Image,         {377, 65, 109, 22},  false, "", ""},
    {"Img2CD",            K::Image,         {377, 65, 109, 22},  false, "", ""},
    {"Img2Pl1",           K::Image,         {377, 65, 109, 22},  true,  "", ""},
    {"ImgPalkaForSkroll", K::Image,         {370, 600, 4, 15},   false, "", ""},
    {"ImgSkroll",         K::Image,         {622, 558, 10, 63},  false, "", ""},
    {"imgPl",             K::Image,         {394, 576, 16, 17},  false, "", ""},
    {"ImgPz",             K::Image,         {414, 576, 16, 17},  false, "", ""},
    // Texts.
    {"Label1",            K::Label,         {570, 575, 32, 13},  false, "", ""},
    {"Label2",            K::Label,         {421, 575, 38, 15},  false, "", ""},
    // Transport buttons of the bottom row.
    {"ImgPlayPause",      K::SkinButton,    {14, 462, 31, 31},   true,  "Play/Pause (Win + Space)", ""},
    {"ImgStop",           K::SkinButton,    {44, 468, 26, 25},   true,  "Stop", ""},
    {"ImgPrev",           K::SkinButton,    {70, 470, 24, 23},   true,  "Prev (Win + Left)", ""},
    {"ImgNext",           K::SkinButton,    {94, 472, 22, 21},   true,  "Next (Win + Rigth)", ""},
    {"ImgAnStr",          K::SkinButton,    {116, 474, 10, 10},  true,  "Analizator options", ""},
    {"ImgAn",             K::SkinButton,    {126, 473, 21, 21},  true,  "Analizator On/Off", ""},
    {"ImgVis",            K::SkinButton,    {148, 474, 21, 20},  true,  "Visualization", ""},
    {"ImgVisStr",         K::SkinButton,    {168, 475, 10, 10},  true,  "Visualization options", ""},
    {"ImgCmdPref",        K::SkinButton,    {180, 475, 20, 19},  true,  "Search options", ""},
    {"ImgRepStr",         K::SkinButton,    {492, 475, 10, 10},  true,  "Repeat options", ""},
    {"ImgRepeat",         K::SkinButton,    {502, 475, 21, 19},  true,  "Repeat On/Off", ""},
    {"ImgPref",           K::SkinButton,    {646, 462, 31, 31},  true,  "Preferences", ""},
    {"ImgLibrary",        K::SkinButton,    {620, 468, 26, 26},  true,  "Library", ""},
    {"ImgEqualizer",      K::SkinButton,    {598, 470, 22, 23},  true,  "Equalizer", ""},
    {"ImgHelp",           K::SkinButton,    {576, 472, 21, 21},  true,  "Help", ""},
    {"ImgShuffStr",       K::SkinButton,    {564, 472, 10, 10},  true,  "Shuffle options", ""},
    {"ImgShuffle",        K::SkinButton,    {544, 473, 21, 21},  true,  "Shuffle On/Off", ""},
    {"ImgUndo",           K::SkinButton,    {524, 474, 19, 20},  true,  "Undo", ""},
    // Buttons of the top row.
    {"ImgClose",          K::SkinButton,    {660, 10, 17, 17},   true,  "Close", ""},
    {"ImgVniz",           K::SkinButton,    {644, 10, 17, 17},   true,  "", ""},
    {"ImgMini",           K::SkinButton,    {626, 10, 17, 17},   true,  "Mini Panel", ""},
    {"ImgTray",           K::SkinButton,    {608, 10, 17, 17},   true,  "Tray", ""},
    {"ImgCDmp3Libr",      K::SkinButton,    {532, 12, 72, 14},   true,  "", ""},
    {"ImgMark",           K::SkinButton,    {18, 30, 16, 15},    true,  "Mark", ""},
    // The title strip lies over the left edge of ImgCDmp3Libr.
    {"Label3",            K::Label,         {64, 12, 471, 15},   true,  "", ""},
    // The bottom strip: gauge, spectrum and command box share one place.
    // The gauge lies over the analyser, so it shows only while a long operation runs.
    {"Gauge1",            K::Gauge,         {202, 476, 288, 17}, false, "", ""},
    {"PaintFrame",        K::PaintBox,      {202, 476, 288, 17}, true,  "", ""},
    {"CmdSearch",         K::EditBox,       {202, 476, 288, 17}, true,
     "Командная строка и строка поиска, слева от строки находится кнопка выбора параметров...", ""},
    // Lists and their bars.
    {"KVRScrollerVr5",    K::VerticalBar,   {343, 46, 10, 425},  true,  "", ""},
    {"ListBox5",          K::List,          {355, 86, 150, 384}, true,  "", ""},
    {"KVRScrollerVr1",    K::VerticalBar,   {165, 46, 10, 423},  true,  "", ""},
    {"ListBox2",          K::List,          {520, 66, 150, 385}, true,  "", ""},
    {"KVRScrollerVr2",    K::VerticalBar,   {508, 46, 10, 423},  true,  "", ""},
    {"ListBox3",          K::List,          {179, 66, 150, 177}, true,  "", ""},
    {"ListBox4",          K::List,          {179, 260, 150, 209}, true, "", ""},
    {"KVRScrollerVr3",    K::VerticalBar,   {331, 46, 10, 199},  true,  "", ""},
    {"KVRScrollerVr4",    K::VerticalBar,   {331, 244, 10, 227}, true,  "", ""},
    {"ListBox1",          K::List,          {17, 64, 150, 385},  true,  "", ""},
    // Times and bars of the top row.
    {"StaticText2",       K::StaticText,    {348, 30, 111, 13},  true,  "", "0:00/0:00"},
    {"StaticText1",       K::StaticText,    {250, 30, 91, 13},   true,  "", "0:00/0:00"},
    {"StaticText3",       K::StaticText,    {348, 30, 111, 13},  false, "Time/Size in MB", "00MB"},
    {"TimeSKRL",          K::HorizontalBar, {36, 29, 211, 15},   true,  "", ""},
    {"VolumeSKRL",        K::HorizontalBar, {464, 29, 211, 15},  true,  "Volome (Win + Up/Down)", ""},
    {"MarkL",             K::StaticText,    {106, 29, 2, 15},    false, "", ""},
    {"MarkR",             K::StaticText,    {144, 29, 2, 15},    false, "", ""},
};
// clang-format on

}  // namespace

std::span<const ControlEntry> MainWindowControls() {
    return kControls;
}

Layout DesignLayout() {
    Layout layout;
    for (const ControlEntry& control : kControls) {
        layout.emplace(std::string(control.name), control.rect);
    }
    return layout;
}

}  // namespace tarvel::shell
