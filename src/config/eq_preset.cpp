#include "config/eq_preset.h"

#include <fmt/format.h>

#include <algorithm>
#include <vector>

#include "config/settings.h"
#include "config/sys_folder.h"
#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/text/number_text.h"
#include "platform/text/unicode.h"

namespace tarvel::config {
namespace {

constexpr int kSavedGains = 18;
constexpr char kStartsFlat[] = "The equalizer starts flat.";
constexpr char kStartsFlatFileKept[] =
    "The equalizer starts flat. The file is kept as it is until the equalizer is changed.";

// Applies the file's lines to the gains: a header mismatch clears all twenty (false), otherwise
// lines 2..17 become gains 1..16 (true). Throws AppError naming the path and the bad line,
// leaving the gains.
bool ApplyPreset(const std::vector<std::string>& lines, const std::string& path, EqGains& gains) {
    if (lines.empty() || lines[0] != kEqHeader) {
        gains = EqGains{};
        return false;
    }
    EqGains read = gains;
    for (int band = 1; band <= kEqBands; ++band) {
        const size_t line = static_cast<size_t>(band);
        if (line >= lines.size()) {
            throw AppError(
                fmt::format("Equalizer preset \"{}\" ends before line {}.", path, line + 1));
        }
        const auto gain = text::ParseInt32(lines[line]);
        if (!gain) {
            throw AppError(
                fmt::format("Equalizer preset \"{}\": line {} is not a whole number: \"{}\".", path,
                            line + 1, text::FirstChars(lines[line], 40)));
        }
        read[band] = std::clamp(*gain, -kEqGainMax, kEqGainMax);
    }
    gains = read;
    return true;
}

// The preset's name in the settings folder: only the last path element, the default for none.
std::string PresetName(const std::string& name) {
    std::string file = fs::FileNameOf(name);
    if (file.empty() || file == "." || file == "..") {
        file = kDefaultEqPreset;
    }
    return file;
}

}  // namespace

std::string PresetPath(const std::string& app_dir, const std::string& name) {
    return SysFile(app_dir, PresetName(name));
}

void SaveEQ(const std::string& app_dir, const std::string& name, const EqGains& gains) {
    std::vector<std::string> lines{std::string(kEqHeader)};
    for (int n = 1; n <= kSavedGains; ++n) {
        lines.push_back(std::to_string(gains[n]));
    }
    WriteSysFile(app_dir, PresetName(name), lines);
}

void LoadEQ(const std::string& app_dir, const std::string& name, EqGains& gains,
            EqualizerTarget& target, const ErrorReport& report) {
    const std::string path = PresetPath(app_dir, name);
    try {
        const bool read = ApplyPreset(ReadSysLines(path), path, gains);
        gains.unusable_file = read ? "" : path;
    } catch (const AppError& e) {
        gains = EqGains{};
        // Whatever is under the name (even a named pipe or a link to a device) is kept.
        const bool there = fs::EntryExists(path);
        gains.unusable_file = there ? path : "";
        std::string text = e.what();
        if (!text.empty() && text.back() != '.') {
            text += '.';
        }
        report(text + " " + (there ? kStartsFlatFileKept : kStartsFlat));
    }
    ShowGains(gains, target);
}

void ShowGains(const EqGains& gains, EqualizerTarget& target) {
    for (int band = 1; band <= kEqBands; ++band) {
        target.SetSliderPosition(band, kEqGainMax - gains[band]);
        target.SetEQBand(band, gains[band]);
    }
}

}  // namespace tarvel::config
