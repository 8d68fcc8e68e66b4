#include "platform/sound/av_decoder.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string_view>

#include "platform/sound/av_library.h"
#include "platform/sound/byte_source.h"
#include "platform/sound/file_head.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

constexpr int kIoBufferBytes = 64 * 1024;
// After a seek, decoding starts this many frames before the target and drops them, so that
// codecs whose output depends on the frames before (overlapping transforms, predictors) are
// settled when the wanted frame comes.
constexpr std::int64_t kSeekPreroll = 8192;
// A stream whose packets keep failing to decode, or that keeps giving packets without sound,
// has ended: a broken file is played as far as it goes instead of being searched to its end.
constexpr int kMostFailuresInARow = 64;
constexpr int kMostSilentPacketsInARow = 4096;

// The containers this decoder takes, as libavformat names them. MPEG audio has its own decoder;
// anything else that libavformat recognises (pictures, video, text) is no song. PCM files (WAV,
// AIFF) are libsndfile's and come here only when opened with this decoder by name.
bool IsSoundContainer(std::string_view name) {
    for (const char* known :
         {"flac", "ogg", "mov,mp4,m4a,3gp,3g2,mj2", "asf", "wv", "ape", "mpc", "mpc8", "aac", "tta",
          "iff", "dsf", "matroska,webm", "caf", "wav", "aiff", "w64"}) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

// Containers whose stream length counts the samples themselves (header, last page's granule,
// edit list) rather than estimating them from a bit rate or a duration in milliseconds.
bool CountsSamples(std::string_view name) {
    for (const char* known : {"flac", "ogg", "mov,mp4,m4a,3gp,3g2,mj2", "wv", "ape", "tta"}) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

// libavformat reads through these, a buffer at a time as it demuxes.
int ReadBytes(void* source, std::uint8_t* out, int size) {
    try {
        const std::int64_t got =
            static_cast<ByteSource*>(source)->Read(out, static_cast<std::size_t>(size));
        return got > 0 ? static_cast<int>(got) : got == 0 ? AVERROR_EOF : AVERROR(EIO);
    } catch (...) {
        return AVERROR(EIO);  // nothing may be thrown through the C library
    }
}

std::int64_t SeekBytes(void* source, std::int64_t offset, int whence) {
    try {
        auto* bytes = static_cast<ByteSource*>(source);
        if ((whence & AVSEEK_SIZE) != 0) {
            const std::int64_t at = bytes->Seek(0, SEEK_CUR);
            const std::int64_t size = bytes->Seek(0, SEEK_END);
            return at >= 0 && bytes->Seek(at, SEEK_SET) >= 0 ? size : -1;
        }
        return bytes->Seek(offset, whence & ~AVSEEK_FORCE);
    } catch (...) {
        return -1;
    }
}

struct IoDeleter {
    const AvApi* av;
    void operator()(AVIOContext* io) const noexcept {
        av->av_freep(&io->buffer);
        av->avio_context_free(&io);
    }
};
using Io = std::unique_ptr<AVIOContext, IoDeleter>;

struct InputDeleter {
    const AvApi* av;
    void operator()(AVFormatContext* input) const noexcept { av->avformat_close_input(&input); }
};
using Input = std::unique_ptr<AVFormatContext, InputDeleter>;

struct CodecDeleter {
    const AvApi* av;
    void operator()(AVCodecContext* codec) const noexcept { av->avcodec_free_context(&codec); }
};
using Codec = std::unique_ptr<AVCodecContext, CodecDeleter>;

struct PacketDeleter {
    const AvApi* av;
    void operator()(AVPacket* packet) const noexcept { av->av_packet_free(&packet); }
};
using Packet = std::unique_ptr<AVPacket, PacketDeleter>;

struct FrameDeleter {
    const AvApi* av;
    void operator()(AVFrame* frame) const noexcept { av->av_frame_free(&frame); }
};
using Frame = std::unique_ptr<AVFrame, FrameDeleter>;

// One sample of any of libav's sample formats as a float in -1..1.
float SampleAt(const AVFrame& f, AVSampleFormat format, int channel, int index) {
    const int channels = f.ch_layout.nb_channels;
    const bool planar = (format >= AV_SAMPLE_FMT_U8P && format <= AV_SAMPLE_FMT_DBLP) ||
                        format == AV_SAMPLE_FMT_S64P;
    const std::uint8_t* data = planar ? f.extended_data[channel] : f.extended_data[0];
    const int at = planar ? index : index * channels + channel;
    switch (format) {
        case AV_SAMPLE_FMT_U8:
        case AV_SAMPLE_FMT_U8P:
            return (static_cast<float>(data[at]) - 128.0f) / 128.0f;
        case AV_SAMPLE_FMT_S16:
        case AV_SAMPLE_FMT_S16P:
            return static_cast<float>(reinterpret_cast<const std::int16_t*>(data)[at]) / 32768.0f;
        case AV_SAMPLE_FMT_S32:
        case AV_SAMPLE_FMT_S32P:
            return static_cast<float>(
                static_cast<double>(reinterpret_cast<const std::int32_t*>(data)[at]) /
                2147483648.0);
        case AV_SAMPLE_FMT_FLT:
        case AV_SAMPLE_FMT_FLTP:
            return reinterpret_cast<const float*>(data)[at];
        case AV_SAMPLE_FMT_DBL:
        case AV_SAMPLE_FMT_DBLP:
            return static_cast<float>(reinterpret_cast<const double*>(data)[at]);
        case AV_SAMPLE_FMT_S64:
        case AV_SAMPLE_FMT_S64P:
            return static_cast<float>(
                static_cast<double>(reinterpret_cast<const std::int64_t*>(data)[at]) /
                9223372036854775808.0);
        default:
            return 0.0f;
    }
}

class AvDecoder final : public Decoder {
  public:
    AvDecoder(const AvApi& av, std::unique_ptr<ByteSource> bytes, Io io, Input input, Codec codec,
              int stream)
        : av_(av),
          bytes_(std::move(bytes)),
          io_(std::move(io)),
          input_(std::move(input)),
          codec_(std::move(codec)),
          stream_(input_->streams[stream]),
          packet_(av.av_packet_alloc(), PacketDeleter{&av}),
          frame_(av.av_frame_alloc(), FrameDeleter{&av}) {}

    // Decodes the first frame, which gives the format the codec really delivers (HE-AAC, for one,
    // doubles the rate its header names) and shows that the file holds sound at all.
    void Start(const std::string& path) {
        if (!packet_ || !frame_) {
            throw SoundError(SoundFault::ReadError, fmt::format("{}: out of memory", path));
        }
        if (!NextFrame()) {
            throw SoundError(SoundFault::ReadError,
                             fmt::format("{}: no sound could be decoded ({})", path,
                                         last_error_ != 0 ? AvErrorText(av_, last_error_)
                                                          : "the stream is empty"));
        }
        format_.rate = frame_->sample_rate;
        format_.channels = frame_->ch_layout.nb_channels;
        const auto sample = static_cast<AVSampleFormat>(frame_->format);
        format_.bits = sample == AV_SAMPLE_FMT_U8 || sample == AV_SAMPLE_FMT_U8P ? 8 : 16;
        if (format_.rate <= 0 || format_.channels <= 0) {
            throw SoundError(SoundFault::UnknownFormat,
                             fmt::format("{}: the stream names no rate or channels", path));
        }
        origin_ = FrameStart();
        length_ = KnownLength();
        exact_ = length_ >= 0 && CountsSamples(input_->iformat->name) &&
                 stream_->duration != AV_NOPTS_VALUE &&
                 av_.av_fmt_ctx_get_duration_estimation_method(input_.get()) !=
                     AVFMT_DURATION_FROM_BITRATE;
    }

    PcmFormat Format() const override { return format_; }

    std::size_t Read(float* out, std::size_t frames) override {
        const auto channels = static_cast<std::size_t>(format_.channels);
        std::size_t done = 0;
        while (done < frames) {
            if (used_ >= frame_->nb_samples && !NextFrame()) {
                break;
            }
            std::size_t take =
                std::min(frames - done, static_cast<std::size_t>(frame_->nb_samples - used_));
            if (exact_) {
                take = std::min(
                    take, static_cast<std::size_t>(std::max<std::int64_t>(length_ - position_, 0)));
                if (take == 0) {
                    break;
                }
            }
            Convert(out + done * channels, take);
            used_ += static_cast<int>(take);
            position_ += static_cast<std::int64_t>(take);
            done += take;
        }
        return done;
    }

    bool Seek(std::int64_t frame) override {
        const std::int64_t target =
            std::clamp<std::int64_t>(frame, 0, length_ >= 0 ? length_ : INT64_MAX);
        // Near the start this asks for a time before the first frame, which every demuxer
        // answers with its first packet (an MP4's priming frame before its edit list begins).
        const std::int64_t from = target - kSeekPreroll - stream_->codecpar->seek_preroll;
        const std::int64_t ts = ToTimestamp(from + (origin_ == AV_NOPTS_VALUE ? 0 : origin_));
        if (av_.avformat_seek_file(input_.get(), stream_->index, INT64_MIN, ts, ts, 0) < 0) {
            return false;
        }
        av_.avcodec_flush_buffers(codec_.get());
        used_ = frame_->nb_samples;
        draining_ = false;
        ended_ = false;
        position_ = target;
        seeking_to_ = target;
        return true;
    }

    std::int64_t Length() override { return length_; }
    bool LengthIsExact() const override { return exact_; }

  private:
    // The next frame of sound into frame_ (used_ at its first sample to give), or false at the
    // end. After a seek it drops what comes before the target.
    bool NextFrame() {
        while (NextDecodedFrame()) {
            used_ = 0;
            if (seeking_to_ >= 0 && origin_ != AV_NOPTS_VALUE) {
                const std::int64_t start = FrameStart();
                if (start != AV_NOPTS_VALUE) {
                    const std::int64_t at = start - origin_;
                    if (at + frame_->nb_samples <= seeking_to_) {
                        continue;
                    }
                    used_ = static_cast<int>(std::max<std::int64_t>(seeking_to_ - at, 0));
                }
            }
            seeking_to_ = -1;
            if (!Matches()) {
                ended_ = true;  // a chained stream of another rate: this song ends here
                return false;
            }
            return true;
        }
        return false;
    }

    // The next frame the codec gives, of at least one sample, or false at the end.
    bool NextDecodedFrame() {
        int failures = 0;
        int silent = 0;
        while (!ended_) {
            const int got = av_.avcodec_receive_frame(codec_.get(), frame_.get());
            if (got == 0) {
                if (frame_->nb_samples > 0) {
                    return true;
                }
                if (++silent > kMostSilentPacketsInARow) {
                    ended_ = true;
                }
                continue;
            }
            if (got != AVERROR(EAGAIN)) {
                if (got != AVERROR_EOF) {
                    last_error_ = got;
                }
                ended_ = true;
                break;
            }
            if (draining_) {
                ended_ = true;
                break;
            }
            const int read = av_.av_read_frame(input_.get(), packet_.get());
            if (read < 0) {
                if (read != AVERROR_EOF) {
                    last_error_ = read;
                }
                draining_ = true;
                av_.avcodec_send_packet(codec_.get(), nullptr);
                continue;
            }
            if (packet_->stream_index != stream_->index) {
                av_.av_packet_unref(packet_.get());
                continue;
            }
            const int sent = av_.avcodec_send_packet(codec_.get(), packet_.get());
            av_.av_packet_unref(packet_.get());
            if (sent < 0 && sent != AVERROR(EAGAIN)) {
                last_error_ = sent;
                failures += 1;
            } else {
                failures = 0;
            }
            silent += 1;
            if (failures > kMostFailuresInARow || silent > kMostSilentPacketsInARow) {
                ended_ = true;
            }
        }
        return false;
    }

    // True when the frame has the rate the stream opened with, and channels.
    bool Matches() const {
        return frame_->ch_layout.nb_channels > 0 &&
               (frame_->sample_rate == format_.rate || format_.rate == 0);
    }

    // Moves take samples of the frame from used_ on into out, interleaved in the stream's own
    // channel count (a frame with fewer channels repeats its last one).
    void Convert(float* out, std::size_t take) const {
        const auto format = static_cast<AVSampleFormat>(frame_->format);
        const int have = frame_->ch_layout.nb_channels;
        for (std::size_t i = 0; i < take; ++i) {
            for (int c = 0; c < format_.channels; ++c) {
                *out++ =
                    SampleAt(*frame_, format, std::min(c, have - 1), used_ + static_cast<int>(i));
            }
        }
    }

    // Where the frame in frame_ starts, in samples at its rate, or AV_NOPTS_VALUE.
    std::int64_t FrameStart() const {
        const std::int64_t pts =
            frame_->pts != AV_NOPTS_VALUE ? frame_->pts : frame_->best_effort_timestamp;
        return pts == AV_NOPTS_VALUE ? AV_NOPTS_VALUE : ToSamples(pts);
    }

    std::int64_t ToSamples(std::int64_t ts) const {
        const AVRational tb = stream_->time_base;
        return static_cast<std::int64_t>(
            std::llround(static_cast<long double>(ts) * format_.rate * tb.num / tb.den));
    }

    std::int64_t ToTimestamp(std::int64_t samples) const {
        const AVRational tb = stream_->time_base;
        return static_cast<std::int64_t>(
            std::floor(static_cast<long double>(samples) * tb.den /
                       (static_cast<long double>(format_.rate) * tb.num)));
    }

    // The stream's length from its container, in frames, or -1.
    std::int64_t KnownLength() const {
        if (stream_->duration != AV_NOPTS_VALUE && stream_->duration > 0) {
            // An Ogg stream's last granule counts the samples the decoder skips at the start
            // (Opus pre-skip) too.
            const bool counts_skipped = std::string_view(input_->iformat->name) == "ogg";
            return ToSamples(stream_->duration) -
                   (counts_skipped ? stream_->codecpar->initial_padding : 0);
        }
        if (input_->duration != AV_NOPTS_VALUE && input_->duration > 0) {
            return static_cast<std::int64_t>(static_cast<long double>(input_->duration) *
                                             format_.rate / AV_TIME_BASE);
        }
        return -1;
    }

    const AvApi& av_;
    std::unique_ptr<ByteSource> bytes_;  // outlives the contexts that read it
    Io io_;
    Input input_;
    Codec codec_;
    AVStream* stream_;
    Packet packet_;
    Frame frame_;
    PcmFormat format_{0, 0, 16};
    int used_ = 0;                          // samples of frame_ already given
    std::int64_t origin_ = AV_NOPTS_VALUE;  // where the first frame starts, in samples
    std::int64_t length_ = -1;
    bool exact_ = false;
    std::int64_t position_ = 0;
    std::int64_t seeking_to_ = -1;
    bool draining_ = false;
    bool ended_ = false;
    int last_error_ = 0;
};

}  // namespace

std::unique_ptr<Decoder> OpenAvDecoder(const std::string& path) {
    RequireSongFile(path);
    std::string why;
    const AvApi* av = Av(why);
    if (av == nullptr) {
        throw SoundError(SoundFault::UnknownFormat, fmt::format("{}: {}", path, why));
    }
    const auto fail = [&path, av](SoundFault fault, int code) {
        return SoundError(fault, fmt::format("{}: {}", path, AvErrorText(*av, code)));
    };
    std::unique_ptr<ByteSource> bytes = OpenFileBytes(path);
    auto* buffer = static_cast<unsigned char*>(av->av_malloc(kIoBufferBytes));
    if (buffer == nullptr) {
        throw fail(SoundFault::ReadError, AVERROR(ENOMEM));
    }
    Io io(av->avio_alloc_context(buffer, kIoBufferBytes, 0, bytes.get(), ReadBytes, nullptr,
                                 SeekBytes),
          IoDeleter{av});
    if (!io) {
        av->av_freep(&buffer);
        throw fail(SoundFault::ReadError, AVERROR(ENOMEM));
    }
    AVFormatContext* opened = av->avformat_alloc_context();
    if (opened == nullptr) {
        throw fail(SoundFault::ReadError, AVERROR(ENOMEM));
    }
    opened->pb = io.get();
    // avformat_open_input frees the context when it fails.
    if (const int rc = av->avformat_open_input(&opened, nullptr, nullptr, nullptr); rc < 0) {
        throw fail(SoundFault::UnknownFormat, rc);
    }
    Input input(opened, InputDeleter{av});
    if (!IsSoundContainer(input->iformat->name)) {
        throw SoundError(SoundFault::UnknownFormat,
                         fmt::format("{}: not a sound stream ({})", path, input->iformat->name));
    }
    if (const int rc = av->avformat_find_stream_info(input.get(), nullptr); rc < 0) {
        throw fail(SoundFault::ReadError, rc);
    }
    const AVCodec* found = nullptr;
    const int stream = av->av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, &found, 0);
    if (stream < 0 || found == nullptr) {
        throw SoundError(
            SoundFault::UnknownFormat,
            fmt::format("{}: no sound stream that can be decoded ({})", path,
                        AvErrorText(*av, stream < 0 ? stream : AVERROR_DECODER_NOT_FOUND)));
    }
    const AVRational time_base = input->streams[stream]->time_base;
    if (time_base.num <= 0 || time_base.den <= 0) {
        throw SoundError(SoundFault::ReadError,
                         fmt::format("{}: the sound stream has no time base", path));
    }
    for (unsigned i = 0; i < input->nb_streams; ++i) {
        if (static_cast<int>(i) != stream) {
            input->streams[i]->discard = AVDISCARD_ALL;  // cover pictures, video
        }
    }
    Codec codec(av->avcodec_alloc_context3(found), CodecDeleter{av});
    if (!codec) {
        throw fail(SoundFault::ReadError, AVERROR(ENOMEM));
    }
    if (const int rc =
            av->avcodec_parameters_to_context(codec.get(), input->streams[stream]->codecpar);
        rc < 0) {
        throw fail(SoundFault::ReadError, rc);
    }
    codec->pkt_timebase = time_base;
    if (const int rc = av->avcodec_open2(codec.get(), found, nullptr); rc < 0) {
        throw fail(SoundFault::ReadError, rc);
    }
    auto decoder = std::make_unique<AvDecoder>(*av, std::move(bytes), std::move(io),
                                               std::move(input), std::move(codec), stream);
    decoder->Start(path);
    return decoder;
}

}  // namespace tarvel::sound
