// The results area beneath the editor area: closed, the editor area is as
// tall as the note list pane; open, the area takes 100 px at the bottom (its
// 6 px splitter, the 24 px header and the result view), and the user may move
// the splitter.
#pragma once

#include <algorithm>

namespace quivra::search {

inline constexpr int kResultsAreaOpening = 100;

// The editor area's height in a column `columnHeight` high, with the results
// area taking `resultsHeight` of it when open.
constexpr int editorAreaHeight(int columnHeight, bool open, int resultsHeight) {
    return open ? std::max(0, columnHeight - resultsHeight) : columnHeight;
}

// The results area's height when its splitter is dragged to `splitterTop`:
// the editor area and the results each keep `minimum` px where there is room.
constexpr int resultsHeightForSplitterAt(int splitterTop, int columnHeight, int minimum) {
    if (columnHeight < 2 * minimum)
        return columnHeight / 2;
    return std::clamp(columnHeight - splitterTop, minimum, columnHeight - minimum);
}

} // namespace quivra::search
