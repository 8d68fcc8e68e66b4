#include "platform/formats/music_formats.h"

#include <algorithm>
#include <array>

namespace tarvel::formats {
namespace {

constexpr std::array kFormats = {
    FormatEntry{".mp3", MusicFormat::Mpeg, "audio/mpeg"},
    FormatEntry{".flac", MusicFormat::Flac, "audio/flac"},
    FormatEntry{".ogg", MusicFormat::Ogg, "audio/ogg"},
    FormatEntry{".oga", MusicFormat::Ogg, "audio/ogg"},
    FormatEntry{".opus", MusicFormat::Opus, "audio/x-opus+ogg"},
    FormatEntry{".m4a", MusicFormat::Mp4, "audio/mp4"},
    FormatEntry{".m4b", MusicFormat::Mp4, "audio/x-m4b"},
    FormatEntry{".mp4", MusicFormat::Mp4, "audio/mp4"},
    FormatEntry{".wma", MusicFormat::Asf, "audio/x-ms-wma"},
    FormatEntry{".wv", MusicFormat::WavPack, "audio/x-wavpack"},
    FormatEntry{".ape", MusicFormat::MonkeysAudio, "audio/x-ape"},
    FormatEntry{".mpc", MusicFormat::Musepack, "audio/x-musepack"},
    FormatEntry{".aif", MusicFormat::Aiff, "audio/x-aiff"},
    FormatEntry{".aiff", MusicFormat::Aiff, "audio/x-aiff"},
    FormatEntry{".aifc", MusicFormat::Aiff, "audio/x-aifc"},
    FormatEntry{".wav", MusicFormat::Wav, "audio/x-wav"},
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

std::vector<std::string_view> MimeTypes() {
    std::vector<std::string_view> types;
    for (const FormatEntry& entry : kFormats) {
        if (std::find(types.begin(), types.end(), entry.mime) == types.end()) {
            types.push_back(entry.mime);
        }
    }
    return types;
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
