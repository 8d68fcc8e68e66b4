#include "platform/sound/decoders.h"

#include <fmt/format.h>

#include "platform/sound/cd_decoder.h"
#include "platform/sound/file_head.h"
#include "platform/sound/mpeg_sniff.h"
#include "platform/sound/mpg123_decoder.h"
#include "platform/sound/openmpt_decoder.h"
#include "platform/sound/sndfile_decoder.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

// The first bytes of a file, enough for an ID3v2 tag of ordinary size and a few frames.
// The first bytes of the audio: after an ID3v2 tag (which may hold large pictures) when there
// is one.
std::string HeadPastTag(const std::string& path) {
    constexpr std::size_t kHead = 16384;
    std::string head = ReadHead(path, 0, kHead);
    if (head.size() >= 10 && head.compare(0, 3, "ID3") == 0) {
        const auto* b = reinterpret_cast<const unsigned char*>(head.data());
        const std::uint64_t size = (std::uint64_t{b[6]} << 21) | (std::uint64_t{b[7]} << 14) |
                                   (std::uint64_t{b[8]} << 7) | b[9];
        const std::uint64_t end = 10 + size + ((b[5] & 0x10) != 0 ? 10 : 0);
        if (end + 4 > head.size()) {
            return ReadHead(path, end, kHead);
        }
    }
    return head;
}

bool HasContainerMark(const std::string& head) {
    for (const char* mark : {"RIFF", "RIFX", "RF64", "riff", "FORM", "OggS", "fLaC", ".snd", "dns.",
                             "caff", "wvpk", "NIST", "Crea"}) {
        if (head.compare(0, 4, mark) == 0) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::unique_ptr<Decoder> OpenStreamDecoder(const std::string& path) {
    RequireSongFile(path);
    // Containers announce themselves in their first bytes and go to libsndfile; MPEG audio
    // has no such mark and is recognised by its frame headers. Anything else is no stream
    // (libsndfile would probe it as MPEG and complain on stderr).
    const std::string head = HeadPastTag(path);
    if (HasContainerMark(head)) {
        return OpenSndfileDecoder(path);
    }
    if (LooksLikeMpegAudio(head)) {
        return OpenMpg123Decoder(path);
    }
    throw SoundError(SoundFault::UnknownFormat, fmt::format("{}: not a sound stream", path));
}

std::unique_ptr<Decoder> OpenModuleDecoder(const std::string& path) {
    return OpenOpenmptDecoder(path);
}

bool CanPlayFile(const std::string& path) {
    for (auto open : {&OpenStreamDecoder, &OpenModuleDecoder}) {
        try {
            open(path);
            return true;
        } catch (const AppError&) {
        }
    }
    return false;
}

std::unique_ptr<Decoder> OpenCdTrackDecoder(int track) {
    return OpenCdDecoder(CdDisc::Open(CdSource()), track);
}

}  // namespace tarvel::sound
