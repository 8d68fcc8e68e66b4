// tarvel-winmsg: talks to the windows of Tarvel and of the external player from a shell, for
// tests and debugging. It can also stand as a window itself ("serve") and print what it gets.

#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/error/app_error.h"
#include "platform/text/hex.h"
#include "platform/winmsg/client.h"
#include "platform/winmsg/endpoint_folder.h"
#include "platform/winmsg/window_endpoint.h"

using namespace tarvel::winmsg;

namespace {

const char* kUsage =
    "Usage: tarvel-winmsg COMMAND [--title TITLE | CLASS] ARGS...\n"
    "Sends window messages to a running program of this user.\n"
    "\n"
    "  find CLASS                      print 1 when a window of the class exists, else 0\n"
    "  send CLASS MSG WPARAM LPARAM    send a message, print the window's result (0 if none)\n"
    "  post CLASS MSG WPARAM LPARAM    post a message; exit 1 when there is no window\n"
    "  copydata CLASS KIND TEXT        send WM_COPYDATA with the bytes of TEXT, print the result\n"
    "  show CLASS COMMAND              ask the window to show itself (0 hides, 5 shows, ...)\n"
    "  serve CLASS [TITLE]             be a window: print each message received, one a line;\n"
    "                                  a sent message answers WPARAM + LPARAM, copy-data answers\n"
    "                                  its length; WM_CLOSE (16) ends the program\n"
    "\n"
    "--title TITLE in place of CLASS finds the window by its title.\n"
    "Windows are found in $TARVEL_WINDOWS_DIR, else $XDG_RUNTIME_DIR/tarvel-windows, else\n"
    "tarvel-windows-HOST in the user's cache folder.\n";

int Fail(const std::string& text) {
    std::fprintf(stderr, "tarvel-winmsg: %s\n", text.c_str());
    return 2;
}

long long Number(const std::string& text) {
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0') {
        throw tarvel::AppError("not a number: " + text);
    }
    return value;
}

int Serve(int argc, char** argv, const std::string& class_name, const std::string& title) {
    QCoreApplication app(argc, argv);
    std::signal(SIGTERM, [](int) { std::_Exit(0); });
    WindowEndpoint endpoint(class_name, title, [](const Incoming& m) -> int32_t {
        switch (m.op) {
            case Op::Send:
            case Op::Post:
                std::printf("%s %u %lld %lld\n", m.op == Op::Send ? "send" : "post", m.msg,
                            static_cast<long long>(m.wparam), static_cast<long long>(m.lparam));
                std::fflush(stdout);
                if (m.msg == WM_CLOSE) {
                    QCoreApplication::quit();
                }
                return static_cast<int32_t>(m.wparam + m.lparam);
            case Op::CopyData:
                std::printf("copydata %d %s\n", m.kind, tarvel::text::HexBytes(m.data).c_str());
                std::fflush(stdout);
                return static_cast<int32_t>(m.data.size());
            case Op::Show:
                std::printf("show %lld\n", static_cast<long long>(m.wparam));
                std::fflush(stdout);
                return 1;
            case Op::Topmost:
                std::printf("topmost %lld\n", static_cast<long long>(m.wparam));
                std::fflush(stdout);
                return 1;
        }
        return 0;
    });
    std::printf("ready %s\n", endpoint.Path().c_str());
    std::fflush(stdout);
    return app.exec();
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() || args[0] == "--help" || args[0] == "-h") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 2 : 0;
    }
    try {
        const std::string command = args[0];
        bool by_title = false;
        size_t next = 1;
        if (args.size() > 1 && args[1] == "--title") {
            by_title = true;
            ++next;
        }
        if (args.size() <= next) {
            return Fail("missing window name; see --help");
        }
        const std::string name = args[next++];
        const std::vector<std::string> rest(args.begin() + static_cast<long>(next), args.end());
        if (command == "serve") {
            return Serve(argc, argv, name, rest.empty() ? name : rest[0]);
        }
        CheckEndpointFolder(EndpointFolder());
        const auto window = by_title ? FindWindowByTitle(name) : FindWindowByClass(name);
        if (command == "find" && rest.empty()) {
            std::printf("%d\n", window ? 1 : 0);
            return 0;
        }
        const WindowHandle target = window.value_or(WindowHandle{});
        if ((command == "send" || command == "post") && rest.size() == 3) {
            const auto msg = static_cast<uint32_t>(Number(rest[0]));
            if (command == "post") {
                return window && PostMessage(target, msg, Number(rest[1]), Number(rest[2])) ? 0 : 1;
            }
            std::printf("%d\n",
                        window ? SendMessage(target, msg, Number(rest[1]), Number(rest[2])) : 0);
            return 0;
        }
        if (command == "copydata" && rest.size() == 2) {
            const auto kind = static_cast<int32_t>(Number(rest[0]));
            std::printf("%d\n", window ? SendCopyData(target, kind, rest[1]) : 0);
            return 0;
        }
        if (command == "show" && rest.size() == 1) {
            std::printf("%d\n", window ? ShowWindow(target, static_cast<int>(Number(rest[0]))) : 0);
            return 0;
        }
        return Fail("unknown command or wrong arguments; see --help");
    } catch (const tarvel::AppError& e) {
        return Fail(e.what());
    }
}
