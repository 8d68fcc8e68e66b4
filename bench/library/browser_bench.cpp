// Times the library browser over a library folder: the first library-wide search (reading
// allsong.tft), one keystroke of the library-wide song search with "Consist of" from the text
// change to the song panel drawn again, and choosing the artist with the most songs. Prints
// medians in milliseconds and the resident memory with the library song table loaded.
//
// Usage: tarvel-bench-browser APP_DIR [RUNS]   (APP_DIR holds sort/ with a scanned library)
#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "controls/c_list_box.h"
#include "library/browser.h"
#include "library/library_search.h"
#include "library/library_store.h"
#include "shell/main_controls.h"
#include "shell/main_layout.h"
#include "shell/panel_view.h"

namespace {

using namespace tarvel;
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

long ResidentKb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.starts_with("VmRSS:")) {
            return std::stol(line.substr(6));
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvel-bench-browser APP_DIR [RUNS]\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string app_dir = argv[1];
    const int runs = argc > 2 ? std::stoi(argv[2]) : 9;

    QWidget window;
    window.resize(shell::kDesignClientWidth, shell::kDesignClientHeight);
    shell::MainControls controls(window);
    controls.Apply(shell::DesignLayout());
    window.show();
    shell::PanelView view(controls);
    library::BrowserOptions options;
    library::LibraryBrowser browser(app_dir, view, [&options] { return options; });
    library::masTag index;
    int count = 0;
    library::LibraryStore(app_dir).ReadArtistIndex(index, count);
    controls::TCListBox& songs = controls.List(4);
    const auto search = [&](const std::string& text) {
        library::SearchLibrary(browser, text, library::SearchScope::InAllLibrary2,
                               library::MatchKind::ConsistOf);
        songs.viewport()->repaint();
    };

    // The window has drawn its artist panels before the user types, fonts loaded.
    browser.FillArtistPanels(index, count);
    controls.List(2).viewport()->repaint();
    const long before_kb = ResidentKb();
    std::vector<double> first;
    for (int run = 0; run < runs; ++run) {
        browser.FillArtistPanels(index, count);  // the library song table is read again
        const auto start = Clock::now();
        search("s");
        first.push_back(Ms(start));
    }
    std::printf("artists %d, songs %d\n", count, browser.LibrarySongs().Count());
    std::printf(
        "first library-wide search (reads allsong.tft): %.1f ms in this process, "
        "median %.1f ms over %d reads\n",
        first.front(), Median(first), runs);
    std::printf("resident memory with the library song table loaded: %ld MB (%ld MB before)\n",
                ResidentKb() / 1024, before_kb / 1024);

    // Typing a title letter by letter, then deleting it again: every text change is one search.
    const std::string title = "song 4242 of artist 4242";
    std::vector<double> keys;
    std::vector<double> all_rows;
    for (int run = 0; run < runs; ++run) {
        for (size_t n = 1; n <= title.size(); ++n) {
            const auto start = Clock::now();
            search(title.substr(0, n));
            (n <= 4 ? all_rows : keys).push_back(Ms(start));
        }
    }
    std::printf("keystroke, library-wide songs, Consist of (%s): median %.2f ms\n", title.c_str(),
                Median(keys));
    std::printf("keystroke whose text every title holds (s, so, son, song): median %.2f ms\n",
                Median(all_rows));

    // The artist with the most songs.
    int most = 1;
    size_t most_songs = 0;
    for (int artist = 1; artist <= count; ++artist) {
        const std::string file = library::LibraryStore(app_dir).FilePath(index[artist][1]);
        std::ifstream in(file, std::ios::ate | std::ios::binary);
        if (static_cast<size_t>(in.tellg()) > most_songs) {
            most_songs = static_cast<size_t>(in.tellg());
            most = artist;
        }
    }
    std::vector<double> choose;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        browser.ChooseArtist("1. " + index[most][0]);
        songs.viewport()->repaint();
        controls.List(3).viewport()->repaint();
        choose.push_back(Ms(start));
    }
    std::printf("choosing the artist with %d songs: median %.2f ms\n",
                browser.Tables().artist_songs.Count(), Median(choose));
    return 0;
}
