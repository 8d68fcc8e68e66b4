#include "shell/main_window.h"

#include <QCloseEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWindow>

#include "controls/c_list_box.h"
#include "controls/hint_timing.h"
#include "controls/kvr_scroller_h.h"
#include "controls/skin_loader.h"
#include "controls/window_outline.h"
#include "platform/error/app_error.h"
#include "shell/analyser_strip.h"
#include "shell/layout_rules.h"
#include "shell/library_panels.h"
#include "shell/list_view.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/main_menus.h"
#include "shell/player_commands.h"
#include "shell/startup_prefetch.h"

namespace tarvel {

TForm1::TForm1(shell::PlayerCommands& commands, config::Settings& settings,
               audio::CBassEngine& bass, std::string app_dir, shell::StartupPrefetch* prefetch)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      commands_(commands),
      settings_(settings),
      bass_(bass),
      app_dir_(std::move(app_dir)) {
    setObjectName("TForm1");
    setWindowTitle("Tarvel");
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    resize(kDesignWidth, kDesignHeight);
    controls::UseHintTiming();
    FormCreate(prefetch);
}

TForm1::~TForm1() = default;

void TForm1::FormCreate(shell::StartupPrefetch* prefetch) {
    design_layout_ = shell::DesignLayout();
    layout_ = design_layout_;
    setAcceptDrops(true);

    controls_ = std::make_unique<shell::MainControls>(*this);
    try {
        std::optional<controls::WindowSkin> skin;
        if (prefetch != nullptr) {
            skin = prefetch->TakeMainSkin();
        }
        if (skin) {
            controls::ApplyWindowSkin(*this, *skin);
        } else {
            controls::LoadWindowSkin(*this, "TForm1", app_dir_);
        }
    } catch (const AppError& e) {
        commands_.Report(e.what());
    }
    controls_->AfterSkinLoaded();
    display_ = std::make_unique<shell::MainDisplay>(*controls_, Timer1, Timer2);
    list5_ = std::make_unique<shell::ListView>(controls_->List(5), controls_->ListBar(5));
    list6_ = std::make_unique<shell::ListViewSlot>();
    library_panels_ =
        std::make_unique<shell::LibraryPanels>(*this, *controls_, settings_, app_dir_, commands_);

    controls_->VolumeSKRL->SetMax(config::Settings::kVolumeMax);
    controls_->VolumeSKRL->SetVkoef(100.0 / config::Settings::kVolumeMax);
    controls_->VolumeSKRL->SetRoundThumb(true);
    controls_->TimeSKRL->SetVkoef(0.0);
}

void TForm1::ApplySavedSize(int delta_width, int delta_height) {
    const bool list2_shown = TwoArtistPanels();
    shell::ApplySavedSize(layout_, shell::StartupDeltaWidth(layout_, delta_width, list2_shown),
                          delta_height, list2_shown);
    ApplyLayout();
    FitWindow();
}

void TForm1::FitWindow() {
    const shell::WindowFit fit = shell::FitWindow(layout_);
    resize(fit.width, fit.height);
    setMask(controls::RoundedOutline(
        QRect(fit.region.left, fit.region.top, fit.region.width, fit.region.height), fit.corner));
    update();
}

void TForm1::ApplyLayout() {
    controls_->Apply(layout_);
}

void TForm1::ImgAnClick() {
    if (spectrum_ != nullptr) {
        spectrum_->Click();
    }
}

bool TForm1::SpectrumOn() const {
    return spectrum_ != nullptr && spectrum_->On();
}

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!closed_) {
        closed_ = true;
        emit Closing();
        emit Closed();
    }
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        emit Minimised();
    }
}

void TForm1::MoveWindow() {
    if (QWindow* window = windowHandle()) {
        window->startSystemMove();
    }
}

void TForm1::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        MoveWindow();
    }
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TForm1::dropEvent(QDropEvent* event) {
    std::vector<std::string> items;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            const QByteArray path = QFile::encodeName(url.toLocalFile());
            items.emplace_back(path.constData(), static_cast<size_t>(path.size()));
        }
    }
    if (items.empty()) {
        return;
    }
    event->acceptProposedAction();
    commands_.DropOnLibrary(items);
}

}  // namespace tarvel
