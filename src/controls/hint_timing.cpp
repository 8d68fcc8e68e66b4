#include "controls/hint_timing.h"

#include <QApplication>
#include <QHelpEvent>
#include <QListView>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolTip>

namespace tarvel::controls {
namespace {

// The application's style with the hint pause changed.
class HintStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ToolTip_WakeUpDelay) {
            return kHintPauseMs;
        }
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// Shows every control's own hint for kHintShowMs (left alone, a long hint would stay longer).
class HintDuration : public QObject {
  public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip || !watched->isWidgetType()) {
            return false;
        }
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->toolTip().isEmpty()) {
            return false;
        }
        const auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), widget->toolTip(), widget, QRect(), kHintShowMs);
        return true;
    }
};

// The label Qt shows a hint in, while one is shown.
QWidget* HintLabel() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("qtooltip_label") && widget->isVisible()) {
            return widget;
        }
    }
    return nullptr;
}

}  // namespace

void UseHintTiming() {
    if (qApp == nullptr || dynamic_cast<HintStyle*>(QApplication::style()) != nullptr) {
        return;
    }
    qApp->installEventFilter(new HintDuration(qApp));
    QApplication::setStyle(new HintStyle(QStyleFactory::create(QApplication::style()->name())));
}

QPoint ListHintPlace(const QListView& list, int row) {
    const QRect item = list.visualRect(list.model()->index(row, 0));
    const int x = list.mapToGlobal(QPoint(-1, 0)).x();
    const int y = list.viewport()->mapToGlobal(QPoint(0, item.top() + item.height() - 3)).y();
    return {x, y};
}

void ShowListHint(QListView& list, int row, const QString& text) {
    const QPoint place = ListHintPlace(list, row);
    QToolTip::showText(place, text, list.viewport(), QRect(), kHintShowMs);
    // Qt puts a hint below and right of the point it is given, clear of the mouse pointer; the
    // row's hint stands exactly at its place.
    if (QWidget* label = HintLabel()) {
        label->move(place);
    }
}

}  // namespace tarvel::controls
