#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Sound files made inside the tests, and measurements of rendered sound.
namespace tarvel::testing {

// A PCM WAV file: samples interleaved, -1..1; bits 8 (unsigned) or 16.
void WriteWav(const std::string& path, int rate, int channels, int bits,
              const std::vector<float>& samples);
// frames of a sine (amplitude, Hz) at rate, the same on every channel.
std::vector<float> Sine(double hz, double amplitude, int rate, int channels, std::size_t frames);

// A 4-channel ProTracker module: one pattern of 16 rows at speed 3 (60 ms a row, 0.96 s in all)
// with a looped square-wave sample sounding from the first row.
void WriteTinyMod(const std::string& path);
constexpr std::int64_t kTinyModMs = 960;

// A CUE sheet (folder/disc.cue) over a BIN image (folder/disc.bin) with two audio tracks of
// 150 and 75 sectors (2 s and 1 s): track 1 a 440 Hz sine at amplitude 0.25, track 2 at 0.5.
// Returns the CUE path.
std::string WriteCueBin(const std::string& folder);

// Root mean square of one channel (0 left, 1 right) of interleaved stereo frames [from, to).
double Rms(const std::vector<float>& stereo, int channel, std::size_t from, std::size_t to);
double PeakAbs(const std::vector<float>& stereo, std::size_t from, std::size_t to);
// The frequency of a sine in stereo frames (left channel) by counting rising zero crossings.
double ZeroCrossingHz(const std::vector<float>& stereo, std::size_t from, std::size_t to, int rate);

// The committed MP3 fixtures (made by tests/data/sound/make_fixtures.sh).
std::string SoundData(const std::string& name);

}  // namespace tarvel::testing
