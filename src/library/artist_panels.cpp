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

}  // namespace

void NumberAlphabetically(std::vector<std::string>& names) {
    std::vector<std::pair<std::string, size_t>> keyed;
    keyed.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        keyed.emplace_back(text::Lower(names[i]), i);
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return text::LessBytes(a.first, b.first);
    });
    std::vector<std::string> ordered;
    ordered.reserve(names.size());
    for (size_t i = 0; i < keyed.size(); ++i) {
        ordered.push_back(PrefixedItem(static_cast<int>(i + 1), names[keyed[i].second]));
    }
    names = std::move(ordered);
}

std::string ItemName(std::string_view item) {
    const size_t dot = item.find('.');
    if (dot == std::string_view::npos) {
        return std::string(item);
    }
    return std::string(item.substr(std::min(item.size(), dot + 2)));
}

std::string PrefixedItem(int position, std::string_view name) {
    std::string item = std::to_string(position);
    item += ". ";
    item += name;
    return item;
}

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
