// The real main window, offscreen, with the real engines on the manual sound output and the
// recording platform fakes; events go through the window as a user's would.
#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <portaudio.h>
#include <QAction>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <QWheelEvent>
#include <QWindow>
#include <filesystem>

#include "controls/bar_look.h"
#include "controls/bgr_color.h"
#include "controls/c_list_box.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_h.h"
#include "controls/kvr_scroller_vr.h"
#include "platform/bass/bass.h"
#include "platform/desktop/fake_desktop.h"
#include "platform/fmod/fmod.h"
#include "platform/fs/line_file.h"
#include "platform/sound/device_output.h"
#include "platform/sound/engine.h"
#include "platform/system/fake_system_services.h"
#include "playlists/playlist_model.h"
#include "shell/main_controls.h"
#include "shell/main_display.h"
#include "shell/main_layout.h"
#include "shell/main_menus.h"
#include "shell/main_window_rig.h"
#include "shell/player_commands.h"
#include "sound_support/shared_manual.h"
#include "support/temp_dir.h"
#include "transport/transport.h"
#include "windows/fmod_window.h"

namespace tarvel {
namespace {

TEST_F(MainWindowRig, EveryControlStandsAtItsDesignPlaceInsideTheRoundedOutline) {
    EXPECT_EQ(form->size(), QSize(692, 513));
    EXPECT_EQ(form->mask().boundingRect(), QRect(7, 7, 675, 496));
    EXPECT_FALSE(form->mask().contains(QPoint(7, 7))) << "the corner is rounded";
    // Applying the saved size (none here) centres the playlist tabs over the playlist and puts
    // the playlist time two pixels right of the song time; everything else is as designed.
    std::map<std::string_view, int> moved_left = {{"Img2Pl1", 375},
                                                  {"Img2CD", 375},
                                                  {"Img2PL2", 375},
                                                  {"StaticText2", 343},
                                                  {"StaticText3", 343}};
    for (const shell::ControlEntry& entry : shell::MainWindowControls()) {
        const QWidget& widget = controls().Widget(static_cast<controls::Main>(entry.id));
        const int left = moved_left.contains(entry.name) ? moved_left[entry.name] : entry.rect.left;
        EXPECT_EQ(widget.geometry(),
                  QRect(left, entry.rect.top, entry.rect.width, entry.rect.height))
            << entry.name;
        EXPECT_EQ(widget.isVisibleTo(form), entry.visible) << entry.name;
        EXPECT_EQ(widget.toolTip().toStdString(), std::string(entry.hint)) << entry.name;
    }
    // The skin is drawn: the frame is not the black of an empty window.
    const QImage shot = form->grab().toImage();
    EXPECT_NE(shot.pixelColor(Centre(controls::Main::ImgPlayPause)), QColor(Qt::black));
}

// The pixels of a window rectangle as the screen shows them.
QImage OnScreen(QWidget& window, const QRect& rect) {
    return window.screen()
        ->grabWindow(window.winId(), rect.x(), rect.y(), rect.width(), rect.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// The pixels of a part of a picture that stand out from the part's ground at 4.5 : 1 or more.
int ReadablePixels(const QImage& image, const QRect& part, const QColor& ground) {
    int readable = 0;
    for (int y = part.top(); y <= part.bottom(); ++y) {
        for (int x = part.left(); x <= part.right(); ++x) {
            readable += controls::ContrastRatio(image.pixelColor(x, y), ground) >= 4.5 ? 1 : 0;
        }
    }
    return readable;
}

// A long operation drives the gauge through the window's progress display, as a scan or a copy
// does, with the analyser on: the screen shows each new percentage as a near-white bar over
// the strip, and the percentage reads on the bar and on the black beside it.
TEST_F(MainWindowRig, GaugeShowsEachPercentageOverTheStripAndItsTextReadsOnBothParts) {
    EXPECT_FALSE(controls().Gauge1->isVisible()) << "no operation runs";
    form->ImgAnClick();
    ASSERT_TRUE(form->SpectrumOn());
    library::ProgressDisplay& display = form->Display();
    display.SetBoxVisible(false);
    display.SetGaugeVisible(true);
    display.SetGaugeMaximum(200);
    const QRect strip = controls().Gauge1->geometry();
    const QColor bar = controls::ColorFromBgr(15724536);
    const auto bar_width = [&] {
        const QImage shot = OnScreen(*form, strip);
        int width = 0;
        while (width + 1 < shot.width() && shot.pixelColor(1 + width, 2) == bar) {
            ++width;
        }
        return width;
    };
    for (const int percent : {25, 50}) {
        display.SetGaugeProgress(percent * 2);
        const int expected = (strip.width() - 2) * percent / 100;
        ASSERT_TRUE(QTest::qWaitFor([&] { return bar_width() == expected; }, 5000))
            << percent << "%: a bar of " << bar_width() << " pixels, not " << expected;
    }
    // At 50 % the text "50%" stands across the bar's end.
    const QImage shot = OnScreen(*form, strip);
    const int end = 1 + bar_width();
    EXPECT_GE(ReadablePixels(shot, QRect(end - 14, 1, 14, strip.height() - 2), bar), 10);
    EXPECT_GE(ReadablePixels(shot, QRect(end, 1, 14, strip.height() - 2), Qt::black), 10);
}

TEST_F(MainWindowRig, VolumeHotkeysStepByTenWithinTheBar) {
    struct Case {
        int from;
        int hotkey;
        int to;
    };
    for (const Case c : {Case{771, 1, 771}, Case{765, 1, 771}, Case{4, 2, 0}, Case{300, 2, 290}}) {
        run->Transport().ApplyVolume(c.from);
        desktop->FireHotkey(c.hotkey);
        EXPECT_EQ(run->Settings().Volume(), c.to) << c.from << " hotkey " << c.hotkey;
        EXPECT_EQ(controls().VolumeSKRL->Position(), c.to);
    }
}

TEST_F(MainWindowRig, TrayThenSuperPageUpBringsTheMiniPlayer) {
    desktop->FireHotkey(desktop::kHotkeyPageDown);
    EXPECT_TRUE(desktop->IconShown());
    EXPECT_FALSE(form->isVisible());
    desktop->FireHotkey(desktop::kHotkeyPageUp);
    EXPECT_TRUE(mini.isVisible());
    EXPECT_FALSE(form->isVisible());
    desktop->FireHotkey(desktop::kHotkeyHome);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(mini.isVisible());
    EXPECT_FALSE(desktop->IconShown());
}

TEST_F(MainWindowRig, TheTrayTipIsTheFirst63CharactersOfTheTitle) {
    LoadRows(1, std::string(80, 'x'));
    run->Playlists().Work().Rows[1][library::kPath] =
        TARVEL_TEST_DATA_DIR "/transport/song_440.mp3";
    run->Playlists().Work().Current = 1;
    run->Transport().PlayCurrent(playlists::PlayCommand::Play);
    out.Advance(200);
    run->Transport().Timer1();
    run->States().ToTray();
    ASSERT_TRUE(desktop->IconShown());
    EXPECT_EQ(QString::fromStdString(desktop->Tip()).size(), 63);
    EXPECT_TRUE(desktop->Tip().starts_with("Artist - xxx"));
}

TEST_F(MainWindowRig, ExitFromTheTrayMenuWritesTheSameFilesTwice) {
    LoadRows(3);
    QSignalSpy closed(form, &TForm1::Closed);
    QAction* exit = form->Menus().TrayMenu->findChild<QAction*>("FileExitItem1");
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->text(), QString::fromUtf8("Выход"));
    exit->trigger();
    EXPECT_EQ(closed.count(), 1);
    const std::string conf = testing::ReadBytes(app + "/TvSysFile/conf.tcf");
    const std::string pl1 = testing::ReadBytes(app + "/sort/PlayListMainPL1.tpl");
    EXPECT_NE(pl1.find("Song3"), std::string::npos);
    run->SaveOnExit();
    EXPECT_EQ(testing::ReadBytes(app + "/TvSysFile/conf.tcf"), conf);
    EXPECT_EQ(testing::ReadBytes(app + "/sort/PlayListMainPL1.tpl"), pl1);
}

TEST_F(MainWindowRig, AFailingSettingsWriteIsReportedAndThePlaylistsAreStillSaved) {
    LoadRows(2);
    std::filesystem::remove_all(app + "/TvSysFile");
    testing::WriteBytes(app + "/TvSysFile", "not a folder");
    run->SaveOnExit();
    bool reported = false;
    for (const std::string& call : services.Calls()) {
        reported = reported ||
                   (call.starts_with("MessageBox") && call.find("conf.tcf") != std::string::npos);
    }
    EXPECT_TRUE(reported);
    EXPECT_NE(testing::ReadBytes(app + "/sort/PlayListMainPL1.tpl").find("Song2"),
              std::string::npos);
}

TEST_F(MainWindowRig, ALetterTypedOverThePlaylistGoesToTheCommandBox) {
    LoadRows(3);
    controls().List(5).setFocus();
    QTest::keyClick(handle(), Qt::Key_A, Qt::NoModifier);
    QTest::keyClick(handle(), Qt::Key_B, Qt::NoModifier);
    QTest::keyClick(handle(), Qt::Key_Backspace, Qt::NoModifier);
    EXPECT_EQ(controls().CmdSearch->text(), "a");
    EXPECT_TRUE(controls().CmdSearch->hasFocus());
    controls().List(5).setFocus();
    QTest::keyClick(handle(), Qt::Key_Return, Qt::NoModifier);
    EXPECT_EQ(controls().CmdSearch->text(), "a") << "Enter typed outside the box is not added";
}

TEST_F(MainWindowRig, TheWheelScrollsTheListUnderItOrMovesTheVolume) {
    LoadRows(60);
    controls::TCListBox& list = controls().List(5);
    list.SetTopIndex(3);
    controls().ListBar(5).SetPosition(3);
    Wheel(Centre(controls::Main::ListBox5), false);
    EXPECT_EQ(list.TopIndex(), 0);
    EXPECT_EQ(controls().ListBar(5).Position(), 0);
    Wheel(Centre(controls::Main::ListBox5), true);
    EXPECT_EQ(list.TopIndex(), 7);
    EXPECT_EQ(controls().ListBar(5).Position(), 7);

    run->Transport().ApplyVolume(400);
    Wheel(QPoint(12, 300), true);  // the left frame: no list
    EXPECT_EQ(run->Settings().Volume(), 350);
    Wheel(QPoint(12, 300), false);
    EXPECT_EQ(run->Settings().Volume(), 400);
}

TEST_F(MainWindowRig, DraggingTheRightEdgeWidensTheWindowAndItsLists) {
    const int list5 = controls().List(5).width();
    const QPoint edge = Centre(controls::Main::imgRigthLine);
    QTest::mousePress(handle(), Qt::LeftButton, Qt::NoModifier, edge);
    QTest::mouseMove(handle(), edge + QPoint(1, 0));
    QTest::mouseMove(handle(), edge + QPoint(41, 0));
    QTest::mouseRelease(handle(), Qt::LeftButton, Qt::NoModifier, edge + QPoint(41, 0));
    EXPECT_EQ(form->width(), 692 + 40);
    EXPECT_EQ(controls().List(5).width(), list5 + 10);
    EXPECT_EQ(form->mask().boundingRect(), QRect(7, 7, 675 + 40, 496));
}

TEST_F(MainWindowRig, TheBottomRowButtonsDriveTheTransport) {
    LoadRows(3);
    run->Playlists().Work().Current = 2;
    QTest::mouseClick(handle(), Qt::LeftButton, Qt::NoModifier, Centre(controls::Main::ImgNext));
    EXPECT_EQ(run->Playlists().Work().Current, 3);
    QTest::mouseClick(handle(), Qt::LeftButton, Qt::NoModifier, Centre(controls::Main::ImgPrev));
    EXPECT_EQ(run->Playlists().Work().Current, 2);
    QTest::mouseClick(handle(), Qt::LeftButton, Qt::NoModifier, Centre(controls::Main::ImgRepeat));
    EXPECT_TRUE(run->Playlists().RepeatOn());
    // The PL2 third of the tab strip switches the playlist.
    const QRect tabs = controls().Widget(controls::Main::Img2Pl1).geometry();
    QTest::mouseClick(handle(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(tabs.right() - 5, tabs.center().y()));
    EXPECT_EQ(run->Settings().ShownPlaylist(), config::Playlist::PL2);
    EXPECT_TRUE(controls().Widget(controls::Main::Img2PL2).isVisible());
    EXPECT_EQ(run->Playlists().Work().Count, 0);
}

TEST_F(MainWindowRig, FoldersDroppedOnTheWindowGoIntoTheLibraryAndThePanels) {
    const std::string music = dir / "music";
    std::filesystem::create_directories(music);
    std::filesystem::copy_file(TARVEL_TEST_DATA_DIR "/transport/song_440.mp3", music + "/a.mp3");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(music))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(form, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(form, &drop);
    ASSERT_TRUE(WaitForBackgroundWork());
    EXPECT_TRUE(std::filesystem::exists(app + "/sort/ArtName.tan"));
    EXPECT_EQ(run->ArtistCount(), 1);
    EXPECT_EQ(controls().List(1).count() + controls().List(2).count(), 1);
}

// Preferences' "Tags without an encoding" is one choice of three, saved with the settings; the
// files opened after it and the next scan read a tag without a declared encoding as it says.
TEST_F(MainWindowRig, TagsWithoutAnEncodingAreReadAsPreferencesSay) {
    const auto field = [](std::string text) {
        text.resize(30, '\0');
        return text;
    };
    const std::string music = dir / "music";
    std::filesystem::create_directories(music);
    const std::string song = music + "/latin1.mp3";
    testing::WriteBytes(song, testing::ReadBytes(TARVEL_TEST_DATA_DIR "/transport/song_440.mp3") +
                                  "TAG" + field("Play Dead") + field("Bj\xF6rk") + field("Debut") +
                                  "1993" + field("") + "\xFF");
    const struct {
        const char* item;
        const char* artist;
        const char* conf_line;  // empty: the 24 lines only
    } cases[] = {{"TagsLatin1", "Björk", "TagsWithoutEncoding=Latin-1"},
                 {"TagsGuess", "Björk", "TagsWithoutEncoding=Guess"},
                 {"TagsWindows1251", "Bjцrk", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        QAction* item = form->Menus().OptionsMenu->findChild<QAction*>(c.item);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->parent()->objectName(), "TagsWithoutEncoding1");
        item->trigger();
        for (const char* other : {"TagsWindows1251", "TagsLatin1", "TagsGuess"}) {
            EXPECT_EQ(form->Menus().OptionsMenu->findChild<QAction*>(other)->isChecked(),
                      std::string_view(other) == c.item);
        }
        ASSERT_TRUE(run->Commands().OpenFiles({song}));
        const playlists::TPlist& work = run->Playlists().Work();
        EXPECT_EQ(work.Rows[static_cast<size_t>(work.Count)][library::kArtist], c.artist);
        run->SaveOnExit();
        const std::vector<std::string> conf = fs::ReadLines(app + "/TvSysFile/conf.tcf");
        ASSERT_GE(conf.size(), 24u);
        EXPECT_EQ(
            std::vector<std::string>(conf.begin() + 24, conf.end()),
            *c.conf_line ? std::vector<std::string>{c.conf_line} : std::vector<std::string>{});
    }

    // A scan after choosing Latin-1: the library holds the name as written.
    form->Menus().OptionsMenu->findChild<QAction*>("TagsLatin1")->trigger();
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(music))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(form, &enter);
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(form, &drop);
    ASSERT_TRUE(WaitForBackgroundWork());
    EXPECT_EQ(Items(2), std::vector<std::string>{"1. Björk"});
}

// What the player cannot play is named in one message: files dropped on the window (the folders
// and the songs beside them still go into the library) and files handed over by a later start.
// The recording writes the message's line breaks as "\n".
TEST_F(MainWindowRig, FilesThePlayerCannotPlayAreNamedInOneMessage) {
    const std::string music = dir / "music";
    std::filesystem::create_directories(music);
    std::filesystem::copy_file(TARVEL_TEST_DATA_DIR "/transport/song_440.mp3", music + "/a.mp3");
    testing::WriteBytes(dir / "notes.txt", "not a song\n");
    testing::WriteBytes(dir / "README", "no extension, no folder\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(music)),
                  QUrl::fromLocalFile(QString::fromStdString(dir / "notes.txt")),
                  QUrl::fromLocalFile(QString::fromStdString(dir / "README"))});
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(form, &enter);
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QGuiApplication::sendEvent(form, &drop);
    ASSERT_TRUE(WaitForBackgroundWork());
    ASSERT_EQ(services.Calls().size(), 1u);
    EXPECT_EQ(services.Calls()[0],
              "MessageBox\tTarvel\tTarvel cannot play these, so they were "
              "left out:\\n" +
                  dir / "notes.txt" + "\\n" + dir / "README" + "\tOk");
    EXPECT_EQ(run->ArtistCount(), 1);

    EXPECT_TRUE(run->Commands().OpenFiles({dir / "notes.txt", music + "/a.mp3", dir / "none.mp3"}));
    ASSERT_EQ(services.Calls().size(), 2u);
    EXPECT_EQ(services.Calls()[1],
              "MessageBox\tTarvel\tTarvel cannot play these, so they were "
              "left out:\\n" +
                  dir / "notes.txt" + "\\n" + dir / "none.mp3" + "\tOk");
    EXPECT_EQ(run->Playlists().Work().Count, 1);
}

// Songs of every format are handed over by what they hold: a FLAC, Ogg Vorbis and Opus, AAC and
// ALAC in MP4 are taken whatever they are called, a text under a song's name is not.
TEST_F(MainWindowRig, HandedOverSongsOfEveryFormatAreTakenByTheirContent) {
    std::vector<std::string> files;
    for (const char* song : {"tone_1k_3s.flac", "tone_1k_3s.ogg", "tone_1k_3s.opus",
                             "tone_1k_3s.m4a", "tone_1k_3s_alac.m4a"}) {
        files.push_back(dir / (std::string("renamed_") + song + ".mp3"));
        std::filesystem::copy_file(testing::SoundData(song), files.back());
    }
    testing::WriteBytes(dir / "text.flac", "not a song\n");
    files.push_back(dir / "text.flac");
    EXPECT_TRUE(run->Commands().OpenFiles(files));
    ASSERT_EQ(services.Calls().size(), 1u);
    EXPECT_EQ(services.Calls()[0],
              "MessageBox\tTarvel\tTarvel cannot play these, so they were left out:\\n" +
                  dir / "text.flac" + "\tOk");
    EXPECT_EQ(run->Playlists().Work().Count, 5);
}

// Help with no web browser to show it names the help file, which the user can open some other
// way.
TEST_F(MainWindowRig, HelpWithNoBrowserNamesTheHelpFile) {
    services.SetSucceeds(false);
    QTest::mouseClick(handle(), Qt::LeftButton, {}, Centre(controls::Main::ImgHelp));
    ASSERT_EQ(services.Calls().size(), 2u);
    EXPECT_EQ(services.Calls()[0], "OpenWithDesktop\t" + app + "/help/help.htm");
    EXPECT_EQ(services.Calls()[1],
              "MessageBox\tTarvel\tNo web browser could open the help. It "
              "is the file " +
                  app + "/help/help.htm\tOk");
}

// A sound device that fails is said once in a message box, however often the sound core meets
// the failure.
TEST_F(MainWindowRig, ASoundDeviceThatFailsIsSaidOnceInAMessage) {
    class DeadDevice final : public sound::DeviceStream {
      public:
        int Start() override { return paDeviceUnavailable; }
        int Write(const float*, unsigned long) override { return paDeviceUnavailable; }
        void Stop() override {}
    };
    for (int run = 0; run < 2; ++run) {
        sound::Engine engine(std::make_unique<sound::ManualOutput>());
        sound::DeviceOutput output(std::make_unique<DeadDevice>());
        output.Start(engine);
        output.Stop();
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !services.Calls().empty(); }, 5000));
    EXPECT_EQ(services.Calls()[0],
              "MessageBox\tTarvel\tThe sound device failed (Device "
              "unavailable); playing without sound\tOk");
    QCoreApplication::processEvents();
    EXPECT_EQ(services.Calls().size(), 1u);
}

}  // namespace
}  // namespace tarvel
