#include "playlists/ab_marks.h"

#include <cmath>

namespace tarvel::playlists {

AbClick ClickAbMark(TMasPLayList& work, int& loop_flag, config::Settings& settings) {
    if (loop_flag == 1) {
        loop_flag = 0;
        work.MarkA = 0;
        work.MarkB = 0;
        return AbClick::Reset;
    }
    if (work.MarkA == 0) {
        settings.Uncheck(config::Item::Enabled1);
        work.MarkA = work.PositionMs;
        return AbClick::SetA;
    }
    if (work.MarkB != 0) {
        return AbClick::None;
    }
    loop_flag = 1;
    if (work.MarkA < work.PositionMs) {
        work.MarkB = work.PositionMs;
        return AbClick::SetB;
    }
    work.MarkB = work.MarkA;
    work.MarkA = work.PositionMs;
    return AbClick::SwapB;
}

int MarkX(int position, int bar_width, int bar_max, int bar_left) {
    const double share =
        bar_max == 0 ? 0.0 : static_cast<double>(position) * (bar_width - 68) / bar_max;
    return static_cast<int>(std::nearbyint(share)) + bar_left + 17;
}

}  // namespace tarvel::playlists
