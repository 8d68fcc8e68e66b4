#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "config/config_links.h"

// The equalizer preset file: a header line, then the gains of the sixteen bands and two zeros,
// one signed decimal integer per line. It lives in the settings folder under the name the
// configuration gives ("UserEQ.teq" by default).
namespace tarvel::config {

// 50 characters: "Pef" is followed by four slashes, five backslashes and eleven capital Z.
inline constexpr std::string_view kEqHeader =
    "Tarvel system File With EP Pef////\\\\\\\\\\ZZZZZZZZZZZ";
inline constexpr int kEqBands = 16;
inline constexpr int kEqGainMax = 15;

// The program-wide gain table, indexed 1..20 as the file numbers them: 1..16 the bands in whole
// dB (-15..+15), 17 and 18 written to the file and always 0, 19 and 20 only ever cleared.
struct EqGains {
    std::array<std::int32_t, 21> values{};
    // The preset file LoadEQ found but could not use (damaged, cut short, foreign); empty after
    // a good load or when there was no file. The configuration writer keeps that file while the
    // gains are still flat, so a failed load does not turn the user's preset into zeros.
    std::string unusable_file;

    std::int32_t& operator[](int n) { return values.at(static_cast<size_t>(n)); }
    std::int32_t operator[](int n) const { return values.at(static_cast<size_t>(n)); }
    // Equal gains; where they were loaded from does not count.
    bool operator==(const EqGains& other) const { return values == other.values; }
};

// Where loaded gains are shown and heard: the band sliders (position 15 - gain, 0 at the top)
// and the sound engine's bands.
class EqualizerTarget {
  public:
    virtual ~EqualizerTarget() = default;
    virtual void SetSliderPosition(int band, int position) = 0;
    virtual void SetEQBand(int band, int gain) = 0;
};

// The preset file of that name in the settings folder. Only the name's last path element is
// used, so a hand-edited configuration cannot send the preset outside the folder; an empty name
// (or "." or "..") stands for "UserEQ.teq".
std::string PresetPath(const std::string& app_dir, const std::string& name);

// Writes the header and gains 1..18, replacing the file atomically. Throws AppError.
void SaveEQ(const std::string& app_dir, const std::string& name, const EqGains& gains);

// Shows gains 1..16 on the sliders and sets them on the engine.
void ShowGains(const EqGains& gains, EqualizerTarget& target);

// Reads the preset into gains 1..16 and shows them on the sliders and the engine. A file whose
// first line is not the header gives a flat equalizer (all 20 gains 0) silently. A missing file,
// or one that cannot be read, ends early or holds a gain that is not a whole number, also gives a
// flat equalizer and is reported once; start-up goes on. A file that is there but gave no gains
// is noted in gains.unusable_file and the report says it is kept (a missing one is created flat
// by the next save). Gains beyond +-15 dB are held at the limit.
void LoadEQ(const std::string& app_dir, const std::string& name, EqGains& gains,
            EqualizerTarget& target, const ErrorReport& report);

}  // namespace tarvel::config
