#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <map>

#include "controls/arrow_glyphs.h"
#include "controls/bar_look.h"

#include "pieces.h"
#include "skin_checks.h"
#include "skin_style.h"
#include "window_layouts.h"

namespace tarvel::skin {
namespace {

// The states the previews show, so the sheet has some of each.
const std::map<std::string, int> kMainShown = {
    {"ImgPrev", 2}, {"ImgAn", 2}, {"ImgShuffle", 3}, {"ImgClose", 2}};
const std::map<std::string, int> kMiniShown = {{"ImgPlayPause", 4}, {"ImgPrew", 2}};

PictureMap ByFile(const std::vector<Picture>& pictures) {
    PictureMap by_file;
    for (const Picture& p : pictures)
        by_file[p.file] = p.image;
    return by_file;
}

struct List {
    int x, y, w, h;
    int scroller_x, scroller_y, scroller_h;
};
constexpr List kLists[] = {
    {17, 64, 150, 385, 165, 46, 423},    {179, 66, 150, 177, 331, 46, 199},
    {179, 260, 150, 209, 331, 244, 227}, {355, 86, 150, 384, 343, 46, 425},
    {520, 66, 150, 385, 508, 46, 423},
};

// A mark picture as the list draws it: its pure red left out.
QImage Keyed(const QImage& mark) {
    QImage keyed = mark.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        for (int x = 0; x < keyed.width(); ++x) {
            if ((keyed.pixel(x, y) & 0xFFFFFF) == 0xFF0000)
                keyed.setPixel(x, y, qRgba(0, 0, 0, 0));
        }
    }
    return keyed;
}

// A few rows of a playlist from its first row's rectangle, so the lists read as lists; the
// second row is the playing one, with the play mark as the list draws it.
void DrawRows(QPainter& p, const PictureMap& by_file, const QRect& first, int count) {
    const char* rows[] = {"1. Intro", "2. Night Drive", "3. Glass Harbour", "4. Slow Light",
                          "5. Paper Moon"};
    for (int i = 0; i < std::min(count, 5); ++i) {
        const QRect row = first.translated(0, i * 16);
        if (i == 1) {
            p.drawImage(row.left() + 2, row.top(), Keyed(by_file.at("forms/TForm1/imgPl.bmp")));
            p.setPen(kMarkGreen);
            p.drawText(row.adjusted(21, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, rows[i]);
        } else {
            p.setPen(kCaption);
            p.drawText(row, Qt::AlignLeft | Qt::AlignVCenter, rows[i]);
        }
    }
}

// A horizontal skinned bar as the main window shows it in the skin's bar look: arrows, band and
// a thumb with its text.
void DrawBar(QPainter& p, const QRect& at, int thumb_w, double share, const QString& text) {
    const controls::BarLook look = controls::MainBarLook();
    p.save();
    p.translate(at.topLeft());
    const int w = at.width(), h = at.height();
    p.fillRect(0, 0, w, h, look.body);
    const QImage left = controls::MakeArrowGlyph(controls::ArrowGlyph::Left);
    const QImage right = controls::MakeArrowGlyph(controls::ArrowGlyph::Right);
    p.drawImage(1 + (13 - left.width()) / 2, 1 + (h - 2 - left.height()) / 2, left);
    p.drawImage(w - 14 + (13 - right.width()) / 2, 1 + (h - 2 - right.height()) / 2, right);
    const QRect band(16, h / 2 - 3, w - 32, 6);
    p.fillRect(band, look.band);
    const int thumb_x = 15 + qRound(share * (w - 30 - thumb_w));
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF thumb(thumb_x + 1.5, 1.5, thumb_w - 2, h - 3);
    p.setPen(QPen(look.thumb.darker(160), 1));
    p.setBrush(look.thumb);
    p.drawRoundedRect(thumb, 6, 6);
    p.setFont(SkinFont(9, true, true));
    p.setPen(look.text);
    p.drawText(thumb, Qt::AlignCenter, text);
    p.restore();
}

}  // namespace

QImage ComposeMainWindow(const std::vector<Picture>& pictures) {
    const PictureMap by_file = ByFile(pictures);
    QImage window = ComposeWindow(LayoutOf("TForm1"), by_file, kMainShown);
    QPainter p(&window);
    const QImage& band = by_file.at("forms/TForm1/ImgPalkaForSkroll.jpg");
    const QImage& thumb = by_file.at("forms/TForm1/ImgSkroll.jpg");
    p.setFont(SkinFont(11));
    for (const List& l : kLists) {
        p.fillRect(l.x, l.y, l.w, l.h, kList);
        p.fillRect(l.scroller_x, l.scroller_y, 10, l.scroller_h, kList);
        p.drawImage(QRect(l.scroller_x + 4, l.scroller_y, 4, l.scroller_h), band);
        p.drawImage(l.scroller_x + 1, l.scroller_y + 20, thumb);
    }
    DrawRows(p, by_file, QRect(355, 86, 150, 16), 4);
    DrawBar(p, QRect(36, 29, 211, 15), 36, 0.35, QStringLiteral("01:17"));
    DrawBar(p, QRect(464, 29, 211, 15), 25, 0.65, QStringLiteral("65"));
    // The title the window writes on its strip.
    p.setPen(Qt::white);
    p.setFont(SkinFont(12));
    p.drawText(QRect(70, 12, 460, 15), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Artist - Night Drive"));
    return window.copy(QRect(7, 7, 675, 496));
}

QImage ComposeMiniPlayer(const std::vector<Picture>& pictures) {
    QImage window = ComposeWindow(LayoutOf("TMinFrm"), ByFile(pictures), kMiniShown);
    QPainter p(&window);
    // The title and times the window writes on its strip, and the thumbs of its two thin bars.
    p.setPen(kMiniText);
    p.setFont(SkinFont(10));
    p.drawText(QRect(86, 7, 215, 13), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Artist - Night Drive"));
    p.drawText(QRect(303, 7, 149, 15), Qt::AlignCenter, QStringLiteral("1:12/3:40...14:02/52:10"));
    p.fillRect(476 + 40, 8, 25, 6, kMiniThumb);
    p.fillRect(476 + 90, 14, 25, 7, Qt::black);
    return window.copy(QRect(3, 3, 691, 23));
}

QImage ComposeEqualizer(const std::vector<Picture>& pictures) {
    const PictureMap by_file = ByFile(pictures);
    QImage window = ComposeWindow(LayoutOf("TEqualizer"), by_file);
    QPainter p(&window);
    const QImage& band = by_file.at("forms/TForm1/ImgPalkaForSkroll.jpg");
    const QImage& thumb = by_file.at("forms/TForm1/ImgSkroll.jpg");
    const int gains[] = {15, 19, 22, 20, 17, 15, 13, 12, 12, 14, 16, 19, 21, 22, 20, 18, 15};
    for (int n = 0; n <= 16; ++n) {
        const int x = n == 16 ? 30 : 60 + 18 * n;
        p.drawImage(QRect(x + 4, 34, 4, 108), band);
        p.drawImage(x + 1, 34 + qRound((30 - gains[n]) / 30.0 * (108 - 63)), thumb);
    }
    return window.copy(LayoutOf("TEqualizer").region);
}

QImage ComposeSmallPlaylist(const std::vector<Picture>& pictures) {
    const PictureMap by_file = ByFile(pictures);
    QImage window = ComposeWindow(LayoutOf("TTalik"), by_file);
    QPainter p(&window);
    p.drawImage(QRect(177 + 4, 12, 4, 255), by_file.at("forms/TForm1/ImgPalkaForSkroll.jpg"));
    p.drawImage(178, 40, by_file.at("forms/TForm1/ImgSkroll.jpg"));
    p.setFont(SkinFont(10));
    DrawRows(p, by_file, QRect(21, 13, 154, 16), 5);
    return window.copy(LayoutOf("TTalik").region);
}

QImage ComposeShuffleOptions(const std::vector<Picture>& pictures) {
    return ComposeWindow(LayoutOf("TSFoptions"), ByFile(pictures));
}

}  // namespace tarvel::skin
