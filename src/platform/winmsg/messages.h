#pragma once

#include <cstdint>
#include <string>

// Window messages between programs: what travels and the message numbers the program uses.
namespace tarvel::winmsg {

constexpr uint32_t WM_CLOSE = 16;
constexpr uint32_t WM_COPYDATA = 74;
constexpr uint32_t WM_KEYDOWN = 0x100;
constexpr uint32_t WM_KEYUP = 0x101;
constexpr uint32_t WM_CHAR = 0x102;
constexpr uint32_t WM_SYSCOMMAND = 0x112;
constexpr uint32_t WM_USER = 1024;

// Show commands of ShowWindow.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;
constexpr int SW_MINIMIZE = 6;
constexpr int SW_RESTORE = 9;
constexpr int SW_SHOWDEFAULT = 10;

enum class Op : uint8_t {
    Send = 1,      // a message whose result the sender waits for
    Post = 2,      // a message the sender does not wait for
    CopyData = 3,  // WM_COPYDATA: a kind number and bytes; the sender waits for the result
    Show = 4,      // a show command (wparam) for the window
    Topmost = 5,   // keep the window above others (wparam 1) or not (0)
};

// One message as a window receives it.
struct Incoming {
    Op op = Op::Send;
    uint32_t msg = 0;
    int64_t wparam = 0;
    int64_t lparam = 0;
    int32_t kind = 0;  // copy-data kind
    std::string data;  // copy-data bytes
};

}  // namespace tarvel::winmsg
