#pragma once

#include <stdexcept>
#include <string>

namespace tarvel {

// The one error type of the program. A failure of a file, a conversion or a platform call throws
// it; the event-handler boundary catches it and shows its text to the user in a message box
// ("the application's general error report"). The text is UTF-8, ready for display, and names
// what failed (a path, a line) and why.
class AppError : public std::runtime_error {
  public:
    explicit AppError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace tarvel
