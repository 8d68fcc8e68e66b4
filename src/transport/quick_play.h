#pragma once

#include <array>
#include <cstdint>

// Quick play previews each song in three steps: 4 s from its start, 7 s from one third and 7 s
// from two thirds, then the next song follows.
namespace tarvel::transport {

struct QuickStep {
    double start;      // fraction of the song where the step starts
    double length_ms;  // how long the step plays
    double limit;      // fraction of the song beyond which the step no longer acts
};
inline constexpr std::array<QuickStep, 3> kQuickPlaySteps = {{
    {0.0, 4000.0, 1.0 / 3.0},
    {1.0 / 3.0, 7000.0, 2.0 / 3.0},
    {2.0 / 3.0, 7000.0, 1.0},
}};

enum class QuickAction {
    None,      // the step goes on
    Jump,      // go to the next step at jump_ms
    NextSong,  // the last step is over: the next song follows
};

struct QuickDecision {
    QuickAction action = QuickAction::None;
    int32_t next_stage = 0;
    int32_t jump_ms = 0;
};

// What quick play does at a tick: stage is QuickStage (1..3). A step acts once the position has
// passed its start plus its length, but not when the position lies beyond the step's limit (a
// song shorter than the step then plays on to its end).
QuickDecision QuickPlayCheck(int32_t stage, double song_length_ms, int32_t position_ms);

// Rounds to the nearest integer, ties to even.
int32_t RoundToInt(double value);

}  // namespace tarvel::transport
