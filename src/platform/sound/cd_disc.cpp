#include "platform/sound/cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>
#include <fmt/format.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

struct CdioDeleter {
    void operator()(CdIo_t* p) const noexcept { cdio_destroy(p); }
};
struct DriveDeleter {
    void operator()(cdrom_drive_t* d) const noexcept { cdio_cddap_close_no_free_cdio(d); }
};
struct ParanoiaDeleter {
    void operator()(cdrom_paranoia_t* p) const noexcept { cdio_paranoia_free(p); }
};

bool EndsWithNoCase(const std::string& text, const char* tail) {
    const std::size_t n = std::strlen(tail);
    return text.size() >= n && strncasecmp(text.c_str() + text.size() - n, tail, n) == 0;
}

class CdioDisc final : public CdDisc {
  public:
    CdioDisc(std::unique_ptr<CdIo_t, CdioDeleter> cdio, bool image) : cdio_(std::move(cdio)) {
        first_ = cdio_get_first_track_num(cdio_.get());
        const track_t count = cdio_get_num_tracks(cdio_.get());
        count_ = (count == CDIO_INVALID_TRACK || first_ == CDIO_INVALID_TRACK) ? 0 : count;
        use_paranoia_ = !image;
    }

    int TrackCount() const override { return count_; }

    bool TrackSectors(int track, std::int32_t& first, std::int32_t& last) const override {
        if (track < 1 || track > count_) {
            return false;
        }
        const auto t = static_cast<track_t>(first_ + track - 1);
        if (cdio_get_track_format(cdio_.get(), t) != TRACK_FORMAT_AUDIO) {
            return false;
        }
        first = cdio_get_track_lsn(cdio_.get(), t);
        last = cdio_get_track_last_lsn(cdio_.get(), t);
        return first != CDIO_INVALID_LSN && last != CDIO_INVALID_LSN && last >= first;
    }

    bool ReadSectors(std::int32_t lsn, int count, void* out) override {
        if (use_paranoia_ && !paranoia_) {
            StartParanoia();
        }
        if (!paranoia_) {
            return cdio_read_audio_sectors(cdio_.get(), out, lsn, static_cast<uint32_t>(count)) ==
                   DRIVER_OP_SUCCESS;
        }
        if (lsn != next_) {
            cdio_paranoia_seek(paranoia_.get(), lsn, SEEK_SET);
        }
        auto* bytes = static_cast<char*>(out);
        for (int i = 0; i < count; ++i) {
            const int16_t* sector = cdio_paranoia_read(paranoia_.get(), nullptr);
            if (sector == nullptr) {
                return false;
            }
            std::memcpy(bytes + static_cast<std::size_t>(i) * kCdSectorBytes, sector,
                        kCdSectorBytes);
        }
        next_ = lsn + count;
        return true;
    }

  private:
    // A drive is read through cdparanoia, set up on the first read only: asking for the
    // table of contents needs none of it.
    void StartParanoia() {
        use_paranoia_ = false;
        drive_.reset(cdio_cddap_identify_cdio(cdio_.get(), CDDA_MESSAGE_FORGETIT, nullptr));
        if (drive_ && cdio_cddap_open(drive_.get()) == 0) {
            paranoia_.reset(cdio_paranoia_init(drive_.get()));
            if (paranoia_) {
                cdio_paranoia_modeset(paranoia_.get(),
                                      PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
            }
        }
    }

    std::unique_ptr<CdIo_t, CdioDeleter> cdio_;
    std::unique_ptr<cdrom_drive_t, DriveDeleter> drive_;
    std::unique_ptr<cdrom_paranoia_t, ParanoiaDeleter> paranoia_;
    track_t first_ = 1;
    int count_ = 0;
    std::int32_t next_ = -1;
    bool use_paranoia_ = false;
};

void QuietLog(cdio_log_level_t, const char*) {}

}  // namespace

std::string CdSource() {
    if (const char* image = std::getenv("TARVEL_CD"); image != nullptr) {
        return image;
    }
    // The device list is asked for once: looking for drives is slow and they do not come and go.
    static const std::string device = [] {
        cdio_log_set_handler(QuietLog);
        std::string first;
        char** devices = cdio_get_devices(DRIVER_DEVICE);
        if (devices != nullptr && devices[0] != nullptr) {
            first = devices[0];
        }
        cdio_free_device_list(devices);
        return first;
    }();
    return device;
}

std::string CdDrive() {
    const std::string source = CdSource();
    return source.empty() ? std::string() : source + "/";
}

std::unique_ptr<CdDisc> CdDisc::Open(const std::string& source) {
    static std::once_flag once;
    std::call_once(once, [] { cdio_log_set_handler(QuietLog); });
    if (source.empty()) {
        throw SoundError(SoundFault::NoDevice, "no CD drive or CD image");
    }
    const bool image = EndsWithNoCase(source, ".cue");
    std::unique_ptr<CdIo_t, CdioDeleter> cdio(image ? cdio_open_cue(source.c_str())
                                                    : cdio_open(source.c_str(), DRIVER_UNKNOWN));
    if (!cdio) {
        throw SoundError(SoundFault::NoDevice, fmt::format("{}: cannot open the CD", source));
    }
    auto disc = std::make_unique<CdioDisc>(std::move(cdio), image);
    if (disc->TrackCount() == 0) {
        throw SoundError(SoundFault::NoDevice, fmt::format("{}: no tracks on the CD", source));
    }
    return disc;
}

std::int64_t CdTrackLengthMs(CdDisc& disc, int track) {
    std::int32_t first = 0;
    std::int32_t last = 0;
    if (!disc.TrackSectors(track, first, last)) {
        return 0;
    }
    return (static_cast<std::int64_t>(last) - first + 1) * 1000 / 75;
}

}  // namespace tarvel::sound
