#include <QPainter>
#include <map>

#include "pieces.h"
#include "skin_style.h"

namespace tarvel::skin {
namespace {

struct Placed {
    const char* file;
    int x, y;
};

// Pictures at their controls' design places, back to front.
constexpr Placed kMainWindow[] = {
    {"forms/TForm1/ImgVerhLEvo.jpg", 7, 7},
    {"forms/TForm1/ImgVerhCenter.jpg", 270, 7},
    {"forms/TForm1/ImgVerhPravo.jpg", 442, 7},
    {"forms/TForm1/imgLeftLine.jpg", 7, 55},
    {"forms/TForm1/imgRigthLine.jpg", 672, 54},
    {"forms/TForm1/ImgNizLevo.jpg", 7, 446},
    {"forms/TForm1/ImgNizCenter.jpg", 275, 446},
    {"forms/TForm1/ImgNizPravo.jpg", 442, 446},
    {"forms/TForm1/ImgLeftPlist.jpg", 350, 64},
    {"forms/TForm1/ImgCenterPlist.jpg", 370, 64},
    {"forms/TForm1/ImgRigthPlist.jpg", 478, 64},
    {"forms/TForm1/Img2Pl1.jpg", 377, 65},
    {"art_alb_song_pls/rus_art.jpg", 19, 48},
    {"forms/TForm1/ImgPolosaLeftArt.jpg", 80, 48},
    {"forms/TForm1/ImgLsrtSortBy.jpg", 107, 48},
    {"forms/TForm1/ImgAlbAlboms.jpg", 177, 48},
    {"forms/TForm1/ImgPolosaAlb.jpg", 232, 48},
    {"forms/TForm1/ImgAblSortBy.jpg", 273, 48},
    {"forms/TForm1/ImgSongSongs.jpg", 181, 244},
    {"forms/TForm1/ImgPolosaSong.jpg", 247, 244},
    {"forms/TForm1/ImgSongSortBy.jpg", 273, 244},
    {"forms/TForm1/ImgPlayListAZ.jpg", 357, 48},
    {"forms/TForm1/ImgPolosaPlist.jpg", 418, 48},
    {"forms/TForm1/ImgPlistSortBy.jpg", 450, 48},
    {"forms/TForm1/ImgEng.jpg", 521, 48},
    {"forms/TForm1/ImgingCenter.jpg", 586, 48},
    {"forms/TForm1/ImgEngSortBy.jpg", 613, 48},
    {"forms/TForm1/ImgCDmp3Libr.jpg", 532, 12},
    {"play/play1.jpg", 14, 462},
    {"Stop/Stop1.jpg", 44, 468},
    {"Prev/Prev2.jpg", 70, 470},
    {"Next/Next1.jpg", 94, 472},
    {"strelki/vlevo1.jpg", 116, 474},
    {"Analizer/Analizer2.jpg", 126, 473},
    {"visualization/visualization1.jpg", 148, 474},
    {"strelki/vpravo1.jpg", 168, 475},
    {"CmdPref/CmdPref1.jpg", 180, 475},
    {"strelki/vlevo1.jpg", 492, 475},
    {"Repeat/Repeat1.jpg", 502, 475},
    {"Undo/Undo1.jpg", 524, 474},
    {"Shuffle/Shuffle3.jpg", 544, 473},
    {"strelki/vpravo1.jpg", 564, 472},
    {"Help/Help1.jpg", 576, 472},
    {"Equalizer/Equalizer1.jpg", 598, 470},
    {"Library/Library1.jpg", 620, 468},
    {"Pref/Pref1.jpg", 646, 462},
    {"verhnieknopki/Tray1.jpg", 608, 10},
    {"verhnieknopki/mini1.jpg", 626, 10},
    {"verhnieknopki/vniz1.jpg", 644, 10},
    {"verhnieknopki/x2.jpg", 660, 10},
    {"Mark/Mark1.jpg", 18, 30},
};

struct List {
    int x, y, w, h;
    int scroller_x, scroller_y, scroller_h;
};
constexpr List kLists[] = {
    {17, 64, 150, 385, 165, 46, 423},    {179, 66, 150, 177, 331, 46, 199},
    {179, 260, 150, 209, 331, 244, 227}, {355, 86, 150, 384, 343, 46, 425},
    {520, 66, 150, 385, 508, 46, 423},
};

}  // namespace

QImage ComposeMainWindow(const std::vector<Picture>& pictures) {
    std::map<std::string, QImage> by_file;
    for (const Picture& p : pictures)
        by_file[p.file] = p.image;
    QImage window(QSize(698, 619), QImage::Format_RGB32);
    window.fill(Qt::black);
    QPainter p(&window);
    for (const Placed& placed : kMainWindow)
        p.drawImage(placed.x, placed.y, by_file.at(placed.file));
    const QImage& band = by_file.at("forms/TForm1/ImgPalkaForSkroll.jpg");
    const QImage& thumb = by_file.at("forms/TForm1/ImgSkroll.jpg");
    p.setFont(SkinFont(11));
    for (const List& l : kLists) {
        p.fillRect(l.x, l.y, l.w, l.h, kList);
        p.fillRect(l.scroller_x, l.scroller_y, 10, l.scroller_h, kList);
        p.drawImage(QRect(l.scroller_x + 4, l.scroller_y, 4, l.scroller_h), band);
        p.drawImage(l.scroller_x + 1, l.scroller_y + 20, thumb);
    }
    // A few rows so the lists read as lists; the playing row marked.
    const char* rows[] = {"1. Intro", "2. Night Drive", "3. Glass Harbour", "4. Slow Light"};
    for (int i = 0; i < 4; ++i) {
        const int y = 86 + i * 16;
        if (i == 1) {
            p.drawImage(357, y, by_file.at("forms/TForm1/imgPl.bmp"));
            p.setPen(kMarkGreen);
            p.drawText(QRect(376, y, 130, 16), Qt::AlignLeft | Qt::AlignTop, rows[i]);
        } else {
            p.setPen(QColor(0xC8, 0xC9, 0xCC));
            p.drawText(QRect(355, y, 150, 16), Qt::AlignLeft | Qt::AlignTop, rows[i]);
        }
    }
    // The title strip the window paints.
    p.fillRect(64, 12, 471, 15, kRose);
    p.setPen(Qt::white);
    p.setFont(SkinFont(12));
    p.drawText(QRect(70, 12, 460, 15), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Artist - Night Drive"));
    return window.copy(QRect(7, 7, 675, 496));
}

QImage ComposeMiniPlayer(const std::vector<Picture>& pictures) {
    std::map<std::string, QImage> by_file;
    for (const Picture& p : pictures)
        by_file[p.file] = p.image;
    QImage window(QSize(733, 46), QImage::Format_RGB32);
    window.fill(Qt::black);
    QPainter p(&window);
    p.drawImage(QRect(10, 2, 673, 24), by_file.at("forms/TMinFrm/Imgfon.jpg"));
    p.drawImage(2, 2, by_file.at("forms/TMinFrm/ImgLeft.jpg"));
    p.drawImage(682, 2, by_file.at("forms/TMinFrm/ImgRigth.jpg"));
    const Placed buttons[] = {
        {"mini/Pause1.jpg", 11, 6},          {"mini/Stop1.jpg", 29, 6},
        {"mini/Prew2.jpg", 47, 6},           {"mini/Next1.jpg", 65, 6},
        {"mini/Pls1.jpg", 455, 6},           {"verhnieknopki/Tray1.jpg", 617, 5},
        {"verhnieknopki/mini1.jpg", 634, 5}, {"verhnieknopki/vniz1.jpg", 652, 5},
        {"verhnieknopki/x1.jpg", 670, 5},
    };
    for (const Placed& b : buttons)
        p.drawImage(b.x, b.y, by_file.at(b.file));
    // The title strip and the time label the window paints, and its two thin bars.
    const QColor strip(0xAF, 0x56, 0x5A);
    p.fillRect(82, 7, 221, 13, strip);
    p.fillRect(303, 7, 149, 15, strip);
    p.setPen(QColor(0xD2, 0xD2, 0xD2));
    p.setFont(SkinFont(10));
    p.drawText(QRect(86, 7, 215, 13), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Artist - Night Drive"));
    p.drawText(QRect(303, 7, 149, 15), Qt::AlignCenter, QStringLiteral("1:12/3:40...14:02/52:10"));
    p.fillRect(476, 7, 141, 8, strip);
    p.fillRect(476 + 40, 8, 25, 6, QColor(0x40, 0x40, 0x40));
    p.fillRect(476, 13, 141, 9, strip);
    p.fillRect(476 + 90, 14, 25, 7, Qt::black);
    return window.copy(QRect(3, 3, 691, 23));
}

}  // namespace tarvel::skin
