#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "playlists/browser_songs.h"
#include "playlists/playlist.h"
#include "playlists/playlist_edit.h"
#include "playlists/playlist_engines.h"
#include "playlists/playlist_view.h"
#include "playlists/shuffle_picks.h"
#include "playlists/transport_control.h"

namespace tarvel::system {
class SystemServices;
}

namespace tarvel::playlists {

// What the main window shows of the playlists besides the two lists: which tab image is
// visible, the size label, the repeat button's look and the two time scrollers.
class PlaylistDisplay {
  public:
    virtual ~PlaylistDisplay() = default;
    // Shows the tab image of the playlist (Img2Pl1, Img2CD or Img2PL2) and hides the others.
    virtual void ShowTab(Playlist playlist) = 0;
    // StaticText3: the playlist's size, e.g. "42Mb".
    virtual void SetSizeText(const std::string& text) = 0;
    // ImgRepeat: picture 2 when on, picture 1 when off.
    virtual void SetRepeatButton(bool on) = 0;
    // Puts the main window's time scroller (TimeSKRL) and the mini player's to position 0.
    virtual void ZeroTimeScrollers() = 0;
};

// The playlist tab under a press at x on the tab image of the given width: the left third PL1,
// the middle third CD, the right third PL2.
Playlist TabAt(int x, int width);

// The size label's text: the sum over the rows of bit rate (kbit/s) x duration (ms), divided by
// 8 192 000 and rounded, followed by "Mb".
std::string SizeText(const TPlist& list);

// The playlists of a run: the working copy (the shown playlist and its undo copy), the three
// slots, the stopped-state total and the repeat button, with every operation on them. The main
// window owns one; the transport and the windows reach the playlists only through it. Event
// handlers (the ...Click operations) report errors through the general error report; the other
// operations throw AppError.
class PlaylistModel {
  public:
    struct Links {
        config::Settings* settings = nullptr;
        TransportControl* transport = nullptr;
        PlaylistDisplay* display = nullptr;
        PlaylistView* list5 = nullptr;  // the main window's list
        PlaylistView* list6 = nullptr;  // the small playlist window's list
        system::SystemServices* services = nullptr;
        PlaylistEngines* engines = nullptr;
        std::string app_dir;
        // The CD device's path followed by "/", empty when none; asked when a CD playlist is
        // built, so no drive is looked for before the CD is used.
        std::function<std::string()> cd_drive;
        // At the end of the playlist with "After end playlist" checked: SaveOnExit, then shut
        // the computer down.
        std::function<void()> after_end_shutdown;
        // The seed of each shuffle's random generator; a high-resolution clock when empty.
        std::function<uint64_t()> shuffle_seed;
    };
    explicit PlaylistModel(Links links);

    TPlayMasiv& Working() { return working_; }
    TMasPLayList& Work() { return working_.Work; }
    const TMasPLayList& Work() const { return working_.Work; }
    TAllmas& Slots() { return slots_; }
    const std::string& StoppedTotalText() const { return stopped_total_text_; }
    bool RepeatOn() const { return repeat_on_; }
    void ClickRepeat();  // ImgRepeatClick

    // Operations of the working copy.
    void TakeUndoSnapshot();
    void UndoPlaylistChange();  // UndoCtrlZ1Click, ImgUndoClick, Ctrl+Z
    void InsertSongs(const masTag& source, int first, int last, int target);
    // mode < first: append the items of rows first..last; else rewrite items first-1..last-1.
    void FillPlaylistView(int mode, int first, int last);
    void MarkCurrentSong(PlayCommand command);
    void SumPlaylistTime();
    void SumTimeBeforeCurrent();
    void ResetSongProgress();
    void AfterPlaylistLoad();
    // Rewrites the list item of a row (1-based) in both lists, without the mark.
    void RewriteItem(int row);
    // Removes the mark from both lists.
    void ClearMark();

    // Files. Start-up loading (not on a first run) and saving at exit read and write the three
    // standard files under AppDir/sort.
    void LoadAtStartup();
    void SaveAtExit();
    void SavePlaylistClick();  // SavePlaylist1Click, Ctrl+S
    void LoadPlaylistClick();  // LoadPlaylist1Click, Ctrl+L
    // Writes the working copy to the name, ".tpl" appended when it does not end so.
    void SavePlaylistAs(const std::string& name);
    // Load Playlist after the dialog: the three standard files under folder/sort; then, when
    // the picked file is a playlist file other than those, that file into the shown playlist.
    void LoadPlaylistsFrom(const std::string& folder, const std::string& picked = {});

    // Tabs and slots.
    void TabMouseDown(int x, int width);  // Img2Pl1MouseDown, Img2CDMouseDown, Img2PL2MouseDown
    void SwitchPlaylist(Playlist target);
    void ExchangePlaylist(Playlist store_into, Playlist take_from);
    // Refills the slot from the disc in CdDrive unless it already holds this disc.
    void BuildCdPlaylist(TPlayMasiv& slot);

    // Editing.
    void ClearPlaylist();  // ClearPlayList1Click, Ctrl+Delete, command "cp"
    // Appends source rows first..last to the working playlist and plays the first of them.
    void AddSongs(const masTag& source, int first, int last);
    void ArtistDoubleClick(const BrowserSongs& browser);  // ListBox1DblClick, ListBox2DblClick
    void AlbumDoubleClick(const BrowserSongs& browser);   // ListBox3DblClick
    void SongDoubleClick(const BrowserSongs& browser, int item_index);  // ListBox4DblClick
    // Plays row r (1-based) chosen in a playlist list; rows outside the playlist do nothing.
    void PlayRow(int row);
    // Removes row r; the playing row (Current) is never removed. True when a row went.
    bool DeleteSong(int row);
    // A drop on a playlist list at target row t (DropTarget); source_row is the pressed playlist
    // row of a move (-1 when the press was below the items). Never starts playback.
    void DropOnPlaylist(int target, int source_row, const DragSource& source);

    // Shuffle and repeat.
    void ShuffleClick(const BrowserSongs& browser);  // ImgShuffleClick
    void ShufflePlaylistClick();                     // ShufflePlaylist1Click
    // The working playlist becomes n rows picked from source rows 1..m, and the first starts.
    // n = 0 leaves the playlist as it was and starts nothing.
    void PickSongs(const masTag& source, int m, int n);
    // Picks share_percent of the library songs (allsong.tft) of the artist class.
    void LibraryShuffle(ArtistClass artist_class, double share_percent);
    // The next-song rule, run by the transport when the song has ended.
    void AdvanceAfterEnd();

  private:
    config::Settings& settings() { return *links_.settings; }
    TransportControl& transport() { return *links_.transport; }
    void ForLists(const std::function<void(PlaylistView&)>& action);
    void EmptyLists();
    void ShowWholePlaylist();
    bool ReadSlotFile(Playlist playlist, const std::string& folder);
    void ReportRead(const std::string& problem, bool kept);
    void EnsureCdPlaylist();
    void RunReported(const std::function<void()>& handler);

    Links links_;
    TPlayMasiv working_;
    TAllmas slots_;
    // By slot, for the app folder's playlist files that could not be read whole: the rows the
    // slot took from the file. Such a file is written over only once its playlist was changed,
    // and is then kept beside as NAME.unreadable.
    std::array<std::optional<std::string>, 3> unread_files_;
    std::string stopped_total_text_ = "00:00";
    bool repeat_on_ = false;
};

}  // namespace tarvel::playlists
