#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/bass/bass.h"

class QPainter;

namespace tarvel::audio {

class TSpectrum;

// The program-wide play state of the BASS engine: 0 stopped or ended, 1 playing, 2 paused.
// Written by the engine's operations and, from the sound thread, by the end-of-channel callback
// (one 32-bit store); read by the main window's timer.
extern std::atomic<std::int32_t> BassPlayState;

// Centre frequencies of the 16 equalizer bands, band 1 first.
constexpr std::array<std::int32_t, 16> EqCentreFrequencies = {
    80, 140, 230, 390, 560, 720, 880, 1200, 2000, 4000, 6000, 8000, 10000, 12000, 14000, 16000};

// The BASS playback engine: one channel at a time (stream, module or CD track) with a 16-band
// equalizer and FFT data for the spectrum. All operations run on the user-interface thread.
class CBassEngine {
  public:
    // Initialises BASS on the first output device; a wrong library version or a failed
    // initialisation ends the program at once, without a message.
    CBassEngine();
    ~CBassEngine();
    CBassEngine(const CBassEngine&) = delete;
    CBassEngine& operator=(const CBassEngine&) = delete;

    // Throws AppError when a ".cda" name has no track number (nothing plays then).
    void PlayFile(const std::string& path);
    void Pause(bool pause);
    void Stop();
    std::int32_t GetState() const;
    std::int32_t GetPosition() const;  // whole seconds
    void SetPosition(std::int32_t seconds);
    void SetVolume(std::int32_t volume);                   // 0..100
    void SetEQBand(std::int32_t band, std::int32_t gain);  // band 1..16, gain dB
    bool GetEQEnabled() const { return EqEnabled; }
    // The volume leveling gain (linear amplitude) of the channels the next PlayFile calls
    // start; 1 leaves them as they are.
    void SetLeveling(float gain) { leveling_ = gain; }
    void SetEQEnabled(bool on);

    void CreateSpectrum(int width, int height);
    void FreeSpectrum();
    void DrawSpectrum(QPainter& dc);
    TSpectrum* Spectrum() const { return spectrum_.get(); }

    // The end-of-channel sync procedure: the state becomes 0 when the channel that ended is the
    // one started last (a late notice of an earlier channel is ignored).
    static void OnChannelEnd(bass::HSYNC handle, bass::DWORD channel, bass::DWORD data,
                             bass::DWORD user);

    // Fields, by their names in the engine's description (bands indexed 1..16; index 0 unused).
    bool EqEnabled = true;
    bass::BASS_FXPARAMEQ EqParams{};
    std::array<bass::HFX, 17> EqFx{};
    std::array<std::int32_t, 17> EqGain{};
    bass::DWORD Channel = 0;

  private:
    // The gain that takes effect for a band: its stored gain, or flat while the equalizer is off.
    void ApplyBand(std::int32_t band, std::int32_t gain);

    std::unique_ptr<TSpectrum> spectrum_;
    float leveling_ = 1.0f;
};

}  // namespace tarvel::audio
