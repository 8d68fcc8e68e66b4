#include "library/fuzz_targets.h"

#include <cstdlib>
#include <string_view>

#include "library/id3v1.h"
#include "library/id3v2.h"
#include "library/mpeg_audio.h"
#include "platform/text/unicode.h"

namespace tarvel::library {
namespace {

void Check(bool promise) {
    if (!promise) {
        std::abort();
    }
}

std::string_view Bytes(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

}  // namespace

void FuzzId3v1(const uint8_t* data, size_t size) {
    MemorySource source(Bytes(data, size));
    TID3v1 tag;
    const bool read = tag.Read(source);
    Check(read == (size >= 128));
    // Each byte of a field is one character of the text.
    const auto chars = [](const std::string& text) { return text::CharCount(text); };
    Check(chars(tag.title) <= 30 && chars(tag.artist) <= 30 && chars(tag.album) <= 30 &&
          chars(tag.year) <= 4 && chars(tag.comment) <= 30);
    for (const auto* text : {&tag.title, &tag.artist, &tag.album, &tag.year, &tag.comment}) {
        Check(text::IsValidUtf8(*text));
    }
    Check(tag.version == 1 || tag.version == 2);
}

void FuzzId3v2(const uint8_t* data, size_t size) {
    MemorySource source(Bytes(data, size));
    TID3v2 tag;
    const bool read = tag.Read(source);
    Check(read == (size >= 10));
    Check(tag.tag_size <= size);
    for (const auto* text : {&tag.title, &tag.artist, &tag.album, &tag.year}) {
        Check(text::CharCount(*text) <= TID3v2::kFrameBufferSize);
        Check(text->find('\0') == std::string::npos);
    }
}

void FuzzMpegAudio(const uint8_t* data, size_t size) {
    MemorySource source(Bytes(data, size));
    TMPEGaudio reader;
    reader.Read(source);
    if (reader.Valid()) {
        Check(reader.BitRate() >= 8 && reader.BitRate() <= 448);
        Check(reader.Duration() >= 0.1);
        Check(reader.SampleRate() >= 8000 && reader.SampleRate() <= 48000);
        Check(reader.ChannelMode() != "Unknown");
    } else {
        Check(!reader.frame().found || reader.Duration() < 0.1 || reader.BitRate() < 8 ||
              reader.BitRate() > 448);
    }
}

}  // namespace tarvel::library
