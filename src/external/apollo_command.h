#pragma once

#include <cstdint>
#include <string>

// The external Apollo player, driven by window messages. Its main window is found anew for
// every message by its class; with no such window a sent command returns 0 and a posted message
// is lost.
namespace tarvel::external {

inline constexpr const char* kApolloClass = "Apollo - Main Window";
inline constexpr const char* kApolloEqualizerTitle = "Graphic Equalizer";
// WM_USER + 3: wParam = command number, lParam = value.
inline constexpr uint32_t kApolloCommandMessage = 1027;
// The kind of the WM_COPYDATA record that hands a file over.
inline constexpr int32_t kHandOverKind = 2;

// Command numbers.
enum ApolloCmd : int32_t {
    kApolloPlayState = 1,  // result: 0 stopped or ended, 1 playing, 2 paused
    kApolloStop = 9,
    kApolloStopTrack = 11,  // sent before every file hand-over
    kApolloPause = 13,      // pause/resume toggle
    kApolloSeek = 18,       // value: position in ms
    kApolloPosition = 19,   // result: position of the current song in ms
    kApolloVolume = 20,     // value: 0..65535
};

// Sends command `number` with `value` to Apollo and returns its result (0 when there is none).
int32_t ApolloCommand(int32_t number, int32_t value);

// Hands a file to Apollo (WM_COPYDATA of kind 2: the path's bytes and one zero byte). Returns
// Apollo's result, 0 when there is no Apollo window.
int32_t SendFileToApollo(const std::string& path);

// True when an Apollo main window exists.
bool ApolloRunning();

// Posts WM_CLOSE to the Apollo window when one exists.
void CloseApollo();

// Asks the Apollo window to hide (when one exists).
void HideApollo();

}  // namespace tarvel::external
