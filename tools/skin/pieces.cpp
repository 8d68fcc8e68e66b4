#include "pieces.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <map>

#include "buttons.h"
#include "skin_style.h"

namespace tarvel::skin {
namespace {

// ---------- helpers ----------

QImage Canvas(QSize size, const QColor& colour = kBody) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

void HLine(QPainter& p, int y, int x0, int x1, const QColor& c) {
    p.setPen(c);
    p.drawLine(x0, y, x1, y);
}

void VLine(QPainter& p, int x, int y0, int y1, const QColor& c) {
    p.setPen(c);
    p.drawLine(x, y0, x, y1);
}

// A recessed slot: dark outer line, a lighter lower-right edge.
void Slot(QPainter& p, const QRect& r) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kShadow);
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    HLine(p, r.bottom() + 1, r.left(), r.right() + 1, kEdge);
}

// A caption in a header strip: condensed bold capitals, shrunk until it fits.
void Caption(QPainter& p, const QRect& r, const QString& text, const QColor& c,
             Qt::Alignment align = Qt::AlignCenter, int size = 9) {
    QFont font = SkinFont(size, true, true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.4);
    while (size > 6 && QFontMetrics(font).horizontalAdvance(text) > r.width() - 2) {
        font.setPixelSize(--size);
    }
    p.setFont(font);
    p.setPen(c);
    p.drawText(r, align, text);
}

// ---------- main window frame ----------

// The main window is 698 x 619 in design; its outline cuts at (7, 7) - (682, 503). Pieces are
// drawn in window coordinates and cut out, so neighbouring pieces meet without seams; what lies
// on a stretched piece varies only across the stretch.
constexpr int kLeft = 7, kTop = 7, kRight = 682, kBottom = 503;
constexpr int kTopBottom = 55, kBottomTop = 446;

void PaintMainFrame(QPainter& p, int width) {
    p.fillRect(0, 0, width, 620, kBody);
    // Outer rim just inside the outline.
    p.setPen(kRim);
    p.drawRect(QRect(kLeft, kTop, kRight - kLeft - 1, kBottom - kTop - 1));
    // A rose hairline under the top rim.
    HLine(p, kTop + 1, kLeft + 3, kRight - 4, kRose.darker(140));
    // The title strip's slot and the row of the time and volume bars.
    Slot(p, QRect(63, 11, 473, 17));
    // The separator between the top piece and the panels.
    HLine(p, kTopBottom - 9, kLeft + 1, kRight - 2, kShadow);
    HLine(p, kTopBottom - 8, kLeft + 1, kRight - 2, kEdge);
    // The bottom piece: separator, then the slot of the command box and gauge.
    HLine(p, kBottomTop + 3, kLeft + 1, kRight - 2, kShadow);
    HLine(p, kBottomTop + 4, kLeft + 1, kRight - 2, kEdge);
    Slot(p, QRect(201, 475, 290, 19));
    // Wordmark left of the title.
    p.setRenderHint(QPainter::Antialiasing);
    QFont mark = SkinFont(11, true);
    mark.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    p.setFont(mark);
    p.setPen(kRoseLight);
    p.drawText(QRect(kLeft + 4, 10, 52, 19), Qt::AlignCenter, QStringLiteral("Tarvel"));
}

QImage MainPiece(const QRect& r) {
    QImage window = Canvas(QSize(700, 620));
    QPainter p(&window);
    PaintMainFrame(p, 700);
    p.end();
    return window.copy(r);
}

// A header strip of the panels, 14 pixels high.
QImage Header(QSize size, const QString& text, bool accent_text) {
    QImage image = Canvas(size, kBodyLight);
    QPainter p(&image);
    HLine(p, 0, 0, size.width(), QColor(0x30, 0x33, 0x3d));
    HLine(p, size.height() - 1, 0, size.width(), kRose.darker(170));
    p.setRenderHint(QPainter::Antialiasing);
    if (!text.isEmpty()) {
        Caption(p, image.rect().adjusted(2, 0, -2, 0), text, accent_text ? kRoseLight : kInk);
    }
    return image;
}

// The playlist tabs: three tabs with the shown one lit.
QImage Tabs(int active) {
    QImage image = Canvas(QSize(109, 22));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QString names[] = {"PL1", "CD", "PL2"};
    const double w = 109.0 / 3;
    for (int i = 0; i < 3; ++i) {
        const QRectF tab(i * w + 1, 3, w - 2, 18);
        QPainterPath shape;
        shape.addRoundedRect(tab.adjusted(0.5, 0.5, -0.5, 6), 4, 4);
        p.setClipRect(QRectF(0, 0, 109, 20.5));
        p.setPen(QPen(i == active ? kRoseLight.darker(130) : QColor(0x3c, 0x3f, 0x4b), 1));
        QLinearGradient fill(tab.topLeft(), tab.bottomLeft());
        fill.setColorAt(0, i == active ? kRose.lighter(110) : QColor(0x2c, 0x2f, 0x38));
        fill.setColorAt(1, i == active ? kRose.darker(115) : QColor(0x22, 0x24, 0x2b));
        p.setBrush(fill);
        p.drawPath(shape);
        p.setClipping(false);
        Caption(p, tab.toRect(), names[i], i == active ? QColor(Qt::white) : kInkDim,
                Qt::AlignCenter, 10);
    }
    HLine(p, 20, 0, 109, kRose);
    HLine(p, 21, 0, 109, kList);
    return image;
}

// Behind the tabs: body with the rose line the tabs stand on, rounded at the outer ends.
QImage TabRail(QSize size, int round_side) {
    QImage image = Canvas(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath rail;
    rail.addRoundedRect(QRectF(round_side < 0 ? 0.5 : -6, 0.5, size.width() + 5.5, 26), 5, 5);
    p.setPen(QPen(QColor(0x3c, 0x3f, 0x4b), 1));
    p.setBrush(QColor(0x19, 0x1a, 0x20));
    if (round_side > 0) {
        rail = QPainterPath();
        rail.addRoundedRect(QRectF(-6, 0.5, size.width() + 5.5, 26), 5, 5);
    } else if (round_side == 0) {
        rail = QPainterPath();
        rail.addRect(QRectF(-2, 0.5, size.width() + 4, 26));
    }
    p.drawPath(rail);
    p.setRenderHint(QPainter::Antialiasing, false);
    HLine(p, 20 + 1, 0, size.width(), kRose);
    return image;
}

// The hidden pictures of the list scroll bars: the band and the thumb.
QImage ScrollBand() {
    QImage image = Canvas(QSize(4, 15), kList);
    QPainter p(&image);
    VLine(p, 1, 0, 14, QColor(0x2e, 0x30, 0x39));
    VLine(p, 2, 0, 14, QColor(0x26, 0x28, 0x30));
    return image;
}

QImage ScrollThumb() {
    QImage image = Canvas(QSize(10, 63), kList);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF pill(0.5, 0.5, 8, 62);
    QLinearGradient fill(pill.topLeft(), pill.topRight());
    fill.setColorAt(0, kRose.lighter(125));
    fill.setColorAt(1, kRose.darker(130));
    p.setPen(QPen(kRoseDark.darker(120), 1));
    p.setBrush(fill);
    p.drawRoundedRect(pill, 4, 4);
    p.setPen(QPen(QColor(255, 255, 255, 110), 1));
    for (int y : {27, 31, 35})
        p.drawLine(QPointF(2.5, y + 0.5), QPointF(6.5, y + 0.5));
    return image;
}

// The play and pause marks: light green on a pure red ground that the list draws transparent;
// anti-aliased edges are blended over the list's black so they sit cleanly on it.
QImage MarkPicture(Icon icon) {
    QImage ink = Canvas(QSize(16, 17), kList);
    QImage cover(QSize(16, 17), QImage::Format_ARGB32);
    cover.fill(Qt::transparent);
    for (QImage* target : {&ink, &cover}) {
        QPainter p(target);
        DrawIcon(p, icon, QRectF(0, 0.5, 16, 16), kMarkGreen);
    }
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 16; ++x) {
            if (qAlpha(cover.pixel(x, y)) < 40)
                ink.setPixel(x, y, qRgb(255, 0, 0));
        }
    }
    return ink;
}

// ---------- mini player ----------

QImage MiniStrip(QSize size, int cap) {  // cap: -1 left end, 0 middle, 1 right end
    QImage image = Canvas(size, kShadow);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // The window's outline starts one pixel in from the strip's top and left, so the rim does.
    QRectF body(cap < 0 ? 1.5 : -8, 1.5, size.width() + (cap == 0 ? 16 : 7.5), size.height() - 2);
    if (cap > 0)
        body = QRectF(-8, 1.5, size.width() + 6.5, size.height() - 2);
    p.setPen(QPen(kRim, 1));
    p.setBrush(kBody);
    p.drawRoundedRect(body, 5, 5);
    p.setRenderHint(QPainter::Antialiasing, false);
    HLine(p, 2, cap < 0 ? 4 : 0, size.width() - (cap > 0 ? 5 : 0), kRose.darker(140));
    if (cap < 0) {
        p.fillRect(QRect(3, 6, 2, 12), kRose);
    }
    return image;
}

// ---------- secondary windows ----------

// A window panel: a rounded rim at `outline` (in picture coordinates; it must lie inside the
// window's outline, which may cut the picture's edges away) and, with a title, the rose title
// strip, tall enough to hold the caption buttons that sit in it.
constexpr int kTitleStripHeight = 24;

QImage Panel(QSize size, const QString& title, QRect outline = {}) {
    if (outline.isNull())
        outline = QRect(QPoint(0, 0), size);
    QImage image = Canvas(size, kShadow);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(outline).adjusted(0.5, 0.5, -0.5, -0.5);
    p.setPen(QPen(kRim, 1));
    p.setBrush(kBody);
    p.drawRoundedRect(box, 5, 5);
    if (!title.isEmpty()) {
        QRectF strip(outline.left() + 1, outline.top() + 1, outline.width() - 2, kTitleStripHeight);
        QPainterPath top;
        top.addRoundedRect(strip.adjusted(0, 0, 0, 6), 4.5, 4.5);
        p.setClipRect(strip);
        p.setPen(Qt::NoPen);
        p.setBrush(kRose);
        p.drawPath(top);
        p.setClipping(false);
        Caption(p, QRect(outline.left() + 10, outline.top() + 1, size.width() / 2, 23), title,
                Qt::white, Qt::AlignLeft | Qt::AlignVCenter, 11);
    }
    return image;
}

QImage Equalizer() {
    QImage image = Panel(QSize(351, 158), QStringLiteral("EQUALIZER"));
    QPainter p(&image);
    // The slider field: sliders at x = 52 + 18 (n - 1) (and the overall one at 22), y 30..138.
    const QRect field(12, 27, 330, 114);
    p.fillRect(field, kField);
    Slot(p, field);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(SkinFont(7, false, true));
    for (int level = 0; level < 3; ++level) {
        const int y = 30 + 31 + level * 23;  // +12, 0, -12 dB on the 63-pixel thumb's centre line
        p.setPen(
            QColor(level == 1 ? 0x3a : 0x26, level == 1 ? 0x3d : 0x28, level == 1 ? 0x47 : 0x30));
        p.drawLine(QPointF(40, y + 0.5), QPointF(340, y + 0.5));
    }
    const char* freq[] = {"80", "140", "230", "390", "560", "720", "880", "1.2k",
                          "2k", "4k",  "6k",  "8k",  "10k", "12k", "14k", "16k"};
    p.setPen(kInkDim);
    for (int n = 0; n < 16; ++n) {
        const int x = 52 + 18 * n + 5;
        p.drawText(QRect(x - 10, 143, 20, 11), Qt::AlignCenter, QString::fromLatin1(freq[n]));
    }
    // The slider left of the bands moves band 16 as well, so it bears that band's name.
    p.drawText(QRect(22 + 5 - 10, 143, 20, 11), Qt::AlignCenter, QString::fromLatin1(freq[15]));
    p.setPen(QColor(0x3c, 0x3f, 0x4b));
    p.drawLine(QPointF(44.5, 30), QPointF(44.5, 138));
    return image;
}

// The window's outline cuts the picture to x 5..196, y 2..276, so the rim is drawn there.
QImage SmallPlaylist() {
    QImage image = Panel(QSize(198, 280), QString(), QRect(5, 2, 192, 275));
    QPainter p(&image);
    p.fillRect(QRect(16, 12, 156, 256), kList);
    Slot(p, QRect(16, 12, 156, 256));
    p.fillRect(QRect(172, 11, 12, 258), kField);
    Slot(p, QRect(172, 11, 12, 258));
    p.fillRect(QRect(60, 272, 78, 2), kRose.darker(130));
    return image;
}

QImage ShuffleOptions() {
    QImage image = Panel(QSize(364, 182), QStringLiteral("SHUFFLE SOURCES"));
    QPainter p(&image);
    // Five rows for the share bars.
    for (int row = 0; row < 5; ++row) {
        const QRect r(10, 32 + row * 24, 344, 20);
        p.fillRect(r, row % 2 == 0 ? QColor(0x22, 0x24, 0x2b) : kBody);
    }
    return image;
}

// ---------- catalogue ----------

struct Collector {
    std::vector<Picture> pictures;
    void Add(const std::string& file, const QImage& image) { pictures.push_back({file, image}); }
    // Slots 1..3 of a round button.
    void Round(const std::string& stem, QSize size, Icon icon, double share = 0.6) {
        for (int s = 1; s <= 3; ++s)
            Add(stem + std::to_string(s) + ".jpg", RoundButton(size, icon, s, share));
    }
};

}  // namespace

std::vector<Picture> RenderSkin() {
    Collector c;
    // Main window buttons, at the sizes of their controls.
    c.Round("play/play", {31, 31}, Icon::Play, 0.62);
    c.Round("play/Pause", {31, 31}, Icon::Pause, 0.58);
    c.Round("Stop/Stop", {26, 25}, Icon::Stop);
    c.Round("Prev/Prev", {24, 23}, Icon::Prev);
    c.Round("Next/Next", {22, 21}, Icon::Next);
    c.Round("Analizer/Analizer", {21, 21}, Icon::Analyser, 0.66);
    c.Round("visualization/visualization", {21, 20}, Icon::Visualization, 0.68);
    c.Round("CmdPref/CmdPref", {20, 19}, Icon::Search, 0.68);
    c.Round("Repeat/Repeat", {21, 19}, Icon::Repeat, 0.7);
    c.Round("Undo/Undo", {19, 20}, Icon::Undo, 0.68);
    c.Round("Shuffle/Shuffle", {21, 21}, Icon::Shuffle, 0.68);
    c.Round("Help/Help", {21, 21}, Icon::Help, 0.66);
    c.Round("Equalizer/Equalizer", {22, 23}, Icon::Equalizer, 0.64);
    c.Round("Library/Library", {26, 26}, Icon::Library, 0.62);
    c.Round("Pref/Pref", {31, 31}, Icon::Preferences, 0.6);
    for (int s = 1; s <= 2; ++s) {
        const std::string n = std::to_string(s);
        c.Add("strelki/vlevo" + n + ".jpg", IconButton({10, 10}, Icon::ArrowLeft, s));
        c.Add("strelki/vpravo" + n + ".jpg", IconButton({10, 10}, Icon::ArrowRight, s));
        c.Add("verhnieknopki/x" + n + ".jpg", SquareButton({17, 17}, Icon::Close, s));
        c.Add("verhnieknopki/vniz" + n + ".jpg", SquareButton({17, 17}, Icon::Minimise, s));
        c.Add("verhnieknopki/mini" + n + ".jpg", SquareButton({17, 17}, Icon::MiniPanel, s));
        c.Add("verhnieknopki/Tray" + n + ".jpg", SquareButton({17, 17}, Icon::Tray, s));
        c.Add("Mark/Mark" + n + ".jpg", IconButton({16, 15}, Icon::Mark, s));
        // Mini player: slot 2 serves as hover and pressed.
        c.Add("mini/play" + n + ".jpg", RoundButton({18, 18}, Icon::Play, s == 1 ? 1 : 3, 0.62));
        c.Add("mini/Pause" + n + ".jpg", RoundButton({18, 18}, Icon::Pause, s == 1 ? 1 : 3, 0.6));
        c.Add("mini/Stop" + n + ".jpg", RoundButton({18, 18}, Icon::Stop, s == 1 ? 1 : 3));
        c.Add("mini/Prew" + n + ".jpg", RoundButton({18, 18}, Icon::Prev, s == 1 ? 1 : 3));
        c.Add("mini/Next" + n + ".jpg", RoundButton({18, 18}, Icon::Next, s == 1 ? 1 : 3));
        c.Add("mini/Pls" + n + ".jpg",
              RoundButton({18, 18}, Icon::PlaylistWindow, s == 1 ? 1 : 2, 0.66));
    }
    // Main window definition pictures.
    const std::map<std::string, QRect> frame = {
        {"ImgVerhLEvo", {7, 7, 268, 48}},      {"ImgVerhCenter", {270, 7, 173, 48}},
        {"ImgVerhPravo", {442, 7, 240, 48}},   {"imgLeftLine", {7, 55, 12, 394}},
        {"imgRigthLine", {672, 54, 10, 393}},  {"ImgNizLevo", {7, 446, 268, 57}},
        {"ImgNizCenter", {275, 446, 172, 57}}, {"ImgNizPravo", {442, 446, 240, 57}},
    };
    for (const auto& [name, rect] : frame)
        c.Add("forms/TForm1/" + name + ".jpg", MainPiece(rect));
    c.Add("forms/TForm1/ImgLeftPlist.jpg", TabRail({32, 22}, -1));
    c.Add("forms/TForm1/ImgCenterPlist.jpg", TabRail({119, 22}, 0));
    c.Add("forms/TForm1/ImgRigthPlist.jpg", TabRail({32, 22}, 1));
    c.Add("forms/TForm1/Img2Pl1.jpg", Tabs(0));
    c.Add("forms/TForm1/Img2CD.jpg", Tabs(1));
    c.Add("forms/TForm1/Img2PL2.jpg", Tabs(2));
    {
        QImage badge = Canvas({72, 14});
        QPainter p(&badge);
        p.setRenderHint(QPainter::Antialiasing);
        // The title label covers the first three columns: the caption starts after them.
        Caption(p, badge.rect().adjusted(4, 0, 0, 0), QStringLiteral("MP3 · CD · LIB"), kInkDim);
        c.Add("forms/TForm1/ImgCDmp3Libr.jpg", badge);
    }
    struct HeaderPiece {
        const char* name;
        int width;
        const char* text;
        bool accent;
    };
    const HeaderPiece headers[] = {
        {"ImgPolosaLeftArt", 29, "", false},      {"ImgLsrtSortBy", 56, "SORT ▾", true},
        {"ImgAlbAlboms", 66, "ALBUMS", false},    {"ImgPolosaAlb", 43, "", false},
        {"ImgAblSortBy", 56, "SORT ▾", true},     {"ImgSongSongs", 66, "SONGS", false},
        {"ImgPolosaSong", 30, "", false},         {"ImgSongSortBy", 56, "SORT ▾", true},
        {"ImgPlayListAZ", 66, "PLAYLIST", false}, {"ImgPolosaPlist", 33, "", false},
        {"ImgPlistSortBy", 56, "SORT ▾", true},   {"ImgEng", 66, "ENG ARTIST", false},
        {"ImgingCenter", 29, "", false},          {"ImgEngSortBy", 56, "SORT ▾", true},
    };
    for (const HeaderPiece& h : headers) {
        c.Add(std::string("forms/TForm1/") + h.name + ".jpg",
              Header({h.width, 14}, QString::fromUtf8(h.text), h.accent));
    }
    c.Add("art_alb_song_pls/rus_art.jpg", Header({66, 14}, QStringLiteral("RUS ARTIST"), false));
    c.Add("art_alb_song_pls/art.jpg", Header({66, 14}, QStringLiteral("ARTISTS"), false));
    c.Add("forms/TForm1/ImgPalkaForSkroll.jpg", ScrollBand());
    c.Add("forms/TForm1/ImgSkroll.jpg", ScrollThumb());
    c.Add("forms/TForm1/imgPl.bmp", MarkPicture(Icon::Play));
    c.Add("forms/TForm1/ImgPz.bmp", MarkPicture(Icon::Pause));
    // Mini player strip.
    c.Add("forms/TMinFrm/Imgfon.jpg", MiniStrip({673, 24}, 0));
    c.Add("forms/TMinFrm/ImgLeft.jpg", MiniStrip({8, 24}, -1));
    c.Add("forms/TMinFrm/ImgRigth.jpg", MiniStrip({12, 24}, 1));
    // Secondary windows.
    c.Add("MiniPlayList/pls_small.jpg", SmallPlaylist());
    c.Add("Shuffle/shufflefon.jpg", ShuffleOptions());
    c.Add("Shuffle/save.jpg", TextButton({52, 19}, QStringLiteral("SAVE"), false, false));
    c.Add("Shuffle/save2.jpg", TextButton({52, 19}, QStringLiteral("SAVE"), false, true));
    // The close button and the equalizer's switches sit in the rose title strips.
    c.Add("Shuffle/close2.jpg", StripIconButton({19, 19}, Icon::Close, 1));
    c.Add("Shuffle/close.jpg", StripIconButton({19, 19}, Icon::Close, 2));
    c.Add("eq/eqforma.jpg", Equalizer());
    c.Add("eq/Enabled.jpg", StripTextButton({47, 15}, QStringLiteral("EQ ON"), true));
    c.Add("eq/Enabled2.jpg", StripTextButton({47, 15}, QStringLiteral("EQ OFF"), false));
    c.Add("eq/Presets.jpg", StripTextButton({44, 15}, QStringLiteral("RESET"), false));
    c.Add("eq/Presets2.jpg", StripTextButton({44, 15}, QStringLiteral("RESET"), true));
    return std::move(c.pictures);
}

}  // namespace tarvel::skin
