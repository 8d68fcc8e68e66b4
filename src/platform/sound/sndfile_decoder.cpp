#include "platform/sound/sndfile_decoder.h"

#include <fmt/format.h>
#include <sndfile.h>

#include <algorithm>

#include "platform/sound/file_head.h"
#include "platform/sound/sndfile_library.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

struct FileDeleter {
    const SndfileApi* sf;
    void operator()(SNDFILE* f) const noexcept { sf->sf_close(f); }
};
using File = std::unique_ptr<SNDFILE, FileDeleter>;

class SndfileDecoder final : public Decoder {
  public:
    SndfileDecoder(const SndfileApi& sf, File file, const SF_INFO& info)
        : sf_(sf), file_(std::move(file)), info_(info) {
        const int sub = info.format & SF_FORMAT_SUBMASK;
        format_ = PcmFormat{info.samplerate, info.channels,
                            (sub == SF_FORMAT_PCM_S8 || sub == SF_FORMAT_PCM_U8) ? 8 : 16};
    }

    PcmFormat Format() const override { return format_; }

    std::size_t Read(float* out, std::size_t frames) override {
        const sf_count_t got =
            sf_.sf_readf_float(file_.get(), out, static_cast<sf_count_t>(frames));
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }

    bool Seek(std::int64_t frame) override {
        if (!info_.seekable) {
            return false;
        }
        const sf_count_t to = std::clamp<sf_count_t>(frame, 0, info_.frames);
        return sf_.sf_seek(file_.get(), to, SEEK_SET) >= 0;
    }

    std::int64_t Length() override { return info_.frames; }

  private:
    const SndfileApi& sf_;
    File file_;
    SF_INFO info_;
    PcmFormat format_;
};

}  // namespace

std::unique_ptr<Decoder> OpenSndfileDecoder(const std::string& path) {
    RequireSongFile(path);
    std::string why;
    const SndfileApi* sf = Sndfile(why);
    if (sf == nullptr) {
        throw SoundError(SoundFault::UnknownFormat, fmt::format("{}: {}", path, why));
    }
    SF_INFO info{};
    File file(sf->sf_open(path.c_str(), SFM_READ, &info), FileDeleter{sf});
    if (!file) {
        throw SoundError(SoundFault::UnknownFormat,
                         fmt::format("{}: {}", path, sf->sf_strerror(nullptr)));
    }
    if ((info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG || info.channels <= 0 ||
        info.samplerate <= 0) {
        throw SoundError(SoundFault::UnknownFormat,
                         fmt::format("{}: not a sound file for libsndfile", path));
    }
    // Integer data is read scaled into -1..1 without clipping surprises.
    sf->sf_command(file.get(), SFC_SET_NORM_FLOAT, nullptr, SF_TRUE);
    return std::make_unique<SndfileDecoder>(*sf, std::move(file), info);
}

}  // namespace tarvel::sound
