#include "controls/accessible_names.h"

#include <QWidget>
#include <string_view>

#include "controls/window_tables.h"

namespace tarvel::controls {
namespace {

// The class name without its namespaces.
QString ShortClassName(const QWidget& widget) {
    const QString full = QString::fromLatin1(widget.metaObject()->className());
    return full.mid(full.lastIndexOf(QLatin1Char(':')) + 1);
}

}  // namespace

QString TableName(const QString& window_class, const QString& control) {
    const WindowTable* table = FindWindowTable(window_class.toStdString());
    if (table == nullptr) {
        return {};
    }
    for (const ControlRecord& record : table->controls) {
        if (control == QLatin1String(record.name.data(), record.name.size())) {
            return QString::fromUtf8(record.accessible.data(), record.accessible.size());
        }
    }
    return {};
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
