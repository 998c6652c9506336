#include "search/results_area_win.h"

#include "document/text_lines.h"
#include "search/results_area_size.h"
#include "skins/skin_engine_win.h"
#include "win/controls_win.h"
#include "win/dialog_keys_win.h"

#include <algorithm>

namespace quivra::search {

namespace {
constexpr const wchar_t* kFilterCaption = L"Фильтр (двойной щелчок - выделение строки в заметке)";
constexpr int kSplitter = 6;
constexpr int kHeader = 24;
constexpr int kCloseWidth = 23;
constexpr int kMinimumHeight = 40; // neither the editor area nor the results vanish
// Lines put in at once (more than a tall view shows), then per posted piece.
constexpr std::size_t kFirstLines = 50;
constexpr std::size_t kPieceLines = 200;
constexpr UINT kNextPiece = WM_APP + 20; // posted to the panel; wParam: the fill
// Up to this many characters the view empties itself; above, a fresh view
// replaces it.
constexpr long kEmptyInPlaceUpTo = 4096;

std::u16string joined(const std::vector<std::u16string>& lines, std::size_t from, std::size_t to,
                      bool breakFirst) {
    std::u16string text;
    for (std::size_t i = from; i < to; ++i) {
        if (i > from || breakFirst)
            text += u'\r';
        text += lines[i];
    }
    return text;
}
} // namespace

void ResultsArea::create(HWND column, HWND notifyTarget, Ids ids) {
    column_ = column;
    notifyTarget_ = notifyTarget;
    viewId_ = ids.view;
    closeId_ = ids.close;
    height_ = host_.scale(kResultsAreaOpening);
}

void ResultsArea::build() {
    // The splitter, the panel and its rich-edit view stay hidden until a
    // search lists lines or the area opens: they are made then.
    if (built())
        return;
    const auto px = [this](int v) { return host_.scale(v); };
    splitter_.create(column_, notifyTarget_, 0, 0, 1, px(kSplitter));
    panel_.create(column_, notifyTarget_, 0, 0, 1, px(kResultsAreaOpening - kSplitter));
    header_ = win::createLabel(panel_.hwnd(), 0, caption_ ? caption_ : kFilterCaption,
                               {px(4), px(5), px(300), px(16)});
    close_ =
        win::createButton(panel_.hwnd(), closeId_, L"X", {0, 0, px(kCloseWidth), px(kCloseWidth)});
    createView(RECT{0, px(kHeader), 1, px(kHeader) + 1});
    ShowWindow(splitter_.hwnd(), SW_HIDE);
    ShowWindow(panel_.hwnd(), SW_HIDE);
    // The view is empty yet: only its default format would take the font,
    // and the page's font skips rich-edit controls anyway.
    host_.giveFont(splitter_.hwnd());
    host_.giveFont(panel_.hwnd());
    splitterDrag_.attach(splitter_.hwnd(), win::SplitterDrag::Moves::UpDown, [this](POINT at) {
        height_ = resultsHeightForSplitterAt(at.y, columnHeight_, host_.scale(kMinimumHeight));
        host_.relayoutEditorArea();
    });
    panelEvents_.attach(panel_.hwnd(),
                        [this](UINT msg, WPARAM wp, LPARAM, const auto&) -> std::optional<LRESULT> {
                            if (msg != kNextPiece)
                                return std::nullopt;
                            appendPiece(wp);
                            return 0;
                        });
    views_.viewMade(view_);
}

void ResultsArea::createView(const RECT& place) {
    view_.create(panel_.hwnd(), viewId_, place);
    view_.setReadOnly(true);
    viewEvents_.attach(view_.hwnd(), [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
        return onViewMessage(msg, wp, lp, next);
    });
}

void ResultsArea::emptyView() {
    if (!built())
        return;
    if (view_.textLength() <= kEmptyInPlaceUpTo) {
        view_.empty();
        return;
    }
    // The control takes about 0.15 ms a line to empty itself under Wine
    // (1,000 listed lines: 150 ms); a fresh one costs some 10 ms whatever it
    // held.
    RECT place;
    GetWindowRect(view_.hwnd(), &place);
    MapWindowPoints(nullptr, panel_.hwnd(), reinterpret_cast<POINT*>(&place), 2);
    const bool focused = view_.focused();
    createView(place);
    skins::skinEngine().applyTo(view_.hwnd());
    if (focused)
        view_.focus();
}

int ResultsArea::layout(int width, int columnHeight) {
    columnHeight_ = columnHeight;
    const int area = editorAreaHeight(columnHeight, open_, height_);
    if (!open_)
        return area;
    const auto px = [this](int v) { return host_.scale(v); };
    const int splitter = std::min(px(kSplitter), columnHeight - area);
    const int panelHeight = columnHeight - area - splitter;
    MoveWindow(splitter_.hwnd(), 0, area, width, splitter, TRUE);
    MoveWindow(panel_.hwnd(), 0, area + splitter, width, panelHeight, TRUE);
    MoveWindow(header_, px(4), px(5), std::max(0, width - px(kCloseWidth) - px(8)), px(16), TRUE);
    MoveWindow(close_, std::max(0, width - px(kCloseWidth)), 0, px(kCloseWidth), px(kCloseWidth),
               TRUE);
    MoveWindow(view_.hwnd(), 0, px(kHeader), width, std::max(0, panelHeight - px(kHeader)), TRUE);
    return area;
}

void ResultsArea::open() {
    build();
    // Each opening gives the area its first height again, whatever the
    // splitter was dragged to while it was last open.
    if (!open_)
        height_ = host_.scale(kResultsAreaOpening);
    open_ = true;
    ShowWindow(splitter_.hwnd(), SW_SHOW);
    ShowWindow(panel_.hwnd(), SW_SHOW);
    host_.relayoutEditorArea();
}

void ResultsArea::close() {
    open_ = false;
    if (built()) {
        ShowWindow(splitter_.hwnd(), SW_HIDE);
        ShowWindow(panel_.hwnd(), SW_HIDE);
    }
    host_.relayoutEditorArea();
}

void ResultsArea::clear() {
    ++fillNumber_;
    pending_.clear();
    next_ = 0;
    emptyView();
}

void ResultsArea::fill(std::vector<std::u16string> lines) {
    clear();
    if (lines.empty())
        return;
    build();
    pending_ = std::move(lines);
    next_ = std::min(pending_.size(), kFirstLines);
    if (next_ > 0) {
        const auto redraw = view_.suspendRedraw();
        view_.setPlainText(joined(pending_, 0, next_, false));
        view_.setSelection({0, 0});
        view_.setModified(false);
    }
    if (filling())
        PostMessageW(panel_.hwnd(), kNextPiece, fillNumber_, 0);
}

void ResultsArea::appendPiece(WPARAM fill) {
    if (fill != fillNumber_ || !filling())
        return; // a later fill or a clear replaced those lines
    const std::size_t to = std::min(pending_.size(), next_ + kPieceLines);
    {
        const auto redraw = view_.suspendRedraw();
        view_.appendPlainText(joined(pending_, next_, to, true));
        view_.setModified(false);
    }
    next_ = to;
    if (filling())
        PostMessageW(panel_.hwnd(), kNextPiece, fillNumber_, 0);
}

std::vector<std::u16string> ResultsArea::lines() const {
    if (!built())
        return {};
    return document::splitLines(view_.text());
}

std::u16string ResultsArea::caretLine() const {
    if (!built())
        return {};
    const std::u16string text = view_.text();
    const auto caret = static_cast<std::size_t>(std::max(0L, view_.selection().start));
    const std::size_t at = std::min(caret, text.size());
    std::size_t from = 0;
    if (at > 0)
        if (const std::size_t previous = text.rfind(u'\r', at - 1);
            previous != std::u16string::npos)
            from = previous + 1;
    const std::size_t end = text.find(u'\r', at);
    return text.substr(from, end == std::u16string::npos ? std::u16string::npos : end - from);
}

std::size_t ResultsArea::caretLineIndex() const {
    if (!built())
        return 0;
    const std::u16string text = view_.text();
    const auto caret = static_cast<std::size_t>(std::max(0L, view_.selection().start));
    const auto before = std::u16string_view(text).substr(0, std::min(caret, text.size()));
    return static_cast<std::size_t>(std::count(before.begin(), before.end(), u'\r'));
}

void ResultsArea::setCaption(const wchar_t* caption) {
    caption_ = caption;
    if (header_)
        SetWindowTextW(header_, caption_ ? caption_ : kFilterCaption);
}

// A double click or a key in the results.
std::optional<LRESULT> ResultsArea::onViewMessage(UINT msg, WPARAM wp, LPARAM lp,
                                                  const win::Subclass::Next& next) {
    if (auto code = win::wantKeys(msg, lp, next, {VK_RETURN}))
        return code;
    if (msg == WM_LBUTTONDBLCLK) {
        const LRESULT r = next();
        if (onJump)
            onJump();
        return r;
    }
    if (msg == WM_CHAR && wp == 13) {
        if (onJump)
            onJump();
        return 0;
    }
    return std::nullopt;
}

} // namespace quivra::search
