// The shuffle options window as the program makes it, opened from the shuffle menu and driven by
// the mouse through its own window.
#include "windows/shuffle_options_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QTest>

#include "config/settings.h"
#include "controls/kvr_scroller_h.h"
#include "controls/mega_image.h"
#include "shell/main_menus.h"
#include "shell/main_window_rig.h"

namespace tarvel {
namespace {

class ShuffleOptionsWindow : public MainWindowRig {
  protected:
    TSFoptions& options() { return *shuffle_options; }
    controls::TKVRScrollerH& Bar(int k) {
        return options().HorizontalBar(controls::Numbered(controls::Shuffle::ScrollBar1, k));
    }
    // MenuItem14 "Options" of the shuffle menu.
    void Open() {
        auto* item = form->Menus().ShufflMenu->findChild<QAction*>("MenuItem14");
        ASSERT_NE(item, nullptr);
        item->trigger();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(shuffle_options));
    }
    void Click(controls::Shuffle button) {
        QTest::mouseClick(options().windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          options().Control(button).geometry().center());
    }
    // The caption a shuffle source shows when the menu pops up.
    std::string Caption(const char* item) {
        form->Menus().ShufflMenu->Mirror();
        return form->Menus().ShufflMenu->findChild<QAction*>(item)->text().toStdString();
    }
};

TEST_F(ShuffleOptionsWindow, OptionsShowsTheSharesOnTheBarsInPercent) {
    config::Settings& settings = run->Settings();
    settings.AllPs = 12.5;
    settings.RusPs = 100;
    settings.EngPs = 0.001;
    settings.ArtPs = 33.3334;  // a fourth decimal is rounded away
    settings.AlbPs = 0;
    Open();
    EXPECT_EQ(options().size(), QSize(364, 182));
    EXPECT_TRUE(options().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(options().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(options().mask().boundingRect(), QRect(0, 0, 364, 182));
    const int positions[] = {12500, 100000, 1, 33333, 0};
    const char* thumbs[] = {"12.5", "100", "0.001", "33.333", "0"};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(Bar(k).Max(), 100000) << k;
        EXPECT_EQ(Bar(k).Position(), positions[k - 1]) << k;
        EXPECT_EQ(Bar(k).ThumbText().toStdString(), thumbs[k - 1]) << k;
    }
    EXPECT_FALSE(options().Image(controls::Shuffle::imgfon).Shown().isNull())
        << "the skin is loaded";
}

TEST_F(ShuffleOptionsWindow, SaveStoresTheSharesAndRewritesTheCaptions) {
    Open();
    Bar(1).SetPosition(12500);
    Bar(2).SetPosition(100000);
    Bar(3).SetPosition(0);
    Bar(4).SetPosition(50000);
    Bar(5).SetPosition(1);
    Click(controls::Shuffle::ImgSave);
    EXPECT_FALSE(options().isVisible());
    const config::Settings& settings = run->Settings();
    EXPECT_EQ(settings.AllPs, 12.5);
    EXPECT_EQ(settings.RusPs, 100.0);
    EXPECT_EQ(settings.EngPs, 0.0);
    EXPECT_EQ(settings.ArtPs, 50.0);
    EXPECT_EQ(settings.AlbPs, 0.001);
    EXPECT_EQ(Caption("mShuffLib"), "From Library(12.5%)");
    EXPECT_EQ(Caption("mShuffRus"), "From Rus Artist(100%)");
    EXPECT_EQ(Caption("mShuffEng"), "From Engl Artist(0%)");
    EXPECT_EQ(Caption("mShuffActArt"), "From Active Artist(50%)");
    EXPECT_EQ(Caption("mShuffActAlb"), "From Active Album(0.001%)");
}

TEST_F(ShuffleOptionsWindow, CloseKeepsTheOldSharesAndTheBarsComeBackToThem) {
    run->Settings().AllPs = 40;
    const std::string caption = Caption("mShuffLib");
    Open();
    Bar(1).SetPosition(75000);
    Click(controls::Shuffle::ImgClose);
    EXPECT_FALSE(options().isVisible());
    EXPECT_EQ(run->Settings().AllPs, 40.0);
    EXPECT_EQ(Caption("mShuffLib"), caption);
    Open();
    EXPECT_EQ(Bar(1).Position(), 40000);
}

}  // namespace
}  // namespace tarvel
