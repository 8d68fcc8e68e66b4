#include "shell/command_box.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "controls/gauge.h"
#include "shell/main_controls.h"
#include "shell/player_commands.h"

namespace tarvel::shell {
namespace {

class CommandBoxKeys : public QObject {
  public:
    CommandBoxKeys(MainControls& controls, PlayerCommands& commands)
        : QObject(controls.CmdSearch), controls_(controls), commands_(commands) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return QObject::eventFilter(watched, event);
        }
        controls_.Gauge1->hide();
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) {
            return false;
        }
        commands_.RunCommandLine(controls_.CmdSearch->text().toUtf8().toStdString());
        controls_.CmdSearch->clear();
        return true;
    }

  private:
    MainControls& controls_;
    PlayerCommands& commands_;
};

}  // namespace

void ConnectCommandBox(MainControls& controls, PlayerCommands& commands) {
    controls.CmdSearch->installEventFilter(new CommandBoxKeys(controls, commands));
}

}  // namespace tarvel::shell
