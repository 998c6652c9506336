#include "document/rich_edit_win.h"

#include "base/errors.h"
#include "base/text_services.h"
#include "document/code_pages_win.h"
#include "document/load_progress_win.h"
#include "document/note_form.h"
#include "document/rtf_output.h"
#include "document/text_lines.h"
#include "document/wiped_buffer.h"
#include "win/subclass_win.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace quivra::document {

namespace {

constexpr long kTextLimit = 0x7FFFFFFE;
// Emptying takes Wine's control about 0.5 s for 5,000 paragraphs, 1 s for
// 10,000, 7 s for 20,000 and minutes for 100,000.
constexpr long kBigEmptyLines = 5000;
// A fresh control costs 1 to 10 ms, whatever the old one held. Emptying in
// place costs about as much at 100 to 200 paragraphs (of formatted text, 150:
// 12 ms; of short lines, 200: 1.3 ms), and from there it grows with their
// square (616 formatted paragraphs: 0.15 s; 2,500, a note of 1 MB: 2 to 4 s);
// one long paragraph costs nothing (200,000 letters: 2 ms).
constexpr long kReplaceToEmptyLines = 200;
constexpr const wchar_t* kBackgroundProp = L"QuivraRichEditBackground";
constexpr int kLineBufferUnits = 4096;
constexpr UINT kUtf16CodePage = 1200;
// The control's scroll bars are those it was created with; the style then
// shows the ones its text needs at the moment.
constexpr DWORD kScrollBars = WS_VSCROLL | WS_HSCROLL;
constexpr DWORD kCreatedStyle = WS_CHILD | WS_VISIBLE | kScrollBars | WS_TABSTOP | ES_MULTILINE |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;

struct InCookie {
    std::string_view bytes;
    size_t pos = 0;
    LoadProgressWindow* progress = nullptr;
};

// Runs inside the control's SendMessage: no exception may pass through it.
DWORD CALLBACK readBytes(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* read) {
    auto* in = reinterpret_cast<InCookie*>(cookie);
    const size_t n = std::min(static_cast<size_t>(std::max(size, 0L)), in->bytes.size() - in->pos);
    std::memcpy(buffer, in->bytes.data() + in->pos, n);
    in->pos += n;
    *read = static_cast<LONG>(n);
    if (in->progress) {
        try {
            // Once the last bytes are handed over, the control only lays the
            // text out, which it does not report.
            if (in->pos == in->bytes.size())
                in->progress->setLayingOut();
            else
                in->progress->setRead(static_cast<double>(in->pos) /
                                      static_cast<double>(in->bytes.size()));
        } catch (...) {
            in->progress = nullptr; // the load goes on without the popup
        }
    }
    return 0;
}

struct OutCookie {
    std::string bytes;
    bool failed = false;
};

// Runs inside the control's SendMessage: no exception may pass through it.
DWORD CALLBACK writeBytes(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* written) {
    auto* out = reinterpret_cast<OutCookie*>(cookie);
    try {
        out->bytes.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(size));
        *written = size;
        return 0;
    } catch (...) {
        out->failed = true;
        *written = 0;
        return 1;
    }
}

} // namespace

bool RichEdit::create(HWND parent, int id, const RECT& rect) {
    HWND hwnd = CreateWindowExW(0, RICHEDIT_CLASSW, L"", kCreatedStyle, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleW(nullptr), nullptr);
    if (!hwnd)
        return false;
    owned_.reset(hwnd);
    hwnd_ = hwnd;
    prepare();
    return true;
}

void RichEdit::attach(HWND hwnd) {
    owned_.reset();
    hwnd_ = hwnd;
    prepare();
}

void RichEdit::prepare() {
    SendMessageW(hwnd_, EM_EXLIMITTEXT, 0, kTextLimit);
    // Wine's own default is System bold; text loaded as plain text and text
    // typed into an empty note take this format.
    setDefaultCharFormat(noteDefaultCharFormat());
    setWordWrap(false);
}

// --- Whole content --------------------------------------------------------

bool RichEdit::slowLoad(const LoadMeasure& load) const {
    return load.big() || (wordWrap_ && load.slowToWrap());
}

HWND RichEdit::loadProgressOwner() const {
    return progressOwner_ ? progressOwner_ : GetAncestor(hwnd_, GA_ROOT);
}

long RichEdit::streamIn(UINT format, std::string_view bytes, bool big) {
    InCookie cookie{bytes};
    std::unique_ptr<LoadProgressWindow> progress;
    if (big) {
        progress = std::make_unique<LoadProgressWindow>(loadProgressOwner());
        cookie.progress = progress.get();
    }
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&cookie), 0, readBytes};
    SendMessageW(hwnd_, EM_STREAMIN, format, reinterpret_cast<LPARAM>(&stream));
    return static_cast<long>(stream.dwError);
}

bool RichEdit::streamForm(std::string_view rtf, const NoteForm& form) {
    if (form.refused())
        throw form.refusal();
    // Streaming into a control that holds a big text is several times slower
    // than into an empty one.
    empty();
    const std::string_view bytes =
        form.kind == NoteFormKind::Rtf
            ? rtf
            : std::string_view(reinterpret_cast<const char*>(form.text.data()),
                               form.text.size() * sizeof(char16_t));
    const UINT format = form.kind == NoteFormKind::Rtf ? SF_RTF : SF_TEXT | SF_UNICODE;
    if (streamIn(format, bytes, slowLoad(form.load)) != 0) {
        empty();
        return false;
    }
    setModified(true);
    return true;
}

std::string RichEdit::streamOut(UINT format) const {
    OutCookie cookie;
    EDITSTREAM stream{reinterpret_cast<DWORD_PTR>(&cookie), 0, writeBytes};
    SendMessageW(hwnd_, EM_STREAMOUT, format, reinterpret_cast<LPARAM>(&stream));
    if (cookie.failed)
        throw std::bad_alloc();
    // Wine's writer ends the document with a NUL after the closing brace.
    if (!cookie.bytes.empty() && cookie.bytes.back() == '\0')
        cookie.bytes.pop_back();
    return std::move(cookie.bytes);
}

std::string RichEdit::rtf() const {
    // The UTF-8 writer keeps every character but lone surrogates, which the
    // text puts back; the result is then rewritten as standard RTF.
    std::string utf8 = streamOut(SF_RTF | SF_USECODEPAGE | (CP_UTF8 << 16));
    if (utf8.find("\xEF\xBF\xBD") != std::string::npos)
        if (std::optional<std::string> repaired = restoreSurrogates(utf8, text()))
            utf8 = std::move(*repaired);
    if (std::optional<std::string> standard = standardRtf(utf8, GetACP(), windowsCodePages()))
        return std::move(*standard);
    return streamOut(SF_RTF); // not expected: standard, if with look-alikes
}

void RichEdit::setRtf(std::string_view rtf) {
    if (!streamForm(rtf, rtfNoteForm(rtf)))
        throw base::failedToLoadStream();
}

void RichEdit::loadFileBytes(std::string_view bytes) {
    const NoteForm form = decideNoteForm(bytes, base::textServices());
    if (form.refused())
        throw form.refusal();
    // The control can still reject RTF the guard passed; the file is then
    // shown as its text. Where its text would be refused too, the content
    // shown now is kept aside first, so that a rejection puts it back.
    std::optional<NoteForm> asText;
    std::optional<std::string> kept;
    const bool wasModified = modified();
    if (form.kind == NoteFormKind::Rtf) {
        asText = plainNoteForm(bytes, base::textServices());
        if (asText->refused())
            kept = rtf();
    }
    if (streamForm(bytes, form))
        return;
    if (asText && !asText->refused() && streamForm(bytes, *asText))
        return;
    if (kept && streamForm(*kept, rtfNoteForm(*kept)))
        setModified(wasModified);
    throw base::failedToLoadStream();
}

void RichEdit::setPlainText(std::u16string_view text) {
    if (!streamForm({}, textNoteForm(text)))
        throw base::failedToLoadStream();
}

void RichEdit::appendPlainText(std::u16string_view text) {
    const CharRange kept = selection();
    const POINT scrolled = scrollPosition();
    setSelection({-1, -1});
    const std::u16string broken = withParagraphBreaks(text);
    SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(broken.c_str()));
    restoreView(kept, scrolled);
}

POINT RichEdit::scrollPosition() const {
    POINT scrolled{};
    SendMessageW(hwnd_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
    return scrolled;
}

void RichEdit::restoreView(CharRange kept, POINT scrolled) {
    setSelection(kept);
    SendMessageW(hwnd_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
}

void RichEdit::empty() {
    const auto lines = static_cast<long>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
    if (!(replacesToEmpty(lines) && replaceControl(OldControl::Destroy)) && lines >= kBigEmptyLines)
        deleteInSteps(lines);
    SendMessageW(hwnd_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    // The empty paragraph left behind keeps the format of the removed text;
    // give it the default character format and a plain paragraph format.
    CHARFORMAT2W characters = defaultCharFormat();
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&characters));
    PARAFORMAT2 paragraph{};
    paragraph.cbSize = sizeof paragraph;
    paragraph.dwMask = PFM_ALIGNMENT | PFM_NUMBERING | PFM_NUMBERINGSTYLE | PFM_NUMBERINGTAB |
                       PFM_NUMBERINGSTART | PFM_STARTINDENT | PFM_RIGHTINDENT | PFM_OFFSET |
                       PFM_SPACEBEFORE | PFM_SPACEAFTER | PFM_LINESPACING;
    paragraph.wAlignment = PFA_LEFT;
    SendMessageW(hwnd_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&paragraph));
    setModified(false);
}

void RichEdit::addSwapListener(EditorSwapListener& listener) {
    if (std::find(swapListeners_.begin(), swapListeners_.end(), &listener) == swapListeners_.end())
        swapListeners_.push_back(&listener);
}

void RichEdit::removeSwapListener(EditorSwapListener& listener) {
    std::erase(swapListeners_, &listener);
}

bool RichEdit::replacesToEmpty(long paragraphs) const {
    return replaceable_ && owned_ && paragraphs >= kReplaceToEmptyLines;
}

void RichEdit::deleteInSteps(long lines) {
    // Every deleted paragraph costs time in proportion to all of them, so
    // the whole text goes in one long wait either way; in steps from the end
    // it goes twice as fast and shows how far it got.
    LoadProgressWindow progress(loadProgressOwner(), L"Закрывается большая заметка…");
    constexpr long kStep = 1000;
    for (long left = lines; left > 1;) {
        const long from = lineIndex(static_cast<int>(std::max(left - kStep, 0L)));
        setSelection({from, -1});
        SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        if (from <= 0)
            break;
        left = static_cast<long>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
        progress.setProgress(1.0 - static_cast<double>(left) / static_cast<double>(lines),
                             L"Закрыто");
    }
}

bool RichEdit::replaceControl(OldControl old) {
    HWND current = hwnd_;
    if (!owned_ || owned_.get() != current)
        return false;
    RECT r{};
    GetWindowRect(current, &r);
    HWND parent = GetParent(current);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(current, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(current, GWL_EXSTYLE));
    const DWORD freshStyle = (style & ~WS_VISIBLE) | kScrollBars;
    win::UniqueHwnd fresh(
        CreateWindowExW(exStyle, RICHEDIT_CLASSW, L"", freshStyle, r.left, r.top, r.right - r.left,
                        r.bottom - r.top, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(current))),
                        GetModuleHandleW(nullptr), nullptr));
    if (!fresh)
        return false;
    const bool wrap = wordWrap_;
    win::UniqueHwnd previous = putInPlace(std::move(fresh), true);
    if (old == OldControl::SetAside) {
        asideWrap_ = wrap;
        // Out of the window's children (and so of every search through
        // them), hidden, until it comes back or is dropped.
        ShowWindow(previous.get(), SW_HIDE);
        SetParent(previous.get(), HWND_MESSAGE);
        aside_ = std::move(previous);
    }
    return true; // a control not set aside is destroyed here
}

win::UniqueHwnd RichEdit::putInPlace(win::UniqueHwnd next, bool fresh) {
    HWND old = hwnd_;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(old, GWL_STYLE));
    // The settings of the old control that the program changes.
    const CHARFORMAT2W format = defaultCharFormat();
    const DWORD mask = eventMask();
    const bool urls = autoUrlDetect();
    const auto font = SendMessageW(old, WM_GETFONT, 0, 0);
    const HANDLE background = GetPropW(old, kBackgroundProp);
    const bool focused = GetFocus() == old;
    const bool wrap = wordWrap_;
    if (!fresh) {
        // A control set aside earlier comes back into the old one's place,
        // size and state, which may have changed meanwhile (a fresh one was
        // made there).
        HWND parent = GetParent(old);
        RECT r{};
        GetWindowRect(old, &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        SetParent(next.get(), parent);
        SetWindowLongPtrW(next.get(), GWLP_ID, GetDlgCtrlID(old));
        MoveWindow(next.get(), r.left, r.top, r.right - r.left, r.bottom - r.top, FALSE);
        SendMessageW(next.get(), EM_SETREADONLY, (style & ES_READONLY) != 0, 0);
        EnableWindow(next.get(), (style & WS_DISABLED) == 0);
    }
    // Right below the old one, which leaves it in the old one's place in the
    // z-order and the tab order once that is gone.
    SetWindowPos(next.get(), old, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    win::UniqueHwnd previous(owned_.release());
    owned_ = std::move(next);
    hwnd_ = owned_.get();
    if (fresh) {
        SendMessageW(hwnd_, WM_SETFONT, static_cast<WPARAM>(font), FALSE);
        prepare();
        setDefaultCharFormat(format);
        setWordWrap(wrap);
        setAutoUrlDetect(urls);
    } else {
        // A control set aside keeps its text's formats: a rich-edit control
        // takes WM_SETFONT as a format change of all of it, and a new wrap
        // or link detection goes through all of it (seconds for a big
        // note), so only what changed meanwhile is set.
        wordWrap_ = asideWrap_;
        if (wrap != asideWrap_)
            setWordWrap(wrap);
        if (urls != autoUrlDetect())
            setAutoUrlDetect(urls);
    }
    setEventMask(mask);
    setBackground(hwnd_, background ? std::optional<COLORREF>(static_cast<COLORREF>(
                                          reinterpret_cast<UINT_PTR>(background) - 1))
                                    : std::nullopt);
    // A suspended redraw hides the control under Wine until it resumes, and
    // its end shows the control it finds then.
    if (redrawSuspensions_ > 0) {
        SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
    } else {
        if (!fresh)
            SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
        ShowWindow(hwnd_, (style & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
        if (!fresh)
            InvalidateRect(hwnd_, nullptr, TRUE);
    }
    win::Subclass::moveHandlers(old, hwnd_, [&] {
        if (focused)
            SetFocus(hwnd_);
    });
    for (EditorSwapListener* listener : std::vector(swapListeners_))
        listener->editorReplaced(old, hwnd_);
    return previous;
}

bool RichEdit::setContentAside() {
    const auto lines = static_cast<long>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
    return replacesToEmpty(lines) && replaceControl(OldControl::SetAside);
}

bool RichEdit::bringContentBack() {
    if (!aside_ || !owned_ || owned_.get() != hwnd_)
        return false;
    // The control that held the content meanwhile goes.
    putInPlace(std::move(aside_), false);
    return true;
}

void RichEdit::dropContentAside() {
    aside_.reset();
}

std::u16string RichEdit::getText(DWORD flags) const {
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, kUtf16CodePage};
    if (flags & GT_USECRLF)
        length.flags |= GTL_USECRLF;
    const LRESULT n = SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0);
    if (n <= 0)
        return {};
    std::u16string out(static_cast<size_t>(n) + 1, u'\0');
    GETTEXTEX get{static_cast<DWORD>(out.size() * sizeof(char16_t)), flags, kUtf16CodePage, nullptr,
                  nullptr};
    const LRESULT got = SendMessageW(hwnd_, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                     reinterpret_cast<LPARAM>(out.data()));
    out.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, n)));
    return out;
}

std::u16string RichEdit::text() const {
    return getText(GT_DEFAULT);
}

std::u16string RichEdit::textCrLf() const {
    return getText(GT_USECRLF);
}

long RichEdit::textLength() const {
    GETTEXTLENGTHEX length{GTL_NUMCHARS | GTL_PRECISE, kUtf16CodePage};
    return static_cast<long>(
        SendMessageW(hwnd_, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length), 0));
}

std::u16string RichEdit::textRange(CharRange range) const {
    const long length = textLength();
    const long end = range.end < 0 ? length : std::min(range.end, length);
    const long start = std::clamp(range.start, 0L, end);
    if (start >= end)
        return {};
    std::u16string out(static_cast<size_t>(end - start) + 1, u'\0');
    TEXTRANGEW request{{start, end}, reinterpret_cast<wchar_t*>(out.data())};
    const LRESULT got = SendMessageW(hwnd_, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&request));
    out.resize(static_cast<size_t>(std::clamp<LRESULT>(got, 0, end - start)));
    return out;
}

// --- State ----------------------------------------------------------------

bool RichEdit::modified() const {
    return SendMessageW(hwnd_, EM_GETMODIFY, 0, 0) != 0;
}

void RichEdit::setModified(bool modified) {
    SendMessageW(hwnd_, EM_SETMODIFY, modified ? TRUE : FALSE, 0);
}

bool RichEdit::readOnly() const {
    return (GetWindowLongPtrW(hwnd_, GWL_STYLE) & ES_READONLY) != 0;
}

void RichEdit::setReadOnly(bool readOnly) {
    SendMessageW(hwnd_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

bool RichEdit::enabled() const {
    return IsWindowEnabled(hwnd_) != FALSE;
}

void RichEdit::setEnabled(bool enabled) {
    EnableWindow(hwnd_, enabled ? TRUE : FALSE);
}

void RichEdit::focus() {
    SetFocus(hwnd_);
}

bool RichEdit::focused() const {
    return GetFocus() == hwnd_;
}

void RichEdit::setWordWrap(bool wrap) {
    // Wrapping a long paragraph keeps the control busy for long (see
    // document/load_size.h), without a word of progress: say so meanwhile.
    std::unique_ptr<LoadProgressWindow> progress;
    if (wrap && !wordWrap_)
        if (const size_t longest = longestParagraph(text()); longest >= kSlowWrapParagraph) {
            progress = std::make_unique<LoadProgressWindow>(loadProgressOwner(),
                                                            L"Переносятся длинные строки…");
            progress->setMessage((L"В заметке есть абзац в " + std::to_wstring(longest) +
                                  L" знаков, его перенос займёт время. Программа ответит, "
                                  L"когда он закончится.")
                                     .c_str());
        }
    // Line width 0 wraps at the window's width; 1 means no wrapping.
    SendMessageW(hwnd_, EM_SETTARGETDEVICE, 0, wrap ? 0 : 1);
    // The control shows and hides its scroll bars itself, by the ones it was
    // created with; wrapped text never needs the horizontal one.
    if (wrap)
        ShowScrollBar(hwnd_, SB_HORZ, FALSE);
    wordWrap_ = wrap;
}

RichEdit::RedrawSuspension RichEdit::suspendRedraw() {
    return RedrawSuspension(*this);
}

RichEdit::RedrawSuspension::RedrawSuspension(RichEdit& edit) : edit_(edit) {
    if (edit_.redrawSuspensions_++ == 0)
        SendMessageW(edit_.hwnd_, WM_SETREDRAW, FALSE, 0);
}

RichEdit::RedrawSuspension::~RedrawSuspension() {
    if (--edit_.redrawSuspensions_ > 0)
        return;
    // The control of now, which may have replaced the one suspended.
    SendMessageW(edit_.hwnd_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(edit_.hwnd_, nullptr, TRUE);
}

// --- Selection ------------------------------------------------------------

CharRange RichEdit::selection() const {
    CHARRANGE range{};
    SendMessageW(hwnd_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return {range.cpMin, range.cpMax};
}

void RichEdit::setSelection(CharRange range) {
    CHARRANGE r{range.start, range.end};
    SendMessageW(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

std::u16string RichEdit::selectedText() const {
    return textRange(selection());
}

void RichEdit::hideSelection(bool hide) {
    SendMessageW(hwnd_, EM_HIDESELECTION, hide ? TRUE : FALSE, 0);
}

void RichEdit::replaceSelection(std::u16string_view text) {
    const std::u16string terminated(text);
    SendMessageW(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(terminated.c_str()));
}

// --- Lines ----------------------------------------------------------------

int RichEdit::lineCount() const {
    auto count = static_cast<int>(SendMessageW(hwnd_, EM_GETLINECOUNT, 0, 0));
    if (count > 0 && SendMessageW(hwnd_, EM_LINELENGTH, lineIndex(count - 1), 0) == 0)
        --count;
    return count;
}

std::u16string RichEdit::line(int index) const {
    if (index < 0)
        return {};
    std::array<wchar_t, kLineBufferUnits> buffer{};
    buffer[0] = static_cast<wchar_t>(kLineBufferUnits); // EM_GETLINE reads the size from here
    const LRESULT got =
        SendMessageW(hwnd_, EM_GETLINE, index, reinterpret_cast<LPARAM>(buffer.data()));
    std::u16string out(buffer.begin(),
                       buffer.begin() + std::clamp<LRESULT>(got, 0, kLineBufferUnits));
    if (!out.empty() && out.back() == u'\n')
        out.pop_back();
    if (!out.empty() && out.back() == u'\r')
        out.pop_back();
    return out;
}

void RichEdit::setLine(int index, std::u16string_view text) {
    if (index < 0 || index >= lineCount())
        return;
    const long start = lineIndex(index);
    const auto length = static_cast<long>(SendMessageW(hwnd_, EM_LINELENGTH, start, 0));
    setSelection({start, start + length});
    replaceSelection(text);
}

std::vector<std::u16string> RichEdit::lines() const {
    return splitLines(text());
}

RichEdit::ParagraphsReplaced
RichEdit::replaceParagraphs(std::span<const ParagraphChange> changes, std::string_view current,
                            std::optional<std::u16string_view> currentText, OldContent keep) {
    // Every buffer below holds the note's text, plain on one side of the
    // cipher: none outlives the call.
    std::u16string read16 = currentText ? std::u16string() : text();
    WipedOnExit wipeRead16(read16);
    const std::u16string_view before = currentText ? *currentText : std::u16string_view(read16);
    std::string read = current.empty() ? rtf() : std::string();
    WipedOnExit wipeRead(read);
    const std::string_view old = current.empty() ? std::string_view(read) : current;
    std::optional<RewrittenRtf> rewritten = rewriteParagraphs(old, changes, windowsCodePages());
    if (!rewritten)
        return ParagraphsReplaced::Refused;
    WipedOnExit wipeRewritten(rewritten->rtf);
    // The control must read as many paragraphs as the rewrite counted, or
    // the changes would land on other lines.
    if (rewritten->paragraphs !=
        static_cast<size_t>(std::count(before.begin(), before.end(), u'\r')) + 1)
        return ParagraphsReplaced::Refused;
    const NoteForm form = rtfNoteForm(rewritten->rtf);
    if (form.refused())
        return ParagraphsReplaced::Refused;
    const CharRange kept = selection();
    const POINT scrolled = scrollPosition();
    const bool setAside = keep == OldContent::SetAside && setContentAside();
    if (!streamForm(rewritten->rtf, form)) {
        // The control rejected it and is empty now: the note goes back.
        if (setAside && bringContentBack())
            return ParagraphsReplaced::Refused;
        if (!streamForm(old, rtfNoteForm(old)))
            throw base::failedToLoadStream();
        restoreView(kept, scrolled);
        return ParagraphsReplaced::Refused;
    }
    restoreView(kept, scrolled);

    std::u16string after = text();
    WipedOnExit wipeAfter(after);
    return readsAsChanged(before, after, changes) ? ParagraphsReplaced::AsExpected
                                                  : ParagraphsReplaced::Differently;
}

long RichEdit::lineIndex(int index) const {
    return static_cast<long>(SendMessageW(hwnd_, EM_LINEINDEX, index, 0));
}

int RichEdit::lineFromChar(long pos) const {
    return static_cast<int>(SendMessageW(hwnd_, EM_LINEFROMCHAR, static_cast<WPARAM>(pos), 0));
}

// --- Formats --------------------------------------------------------------

CHARFORMAT2W RichEdit::charFormat() const {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(hwnd_, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
    return format;
}

void RichEdit::setCharFormat(const CHARFORMAT2W& format) {
    CHARFORMAT2W f = format;
    f.cbSize = sizeof f;
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
}

CHARFORMAT2W RichEdit::defaultCharFormat() const {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    SendMessageW(hwnd_, EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    return format;
}

void RichEdit::setDefaultCharFormat(const CHARFORMAT2W& format) {
    CHARFORMAT2W f = format;
    f.cbSize = sizeof f;
    SendMessageW(hwnd_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&f));
}

PARAFORMAT2 RichEdit::paraFormat() const {
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    SendMessageW(hwnd_, EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
    return format;
}

void RichEdit::setParaFormat(const PARAFORMAT2& format) {
    PARAFORMAT2 f = format;
    f.cbSize = sizeof f;
    SendMessageW(hwnd_, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&f));
}

CHARFORMAT2W RichEdit::noteDefaultCharFormat() {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    format.dwMask = CFM_FACE | CFM_SIZE | CFM_CHARSET | CFM_COLOR | CFM_BACKCOLOR | CFM_BOLD |
                    CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    format.dwEffects = CFE_AUTOCOLOR | CFE_AUTOBACKCOLOR;
    format.yHeight = 8 * 20; // twips
    format.bCharSet = RUSSIAN_CHARSET;
    wcscpy_s(format.szFaceName, LF_FACESIZE, L"Tahoma");
    return format;
}

// --- Notifications ----------------------------------------------------------

DWORD RichEdit::setEventMask(DWORD mask) {
    return static_cast<DWORD>(SendMessageW(hwnd_, EM_SETEVENTMASK, 0, mask));
}

DWORD RichEdit::eventMask() const {
    return static_cast<DWORD>(SendMessageW(hwnd_, EM_GETEVENTMASK, 0, 0));
}

void RichEdit::setBackground(HWND control, std::optional<COLORREF> colour) {
    // Kept with the control, so that a replacement takes it over.
    if (colour)
        SetPropW(control, kBackgroundProp,
                 reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(*colour) + 1));
    else
        RemovePropW(control, kBackgroundProp);
    SendMessageW(control, EM_SETBKGNDCOLOR, colour ? 0 : 1, colour.value_or(0));
}

void RichEdit::setAutoUrlDetect(bool on) {
    SendMessageW(hwnd_, EM_AUTOURLDETECT, on ? TRUE : FALSE, 0);
}

bool RichEdit::autoUrlDetect() const {
    return SendMessageW(hwnd_, EM_GETAUTOURLDETECT, 0, 0) != 0;
}

std::optional<LinkEvent> RichEdit::linkEvent(LPARAM notifyLParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(notifyLParam);
    if (!header || header->code != EN_LINK)
        return std::nullopt;
    const auto* link = reinterpret_cast<const ENLINK*>(notifyLParam);
    return LinkEvent{link->msg, link->wParam, link->lParam, {link->chrg.cpMin, link->chrg.cpMax}};
}

} // namespace quivra::document
