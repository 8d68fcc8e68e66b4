#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "library/progress_display.h"

// Ordering and merging the library's path lists. Paths compare as unsigned bytes.
namespace tarvel::library {

// The gauge maximum of sorting n paths: round(n * n / 2), ties to even.
int64_t SortGaugeMaximum(int64_t n);

// Sorts ascending by bytes. The gauge gets the maximum round(n * n / 2) and ends there.
void SortPaths(std::vector<std::string>& paths, ProgressDisplay& display);

// The exchange sort the library's order was first defined by: n - 1 passes, pass p comparing
// positions j and j + 1 for j up to n - p and swapping them when the later one is not greater.
// Quadratic; kept to prove SortPaths gives the same order.
void ExchangeSortPaths(std::vector<std::string>& paths);

// Binary search over a list sorted by bytes.
bool ContainsSorted(const std::vector<std::string>& sorted, const std::string& path);

// `old_paths` (sorted) followed by every new path the old list does not hold, in the order
// given; a path given twice is added once, where it first comes.
std::vector<std::string> MergeNewPaths(const std::vector<std::string>& old_paths,
                                       const std::vector<std::string>& new_paths);

}  // namespace tarvel::library
