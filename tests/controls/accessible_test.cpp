#include <gtest/gtest.h>
#include <QAccessible>
#include <QApplication>
#include <QSignalSpy>
#include <memory>

#include "controls/accessible_controls.h"
#include "controls/accessible_names.h"
#include "controls/c_list_box.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "controls/mouse_upm.h"
#include "controls/title_strip.h"

namespace tarvel::controls {

// Stands in for the main window: the naming table knows controls by their window's class.
class TForm1 : public QWidget {
    Q_OBJECT
};

namespace {

class Accessible : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallAccessibility();
        window_ = std::make_unique<TForm1>();
        window_->resize(400, 300);
    }

    template <typename Control>
    Control& Add(const char* name, QRect rect, const QString& hint = {}) {
        auto* control = new Control(window_.get());
        control->setObjectName(name);
        control->setToolTip(hint);
        control->setGeometry(rect);
        return *control;
    }

    static QAccessibleInterface& Of(QWidget& widget) {
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&widget);
        EXPECT_NE(iface, nullptr);
        return *iface;
    }

    std::unique_ptr<TForm1> window_;
};

TEST(AccessibleNames, WindowTableThenHintWithoutShortcut) {
    struct Case {
        const char* window;
        const char* control;
        const char* name;
    };
    for (const Case& c :
         {Case{"TForm1", "ListBox5", "Playlist"}, Case{"TForm1", "ListBox1", "Artists (Cyrillic)"},
          Case{"TForm1", "VolumeSKRL", "Volume"}, Case{"TForm1", "ImgPlayPause", "Play/Pause"},
          Case{"TMinFrm", "ImgPrew", "Previous"}, Case{"TMinFrm", "Label3", "Title"},
          Case{"TTalik", "ListBox6", "Playlist"}, Case{"TEqualizer", "KVRScrollerVr3", "Band 3"},
          Case{"TEqualizer", "KVRScrollerVr18", ""},
          // The shuffle options' Label3 is a caption, not the title strip.
          Case{"TSFoptions", "Label3", ""}, Case{"TSFoptions", "ScrollBar1", "From all library"}}) {
        EXPECT_EQ(TableName(c.window, c.control), QString::fromUtf8(c.name))
            << c.window << " " << c.control;
    }
    EXPECT_EQ(NameFromHint("Play/Pause (Win + Space)"), "Play/Pause");
    EXPECT_EQ(NameFromHint("Volome (Win + Up/Down)"), "Volome");
    EXPECT_EQ(NameFromHint("Time/Size in MB"), "Time/Size in MB");
    EXPECT_EQ(NameFromHint("Shuffle\nsecond line (Win + S)"), "Shuffle");
    EXPECT_EQ(NameFromHint(""), "");
}

TEST_F(Accessible, ProgramWindowsAreWindowsNamedByTheirCaption) {
    window_->setWindowTitle("Tarvel");
    EXPECT_EQ(Of(*window_).role(), QAccessible::Window);
    EXPECT_EQ(Of(*window_).text(QAccessible::Name), "Tarvel");
}

TEST_F(Accessible, SkinButtonIsAButtonWhosePressClicksLikeTheMouse) {
    auto& button = Add<TMegaImage>("ImgPlayPause", {10, 10, 31, 31}, "Play/Pause (Win + Space)");
    button.SetChangePictures(true);
    auto& unnamed = Add<TMegaImage>("ImgSomething", {50, 10, 20, 20}, "Stop");
    unnamed.SetChangePictures(true);
    auto& picture = Add<TMegaImage>("ImgVerhLEvo", {80, 10, 20, 20});
    QSignalSpy clicks(&button, &TMegaImage::OnClick);
    int presses = 0;
    QObject::connect(&button, &TMegaImage::OnMouseDown, [&presses](QMouseEvent*) { ++presses; });

    QAccessibleInterface& iface = Of(button);
    EXPECT_EQ(iface.role(), QAccessible::Button);
    EXPECT_EQ(iface.text(QAccessible::Name), "Play/Pause");
    EXPECT_EQ(iface.text(QAccessible::Description), "Play/Pause (Win + Space)");
    EXPECT_EQ(iface.object()->objectName(), "ImgPlayPause");
    EXPECT_EQ(Of(unnamed).text(QAccessible::Name), "Stop");  // no table entry: the hint
    EXPECT_EQ(Of(picture).role(), QAccessible::Graphic);

    QAccessibleActionInterface* actions = iface.actionInterface();
    ASSERT_NE(actions, nullptr);
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 0);  // posted: the caller returns first
    QApplication::processEvents();
    EXPECT_EQ(presses, 1);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(Accessible, BarsExposeTheirRangeAndTakeAValueAsADrag) {
    auto& volume = Add<TKVRScrollerH>("VolumeSKRL", {10, 60, 211, 15}, "Volome (Win + Up/Down)");
    volume.SetMax(255);
    volume.SetPosition(100);
    auto& list_bar = Add<TKVRScrollerVr>("KVRScrollerVr5", {300, 10, 10, 200});
    list_bar.SetMax(40);
    QSignalSpy changes(&volume, &TKVRScrollerBase::OnChange);

    QAccessibleInterface& iface = Of(volume);
    EXPECT_EQ(iface.role(), QAccessible::Slider);
    EXPECT_EQ(iface.text(QAccessible::Name), "Volume");
    EXPECT_EQ(iface.childCount(), 0);  // arrows and thumb are parts of the one control
    QAccessibleValueInterface* value = iface.valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 255);
    EXPECT_EQ(value->currentValue().toInt(), 100);

    SetMouseUpm(true);  // as the transport leaves it after a seek
    value->setCurrentValue(180);
    EXPECT_FALSE(MouseUpm());                        // released at once: a position bar seeks
    value->setCurrentValue(999);                     // clamped as a drag to the end would be
    value->setCurrentValue(QStringLiteral("loud"));  // no number: nothing happens
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes.at(0).at(0).toInt(), 180);
    EXPECT_EQ(changes.at(1).at(0).toInt(), 255);
    EXPECT_EQ(volume.Position(), 255);
    EXPECT_EQ(iface.text(QAccessible::Value), "255");

    QAccessibleInterface& bar = Of(list_bar);
    EXPECT_EQ(bar.role(), QAccessible::ScrollBar);
    EXPECT_EQ(bar.text(QAccessible::Name), "Playlist scroll bar");
    EXPECT_EQ(bar.valueInterface()->maximumValue().toInt(), 40);
}

TEST_F(Accessible, GaugeShowsItsPercentageAndTitleStripItsTitle) {
    auto& gauge = Add<TGauge>("Gauge1", {10, 100, 288, 17});
    gauge.SetProgress(37);
    auto& strip = Add<TitleStrip>("Label3", {10, 130, 200, 15});

    QAccessibleInterface& g = Of(gauge);
    EXPECT_EQ(g.role(), QAccessible::ProgressBar);
    EXPECT_EQ(g.text(QAccessible::Name), "Progress");
    EXPECT_EQ(g.text(QAccessible::Value), "37%");
    EXPECT_EQ(g.valueInterface()->currentValue().toInt(), 37);
    g.valueInterface()->setCurrentValue(80);  // read only
    EXPECT_EQ(gauge.Progress(), 37);

    QAccessibleInterface& s = Of(strip);
    EXPECT_EQ(s.role(), QAccessible::StaticText);
    EXPECT_EQ(s.text(QAccessible::Name), "Title");  // nothing shown yet
    strip.Show("Artist - Song", 0, Qt::white, Qt::black);
    EXPECT_EQ(s.text(QAccessible::Name), "Artist - Song");
}

TEST_F(Accessible, ListNamesRowsFromItsSourceOnlyWhenAsked) {
    auto& list = Add<TCListBox>("ListBox5", {10, 10, 150, 200});
    int asked = 0;
    list.SetItemSource(100000, [&asked](int row) {
        ++asked;
        return QStringLiteral("Song %1").arg(row + 1);
    });
    window_->show();
    asked = 0;

    QAccessibleInterface& iface = Of(list);
    EXPECT_EQ(iface.role(), QAccessible::List);
    EXPECT_EQ(iface.text(QAccessible::Name), "Playlist");
    EXPECT_EQ(iface.object()->objectName(), "ListBox5");
    ASSERT_EQ(iface.childCount(), 100000);
    QAccessibleInterface* row = iface.child(41999);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->text(QAccessible::Name), "Song 42000");
    EXPECT_LT(asked, 100);
    // A new source: the rows read are the new ones.
    list.SetItemSource(2, [](int row) { return QStringLiteral("New %1").arg(row); });
    ASSERT_EQ(iface.childCount(), 2);
    EXPECT_EQ(iface.child(1)->text(QAccessible::Name), "New 1");
}

}  // namespace
}  // namespace tarvel::controls

#include "accessible_test.moc"
