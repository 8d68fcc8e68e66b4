#include "command/shutdown.h"

#include "platform/system/system_services.h"

namespace tarvel::command {

void ShutdownComputer(system::SystemServices& services) {
    using system::ShutdownKind;
    if (services.Shutdown(ShutdownKind::PowerOff)) {
        return;
    }
    if (!services.Shutdown(ShutdownKind::PowerOff)) {
        services.Shutdown(ShutdownKind::LogOff);
    }
}

}  // namespace tarvel::command
