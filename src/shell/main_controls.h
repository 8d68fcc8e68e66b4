#pragma once

#include <QLineEdit>
#include <QWidget>
#include <array>
#include <string_view>

#include "controls/skin_controls.h"
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
// named as its record (the skin loading finds the pictures by these names) and given the skin's
// looks. Controls are reached by their Main constants.
class MainControls : public controls::SkinControls<Main> {
  public:
    explicit MainControls(QWidget& window);

    // Moves every control to its rectangle in the layout.
    void Apply(const Layout& layout);
    // After the skin is loaded: the lists' play and pause marks and the bars' pictures.
    void AfterSkinLoaded();

    // The lists ListBox1..ListBox5 and their bars KVRScrollerVr1..5, by number.
    controls::TCListBox& List(int n) const { return SkinControls::List(kLists.at(Slot(n))); }
    controls::TKVRScrollerVr& ListBar(int n) const { return VerticalBar(kListBars.at(Slot(n))); }

    controls::TKVRScrollerH* TimeSKRL = nullptr;
    controls::TKVRScrollerH* VolumeSKRL = nullptr;
    controls::TGauge* Gauge1 = nullptr;
    QWidget* PaintFrame = nullptr;
    QLineEdit* CmdSearch = nullptr;
    TitleStripWidget* Label3 = nullptr;

  private:
    static constexpr std::array<Main, 5> kLists = {Main::ListBox1, Main::ListBox2, Main::ListBox3,
                                                   Main::ListBox4, Main::ListBox5};
    static constexpr std::array<Main, 5> kListBars = {Main::KVRScrollerVr1, Main::KVRScrollerVr2,
                                                      Main::KVRScrollerVr3, Main::KVRScrollerVr4,
                                                      Main::KVRScrollerVr5};
    static size_t Slot(int n) { return static_cast<size_t>(n - 1); }
};

}  // namespace tarvel::shell
