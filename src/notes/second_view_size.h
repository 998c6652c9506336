// Heights in the editor area around the second note view: the view opens on
// half the editor less half its 6 px splitter, and a drag of the splitter
// shares the height between the two without letting either vanish.
#pragma once

#include <algorithm>

namespace quivra::notes {

// An editor 400 px high gives the view 197 px and keeps 197 px itself.
constexpr int note2OpeningHeight(int editorHeight) {
    return std::max(0, editorHeight / 2 - 3);
}

// The view's height when its splitter (`splitter` px high) is dragged to
// `splitterTop`, in a space from `top` (under the format bar) to `bottom`
// (over the search bar); the editor and the view keep `minimum` px each
// where there is room for both.
constexpr int note2HeightForSplitterAt(int splitterTop, int top, int bottom, int splitter,
                                       int minimum) {
    const int room = bottom - top - splitter;
    if (room < 2 * minimum)
        return std::max(0, room / 2);
    return std::clamp(bottom - splitterTop - splitter, minimum, room - minimum);
}

} // namespace quivra::notes
