#include "platform/mpris/mpris_rules.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace tarvel::mpris {
namespace {

bool Unreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::optional<std::string> PercentDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size()) {
            return std::nullopt;
        }
        const int high = HexValue(text[i + 1]);
        const int low = HexValue(text[i + 2]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        out += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return out;
}

// a + b, held at the ends of the range instead of wrapping round.
int64_t SaturatingAdd(int64_t a, int64_t b) {
    int64_t sum = 0;
    if (__builtin_add_overflow(a, b, &sum)) {
        return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    }
    return sum;
}

// |a - b|, held at the top of the range.
int64_t SaturatingDistance(int64_t a, int64_t b) {
    int64_t difference = 0;
    if (__builtin_sub_overflow(a, b, &difference) ||
        difference == std::numeric_limits<int64_t>::min()) {
        return std::numeric_limits<int64_t>::max();
    }
    return difference < 0 ? -difference : difference;
}

}  // namespace

SeekAction PlanSeek(const PlayerState& state, int64_t offset_us) {
    if (!state.can_seek || !state.track) {
        return {};
    }
    const int64_t target = SaturatingAdd(state.position_us, offset_us);
    if (target < 0) {
        return {SeekAction::SeekTo, 0};
    }
    if (target > state.track->length_us) {
        return {SeekAction::Next, 0};
    }
    return {SeekAction::SeekTo, target};
}

SeekAction PlanSetPosition(const PlayerState& state, std::string_view track_id,
                           int64_t position_us) {
    if (!state.can_seek || !state.track || state.track->id != track_id || position_us < 0 ||
        position_us > state.track->length_us) {
        return {};
    }
    return {SeekAction::SeekTo, position_us};
}

std::optional<double> PlanVolume(double requested) {
    if (!std::isfinite(requested)) {
        return std::nullopt;
    }
    return std::clamp(requested, 0.0, 1.0);
}

std::vector<std::string> ChangedProperties(const PlayerState& before, const PlayerState& after) {
    std::vector<std::string> changed;
    const auto note = [&changed](bool differs, const char* name) {
        if (differs) {
            changed.emplace_back(name);
        }
    };
    note(before.status != after.status, "PlaybackStatus");
    note(before.track != after.track, "Metadata");
    note(before.volume != after.volume, "Volume");
    note(before.can_go_next != after.can_go_next, "CanGoNext");
    note(before.can_go_previous != after.can_go_previous, "CanGoPrevious");
    note(before.can_play != after.can_play, "CanPlay");
    note(before.can_pause != after.can_pause, "CanPause");
    note(before.can_seek != after.can_seek, "CanSeek");
    return changed;
}

bool PositionJumped(const PlayerState& before, const PlayerState& after, int64_t elapsed_us,
                    int64_t tolerance_us) {
    if (!before.track || !after.track || before.track->id != after.track->id) {
        return false;
    }
    const bool moving = before.status == Status::Playing && after.status == Status::Playing;
    const int64_t expected = SaturatingAdd(before.position_us, moving ? elapsed_us : 0);
    return SaturatingDistance(after.position_us, expected) > tolerance_us;
}

const char* StatusName(Status status) {
    switch (status) {
        case Status::Playing:
            return "Playing";
        case Status::Paused:
            return "Paused";
        case Status::Stopped:
            break;
    }
    return "Stopped";
}

std::string FileUrl(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char ch : path) {
        const auto c = static_cast<unsigned char>(ch);
        if (Unreserved(c) || c == '/') {
            url += ch;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 0x0F];
        }
    }
    return url;
}

std::optional<std::string> LocalPath(std::string_view uri) {
    if (uri.starts_with("/")) {
        return std::string(uri);
    }
    constexpr std::string_view kScheme = "file://";
    if (uri.size() < kScheme.size()) {
        return std::nullopt;
    }
    for (size_t i = 0; i < kScheme.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(uri[i])) != kScheme[i]) {
            return std::nullopt;
        }
    }
    std::string_view rest = uri.substr(kScheme.size());
    const size_t slash = rest.find('/');
    if (slash == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view host = rest.substr(0, slash);
    if (!host.empty() && host != "localhost") {
        return std::nullopt;
    }
    std::optional<std::string> path = PercentDecoded(rest.substr(slash));
    if (!path || path->find('\0') != std::string::npos) {
        return std::nullopt;
    }
    return path;
}

}  // namespace tarvel::mpris
