#pragma once

#include <memory>
#include <string>

// The one running instance of a program for this user: an exclusive lock on a file in the
// window folder. Taking it is one atomic step, so of any number of starts at the same moment
// exactly one gets it; the system lets it go when the process ends in any way, a kill included.
namespace tarvel::winmsg {

class InstanceClaim {
  public:
    // Takes the claim named `name` in the folder (which must have passed CheckEndpointFolder).
    // Nothing when another process holds it. Throws AppError when the lock file cannot be opened.
    static std::unique_ptr<InstanceClaim> TryClaim(const std::string& folder,
                                                   const std::string& name);
    // Lets the claim go.
    ~InstanceClaim();
    InstanceClaim(const InstanceClaim&) = delete;
    InstanceClaim& operator=(const InstanceClaim&) = delete;

  private:
    explicit InstanceClaim(int fd) : fd_(fd) {}
    int fd_;
};

}  // namespace tarvel::winmsg
