#include "library/artist_panels.h"

#include <algorithm>

#include "library/letter_class.h"
#include "platform/text/case_fold.h"

namespace tarvel::library {
namespace {

// The positions 0..n-1 of n names (name(i) gives each) in alphabetical order ignoring letter
// case; equal names keep their order. The lower-case keys are made once, into one buffer.
template <class Name>
std::vector<uint32_t> OrderIgnoringCase(size_t n, Name name) {
    std::string keys;
    std::vector<uint32_t> starts(n + 1);
    for (size_t i = 0; i < n; ++i) {
        starts[i] = static_cast<uint32_t>(keys.size());
        keys += text::Lower(name(i));
    }
    starts[n] = static_cast<uint32_t>(keys.size());
    const auto key = [&](uint32_t i) {
        return std::string_view(keys).substr(starts[i], starts[i + 1] - starts[i]);
    };
    std::vector<uint32_t> order(n);
    for (size_t i = 0; i < n; ++i) {
        order[i] = static_cast<uint32_t>(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](uint32_t a, uint32_t b) { return text::LessText(key(a), key(b)); });
    return order;
}

}  // namespace

void NumberAlphabetically(std::vector<std::string>& names) {
    const std::vector<uint32_t> order =
        OrderIgnoringCase(names.size(), [&](size_t i) -> const std::string& { return names[i]; });
    std::vector<std::string> ordered;
    ordered.reserve(names.size());
    for (size_t i = 0; i < order.size(); ++i) {
        ordered.push_back(PrefixedItem(static_cast<int>(i + 1), names[order[i]]));
    }
    names = std::move(ordered);
}

std::vector<int> AlphabeticalRows(const masTag& index, int count) {
    std::vector<int> rows;
    for (int row = 1; row <= count && row < static_cast<int>(index.size()); ++row) {
        if (!index[static_cast<size_t>(row)].empty()) {
            rows.push_back(row);
        }
    }
    const std::vector<uint32_t> order = OrderIgnoringCase(
        rows.size(), [&](size_t i) -> const std::string& { return index[rows[i]][0]; });
    std::vector<int> ordered(rows.size());
    for (size_t i = 0; i < order.size(); ++i) {
        ordered[i] = rows[order[i]];
    }
    return ordered;
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

ArtistPanelItems ArtistPanels(const masTag& index, const std::vector<int>& rows, bool separate) {
    ArtistPanelItems items;
    // Sized first: the lists run to tens of thousands of items.
    const auto cyrillic = static_cast<size_t>(std::count_if(rows.begin(), rows.end(), [&](int row) {
        return IsCyrillicName(index[static_cast<size_t>(row)][0]);
    }));
    items.list1.reserve(separate ? cyrillic : rows.size());
    items.list2.reserve(separate ? rows.size() - cyrillic : 0);
    for (const int row : rows) {
        const std::string& name = index[static_cast<size_t>(row)][0];
        std::vector<std::string>& list =
            !separate || IsCyrillicName(name) ? items.list1 : items.list2;
        list.push_back(PrefixedItem(static_cast<int>(list.size() + 1), name));
    }
    return items;
}

ArtistPanelItems ArtistPanels(const masTag& index, int count, bool separate) {
    return ArtistPanels(index, AlphabeticalRows(index, count), separate);
}

}  // namespace tarvel::library
