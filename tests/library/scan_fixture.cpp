#include "library/scan_fixture.h"

#include "library/mp3_bytes.h"
#include "platform/fs/file_ops.h"

namespace tarvel::library {

using namespace tarvel::testing;

std::string SongLines(const std::vector<SongRecord>& records) {
    std::string bytes;
    for (const auto& record : records) {
        bytes += SongLine(record) + "\r\n";
    }
    return bytes;
}

ScanTest::ScanTest() : app_dir(temp / "app"), music_dir(temp / "music") {
    fs::CreateDirectories(app_dir);
    fs::CreateDirectories(music_dir);
}

std::string ScanTest::Mp3(const std::string& artist, const std::string& title,
                          const std::string& year) {
    std::string bytes;
    if (!artist.empty() || !title.empty()) {
        bytes += Id3v2(3, Frame("TPE1", Latin1(artist)) + Frame("TIT2", Latin1(title)) +
                              Frame("TALB", Latin1("Album")) + Frame("TRCK", Latin1("2/9")));
    }
    bytes += AudioFrames(FrameKind{}, 417, 20);
    if (!year.empty()) {
        bytes += Id3v1("", "", "", year, 1);
    }
    return bytes;
}

std::string ScanTest::Music(const std::string& name, const std::string& bytes) {
    WriteBytes(MusicPath(name), bytes);
    return MusicPath(name);
}

std::string ScanTest::MusicPath(const std::string& name) const {
    return music_dir + "/" + name;
}

std::string ScanTest::Library(const std::string& name) const {
    return app_dir + "/sort/" + name;
}

std::string ScanTest::LibraryBytes(const std::string& name) const {
    return ReadBytes(Library(name));
}

std::vector<std::string> ScanTest::Reports() const {
    std::vector<std::string> reports;
    for (const auto& call : services.Calls()) {
        if (call.rfind("MessageBox\t", 0) == 0) {
            reports.push_back(call);
        }
    }
    return reports;
}

}  // namespace tarvel::library
