#include "shell/command_box.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "controls/gauge.h"
#include "shell/main_controls.h"
#include "shell/main_window.h"
#include "shell/player_commands.h"

namespace tarvel::shell {
namespace {

class CommandBoxKeys : public QObject {
  public:
    explicit CommandBoxKeys(TForm1& form) : QObject(form.Controls().CmdSearch), form_(form) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return QObject::eventFilter(watched, event);
        }
        MainControls& c = form_.Controls();
        c.Gauge1->hide();
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) {
            return false;
        }
        form_.Commands().RunCommandLine(c.CmdSearch->text().toUtf8().toStdString());
        c.CmdSearch->clear();
        return true;
    }

  private:
    TForm1& form_;
};

}  // namespace

void ConnectCommandBox(TForm1& form) {
    form.Controls().CmdSearch->installEventFilter(new CommandBoxKeys(form));
}

}  // namespace tarvel::shell
