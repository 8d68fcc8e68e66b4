#include "shell/panel_view.h"

#include <memory>

#include "controls/c_list_box.h"
#include "controls/kvr_scroller_vr.h"
#include "library/artist_panels.h"
#include "platform/text/unicode.h"
#include "shell/layout_rules.h"
#include "shell/main_controls.h"

namespace tarvel::shell {

void PanelView::Fill(int panel, int count, std::function<QString(int)> text, bool reset_position) {
    controls::TCListBox& list = controls_.List(panel);
    controls::TKVRScrollerVr& bar = controls_.ListBar(panel);
    list.SetItemSource(count, std::move(text));
    bar.SetMax(ScrollerMaximum(count, list.height()));
    if (reset_position) {
        bar.SetPosition(0);
    }
    list.SetTopIndex(bar.Position());
}

void PanelView::ShowArtists(int panel, std::vector<std::string> items, bool reset_position) {
    auto shown = std::make_shared<const std::vector<std::string>>(std::move(items));
    Fill(
        panel, static_cast<int>(shown->size()),
        [shown](int i) { return text::ToQString((*shown)[static_cast<size_t>(i)]); },
        reset_position);
}

void PanelView::ShowAlbums(const std::vector<library::Album>& albums) {
    auto names = std::make_shared<std::vector<std::string>>();
    names->reserve(albums.size());
    for (const library::Album& album : albums) {
        names->push_back(album.name);
    }
    Fill(
        3, static_cast<int>(names->size()),
        [names](int i) {
            return text::ToQString(library::PrefixedItem(i + 1, (*names)[static_cast<size_t>(i)]));
        },
        true);
}

void PanelView::ShowSongs(const library::SongRows& songs) {
    auto shown = std::make_shared<const library::SongRows>(songs);
    Fill(
        4, shown->Count(),
        [shown](int i) {
            return text::ToQString(
                library::PrefixedItem(i + 1, shown->Cell(i + 1, library::kTitle)));
        },
        true);
}

std::string PanelView::ItemText(int panel, int index) const {
    return text::FromQString(controls_.List(panel).ItemText(index));
}

}  // namespace tarvel::shell
