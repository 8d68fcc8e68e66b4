// The artist panels' two modes: Cyrillic and Latin artists in two panels, or every artist in one
// (the second panel's column leaves the window, which narrows by its width).
#include "controls/c_list_box.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "controls/skin_files.h"
#include "controls/skin_loader.h"
#include "platform/error/app_error.h"
#include "shell/main_controls.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"

namespace tarvel {

bool TForm1::TwoArtistPanels() const {
    return !controls_->List(2).isHidden();
}

bool TForm1::SetArtistPanelMode(bool incorporated) {
    if (incorporated == !TwoArtistPanels()) {
        return false;
    }
    try {
        controls_->Image(controls::Main::ImgRusArt)
            .SetPicture(
                1, controls::LoadSkinPicture(
                       app_dir_, incorporated ? controls::kArtHeading : controls::kRusArtHeading));
        controls_->Image(controls::Main::ImgRusArt).ShowPicture(1);
    } catch (const AppError& e) {
        commands_.Report(e.what());
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
    // The spectrum, when on, is made again for the new width.
    ImgAnClick();
    ImgAnClick();
    return true;
}

}  // namespace tarvel
