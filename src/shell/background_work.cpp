#include "shell/background_work.h"

#include <optional>
#include <utility>

namespace tarvel::shell {

BackgroundWork::~BackgroundWork() {
    Wait();
}

void BackgroundWork::Run(std::function<void()> work,
                         std::function<void(const std::string& error)> done) {
    Finish();  // a work that ended but whose outcome has not come back yet
    busy_ = true;
    thread_ = std::thread([this, work = std::move(work), done = std::move(done)] {
        std::optional<std::string> outcome;
        library::RunScanWork(work, [&outcome](const std::string& error) { outcome = error; });
        // Queued to this object: dropped if it is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, done, outcome] {
                Finish();
                if (outcome && done) {
                    done(*outcome);
                }
            },
            Qt::QueuedConnection);
    });
}

void BackgroundWork::Wait() {
    Finish();
}

void BackgroundWork::Finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
    busy_ = false;
}

}  // namespace tarvel::shell
