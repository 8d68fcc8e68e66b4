// The artist panels filled from the artist index, in their two modes: Cyrillic and Latin artists
// in two panels, or every artist in one (the second panel's column leaves the window, which
// narrows by its width).
#include "controls/c_list_box.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "controls/skin_files.h"
#include "controls/skin_loader.h"
#include "library/browser.h"
#include "library/library_store.h"
#include "platform/error/app_error.h"
#include "platform/system/system_services.h"
#include "shell/library_panels.h"
#include "shell/main_controls.h"
#include "shell/main_window.h"
#include "shell/startup_prefetch.h"

namespace tarvel {

void TForm1::FillArtistPanels() {
    std::optional<shell::ArtistIndexAhead> ahead;
    if (prefetch_ != nullptr) {
        ahead = prefetch_->TakeArtistIndex();
    }
    artist_count_ = 0;
    if (ahead) {
        artist_index_ = std::move(ahead->index);
        artist_count_ = ahead->count;
        if (!ahead->error.empty()) {
            system::ReportError(services_, ahead->error);
        }
    } else {
        const library::LibraryStore store(app_dir_);
        Reported([&] { store.ReadArtistIndex(artist_index_, artist_count_); });
    }
    if (settings_.Checked(config::Item::mIncorporated1) && !controls_->List(2).isHidden()) {
        SetArtistPanelMode(true);  // fills the panels in the one-panel mode
        return;
    }
    if (ahead) {
        library::LibraryBrowser& browser = library_panels_->Browser();
        library::ArtistPanelItems items =
            browser.Options().separate_panels
                ? std::move(ahead->separate_items)
                : library::ArtistPanels(artist_index_, ahead->ordered_rows, false);
        browser.FillArtistPanels(artist_index_, artist_count_, std::move(items));
    } else {
        library_panels_->Browser().FillArtistPanels(artist_index_, artist_count_);
    }
}

void TForm1::SetArtistPanelMode(bool incorporated) {
    const bool now_incorporated = controls_->List(2).isHidden();
    if (incorporated == now_incorporated) {
        return;
    }
    try {
        controls_->Image(controls::Main::ImgRusArt)
            .SetPicture(
                1, controls::LoadSkinPicture(
                       app_dir_, incorporated ? controls::kArtHeading : controls::kRusArtHeading));
        controls_->Image(controls::Main::ImgRusArt).ShowPicture(1);
    } catch (const AppError& e) {
        system::ReportError(services_, e.what());
    }
    for (controls::Main name :
         {controls::Main::ListBox2, controls::Main::KVRScrollerVr2, controls::Main::ImgEng,
          controls::Main::ImgEngSortBy, controls::Main::ImgingCenter}) {
        controls_->Widget(name).setVisible(!incorporated);
    }
    const int row = shell::kListItemHeight;
    layout_.at("ListBox5").height += incorporated ? -row : row;
    const int column = layout_.at("ListBox2").width + layout_.at("KVRScrollerVr2").width;
    shell::ApplyDeltaWidthBars(layout_, incorporated ? -column : column);
    ApplyLayout();
    FitWindow();
    FillArtistPanels();
    if (ImgAnClick) {
        ImgAnClick();
        ImgAnClick();
    }
}

}  // namespace tarvel
