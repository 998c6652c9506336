#include "base/text_diff.h"

#include <algorithm>
#include <functional>
#include <string>

namespace quivra::base {

namespace {

struct Line {
    std::size_t start; // in its text
    std::size_t end;   // past its break, or the text's end
};

std::vector<Line> linesOf(std::u16string_view text) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t brk = text.find(u'\r', start);
        const std::size_t end = brk == std::u16string_view::npos ? text.size() : brk + 1;
        lines.push_back({start, end});
        start = end;
    }
    return lines;
}

// The lines' diagonal runs of Myers' algorithm: for each step d, the
// furthest x reached on each diagonal k. Returns the pairs of equal lines
// (old index, new index) on the shortest path, or nothing when the texts
// differ in more than `most` lines.
struct LineMatch {
    std::size_t oldLine;
    std::size_t newLine;
};

bool shortestMatch(const std::vector<std::size_t>& a, const std::vector<std::size_t>& b,
                   const std::function<bool(std::size_t, std::size_t)>& equal, std::size_t most,
                   std::vector<LineMatch>& matches) {
    const auto n = static_cast<long>(a.size());
    const auto m = static_cast<long>(b.size());
    const long limit = std::min<long>(n + m, static_cast<long>(most));
    const long offset = limit + 1;
    std::vector<long> v(static_cast<std::size_t>(2 * offset + 1), 0);
    // Before each step d, the diagonals -d-1 .. d+1 of v: all the walk back
    // reads. The memory grows with the square of the lines changed only.
    std::vector<std::vector<long>> trace;
    const auto at = [&](const std::vector<long>& slice, long d, long k) {
        return slice[static_cast<std::size_t>(k + d + 1)];
    };
    for (long d = 0; d <= limit; ++d) {
        trace.emplace_back(v.begin() + (offset - d - 1), v.begin() + (offset + d + 2));
        for (long k = -d; k <= d; k += 2) {
            long x = (k == -d || (k != d && v[k - 1 + offset] < v[k + 1 + offset]))
                         ? v[k + 1 + offset]
                         : v[k - 1 + offset] + 1;
            long y = x - k;
            while (x < n && y < m &&
                   equal(static_cast<std::size_t>(x), static_cast<std::size_t>(y))) {
                ++x;
                ++y;
            }
            v[k + offset] = x;
            if (x < n || y < m)
                continue;
            // Back from the end through the steps, collecting the runs of
            // equal lines each step ended with.
            long cx = n;
            long cy = m;
            for (long s = d; s >= 0; --s) {
                long px = 0;
                long py = 0;
                if (s > 0) {
                    const std::vector<long>& pv = trace[static_cast<std::size_t>(s)];
                    const long ck = cx - cy;
                    const long pk = (ck == -s || (ck != s && at(pv, s, ck - 1) < at(pv, s, ck + 1)))
                                        ? ck + 1
                                        : ck - 1;
                    px = at(pv, s, pk);
                    py = px - pk;
                }
                while (cx > px && cy > py) {
                    --cx;
                    --cy;
                    matches.push_back({static_cast<std::size_t>(cx), static_cast<std::size_t>(cy)});
                }
                cx = px;
                cy = py;
            }
            std::reverse(matches.begin(), matches.end());
            return true;
        }
    }
    return false;
}

// One edit for the code units between the common start and end of two
// spans of the texts, or nothing when the spans are equal.
void addNarrowed(std::u16string_view before, std::u16string_view after, std::size_t oldStart,
                 std::size_t oldEnd, std::size_t newStart, std::size_t newEnd,
                 std::vector<TextEdit>& edits) {
    while (oldStart < oldEnd && newStart < newEnd && before[oldStart] == after[newStart]) {
        ++oldStart;
        ++newStart;
    }
    while (oldEnd > oldStart && newEnd > newStart && before[oldEnd - 1] == after[newEnd - 1]) {
        --oldEnd;
        --newEnd;
    }
    if (oldStart == oldEnd && newStart == newEnd)
        return;
    edits.push_back({oldStart, oldEnd, newStart, newEnd});
}

// The runs of unequal lines between equal ones, as edits of whole lines;
// the caller may narrow each.
std::vector<TextEdit> unequalRuns(std::u16string_view before, std::u16string_view after,
                                  std::size_t mostChangedLines) {
    std::vector<TextEdit> runs;
    if (before == after)
        return runs;
    const std::vector<Line> oldLines = linesOf(before);
    const std::vector<Line> newLines = linesOf(after);
    const auto text = [](std::u16string_view t, const Line& l) {
        return t.substr(l.start, l.end - l.start);
    };
    const std::hash<std::u16string_view> hash;
    std::vector<std::size_t> a;
    std::vector<std::size_t> b;
    a.reserve(oldLines.size());
    b.reserve(newLines.size());
    for (const Line& l : oldLines)
        a.push_back(hash(text(before, l)));
    for (const Line& l : newLines)
        b.push_back(hash(text(after, l)));
    const auto equal = [&](std::size_t i, std::size_t j) {
        return a[i] == b[j] && text(before, oldLines[i]) == text(after, newLines[j]);
    };
    std::vector<LineMatch> matches;
    if (!shortestMatch(a, b, equal, mostChangedLines, matches))
        return {{0, before.size(), 0, after.size()}};
    const auto startOf = [](const std::vector<Line>& lines, std::size_t index, std::size_t size) {
        return index < lines.size() ? lines[index].start : size;
    };
    std::size_t i = 0;
    std::size_t j = 0;
    matches.push_back({oldLines.size(), newLines.size()});
    for (const LineMatch& match : matches) {
        if (match.oldLine > i || match.newLine > j)
            runs.push_back({startOf(oldLines, i, before.size()),
                            startOf(oldLines, match.oldLine, before.size()),
                            startOf(newLines, j, after.size()),
                            startOf(newLines, match.newLine, after.size())});
        i = match.oldLine + 1;
        j = match.newLine + 1;
    }
    return runs;
}

} // namespace

std::vector<TextEdit> lineEdits(std::u16string_view before, std::u16string_view after,
                                std::size_t mostChangedLines) {
    return unequalRuns(before, after, mostChangedLines);
}

std::vector<TextEdit> textEdits(std::u16string_view before, std::u16string_view after,
                                std::size_t mostChangedLines) {
    std::vector<TextEdit> edits;
    for (const TextEdit& run : unequalRuns(before, after, mostChangedLines))
        addNarrowed(before, after, run.oldStart, run.oldEnd, run.newStart, run.newEnd, edits);
    return edits;
}

std::u16string withReplacements(std::u16string_view text,
                                const std::vector<TextReplacement>& replacements) {
    std::u16string out;
    std::size_t at = 0;
    for (const TextReplacement& r : replacements) {
        out.append(text.substr(at, r.start - at));
        out.append(r.text);
        at = r.end;
    }
    out.append(text.substr(at));
    return out;
}

} // namespace quivra::base
