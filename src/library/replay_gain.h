#pragma once

#include <optional>
#include <string>
#include <string_view>

// Volume leveling: the ReplayGain values a file's tags carry and the gain they ask for.
namespace tarvel::library {

struct ReplayGain {
    std::optional<double> track_gain;  // dB
    std::optional<double> track_peak;  // linear amplitude, 1 is full scale
    std::optional<double> album_gain;
    std::optional<double> album_peak;
};

enum class Leveling { Off, Track, Album };

// The number a ReplayGain value begins with ("-6.50 dB", "+2 dB", "0.988831"), after any
// spaces; nothing when there is none.
std::optional<double> ParseReplayGainNumber(std::string_view text);

// Takes one tag field into the values when its name (any letter case) is one of
// REPLAYGAIN_TRACK_GAIN, REPLAYGAIN_TRACK_PEAK, REPLAYGAIN_ALBUM_GAIN, REPLAYGAIN_ALBUM_PEAK.
void TakeReplayGainField(ReplayGain& gain, std::string_view name, std::string_view value);

// The values in a file's tags: ID3v2 user text frames of an MP3 (or of a file whose name has no
// music extension), Vorbis comments, APE items, MP4 freeform atoms and the like of the other
// formats. Nothing for a file that cannot be read.
ReplayGain ReadReplayGain(const std::string& path);

// The linear factor leveling applies: 1 when off or when the file says nothing; otherwise the
// chosen gain (track or album, the other when the chosen one is missing) as amplitude, lowered
// where needed so that the matching peak times the factor stays at or below full scale.
float LevelingFactor(const ReplayGain& gain, Leveling mode);

}  // namespace tarvel::library
