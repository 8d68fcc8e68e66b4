#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "controls/gauge.h"
#include "library/library_store.h"
#include "library/path_list.h"
#include "library/scanner.h"
#include "platform/system/fake_system_services.h"
#include "support/temp_dir.h"

namespace tarvel::controls {
namespace {

// The gauge part of a scan's progress display, forwarded to a gauge the way the main window
// forwards it to Gauge1.
class GaugeDisplay : public library::NoProgressDisplay {
  public:
    void SetGaugeMaximum(int64_t maximum) override {
        gauge.SetLongMaxValue(maximum);
        maxima.push_back(maximum);
    }
    void SetGaugeProgress(int64_t progress) override {
        gauge.SetLongProgress(progress);
        percents.push_back(gauge.PercentDone());
    }
    TGauge gauge;
    std::vector<int64_t> maxima;
    std::vector<int> percents;
};

// An adding scan that brings the library to 65 536 paths sorts them under a gauge maximum of
// 2^31, one past the 32-bit range: the scan still runs to its end and rewrites path.tan.
TEST(GaugeScan, AddingScanPastTwoToTheThirtyFirstRewritesThePathList) {
    testing::TempDir temp;
    const std::string app_dir = temp / "app";
    const std::string music = temp / "music";
    testing::WriteBytes(music + "/first.mp3", std::string(600, '\0'));
    testing::WriteBytes(music + "/last.mp3", std::string(600, '\0'));
    library::TagReaders readers;
    system::FakeSystemServices services;
    GaugeDisplay display;
    library::TegScan scan(readers, display, services);
    scan.FullScan(app_dir, {music + "/first.mp3"});

    // The library's path list grows to 65 535 paths, sorted by bytes.
    std::vector<std::string> paths;
    for (int i = 0; i < 65535; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/m/%05d.mp3", i);
        paths.push_back(name);
    }
    const library::LibraryStore store(app_dir);
    store.RewritePathList(paths);

    display.maxima.clear();
    scan.AddingScan(app_dir, {music + "/last.mp3"});
    EXPECT_EQ(library::SortGaugeMaximum(65536), 2147483648);
    ASSERT_FALSE(display.maxima.empty());
    EXPECT_EQ(*std::max_element(display.maxima.begin(), display.maxima.end()), 2147483648);
    EXPECT_EQ(display.percents.back(), 100);
    const std::vector<std::string> written = store.ReadPathList();
    ASSERT_EQ(written.size(), 65536u);
    EXPECT_TRUE(std::is_sorted(written.begin(), written.end()));
    EXPECT_NE(std::find(written.begin(), written.end(), music + "/last.mp3"), written.end());
}

}  // namespace
}  // namespace tarvel::controls
