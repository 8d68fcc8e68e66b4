#include "shell/startup_prefetch.h"

#include <algorithm>

#include "library/artist_panels.h"
#include "library/library_store.h"
#include "platform/desktop/font_setup.h"
#include "shell/main_layout.h"
#include "windows/mini_window.h"
#include "windows/talik_window.h"

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

// The windows made after the main window, in the order they are made.
struct LaterSkin {
    std::string_view window_class;
    controls::WindowSkin (*read)(const std::string& app_dir);
};
constexpr LaterSkin kLaterSkins[] = {
    {"TMinFrm", &TMinFrm::ReadSkin},
    {"TTalik", &TTalik::ReadSkin},
};

}  // namespace

StartupPrefetch::StartupPrefetch(const std::string& app_dir) {
    std::promise<controls::WindowSkin> main_skin;
    skins_.emplace_back("TForm1", main_skin.get_future());
    std::vector<std::promise<controls::WindowSkin>> later_skins(std::size(kLaterSkins));
    for (std::size_t i = 0; i < later_skins.size(); ++i) {
        skins_.emplace_back(kLaterSkins[i].window_class, later_skins[i].get_future());
    }
    std::promise<ArtistIndexAhead> index;
    index_ = index.get_future();
    // One thread does it all in the order the main thread meets it: the main window's skin
    // right after the application object, its first font while its controls are made, the index
    // when its panels fill, the other windows after it.
    worker_ =
        std::thread([app_dir, main_skin = std::move(main_skin),
                     later_skins = std::move(later_skins), index = std::move(index)]() mutable {
            Fulfil(main_skin, [&] { return ReadMainSkin(app_dir); });
            desktop::LoadFontConfiguration();
            Fulfil(index, [&] { return ReadArtistIndex(app_dir); });
            for (std::size_t i = 0; i < later_skins.size(); ++i) {
                Fulfil(later_skins[i], [&] { return kLaterSkins[i].read(app_dir); });
            }
        });
}

StartupPrefetch::~StartupPrefetch() {
    worker_.join();
}

std::optional<controls::WindowSkin> StartupPrefetch::TakeSkin(std::string_view window_class) {
    const auto found = std::find_if(skins_.begin(), skins_.end(), [window_class](const auto& skin) {
        return skin.first == window_class;
    });
    return found != skins_.end() ? Take(found->second) : std::nullopt;
}

std::optional<ArtistIndexAhead> StartupPrefetch::TakeArtistIndex() {
    return Take(index_);
}

}  // namespace tarvel::shell
