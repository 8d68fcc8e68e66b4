#include "platform/sound/decoders.h"

#include <cstring>

#include "platform/sound/av_decoder.h"
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

// PCM containers, which libsndfile reads.
bool HasPcmContainerMark(const std::string& head) {
    for (const char* mark :
         {"RIFF", "RIFX", "RF64", "riff", "FORM", ".snd", "dns.", "NIST", "Crea"}) {
        if (head.compare(0, 4, mark) == 0) {
            return true;
        }
    }
    return false;
}

// Compressed containers, which libavformat reads. They are told apart from MPEG audio first:
// their data may hold bytes that look like MPEG frame headers.
bool HasCompressedContainerMark(const std::string& head) {
    for (const char* mark :
         {"fLaC", "OggS", "wvpk", "MAC ", "MPCK", "MP+", "caff", "TTA1", "\x30\x26\xB2\x75"}) {
        if (head.compare(0, std::strlen(mark), mark) == 0) {
            return true;
        }
    }
    return head.size() >= 8 && head.compare(4, 4, "ftyp") == 0;
}

}  // namespace

std::unique_ptr<Decoder> OpenStreamDecoder(const std::string& path) {
    RequireSongFile(path);
    // The content decides, never the name. PCM containers announce themselves in their first
    // bytes and go to libsndfile, compressed ones to libavformat; MPEG audio has no such mark and
    // is recognised by its frame headers. Whatever is left goes to libavformat, which recognises
    // the few formats without a mark (ADTS AAC, MP4 files that start with other boxes) and
    // refuses the rest.
    const std::string head = HeadPastTag(path);
    if (HasPcmContainerMark(head)) {
        return OpenSndfileDecoder(path);
    }
    if (!HasCompressedContainerMark(head) && LooksLikeMpegAudio(head)) {
        return OpenMpg123Decoder(path);
    }
    return OpenAvDecoder(path);
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
