#include "shell/command_box.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "command/command_line.h"
#include "controls/gauge.h"
#include "playlists/playlist_model.h"
#include "shell/main_controls.h"
#include "shell/main_window.h"
#include "transport/transport.h"

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
        const QByteArray line = c.CmdSearch->text().toUtf8();
        system::RunReported(form_.Services(), [this, &line] {
            command::RunCommandLine(line.toStdString(), form_.Services(), Targets());
        });
        c.CmdSearch->clear();
        return true;
    }

  private:
    command::CommandTargets Targets() {
        command::CommandTargets targets;
        targets.PlayPause = [this] { form_.Transport().PlayPause(); };
        targets.PlayFromStart = [this] { form_.Transport().PlayFromStart(); };
        targets.ClearPlaylist = [this] { form_.Playlists().ClearPlaylist(); };
        targets.SaveOnExit = [this] { form_.SaveOnExit(); };
        targets.Close = [this] { form_.close(); };
        return targets;
    }

    TForm1& form_;
};

}  // namespace

void ConnectCommandBox(TForm1& form) {
    form.Controls().CmdSearch->installEventFilter(new CommandBoxKeys(form));
}

}  // namespace tarvel::shell
