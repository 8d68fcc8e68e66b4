// The analyser strip of the real main window: switched by ImgAn and by typing, drawn by Timer2
// ticks from what the BASS engine plays (the ticks are called here, on the manual sound clock).
#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>

#include "audio/analyser.h"
#include "audio/bass_engine.h"
#include "audio/strip_pixels.h"
#include "controls/c_list_box.h"
#include "controls/mega_image.h"
#include "controls/title_strip.h"
#include "platform/text/unicode.h"
#include "shell/main_window_rig.h"
#include "transport/transport.h"

namespace tarvel {
namespace {

class SpectrumStrip : public MainWindowRig {
  protected:
    // The test calls the ticks itself: the window's own Timer2, started when the strip has
    // something to show, does nothing here.
    SpectrumStrip() { QObject::disconnect(&form->Timer2, &QTimer::timeout, nullptr, nullptr); }

    void ClickImgAn() {
        QTest::mouseClick(handle(), Qt::LeftButton, Qt::NoModifier, Centre(controls::Main::ImgAn));
    }
    const audio::TSpectrum* Spectrum() { return run->Bass().Spectrum(); }
    // ImgAn's state and picture, the command box and the engine's spectrum tell the same state.
    void ExpectAnalyser(bool on) {
        const controls::TMegaImage& an = controls().Image(controls::Main::ImgAn);
        EXPECT_EQ(form->SpectrumOn(), on);
        EXPECT_EQ(Spectrum() != nullptr, on);
        EXPECT_EQ(an.NomPicRealVid(), on ? 2 : 1);
        EXPECT_EQ(an.ShownSlot(), on ? 2 : 1);
        EXPECT_EQ(controls().CmdSearch->isVisible(), !on);
    }
    // One tick of Timer2 after 20 ms of sound.
    void Tick() {
        out.Advance(20);
        run->Transport().Timer2();
    }
    // Pixel column x of the strip as it shows (see StripColumn).
    std::string Column(int x) {
        return testing::StripColumn(controls().PaintFrame->grab().toImage(), x);
    }
    bool StripIsBlack() {
        const QImage strip = controls().PaintFrame->grab().toImage();
        for (int x = 0; x < strip.width(); ++x) {
            if (testing::StripColumn(strip, x) !=
                std::string(static_cast<size_t>(strip.height()), '.')) {
                return false;
            }
        }
        return true;
    }
};

// Bar i shows bin i + 5 and starts at x = 1 + 4 i.
constexpr int kToneBar = 28 - 5;
constexpr int kToneX = 1 + 4 * kToneBar + 1;

TEST_F(SpectrumStrip, ImgAnPutsTheStripInTheCommandBoxPlaceAndATypedKeyTakesItAway) {
    ClickImgAn();
    ExpectAnalyser(true);
    ASSERT_NE(Spectrum(), nullptr);
    EXPECT_EQ(Spectrum()->Frame.size(), QSize(288, 17));
    EXPECT_EQ(Spectrum()->MaxHeight, 15);
    EXPECT_EQ(Spectrum()->BarWidth, 3);
    EXPECT_EQ(Spectrum()->BarFall, 2);
    EXPECT_EQ(Spectrum()->PeakFall, 1);
    Tick();
    EXPECT_TRUE(StripIsBlack()) << "nothing plays: a quiet strip";

    ClickImgAn();
    ExpectAnalyser(false);

    ClickImgAn();
    controls().List(5).setFocus();
    QTest::keyClick(handle(), Qt::Key_A, Qt::NoModifier);
    ExpectAnalyser(false);
    EXPECT_EQ(controls().CmdSearch->text(), "a");
}

TEST_F(SpectrumStrip, TicksDrawThePlayingSongAndAStoppedSongFallsToAQuietStrip) {
    // 1 200 Hz at 0.05: FFT bins 27 and 28, far above the strip's cap of 0.03.
    run->Bass().PlayFile(QuietToneMp3(dir.path(), 1200, 2));
    out.Advance(200);
    ClickImgAn();
    Tick();
    ASSERT_NE(Spectrum(), nullptr);
    EXPECT_EQ(Spectrum()->Levels[kToneBar], 15);
    EXPECT_EQ(Spectrum()->Levels[100], 0) << "4.5 kHz is silent";
    EXPECT_EQ(Column(kToneX), "..." + std::string(14, 'W'));

    // Off and on again: every bar and peak starts from 0.
    ClickImgAn();
    ClickImgAn();
    for (int i = 0; i < 129; ++i) {
        ASSERT_EQ(Spectrum()->Levels[static_cast<size_t>(i)], 0) << i;
        ASSERT_EQ(Spectrum()->Peaks[static_cast<size_t>(i)], 0) << i;
    }
    Tick();
    EXPECT_EQ(Spectrum()->Levels[kToneBar], 15);

    // Stopped, the channel gives no more data: bars fall 2 and peaks 1 a tick, down to 0.
    run->Bass().Stop();
    Tick();
    EXPECT_EQ(Spectrum()->Levels[kToneBar], 13);
    EXPECT_EQ(Spectrum()->Peaks[kToneBar], 14);
    EXPECT_EQ(Column(kToneX), "....Y" + std::string(12, 'W'));
    for (int tick = 2; tick <= 8; ++tick) {
        Tick();
    }
    EXPECT_EQ(Spectrum()->Levels[kToneBar], 0);
    EXPECT_EQ(Spectrum()->Peaks[kToneBar], 7);
    for (int tick = 9; tick <= 15; ++tick) {
        Tick();
    }
    EXPECT_EQ(Spectrum()->Peaks[kToneBar], 0);
    EXPECT_TRUE(StripIsBlack());
    Tick();
    EXPECT_EQ(Spectrum()->Peaks[kToneBar], 0) << "never below 0";
}

TEST_F(SpectrumStrip, TheStripTakesTheNewSizeAfterAnEdgeDragAndAPanelSwitch) {
    ClickImgAn();
    const QPoint edge = Centre(controls::Main::imgRigthLine);
    QTest::mousePress(handle(), Qt::LeftButton, Qt::NoModifier, edge);
    QTest::mouseMove(handle(), edge + QPoint(1, 0));
    QTest::mouseMove(handle(), edge + QPoint(41, 0));
    QTest::mouseRelease(handle(), Qt::LeftButton, Qt::NoModifier, edge + QPoint(41, 0));
    ASSERT_EQ(controls().PaintFrame->width(), 288 + 40);
    ASSERT_NE(Spectrum(), nullptr);
    EXPECT_EQ(Spectrum()->Frame.size(), QSize(288 + 40, 17));
    EXPECT_FALSE(controls().CmdSearch->isVisible());

    form->SetArtistPanelMode(true);
    const int narrowed = controls().PaintFrame->width();
    ASSERT_LT(narrowed, 288 + 40);
    ASSERT_NE(Spectrum(), nullptr) << "the switch ran twice: still on";
    EXPECT_EQ(Spectrum()->Frame.width(), narrowed);
    EXPECT_FALSE(controls().CmdSearch->isVisible());
}

// The main window minimised: Timer2 stops, so neither the title strip nor the analyser strip is
// drawn, while Timer1 polls on; shown again, both show what plays now at once.
class OutOfSight : public MainWindowRig {
  protected:
    // Two songs of different tones; the first plays with the analyser on.
    void PlayWithTheAnalyserOn() {
        LoadRows(2);
        for (int i = 1; i <= 2; ++i) {
            run->Playlists().Work().Rows[static_cast<size_t>(i)][library::kPath] =
                QuietToneMp3(dir.path(), 1200 * i, 10);
            run->Playlists().Work().Rows[static_cast<size_t>(i)][library::kDuration] = "10000";
        }
        run->Transport().PlayFromStart();
        Poll();
        QTest::mouseClick(handle(), Qt::LeftButton, Qt::NoModifier, Centre(controls::Main::ImgAn));
    }
    // 200 ms of sound and a tick of Timer1, which reads the play state.
    void Poll() {
        out.Advance(200);
        run->Transport().Timer1();
    }
    const audio::TSpectrum& Spectrum() { return *run->Bass().Spectrum(); }
    // The highest bar among bars [from, to).
    int HighestBar(size_t from, size_t to) {
        const auto& levels = Spectrum().Levels;
        return *std::max_element(levels.begin() + static_cast<std::ptrdiff_t>(from),
                                 levels.begin() + static_cast<std::ptrdiff_t>(to));
    }
    const controls::TitleStrip& Title() { return *controls().Label3; }
    QString TitleNow() { return text::ToQString(run->Transport().Title().Text()); }
};

TEST_F(OutOfSight, MinimisedTheStripsStopAndShownAgainTheyShowWhatPlaysAtOnce) {
    PlayWithTheAnalyserOn();
    ASSERT_TRUE(WaitUntil([this] { return form->Timer2.isActive(); }));
    ASSERT_TRUE(WaitUntil([this] { return Title().Text() == TitleNow(); }));
    ASSERT_TRUE(WaitUntil([this] { return HighestBar(20, 26) == 15; })) << "1 200 Hz is shown";

    form->showMinimized();
    ASSERT_TRUE(WaitUntil([this] { return !form->Timer2.isActive(); }));
    EXPECT_TRUE(form->Timer1.isActive()) << "the engine is still polled";
    // The next song, 2 400 Hz, plays out of sight: nothing is drawn.
    const QString first = Title().Text();
    const int x = Title().X();
    run->Transport().PlayNext();
    for (int i = 0; i < 3; ++i) {
        Poll();
    }
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->Timer2.isActive());
    EXPECT_EQ(Title().Text(), first);
    EXPECT_EQ(Title().X(), x);
    EXPECT_EQ(HighestBar(46, 53), 0) << "no frame drawn";

    // Shown again: the moment Timer2 runs, the strips show the second song.
    form->showNormal();
    ASSERT_TRUE(WaitUntil([this] { return form->Timer2.isActive(); }));
    EXPECT_EQ(Title().Text(), TitleNow());
    EXPECT_NE(Title().Text(), first);
    EXPECT_EQ(HighestBar(46, 53), 15) << "2 400 Hz is shown";
}

}  // namespace
}  // namespace tarvel
