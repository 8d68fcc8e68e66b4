// The next-song rule when a song has ended, by the repeat button and the repeat menu.
#include "playlists/playlist_model.h"

namespace tarvel::playlists {

using config::Item;

void PlaylistModel::AdvanceAfterEnd() {
    TMasPLayList& work = Work();
    const int current = work.Current;
    const int count = work.Count;
    const auto play_row = [&](int row) {
        work.PositionMs = 0;
        work.Previous = current;
        work.Current = row;
        transport().PlayCurrent(PlayCommand::Play);
    };
    if (settings().Checked(Item::RepeatAllPlayList1) && current == count && repeat_on_) {
        play_row(1);
    } else if (settings().Checked(Item::repeatOne1) && repeat_on_) {
        play_row(current);
    } else if (current < count) {
        play_row(current + 1);
    } else {
        transport().SetPollingTimer(false);
        transport().StopPlay(true);
        links_.display->ZeroTimeScrollers();
        links_.engines->ApolloCommand(11, 0);
        transport().SetTitleText(kIdleTitle);
        if (settings().Checked(Item::Afterendplaylist1) && links_.after_end_shutdown) {
            links_.after_end_shutdown();
        }
    }
}

}  // namespace tarvel::playlists
