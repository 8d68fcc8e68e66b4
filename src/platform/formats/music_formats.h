#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The music files the program takes, known by the extension of their names (ASCII letters in
// any case). This one table decides wherever a name decides: the library's folder search and
// drops, the files handed over, the choice of tag reader, the export's file names and the media
// types the player says it opens.
namespace tarvel::formats {

// What a file of a supported extension claims to hold. MPEG audio is read by the program's own
// tag and header readers; every other format by the tag library.
enum class MusicFormat {
    Mpeg,          // .mp3
    Flac,          // .flac
    Ogg,           // .ogg .oga: Vorbis, or Opus or FLAC in an Ogg stream
    Opus,          // .opus
    Mp4,           // .m4a .m4b .mp4: AAC or ALAC
    Asf,           // .wma
    WavPack,       // .wv
    MonkeysAudio,  // .ape
    Musepack,      // .mpc
    Aiff,          // .aif .aiff .aifc
    Wav,           // .wav
};

struct FormatEntry {
    std::string_view extension;  // with its dot, small letters
    MusicFormat format;
    std::string_view mime;  // the media type desktops give such a file
};

// Every supported extension.
std::span<const FormatEntry> SupportedFormats();

// The media types of the supported formats, each once, in table order: what the desktop's media
// controls and the desktop entry say the player opens.
std::vector<std::string_view> MimeTypes();

// The extension of a path: from the last "." of its file name (after the last "/") on, dot
// included, as written; empty when the name has none.
std::string_view ExtensionOf(std::string_view path);

// The format a path's extension claims, or nothing when the extension is not in the table.
std::optional<MusicFormat> FormatOf(std::string_view path);

// True when the path's extension is in the table.
inline bool IsMusicFile(std::string_view path) {
    return FormatOf(path).has_value();
}

}  // namespace tarvel::formats
