// Draws every custom control in its states on one picture, for the documentation:
//   tarvel-control-gallery PICTURES_PARENT_DIR OUT.png
// PICTURES_PARENT_DIR is an installation tree holding Pictures (e.g. build/dist).
#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <cstdio>

#include "controls/bar_look.h"
#include "controls/bgr_color.h"
#include "controls/c_list_box.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "controls/skin_loader.h"
#include "platform/error/app_error.h"
#include "skin_style.h"

namespace {

using namespace tarvel::controls;
namespace skin = tarvel::skin;

std::string g_app_dir;

QImage Pic(const char* name) {
    return LoadSkinPicture(g_app_dir, name);
}

void Label(QWidget* parent, int x, int y, const QString& text, int width = 200) {
    auto* label = new QLabel(text, parent);
    label->setFont(skin::SkinFont(10));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, QColor(0x9a, 0x9d, 0xa8));
    label->setPalette(p);
    label->setGeometry(x, y, width, 14);
}

void Heading(QWidget* parent, int x, int y, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setFont(skin::SkinFont(12, true));
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, skin::kRoseLight);
    label->setPalette(p);
    label->setGeometry(x, y, 600, 16);
}

// The main window's bar look: a steel body behind the black arrows, dark band, rose thumb.
TKVRScrollerH* Bar(QWidget* parent, QRect at, int max, int position, double vkoef) {
    auto* bar = new TKVRScrollerH(parent);
    bar->setGeometry(at);
    ApplyBarLook(*bar, MainBarLook());
    bar->setFont(skin::SkinFont(9, true, true));
    bar->SetMax(max);
    bar->SetVkoef(vkoef);
    bar->SetPosition(position);
    return bar;
}

void ScrollBars(QWidget* page) {
    Heading(page, 10, 8, "TKVRScrollerH");
    Bar(page, {10, 30, 211, 15}, 771, 500, 100.0 / 771);
    Label(page, 230, 30, "volume 500 of 771, Vkoef 100/771", 300);
    Bar(page, {10, 52, 211, 15}, 4000, 3725, 0)->SetThumbSize(44);
    Label(page, 230, 52, "time thumb (Vkoef 0) at 3725 s, ThumbSize 44", 300);
    auto* hover = Bar(page, {10, 74, 211, 15}, 100, 20, 1);
    hover->ButtonDown().setAttribute(Qt::WA_UnderMouse, true);
    Label(page, 230, 74, "right arrow under the mouse");
    auto* pressed = Bar(page, {10, 96, 211, 15}, 100, 80, 1);
    pressed->ButtonUp().setDown(true);
    Label(page, 230, 96, "left arrow pressed");
    auto* disabled = Bar(page, {10, 118, 211, 15}, 100, 50, 1);
    disabled->setEnabled(false);
    Label(page, 230, 118, "disabled: no thumb text");
    auto* plain = new TKVRScrollerH(page);
    plain->setGeometry(10, 140, 211, 17);
    plain->SetPosition(42);
    Label(page, 230, 140, "default colours");
    auto* mini = new TKVRScrollerH(page);
    mini->setGeometry(10, 164, 141, 8);
    mini->SetColor(ColorFromBgr(0x5A56AF));
    mini->SetColorBand(ColorFromBgr(0x5A56AF));
    mini->SetColorThumb(ColorFromBgr(4210752));
    mini->SetThumbShowText(false);
    mini->SetPosition(30);
    auto* mini_volume = new TKVRScrollerH(page);
    mini_volume->setGeometry(10, 172, 141, 9);
    mini_volume->SetColor(ColorFromBgr(0x5A56AF));
    mini_volume->SetColorBand(ColorFromBgr(0x5A56AF));
    mini_volume->SetColorThumb(Qt::black);
    mini_volume->SetMax(771);
    mini_volume->SetThumbShowText(false);
    mini_volume->SetPosition(600);
    Label(page, 230, 166, "mini player: time 141 x 8, volume 141 x 9", 300);
}

void Lists(QWidget* page, int top) {
    Heading(page, 10, top, "TCListBox + TKVRScrollerVr");
    const QImage band = Pic("\\forms\\TForm1\\ImgPalkaForSkroll.jpg");
    const QImage thumb = Pic("\\forms\\TForm1\\ImgSkroll.jpg");
    const char* rows[] = {"1. Intro",      "2. Night Drive",   "3. Glass Harbour", "4. Slow Light",
                          "5. Paper Moon", "6. Northern Line", "7. Rain",          "8. Coda"};
    for (int n = 0; n < 2; ++n) {
        const int x = 10 + n * 190;
        auto* list = new TCListBox(page);
        list->setGeometry(x, top + 22, 154, 128);
        list->setFont(skin::SkinFont(11));
        QPalette p = list->palette();
        p.setColor(QPalette::Base, Qt::black);
        p.setColor(QPalette::Text, ColorFromBgr(13421000));
        p.setColor(QPalette::Highlight, skin::kRoseDark);
        p.setColor(QPalette::HighlightedText, Qt::white);
        list->setPalette(p);
        for (const char* row : rows)
            list->addItem(row);
        list->SetMarkPictures(Pic("\\forms\\TForm1\\imgPl.bmp"), Pic("\\forms\\TForm1\\ImgPz.bmp"));
        list->SetItemFont(1, ColorFromBgr(0x8EF7A8), Qt::white, n == 0 ? "Play" : "Pause");
        list->setCurrentRow(n == 0 ? 4 : 1);
        auto* bar = new TKVRScrollerVr(page);
        bar->setGeometry(x + 156, top + 22, 10, 128);
        bar->SetPictures(band, thumb);
        bar->SetThumbSize(63);
        bar->SetMax(12);
        bar->SetPosition(n == 0 ? 0 : 9);
    }
    Label(page, 10, top + 152, "\"Play\" mark, row 5 selected", 185);
    Label(page, 200, top + 152, "\"Pause\" mark, selected too", 185);
}

void EqualizerWindow(QWidget* page, int left, int top) {
    Heading(page, left, top, "TEqualizer from the skin: 17 picture bars");
    auto* window = new QWidget(page);
    window->setGeometry(left, top + 20, 367, 170);
    window->setAutoFillBackground(true);
    QPalette p = window->palette();
    p.setColor(QPalette::Window, Qt::black);
    window->setPalette(p);
    auto* back = new TMegaImage(window);
    back->setGeometry(8, 4, 351, 158);
    back->SetPicture(1, Pic("\\eq\\eqforma.jpg"));
    back->ShowPicture(1);
    struct Button {
        const char* a;
        const char* b;
        QRect at;
        int shown;
    };
    const Button buttons[] = {
        {"\\eq\\Enabled.jpg", "\\eq\\Enabled2.jpg", {240, 12, 47, 15}, 1},
        {"\\eq\\Presets.jpg", "\\eq\\Presets2.jpg", {286, 12, 44, 15}, 2},
        {"\\Shuffle\\close2.jpg", "\\Shuffle\\close.jpg", {331, 9, 19, 19}, 1}};
    for (const Button& b : buttons) {
        auto* image = new TMegaImage(window);
        image->setGeometry(b.at);
        image->SetPicture(1, Pic(b.a));
        image->SetPicture(2, Pic(b.b));
        image->ShowPicture(b.shown);
    }
    const int gains[] = {15, 19, 22, 20, 17, 15, 13, 12, 12, 14, 16, 19, 21, 22, 20, 18, 15};
    for (int n = 0; n <= 16; ++n) {
        auto* bar = new TKVRScrollerVr(window);
        bar->setGeometry(n == 16 ? 30 : 60 + 18 * n, 34, 10, 108);
        bar->SetPictures(Pic("\\forms\\TForm1\\ImgPalkaForSkroll.jpg"),
                         Pic("\\forms\\TForm1\\ImgSkroll.jpg"));
        bar->SetThumbSize(63);
        bar->SetMax(30);
        bar->SetPosition(30 - gains[n]);
    }
    Label(page, left, top + 192, "\"RESET\" shown in its hover picture", 300);
}

void SkinButtons(QWidget* page, int top) {
    Heading(page, 10, top, "TMegaImage: ImgPlayPause slots 1-6, then driven by the mouse");
    const char* files[] = {"\\play\\play1.jpg",  "\\play\\play2.jpg",  "\\play\\play3.jpg",
                           "\\play\\Pause1.jpg", "\\play\\Pause2.jpg", "\\play\\Pause3.jpg"};
    for (int k = 1; k <= 6; ++k) {
        auto* image = new TMegaImage(page);
        image->setGeometry(10 + (k - 1) * 44, top + 22, 31, 31);
        for (int s = 1; s <= 6; ++s)
            image->SetPicture(s, Pic(files[s - 1]));
        image->ShowPicture(k);
        Label(page, 18 + (k - 1) * 44, top + 56, QString("slot %1").arg(k), 40);
    }
    // A repeat button: rest, mouse over, pressed (real events), and "on".
    const char* repeat[] = {"\\Repeat\\Repeat1.jpg", "\\Repeat\\Repeat2.jpg",
                            "\\Repeat\\Repeat3.jpg"};
    const char* captions[] = {"rest", "hover", "pressed", "on"};
    for (int n = 0; n < 4; ++n) {
        auto* image = new TMegaImage(page);
        image->setGeometry(290 + n * 44, top + 27, 21, 19);
        for (int s = 1; s <= 3; ++s)
            image->SetPicture(s, Pic(repeat[s - 1]));
        image->SetChangePictures(true);
        image->ShowPicture(1);
        if (n == 3) {
            image->SetNomPicRealVid(2);
            image->ShowPicture(2);
        }
        if (n == 1 || n == 2) {
            QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
            QApplication::sendEvent(image, &enter);
        }
        if (n == 2) {
            QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                              Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(image, &press);
        }
        Label(page, 286 + n * 44, top + 56, captions[n], 44);
    }
}

void Gauges(QWidget* page, int top) {
    Heading(page, 10, top, "TGauge (Gauge1's colours) and with the default colours");
    const int values[] = {0, 42, 77, 100};
    for (int n = 0; n < 4; ++n) {
        auto* gauge = new TGauge(page);
        gauge->setGeometry(10, top + 22 + n * 21, 288, 17);
        ApplyMainGaugeLook(*gauge);
        gauge->SetMaxValue(100);
        gauge->SetProgress(values[n]);
    }
    auto* plain = new TGauge(page);
    plain->setGeometry(310, top + 22, 100, 100);
    plain->setFont(skin::SkinFont(12, true));
    plain->SetMaxValue(9);
    plain->SetProgress(7);
    Label(page, 415, top + 22, "7 of 9: 77%", 100);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarvel-control-gallery INSTALL_DIR OUT.png\n");
        return 2;
    }
    g_app_dir = argv[1];
    try {
        QWidget page;
        page.resize(780, 690);
        page.setAutoFillBackground(true);
        QPalette p = page.palette();
        p.setColor(QPalette::Window, skin::kBody);
        page.setPalette(p);
        ScrollBars(&page);
        Lists(&page, 200);
        EqualizerWindow(&page, 400, 200);
        SkinButtons(&page, 420);
        Gauges(&page, 510);
        page.show();
        if (!page.grab().toImage().save(QString::fromLocal8Bit(argv[2])))
            return 1;
    } catch (const tarvel::AppError& e) {
        std::fprintf(stderr, "tarvel-control-gallery: %s\n", e.what());
        return 1;
    }
    return 0;
}
