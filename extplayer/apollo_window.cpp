#include "extplayer/apollo_window.h"

#include <QApplication>
#include <QVBoxLayout>
#include <cstdio>

#include "extplayer/apollo_player.h"
#include "extplayer/equalizer_window.h"
#include "platform/error/app_error.h"
#include "platform/fs/line_file.h"
#include "platform/winmsg/widget_requests.h"
#include "platform/winmsg/window_endpoint.h"

namespace tarvel::extplayer {
namespace {

constexpr uint32_t kCommandMessage = 1027;  // WM_USER + 3
// A test clock (WM_APP + 1, wParam = milliseconds): on the manual sound output, the test moves
// the player's time forward itself instead of waiting for it.
constexpr uint32_t kClockMessage = 0x8001;
constexpr int32_t kHandOverKind = 2;
constexpr int64_t kVkE = 0x45;

QString Clock(int32_t ms) {
    const int s = ms / 1000;
    return QString("%1:%2").arg(s / 60, 2, 10, QChar('0')).arg(s % 60, 2, 10, QChar('0'));
}

}  // namespace

ApolloWindow::ApolloWindow(ApolloPlayer& player, std::string log_path)
    : player_(player), log_path_(std::move(log_path)) {
    setWindowTitle("Apollo");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("<b>Apollo</b> — external player for Tarvel", this));
    file_label_ = new QLabel("No file", this);
    time_label_ = new QLabel("00:00", this);
    layout->addWidget(file_label_);
    layout->addWidget(time_label_);
    resize(360, 110);
    connect(&refresh_, &QTimer::timeout, this, &ApolloWindow::Refresh);
    refresh_.start(500);
    endpoint_ = std::make_unique<winmsg::WindowEndpoint>(
        "Apollo - Main Window", "Apollo",
        [this](const winmsg::Incoming& m) { return OnMessage(m); });
}

ApolloWindow::~ApolloWindow() = default;

void ApolloWindow::Log(const std::string& line) {
    if (log_path_.empty()) {
        return;
    }
    try {
        fs::AppendLine(log_path_, line);
    } catch (const AppError& e) {
        std::fprintf(stderr, "extplayer: %s\n", e.what());
    }
}

void ApolloWindow::Refresh() {
    file_label_->setText(player_.CurrentFile().empty()
                             ? QString("No file")
                             : QString::fromLocal8Bit(player_.CurrentFile().c_str()));
    const char* states[] = {"stopped", "playing", "paused"};
    time_label_->setText(Clock(player_.PositionMs()) + "  " + states[player_.State()]);
}

void ApolloWindow::ShowEqualizer() {
    if (!equalizer_) {
        equalizer_ =
            std::make_unique<EqualizerWindow>([this](const std::string& line) { Log(line); });
    }
    equalizer_->Open();
}

int32_t ApolloWindow::OnMessage(const winmsg::Incoming& m) {
    switch (m.op) {
        case winmsg::Op::CopyData: {
            std::string path = m.data;
            if (!path.empty() && path.back() == '\0') {
                path.pop_back();
            }
            Log("copydata " + std::to_string(m.kind) + " " + path);
            if (m.kind != kHandOverKind) {
                return 0;
            }
            const bool playing = player_.OpenAndPlay(path);
            Refresh();
            return playing ? 1 : 0;
        }
        case winmsg::Op::Show:
        case winmsg::Op::Topmost:
            Log((m.op == winmsg::Op::Show ? "show " : "topmost ") + std::to_string(m.wparam));
            return winmsg::ApplyWindowRequest(this, m);
        case winmsg::Op::Send:
        case winmsg::Op::Post:
            break;
    }
    if (m.msg == kCommandMessage) {
        const int32_t result =
            player_.Command(static_cast<int32_t>(m.wparam), static_cast<int32_t>(m.lparam));
        // The two polling commands come five times a second; the log keeps the others.
        if (m.wparam != 1 && m.wparam != 19) {
            Log("cmd " + std::to_string(m.wparam) + " " + std::to_string(m.lparam));
        }
        return result;
    }
    if (m.msg == kClockMessage) {
        return player_.AdvanceClock(static_cast<int32_t>(m.wparam));
    }
    if (m.msg == winmsg::WM_CLOSE) {
        Log("close");
        QApplication::quit();
        return 0;
    }
    if (m.msg == winmsg::WM_KEYDOWN) {
        Log("key " + std::to_string(m.wparam) + " " + std::to_string(m.lparam));
        if (m.wparam == kVkE) {
            ShowEqualizer();
        }
    }
    return 0;
}

}  // namespace tarvel::extplayer
