#include "shell/program_entry.h"

#include <QApplication>
#include <QSessionManager>
#include <QTimer>
#include <cstdio>

#include "controls/accessible_controls.h"
#include "platform/desktop/desktop.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "platform/system/quit_signals.h"
#include "platform/system/system_services.h"
#include "shell/error_boundary.h"
#include "shell/first_paint_probe.h"
#include "shell/main_window.h"
#include "shell/open_files.h"
#include "shell/player_run.h"
#include "shell/single_instance.h"
#include "shell/startup_prefetch.h"

namespace tarvel {
namespace {

// When the main window has not been painted by then, the other windows are made anyway.
constexpr int kLaterWindowsFallbackMs = 500;

}  // namespace

int RunProgram(int argc, char** argv) {
    const std::string app_dir = fs::CurrentDirectory();
    const std::vector<std::string> files = shell::FileArguments(argc, argv, app_dir);
    // Before anything else starts: this start becomes the one player, or hands its files to it.
    shell::InstanceStart instance = shell::ClaimInstance(files);
    if (!instance.player) {
        return instance.exit_code;
    }
    // The skin, the fonts and the artist index are made ready on a second thread while Qt starts
    // and the main window is made. Without the thread, the window reads them itself.
    // A save that a kill or a crash ended left its temporary file behind.
    for (const char* folder : {"TvSysFile", "sort"}) {
        fs::RemoveStaleTemporaries(fs::JoinPath(app_dir, folder));
    }
    std::unique_ptr<shell::StartupPrefetch> prefetch;
    try {
        prefetch = std::make_unique<shell::StartupPrefetch>(app_dir);
    } catch (const std::system_error&) {
    }
    shell::ReportingApplication app(argc, argv);
    QApplication::setApplicationName("Tarvel");
    controls::InstallAccessibility();
    QApplication::setQuitOnLastWindowClosed(false);
    // Files handed over from now on are taken, and wait until the player is ready.
    shell::FileInbox inbox(std::move(instance.files_endpoint));
    const auto services = system::CreateSystemServices();
    app.SetServices(services.get());
    // SIGTERM and SIGINT close the main window like its close button. They are caught from here
    // on, and acted on in the event loop: one that comes while the windows are made closes the
    // window once it shows.
    TForm1* main_window = nullptr;
    bool quit_asked = false;
    system::OnQuitSignal([&main_window, &quit_asked] {
        if (main_window != nullptr) {
            main_window->close();
        } else {
            quit_asked = true;
        }
    });

    // Each window may rely on the ones created before it.
    std::unique_ptr<shell::PlayerRun> run = shell::StartRun(*services, app_dir, {}, prefetch.get());
    prefetch.reset();
    TForm1& form1 = run->Window();

    QObject::connect(&form1, &TForm1::Closed, &app, &QApplication::quit);
    // The desktop session ending closes the window like its close button.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form1,
                     [&form1](QSessionManager&) { form1.close(); });
    main_window = &form1;
    if (quit_asked) {
        QTimer::singleShot(0, &form1, [&form1] { form1.close(); });
    }

    // The windows the main window's first picture does not need are made right after it; then
    // this start's files and those handed over meanwhile are added.
    shell::AfterFirstPaint(
        form1, [&run, &inbox, &files] { run->MakeLaterWindows(inbox, files); },
        kLaterWindowsFallbackMs);
    shell::ReportFirstPaint(form1);
    form1.show();
    const int code = app.exec();
    if (!run->ExitSaveErrors().empty()) {
        for (const std::string& error : run->ExitSaveErrors()) {
            std::fprintf(stderr, "tarvel: not saved at exit: %s\n", error.c_str());
        }
        return code != 0 ? code : 1;
    }
    return code;
}

}  // namespace tarvel
