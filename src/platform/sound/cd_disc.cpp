#include "platform/sound/cd_disc.h"

#include <cdio/cdio.h>
#include <cdio/logging.h>
#include <cdio/paranoia/cdda.h>
#include <cdio/paranoia/paranoia.h>
#include <fmt/format.h>

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/sound/dynamic_library.h"
#include "platform/sound/sound_error.h"

namespace tarvel::sound {

namespace {

void QuietLog(cdio_log_level_t, const char*) {}

// The libcdio functions used, from the library loaded when a CD is first looked for.
struct CdioApi {
    decltype(&::cdio_log_set_handler) cdio_log_set_handler = nullptr;
    decltype(&::cdio_get_devices) cdio_get_devices = nullptr;
    decltype(&::cdio_free_device_list) cdio_free_device_list = nullptr;
    decltype(&::cdio_open) cdio_open = nullptr;
    decltype(&::cdio_open_cue) cdio_open_cue = nullptr;
    decltype(&::cdio_destroy) cdio_destroy = nullptr;
    decltype(&::cdio_get_first_track_num) cdio_get_first_track_num = nullptr;
    decltype(&::cdio_get_num_tracks) cdio_get_num_tracks = nullptr;
    decltype(&::cdio_get_track_format) cdio_get_track_format = nullptr;
    decltype(&::cdio_get_track_lsn) cdio_get_track_lsn = nullptr;
    decltype(&::cdio_get_track_last_lsn) cdio_get_track_last_lsn = nullptr;
    decltype(&::cdio_read_audio_sectors) cdio_read_audio_sectors = nullptr;
};

// Null, with the reason in why, when libcdio cannot be loaded. Its messages on stderr are
// silenced: a missing drive or a bad image is answered by our own errors.
const CdioApi* Cdio(std::string& why) {
    static LazyLibrary<CdioApi> library({"libcdio.so.19"}, [](DynamicLibrary& l, CdioApi& api) {
        TARVEL_RESOLVE(l, api, cdio_log_set_handler);
        TARVEL_RESOLVE(l, api, cdio_get_devices);
        TARVEL_RESOLVE(l, api, cdio_free_device_list);
        TARVEL_RESOLVE(l, api, cdio_open);
        TARVEL_RESOLVE(l, api, cdio_open_cue);
        TARVEL_RESOLVE(l, api, cdio_destroy);
        TARVEL_RESOLVE(l, api, cdio_get_first_track_num);
        TARVEL_RESOLVE(l, api, cdio_get_num_tracks);
        TARVEL_RESOLVE(l, api, cdio_get_track_format);
        TARVEL_RESOLVE(l, api, cdio_get_track_lsn);
        TARVEL_RESOLVE(l, api, cdio_get_track_last_lsn);
        TARVEL_RESOLVE(l, api, cdio_read_audio_sectors);
    });
    const CdioApi* api = library.Get(why);
    static std::once_flag quiet;
    if (api != nullptr) {
        std::call_once(quiet, [api] { api->cdio_log_set_handler(QuietLog); });
    }
    return api;
}

// cdparanoia's functions (two libraries), loaded when a drive is first read.
struct CddaApi {
    decltype(&::cdio_cddap_identify_cdio) cdio_cddap_identify_cdio = nullptr;
    decltype(&::cdio_cddap_open) cdio_cddap_open = nullptr;
    decltype(&::cdio_cddap_close_no_free_cdio) cdio_cddap_close_no_free_cdio = nullptr;
};
struct ParanoiaApi {
    decltype(&::cdio_paranoia_init) cdio_paranoia_init = nullptr;
    decltype(&::cdio_paranoia_modeset) cdio_paranoia_modeset = nullptr;
    decltype(&::cdio_paranoia_seek) cdio_paranoia_seek = nullptr;
    decltype(&::cdio_paranoia_read) cdio_paranoia_read = nullptr;
    decltype(&::cdio_paranoia_free) cdio_paranoia_free = nullptr;
};

const CddaApi* Cdda(std::string& why) {
    static LazyLibrary<CddaApi> library({"libcdio_cdda.so.2"}, [](DynamicLibrary& l, CddaApi& api) {
        TARVEL_RESOLVE(l, api, cdio_cddap_identify_cdio);
        TARVEL_RESOLVE(l, api, cdio_cddap_open);
        TARVEL_RESOLVE(l, api, cdio_cddap_close_no_free_cdio);
    });
    return library.Get(why);
}

const ParanoiaApi* Paranoia(std::string& why) {
    static LazyLibrary<ParanoiaApi> library({"libcdio_paranoia.so.2"},
                                            [](DynamicLibrary& l, ParanoiaApi& api) {
                                                TARVEL_RESOLVE(l, api, cdio_paranoia_init);
                                                TARVEL_RESOLVE(l, api, cdio_paranoia_modeset);
                                                TARVEL_RESOLVE(l, api, cdio_paranoia_seek);
                                                TARVEL_RESOLVE(l, api, cdio_paranoia_read);
                                                TARVEL_RESOLVE(l, api, cdio_paranoia_free);
                                            });
    return library.Get(why);
}

struct CdioDeleter {
    const CdioApi* cdio;
    void operator()(CdIo_t* p) const noexcept { cdio->cdio_destroy(p); }
};
struct DriveDeleter {
    const CddaApi* cdda;
    void operator()(cdrom_drive_t* d) const noexcept { cdda->cdio_cddap_close_no_free_cdio(d); }
};
struct ParanoiaDeleter {
    const ParanoiaApi* paranoia;
    void operator()(cdrom_paranoia_t* p) const noexcept { paranoia->cdio_paranoia_free(p); }
};

bool EndsWithNoCase(const std::string& text, const char* tail) {
    const std::size_t n = std::strlen(tail);
    return text.size() >= n && strncasecmp(text.c_str() + text.size() - n, tail, n) == 0;
}

class CdioDisc final : public CdDisc {
  public:
    CdioDisc(std::unique_ptr<CdIo_t, CdioDeleter> cdio, bool image)
        : api_(*cdio.get_deleter().cdio), cdio_(std::move(cdio)) {
        first_ = api_.cdio_get_first_track_num(cdio_.get());
        const track_t count = api_.cdio_get_num_tracks(cdio_.get());
        count_ = (count == CDIO_INVALID_TRACK || first_ == CDIO_INVALID_TRACK) ? 0 : count;
        use_paranoia_ = !image;
    }

    int TrackCount() const override { return count_; }

    bool TrackSectors(int track, std::int32_t& first, std::int32_t& last) const override {
        if (track < 1 || track > count_) {
            return false;
        }
        const auto t = static_cast<track_t>(first_ + track - 1);
        if (api_.cdio_get_track_format(cdio_.get(), t) != TRACK_FORMAT_AUDIO) {
            return false;
        }
        first = api_.cdio_get_track_lsn(cdio_.get(), t);
        last = api_.cdio_get_track_last_lsn(cdio_.get(), t);
        return first != CDIO_INVALID_LSN && last != CDIO_INVALID_LSN && last >= first;
    }

    bool ReadSectors(std::int32_t lsn, int count, void* out) override {
        if (use_paranoia_ && !paranoia_) {
            StartParanoia();
        }
        if (!paranoia_) {
            return api_.cdio_read_audio_sectors(cdio_.get(), out, lsn,
                                                static_cast<uint32_t>(count)) == DRIVER_OP_SUCCESS;
        }
        const ParanoiaApi& p = *paranoia_.get_deleter().paranoia;
        if (lsn != next_) {
            p.cdio_paranoia_seek(paranoia_.get(), lsn, SEEK_SET);
        }
        auto* bytes = static_cast<char*>(out);
        for (int i = 0; i < count; ++i) {
            const int16_t* sector = p.cdio_paranoia_read(paranoia_.get(), nullptr);
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
    // table of contents needs none of it. Without cdparanoia's libraries the drive is read
    // directly, as an image is.
    void StartParanoia() {
        use_paranoia_ = false;
        std::string why;
        const CddaApi* cdda = Cdda(why);
        const ParanoiaApi* paranoia = Paranoia(why);
        if (cdda == nullptr || paranoia == nullptr) {
            return;
        }
        drive_ = decltype(drive_)(
            cdda->cdio_cddap_identify_cdio(cdio_.get(), CDDA_MESSAGE_FORGETIT, nullptr),
            DriveDeleter{cdda});
        if (drive_ && cdda->cdio_cddap_open(drive_.get()) == 0) {
            paranoia_ = decltype(paranoia_)(paranoia->cdio_paranoia_init(drive_.get()),
                                            ParanoiaDeleter{paranoia});
            if (paranoia_) {
                paranoia->cdio_paranoia_modeset(paranoia_.get(),
                                                PARANOIA_MODE_FULL ^ PARANOIA_MODE_NEVERSKIP);
            }
        }
    }

    const CdioApi& api_;
    std::unique_ptr<CdIo_t, CdioDeleter> cdio_;
    std::unique_ptr<cdrom_drive_t, DriveDeleter> drive_;
    std::unique_ptr<cdrom_paranoia_t, ParanoiaDeleter> paranoia_;
    track_t first_ = 1;
    int count_ = 0;
    std::int32_t next_ = -1;
    bool use_paranoia_ = false;
};

}  // namespace

std::string CdSource() {
    if (const char* image = std::getenv("TARVEL_CD"); image != nullptr) {
        return image;
    }
    // The device list is asked for once: looking for drives is slow and they do not come and go.
    static const std::string device = [] {
        std::string why;
        const CdioApi* cdio = Cdio(why);
        if (cdio == nullptr) {
            return std::string();
        }
        std::string first;
        char** devices = cdio->cdio_get_devices(DRIVER_DEVICE);
        if (devices != nullptr && devices[0] != nullptr) {
            first = devices[0];
        }
        cdio->cdio_free_device_list(devices);
        return first;
    }();
    return device;
}

std::string CdDrive() {
    const std::string source = CdSource();
    return source.empty() ? std::string() : source + "/";
}

std::unique_ptr<CdDisc> CdDisc::Open(const std::string& source) {
    if (source.empty()) {
        throw SoundError(SoundFault::NoDevice, "no CD drive or CD image");
    }
    std::string why;
    const CdioApi* api = Cdio(why);
    if (api == nullptr) {
        throw SoundError(SoundFault::NoDevice,
                         fmt::format("{}: cannot open the CD: {}", source, why));
    }
    const bool image = EndsWithNoCase(source, ".cue");
    std::unique_ptr<CdIo_t, CdioDeleter> cdio(
        image ? api->cdio_open_cue(source.c_str()) : api->cdio_open(source.c_str(), DRIVER_UNKNOWN),
        CdioDeleter{api});
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
