// The equalizer window wired to the main window.
#include "shell/audio_windows.h"

#include "config/settings.h"
#include "controls/mega_image.h"
#include "external/apollo_lifecycle.h"
#include "platform/system/system_services.h"
#include "shell/main_controls.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"
#include "shell/player_run.h"
#include "windows/window_placement.h"

namespace tarvel::shell {
namespace {

// With Apollo chosen the picture opens Apollo's own equalizer; with BASS ours; FMOD has none.
void ImgEqualizerClick(PlayerRun& run, TEqualizer& equalizer, windows::SecondaryPlace& place) {
    if (run.Settings().Checked(config::Item::Apollo)) {
        external::OpenApolloEqualizer();
    }
    if (run.Settings().Checked(config::Item::mBass)) {
        place.BeforeShow(equalizer, run.Window());
        equalizer.show();
        equalizer.raise();
    }
}

}  // namespace

windows::Report ErrorReportOf(system::SystemServices& services) {
    return [&services](const std::string& text) { system::ReportError(services, text); };
}

EqualizerParts EqualizerPartsOf(PlayerRun& run) {
    MainControls& controls = run.Window().Controls();
    return {run.EqGains(),
            run.Bass(),
            run.AppDir(),
            controls.Image(controls::Main::ImgPalkaForSkroll).Picture(1),
            controls.Image(controls::Main::ImgSkroll).Picture(1),
            ErrorReportOf(run.Services())};
}

void ConnectEqualizer(PlayerRun& run, TEqualizer& equalizer) {
    // The preset may have been loaded before the window was made.
    config::ShowGains(run.EqGains(), equalizer);
    run.UseEqualizer(&equalizer);
    QObject::connect(&run.Window().Controls().Image(controls::Main::ImgEqualizer),
                     &controls::TMegaImage::OnClick, &equalizer,
                     [&run, &equalizer, place = windows::SecondaryPlace()]() mutable {
                         run.Commands().Run([&] { ImgEqualizerClick(run, equalizer, place); });
                     });
}

}  // namespace tarvel::shell
