#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <thread>

#include "library/scan_runner.h"

namespace tarvel::shell {

// Runs long work (a library scan, a copy to a folder) on a worker thread while the window goes
// on painting, playing and answering; `done` comes back on the user-interface thread. One work
// at a time: Busy() says whether one runs.
class BackgroundWork : public QObject, public library::ScanRunner {
  public:
    BackgroundWork() = default;
    // Waits for a running work; its owner asks it to stop first.
    ~BackgroundWork() override;

    bool Busy() const override { return busy_; }
    void Run(std::function<void()> work,
             std::function<void(const std::string& error)> done) override;
    // Waits until the running work (asked to stop by its owner) has ended. Its `done` is not
    // called.
    void Wait();

  private:
    void Finish();

    std::thread thread_;
    bool busy_ = false;
};

}  // namespace tarvel::shell
