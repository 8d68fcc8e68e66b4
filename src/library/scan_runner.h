#pragma once

#include <functional>
#include <string>

namespace tarvel::library {

// Said when long work (a library scan, a copy to a folder) is asked for while another runs.
inline constexpr const char* kBusyText =
    "A library scan or a copy to a folder is running. Try again when it has ended.";

// Where the work of a scan runs: at once on the calling thread (the command-line tool, tests),
// or on a worker thread while the window goes on (the player). `done` runs on the calling
// thread once the work ended, with the text of the error that ended it (empty when none); a
// work abandoned at a stop request (ScanAbandoned) has no `done`.
class ScanRunner {
  public:
    virtual ~ScanRunner() = default;
    // True while a work runs; `done` is called after it is false again.
    virtual bool Busy() const = 0;
    virtual void Run(std::function<void()> work,
                     std::function<void(const std::string& error)> done) = 0;
};

// Runs the work at once.
class InlineScanRunner : public ScanRunner {
  public:
    bool Busy() const override { return false; }
    void Run(std::function<void()> work,
             std::function<void(const std::string& error)> done) override;
};

// Runs a work, turning what it throws into the error text of `done` (nothing for an abandoned
// scan). Shared by the runners.
void RunScanWork(const std::function<void()>& work,
                 const std::function<void(const std::string& error)>& done);

}  // namespace tarvel::library
