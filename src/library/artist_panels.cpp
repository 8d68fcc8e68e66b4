#include "library/artist_panels.h"

#include <algorithm>

#include "library/letter_class.h"
#include "platform/text/case_fold.h"

namespace tarvel::library {
namespace {

bool IsCyrillicName(const std::string& name) {
    for (const char c : name) {
        if (IsLatinLetter(c)) {
            return false;
        }
        if (IsCyrillicLetter(c)) {
            return true;
        }
    }
    return false;
}

// Alphabetical order ignoring letter case; names equal but for case keep their index order.
void NumberAlphabetically(std::vector<std::string>& names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return text::LessBytes(text::Lower(a), text::Lower(b));
    });
    for (size_t i = 0; i < names.size(); ++i) {
        names[i] = std::to_string(i + 1) + ". " + names[i];
    }
}

}  // namespace

ArtistPanelItems ArtistPanels(const masTag& index, int count, bool separate) {
    ArtistPanelItems items;
    for (int row = 1; row <= count && row < static_cast<int>(index.size()); ++row) {
        if (index[row].empty()) {
            continue;
        }
        const std::string& name = index[row][0];
        (!separate || IsCyrillicName(name) ? items.list1 : items.list2).push_back(name);
    }
    NumberAlphabetically(items.list1);
    NumberAlphabetically(items.list2);
    return items;
}

}  // namespace tarvel::library
