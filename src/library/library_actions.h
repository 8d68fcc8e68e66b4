#pragma once

#include <functional>
#include <string>
#include <vector>

#include "library/scanner.h"
#include "platform/system/system_services.h"

namespace tarvel::library {

// The ways the user fills the library: the library menu's "Clear Library and Add Files" and
// "Add Files", and files or folders dropped on the main window. After each one that no error
// ended (a cancelled folder dialog included) the artist panels are filled again from the
// artist index, through the callback the main window gives.
class LibraryActions {
  public:
    LibraryActions(TegScan& scanner, system::SystemServices& services, std::string app_dir,
                   std::function<void()> refill_artist_panels);

    // Event handlers: an error ends the action and goes to the general error report.
    void ClearLibraryAndAddFiles();
    void AddFiles();
    void DropItems(const std::vector<std::string>& items);

    // The same actions, throwing AppError instead of reporting it.
    void RunClearLibraryAndAddFiles();
    // A full scan when the artist index is missing, else an adding scan, of the files given
    // (found through the folder dialog when there are none).
    void RunAddFiles(std::vector<std::string> files);
    void RunDropItems(const std::vector<std::string>& items);

  private:
    TegScan& scanner_;
    system::SystemServices& services_;
    std::string app_dir_;
    std::function<void()> refill_artist_panels_;
};

}  // namespace tarvel::library
