#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/winmsg/messages.h"

// The sending side of window messages: find another program's window by its class name or its
// title and talk to it. Nothing here hangs: a window that does not answer within the timeout
// counts as no window, and every call on no window returns 0 (false) at once.
namespace tarvel::winmsg {

// A found window: the endpoint it listens on. It may go away at any moment after it was found;
// calls on a window that went away return 0.
struct WindowHandle {
    std::string endpoint;
};

std::optional<WindowHandle> FindWindowByClass(const std::string& class_name);
std::optional<WindowHandle> FindWindowByTitle(const std::string& title);

// Synchronous: returns the window's int32 result, or 0 when there is no such window or it did
// not answer within the timeout.
int32_t SendMessage(const WindowHandle& window, uint32_t msg, int64_t wparam, int64_t lparam);
// Asynchronous: true when the message was handed to the window.
bool PostMessage(const WindowHandle& window, uint32_t msg, int64_t wparam, int64_t lparam);
// WM_COPYDATA: a kind number and bytes; returns the window's result (0 as for SendMessage).
int32_t SendCopyData(const WindowHandle& window, int32_t kind, const std::string& bytes);
// Asks the window to show or hide itself (SW_... commands); returns its result.
int32_t ShowWindow(const WindowHandle& window, int show_command);
// Asks the window to stay above other windows, or not.
int32_t SetTopmost(const WindowHandle& window, bool topmost);

// How long a synchronous call waits for an answer. Default 3000 ms.
void SetAnswerTimeoutMs(int ms);
int AnswerTimeoutMs();

// True when a window of this process or a program of this user listens on the endpoint.
bool IsListening(const std::string& endpoint);

// Sends one whole request and, unless it is a post, waits for the result: AnswerTimeoutMs(), or
// timeout_ms when that is above 0. Used by the calls above and by a window's own endpoint for
// messages to itself. *delivered tells a result of 0 from no answer.
int32_t Deliver(const std::string& endpoint, const Incoming& message, bool* delivered = nullptr,
                int timeout_ms = 0);

}  // namespace tarvel::winmsg
