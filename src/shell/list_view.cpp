#include "shell/list_view.h"

#include "controls/bgr_color.h"
#include "controls/c_list_box.h"
#include "controls/kvr_scroller_vr.h"
#include "platform/text/unicode.h"

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
    list_.addItem(text::ToQString(text));
}

void ListView::SetItem(int index, const std::string& text) {
    if (index >= 0 && index < list_.count()) {
        list_.SetItemText(index, text::ToQString(text));
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

void ListViewSlot::SetTarget(playlists::PlaylistView* target) {
    target_ = target;
    if (target_ == nullptr) {
        return;
    }
    target_->ClearItems();
    for (const std::string& item : items_) {
        target_->AppendItem(item);
    }
    if (mark_) {
        target_->SetItemFont(mark_->index, mark_->color, mark_->spare_color, mark_->mode);
    }
    target_->SetScrollerMax(playlists::ScrollerMaximum(*target_));
    target_->SetScrollerPosition(position_);
    items_.clear();
    mark_.reset();
    position_ = 0;
}

void ListViewSlot::ClearItems() {
    if (target_ != nullptr) {
        target_->ClearItems();
    } else {
        items_.clear();
    }
}

int ListViewSlot::ItemCount() const {
    return target_ != nullptr ? target_->ItemCount() : static_cast<int>(items_.size());
}

void ListViewSlot::AppendItem(const std::string& text) {
    if (target_ != nullptr) {
        target_->AppendItem(text);
    } else {
        items_.push_back(text);
    }
}

void ListViewSlot::SetItem(int index, const std::string& text) {
    if (target_ != nullptr) {
        target_->SetItem(index, text);
    } else if (index >= 0 && index < static_cast<int>(items_.size())) {
        items_[static_cast<size_t>(index)] = text;
    } else {
        items_.push_back(text);
    }
}

void ListViewSlot::RemoveItem(int index) {
    if (target_ != nullptr) {
        target_->RemoveItem(index);
    } else if (index >= 0 && index < static_cast<int>(items_.size())) {
        items_.erase(items_.begin() + index);
    }
}

void ListViewSlot::SetItemFont(int index, uint32_t color, uint32_t spare_color,
                               const std::string& mode) {
    if (target_ != nullptr) {
        target_->SetItemFont(index, color, spare_color, mode);
    } else {
        mark_ = Mark{index, color, spare_color, mode};
    }
}

int ListViewSlot::VisibleItems() const {
    return target_ != nullptr ? target_->VisibleItems() : 0;
}

void ListViewSlot::SetScrollerMax(int maximum) {
    // Without a list there is no height to scroll in; the target's maximum is set when it comes.
    if (target_ != nullptr) {
        target_->SetScrollerMax(maximum);
    }
}

void ListViewSlot::SetScrollerPosition(int position) {
    if (target_ != nullptr) {
        target_->SetScrollerPosition(position);
    } else {
        position_ = position;
    }
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
