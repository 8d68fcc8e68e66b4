#pragma once

#include <atomic>
#include <cstddef>
#include <exception>
#include <string>
#include <vector>

namespace tarvel::library {

// Thrown inside a scan that was asked to stop (the window closing while it runs). The library
// build it was making is abandoned, so the library stays as it was.
class ScanAbandoned : public std::exception {
  public:
    const char* what() const noexcept override { return "The library scan was abandoned"; }
};

// What one scan met besides the music it added: the entries it passed over and why, and the
// request to stop it, which may come from another thread.
class ScanReport {
  public:
    struct Skipped {
        std::string path;
        std::string reason;
    };

    // Begins a new scan: no skips, no request to stop.
    void Reset();
    void Skip(std::string path, std::string reason);
    const std::vector<Skipped>& skipped() const { return skipped_; }
    size_t added = 0;

    // May be called from any thread; the scan stops at its next file.
    void RequestAbandon() { abandon_ = true; }
    // Throws ScanAbandoned when a stop was asked for.
    void CheckAbandon() const;

    // "Library scan: N files added." and, when entries were passed over, their count and each
    // one's path and reason, one a line (at most `listed` of them, then how many more).
    std::string Summary(size_t listed) const;

  private:
    std::vector<Skipped> skipped_;
    std::atomic<bool> abandon_{false};
};

}  // namespace tarvel::library
