#include "shell/startup_prefetch.h"

#include <algorithm>

#include "library/artist_panels.h"
#include "library/library_store.h"
#include "platform/desktop/font_setup.h"
#include "shell/main_layout.h"

namespace tarvel::shell {
namespace {

// The main window's skin pictures: its picture controls are those of the layout table.
controls::WindowSkin ReadMainSkin(const std::string& app_dir) {
    return controls::ReadWindowSkin("TForm1", app_dir, [](std::string_view control) {
        const auto controls = MainWindowControls();
        return std::any_of(controls.begin(), controls.end(), [&](const ControlEntry& entry) {
            return entry.name == control &&
                   (entry.kind == ControlKind::Image || entry.kind == ControlKind::SkinButton);
        });
    });
}

ArtistIndexAhead ReadArtistIndex(const std::string& app_dir) {
    ArtistIndexAhead ahead;
    try {
        library::LibraryStore(app_dir).ReadArtistIndex(ahead.index, ahead.count);
    } catch (const std::exception& e) {
        ahead.error = e.what();
    }
    ahead.ordered_rows = library::AlphabeticalRows(ahead.index, ahead.count);
    ahead.separate_items = library::ArtistPanels(ahead.index, ahead.ordered_rows, true);
    return ahead;
}

template <class T>
std::optional<T> Take(std::future<T>& future) {
    if (!future.valid()) {
        return std::nullopt;
    }
    return future.get();
}

template <class T, class Read>
void Fulfil(std::promise<T>& promise, Read read) {
    try {
        promise.set_value(read());
    } catch (...) {
        promise.set_exception(std::current_exception());
    }
}

}  // namespace

StartupPrefetch::StartupPrefetch(const std::string& app_dir) {
    std::promise<controls::WindowSkin> skin;
    skin_ = skin.get_future();
    std::promise<ArtistIndexAhead> index;
    index_ = index.get_future();
    // One thread does it all in the order the window meets it: the skin right after the
    // application object, the fonts while the controls are made, the index when the panels fill.
    worker_ = std::thread([app_dir, skin = std::move(skin), index = std::move(index)]() mutable {
        Fulfil(skin, [&] { return ReadMainSkin(app_dir); });
        desktop::LoadFontConfiguration();
        Fulfil(index, [&] { return ReadArtistIndex(app_dir); });
    });
}

StartupPrefetch::~StartupPrefetch() {
    worker_.join();
}

std::optional<controls::WindowSkin> StartupPrefetch::TakeMainSkin() {
    return Take(skin_);
}

std::optional<ArtistIndexAhead> StartupPrefetch::TakeArtistIndex() {
    return Take(index_);
}

}  // namespace tarvel::shell
