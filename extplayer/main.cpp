// extplayer: the stand-in for the external "Apollo" player that Tarvel can remote-control by
// window messages. It plays files through Tarvel's sound core (output chosen by TARVEL_AUDIO).

#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "extplayer/apollo_player.h"
#include "extplayer/apollo_window.h"
#include "platform/error/app_error.h"
#include "platform/sound/engine.h"
#include "platform/sound/shared_engine.h"
#include "platform/system/quit_signals.h"
#include "platform/winmsg/messages.h"

namespace {

const char* kHelp =
    "Usage: extplayer\n"
    "The external player Tarvel drives by window messages (window class \"Apollo - Main "
    "Window\").\n"
    "Commands (message 1027, wParam = number, lParam = value): 1 play state, 9 and 11 stop,\n"
    "13 pause/resume, 18 seek to ms, 19 position in ms, 20 volume 0..65535; WM_COPYDATA of kind 2\n"
    "plays the file it names; WM_CLOSE quits; the \"e\" key message opens the Graphic Equalizer.\n"
    "Audio-CD tracks (TrackNN.cda) play only with Plug-ins/CDReader.dll beside the program.\n"
    "Environment: TARVEL_AUDIO (default, null, wav:PATH, or manual: time moves only by message\n"
    "32769 with wParam = milliseconds, for tests), TARVEL_EXTPLAYER_LOG (a file that gets one\n"
    "line per message received), TARVEL_SHOW_MODE (0 hidden, 6 minimised, else shown).\n";

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
    }
    // Made first, so it ends last: the player and its window (which hold the engine) are gone
    // before the engine stops, whichever way the event loop ended.
    tarvel::sound::SharedEngineOwner sound;
    QApplication app(argc, argv);
    QApplication::setApplicationName("Apollo");
    try {
        tarvel::extplayer::ApolloPlayer player(
            tarvel::sound::SharedEngine(),
            QCoreApplication::applicationDirPath().toLocal8Bit().toStdString());
        const char* log = std::getenv("TARVEL_EXTPLAYER_LOG");
        tarvel::extplayer::ApolloWindow window(player, log != nullptr ? log : "");
        tarvel::system::OnQuitSignal([] { QApplication::quit(); });
        const int show_mode = qEnvironmentVariableIntValue("TARVEL_SHOW_MODE");
        if (!qEnvironmentVariableIsSet("TARVEL_SHOW_MODE") ||
            show_mode != tarvel::winmsg::SW_HIDE) {
            show_mode == tarvel::winmsg::SW_MINIMIZE ? window.showMinimized() : window.show();
        }
        return app.exec();
    } catch (const tarvel::AppError& e) {
        std::fprintf(stderr, "extplayer: %s\n", e.what());
        return 1;
    }
}
