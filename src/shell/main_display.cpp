#include "shell/main_display.h"

#include <algorithm>

#include <QCoreApplication>
#include <QLabel>

#include "controls/bgr_color.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_h.h"
#include "controls/mega_image.h"
#include "platform/text/unicode.h"
#include "shell/main_controls.h"
#include "shell/on_screen.h"
#include "shell/window_states.h"

namespace tarvel::shell {

MainDisplay::MainDisplay(MainControls& controls, QTimer& timer1, QTimer& timer2)
    : controls_(controls), timer1_(timer1), timer2_(timer2) {}

bool MainDisplay::MainWindowVisible() const {
    return windows_ == nullptr || windows_->MainVisible();
}

bool MainDisplay::MiniPlayerVisible() const {
    return windows_ != nullptr && windows_->MiniVisible();
}

void MainDisplay::SetPosition(transport::PositionBar bar, int position) {
    if (bar == transport::PositionBar::Main) {
        controls_.TimeSKRL->SetPosition(position);
    } else {
        mini_position_ = position;
        ForViews([position](DisplayView& view) { view.ShowPosition(position); });
    }
}

int MainDisplay::Position(transport::PositionBar bar) const {
    return bar == transport::PositionBar::Main ? controls_.TimeSKRL->Position() : mini_position_;
}

void MainDisplay::SetPositionMaximum(int maximum) {
    controls_.TimeSKRL->SetMax(maximum);
    mini_maximum_ = maximum;
    ForViews([maximum](DisplayView& view) { view.ShowPositionMaximum(maximum); });
}

void MainDisplay::SetVolumeBars(int position) {
    controls_.VolumeSKRL->SetPosition(position);
    volume_ = position;
    ForViews([position](DisplayView& view) { view.ShowVolume(position); });
}

void MainDisplay::SetPlayButtons(transport::ButtonLook look) {
    controls::TMegaImage& button = controls_.Image(controls::Main::ImgPlayPause);
    button.SetAddToNom(look.add_to_nom);
    button.ShowPicture(look.picture);
    play_look_ = look;
    ForViews([look](DisplayView& view) { view.ShowPlayButton(look); });
}

void MainDisplay::Attach(DisplayView& view) {
    views_.push_back(&view);
    if (mini_maximum_) {
        view.ShowPositionMaximum(*mini_maximum_);
    }
    view.ShowPosition(mini_position_);
    if (volume_) {
        view.ShowVolume(*volume_);
    }
    if (play_look_) {
        view.ShowPlayButton(*play_look_);
    }
    if (!mini_time_.empty()) {
        view.ShowTime(mini_time_);
    }
    view.ShowAppTitle(app_title_);
}

void MainDisplay::Detach(DisplayView& view) {
    std::erase(views_, &view);
}

void MainDisplay::HideAbMarks() {
    controls_.Widget(controls::Main::MarkL).hide();
    controls_.Widget(controls::Main::MarkR).hide();
}

void MainDisplay::SetMainTimes(const std::string& song, const std::string& playlist) {
    static_cast<QLabel&>(controls_.Widget(controls::Main::StaticText1))
        .setText(text::ToQString(song));
    static_cast<QLabel&>(controls_.Widget(controls::Main::StaticText2))
        .setText(text::ToQString(playlist));
}

void MainDisplay::SetMiniTime(const std::string& text) {
    mini_time_ = text;
    ForViews([&text](DisplayView& view) { view.ShowTime(text); });
}

void MainDisplay::SetAppTitle(const std::string& title) {
    app_title_ = title;
    ForViews([&title](DisplayView& view) { view.ShowAppTitle(title); });
}

int MainDisplay::MeasureTitle(const std::string& text) const {
    return controls_.Label3->Measure(text::ToQString(text));
}

int MainDisplay::TitleStripWidth(transport::TitleStrip strip) const {
    if (strip == transport::TitleStrip::Main) {
        return controls_.Label3->width();
    }
    for (const DisplayView* view : views_) {
        if (const std::optional<int> width = view->TitleWidth()) {
            return *width;
        }
    }
    return 0;
}

void MainDisplay::DrawTitle(transport::TitleStrip strip, const std::string& text, int x,
                            uint32_t text_color, uint32_t back_color) {
    if (strip == transport::TitleStrip::Main) {
        controls_.Label3->Show(text::ToQString(text), x, controls::ColorFromBgr(text_color),
                               controls::ColorFromBgr(back_color));
    } else {
        ForViews([&](DisplayView& view) { view.ShowTitle(text, x, text_color, back_color); });
    }
}

void MainDisplay::RestoreTopmost() {
    ForViews([](DisplayView& view) { view.RestoreTopmost(); });
}

bool MainDisplay::TopmostShown() const {
    return AnyView([](const DisplayView& view) { return view.KeptOnTop(); });
}

bool MainDisplay::SpectrumOn() const {
    return AnyView([](const DisplayView& view) { return view.SpectrumOn(); });
}

void MainDisplay::DrawSpectrum() {
    ForViews([](DisplayView& view) { view.DrawSpectrum(); });
}

bool MainDisplay::SpectrumAtRest() const {
    return !AnyView([](const DisplayView& view) { return !view.SpectrumAtRest(); });
}

bool MainDisplay::TitleStripShown(transport::TitleStrip strip) const {
    if (strip == transport::TitleStrip::Main) {
        return OnScreen(*controls_.Label3);
    }
    return AnyView([](const DisplayView& view) { return view.TitleShown(); });
}

bool MainDisplay::SpectrumStripShown() const {
    return AnyView([](const DisplayView& view) { return view.SpectrumShown(); });
}

namespace {

void Switch(QTimer& timer, bool on) {
    if (on) {
        timer.start();
    } else {
        timer.stop();
    }
}

}  // namespace

void MainDisplay::SetTimer1(bool on) {
    Switch(timer1_, on);
}

void MainDisplay::SetTimer2(bool on) {
    Switch(timer2_, on);
}

void MainDisplay::SetModuleTimer(bool on) {
    if (module_timer != nullptr) {
        Switch(*module_timer, on);
    }
}

void MainDisplay::ShowTab(playlists::Playlist playlist) {
    controls_.Widget(controls::Main::Img2Pl1).setVisible(playlist == playlists::Playlist::PL1);
    controls_.Widget(controls::Main::Img2CD).setVisible(playlist == playlists::Playlist::CD);
    controls_.Widget(controls::Main::Img2PL2).setVisible(playlist == playlists::Playlist::PL2);
}

void MainDisplay::SetSizeText(const std::string& text) {
    static_cast<QLabel&>(controls_.Widget(controls::Main::StaticText3))
        .setText(text::ToQString(text));
}

void MainDisplay::SetRepeatButton(bool on) {
    controls::TMegaImage& button = controls_.Image(controls::Main::ImgRepeat);
    button.SetNomPicRealVid(on ? 2 : 1);
    button.ShowPicture(on ? 2 : 1);
}

void MainDisplay::ZeroTimeScrollers() {
    SetPosition(transport::PositionBar::Main, 0);
    SetPosition(transport::PositionBar::Mini, 0);
}

void MainDisplay::SetBoxText(const std::string& text) {
    controls_.CmdSearch->setText(text::ToQString(text));
}

void MainDisplay::SetBoxVisible(bool visible) {
    controls_.CmdSearch->setVisible(visible);
}

void MainDisplay::RepaintBox() {
    controls_.CmdSearch->repaint();
}

void MainDisplay::SetGaugeMaximum(int64_t maximum) {
    controls_.Gauge1->SetLongMaxValue(maximum);
}

void MainDisplay::SetGaugeProgress(int64_t progress) {
    controls_.Gauge1->SetLongProgress(progress);
}

void MainDisplay::SetGaugeVisible(bool visible) {
    controls_.Gauge1->setVisible(visible);
}

void MainDisplay::RepaintWindow() {
    controls_.Gauge1->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace tarvel::shell
