#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "library/fuzz_targets.h"
#include "library/mp3_bytes.h"
#include "support/temp_dir.h"

// The fuzz entry points over mutated inputs: real files of the corpus and byte-built tags and
// streams, with bytes flipped, runs of 0xFF written, sizes cut and bytes inserted.
namespace tarvel::library {
namespace {

using namespace tarvel::testing;

std::vector<std::string> Seeds() {
    std::vector<std::string> seeds = {
        Id3v2(3, Frame("TIT2", Utf16(u"Title")) + Frame("TRCK", Latin1("3/4")), 20) +
            AudioFrames(FrameKind{}, 417, 6) + Id3v1("t", "a", "b", "1999", 2),
        Id3v2(2, Frame22("TT2", Latin1("x"))) +
            AudioFrames(FrameKind{2, 3, 8, 0, false, 3}, 208, 8),
        Id3v2(4, Frame("TPE1", Latin1("y"), 0x09), 0, 0x50) +
            AudioFrames(FrameKind{25, 3, 4, 1}, 193, 8),
    };
    const std::string corpus = TARVEL_CORPUS_DIR "/mp3";
    if (std::filesystem::is_directory(corpus)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(corpus)) {
            if (entry.is_regular_file() && entry.file_size() < 20000 &&
                entry.path().extension() == ".mp3") {
                seeds.push_back(ReadBytes(entry.path().string()));
            }
        }
    }
    return seeds;
}

std::string Mutate(std::string bytes, std::mt19937& random) {
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits && !bytes.empty(); ++e) {
        const size_t at = random() % bytes.size();
        switch (random() % 5) {
            case 0:
                bytes[at] = static_cast<char>(random());
                break;
            case 1:
                bytes.replace(at, std::min<size_t>(4, bytes.size() - at), 4, '\xFF');
                break;
            case 2:
                bytes.resize(at);
                break;
            case 3:
                bytes.insert(at, std::string(random() % 600, static_cast<char>(random())));
                break;
            default:
                bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8)));
                break;
        }
    }
    return bytes;
}

TEST(Fuzz, ReadersKeepTheirPromisesOnMutatedFiles) {
    std::mt19937 random(2024);
    const auto seeds = Seeds();
    for (int round = 0; round < 3000; ++round) {
        const std::string bytes = Mutate(seeds[random() % seeds.size()], random);
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        FuzzId3v1(data, bytes.size());
        FuzzId3v2(data, bytes.size());
        FuzzMpegAudio(data, bytes.size());
    }
}

}  // namespace
}  // namespace tarvel::library
