#pragma once

#include <cstdint>
#include <string>

// What the transport shows and switches in the windows: the position and volume bars of the main
// window and the mini player, the play buttons, the time texts, the application title, the
// scrolling title strip and the timers. The main window implements it; tests record.
// Texts are Windows-1251.
namespace tarvel::transport {

// The two position bars: TimeSKRL of the main window and the mini player's SCRLtimeMIN.
enum class PositionBar { Main, Mini };

// The two title strips: Label3 of the main window and the mini player's Label3.
enum class TitleStrip { Main, Mini };

// The look of a skin button (ImgPlayPause of either window): its picture and AddToNom.
struct ButtonLook {
    int picture = 1;
    int add_to_nom = 0;
    bool operator==(const ButtonLook&) const = default;
};
// Shown while a song plays: the pause picture.
inline constexpr ButtonLook kPlayingLook{4, 3};
// Shown while paused or stopped: the play picture.
inline constexpr ButtonLook kIdleLook{1, 0};

// Colours of the title strips, blue-green-red order.
inline constexpr uint32_t kMainTitleText = 0xFFFFFF;
inline constexpr uint32_t kMainTitleBack = 0x625DB4;
inline constexpr uint32_t kMiniTitleText = 0xD2D2D2;
inline constexpr uint32_t kMiniTitleBack = 0x5A56AF;

class TransportDisplay {
  public:
    virtual ~TransportDisplay() = default;

    // Position bars. Setting a position from here is not a user move: it raises no change event.
    virtual void SetPosition(PositionBar bar, int position) = 0;
    virtual int Position(PositionBar bar) const = 0;
    // Both bars get the same maximum (whole seconds of the song).
    virtual void SetPositionMaximum(int maximum) = 0;
    // VolumeSKRL and the mini player's volume bar, 0..771, without change events.
    virtual void SetVolumeBars(int position) = 0;

    // ImgPlayPause of the main window and of the mini player.
    virtual void SetPlayButtons(ButtonLook look) = 0;
    // The A-B marks MarkL and MarkR are hidden.
    virtual void HideAbMarks() = 0;

    // StaticText1 (song time) and StaticText2 (playlist time) of the main window.
    virtual void SetMainTimes(const std::string& song, const std::string& playlist) = 0;
    // The mini player's time label.
    virtual void SetMiniTime(const std::string& text) = 0;
    // The application title (taskbar button and tray tip).
    virtual void SetAppTitle(const std::string& title) = 0;

    // The visible flags of the two windows (a window sent to the tray keeps its flag).
    virtual bool MainWindowVisible() const = 0;
    virtual bool MiniPlayerVisible() const = 0;

    // The pixel width of a text in the title font (Verdana 10).
    virtual int MeasureTitle(const std::string& text) const = 0;
    // The width of a title strip in pixels.
    virtual int TitleStripWidth(TitleStrip strip) const = 0;
    // Draws the title strip: fills it with the background and draws text with its left edge at x.
    virtual void DrawTitle(TitleStrip strip, const std::string& text, int x, uint32_t text_color,
                           uint32_t back_color) = 0;

    // Keeps the application's topmost windows on top; TopmostShown says whether one of them is
    // shown, so that there is anything to keep on top.
    virtual void RestoreTopmost() = 0;
    virtual bool TopmostShown() const = 0;
    // The spectrum display is on (ImgAn shows picture 2); DrawSpectrum paints one frame of it.
    virtual bool SpectrumOn() const = 0;
    virtual void DrawSpectrum() = 0;
    // Nothing plays into the spectrum and its bars and peak marks have all fallen: another frame
    // would draw the same picture.
    virtual bool SpectrumAtRest() const = 0;

    // Whether a strip can be seen now: its window is shown, not minimised, not in the tray and
    // not wholly covered. Nothing is drawn into a strip nobody can see.
    virtual bool TitleStripShown(TitleStrip strip) const = 0;
    virtual bool SpectrumStripShown() const = 0;
};

// The timers the transport switches: Timer1 (200 ms, engine polling), Timer2 (20 ms, display)
// and the module player window's tmrMain (runs while FMOD plays). The app runs QTimers that
// follow these calls; each call is a change (all start off).
class TransportTimers {
  public:
    virtual ~TransportTimers() = default;
    virtual void SetTimer1(bool on) = 0;
    virtual void SetTimer2(bool on) = 0;
    virtual void SetModuleTimer(bool on) = 0;
};

}  // namespace tarvel::transport
