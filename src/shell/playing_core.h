#pragma once

#include "playlists/playlist_model.h"
#include "transport/transport.h"

namespace tarvel::shell {

// The transport and the playlists, made together: each keeps the other's address.
struct PlayingCore {
    PlayingCore(transport::Transport::Links transport_links,
                playlists::PlaylistModel::Links playlist_links)
        : transport(WithPlaylists(std::move(transport_links), &playlists)),
          playlists(WithTransport(std::move(playlist_links), &transport)) {}

    transport::Transport transport;
    playlists::PlaylistModel playlists;

  private:
    static transport::Transport::Links WithPlaylists(transport::Transport::Links links,
                                                     playlists::PlaylistModel* model) {
        links.playlists = model;
        return links;
    }
    static playlists::PlaylistModel::Links WithTransport(playlists::PlaylistModel::Links links,
                                                         transport::Transport* control) {
        links.transport = control;
        return links;
    }
};

}  // namespace tarvel::shell
