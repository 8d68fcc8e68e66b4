#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "library/song_record.h"

namespace tarvel::library {

// The items of the two artist panels: ListBox1 (Cyrillic-written artists, or every artist in the
// incorporated mode) and ListBox2 (the rest). Each name carries its position prefix "N. ",
// counted in the panel's alphabetical order.
struct ArtistPanelItems {
    std::vector<std::string> list1;
    std::vector<std::string> list2;
};

// Splits the artist index rows 1..count (cell 0 the name) into the panels: in the separate mode
// the first Latin or Cyrillic letter of a name decides, a name with neither goes to ListBox2.
ArtistPanelItems ArtistPanels(const masTag& index, int count, bool separate);
// The same, given the rows of AlphabeticalRows: the panels keep that order.
ArtistPanelItems ArtistPanels(const masTag& index, const std::vector<int>& rows, bool separate);

// The rows 1..count of the artist index that hold a name, ordered alphabetically ignoring letter
// case (names equal but for case keep their order). Splitting this order between the panels
// gives each panel its own alphabetical order.
std::vector<int> AlphabeticalRows(const masTag& index, int count);

// Orders names alphabetically ignoring letter case (names equal but for case keep their order)
// and gives each its position prefix: "1. Moon".
void NumberAlphabetically(std::vector<std::string>& names);

// The text of a panel item without its position prefix: everything up to and including the
// first "." and the one character after it is removed. An item without a "." is kept whole.
std::string ItemName(std::string_view item);

// The item text of a name at a 1-based position: "1. Moon".
std::string PrefixedItem(int position, std::string_view name);

}  // namespace tarvel::library
