#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

#include "library/file_finder.h"
#include "library/scan_fixture.h"
#include "library/song_reader.h"
#include "platform/formats/music_formats.h"
#include "platform/fs/file_ops.h"
#include "platform/text/cp1251.h"

namespace tarvel::library {
namespace {

using formats::MusicFormat;
using tarvel::testing::ReadBytes;
using ::testing::HasSubstr;

const std::string kFormatData = TARVEL_TEST_DATA_DIR "/formats";

TEST(MusicFormats, TheExtensionDecidesInAnyLetterCase) {
    const std::map<std::string, std::optional<MusicFormat>> cases = {
        {"/m/a.mp3", MusicFormat::Mpeg},   {"/m/A.MP3", MusicFormat::Mpeg},
        {"/m/b.Flac", MusicFormat::Flac},  {"x.OGG", MusicFormat::Ogg},
        {"x.oga", MusicFormat::Ogg},       {"x.opus", MusicFormat::Opus},
        {"x.M4A", MusicFormat::Mp4},       {"x.wma", MusicFormat::Asf},
        {"x.wv", MusicFormat::WavPack},    {"x.ape", MusicFormat::MonkeysAudio},
        {"x.mpc", MusicFormat::Musepack},  {"x.aiff", MusicFormat::Aiff},
        {"x.aif", MusicFormat::Aiff},      {"x.Wav", MusicFormat::Wav},
        {"/m/song.mp3.txt", std::nullopt}, {"/m/Vol.flac/song", std::nullopt},
        {"/m/no extension", std::nullopt}, {"/m/cover.jpg", std::nullopt},
        {"/m/x.mp33", std::nullopt},       {"/m/x.", std::nullopt},
    };
    for (const auto& [path, format] : cases) {
        EXPECT_EQ(formats::FormatOf(path), format) << path;
    }
    EXPECT_EQ(formats::ExtensionOf("/m.d/Song.Name.FLAC"), ".FLAC");
    EXPECT_EQ(formats::ExtensionOf("/m.d/name"), "");
}

std::string Cp1251(const std::string& utf8) {
    return text::Utf8ToCp1251(utf8);
}

// A folder of every format with tags made by each format's own encoder: each file gets its own
// tags and stream facts, a name's extension counts in any letter case, a file without tags is
// titled by its name without the extension, and a file that does not hold the format its name
// claims is passed over, named in the report and left out of the path list.
TEST(MusicFormats, TheDesktopEntryOpensEveryMediaTypeOfTheTable) {
    std::ifstream entry(TARVEL_TEST_DATA_DIR "/../../data/desktop/tarvel.desktop");
    std::string line, listed;
    while (std::getline(entry, line)) {
        if (line.starts_with("MimeType=")) {
            listed = line.substr(9);
        }
    }
    std::string expected;
    for (const std::string_view type : formats::MimeTypes()) {
        expected += std::string(type) + ";";
    }
    EXPECT_EQ(listed, expected);
}

TEST_F(ScanTest, EveryFormatGivesItsOwnTagsAndAFileThatLiesAboutItsFormatIsPassedOver) {
    const auto copy = [&](const std::string& from, const std::string& to) {
        return Music(to, ReadBytes(kFormatData + "/" + from));
    };
    const std::string flac = copy("tagged.flac", "a/tagged.FLAC");
    const std::string plain = copy("plain.flac", "b/plain.flac");
    const std::string fake = Music("fake.flac", Mp3("Someone", "Something"));
    const std::string m4a = copy("tagged.m4a", "tagged.m4a");
    const std::string ogg = copy("tagged.ogg", "tagged.ogg");
    const std::string opus = copy("tagged.opus", "tagged.opus");
    const std::string wv = copy("tagged.wv", "tagged.wv");
    const std::string wav = copy("tagged.wav", "tagged.wav");
    Music("cover.jpg", "not music");
    services.QueueAnswer(music_dir);

    actions.AddFiles();

    const std::vector<SongRecord> expected = {
        {Cp1251("Кино"), "Flac Album", Cp1251("Звезда"), "2003", "Rock", "4", "69", "500", "22050",
         "Mono", flac},
        {"Unknown", "Unknown", "plain", "0000", "Unknown", "0", "69", "500", "22050", "Mono",
         plain},
        // AAC counts its encoder's priming frames (1024 at 44.1 kHz) in the length.
        {"Mp4 Artist", "Mp4 Album", "Mp4 Title", "2010", "Pop", "3", "31", "523", "44100", "Stereo",
         m4a},
        {"Vorbis Artist", "Vorbis Album", "Vorbis Title", "1999", "Jazz", "7", "11", "500", "22050",
         "Mono", ogg},
        {"Opus Artist", "Opus Album", "Opus Title", "2021", "Ambient", "12", "20", "500", "48000",
         "Stereo", opus},
        {"Wav Artist", "Wav Album", "Wav Title", "0000", "Unknown", "2", "353", "500", "22050",
         "Mono", wav},
        {"WavPack Artist", "Unknown", "WavPack Title", "1977", "Unknown", "5", "313", "500",
         "48000", "Stereo", wv},
    };
    EXPECT_EQ(LibraryBytes("allsong.tft"), SongLines(expected));
    EXPECT_EQ(LibraryBytes("path.tan"), flac + "\r\n" + plain + "\r\n" + m4a + "\r\n" + ogg +
                                            "\r\n" + opus + "\r\n" + wav + "\r\n" + wv + "\r\n");
    ASSERT_EQ(scanner.report().skipped().size(), 1u);
    EXPECT_EQ(scanner.report().skipped()[0].path, fake);
    EXPECT_EQ(scanner.report().skipped()[0].reason, "cannot be read as flac music");
    EXPECT_EQ(scanner.report().added, 7u);
}

// What a scan of the corpus records for one file, or that it passes the file over. Durations,
// rates and channels are ffprobe's reading (a duration within 1 %, or 1 ms for the shortest),
// except where `differs` says why the tag library's reading of the file's headers is taken.
struct CorpusFile {
    const char* name;
    int duration_ms;  // kPassedOver: the scan leaves the file out
    int sample_rate;
    const char* channel_mode;
    const char* differs = nullptr;
};
constexpr int kPassedOver = -1;

constexpr CorpusFile kCorpus[] = {
    {"64bit.mp4", kPassedOver, 0, "", "no audio track; ffprobe reads none either"},
    {"ac3.m4a", 1000, 0, "Unknown", "AC-3 in MP4: the tag library reads no rate or channels"},
    {"alaw.wav", 3550, 8000, "Stereo"},
    {"click.mpc", 40, 44100, "Stereo", "Musepack 7 frame count (ffprobe decodes 78 ms)"},
    {"click.wv", 78, 44100, "Stereo"},
    {"correctness_gain_silent_output.opus", 7739, 48000, "Mono"},
    {"covr-junk.m4a", 3707, 44100, "Stereo"},
    {"dsd_stereo.wv", 200, 352800, "Stereo"},
    {"duplicate_id3v2.aiff", 67, 44100, "Mono"},
    {"duplicate_tags.wav", 3675, 1000, "Stereo"},
    {"eac3.m4a", 1000, 0, "Unknown", "E-AC-3 in MP4: the tag library reads no rate or channels"},
    {"empty-seektable.flac", 217868, 88200, "Stereo"},
    {"empty.aiff", 67, 44100, "Mono"},
    {"empty.ogg", 3685, 44100, "Stereo"},
    {"empty.wav", 3675, 1000, "Stereo"},
    {"empty_alac.m4a", 3705, 44100, "Stereo"},
    {"empty_flac.oga", 3705, 44100, "Stereo"},
    {"empty_vorbis.oga", 3685, 44100, "Stereo"},
    {"excessive_alloc.aif", kPassedOver, 0, ""},
    {"flac.m4a", 1000, 0, "Unknown", "FLAC in MP4: the tag library reads no rate or channels"},
    {"flac96.m4a", 1000, 0, "Unknown", "FLAC in MP4: the tag library reads no rate or channels"},
    {"float64.wav", 97, 44100, "Stereo"},
    {"four_channels.wv", 3833, 44100, "Unknown", "four channels (ffprobe says 1)"},
    {"gnre.m4a", 3707, 44100, "Stereo"},
    {"has-tags.m4a", 3707, 44100, "Stereo"},
    {"ilst-is-last.m4a", 65782, 44100, "Stereo"},
    {"infloop.m4a", 270095, 44100, "Stereo", "intact atoms over damaged audio; ffprobe fails"},
    {"infloop.mpc", kPassedOver, 0, ""},
    {"infloop.wav", 1277, 11025, "Mono"},
    {"infloop.wv", kPassedOver, 0, ""},
    {"invalid-chunk.wav", kPassedOver, 0, ""},
    {"longloop.ape", kPassedOver, 0, ""},
    {"lossless.wma", 3549, 44100, "Stereo"},
    {"lowercase-fields.ogg", 3685, 44100, "Stereo", "a whole Vorbis header; ffprobe fails"},
    {"mac-390-hdr.ape", 15630, 44100, "Stereo"},
    {"mac-396.ape", 3685, 44100, "Stereo"},
    {"mac-399-id3v2.ape", 3550, 44100, "Stereo"},
    {"mac-399-tagged.ape", 3550, 44100, "Stereo"},
    {"mac-399.ape", 3550, 44100, "Stereo"},
    {"mpeg-sync-flac.flac", 5068, 44100, "Stereo"},
    {"multiple-vc.flac", 3685, 44100, "Stereo"},
    {"multiplex.ogg", kPassedOver, 0, "", "two interleaved streams, which the tag library refuses"},
    {"no-tags.flac", 3685, 44100, "Stereo"},
    {"no-tags.m4a", 3707, 44100, "Stereo"},
    {"no_length.wv", 3705, 44100, "Stereo", "the length the stream's blocks give; ffprobe none"},
    {"noise.aif", 2, 44100, "Mono"},
    {"noise_odd.aif", 2, 44100, "Mono"},
    {"non-full-meta.m4a", 3707, 44100, "Stereo"},
    {"non_standard_rate.wv", 3675, 1000, "Stereo"},
    {"nonprintable-atom-type.m4a", 1600, 32000, "Mono"},
    {"opus.m4a", 1007, 0, "Unknown", "Opus in MP4: the tag library reads no rate or channels"},
    {"pcm_with_fact_chunk.wav", 3675, 1000, "Stereo"},
    {"real_example.wma", 96502, 44100, "Stereo", "the header's play time; ffprobe gives none"},
    {"rf64.wav", kPassedOver, 0, "", "RF64, which the tag library does not read"},
    {"segfault.aif", kPassedOver, 0, ""},
    {"segfault.mpc", kPassedOver, 0, ""},
    {"segfault.oga", kPassedOver, 0, ""},
    {"segfault.wav", kPassedOver, 0, ""},
    {"segfault2.mpc", kPassedOver, 0, ""},
    {"silence-1.wma", 3712, 48000, "Stereo"},
    {"silence-44-s.flac", 3685, 44100, "Stereo"},
    {"sinewave.flac", 3550, 44100, "Stereo"},
    {"sv4_header.mpc", 26371, 44100, "Stereo", "a header alone; ffprobe refuses the version"},
    {"sv5_header.mpc", 26371, 44100, "Stereo", "a header alone; ffprobe refuses the version"},
    {"sv8_header.mpc", 1497, 44100, "Stereo", "a header alone; ffprobe says 1463 ms"},
    {"tagged.wv", 3550, 44100, "Stereo"},
    {"test.ogg", 3685, 44100, "Stereo"},
    {"uint8we.wav", 2937, 8000, "Stereo"},
    {"zero-length-mdat.m4a", 1115, 22050, "Mono", "HE-AAC: the core rate (ffprobe 44100)"},
    {"zero-size-chunk.wav", kPassedOver, 0, "", "a chunk of size 0 ends the tag library's walk"},
    {"zero-sized-padding.flac", 3685, 44100, "Stereo"},
    {"zerodiv.ape", kPassedOver, 0, ""},
    {"zerodiv.mpc", kPassedOver, 0, ""},
};

// Scans the corpus folder in a child process whose data may grow by at most 64 MB and which is
// ended after 60 s. It first shows that an allocation past the limit fails there, then writes a
// line per file: the name, the milliseconds the file took, and its stream facts or "passed
// over". Returns the lines and the child's wait status.
// AddressSanitizer reserves its own memory as the process grows, which a data limit would stop.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kLimitMemory = false;
#else
constexpr bool kLimitMemory = true;
#endif

std::pair<std::string, int> ScanInLimitedChild(const std::string& folder) {
    int pipe_fds[2];
    EXPECT_EQ(::pipe(pipe_fds), 0);
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipe_fds[0]);
        FILE* out = ::fdopen(pipe_fds[1], "w");
        if (kLimitMemory) {
            long data_kb = 0;
            std::ifstream status("/proc/self/status");
            for (std::string line; std::getline(status, line);) {
                if (line.starts_with("VmData:")) {
                    data_kb = std::stol(line.substr(7));
                }
            }
            const rlim_t limit = static_cast<rlim_t>(data_kb) * 1024 + (64u << 20);
            const rlimit data{limit, limit};
            ::setrlimit(RLIMIT_DATA, &data);
            void* volatile big = std::malloc(65u << 20);  // kept: the call must happen
            if (big != nullptr) {
                std::fprintf(out, "the limit is not in force\n");
                std::free(big);
            }
        }
        ::alarm(60);
        RecordingDisplay display;
        ScanReport report;
        std::vector<std::string> files;
        FindMusicFiles(folder, files, display, report);
        TagReaders readers;
        for (const std::string& path : files) {
            const auto start = std::chrono::steady_clock::now();
            std::string why;
            const std::optional<SongRecord> record = ReadMusicFile(path, readers, why);
            const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - start);
            std::fprintf(out, "%s\t%lld\t", fs::FileNameOf(path).c_str(),
                         static_cast<long long>(took.count()));
            if (record) {
                std::fprintf(out, "%s\t%s\t%s\n", (*record)[kDuration].c_str(),
                             (*record)[kSampleRate].c_str(), (*record)[kChannelMode].c_str());
            } else {
                std::fprintf(out, "passed over\n");
            }
            std::fflush(out);
        }
        std::fclose(out);
        ::_exit(0);
    }
    ::close(pipe_fds[1]);
    std::string lines;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0;) {
        lines.append(buffer, static_cast<size_t>(n));
    }
    ::close(pipe_fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {lines, status};
}

TEST(FormatCorpus, EveryPlayableFileIsListedAndTheBrokenOnesPassedOverQuicklyInLittleMemory) {
    const std::string folder = TARVEL_CORPUS_DIR "/formats/taglib";
    if (!fs::DirectoryExists(folder)) {
        GTEST_SKIP() << "no corpus at " << folder;
    }
    const auto [lines, status] = ScanInLimitedChild(folder);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the scan crashed, ran out of memory or hung; it wrote:\n"
        << lines;
    std::map<std::string, const CorpusFile*> expected;
    for (const CorpusFile& file : kCorpus) {
        expected[file.name] = &file;
    }
    std::istringstream in(lines);
    size_t seen = 0;
    for (std::string line; std::getline(in, line);) {
        SCOPED_TRACE(line);
        std::istringstream fields(line);
        std::string name, took, duration, rate, mode;
        std::getline(fields, name, '\t');
        std::getline(fields, took, '\t');
        std::getline(fields, duration, '\t');
        std::getline(fields, rate, '\t');
        std::getline(fields, mode, '\t');
        const auto found = expected.find(name);
        ASSERT_NE(found, expected.end()) << "a corpus file the test does not know";
        const CorpusFile& file = *found->second;
        ++seen;
        EXPECT_LT(std::stoi(took), 1000);
        if (file.duration_ms == kPassedOver) {
            EXPECT_EQ(duration, "passed over");
            continue;
        }
        ASSERT_NE(duration, "passed over");
        const int ms = std::stoi(duration);
        if (file.differs != nullptr) {
            EXPECT_EQ(ms, file.duration_ms);
        } else {
            EXPECT_LE(std::abs(ms - file.duration_ms), std::max(1.0, file.duration_ms * 0.01));
        }
        EXPECT_EQ(std::stoi(rate), file.sample_rate);
        EXPECT_EQ(mode, file.channel_mode);
    }
    EXPECT_EQ(seen, std::size(kCorpus));
}

}  // namespace
}  // namespace tarvel::library
