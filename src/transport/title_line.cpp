#include "transport/title_line.h"

#include "library/song_record.h"
#include "platform/text/number_text.h"
#include "playlists/playlist.h"

namespace tarvel::transport {

using namespace tarvel::library;

namespace {

const std::string& Cell(const std::vector<std::string>& row, int cell) {
    static const std::string kEmpty;
    return cell < static_cast<int>(row.size()) ? row[cell] : kEmpty;
}

bool IsCd(const std::vector<std::string>& row) {
    return Cell(row, kGenre) == kCdGenre;
}

}  // namespace

std::string SongCaptionOf(const std::vector<std::string>& row) {
    if (!IsCd(row)) {
        return Cell(row, kArtist) + " - " + Cell(row, kTitle);
    }
    const std::string& track = Cell(row, kTrack);
    const auto number = text::ParseInt32(track);
    return (number && *number < 10 ? "CD - Track 0" : "CD - Track ") + track;
}

std::string TitleTextOf(const std::vector<std::string>& row, const std::string& song_time) {
    if (IsCd(row)) {
        return "CD - " + Cell(row, kTitle);
    }
    std::string text =
        Cell(row, kArtist) + " - " + Cell(row, kAlbum) + " - " + Cell(row, kTitle) + " - ";
    if (Cell(row, kYear) != kNoYear) {
        text += Cell(row, kYear) + " - ";
    }
    return text + Cell(row, kBitRate) + " kbps - " + song_time + " - " + Cell(row, kChannelMode);
}

TitleLine::TitleLine(TransportDisplay& display)
    : display_(display), scroll_(display.TitleStripWidth(TitleStrip::Main)) {
    SetText(playlists::kIdleTitle);
}

void TitleLine::SetText(const std::string& text) {
    text_ = text;
    width_ = display_.MeasureTitle(text_);
}

TitleStrip TitleLine::Strip() const {
    return display_.MainWindowVisible() ? TitleStrip::Main : TitleStrip::Mini;
}

void TitleLine::Scroll() {
    --scroll_;
    if (scroll_ <= -width_) {
        scroll_ = display_.TitleStripWidth(Strip());
    }
    Draw();
}

void TitleLine::Draw() {
    const bool main = Strip() == TitleStrip::Main;
    display_.DrawTitle(Strip(), text_, scroll_, main ? kMainTitleText : kMiniTitleText,
                       main ? kMainTitleBack : kMiniTitleBack);
}

}  // namespace tarvel::transport
