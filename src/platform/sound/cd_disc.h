#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tarvel::sound {

// CD audio: 2352-byte sectors of 588 stereo 16-bit frames at 44 100 Hz, 75 sectors a second.
constexpr int kCdSectorBytes = 2352;
constexpr int kCdSectorFrames = 588;

// The first CD device, or the CUE/BIN image named by TARVEL_CD; empty when there is none.
std::string CdSource();
// CdSource() + "/", or empty when there is none: the folder part of a CD row's path.
std::string CdDrive();

// An open disc (drive or image) through libcdio; a drive is read through cdparanoia, which
// corrects read errors, an image directly. Track numbers are 1-based (1..TrackCount()).
class CdDisc {
  public:
    // Throws SoundError NoDevice when the source cannot be opened or holds no tracks.
    static std::unique_ptr<CdDisc> Open(const std::string& source);
    virtual ~CdDisc() = default;

    virtual int TrackCount() const = 0;
    // First and last sector of a track; false when the track does not exist or is no audio.
    virtual bool TrackSectors(int track, std::int32_t& first, std::int32_t& last) const = 0;
    // Reads count sectors from sector lsn into out (count x 2352 bytes, little-endian samples).
    virtual bool ReadSectors(std::int32_t lsn, int count, void* out) = 0;
};

// Length of a track in milliseconds (0 when it does not exist).
std::int64_t CdTrackLengthMs(CdDisc& disc, int track);

}  // namespace tarvel::sound
