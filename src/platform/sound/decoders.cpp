#include "platform/sound/decoders.h"

#include <fmt/format.h>

#include <fstream>

#include "platform/fs/file_ops.h"
#include "platform/sound/cd_decoder.h"
#include "platform/sound/mpeg_sniff.h"
#include "platform/sound/mpg123_decoder.h"
#include "platform/sound/openmpt_decoder.h"
#include "platform/sound/sndfile_decoder.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

// The first bytes of a file, enough for an ID3v2 tag of ordinary size and a few frames.
std::string Head(const std::string& path, std::size_t bytes) {
    std::ifstream in(path, std::ios::binary);
    std::string head(bytes, '\0');
    in.read(head.data(), static_cast<std::streamsize>(bytes));
    head.resize(static_cast<std::size_t>(in.gcount()));
    return head;
}

std::string HeadPastTag(const std::string& path) {
    std::string head = Head(path, 16384);
    if (head.size() >= 10 && head.compare(0, 3, "ID3") == 0) {
        // A large tag (cover pictures): read far enough to see the audio behind it.
        const auto* b = reinterpret_cast<const unsigned char*>(head.data());
        const std::size_t size =
            (std::size_t{b[6]} << 21) | (std::size_t{b[7]} << 14) | (std::size_t{b[8]} << 7) | b[9];
        if (size + 20 + 16384 > head.size()) {
            head = Head(path, size + 20 + 16384);
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
    if (!fs::FileExists(path)) {
        throw SoundError(SoundFault::NotFound, fmt::format("{}: file not found", path));
    }
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

std::unique_ptr<Decoder> OpenCdTrackDecoder(int track) {
    return OpenCdDecoder(CdDisc::Open(CdSource()), track);
}

}  // namespace tarvel::sound
