#include "platform/sound/cd_toc.h"

#include <fcntl.h>
#include <linux/cdrom.h>
#include <strings.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>

#include "platform/error/app_error.h"
#include "platform/sound/cd_disc.h"

namespace tarvel::sound {

namespace {

bool IsImage(const std::string& source) {
    return source.size() >= 4 && strcasecmp(source.c_str() + source.size() - 4, ".cue") == 0;
}

// What tells one disc from the next without reading the disc: for an image, the CUE sheet's
// size and modification time.
std::string ImageStamp(const std::string& cue) {
    struct stat st {};
    if (::stat(cue.c_str(), &st) != 0) {
        return "missing";
    }
    return std::to_string(st.st_size) + ":" + std::to_string(st.st_mtim.tv_sec) + "." +
           std::to_string(st.st_mtim.tv_nsec);
}

// A drive watched for media changes. The device stays open without blocking (no disc needed,
// the tray is not locked); the kernel's media-changed flag costs no disc access.
class DriveWatch {
  public:
    ~DriveWatch() { Close(); }

    // True when the disc may have changed since the last call (always on the first call for a
    // device, and whenever the device cannot be asked).
    bool Changed(const std::string& device) {
        if (device != device_) {
            Close();
            device_ = device;
            fd_ = ::open(device.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd_ >= 0) {
                ::ioctl(fd_, CDROM_MEDIA_CHANGED, CDSL_CURRENT);  // clears the flag for now
            }
            return true;
        }
        return fd_ < 0 || ::ioctl(fd_, CDROM_MEDIA_CHANGED, CDSL_CURRENT) != 0;
    }

  private:
    void Close() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        fd_ = -1;
        device_.clear();
    }

    std::string device_;
    int fd_ = -1;
};

CdToc ReadToc(const std::string& source) {
    CdToc toc;
    try {
        const auto disc = CdDisc::Open(source);
        toc.track_count = disc->TrackCount();
        for (int track = 1; track <= toc.track_count; ++track) {
            toc.lengths_ms.push_back(CdTrackLengthMs(*disc, track));
        }
    } catch (const AppError&) {
        toc = CdToc{};  // no disc, or it cannot be read: no tracks until it changes
    }
    return toc;
}

struct Cache {
    std::mutex mutex;
    std::string source;
    std::string stamp;
    bool known = false;
    CdToc toc;
    std::uint64_t reads = 0;
    DriveWatch drive;
};

Cache& TheCache() {
    static Cache cache;
    return cache;
}

}  // namespace

CdToc CurrentCdToc() {
    const std::string source = CdSource();
    Cache& c = TheCache();
    std::lock_guard lock(c.mutex);
    if (source.empty()) {
        c.known = false;
        return {};
    }
    bool changed = !c.known || source != c.source;
    if (IsImage(source)) {
        const std::string stamp = ImageStamp(source);
        changed = changed || stamp != c.stamp;
        c.stamp = stamp;
    } else {
        changed = c.drive.Changed(source) || changed;
    }
    if (changed) {
        c.toc = ReadToc(source);
        c.source = source;
        c.known = true;
        ++c.reads;
    }
    return c.toc;
}

std::uint64_t CdTocReads() {
    Cache& c = TheCache();
    std::lock_guard lock(c.mutex);
    return c.reads;
}

}  // namespace tarvel::sound
