#include "library/library_actions.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "library/file_finder.h"
#include "library/library_store.h"

namespace tarvel::library {
namespace {

// How many passed-over entries the message names; stderr names them all.
constexpr size_t kListedInMessage = 10;

}  // namespace

LibraryActions::LibraryActions(TegScan& scanner, system::SystemServices& services,
                               std::string app_dir, std::function<void()> refill_artist_panels,
                               ScanRunner* runner)
    : scanner_(scanner),
      services_(services),
      app_dir_(std::move(app_dir)),
      refill_artist_panels_(std::move(refill_artist_panels)),
      runner_(runner != nullptr ? runner : &inline_runner_) {}

bool LibraryActions::Scan(Kind kind, const std::string& folder,
                          const std::vector<std::string>& items) {
    std::vector<std::string> files =
        items.empty() ? scanner_.FindFiles(folder)
                      : CollectDroppedItems(items, scanner_.display(), scanner_.report());
    if (files.empty() && !items.empty()) {
        return false;
    }
    if (kind == Kind::Add && LibraryStore(app_dir_).ArtistIndexExists()) {
        scanner_.AddingScan(app_dir_, std::move(files));
    } else {
        scanner_.FullScan(app_dir_, std::move(files));
    }
    return true;
}

void LibraryActions::StartScan(Kind kind, const std::vector<std::string>& items) {
    if (runner_->Busy()) {
        system::ReportError(services_, kBusyText);
        return;
    }
    std::string folder;
    if (items.empty()) {
        folder = scanner_.ChooseFolder();
        if (folder.empty()) {
            Refill();
            return;
        }
    }
    scanner_.report().Reset();
    if (unmarked_choice) {
        scanner_.readers().SetUnmarked(unmarked_choice());
    }
    auto found_files = std::make_shared<bool>(true);
    runner_->Run(
        [this, kind, folder, items, found_files] { *found_files = Scan(kind, folder, items); },
        [this, kind, found_files](const std::string& error) {
            if (!error.empty()) {
                system::ReportError(services_, error);
            } else if (!*found_files) {
                StartScan(kind, {});  // dropped folders without music: ask for one
            } else {
                ShowSummary();
                Refill();
            }
        });
}

void LibraryActions::ShowSummary() {
    const ScanReport& report = scanner_.report();
    std::fprintf(stderr, "%s\n", report.Summary(report.skipped().size()).c_str());
    if (!report.skipped().empty()) {
        services_.MessageBox("Tarvel", report.Summary(kListedInMessage), system::Buttons::Ok,
                             system::Icon::Warning);
    }
}

void LibraryActions::Refill() {
    if (refill_artist_panels_) {
        refill_artist_panels_();
    }
}

void LibraryActions::RunClearLibraryAndAddFiles() {
    scanner_.report().Reset();
    const std::string folder = scanner_.ChooseFolder();
    if (!folder.empty()) {
        Scan(Kind::Replace, folder, {});
    }
    Refill();
}

void LibraryActions::RunDropItems(const std::vector<std::string>& items) {
    scanner_.report().Reset();
    if (!Scan(Kind::Add, {}, items)) {
        const std::string folder = scanner_.ChooseFolder();
        if (!folder.empty()) {
            Scan(Kind::Add, folder, {});
        }
    }
    Refill();
}

void LibraryActions::ClearLibraryAndAddFiles() {
    StartScan(Kind::Replace, {});
}

void LibraryActions::AddFiles() {
    StartScan(Kind::Add, {});
}

void LibraryActions::DropItems(const std::vector<std::string>& items) {
    if (items.empty()) {
        return;
    }
    StartScan(Kind::Add, items);
}

}  // namespace tarvel::library
