#pragma once

#include <QLineEdit>
#include <QWidget>
#include <array>
#include <map>
#include <string>
#include <string_view>

#include "controls/title_strip.h"
#include "shell/main_layout.h"

namespace tarvel::controls {
class TCListBox;
class TGauge;
class TKVRScrollerH;
class TKVRScrollerVr;
class TMegaImage;
}  // namespace tarvel::controls

namespace tarvel::shell {

// The title strip Label3.
using TitleStripWidget = controls::TitleStrip;

// Every control of the main window, made from the layout table as children of the window, each
// named as its table entry (the skin loading finds the pictures by these names).
class MainControls {
  public:
    explicit MainControls(QWidget& window);

    QWidget& Widget(std::string_view name) const;
    controls::TMegaImage& Image(std::string_view name) const;

    // Moves every control to its rectangle in the layout.
    void Apply(const Layout& layout);
    // After the skin is loaded: the lists' play and pause marks and the bars' pictures.
    void AfterSkinLoaded();

    // The lists ListBox1..ListBox5 and their bars KVRScrollerVr1..5, by number.
    controls::TCListBox& List(int n) const { return *lists_.at(static_cast<size_t>(n - 1)); }
    controls::TKVRScrollerVr& ListBar(int n) const {
        return *list_bars_.at(static_cast<size_t>(n - 1));
    }

    controls::TKVRScrollerH* TimeSKRL = nullptr;
    controls::TKVRScrollerH* VolumeSKRL = nullptr;
    controls::TGauge* Gauge1 = nullptr;
    QWidget* PaintFrame = nullptr;
    QLineEdit* CmdSearch = nullptr;
    TitleStripWidget* Label3 = nullptr;

  private:
    QWidget* Make(const ControlEntry& entry, QWidget& window);

    std::map<std::string, QWidget*, std::less<>> by_name_;
    std::array<controls::TCListBox*, 5> lists_{};
    std::array<controls::TKVRScrollerVr*, 5> list_bars_{};
};

}  // namespace tarvel::shell
