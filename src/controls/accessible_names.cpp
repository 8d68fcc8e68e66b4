#include "controls/accessible_names.h"

#include <QWidget>
#include <array>
#include <string_view>

namespace tarvel::controls {
namespace {

struct NameEntry {
    std::string_view window;  // class name of the window, empty for every window
    std::string_view control;
    std::string_view name;
};

// Human names of the controls. The hints are written for sighted users and some carry
// misspellings or a shortcut; these names are what the controls do.
constexpr auto kNames = std::to_array<NameEntry>({
    // Shared by the main window and the mini player.
    {"", "ImgPlayPause", "Play/Pause"},
    {"", "ImgStop", "Stop"},
    {"", "ImgPrev", "Previous"},
    {"", "ImgPrew", "Previous"},
    {"", "ImgNext", "Next"},
    {"", "ImgClose", "Close"},
    {"", "ImgTray", "Tray"},
    {"TForm1", "Label3", "Title"},
    {"TMinFrm", "Label3", "Title"},
    // The main window.
    {"TForm1", "ImgAnStr", "Spectrum options"},
    {"TForm1", "ImgAn", "Spectrum on/off"},
    {"TForm1", "ImgVis", "Visualization"},
    {"TForm1", "ImgVisStr", "Visualization options"},
    {"TForm1", "ImgCmdPref", "Search options"},
    {"TForm1", "ImgRepStr", "Repeat options"},
    {"TForm1", "ImgRepeat", "Repeat on/off"},
    {"TForm1", "ImgPref", "Preferences"},
    {"TForm1", "ImgLibrary", "Library"},
    {"TForm1", "ImgEqualizer", "Equalizer"},
    {"TForm1", "ImgHelp", "Help"},
    {"TForm1", "ImgShuffStr", "Shuffle options"},
    {"TForm1", "ImgShuffle", "Shuffle on/off"},
    {"TForm1", "ImgUndo", "Undo"},
    {"TForm1", "ImgVniz", "Minimize"},
    {"TForm1", "ImgMini", "Mini panel"},
    {"TForm1", "ImgCDmp3Libr", "Playlist source"},
    {"TForm1", "ImgMark", "Mark"},
    {"TForm1", "ListBox1", "Artists (Cyrillic)"},
    {"TForm1", "ListBox2", "Artists (Latin)"},
    {"TForm1", "ListBox3", "Albums"},
    {"TForm1", "ListBox4", "Songs"},
    {"TForm1", "ListBox5", "Playlist"},
    {"TForm1", "KVRScrollerVr1", "Artists (Cyrillic) scroll bar"},
    {"TForm1", "KVRScrollerVr2", "Artists (Latin) scroll bar"},
    {"TForm1", "KVRScrollerVr3", "Albums scroll bar"},
    {"TForm1", "KVRScrollerVr4", "Songs scroll bar"},
    {"TForm1", "KVRScrollerVr5", "Playlist scroll bar"},
    {"TForm1", "TimeSKRL", "Position"},
    {"TForm1", "VolumeSKRL", "Volume"},
    {"TForm1", "Gauge1", "Progress"},
    {"TForm1", "PaintFrame", "Spectrum"},
    {"TForm1", "CmdSearch", "Search"},
    // The mini player.
    {"TMinFrm", "ImgPls", "Show playlist"},
    {"TMinFrm", "SCRLtimeMIN", "Position"},
    {"TMinFrm", "SCRLvolumeMIN", "Volume"},
    {"TMinFrm", "ImgNormal", "Normal panel"},
    {"TMinFrm", "ImgMinimize", "Minimize"},
    // The small playlist window.
    {"TTalik", "ListBox6", "Playlist"},
    {"TTalik", "KVRScrollerVr6", "Playlist scroll bar"},
    // The equalizer: sliders 1..16 are the bands, 17 the one left of them.
    {"TEqualizer", "ImgEnabled", "Equalizer on/off"},
    {"TEqualizer", "ImgPreset", "Presets"},
    {"TEqualizer", "KVRScrollerVr17", "Band 16 (left slider)"},
    // The shuffle options: the share of each source.
    {"TSFoptions", "ScrollBar1", "From all library"},
    {"TSFoptions", "ScrollBar2", "From Cyrillic artists"},
    {"TSFoptions", "ScrollBar3", "From Latin artists"},
    {"TSFoptions", "ScrollBar4", "From the active artist"},
    {"TSFoptions", "ScrollBar5", "From the active album"},
    {"TSFoptions", "ImgSave", "Save"},
});

// The class name without its namespaces.
QString ShortClassName(const QWidget& widget) {
    const QString full = QString::fromLatin1(widget.metaObject()->className());
    return full.mid(full.lastIndexOf(QLatin1Char(':')) + 1);
}

// "KVRScrollerVr7" of the equalizer is "Band 7"; the table would only repeat the number.
QString EqualizerBand(const QString& control) {
    static const QString prefix = QStringLiteral("KVRScrollerVr");
    if (!control.startsWith(prefix)) {
        return {};
    }
    bool ok = false;
    const int band = control.mid(prefix.size()).toInt(&ok);
    return ok && band >= 1 && band <= 16 ? QStringLiteral("Band %1").arg(band) : QString();
}

}  // namespace

QString TableName(const QString& window_class, const QString& control) {
    QString general;
    for (const NameEntry& entry : kNames) {
        if (control != QLatin1String(entry.control.data(), entry.control.size())) {
            continue;
        }
        const QString name = QString::fromUtf8(entry.name.data(), entry.name.size());
        if (entry.window.empty()) {
            general = name;
        } else if (window_class == QLatin1String(entry.window.data(), entry.window.size())) {
            return name;
        }
    }
    if (general.isEmpty() && window_class == QLatin1String("TEqualizer")) {
        return EqualizerBand(control);
    }
    return general;
}

QString NameFromHint(const QString& hint) {
    QString line = hint.section(QLatin1Char('\n'), 0, 0).trimmed();
    const qsizetype shortcut = line.lastIndexOf(QLatin1String(" (Win"));
    if (shortcut > 0 && line.endsWith(QLatin1Char(')'))) {
        line.truncate(shortcut);
    }
    return line;
}

QString TableNameOf(const QWidget& control) {
    if (control.objectName().isEmpty() || control.isWindow()) {
        return {};
    }
    return TableName(ShortClassName(*control.window()), control.objectName());
}

QString AccessibleNameOf(const QWidget& control) {
    if (!control.accessibleName().isEmpty()) {
        return control.accessibleName();
    }
    const QString name = TableNameOf(control);
    return name.isEmpty() ? NameFromHint(control.toolTip()) : name;
}

}  // namespace tarvel::controls
