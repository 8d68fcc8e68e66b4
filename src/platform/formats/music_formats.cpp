#include "platform/formats/music_formats.h"

#include <algorithm>
#include <array>

namespace tarvel::formats {
namespace {

constexpr std::array kFormats = {
    FormatEntry{".mp3", MusicFormat::Mpeg},         FormatEntry{".flac", MusicFormat::Flac},
    FormatEntry{".ogg", MusicFormat::Ogg},          FormatEntry{".oga", MusicFormat::Ogg},
    FormatEntry{".opus", MusicFormat::Opus},        FormatEntry{".m4a", MusicFormat::Mp4},
    FormatEntry{".m4b", MusicFormat::Mp4},          FormatEntry{".mp4", MusicFormat::Mp4},
    FormatEntry{".wma", MusicFormat::Asf},          FormatEntry{".wv", MusicFormat::WavPack},
    FormatEntry{".ape", MusicFormat::MonkeysAudio}, FormatEntry{".mpc", MusicFormat::Musepack},
    FormatEntry{".aif", MusicFormat::Aiff},         FormatEntry{".aiff", MusicFormat::Aiff},
    FormatEntry{".aifc", MusicFormat::Aiff},        FormatEntry{".wav", MusicFormat::Wav},
};

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualAsciiNoCase(std::string_view written, std::string_view small) {
    return written.size() == small.size() &&
           std::equal(written.begin(), written.end(), small.begin(),
                      [](char a, char b) { return LowerAscii(a) == b; });
}

}  // namespace

std::span<const FormatEntry> SupportedFormats() {
    return kFormats;
}

std::string_view ExtensionOf(std::string_view path) {
    const size_t slash = path.rfind('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::optional<MusicFormat> FormatOf(std::string_view path) {
    const std::string_view extension = ExtensionOf(path);
    for (const FormatEntry& entry : kFormats) {
        if (EqualAsciiNoCase(extension, entry.extension)) {
            return entry.format;
        }
    }
    return std::nullopt;
}

}  // namespace tarvel::formats
