#include "windows/mini_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "controls/kvr_scroller_h.h"
#include "controls/mega_image.h"
#include "controls/skin_palette.h"
#include "controls/title_strip.h"
#include "platform/error/app_error.h"
#include "platform/winmsg/widget_requests.h"
#include "platform/winmsg/window_endpoint.h"
#include "windows/secondary_scaling.h"
#include "windows/window_placement.h"

namespace tarvel {
namespace {

using controls::Mini;

// The window is made 50 pixels wider and 20 higher than the background strip reaches; the rounded
// outline from (ImgLeft.Left + 1, ImgLeft.Top + 1) to the bottom right corner of ImgRigth leaves
// only the 24-pixel strip showing.
constexpr QSize kClient(10 + 673 + 50, 2 + 24 + 20);
constexpr QRect kOutline(2 + 1, 2 + 1, 682 + 12 - 3, 2 + 24 - 3);
// The pixels left between the strip and the small playlist dropped under or over it.
constexpr int kListGap = 2;

constexpr int kTimeMax = 100;
constexpr int kVolumeMax = 771;
constexpr quint8 kThumbSize = 25;

void Colour(QWidget& widget, const QColor& back, const QColor& text) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, text);
    widget.setPalette(palette);
}

void LookOfBar(controls::TKVRScrollerH& bar, int maximum, const QColor& thumb) {
    bar.SetMax(maximum);
    bar.SetThumbSize(kThumbSize);
    bar.SetThumbShowText(false);
    bar.SetColor(controls::palette::kMiniStrip);
    bar.SetColorBand(controls::palette::kMiniStrip);
    bar.SetColorThumb(thumb);
}

}  // namespace

TMinFrm::TMinFrm(const std::string& app_dir, const windows::Report& report, QWidget* parent)
    : SkinWindowOf(kClient, kOutline, Qt::WindowStaysOnTopHint, parent) {
    setWindowTitle("Tarvel");
    try {
        endpoint_ = std::make_unique<winmsg::WindowEndpoint>(
            "TMinFrm", "Tarvel",
            [this](const winmsg::Incoming& m) { return winmsg::ApplyWindowRequest(this, m); });
    } catch (const AppError& e) {
        marker_error_ = e.what();
    }

    auto& time = Label(Mini::StaticText1);
    time.setAlignment(Qt::AlignCenter);
    time.setAutoFillBackground(true);
    QFont font("MS Sans Serif");
    font.setPixelSize(9);
    time.setFont(font);
    Colour(time, controls::palette::kMiniStrip, controls::palette::kMiniText);
    ShowTitle({}, 0, controls::palette::kMiniText, controls::palette::kMiniStrip);
    LookOfBar(HorizontalBar(Mini::SCRLtimeMIN), kTimeMax, controls::palette::kMiniThumb);
    LookOfBar(HorizontalBar(Mini::SCRLvolumeMIN), kVolumeMax, Qt::black);

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top());
    }
    LoadSkin(app_dir, report);

    const auto on_click = [this](Mini button, void (TMinFrm::*handler)()) {
        connect(&Image(button), &controls::TMegaImage::OnClick, this, handler);
    };
    on_click(Mini::ImgPlayPause, &TMinFrm::ImgPlayPauseClick);
    on_click(Mini::ImgStop, &TMinFrm::ImgStopClick);
    on_click(Mini::ImgPrew, &TMinFrm::ImgPrewClick);
    on_click(Mini::ImgNext, &TMinFrm::ImgNextClick);
    on_click(Mini::ImgPls, &TMinFrm::ImgPlsClick);
    on_click(Mini::ImgTray, &TMinFrm::ImgTrayClick);
    on_click(Mini::ImgNormal, &TMinFrm::ImgNormalClick);
    on_click(Mini::ImgClose, &TMinFrm::ImgCloseClick);
    // A press on the background strip moves the window (as every background) and closes the
    // small playlist.
    connect(&Image(Mini::Imgfon), &controls::TMegaImage::OnMouseDown, this,
            [this] { HideSmallPlaylist(); });
    connect(&HorizontalBar(Mini::SCRLtimeMIN), &controls::TKVRScrollerH::OnChange, this,
            &TMinFrm::SCRLtimeMINChange);
    connect(&HorizontalBar(Mini::SCRLvolumeMIN), &controls::TKVRScrollerH::OnChange, this,
            &TMinFrm::SCRLvolumeMINChange);
    qApp->installEventFilter(this);
}

TMinFrm::~TMinFrm() = default;

void TMinFrm::Scale(double scale_x, double font_ratio) {
    windows::ControlRects rects;
    constexpr Mini kScaled[] = {Mini::Label3, Mini::StaticText1, Mini::SCRLtimeMIN,
                                Mini::SCRLvolumeMIN};
    for (Mini id : kScaled) {
        rects.emplace(controls::RecordOf(id).name, Control(id).geometry());
    }
    windows::ScaleMiniStrip(rects, scale_x, font_ratio);
    for (Mini id : kScaled) {
        Control(id).setGeometry(rects.at(std::string(controls::RecordOf(id).name)));
    }
    if (scale_x < 1.0) {
        Control(Mini::StaticText1).setFont(QFont("Small Fonts", 7));
    }
}

void TMinFrm::SetTimePosition(int position) {
    HorizontalBar(Mini::SCRLtimeMIN).SetPosition(position);
}

void TMinFrm::SetTimeMaximum(int maximum) {
    HorizontalBar(Mini::SCRLtimeMIN).SetMax(maximum);
}

void TMinFrm::SetVolumePosition(int position) {
    HorizontalBar(Mini::SCRLvolumeMIN).SetPosition(position);
}

void TMinFrm::SetPlayLook(int picture, int add_to_nom) {
    controls::TMegaImage& button = Image(Mini::ImgPlayPause);
    button.SetAddToNom(add_to_nom);
    button.ShowPicture(picture);
}

void TMinFrm::SetTimeText(const QString& text) {
    Label(Mini::StaticText1).setText(text);
}

int TMinFrm::TitleWidth() const {
    return Strip(Mini::Label3).width();
}

void TMinFrm::ShowTitle(const QString& text, int x, const QColor& text_color,
                        const QColor& back_color) {
    Strip(Mini::Label3).Show(text, x, text_color, back_color);
}

void TMinFrm::ImgPlayPauseClick() {
    WithHost([](windows::MiniPlayerHost& host) { host.PlayPauseButton(); });
}

void TMinFrm::ImgStopClick() {
    WithHost([](windows::MiniPlayerHost& host) {
        if (host.Count() != 0) {
            host.StopPlay();
        }
    });
}

void TMinFrm::ImgPrewClick() {
    WithHost([](windows::MiniPlayerHost& host) {
        if (host.Count() != 0) {
            host.PlayPrevious();
        }
    });
}

void TMinFrm::ImgNextClick() {
    WithHost([](windows::MiniPlayerHost& host) {
        if (host.Count() != 0) {
            host.PlayNext();
        }
    });
}

void TMinFrm::ImgPlsClick() {
    if (talik_ == nullptr) {
        return;
    }
    if (talik_->isVisible()) {
        talik_->hide();
        return;
    }
    // Just under the visible strip, its left edge 15 pixels before the time label's; where the
    // screen ends below the strip, just above it. Wholly on the screen either way.
    const int left = x() + Control(Mini::StaticText1).x() - 15;
    const QSize size = talik_->frameGeometry().size();
    const int strip_top = y() + mask().boundingRect().top();
    const int list_bottom = talik_->mask().boundingRect().bottom();
    const QRect under(QPoint(left, y() + height() - 20), size);
    const QRect over(QPoint(left, strip_top - kListGap - 1 - list_bottom), size);
    talik_->move(windows::FirstOnScreen(std::vector<QRect>{under, over}, windows::AvailableAreas())
                     .topLeft());
    talik_->show();
    talik_->raise();
}

void TMinFrm::ImgTrayClick() {
    WithHost([](windows::MiniPlayerHost& host) { host.MiniToTray(); });
}

void TMinFrm::ImgNormalClick() {
    HideSmallPlaylist();
    WithHost([](windows::MiniPlayerHost& host) { host.ShowMain(); });
    hide();
}

void TMinFrm::ImgCloseClick() {
    WithHost([](windows::MiniPlayerHost& host) { host.CloseProgram(); });
}

void TMinFrm::SCRLtimeMINChange(int position) {
    WithHost([position](windows::MiniPlayerHost& host) { host.PositionBarMoved(position); });
}

void TMinFrm::SCRLvolumeMINChange(int position) {
    WithHost([position](windows::MiniPlayerHost& host) { host.VolumeBarMoved(position); });
}

bool TMinFrm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    const bool alt = modifiers.testFlag(Qt::AltModifier);
    const int volume = HorizontalBar(Mini::SCRLvolumeMIN).Position();
    if (key == Qt::Key_Pause) {
        WithHost([](windows::MiniPlayerHost& host) { host.PlayPause(); });
    } else if (ctrl && key == Qt::Key_Right) {
        WithHost([](windows::MiniPlayerHost& host) { host.PlayNext(); });
    } else if (ctrl && key == Qt::Key_Left) {
        WithHost([](windows::MiniPlayerHost& host) { host.PlayPrevious(); });
    } else if (alt && key == Qt::Key_Down) {
        ImgTrayClick();
    } else if (alt && key == Qt::Key_Up) {
        // As the normal-panel button: a small playlist left open would float on its own.
        ImgNormalClick();
    } else if (ctrl && key == Qt::Key_Up) {
        if (volume < HorizontalBar(Mini::SCRLvolumeMIN).Max()) {
            WithHost([](windows::MiniPlayerHost& host) { host.StepVolume(kVolumeStep); });
        }
    } else if (ctrl && key == Qt::Key_Down) {
        if (volume > 0) {
            WithHost([](windows::MiniPlayerHost& host) { host.StepVolume(-kVolumeStep); });
        }
    } else {
        return false;
    }
    return true;
}

bool TMinFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            return FormKeyDown(key.key(), key.modifiers());
        }
    }
    return SkinWindowOf::eventFilter(watched, event);
}

void TMinFrm::mousePressEvent(QMouseEvent* event) {
    // Presses on the window itself and on the time label arrive here; the title strip's only
    // move the window.
    if (childAt(event->position().toPoint()) != &Control(Mini::Label3)) {
        HideSmallPlaylist();
    }
    SkinWindowOf::mousePressEvent(event);
}

void TMinFrm::HideSmallPlaylist() {
    if (talik_ != nullptr) {
        talik_->hide();
    }
}

}  // namespace tarvel
