// The equalizer window as the program makes it: over the main window's BASS engine and gains,
// driven by the mouse through its own window, measured in the sound the engine renders.
#include "windows/equalizer_window.h"

#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "audio/bass_engine.h"
#include "config/eq_preset.h"
#include "config/settings.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "shell/main_window_rig.h"

namespace tarvel {
namespace {

class EqualizerWindow : public MainWindowRig {
  protected:
    TEqualizer& eq() { return *equalizer; }

    void OpenWithTheButton() {
        QTest::mouseClick(handle(), Qt::LeftButton, Qt::NoModifier,
                          Centre(controls::Main::ImgEqualizer));
    }
    void ShowEqualizer() {
        OpenWithTheButton();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(equalizer));
    }
    void Click(controls::Eq picture) {
        const QWidget& control = eq().Control(picture);
        QTest::mouseClick(eq().windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          control.geometry().center());
    }
    // Drags slider n's thumb by dy pixels with the mouse, through the equalizer's window.
    void DragSlider(int n, int dy) {
        QWidget& thumb = eq().Slider(n).Scroller().Thumb();
        const QPoint from = thumb.mapTo(equalizer, thumb.rect().center());
        QWindow* window = eq().windowHandle();
        QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(window, from + QPoint(0, dy / 2));
        QTest::mouseMove(window, from + QPoint(0, dy));
        QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, from + QPoint(0, dy));
    }
    std::string Preset() const { return app + "/TvSysFile/UserEQ.teq"; }
};

// The header and the given lines, as the preset file holds them.
std::string PresetBytes(const std::vector<std::string>& values) {
    std::string bytes = std::string(config::kEqHeader) + "\r\n";
    for (const std::string& value : values) {
        bytes += value + "\r\n";
    }
    return bytes;
}

TEST_F(EqualizerWindow, TheEqualizerButtonOpensTheWindowOfTheChosenEngine) {
    struct Case {
        config::Item engine;
        bool shown;
    };
    // Apollo's own equalizer is asked for instead (no Apollo runs here); FMOD has none.
    for (const Case c : {Case{config::Item::mFmod, false}, Case{config::Item::Apollo, false},
                         Case{config::Item::mBass, true}}) {
        run->Settings().Check(c.engine);
        OpenWithTheButton();
        EXPECT_EQ(eq().isVisible(), c.shown) << config::ItemName(c.engine);
    }
    ASSERT_TRUE(QTest::qWaitForWindowExposed(equalizer));
    EXPECT_EQ(eq().size(), QSize(367, 187));
    EXPECT_TRUE(eq().windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(eq().mask().boundingRect(), QRect(8, 4, 351, 158));
    EXPECT_FALSE(eq().mask().contains(QPoint(8, 4))) << "the corner is rounded";
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(eq().Slider(n).geometry(), QRect(60 + 18 * (n - 1), 34, 10, 108)) << n;
        EXPECT_EQ(eq().Slider(n).Position(), 15) << n;
        EXPECT_EQ(eq().Slider(n).Max(), 30) << n;
        EXPECT_EQ(eq().Slider(n).ThumbSize(), 63) << n;
    }
    EXPECT_EQ(eq().Slider(17).geometry(), QRect(30, 34, 10, 108));
    EXPECT_EQ(eq().Slider(17).LargeChange(), 0);
    EXPECT_EQ(eq().Control(controls::Eq::ImgClose).toolTip(), "Close");
    EXPECT_FALSE(eq().Image(controls::Eq::ImgFonEq).Shown().isNull()) << "the skin is loaded";

    Click(controls::Eq::ImgClose);
    EXPECT_FALSE(eq().isVisible());
}

TEST_F(EqualizerWindow, SliderPositionsBecomeGainsOnTheEngine) {
    ShowEqualizer();
    struct Case {
        int band;
        int dy;  // the thumb travels 45 pixels for 30 positions
        int position;
        int gain;
    };
    for (const Case c :
         {Case{3, -60, 0, 15}, Case{3, 23, 15, 0}, Case{5, 60, 30, -15}, Case{16, -3, 13, 2}}) {
        DragSlider(c.band, c.dy);
        EXPECT_EQ(eq().Slider(c.band).Position(), c.position) << c.band;
        EXPECT_EQ(run->EqGains()[c.band], c.gain) << c.band;
        EXPECT_EQ(run->Bass().EqGain[static_cast<size_t>(c.band)], c.gain) << c.band;
    }
    // The slider left of the bands sets band 16; band 16's own slider stays.
    DragSlider(17, 60);
    EXPECT_EQ(run->EqGains()[16], -15);
    EXPECT_EQ(run->Bass().EqGain[16], -15);
    EXPECT_EQ(eq().Slider(16).Position(), 13);
}

TEST_F(EqualizerWindow, ResetFlattensAndSavingThenWritesTheHeaderAndEighteenZeros) {
    ShowEqualizer();
    DragSlider(1, -60);
    DragSlider(9, 60);
    ASSERT_EQ(run->EqGains()[1], 15);
    Click(controls::Eq::ImgPreset);
    for (int band = 1; band <= 16; ++band) {
        EXPECT_EQ(eq().Slider(band).Position(), 15) << band;
        EXPECT_EQ(run->Bass().EqGain[static_cast<size_t>(band)], 0) << band;
    }
    run->SaveOnExit();
    EXPECT_EQ(testing::ReadBytes(Preset()), PresetBytes(std::vector<std::string>(18, "0")));
}

TEST_F(EqualizerWindow, APresetOfSixteenGainsWithoutTheTrailingZerosMovesTheSliders) {
    std::vector<std::string> gains;
    for (int band = 1; band <= 16; ++band) {
        gains.push_back(std::to_string(band - 8));
    }
    testing::WriteBytes(Preset(), PresetBytes(gains));
    const size_t reports = services.Calls().size();
    run->LoadPresetAndPlaylists();
    for (int band = 1; band <= 16; ++band) {
        EXPECT_EQ(run->EqGains()[band], band - 8) << band;
        EXPECT_EQ(eq().Slider(band).Position(), 15 - (band - 8)) << band;
        EXPECT_EQ(run->Bass().EqGain[static_cast<size_t>(band)], band - 8) << band;
    }
    EXPECT_EQ(services.Calls().size(), reports) << "nothing was reported";

    // The program makes its equalizer window after the preset is loaded: the window shows the
    // loaded gains and the engine keeps them.
    TEqualizer later(shell::EqualizerPartsOf(*run));
    shell::ConnectEqualizer(*run, later);
    for (int band = 1; band <= 16; ++band) {
        EXPECT_EQ(later.Slider(band).Position(), 15 - (band - 8)) << band;
        EXPECT_EQ(run->Bass().EqGain[static_cast<size_t>(band)], band - 8) << band;
    }
    run->UseEqualizer(&eq());
}

// The same measurement on every kind of song: an MP3 and a FLAC.
class EqualizerOnFormat : public EqualizerWindow,
                          public ::testing::WithParamInterface<const char*> {};

TEST_P(EqualizerOnFormat, Band8AtTheTopRaisesA1200HzToneBy15DbAndOffFlattensIt) {
    // Band 8 is centred on 1 200 Hz.
    run->Bass().PlayFile(QuietTone(dir.path(), 1200, 4, GetParam()));
    out.Advance(300);
    const double flat = testing::NextLevel(out, 500);
    ASSERT_GT(flat, 0.01) << "the tone plays";
    const auto db = [&flat](double level) { return 20.0 * std::log10(level / flat); };
    // Each change is heard after 50 ms, when the filter has settled.
    const auto level_after_change = [this] {
        out.Advance(50);
        return testing::NextLevel(out, 500);
    };

    ShowEqualizer();
    DragSlider(8, -60);
    ASSERT_EQ(run->EqGains()[8], 15);
    EXPECT_NEAR(db(level_after_change()), 15.0, 1.0);

    Click(controls::Eq::ImgEnabled);
    EXPECT_FALSE(run->Bass().GetEQEnabled());
    EXPECT_EQ(eq().Image(controls::Eq::ImgEnabled).ShownSlot(), 2);
    EXPECT_NEAR(db(level_after_change()), 0.0, 0.2);

    // On again: the gains the sliders show come back.
    Click(controls::Eq::ImgEnabled);
    EXPECT_EQ(eq().Image(controls::Eq::ImgEnabled).ShownSlot(), 1);
    EXPECT_EQ(eq().Slider(8).Position(), 0);
    EXPECT_NEAR(db(level_after_change()), 15.0, 1.0);
}

INSTANTIATE_TEST_SUITE_P(Songs, EqualizerOnFormat, ::testing::Values("mp3", "flac"));

}  // namespace
}  // namespace tarvel
