#include "library/replay_gain.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

#include "library/id3v2.h"
#include "library/tagged_file.h"
#include "platform/formats/music_formats.h"

namespace tarvel::library {
namespace {

constexpr std::array<std::string_view, 4> kFieldNames = {
    "REPLAYGAIN_TRACK_GAIN", "REPLAYGAIN_TRACK_PEAK", "REPLAYGAIN_ALBUM_GAIN",
    "REPLAYGAIN_ALBUM_PEAK"};

std::optional<double>& Slot(ReplayGain& gain, size_t field) {
    switch (field) {
        case 0:
            return gain.track_gain;
        case 1:
            return gain.track_peak;
        case 2:
            return gain.album_gain;
        default:
            return gain.album_peak;
    }
}

bool EqualNoCase(std::string_view a, std::string_view upper) {
    return std::equal(a.begin(), a.end(), upper.begin(), upper.end(), [](char x, char u) {
        return (x >= 'a' && x <= 'z' ? static_cast<char>(x - 'a' + 'A') : x) == u;
    });
}

// The description and value of an ID3v2 user text frame ("TXXX"), as far as they are ASCII:
// an encoding byte, the description ended by a zero (two zero bytes in UTF-16), the value.
// ReplayGain names and numbers are ASCII in every encoding; any other character becomes "?".
std::pair<std::string, std::string> UserTextAscii(std::string_view data) {
    if (data.empty()) {
        return {};
    }
    const bool wide = data[0] == 1 || data[0] == 2;
    const bool little_endian = data[0] == 1;
    std::string parts[2];
    int part = 0;
    size_t i = 1;
    const size_t step = wide ? 2 : 1;
    if (wide && data.size() >= 3 &&
        (data.substr(1, 2) == "\xFF\xFE" || data.substr(1, 2) == "\xFE\xFF")) {
        i = 3;
    }
    for (; i + step <= data.size() && part < 2; i += step) {
        unsigned code = static_cast<unsigned char>(data[i]);
        if (wide) {
            const auto high = static_cast<unsigned char>(data[i + (little_endian ? 1 : 0)]);
            const auto low = static_cast<unsigned char>(data[i + (little_endian ? 0 : 1)]);
            code = high << 8 | low;
            if (code == 0xFEFF) {
                continue;  // the value's own byte-order mark
            }
        }
        if (code == 0) {
            ++part;
            continue;
        }
        parts[part] += code < 0x80 ? static_cast<char>(code) : '?';
    }
    return {parts[0], parts[1]};
}

ReplayGain FromId3(const std::string& path) {
    ReplayGain gain;
    TID3v2 tag;
    tag.keep_user_texts = true;
    if (tag.Read(path)) {
        for (const std::string& frame : tag.user_texts) {
            const auto [name, value] = UserTextAscii(frame);
            TakeReplayGainField(gain, name, value);
        }
    }
    return gain;
}

}  // namespace

std::optional<double> ParseReplayGainNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

void TakeReplayGainField(ReplayGain& gain, std::string_view name, std::string_view value) {
    for (size_t field = 0; field < kFieldNames.size(); ++field) {
        if (EqualNoCase(name, kFieldNames[field])) {
            Slot(gain, field) = ParseReplayGainNumber(value);
        }
    }
}

ReplayGain ReadReplayGain(const std::string& path) {
    const auto format = formats::FormatOf(path);
    if (!format || *format == formats::MusicFormat::Mpeg) {
        return FromId3(path);
    }
    ReplayGain gain;
    const TaggedFile file(path, *format);
    if (file.valid()) {
        for (const std::string_view name : kFieldNames) {
            TakeReplayGainField(gain, name, file.Field(name));
        }
    }
    return gain;
}

float LevelingFactor(const ReplayGain& gain, Leveling mode) {
    if (mode == Leveling::Off) {
        return 1.0f;
    }
    const bool album = mode == Leveling::Album;
    const std::optional<double>& chosen = album ? gain.album_gain : gain.track_gain;
    const std::optional<double>& other = album ? gain.track_gain : gain.album_gain;
    const bool use_chosen = chosen.has_value();
    if (!use_chosen && !other) {
        return 1.0f;
    }
    double factor = std::pow(10.0, (use_chosen ? *chosen : *other) / 20.0);
    const bool album_values = album == use_chosen;
    const std::optional<double>& peak = album_values ? gain.album_peak : gain.track_peak;
    if (peak && *peak > 0 && *peak * factor > 1.0) {
        factor = 1.0 / *peak;
    }
    return static_cast<float>(factor);
}

}  // namespace tarvel::library
