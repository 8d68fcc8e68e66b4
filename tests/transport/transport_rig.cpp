#include "transport/transport_rig.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QThread>
#include <cstdlib>
#include <filesystem>

#include "external/apollo_command.h"
#include "platform/bass/bass.h"
#include "platform/fmod/fmod.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/winmsg/client.h"
#include "sound_support/shared_manual.h"
#include "sound_support/sound_fixtures.h"
#include "support/program_exit.h"

namespace tarvel::testing {

namespace {

// The external player's test clock message: wParam milliseconds of its manual output.
constexpr uint32_t kExternalClock = 0x8001;

}  // namespace

std::vector<std::string> SongRow(const std::string& artist, const std::string& title,
                                 const std::string& path, int duration_ms) {
    std::vector<std::string> row = Song(artist, title, duration_ms, 64);
    row[library::kPath] = path;
    return row;
}

std::string LongSine(const std::string& folder, double hz, int seconds) {
    const std::string path = folder + "/sine" + std::to_string(static_cast<int>(hz)) + "_" +
                             std::to_string(seconds) + "s.wav";
    if (!fs::FileExists(path)) {
        WriteWav(path, 8000, 1, 16, Sine(hz, 0.5, 8000, 1, static_cast<size_t>(8000) * seconds));
    }
    return path;
}

const char* EngineName(Engine engine) {
    switch (engine) {
        case Engine::Fmod:
            return "Fmod";
        case Engine::Bass:
            return "Bass";
        case Engine::External:
            return "External";
    }
    return "";
}

TransportRig::TransportRig(Engine engine) {
    EXPECT_TRUE(fmod_ready);
    settings.Check(engine == Engine::Fmod   ? config::Item::mFmod
                   : engine == Engine::Bass ? config::Item::mBass
                                            : config::Item::Apollo);
    settings.SetVolume(771);
}

sound::ManualOutput& TransportRig::SetUpSound() {
    ::setenv("TARVEL_WINDOWS_DIR", (dir / "windows").c_str(), 1);
    audio::BassPlayState = 0;
    return UseManualSharedEngine();
}

transport::Transport::Links TransportRig::TransportLinks() {
    transport::Transport::Links links;
    links.settings = &settings;
    links.config_files = &config_files;
    links.playlists = &model;  // made right after the transport, which keeps only its address
    links.bass = bass.get();
    links.fmod = &fmod;
    links.display = &display;
    links.timers = &timers;
    links.services = &services;
    links.app_dir = dir.path();
    links.wait = [this](int ms) { waits.push_back(ms); };
    links.apollo_starts = &apollo_starts;
    return links;
}

playlists::PlaylistModel::Links TransportRig::ModelLinks() {
    playlists::PlaylistModel::Links links;
    links.settings = &settings;
    links.transport = &transport;
    links.display = &playlist_display;
    links.list5 = &list5;
    links.list6 = &list6;
    links.services = &services;
    links.engines = this;
    links.app_dir = dir.path();
    links.after_end_shutdown = [this] { ++shutdowns; };
    return links;
}

TransportRig::~TransportRig() {
    // Closed as Tarvel's exit closes it, or by the test: either way it must end cleanly.
    if (player_.state() != QProcess::NotRunning) {
        CloseAndExpectCleanExit(player_, winmsg::FindWindowByClass(external::kApolloClass));
    } else {
        ExpectCleanExit(player_);
    }
    fmod::FSOUND_Close();
    bass.reset();
    bass::BASS_Free();
    sound::ResetSharedEngine();
    ::unsetenv("TARVEL_WINDOWS_DIR");
}

std::string TransportRig::InstallExternalPlayer() {
    const std::string program = dir / "Apollo/extplayer";
    if (!fs::FileExists(program)) {
        std::filesystem::create_directories(dir / "Apollo");
        std::filesystem::copy_file(TARVEL_DIST_DIR "/extplayer", program);
    }
    settings.PathToApollo = program;
    return program;
}

void TransportRig::StartExternalPlayer() {
    const std::string program = InstallExternalPlayer();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TARVEL_AUDIO", "manual");
    env.insert("TARVEL_EXTPLAYER_LOG", QString::fromStdString(dir / "received.log"));
    env.insert("TARVEL_SHOW_MODE", "0");
    player_.setProcessEnvironment(env);
    player_.setProcessChannelMode(QProcess::ForwardedChannels);
    player_.start(QString::fromStdString(program), {});
    ASSERT_TRUE(player_.waitForStarted());
    // The other process needs a moment to put up its window; nothing else here waits.
    QElapsedTimer clock;
    clock.start();
    while (!external::ApolloRunning() && clock.elapsed() < 10000) {
        QThread::msleep(20);
    }
    ASSERT_TRUE(external::ApolloRunning()) << "the external player did not come up";
}

std::vector<std::string> TransportRig::ExternalLog() const {
    const std::string log = dir / "received.log";
    return fs::FileExists(log) ? fs::ReadLines(log) : std::vector<std::string>{};
}

void TransportRig::Load(const std::vector<std::vector<std::string>>& rows) {
    model.InsertSongs(Table(rows), 1, static_cast<int>(rows.size()), 1);
    model.FillPlaylistView(0, 1, Work().Count);
}

void TransportRig::AdvanceSound(int ms) {
    out->Advance(ms);
    if (player_.state() == QProcess::Running) {
        if (const auto window = winmsg::FindWindowByClass(external::kApolloClass)) {
            winmsg::SendMessage(*window, kExternalClock, ms, 0);
        }
    }
}

void TransportRig::Run(int ms) {
    for (int step = 0; step < ms; step += 20) {
        AdvanceSound(20);
        clock_ms += 20;
        if (timers.timer2) {
            system::RunReported(services, [this] { transport.Timer2(); });
        }
        if (clock_ms % 200 == 0 && timers.timer1) {
            system::RunReported(services, [this] { transport.Timer1(); });
        }
    }
}

int TransportRig::FmodState() {
    int32_t state = -1;
    fmod.FmodGetState(Work().SongKind, state);
    return state;
}

void RigConfigLinks::ApolloCommand(int command, int value) {
    external::ApolloCommand(command, value);
}

int32_t TransportRig::ApolloCommand(int32_t number, int32_t value) {
    return external::ApolloCommand(number, value);
}

void TransportRig::FmodStop(const std::string& kind) {
    fmod.FmodStop(kind);
}

std::vector<int32_t> TransportRig::CdTrackLengths() {
    std::vector<int32_t> lengths;
    fmod.FmodGetCDTrackLengths(lengths);
    return lengths;
}

}  // namespace tarvel::testing
