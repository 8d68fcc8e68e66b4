#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QWidget>
#include <cassert>
#include <cstddef>
#include <vector>

#include "controls/c_list_box.h"
#include "controls/control_table.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "controls/title_strip.h"
#include "controls/window_tables.h"

namespace tarvel::controls {

// Makes every control of a layout table as a child of the window, back to front: the widget of
// its kind named as its record, with its hint, label text, design rectangle and visibility. The
// widgets are in table order. A window gives its controls their looks afterwards.
std::vector<QWidget*> BuildControls(QWidget& window, std::span<const ControlRecord> table);

// The QRect of a table rectangle.
QRect ToQRect(const Rect& rect);

// A window's controls built from its table, reached by the constants of the window's enum. Each
// typed accessor asserts that the control is of that kind.
template <typename Id>
class SkinControls {
  public:
    explicit SkinControls(QWidget& window)
        : table_(TableFor(Id{}).controls), widgets_(BuildControls(window, table_)) {}

    QWidget& Widget(Id id) const { return *widgets_[Index(id)]; }
    TMegaImage& Image(Id id) const { return As<TMegaImage>(id); }
    TKVRScrollerVr& VerticalBar(Id id) const { return As<TKVRScrollerVr>(id); }
    TKVRScrollerH& HorizontalBar(Id id) const { return As<TKVRScrollerH>(id); }
    TitleStrip& Strip(Id id) const { return As<TitleStrip>(id); }
    TCListBox& List(Id id) const { return As<TCListBox>(id); }
    TGauge& Gauge(Id id) const { return As<TGauge>(id); }
    QLabel& Label(Id id) const { return As<QLabel>(id); }
    QLineEdit& Edit(Id id) const { return As<QLineEdit>(id); }

    std::span<const ControlRecord> Table() const { return table_; }
    // The widget of a record of the table, in table order.
    QWidget& At(std::size_t index) const { return *widgets_.at(index); }

  private:
    static std::size_t Index(Id id) { return static_cast<std::size_t>(id); }

    template <typename Control>
    Control& As(Id id) const {
        auto* control = qobject_cast<Control*>(widgets_[Index(id)]);
        assert(control != nullptr);
        return *control;
    }

    std::span<const ControlRecord> table_;
    std::vector<QWidget*> widgets_;
};

}  // namespace tarvel::controls
