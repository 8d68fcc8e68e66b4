#include "shell/list_view.h"

#include "controls/bgr_color.h"
#include "controls/c_list_box.h"
#include "controls/kvr_scroller_vr.h"
#include "platform/text/cp1251.h"

namespace tarvel::shell {

ListView::ListView(controls::TCListBox& list, controls::TKVRScrollerVr& bar)
    : list_(list), bar_(bar) {}

void ListView::ClearItems() {
    list_.clear();
}

int ListView::ItemCount() const {
    return list_.count();
}

void ListView::AppendItem(const std::string& text) {
    list_.addItem(text::Cp1251ToQString(text));
}

void ListView::SetItem(int index, const std::string& text) {
    if (index >= 0 && index < list_.count()) {
        list_.SetItemText(index, text::Cp1251ToQString(text));
    } else {
        AppendItem(text);
    }
}

void ListView::RemoveItem(int index) {
    list_.RemoveItem(index);
}

void ListView::SetItemFont(int index, uint32_t color, uint32_t spare_color,
                           const std::string& mode) {
    list_.SetItemFont(index, controls::ColorFromBgr(color), controls::ColorFromBgr(spare_color),
                      QString::fromStdString(mode));
    list_.viewport()->update();
}

int ListView::VisibleItems() const {
    return list_.VisibleRows();
}

void ListView::SetScrollerMax(int maximum) {
    bar_.SetMax(maximum);
}

void ListView::SetScrollerPosition(int position) {
    bar_.SetPosition(position);
}

void SyncListAndBar(controls::TCListBox& list, controls::TKVRScrollerVr& bar) {
    QObject::connect(&bar, &controls::TKVRScrollerVr::OnChange, &list,
                     [&list](int position) { list.SetTopIndex(position); });
    QObject::connect(&list, &controls::TCListBox::TopIndexChanged, &bar, [&bar](int index) {
        if (bar.Position() != index) {
            bar.SetPosition(index);
        }
    });
}

}  // namespace tarvel::shell
