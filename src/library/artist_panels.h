#pragma once

#include <string>
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

}  // namespace tarvel::library
