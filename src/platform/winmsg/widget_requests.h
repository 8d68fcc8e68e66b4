#pragma once

#include <cstdint>

#include "platform/winmsg/messages.h"

class QWidget;

namespace tarvel::winmsg {

// Carries out a show or topmost request on a window. Returns 1 when the request was one of
// those (and was carried out), 0 for any other message.
int32_t ApplyWindowRequest(QWidget* window, const Incoming& message);

}  // namespace tarvel::winmsg
