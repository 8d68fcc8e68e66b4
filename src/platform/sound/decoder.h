#pragma once

#include <cstddef>
#include <cstdint>

namespace tarvel::sound {

// What a decoder delivers: interleaved float samples (-1..1) at its own rate and channel count.
// bits is the sample size stored in the source (8 for 8-bit PCM), for callers that refuse it.
struct PcmFormat {
    int rate = 44100;
    int channels = 2;
    int bits = 16;
};

// One input format: open (the constructor of each implementation), read samples, seek, length.
// Decoders know nothing of channels, mixing or the APIs above them. Not thread-safe: the owning
// channel serialises calls.
class Decoder {
  public:
    virtual ~Decoder() = default;

    virtual PcmFormat Format() const = 0;
    // Reads up to frames frames into out (frames x Format().channels floats). Fewer than asked
    // means the end was reached (or the rest of the data is broken); 0 means nothing is left.
    virtual std::size_t Read(float* out, std::size_t frames) = 0;
    // Moves to a frame of the source (clamped to the length). False when the source cannot seek.
    virtual bool Seek(std::int64_t frame) = 0;
    // Length in source frames, or -1 when it is not known.
    virtual std::int64_t Length() = 0;
    // True when Length() is exactly where Read() ends (false for an estimate).
    virtual bool LengthIsExact() const { return true; }
};

}  // namespace tarvel::sound
