#include "support/winmsg_peer.h"

#include <gtest/gtest.h>
#include <signal.h>

#include "platform/text/hex.h"
#include "support/program_exit.h"

namespace tarvel::testing {

Peer::Peer(const std::string& class_name, const std::string& title) {
    process_.start(QStringLiteral(TARVEL_DIST_DIR "/tarvel-winmsg"),
                   {"serve", QString::fromStdString(class_name), QString::fromStdString(title)});
    const std::string ready = NextLine();
    EXPECT_EQ(ready.rfind("ready ", 0), 0u) << "the peer did not register: " << ready;
    endpoint_ = ready.size() > 6 ? ready.substr(6) : "";
}

Peer::~Peer() {
    if (process_.state() != QProcess::NotRunning) {
        ::kill(Pid(), SIGCONT);
        CloseAndExpectCleanExit(process_, winmsg::WindowHandle{endpoint_});
    }
}

std::string Peer::NextLine() {
    while (!process_.canReadLine()) {
        if (!process_.waitForReadyRead(10000)) {
            return "<nothing>";
        }
    }
    return process_.readLine().trimmed().toStdString();
}

std::string Hex(const std::string& bytes) {
    return text::HexBytes(bytes);
}

}  // namespace tarvel::testing
