#include "shell/open_files.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "library/song_record.h"
#include "platform/system/fake_system_services.h"
#include "support/temp_dir.h"

namespace tarvel::shell {
namespace {

using tarvel::testing::ReadBytes;
using tarvel::testing::WriteBytes;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kFormatData = TARVEL_TEST_DATA_DIR "/formats";

std::string AllCalls(const system::FakeSystemServices& services) {
    std::string all;
    for (const auto& call : services.Calls()) {
        all += call + "\n";
    }
    return all;
}

// Dropped on the library: a file whose extension is a music format's (in any letter case) and
// a folder are taken, whether or not a decoder plays the file yet; anything else is named.
TEST(OpenFiles, TheLibraryTakesMusicFilesByTheirExtensionAndFolders) {
    tarvel::testing::TempDir dir;
    const std::string m4a = dir / "song.M4A";
    const std::string wv = dir / "b.wv";
    const std::string notes = dir / "notes.txt";
    WriteBytes(m4a, ReadBytes(kFormatData + "/tagged.m4a"));
    WriteBytes(wv, ReadBytes(kFormatData + "/tagged.wv"));
    WriteBytes(notes, "not music");
    WriteBytes(dir / "sub/x.txt", "");
    system::FakeSystemServices services;

    EXPECT_THAT(TakePlayable({m4a, notes, wv, dir / "sub"}, services, true),
                ElementsAre(m4a, wv, dir / "sub"));
    EXPECT_THAT(AllCalls(services), HasSubstr("left out:\\n" + notes + "\tOk\n"));
}

// Handed over: each file gets its own tags; one that does not hold the format its name claims
// is left out.
TEST(OpenFiles, HandedOverFilesAreReadAsTheirFormat) {
    tarvel::testing::TempDir dir;
    const std::string flac = dir / "a.flac";
    const std::string fake = dir / "fake.flac";
    WriteBytes(flac, ReadBytes(kFormatData + "/tagged.flac"));
    WriteBytes(fake, ReadBytes(kFormatData + "/replaygain.mp3"));
    system::FakeSystemServices services;

    const library::masTag rows =
        PlayableRows({flac, fake}, services, library::UnmarkedText::Windows1251);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][library::kArtist], "Кино");
    EXPECT_EQ(rows[1][library::kDuration], "500");
    EXPECT_EQ(rows[1][library::kPath], flac);
}

}  // namespace
}  // namespace tarvel::shell
