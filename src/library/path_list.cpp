#include "library/path_list.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <utility>

#include "platform/text/case_fold.h"

namespace tarvel::library {

int64_t SortGaugeMaximum(int64_t n) {
    const int64_t square = n * n;
    int64_t half = square / 2;
    if (square % 2 == 1 && half % 2 == 1) {
        ++half;  // x.5 goes to the even neighbour
    }
    return half;
}

void SortPaths(std::vector<std::string>& paths, ProgressDisplay& display) {
    const int64_t maximum = SortGaugeMaximum(static_cast<int64_t>(paths.size()));
    display.SetGaugeMaximum(maximum);
    display.SetGaugeProgress(0);
    // Equal paths are equal bytes, so any correct sort gives the exchange sort's order.
    std::sort(paths.begin(), paths.end(), text::LessBytes);
    display.SetGaugeProgress(maximum);
}

void ExchangeSortPaths(std::vector<std::string>& paths) {
    const size_t n = paths.size();
    for (size_t pass = 1; pass < n; ++pass) {
        for (size_t j = 0; j + pass < n; ++j) {
            if (text::CompareBytes(paths[j + 1], paths[j]) <= 0) {
                std::swap(paths[j], paths[j + 1]);
            }
        }
    }
}

bool ContainsSorted(const std::vector<std::string>& sorted, const std::string& path) {
    size_t low = 0;
    size_t high = sorted.size();
    while (low < high) {
        const size_t middle = low + (high - low) / 2;
        const int order = text::CompareBytes(sorted[middle], path);
        if (order == 0) {
            return true;
        }
        if (order < 0) {
            low = middle + 1;
        } else {
            high = middle;
        }
    }
    return false;
}

std::vector<std::string> MergeNewPaths(const std::vector<std::string>& old_paths,
                                       const std::vector<std::string>& new_paths) {
    std::vector<std::string> combined = old_paths;
    std::unordered_set<std::string_view> added;
    for (const auto& path : new_paths) {
        if (!ContainsSorted(old_paths, path) && added.insert(path).second) {
            combined.push_back(path);
        }
    }
    return combined;
}

}  // namespace tarvel::library
