#pragma once

#include <functional>
#include <string>
#include <vector>

#include "library/scan_runner.h"
#include "library/scanner.h"
#include "platform/system/system_services.h"

namespace tarvel::library {

// The ways the user fills the library: the library menu's "Clear Library and Add Files" and
// "Add Files", and files or folders dropped on the main window. The folder dialog comes first;
// the search, the reading and the writing then run through the runner (on a worker thread in
// the player), and a new library replaces the old one only when its scan ended, so a cancelled
// dialog, a folder without music or a failing scan leave the library as it was. After each scan
// that no error ended (a cancelled folder dialog included) the artist panels are filled again
// from the artist index, through the callback the main window gives.
class LibraryActions {
  public:
    LibraryActions(TegScan& scanner, system::SystemServices& services, std::string app_dir,
                   std::function<void()> refill_artist_panels, ScanRunner* runner = nullptr);

    // Event handlers: an error ends the action and goes to the general error report; a scan
    // asked for while the runner is busy is refused with kBusyText.
    void ClearLibraryAndAddFiles();
    void AddFiles();
    void DropItems(const std::vector<std::string>& items);
    bool Scanning() const { return runner_->Busy(); }

    // Asked as each scan starts: how it reads tag text without a declared encoding (the
    // readers keep theirs when it is not set).
    std::function<UnmarkedText()> unmarked_choice;

    // The same actions on the calling thread, throwing AppError instead of reporting it and
    // leaving the panels alone (the command-line tool).
    void RunClearLibraryAndAddFiles();
    void RunDropItems(const std::vector<std::string>& items);

  private:
    enum class Kind {
        Replace,  // a new library of the files found
        Add,      // a full scan when the artist index is missing, else an adding scan
    };
    void StartScan(Kind kind, const std::vector<std::string>& items);
    // The scan itself: the files of the folder, or the dropped items. False, with nothing
    // written, when dropped items held no file.
    bool Scan(Kind kind, const std::string& folder, const std::vector<std::string>& items);
    // Says what the scan passed over (stderr, and a message when there was any).
    void ShowSummary();
    void Refill();

    TegScan& scanner_;
    system::SystemServices& services_;
    std::string app_dir_;
    std::function<void()> refill_artist_panels_;
    InlineScanRunner inline_runner_;
    ScanRunner* runner_;
};

}  // namespace tarvel::library
