#pragma once

#include <QProcess>
#include <string>

namespace tarvel::testing {

// A second program that stands as a window (tarvel-winmsg serve) and prints every message it
// gets, one a line: "send MSG W L", "post MSG W L", "copydata KIND HEX", "show CMD",
// "topmost X". A sent message answers W + L, copy-data its length; WM_CLOSE ends it.
class Peer {
  public:
    Peer(const std::string& class_name, const std::string& title);
    ~Peer();
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    // The next line the peer printed (waits for it; "<nothing>" when none comes).
    std::string NextLine();
    pid_t Pid() { return static_cast<pid_t>(process_.processId()); }
    QProcess& Process() { return process_; }
    const std::string& Endpoint() const { return endpoint_; }

  private:
    QProcess process_;
    std::string endpoint_;
};

// The hex form the peer prints copy-data bytes in.
std::string Hex(const std::string& bytes);

}  // namespace tarvel::testing
