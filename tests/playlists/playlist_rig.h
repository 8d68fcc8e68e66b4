#pragma once

#include <string>
#include <vector>

#include "config/settings.h"
#include "platform/system/fake_system_services.h"
#include "playlists/playlist_model.h"
#include "support/temp_dir.h"

// Recording fakes of what the playlists drive, and a rig that wires a PlaylistModel to them in a
// temporary application folder.
namespace tarvel::testing {

using playlists::PlayCommand;
using playlists::Playlist;

class RecordingView : public playlists::PlaylistView {
  public:
    void ClearItems() override { items.clear(); }
    int ItemCount() const override { return static_cast<int>(items.size()); }
    void AppendItem(const std::string& text) override { items.push_back(text); }
    void SetItem(int index, const std::string& text) override;
    void RemoveItem(int index) override;
    void SetItemFont(int index, uint32_t color, uint32_t spare_color,
                     const std::string& mode) override;
    int VisibleItems() const override { return visible; }
    void SetScrollerMax(int maximum) override { scroller_max = maximum; }
    void SetScrollerPosition(int position) override { scroller_position = position; }

    std::vector<std::string> items;
    int marked = -2;
    uint32_t mark_color = 0;
    uint32_t mark_spare = 0;
    std::string mark_mode;
    int visible = 4;
    int scroller_max = -1;
    int scroller_position = -1;
};

class RecordingDisplay : public playlists::PlaylistDisplay {
  public:
    void ShowTab(Playlist playlist) override { tabs.push_back(playlist); }
    void SetSizeText(const std::string& text) override { size_text = text; }
    void SetRepeatButton(bool on) override { repeat_button = on; }
    void ZeroTimeScrollers() override { ++time_scrollers_zeroed; }

    std::vector<Playlist> tabs;
    std::string size_text;
    bool repeat_button = false;
    int time_scrollers_zeroed = 0;
};

class FakeEngines : public playlists::PlaylistEngines {
  public:
    void FmodStop(const std::string& kind) override { calls.push_back("FmodStop " + kind); }
    std::vector<int32_t> CdTrackLengths() override { return disc; }
    int32_t ApolloCommand(int32_t number, int32_t value) override;
    void EnsureCdReaderPlugin() override { calls.push_back("EnsureCdReaderPlugin"); }

    std::vector<int32_t> disc;
    std::vector<std::string> calls;
};

// Stands for the transport: records each call ("PlayCurrent Play row=3 at=83450",
// "StopPlay true") and does to the working copy what the transport does, so that state
// sequences read as in the program.
class FakeTransport : public playlists::TransportControl {
  public:
    void PlayCurrent(PlayCommand command) override;
    void StopPlay(bool snapshot) override;
    void SetPollingTimer(bool on) override { polling = on; }
    void SetTitleText(const std::string& text) override { title = text; }
    void ShowTimes() override { ++times_shown; }

    playlists::PlaylistModel* model = nullptr;
    config::Settings* settings = nullptr;
    std::vector<std::string> calls;
    bool polling = false;
    int times_shown = 0;
    std::string title;
};

// A song row of 13 cells.
std::vector<std::string> Song(const std::string& artist, const std::string& title, int ms = 1000,
                              int kbps = 128);
// A song table with rows 1.. the songs (row 0 empty).
library::masTag Table(const std::vector<std::vector<std::string>>& songs);
// Rows with titles "S1", "S2", ... of the given count.
library::masTag NumberedSongs(int count, const std::string& artist = "Band");

struct PlaylistRig {
    PlaylistRig();

    // Replaces the working playlist with the rows (Current and PositionMs as given).
    void SetWork(const library::masTag& rows, int current = 0, int position_ms = 0,
                 int play_state = 0);
    std::vector<std::string> Titles() const;  // cell 2 of rows 1..Count of the working copy
    std::string SortPath(const std::string& name) const;
    // The MessageBox calls the services recorded.
    std::vector<std::string> Reports() const;

    TempDir dir;
    config::Settings settings;
    system::FakeSystemServices services;
    RecordingView list5;
    RecordingView list6;
    RecordingDisplay display;
    FakeEngines engines;
    FakeTransport transport;
    std::vector<std::string> shutdowns;
    playlists::PlaylistModel model;
};

}  // namespace tarvel::testing
