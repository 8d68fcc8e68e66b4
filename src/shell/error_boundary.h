#pragma once

#include <QApplication>
#include <functional>
#include <string>

namespace tarvel::system {
class SystemServices;
}

// Where an operation's AppError is reported, whatever door the operation came through: the
// general error report of the platform's services (a message box, or one line on stderr where
// no window is shown).
namespace tarvel::shell {

// The one boundary of the user's operations: an AppError that an operation throws ends it and
// its text is shown as the general error report. Most doors show it at once; a door that must
// answer before anything is shown (a request of the desktop's media controls, whose caller waits
// for the reply, or a system-wide hotkey, handled while the desktop's events are read) shows it
// once the door has returned, not inside it.
class ErrorBoundary {
  public:
    enum class Show { AtOnce, AfterAnswer };

    ErrorBoundary(system::SystemServices& services, Show show) : services_(services), show_(show) {}

    void Run(const std::function<void()>& operation) const;
    // Shows the report of a failure caught elsewhere, in this boundary's way.
    void Report(const std::string& text) const;

  private:
    system::SystemServices& services_;
    Show show_;
};

// The application object. An AppError that an event handler lets out (a door that is not bound
// to the report) is reported like the others instead of ending the program.
class ReportingApplication : public QApplication {
  public:
    ReportingApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    // The services that report; until they are set, errors go to stderr.
    void SetServices(system::SystemServices* services) { services_ = services; }

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    system::SystemServices* services_ = nullptr;
};

}  // namespace tarvel::shell
