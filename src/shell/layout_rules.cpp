#include "shell/layout_rules.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <stdexcept>
#include <string>
#include <utility>

namespace tarvel::shell {
namespace {

using R = controls::Resize;

// The album list never shrinks below two items and the pixel between them.
constexpr int kMinAlbumListHeight = 2 * kListItemHeight + 1;
// The song list is measured without its two items' height when the odd pixel is handed out.
constexpr int kSongListAllowance = 2 * kListItemHeight;

[[noreturn]] void NoSuchControl(std::string_view name) {
    throw std::out_of_range("the main window layout has no control " + std::string(name));
}

template <class L>
auto& At(L& layout, std::string_view name) {
    const auto found = layout.find(name);
    if (found == layout.end()) {
        NoSuchControl(name);
    }
    return found->second;
}

// Adds d to one field of every control whose resize rules (in the layout table) include rule.
void Add(Layout& layout, int Rect::*field, controls::Resize rule, int d) {
    for (const ControlEntry& control : MainWindowControls()) {
        if (controls::Has(control.resize, rule)) {
            At(layout, control.name).*field += d;
        }
    }
}

// Halves d between two parts, each d / 2 truncated toward zero. An odd pixel goes to the first
// part when its measure times d is not above the second's: growing favours the smaller part,
// shrinking the larger.
std::pair<int, int> HalveWithOddPixel(int d, int first_measure, int second_measure) {
    std::pair<int, int> shares{d / 2, d / 2};
    if (d % 2 != 0) {
        const int pixel = d > 0 ? 1 : -1;
        if (std::int64_t{first_measure} * d <= std::int64_t{second_measure} * d) {
            shares.first += pixel;
        } else {
            shares.second += pixel;
        }
    }
    return shares;
}

// The columns of lists, each measured by its header strip; the second artist list's column
// counts only while that list is shown.
struct Columns {
    int n;
    std::array<int, 4> measure;
};

Columns MeasureColumns(const Layout& layout, bool list2_shown) {
    return Columns{
        .n = list2_shown ? 4 : 3,
        .measure = {At(layout, "ImgPolosaLeftArt").width, At(layout, "ImgPolosaAlb").width - 14,
                    At(layout, "ImgPolosaPlist").width - 4, At(layout, "ImgingCenter").width},
    };
}

// The shares of d for the columns. The remainder of d / n goes a pixel at a time from a start
// column chosen by the measures, forward when growing and backward, from the column before it,
// when shrinking.
std::array<int, 4> ColumnShares(const Columns& columns, int d) {
    const int n = columns.n;
    const std::array<int, 4>& measure = columns.measure;
    int start = 0;
    if (measure[1] < measure[0]) {
        start = 1;
    }
    if (measure[2] < measure[1]) {
        start = 2;
    }
    if (n == 4 && measure[2] > measure[3]) {
        start = 3;
    }
    const int step = d > 0 ? 1 : -1;
    if (d < 0) {
        start = (start + n - 1) % n;
    }
    std::array<int, 4> shares{};
    std::fill_n(shares.begin(), n, d / n);
    for (int left = std::abs(d % n), column = start; left > 0; --left) {
        shares[column] += step;
        column = (column + step + n) % n;
    }
    return shares;
}

// The value nearest to d in [d, 0] for which `allowed` holds. A change that is allowed stays
// allowed when made smaller, so the boundary is found by halving the interval.
template <class Allowed>
int ClosestAllowed(int d, const Allowed& allowed) {
    if (allowed(d)) {
        return d;
    }
    std::int64_t refused = d;
    std::int64_t granted = 0;
    while (std::abs(granted - refused) > 1) {
        const std::int64_t middle = refused + (granted - refused) / 2;
        (allowed(static_cast<int>(middle)) ? granted : refused) = middle;
    }
    return static_cast<int>(granted);
}

int GrowthRoom(int window_side) {
    return std::max(kMaxWindowSide - window_side, 0);
}

// The part of a width change that leaves no column's header strip below zero and keeps the
// window within its largest size.
int LimitWidthChange(const Layout& layout, int d, bool list2_shown) {
    if (d > 0) {
        return std::min(d, GrowthRoom(FitWindow(layout).width));
    }
    const Columns columns = MeasureColumns(layout, list2_shown);
    return ClosestAllowed(d, [&](int change) {
        const std::array<int, 4> shares = ColumnShares(columns, change);
        for (int i = 0; i < columns.n; ++i) {
            if (shares[i] < 0 && columns.measure[i] + shares[i] < 0) {
                return false;
            }
        }
        return true;
    });
}

// The part of a height change that keeps the album list at two items and a pixel or more and the
// window within its largest size.
int LimitHeightChange(const Layout& layout, int d) {
    if (d > 0) {
        return std::min(d, GrowthRoom(FitWindow(layout).height));
    }
    const int albums = At(layout, "ListBox3").height;
    const int songs = At(layout, "ListBox4").height - kSongListAllowance;
    return ClosestAllowed(d, [&](int change) {
        return albums + HalveWithOddPixel(change, albums, songs).first >= kMinAlbumListHeight;
    });
}

bool WidthAtLimit(const Layout& layout) {
    return At(layout, "ImgPolosaLeftArt").width < 1;
}

bool HeightAtLimit(const Layout& layout) {
    return kMinAlbumListHeight >= At(layout, "ListBox3").height;
}

void ApplyDeltaWidth(Layout& layout, int d, bool list2_shown) {
    ApplyDeltaWidthLists(layout, d, list2_shown);
    ApplyDeltaWidthBars(layout, d);
}

// The anchor follows the cursor; the change is the distance from the previous anchor, none when
// the drag has just begun.
int AxisChange(int& anchor, int position) {
    if (anchor == 0) {
        anchor = position;
    }
    const int d = position - anchor;
    anchor = position;
    return d;
}

// One drag step over both axes: a shrink at its limit is dropped, any other change is applied as
// far as the limits allow.
DragStep Resize(Layout& layout, int dx, int dy, bool list2_shown) {
    DragStep step;
    if (dx != 0 && !(dx < 0 && WidthAtLimit(layout))) {
        step.dw = LimitWidthChange(layout, dx, list2_shown);
    }
    if (dy != 0 && !(dy < 0 && HeightAtLimit(layout))) {
        step.dh = LimitHeightChange(layout, dy);
    }
    if (step.dw != 0) {
        ApplyDeltaWidth(layout, step.dw, list2_shown);
    }
    if (step.dh != 0) {
        ApplyDeltaHeight(layout, step.dh);
    }
    step.applied = step.dw != 0 || step.dh != 0;
    return step;
}

// num / den for den > 0, rounded to nearest with ties to even.
int DivideRoundHalfEven(int num, int den) {
    int quotient = num / den;
    int rest = num % den;
    if (rest < 0) {
        quotient -= 1;
        rest += den;
    }
    if (2 * rest > den || (2 * rest == den && quotient % 2 != 0)) {
        quotient += 1;
    }
    return quotient;
}

}  // namespace

WindowFit FitWindow(const Layout& layout) {
    const Rect& bottom_right = At(layout, "ImgNizPravo");
    const Rect& bottom_centre = At(layout, "ImgNizCenter");
    const int left = At(layout, "ImgVerhLEvo").left;
    const int top = At(layout, "ImgVerhPravo").top;
    return WindowFit{
        .width = bottom_right.Right() + 10,
        .height = bottom_centre.Bottom() + 10,
        .region = Rect{left, top, bottom_right.Right() - left, bottom_right.Bottom() - top},
        .corner = 5,
    };
}

void ApplyDeltaWidthLists(Layout& layout, int d, bool list2_shown) {
    const auto [s1, s2, s3, s4] = ColumnShares(MeasureColumns(layout, list2_shown), d);
    Add(layout, &Rect::width, R::Column1Width, s1);
    Add(layout, &Rect::left, R::RightOfColumn1, s1);
    Add(layout, &Rect::width, R::Column2Width, s2);
    Add(layout, &Rect::left, R::RightOfColumn2, s1 + s2);
    Add(layout, &Rect::width, R::Column3Width, s3);
    Add(layout, &Rect::left, R::RightOfColumn3, s1 + s2 + s3);
    Add(layout, &Rect::width, R::Column4Width, s4);
    Add(layout, &Rect::left, R::RightOfColumn4, s1 + s2 + s3 + s4);

    const Rect& playlist = At(layout, "ListBox5");
    const int tab_left = playlist.left + (playlist.width - At(layout, "Img2Pl1").width) / 2;
    for (const ControlEntry& control : MainWindowControls()) {
        if (controls::Has(control.resize, R::PlaylistTab)) {
            At(layout, control.name).left = tab_left;
        }
    }
}

void ApplyDeltaWidthBars(Layout& layout, int d) {
    Add(layout, &Rect::width, R::WidthWithWindow, d);

    Rect& time_bar = At(layout, "TimeSKRL");
    Rect& volume_bar = At(layout, "VolumeSKRL");
    const auto [time_share, volume_share] = HalveWithOddPixel(d, time_bar.width, volume_bar.width);
    time_bar.width += time_share;
    volume_bar.width += volume_share;
    volume_bar.left += time_share;

    Rect& position_text = At(layout, "StaticText1");
    Rect& length_text = At(layout, "StaticText2");
    Rect& size_text = At(layout, "StaticText3");
    size_text.width = length_text.width;
    position_text.left += time_share;
    length_text.left = position_text.Right() + 2;
    size_text.left = length_text.left;

    Add(layout, &Rect::left, R::RightWithWindow, d);
}

void ApplyDeltaHeight(Layout& layout, int d) {
    const auto [a, b] = HalveWithOddPixel(d, At(layout, "ListBox3").height,
                                          At(layout, "ListBox4").height - kSongListAllowance);
    Add(layout, &Rect::height, R::HeightWithWindow, d);
    Add(layout, &Rect::height, R::AlbumHeight, a);
    Add(layout, &Rect::height, R::SongHeight, b);
    Add(layout, &Rect::top, R::BelowAlbums, a);
    Add(layout, &Rect::top, R::DownWithWindow, d);
}

int ScrollerMaximum(int item_count, int list_height, int item_height) {
    assert(item_height > 0);
    return item_count - DivideRoundHalfEven(list_height, item_height) + 1;
}

DragStep DragOverRightEdge(Layout& layout, EdgeDrag& drag, int x, bool list2_shown) {
    return Resize(layout, AxisChange(drag.anchor_x, x), 0, list2_shown);
}

DragStep DragOverBottomEdge(Layout& layout, EdgeDrag& drag, int y) {
    return Resize(layout, 0, AxisChange(drag.anchor_y, y), /*list2_shown=*/true);
}

DragStep DragOverCorner(Layout& layout, EdgeDrag& drag, int x, int y, bool list2_shown) {
    const int dx = AxisChange(drag.anchor_x, x);
    const int dy = AxisChange(drag.anchor_y, y);
    return Resize(layout, dx, dy, list2_shown);
}

void ClearAnchors(EdgeDrag& drag, Edge edge) {
    if (edge != Edge::Bottom) {
        drag.anchor_x = 0;
    }
    if (edge != Edge::Right) {
        drag.anchor_y = 0;
    }
}

Deltas SavedDeltas(const Layout& now) {
    return Deltas{
        .width = At(now, "ImgNizCenter").width - MainControl(Main::ImgNizCenter).rect.width,
        .height = At(now, "imgLeftLine").height - MainControl(Main::imgLeftLine).rect.height,
    };
}

int StartupDeltaWidth(const Layout& now, int saved_delta_width, bool list2_shown) {
    if (list2_shown) {
        return saved_delta_width;
    }
    const std::int64_t restored = std::int64_t{saved_delta_width} + At(now, "ListBox2").width +
                                  At(now, "KVRScrollerVr2").width;
    return static_cast<int>(std::clamp<std::int64_t>(restored, INT_MIN, INT_MAX));
}

void ApplySavedSize(Layout& layout, int delta_width, int delta_height, bool list2_shown) {
    ApplyDeltaWidth(layout, LimitWidthChange(layout, delta_width, list2_shown), list2_shown);
    ApplyDeltaHeight(layout, LimitHeightChange(layout, delta_height));
}

}  // namespace tarvel::shell
