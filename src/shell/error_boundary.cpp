#include "shell/error_boundary.h"

#include <QTimer>
#include <cstdio>
#include <string>

#include "platform/error/app_error.h"
#include "platform/system/system_services.h"

namespace tarvel::shell {
namespace {

// Shows the report from the event loop, after whatever is being handled now has returned.
void ReportLater(system::SystemServices* services, const std::string& text) {
    QTimer::singleShot(0, qApp, [services, text] {
        if (services != nullptr) {
            system::ReportError(*services, text);
        } else {
            std::fprintf(stderr, "tarvel: %s\n", system::OneLine(text).c_str());
        }
    });
}

}  // namespace

void ErrorBoundary::Run(const std::function<void()>& operation) const {
    try {
        operation();
    } catch (const AppError& e) {
        Report(e.what());
    }
}

void ErrorBoundary::Report(const std::string& text) const {
    if (show_ == Show::AtOnce) {
        system::ReportError(services_, text);
    } else {
        ReportLater(&services_, text);
    }
}

bool ReportingApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const AppError& e) {
        ReportLater(services_, e.what());
        return false;
    }
}

}  // namespace tarvel::shell
