#include "sound_support/sound_fixtures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "support/temp_dir.h"

namespace tarvel::testing {

namespace {

void Put16(std::string& out, unsigned value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>((value >> 8) & 0xFF);
}
void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}
std::int16_t ToPcm16(float v) {
    return static_cast<std::int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
}

}  // namespace

void WriteWav(const std::string& path, int rate, int channels, int bits,
              const std::vector<float>& samples) {
    std::string data;
    for (float v : samples) {
        if (bits == 8) {
            data += static_cast<char>(std::lround(std::clamp(v, -1.0f, 1.0f) * 127.0f) + 128);
        } else {
            Put16(data, static_cast<std::uint16_t>(ToPcm16(v)));
        }
    }
    const unsigned block = static_cast<unsigned>(channels * bits / 8);
    std::string out = "RIFF";
    Put32(out, static_cast<std::uint32_t>(36 + data.size()));
    out += "WAVEfmt ";
    Put32(out, 16);
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(channels));
    Put32(out, static_cast<std::uint32_t>(rate));
    Put32(out, static_cast<std::uint32_t>(rate) * block);
    Put16(out, block);
    Put16(out, static_cast<unsigned>(bits));
    out += "data";
    Put32(out, static_cast<std::uint32_t>(data.size()));
    WriteBytes(path, out + data);
}

std::vector<float> Sine(double hz, double amplitude, int rate, int channels, std::size_t frames) {
    std::vector<float> out;
    out.reserve(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i) {
        const auto v =
            static_cast<float>(amplitude * std::sin(2 * std::numbers::pi * hz * i / rate));
        for (int c = 0; c < channels; ++c) {
            out.push_back(v);
        }
    }
    return out;
}

void WriteTinyMod(const std::string& path) {
    std::string mod(20, '\0');
    mod.replace(0, 8, "tinytest");
    constexpr unsigned kSampleWords = 32;
    for (int s = 0; s < 31; ++s) {
        std::string header(30, '\0');
        if (s == 0) {
            header.replace(0, 6, "square");
            header[22] = static_cast<char>(kSampleWords >> 8);
            header[23] = static_cast<char>(kSampleWords & 0xFF);
            header[25] = 64;                                    // volume
            header[28] = static_cast<char>(kSampleWords >> 8);  // loop the whole sample
            header[29] = static_cast<char>(kSampleWords & 0xFF);
        }
        mod += header;
    }
    mod += static_cast<char>(1);    // song length: one order
    mod += static_cast<char>(127);  // restart byte
    mod += std::string(128, '\0');  // order table: pattern 0
    mod += "M.K.";
    std::string pattern(64 * 4 * 4, '\0');
    auto cell = [&](int row, int channel) {
        return static_cast<std::size_t>((row * 4 + channel) * 4);
    };
    const unsigned period = 428;  // C-2
    std::size_t at = cell(0, 0);
    pattern[at] = static_cast<char>((1 & 0xF0) | (period >> 8));
    pattern[at + 1] = static_cast<char>(period & 0xFF);
    pattern[at + 2] = static_cast<char>((1 << 4) | 0xF);  // sample 1, effect F: speed
    pattern[at + 3] = 3;
    at = cell(15, 1);
    pattern[at + 2] = 0xD;  // pattern break after row 15: the song ends
    mod += pattern;
    for (unsigned i = 0; i < kSampleWords * 2; ++i) {
        mod += static_cast<char>(i < kSampleWords ? 100 : -100);
    }
    WriteBytes(path, mod);
}

std::string WriteCueBin(const std::string& folder) {
    std::string bin;
    auto add_track = [&](int sectors, double amplitude) {
        const std::vector<float> tone =
            Sine(440, amplitude, 44100, 2, static_cast<std::size_t>(sectors) * 588);
        for (float v : tone) {
            Put16(bin, static_cast<std::uint16_t>(ToPcm16(v)));
        }
    };
    add_track(150, 0.25);
    add_track(75, 0.5);
    WriteBytes(folder + "/disc.bin", bin);
    const std::string cue =
        "FILE \"disc.bin\" BINARY\r\n"
        "  TRACK 01 AUDIO\r\n"
        "    INDEX 01 00:00:00\r\n"
        "  TRACK 02 AUDIO\r\n"
        "    INDEX 01 00:02:00\r\n";
    WriteBytes(folder + "/disc.cue", cue);
    return folder + "/disc.cue";
}

double Rms(const std::vector<float>& stereo, int channel, std::size_t from, std::size_t to) {
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) {
        const double v = stereo[2 * i + static_cast<std::size_t>(channel)];
        sum += v * v;
    }
    return to > from ? std::sqrt(sum / static_cast<double>(to - from)) : 0.0;
}

double PeakAbs(const std::vector<float>& stereo, std::size_t from, std::size_t to) {
    double peak = 0;
    for (std::size_t i = 2 * from; i < 2 * to; ++i) {
        peak = std::max(peak, static_cast<double>(std::fabs(stereo[i])));
    }
    return peak;
}

double ZeroCrossingHz(const std::vector<float>& stereo, std::size_t from, std::size_t to,
                      int rate) {
    std::size_t first = 0;
    std::size_t last = 0;
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        if (stereo[2 * (i - 1)] < 0 && stereo[2 * i] >= 0) {
            if (crossings == 0) {
                first = i;
            }
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2) {
        return 0;
    }
    return (crossings - 1) * static_cast<double>(rate) / static_cast<double>(last - first);
}

std::string SoundData(const std::string& name) {
    return std::string(TARVEL_TEST_DATA_DIR) + "/sound/" + name;
}

}  // namespace tarvel::testing
