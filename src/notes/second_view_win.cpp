#include "notes/second_view_win.h"

#include "program/command_table_win.h"

#include "base/errors.h"
#include "notes/note_names.h"
#include "win/file_system_win.h"
#include "notes/second_view_size.h"
#include "win/context_menu_point_win.h"
#include "win/controls_win.h"
#include "win/dialog_keys_win.h"
#include "win/file_system_win.h"
#include "win/read_file_win.h"
#include "win/wide_win.h"

#include <commctrl.h>

#include <algorithm>

namespace quivra::notes {

namespace {
constexpr int kSplitter = 6;
constexpr int kMinimumHeight = 20; // neither the editor nor the view vanishes
constexpr int kChooserWidth = 306;
constexpr int kCloseWidth = 21;
constexpr UINT kCopy = 1;
constexpr UINT kSelectAll = 2;
} // namespace

void SecondView::create(HWND editorArea, HWND bar, HWND notifyTarget, Ids ids) {
    const auto px = [this](int v) { return host_.scale(v); };
    editorArea_ = editorArea;
    notifyTarget_ = notifyTarget;
    viewId_ = ids.view;
    chooser_.create(bar, ids.chooser, {0, 0, px(kChooserWidth), px(300)},
                    win::LazyCombo::Kind::List);
    chooser_.box().setMinVisible(17);
    close_ = win::createButton(bar, ids.close, L"X", {0, 0, px(kCloseWidth), px(23)}, WS_DISABLED);
    constexpr const wchar_t* kChooserHint = L"Отобразить содержимое заметки во втором поле";
    host_.addHint(chooser_.hwnd(), kChooserHint);
    chooser_.onMade = [this](HWND combo) { host_.addHint(combo, kChooserHint); };
    host_.addHint(close_, L"Закрыть второе окно заметки");
}

document::RichEdit& SecondView::view() {
    // The view is a rich-edit control of its own, costly to make: it is made
    // when first needed.
    if (view_.hwnd())
        return view_;
    view_.create(editorArea_, viewId_, RECT{0, 0, 1, 1});
    ShowWindow(view_.hwnd(), SW_HIDE);
    view_.setReadOnly(true);
    splitter_.create(editorArea_, notifyTarget_, 0, 0, 1, host_.scale(kSplitter));
    ShowWindow(splitter_.hwnd(), SW_HIDE);
    host_.giveFont(view_.hwnd()); // empty yet: only its default format takes the font
    viewEvents_.attach(view_.hwnd(), [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
        return onViewMessage(msg, wp, lp, next);
    });
    splitterDrag_.attach(splitter_.hwnd(), win::SplitterDrag::Moves::UpDown, [this](POINT at) {
        height_ = note2HeightForSplitterAt(at.y, top_, bottom_, host_.scale(kSplitter),
                                           host_.scale(kMinimumHeight));
        host_.relayoutEditorArea();
    });
    views_.viewMade(view_);
    return view_;
}

int SecondView::layoutBar(int barWidth) {
    const auto px = [this](int v) { return host_.scale(v); };
    const int closeX = std::max(0, barWidth - px(kCloseWidth));
    const int chooserX = std::max(0, closeX - px(kChooserWidth));
    MoveWindow(close_, closeX, 0, px(kCloseWidth), px(23), TRUE);
    chooser_.move(chooserX, 0, closeX - chooserX, px(300));
    return chooserX;
}

int SecondView::layout(int width, int top, int bottom) {
    top_ = top;
    bottom_ = bottom;
    if (!shown())
        return bottom;
    const int splitter = host_.scale(kSplitter);
    const int height = std::clamp(height_, 0, std::max(0, bottom - top - splitter));
    MoveWindow(view_.hwnd(), 0, bottom - height, width, height, TRUE);
    MoveWindow(splitter_.hwnd(), 0, bottom - height - splitter, width, splitter, TRUE);
    return bottom - height - splitter;
}

bool SecondView::shown() const {
    return view_.hwnd() && (GetWindowLongW(view_.hwnd(), GWL_STYLE) & WS_VISIBLE) != 0;
}

void SecondView::Note2ListSelect() {
    const int index = chooser_.box().selected();
    if (index < 0)
        return;
    const std::wstring name = chooser_.box().itemText(index);
    // Asked before the repainting stops, which takes the visible mark away.
    const bool wasShown = shown();
    view();
    // A note that cannot be read leaves the view and the chooser on what
    // they showed before: the chooser never names a note the view lacks.
    const std::string before = wasShown ? view_.rtf() : std::string();
    try {
        const auto redraw = view_.suspendRedraw();
        // A missing file leaves the view empty, unreported.
        const std::u16string path = notePath(state_.notesFolder, win::toU16(name));
        // The stamp is taken first: a write while the file is read shows as
        // a change later.
        const FileStamp stamp = win::fileStamp(path);
        const bool exists = win::fileExists(path);
        const std::string bytes = exists ? win::readFileBytes(path) : std::string();
        shownStamp_ = stamp;
        view_.empty();
        if (exists)
            view_.loadFileBytes(bytes);
        view_.setModified(false);
        // An open view keeps the height the user gave it. The editor fills
        // the space while the view is closed.
        if (!wasShown) {
            openedHeight_ = note2OpeningHeight(bottom_ - top_);
            height_ = openedHeight_;
            ShowWindow(view_.hwnd(), SW_SHOW);
        }
        ShowWindow(splitter_.hwnd(), SW_SHOW);
    } catch (const base::UserError&) {
        // Put back once the repainting runs again, which would show the view.
        chooser_.box().select(wasShown ? chooser_.box().findExact(shownName_.c_str()) : -1);
        if (wasShown) {
            view_.setRtf(before);
            view_.setModified(false);
        } else {
            ShowWindow(view_.hwnd(), SW_HIDE);
        }
        throw;
    }
    shownName_ = name;
    EnableWindow(close_, TRUE);
    view_.setEventMask(view_.eventMask() | ENM_LINK);
    if (options_.ticked(settings::ID_ISDETECTURL))
        view_.setAutoUrlDetect(true);
    host_.relayoutEditorArea();
}

void SecondView::noteRenamed(const std::wstring& from, const std::wstring& to) {
    if (!shown() || shownName_ != from)
        return;
    shownName_ = to;
    chooser_.box().select(chooser_.box().findExact(to.c_str()));
}

void SecondView::followFile() {
    if (!shown())
        return;
    const std::u16string path = notePath(state_.notesFolder, win::toU16(shownName_));
    const FileStamp now = win::fileStamp(path);
    // A note deleted outside closes the view once the chooser no longer
    // lists it: the chooser never leaves the view without a name.
    if (!now.exists) {
        if (chooser_.box().findExact(shownName_.c_str()) < 0)
            Close2NoteClick();
        return;
    }
    if (now == shownStamp_)
        return;
    try {
        const std::string bytes = win::readFileBytes(path);
        const document::CharRange kept = view_.selection();
        const POINT scrolled = view_.scrollPosition();
        const auto redraw = view_.suspendRedraw();
        view_.loadFileBytes(bytes);
        view_.setModified(false);
        view_.restoreView(kept, scrolled);
        shownStamp_ = now;
    } catch (const base::UserError&) {
        // Locked or half written: the next change or call of the window
        // tries again.
    }
}

void SecondView::Close2NoteClick() {
    chooser_.box().select(-1);
    shownName_.clear();
    height_ = openedHeight_; // the height it opened with, for the next opening
    if (view_.hwnd()) {
        ShowWindow(splitter_.hwnd(), SW_HIDE);
        ShowWindow(view_.hwnd(), SW_HIDE);
    }
    EnableWindow(close_, FALSE);
    host_.relayoutEditorArea();
}

std::optional<LRESULT> SecondView::onViewMessage(UINT msg, WPARAM wp, LPARAM lp,
                                                 const win::Subclass::Next& next) {
    // Esc hides the window here as in the editor above the view.
    if (auto taken = win::takeEscape(msg, wp, [this] { events_.escapeTyped(); }))
        return taken;
    switch (msg) {
    case WM_SETFOCUS: {
        const LRESULT r = next();
        if (onFocusEnter)
            onFocusEnter();
        return r;
    }
    case WM_CONTEXTMENU:
        showContextMenu({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
        return 0;
    default:
        return std::nullopt;
    }
}

void SecondView::showContextMenu(POINT screen) {
    screen = win::contextMenuPoint(view_.hwnd(), screen);
    win::UniqueMenu menu(CreatePopupMenu());
    const auto sel = view_.selection();
    // The view's own keys, named as the note's editing menu names them.
    const std::wstring copy = L"Копировать\t" + program::keyText(program::kCopyKey);
    const std::wstring selectAll = L"Выделить все\t" + program::keyText(program::kSelectAllKey);
    AppendMenuW(menu.get(), MF_STRING | (sel.start == sel.end ? MF_GRAYED : 0), kCopy,
                copy.c_str());
    AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.get(), MF_STRING, kSelectAll, selectAll.c_str());
    const UINT chosen = TrackPopupMenu(menu.get(), TPM_RIGHTBUTTON | TPM_RETURNCMD, screen.x,
                                       screen.y, 0, view_.hwnd(), nullptr);
    if (chosen == kCopy)
        SendMessageW(view_.hwnd(), WM_COPY, 0, 0);
    else if (chosen == kSelectAll)
        view_.setSelection({0, -1});
}

} // namespace quivra::notes
