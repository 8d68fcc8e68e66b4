#pragma once

#include <string>
#include <string_view>

namespace tarvel::library {

// The text shown for a duration given as milliseconds in decimal: [D:][H:]MM:SS, the seconds
// rounded to nearest with ties to even. Days and hours appear only when not zero and are never
// padded; minutes and seconds always have two digits. Text that is not a decimal number, and a
// negative one, count as 0 ms.
std::string DurationText(std::string_view milliseconds);

}  // namespace tarvel::library
