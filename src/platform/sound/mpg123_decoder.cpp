#include "platform/sound/mpg123_decoder.h"

#include <fmt/format.h>
#include <mpg123.h>

#include <algorithm>
#include <mutex>

#include "platform/sound/byte_source.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

void InitialiseLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mpg123_init(); });
}

struct HandleDeleter {
    void operator()(mpg123_handle* h) const noexcept {
        mpg123_close(h);
        mpg123_delete(h);
    }
};
using Handle = std::unique_ptr<mpg123_handle, HandleDeleter>;

// mpg123 reads through these, a frame's worth at a time as it decodes.
mpg123_ssize_t ReadBytes(void* source, void* out, size_t bytes) {
    try {
        return static_cast<ByteSource*>(source)->Read(out, bytes);
    } catch (...) {
        return -1;  // nothing may be thrown through the C library
    }
}

off_t SeekBytes(void* source, off_t offset, int whence) {
    try {
        return static_cast<off_t>(static_cast<ByteSource*>(source)->Seek(offset, whence));
    } catch (...) {
        return -1;
    }
}

class Mpg123Decoder final : public Decoder {
  public:
    Mpg123Decoder(std::unique_ptr<ByteSource> bytes, Handle handle, PcmFormat format)
        : bytes_(std::move(bytes)), h_(std::move(handle)), format_(format) {}

    PcmFormat Format() const override { return format_; }

    std::size_t Read(float* out, std::size_t frames) override {
        const std::size_t frame_bytes = sizeof(float) * static_cast<std::size_t>(format_.channels);
        std::size_t done = 0;
        while (done < frames && !finished_) {
            size_t got = 0;
            const int rc =
                mpg123_read(h_.get(), reinterpret_cast<unsigned char*>(out) + done * frame_bytes,
                            (frames - done) * frame_bytes, &got);
            done += got / frame_bytes;
            if (rc == MPG123_NEW_FORMAT) {
                continue;  // same format enforced at open; nothing changes for us
            }
            if (rc != MPG123_OK) {
                // MPG123_DONE, or a broken tail: what was decoded so far is the song.
                finished_ = true;
            } else if (got == 0) {
                finished_ = true;
            }
        }
        return done;
    }

    bool Seek(std::int64_t frame) override {
        const off_t at =
            mpg123_seek(h_.get(), static_cast<off_t>(std::max<std::int64_t>(frame, 0)), SEEK_SET);
        finished_ = false;
        return at >= 0;
    }

    // From the stream's info frame (exact, gapless) or estimated from the file's size: the
    // file is never read through to count its frames.
    std::int64_t Length() override {
        const off_t n = mpg123_length(h_.get());
        return n >= 0 ? static_cast<std::int64_t>(n) : -1;
    }

    // Exact when the encoder's info frame gave the frame count and the gapless trim.
    bool LengthIsExact() const override {
        long padding = -1;
        double unused = 0;
        return mpg123_getstate(h_.get(), MPG123_ENC_PADDING, &padding, &unused) == MPG123_OK &&
               padding >= 0;
    }

  private:
    std::unique_ptr<ByteSource> bytes_;  // outlives the handle that reads it
    Handle h_;
    PcmFormat format_;
    bool finished_ = false;
};

}  // namespace

std::unique_ptr<Decoder> OpenMpg123Decoder(const std::string& path) {
    return OpenMpg123Decoder(OpenFileBytes(path), path);
}

std::unique_ptr<Decoder> OpenMpg123Decoder(std::unique_ptr<ByteSource> bytes,
                                           const std::string& path) {
    InitialiseLibrary();
    int err = MPG123_OK;
    Handle h(mpg123_new(nullptr, &err));
    if (!h) {
        throw SoundError(SoundFault::ReadError,
                         fmt::format("{}: {}", path, mpg123_plain_strerror(err)));
    }
    mpg123_param(h.get(), MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_GAPLESS | MPG123_FORCE_FLOAT, 0);
    mpg123_format_none(h.get());
    const long* rates = nullptr;
    size_t count = 0;
    mpg123_rates(&rates, &count);
    for (size_t i = 0; i < count; ++i) {
        mpg123_format(h.get(), rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_FLOAT_32);
    }
    if (mpg123_replace_reader_handle(h.get(), ReadBytes, SeekBytes, nullptr) != MPG123_OK ||
        mpg123_open_handle(h.get(), bytes.get()) != MPG123_OK) {
        throw SoundError(SoundFault::ReadError,
                         fmt::format("{}: {}", path, mpg123_strerror(h.get())));
    }
    long rate = 0;
    int channels = 0;
    int encoding = 0;
    if (mpg123_getformat(h.get(), &rate, &channels, &encoding) != MPG123_OK || rate <= 0 ||
        channels <= 0) {
        throw SoundError(SoundFault::UnknownFormat,
                         fmt::format("{}: no MPEG audio ({})", path, mpg123_strerror(h.get())));
    }
    // Keep this one format for the whole stream.
    mpg123_format_none(h.get());
    mpg123_format(h.get(), rate, channels, MPG123_ENC_FLOAT_32);
    return std::make_unique<Mpg123Decoder>(std::move(bytes), std::move(h),
                                           PcmFormat{static_cast<int>(rate), channels, 16});
}

}  // namespace tarvel::sound
