#include "library/library_actions.h"

#include <utility>

#include "library/file_finder.h"
#include "library/library_store.h"

namespace tarvel::library {

LibraryActions::LibraryActions(TegScan& scanner, system::SystemServices& services,
                               std::string app_dir, std::function<void()> refill_artist_panels)
    : scanner_(scanner),
      services_(services),
      app_dir_(std::move(app_dir)),
      refill_artist_panels_(std::move(refill_artist_panels)) {}

void LibraryActions::RunClearLibraryAndAddFiles() {
    scanner_.ClearLibrary(app_dir_);
    scanner_.FullScan(app_dir_, {});
    if (refill_artist_panels_) {
        refill_artist_panels_();
    }
}

void LibraryActions::RunAddFiles(std::vector<std::string> files) {
    if (LibraryStore(app_dir_).ArtistIndexExists()) {
        scanner_.AddingScan(app_dir_, std::move(files));
    } else {
        scanner_.FullScan(app_dir_, std::move(files));
    }
    if (refill_artist_panels_) {
        refill_artist_panels_();
    }
}

void LibraryActions::RunDropItems(const std::vector<std::string>& items) {
    RunAddFiles(CollectDroppedItems(items, scanner_.display()));
}

void LibraryActions::ClearLibraryAndAddFiles() {
    system::RunReported(services_, [this] { RunClearLibraryAndAddFiles(); });
}

void LibraryActions::AddFiles() {
    system::RunReported(services_, [this] { RunAddFiles({}); });
}

void LibraryActions::DropItems(const std::vector<std::string>& items) {
    system::RunReported(services_, [this, &items] { RunDropItems(items); });
}

}  // namespace tarvel::library
