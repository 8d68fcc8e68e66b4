#include "library/scan_runner.h"

#include <exception>
#include <optional>

#include "library/scan_report.h"

namespace tarvel::library {

void RunScanWork(const std::function<void()>& work,
                 const std::function<void(const std::string& error)>& done) {
    std::optional<std::string> error;
    try {
        work();
        error.emplace();
    } catch (const ScanAbandoned&) {
        // The window is closing: nobody waits for the outcome.
    } catch (const std::exception& e) {
        error.emplace(e.what());  // AppError, or the memory running out
    }
    if (error && done) {
        done(*error);
    }
}

void InlineScanRunner::Run(std::function<void()> work,
                           std::function<void(const std::string& error)> done) {
    RunScanWork(work, done);
}

}  // namespace tarvel::library
