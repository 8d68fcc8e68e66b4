#pragma once

#include <string>
#include <vector>

#include "transport/transport_display.h"

// The scrolling title line of the main window and the mini player: its text, its pixel width
// (measured once per change, never per tick) and the left edge at which it is drawn.
namespace tarvel::transport {

// The caption of a playlist row (cells 0 artist, 2 title, 4 kind, 5 track number): "Artist -
// Title" for a file; "CD - Track 07" for an audio-CD track below 10, else "CD - Track 12".
std::string SongCaptionOf(const std::vector<std::string>& row);

// The title line of a playing row: artist - album - title - [year - ]bitrate kbps - time -
// channel mode; for an audio-CD track "CD - " + title. song_time is the duration text of the
// song.
std::string TitleTextOf(const std::vector<std::string>& row, const std::string& song_time);

class TitleLine {
  public:
    // Starts with the idle title; the scroll position starts at the main strip's width.
    explicit TitleLine(TransportDisplay& display);

    const std::string& Text() const { return text_; }
    int Width() const { return width_; }
    int ScrollPosition() const { return scroll_; }

    // Changes the text and measures it.
    void SetText(const std::string& text);

    // The strip the title is drawn into: the main window's while its visible flag is set, else
    // the mini player's.
    TitleStrip Strip() const;

    // One 20 ms step: the text moves one pixel left and, once it has wholly left the strip,
    // comes back at the strip's right edge; then it is drawn.
    void Scroll();
    // Draws the text where it stands (a strip shown again, or a title that does not scroll).
    void Draw();
    // While nothing plays the title stands still at the strip's left edge.
    void Rest() { scroll_ = 0; }

  private:
    TransportDisplay& display_;
    std::string text_;
    int width_ = 0;
    int scroll_ = 0;
};

}  // namespace tarvel::transport
