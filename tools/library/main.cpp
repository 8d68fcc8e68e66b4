// tarvel-library: the command-line front of the music library scanner. It works on the library
// of the application folder it is started in, exactly as the library menu and dropped files do.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "command_line_services.h"
#include "library/library_actions.h"
#include "library/library_store.h"
#include "library/scanner.h"
#include "library/song_reader.h"
#include "platform/error/app_error.h"
#include "platform/fs/file_ops.h"
#include "stderr_progress.h"

namespace {

using namespace tarvel;

constexpr const char* kHelp = R"(Usage: tarvel-library [--quiet] COMMAND ARGUMENT...

Builds the music library of Tarvel. Run it in the application folder: the library files are
written to its folder "sort" (allsong.tft, Artist<N>.tft, ArtName.tan, path.tan).

Commands:
  add PATH...      Adds files and folders as if they were dropped on the main window: a PATH
                   whose name has an extension is taken as a file, any other is a folder
                   searched for music files (MP3, FLAC, Ogg, Opus, M4A, WMA, WV, APE, MPC,
                   AIFF, WAV), subfolders included. When the library is empty
                   (no ArtName.tan) every file is written; otherwise only files the library
                   does not hold yet are added.
  clear-add DIR    Makes a new library of the music files found in DIR, like "Clear Library and
                   Add Files"; the old library is replaced only when the new one is complete,
                   and nothing is changed when DIR holds no music file. Playlists are kept.
  probe FILE...    Prints, for each FILE, the eleven fields the scanner would record, separated
                   by tabs: artist, album, title, year, genre, track, bit rate (kbit/s),
                   duration (ms), sample rate (Hz), channel mode, path. Writes nothing; a
                   file that does not hold the format its name claims is named on stderr.

Options:
  --quiet          Shows no progress on stderr.
  --help           Shows this text.

Exit status: 0 on success, 1 when an operation failed (its error is printed), 2 on wrong usage.
)";

int Usage(const char* problem) {
    std::fprintf(stderr, "tarvel-library: %s\nTry 'tarvel-library --help'.\n", problem);
    return 2;
}

// Paths as given, made absolute against the current folder so that the library holds paths the
// player can open from anywhere.
std::string Absolute(const std::string& path) {
    return path.empty() || path[0] == '/' ? path : fs::JoinPath(fs::CurrentDirectory(), path);
}

// One field of a probe line, a tab or line break as a space.
std::string ProbeField(const std::string& value) {
    std::string text = value;
    for (char& c : text) {
        if (c == '\t' || c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return text;
}

int Probe(const std::vector<std::string>& files) {
    library::TagReaders readers;
    for (const auto& file : files) {
        std::string why;
        const std::optional<library::SongRecord> read = library::ReadMusicFile(file, readers, why);
        if (!read) {
            std::fprintf(stderr, "%s: %s, passed over\n", file.c_str(), why.c_str());
            continue;
        }
        const library::SongRecord& record = *read;
        std::string line;
        for (int field = 0; field < library::kSongFieldCount; ++field) {
            line += ProbeField(record[field]);
            line += field + 1 < library::kSongFieldCount ? '\t' : '\n';
        }
        std::fputs(line.c_str(), stdout);
    }
    return 0;
}

int Scan(const std::string& command, const std::vector<std::string>& arguments, bool quiet) {
    const std::string app_dir = fs::CurrentDirectory();
    std::optional<std::string> folder;
    if (command == "clear-add") {
        folder = Absolute(arguments[0]);
    }
    std::string passed_over;
    {  // the progress line ends before the summary
        tools::CommandLineServices services(folder);
        tools::StderrProgress progress(quiet);
        library::TagReaders readers;
        library::TegScan scanner(readers, progress, services);
        library::LibraryActions actions(scanner, services, app_dir, {});
        if (command == "clear-add") {
            actions.RunClearLibraryAndAddFiles();
        } else {
            std::vector<std::string> items;
            for (const auto& path : arguments) {
                items.push_back(Absolute(path));
            }
            actions.RunDropItems(items);
        }
        if (!scanner.report().skipped().empty()) {
            passed_over = scanner.report().Summary(scanner.report().skipped().size());
        }
    }
    if (!quiet && !passed_over.empty()) {
        std::fprintf(stderr, "%s\n", passed_over.c_str());
    }
    if (!quiet) {
        const library::LibraryStore store(app_dir);
        const size_t paths = fs::FileExists(store.FilePath(library::kPathListFile))
                                 ? store.ReadPathList().size()
                                 : 0;
        const size_t artists = store.ArtistIndexExists() ? store.ReadArtistNames().size() : 0;
        std::fprintf(stderr, "Library: %zu files, %zu artists\n", paths, artists);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    bool quiet = false;
    while (!args.empty() && args[0].rfind("--", 0) == 0) {
        if (args[0] == "--help") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (args[0] != "--quiet") {
            return Usage(("unknown option " + args[0]).c_str());
        }
        quiet = true;
        args.erase(args.begin());
    }
    if (args.empty()) {
        return Usage("no command given");
    }
    const std::string command = args[0];
    const std::vector<std::string> arguments(args.begin() + 1, args.end());
    if (command != "add" && command != "clear-add" && command != "probe") {
        return Usage(("unknown command " + command).c_str());
    }
    if (arguments.empty() || (command == "clear-add" && arguments.size() != 1)) {
        return Usage(command == "clear-add" ? "clear-add takes one folder"
                                            : (command + " needs at least one path").c_str());
    }
    try {
        return command == "probe" ? Probe(arguments) : Scan(command, arguments, quiet);
    } catch (const AppError& e) {
        std::fprintf(stderr, "tarvel-library: %s\n", e.what());
        return 1;
    }
}
