#include "shell/time_size_labels.h"

#include <QMouseEvent>

#include "shell/main_controls.h"

namespace tarvel::shell {
namespace {

class TimeSizeLabels : public QObject {
  public:
    TimeSizeLabels(QObject& owner, MainControls& controls)
        : QObject(&owner),
          time_(controls.Widget(controls::Main::StaticText2)),
          size_(controls.Widget(controls::Main::StaticText3)) {
        time_.installEventFilter(this);
        size_.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &time_ && watched != &size_) {
            return QObject::eventFilter(watched, event);
        }
        if (event->type() != QEvent::MouseButtonPress &&
            event->type() != QEvent::MouseButtonRelease) {
            return false;
        }
        auto& mouse = static_cast<QMouseEvent&>(*event);
        if (mouse.button() != Qt::LeftButton) {
            return false;
        }
        auto& label = static_cast<QWidget&>(*watched);
        if (event->type() == QEvent::MouseButtonRelease &&
            label.rect().contains(mouse.position().toPoint())) {
            Swap(&label == &time_);
        }
        return true;
    }

  private:
    void Swap(bool show_size) {
        time_.setVisible(!show_size);
        size_.setVisible(show_size);
    }

    QWidget& time_;
    QWidget& size_;
};

}  // namespace

void ConnectTimeSizeLabels(QObject& owner, MainControls& controls) {
    new TimeSizeLabels(owner, controls);
}

}  // namespace tarvel::shell
