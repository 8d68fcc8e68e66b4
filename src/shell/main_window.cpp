#include "shell/main_window.h"

#include <QCloseEvent>
#include <QFile>
#include <QMimeData>
#include <QUrl>
#include <QWindow>

#include "audio/bass_engine.h"
#include "controls/c_list_box.h"
#include "controls/hint_timing.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/window_outline.h"
#include "library/library_actions.h"
#include "library/library_store.h"
#include "library/scanner.h"
#include "library/song_reader.h"
#include "platform/desktop/desktop.h"
#include "platform/error/app_error.h"
#include "platform/sound/sound_notice.h"
#include "platform/system/system_services.h"
#include "platform/text/cp1251.h"
#include "playlists/playlist_model.h"
#include "shell/background_work.h"
#include "shell/layout_rules.h"
#include "shell/library_panels.h"
#include "shell/list_view.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/main_menus.h"
#include "shell/open_files.h"
#include "shell/player_commands.h"
#include "shell/playing_core.h"
#include "shell/progress_relay.h"
#include "shell/shell_links.h"
#include "shell/window_host.h"
#include "shell/window_states.h"
#include "transport/transport.h"
#include "windows/fmod_window.h"

namespace tarvel {

TForm1::TForm1(system::SystemServices& services, std::string app_dir,
               std::unique_ptr<desktop::Desktop> desktop, QWidget* parent,
               shell::StartupPrefetch* prefetch)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      services_(services),
      app_dir_(std::move(app_dir)),
      desktop_(desktop ? std::move(desktop) : desktop::CreateDesktop()),
      prefetch_(prefetch) {
    setObjectName("TForm1");
    setWindowTitle("Tarvel");
    QPalette black = palette();
    black.setColor(QPalette::Window, Qt::black);
    setPalette(black);
    setAutoFillBackground(true);
    resize(kDesignWidth, kDesignHeight);
    controls::UseHintTiming();
    commands_ = std::make_unique<shell::PlayerCommands>(
        *this, shell::ErrorBoundary(services_, shell::ErrorBoundary::Show::AtOnce));
    answering_commands_ = std::make_unique<shell::PlayerCommands>(
        *this, shell::ErrorBoundary(services_, shell::ErrorBoundary::Show::AfterAnswer));
    FormCreate();
    prefetch_ = nullptr;
}

TForm1::~TForm1() {
    sound::SetSoundTroubleListener(nullptr);
    StopBackgroundWork();
}

void TForm1::Reported(const std::function<void()>& handler) {
    commands_->Run(handler);
}

library::ScanRunner& TForm1::Background() {
    return *background_;
}

library::ProgressDisplay& TForm1::BackgroundProgress() {
    return *background_progress_;
}

void TForm1::StopBackgroundWork() {
    if (background_ != nullptr && background_->Busy()) {
        scanner_->report().RequestAbandon();
        background_->Wait();
    }
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

void TForm1::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!closed_) {
        closed_ = true;
        StopBackgroundWork();
        desktop_->UnregisterHotkeys();
        SaveOnExit();
        desktop_->DeleteTrayIcon();
        emit Closed();
    }
}

void TForm1::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && states_ != nullptr &&
        !states_->InTray()) {
        states_->MainMinimised();
    }
}

void TForm1::AttachSecondaryWindows(QWidget* mini, QWidget* talik) {
    host_->mini = mini;
    host_->talik = talik;
}

void TForm1::SwitchToMini() {
    commands_->SwitchToMini();
}

void TForm1::ToTray() {
    states_->ToTray();
}

void TForm1::RestoreFromTray() {
    commands_->RestoreFromTray();
}

playlists::BrowserSongs TForm1::BrowserSongs() const {
    return browser_songs ? browser_songs() : playlists::BrowserSongs{};
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
    items = shell::TakePlayable(items, services_, true);
    if (!items.empty()) {
        library_actions_->DropItems(items);
    }
}

}  // namespace tarvel
