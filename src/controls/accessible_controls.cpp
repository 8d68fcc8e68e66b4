#include "controls/accessible_controls.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QMouseEvent>
#include <algorithm>

#include "controls/accessible_names.h"
#include "controls/gauge.h"
#include "controls/kvr_scroller_vr.h"
#include "controls/mega_image.h"
#include "controls/scroller_base.h"
#include "controls/title_strip.h"

namespace tarvel::controls {
namespace {

// A control that shows as one piece: its inner widgets (arrow buttons, thumb, band) are parts
// of its own look, not controls of their own.
class SingleControl : public QAccessibleWidget {
  public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return AccessibleNameOf(*widget());
            case QAccessible::Description:
                return widget()->accessibleDescription().isEmpty()
                           ? widget()->toolTip()
                           : widget()->accessibleDescription();
            default:
                return QAccessibleWidget::text(t);
        }
    }
};

// A skin button: a press is a click of the left mouse button in its middle, so the handlers
// that react to the press and those that react to the click both run as for the mouse.
class SkinButton : public SingleControl {
  public:
    explicit SkinButton(TMegaImage* image)
        : SingleControl(image,
                        image->ChangePictures() ? QAccessible::Button : QAccessible::Graphic) {}

    QStringList actionNames() const override {
        return QStringList{pressAction()} + SingleControl::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != pressAction()) {
            SingleControl::doAction(action);
            return;
        }
        // Posted, not sent: the caller (often a request over the accessibility bus) returns
        // before handlers that open menus or dialogs run.
        QWidget* image = widget();
        const QPointF middle = QRectF(image->rect()).center();
        const QPointF global = image->mapToGlobal(middle);
        for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons held =
                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton;
            QCoreApplication::postEvent(
                image, new QMouseEvent(type, middle, global, Qt::LeftButton, held, Qt::NoModifier));
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

// The skinned scroll bars: value, minimum and maximum; a value set from outside moves the bar
// as a user's drag does, so the same change handlers run (volume, position, list scrolling).
class SkinBar : public SingleControl, public QAccessibleValueInterface {
  public:
    SkinBar(TKVRScrollerBase* bar, QAccessible::Role role) : SingleControl(bar, role) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : SingleControl::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return QString::number(Bar().Position());
        }
        return SingleControl::text(t);
    }
    QVariant currentValue() const override { return Bar().Position(); }
    void setCurrentValue(const QVariant& value) override {
        bool ok = false;
        const int position = value.toInt(&ok);
        if (ok) {
            Bar().SetPositionByUser(position);
        }
    }
    // A list bar's maximum falls below its minimum while the list fits; no tool expects that.
    QVariant maximumValue() const override { return std::max(Bar().Max(), Bar().Min()); }
    QVariant minimumValue() const override { return Bar().Min(); }
    QVariant minimumStepSize() const override { return Bar().SmallChange(); }

  private:
    TKVRScrollerBase& Bar() const { return *static_cast<TKVRScrollerBase*>(widget()); }
};

// The gauge: a progress bar whose value text is its percentage.
class GaugeBar : public SingleControl, public QAccessibleValueInterface {
  public:
    explicit GaugeBar(TGauge* gauge) : SingleControl(gauge, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this)
                                                   : SingleControl::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) {
            return QStringLiteral("%1%").arg(Gauge().PercentDone());
        }
        return SingleControl::text(t);
    }
    QVariant currentValue() const override { return Gauge().PercentDone(); }
    // The gauge shows progress made elsewhere; it takes no value from outside.
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

  private:
    TGauge& Gauge() const { return *static_cast<TGauge*>(widget()); }
};

// The title strip: the title it scrolls is its name, so a screen reader reads the song.
class TitleText : public SingleControl {
  public:
    explicit TitleText(TitleStrip* strip) : SingleControl(strip, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        const QString title = static_cast<TitleStrip*>(widget())->Text().trimmed();
        if (t == QAccessible::Name && !title.isEmpty()) {
            return title;
        }
        if (t == QAccessible::Value) {
            return title;
        }
        return SingleControl::text(t);
    }
};

// The program's own windows are plain widgets, which Qt would present as a client area.
bool IsProgramWindow(const QWidget& widget) {
    if (!widget.isWindow()) {
        return false;
    }
    const QMetaObject* meta = widget.metaObject();
    while (meta != nullptr && meta->className()[0] != 'Q') {
        meta = meta->superClass();
    }
    return meta == &QWidget::staticMetaObject;
}

QAccessibleInterface* Factory(const QString& class_name, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    // Asked once per class of the object's class chain, most derived first: answer only then.
    if (widget == nullptr || class_name != QLatin1String(object->metaObject()->className())) {
        return nullptr;
    }
    if (IsProgramWindow(*widget)) {
        return new QAccessibleWidget(widget, QAccessible::Window);  // named by its caption
    }
    if (auto* image = qobject_cast<TMegaImage*>(widget)) {
        return new SkinButton(image);
    }
    if (auto* bar = qobject_cast<TKVRScrollerVr*>(widget)) {
        return new SkinBar(bar, QAccessible::ScrollBar);
    }
    if (auto* bar = qobject_cast<TKVRScrollerBase*>(widget)) {
        return new SkinBar(bar, QAccessible::Slider);
    }
    if (auto* gauge = qobject_cast<TGauge*>(widget)) {
        return new GaugeBar(gauge);
    }
    if (auto* strip = qobject_cast<TitleStrip*>(widget)) {
        return new TitleText(strip);
    }
    // Qt's own interfaces serve the other widgets (the lists with their rows, the edit box, the
    // labels, the windows with their captions); they speak the widget's accessibleName, so a
    // control the naming table knows gets its name here, before Qt's interface is made. Labels
    // the table does not know keep their own text as their name.
    if (widget->accessibleName().isEmpty()) {
        const QString name = TableNameOf(*widget);
        if (!name.isEmpty()) {
            widget->setAccessibleName(name);
        }
    }
    return nullptr;
}

}  // namespace

void InstallAccessibility() {
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(&Factory);
        installed = true;
    }
}

}  // namespace tarvel::controls
