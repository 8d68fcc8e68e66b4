#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/settings.h"
#include "library/song_record.h"

// The playlist records: the state of one playlist, a playlist with its undo copy, and the three
// slots PL1, CD and PL2. Rows are song records (library/song_record.h) in a masTag table, rows 1
// to Count used, row 0 empty, 13 cells a row. Copies are always deep.
namespace tarvel::playlists {

using config::Playlist;
using library::masTag;

// The title line when nothing plays.
inline constexpr const char* kIdleTitle = "Tarvel 1.0 Beta 7";
// The application title when nothing plays.
inline constexpr const char* kAppTitle = "Tarvel";
// The colours of the current song's mark in the playlist lists (blue-green-red order).
inline constexpr uint32_t kMarkColor = 0x8EF7A8;
inline constexpr uint32_t kMarkSpareColor = 0xFFFFFF;

// The state word of PlayCurrent and MarkCurrentSong.
enum class PlayCommand { Play, Pause };
// "Play" or "Pause", as the list control's mark mode names it.
const char* CommandWord(PlayCommand command);

struct TPlist {
    int32_t Current = 0;   // 1-based row playing or to play; 0 = none
    int32_t Previous = 0;  // the row current before the last move
    int32_t PositionMs = 0;
    double SongLengthMs = 0;
    int32_t Count = 0;
    masTag Rows;
    int32_t PlayState = 0;  // 0 stopped, 1 playing, 2 paused, as last seen
    double MsBeforeCurrent = 0;
    double TotalMs = 0;
    std::string SongCaption;
    std::string SongKind;
    std::string TotalText = "00:00";
};

struct TMasPLayList : TPlist {
    int32_t QuickStage = 1;
    int32_t MarkA = 0;  // A-B marks in ms; 0 = not set
    int32_t MarkB = 0;
    uint8_t UndoKind = 0;  // 1: the last change chose and started a song; 0: it kept the song
};

struct TPlayMasiv {
    TMasPLayList Work;
    TMasPLayList Undo;
};

// The three slots, indexed by Playlist (PL1, CD, PL2).
struct TAllmas {
    std::array<TPlayMasiv, 3> Slots;
    TPlayMasiv& operator[](Playlist p) { return Slots[static_cast<size_t>(p)]; }
    const TPlayMasiv& operator[](Playlist p) const { return Slots[static_cast<size_t>(p)]; }
};

}  // namespace tarvel::playlists
