// The equalizer window and the shuffle options window wired to the main window.
#include "shell/audio_windows.h"

#include "config/settings.h"
#include "controls/mega_image.h"
#include "external/apollo_lifecycle.h"
#include "platform/system/system_services.h"
#include "shell/main_controls.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"
#include "windows/shuffle_options_window.h"
#include "windows/window_placement.h"

namespace tarvel::shell {
namespace {

// With Apollo chosen the picture opens Apollo's own equalizer; with BASS ours; FMOD has none.
void ImgEqualizerClick(TForm1& form, TEqualizer& equalizer, windows::SecondaryPlace& place) {
    if (form.Settings().Checked(config::Item::Apollo)) {
        external::OpenApolloEqualizer();
    }
    if (form.Settings().Checked(config::Item::mBass)) {
        place.BeforeShow(equalizer, form);
        equalizer.show();
        equalizer.raise();
    }
}

}  // namespace

windows::Report ErrorReportOf(TForm1& form) {
    return [&form](const std::string& text) { system::ReportError(form.Services(), text); };
}

EqualizerParts EqualizerPartsOf(TForm1& form) {
    return {form.EqGains(),
            form.Bass(),
            form.AppDir(),
            form.Controls().Image("ImgPalkaForSkroll").Picture(1),
            form.Controls().Image("ImgSkroll").Picture(1),
            ErrorReportOf(form)};
}

void ConnectEqualizer(TForm1& form, TEqualizer& equalizer) {
    // The preset may have been loaded before the window was made.
    config::ShowGains(form.EqGains(), equalizer);
    form.equalizer = &equalizer;
    QObject::connect(&form.Controls().Image("ImgEqualizer"), &controls::TMegaImage::OnClick,
                     &equalizer, [&form, &equalizer, place = windows::SecondaryPlace()]() mutable {
                         form.Commands().Run([&] { ImgEqualizerClick(form, equalizer, place); });
                     });
}

void ConnectShuffleOptions(TForm1& form, TSFoptions& options) {
    form.ShowShuffleOptions = [&form, &options, place = windows::SecondaryPlace()]() mutable {
        place.BeforeShow(options, form);
        options.Options2Click();
    };
}

}  // namespace tarvel::shell
