#pragma once

#include <functional>
#include <string>

#include "playlists/playlist.h"
#include "playlists/playlist_view.h"
#include "playlists/transport_control.h"

namespace tarvel::system {
class SystemServices;
}

namespace tarvel::playlists {

// What the main window shows of the playlists besides the two lists: which tab image is
// visible, the size label and the repeat button's look.
class PlaylistDisplay {
  public:
    virtual ~PlaylistDisplay() = default;
    // Shows the tab image of the playlist (Img2Pl1, Img2CD or Img2PL2) and hides the others.
    virtual void ShowTab(Playlist playlist) = 0;
    // StaticText3: the playlist's size, e.g. "42Mb".
    virtual void SetSizeText(const std::string& text) = 0;
    // ImgRepeat: picture 2 when on, picture 1 when off.
    virtual void SetRepeatButton(bool on) = 0;
};

// The playlists of a run: the working copy (the shown playlist and its undo copy), the three
// slots, the stopped-state total and the repeat button, with every operation on them. The main
// window owns one; the transport and the windows reach the playlists only through it.
class PlaylistModel {
  public:
    struct Links {
        config::Settings* settings = nullptr;
        TransportControl* transport = nullptr;
        PlaylistDisplay* display = nullptr;
        PlaylistView* list5 = nullptr;  // the main window's list
        PlaylistView* list6 = nullptr;  // the small playlist window's list
        system::SystemServices* services = nullptr;
        std::string app_dir;
        std::string cd_drive;
    };
    explicit PlaylistModel(Links links);

    TPlayMasiv& Working() { return working_; }
    TMasPLayList& Work() { return working_.Work; }
    TAllmas& Slots() { return slots_; }
    const std::string& StoppedTotalText() const { return stopped_total_text_; }
    bool RepeatOn() const { return repeat_on_; }
    void ClickRepeat();  // ImgRepeatClick

    // Operations of the working copy.
    void TakeUndoSnapshot();
    void UndoPlaylistChange();
    void InsertSongs(const masTag& source, int first, int last, int target);
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

  private:
    Links links_;
    TPlayMasiv working_;
    TAllmas slots_;
    std::string stopped_total_text_ = "00:00";
    bool repeat_on_ = false;
};

}  // namespace tarvel::playlists
