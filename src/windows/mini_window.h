#pragma once

#include <QColor>
#include <QString>
#include <memory>
#include <string>

#include "windows/skin_window.h"

namespace tarvel {

namespace winmsg {
class WindowEndpoint;
}

namespace windows {

// What the mini player asks of the main window: the transport's operations on the working
// playlist and the window states. The main window implements it.
class MiniPlayerHost {
  public:
    virtual ~MiniPlayerHost() = default;
    // The number of rows of the working playlist.
    virtual int Count() const = 0;
    // The play button: from the start when no position is held, else pause or resume.
    virtual void PlayPauseButton() = 0;
    virtual void PlayPause() = 0;
    virtual void StopPlay() = 0;
    virtual void PlayNext() = 0;
    virtual void PlayPrevious() = 0;
    // The small playlist window and the mini player are hidden and the application goes to the
    // tray; the mini player is what comes back.
    virtual void MiniToTray() = 0;
    // The main window is shown again.
    virtual void ShowMain() = 0;
    // Saves everything and ends the program.
    virtual void CloseProgram() = 0;
    // The user moved the position bar: the seek waits for the release of the mouse.
    virtual void PositionBarMoved(int position) = 0;
    // The user moved the volume bar (0..771): the main volume follows.
    virtual void VolumeBarMoved(int position) = 0;
    // The volume keys: the main volume moves by delta within 0..771.
    virtual void StepVolume(int delta) = 0;
};

}  // namespace windows

// The mini player: a borderless strip at the top of the screen that stands in for the main
// window, with the scrolling title, the song and playlist times, a position and a volume bar and
// the transport buttons. Every button and key calls the main window's operations. Its window
// class "TMinFrm" is registered for the whole run: a second start of the program finds it and
// ends at once.
class TMinFrm : public windows::SkinWindowOf<controls::Mini> {
    Q_OBJECT
  public:
    static constexpr int kVolumeStep = 10;

    // Hidden until the main window switches to it.
    explicit TMinFrm(const std::string& app_dir, const windows::Report& report = {},
                     QWidget* parent = nullptr);
    ~TMinFrm() override;

    // Why the window class could not be registered (empty when it was): the player works
    // without it, only a second start is not noticed.
    const std::string& MarkerError() const { return marker_error_; }

    void SetHost(windows::MiniPlayerHost* host) { host_ = host; }
    // The small playlist window that drops down under the strip.
    void SetSmallPlaylist(QWidget* talik) { talik_ = talik; }
    // Adapts the strip to the screen's width scale and the font ratio; a screen narrower than
    // 1024 pixels also gets the small font in the time label.
    void Scale(double scale_x, double font_ratio);

    // What the main window shows here. Setting a bar raises no change event.
    void SetTimePosition(int position);
    void SetTimeMaximum(int maximum);
    void SetVolumePosition(int position);
    // The play button's look: the picture shown and the active picture set (0 or 3).
    void SetPlayLook(int picture, int add_to_nom);
    void SetTimeText(const QString& text);
    int TitleWidth() const;
    void ShowTitle(const QString& text, int x, const QColor& text_color, const QColor& back_color);

    // Handlers.
    void ImgPlayPauseClick();
    void ImgStopClick();
    void ImgPrewClick();
    void ImgNextClick();
    void ImgPlsClick();
    void ImgTrayClick();
    void ImgNormalClick();
    void ImgCloseClick();
    void SCRLtimeMINChange(int position);
    void SCRLvolumeMINChange(int position);
    // A key anywhere in the window, seen before its controls; true when it was taken.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    void HideSmallPlaylist();
    template <typename Action>
    void WithHost(Action&& action) {
        if (host_ != nullptr) {
            action(*host_);
        }
    }

    std::unique_ptr<winmsg::WindowEndpoint> endpoint_;
    std::string marker_error_;
    windows::MiniPlayerHost* host_ = nullptr;
    QWidget* talik_ = nullptr;
};

}  // namespace tarvel
