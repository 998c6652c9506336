// The typed wrapper over the RichEdit 2.0 control (window class RICHEDIT20W):
// one function per operation the program uses. No other code sends EM_*
// messages. Positions count characters, a paragraph break being one ('\r').
#pragma once

#include <windows.h>
#include <richedit.h>

#include "document/note_form.h"
#include "document/rtf_paragraphs.h"
#include "win/handles_win.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::document {

// A character range [start, end); end -1 stands for the end of the text.
struct CharRange {
    long start = 0;
    long end = 0;
    long length() const noexcept { return end - start; }
    bool operator==(const CharRange&) const = default;
};

// What an EN_LINK notification reports: the mouse (or key) message over the
// link and the link's characters.
struct LinkEvent {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    CharRange range;
};

// Told when an editor's control is replaced by a fresh one (see
// RichEdit::setReplaceable): for whoever keeps the control's handle or state
// of its own tied to it beyond what the wrapper carries over.
class EditorSwapListener {
  public:
    // `fresh` is set up like `old` and already carries its handlers; `old`
    // still exists and is destroyed right after the listeners were told, or
    // set aside (setContentAside). `fresh` may be a control set aside
    // earlier, coming back.
    virtual void editorReplaced(HWND old, HWND fresh) = 0;

  protected:
    ~EditorSwapListener() = default;
};

class RichEdit {
  public:
    class RedrawSuspension;

    RichEdit() = default;
    RichEdit(const RichEdit&) = delete;
    RichEdit& operator=(const RichEdit&) = delete;

    // Creates and owns the control: a visible child with both scroll bars,
    // Enter and Tab typed into it, the selection kept visible without the
    // focus; then prepared as attach() does. False if the window could not be
    // created (riched20.dll not loaded).
    bool create(HWND parent, int id, const RECT& rect);
    // Wraps a control created elsewhere, without owning it, and prepares it:
    // text limit raised so that big notes load, the note's default character
    // format, word wrap off.
    void attach(HWND hwnd);
    HWND hwnd() const noexcept { return hwnd_; }

    // --- Whole content --------------------------------------------------
    // The content as standard RTF ({\rtf1\ansi\ansicpgN...) that keeps every
    // code unit of the text and its formatting: characters of their font's
    // code page as \'hh, every other code unit as \uN? (document/rtf_output.h).
    // Read back by setRtf; other programs read it too.
    std::string rtf() const;
    // Replaces the content from RTF. Throws failedToLoadStream() when the
    // document would crash or hang the control (document/rtf_guard.h), and
    // leaves the content as it was; or when the control rejects it, and the
    // editor is then empty.
    void setRtf(std::string_view rtf);
    // Replaces the content from a note file's bytes, in the form decided from
    // them first (document/note_form.h): as RTF, else as plain text in the
    // encoding its first bytes give. A file refused there (neither, or RTF
    // the control cannot survive) throws failedToLoadStream() and leaves the
    // editor, its text and its modified flag as they were. RTF the control
    // rejects while reading is shown as its text; when that text is refused
    // too, the editor gets back what it held, and its modified flag.
    void loadFileBytes(std::string_view bytes);
    // Replaces the content with plain text in the default character format.
    // '\n', '\r' and "\r\n" each become a paragraph break.
    void setPlainText(std::u16string_view text);
    // Adds plain text at the end (line ends as setPlainText) and leaves the
    // selection and the scroll position as they were.
    void appendPlainText(std::u16string_view text);
    // Removes all text and formatting (what is typed next has the default
    // formats) and clears the modified flag. Wine's control takes time in
    // proportion to the square of the paragraphs to empty (2,500 paragraphs
    // of a 1 MB note: seconds, 100,000: minutes): from a few hundred on, a
    // replaceable control (setReplaceable) is replaced by a fresh one;
    // otherwise, from 5,000 on, the text goes in steps under a progress popup.
    void empty();
    // Lets empty() replace a control of its own (made by create()) that holds
    // a few hundred paragraphs or more by a fresh, empty one, which costs a
    // few milliseconds however much the old one held: same parent, id, place, z-order (and
    // so tab order), style (read-only, enabled, visible), font, default
    // character format, word wrap, notifications, link detection and
    // background; the focus moves to it if the old one had it, without
    // either seeing a focus change; the handlers laid over the old one
    // (win/subclass_win.h) are laid over the new one in the same order; a
    // suspended redraw (suspendRedraw) goes on over it. Whatever else keeps
    // the handle learns of the change through an EditorSwapListener. Not for
    // attached controls.
    void setReplaceable(bool replaceable) noexcept { replaceable_ = replaceable; }
    // The content set aside, for a quick way back to it: the control that
    // holds it is kept, hidden and out of the window, and a fresh, empty one
    // takes its place as empty() puts one there. An earlier content set
    // aside is dropped. False for a content that empty() would not replace
    // the control for (a small one loads back in a moment); nothing changes
    // then.
    bool setContentAside();
    bool hasContentAside() const noexcept { return static_cast<bool>(aside_); }
    // The control set aside takes the place of the one shown, which goes
    // with its content; it comes back with its selection, scroll position
    // and modified flag, and with the settings the shown one has now (place,
    // size, read-only, enabled, visible, font, word wrap, notifications, link
    // detection, background, focus, handlers). False when nothing was set
    // aside.
    bool bringContentBack();
    // Forgets the content set aside.
    void dropContentAside();
    // A listener stays registered until removed; the wrapper must not
    // outlive it without removing it.
    void addSwapListener(EditorSwapListener& listener);
    void removeSwapListener(EditorSwapListener& listener);
    // Every replacement of the whole content above (except empty) sets the
    // modified flag: it is a change of the note like any other.
    // A replacement big enough to keep the control busy for more than a
    // moment (document/load_size.h) shows a popup with its progress
    // (document/load_progress_win.h) owned by this window; by default the
    // control's top-level window.
    void setLoadProgressOwner(HWND owner) noexcept { progressOwner_ = owner; }

    // The whole text, paragraph breaks as '\r' (positions match), or as
    // "\r\n" for the clipboard and other programs.
    std::u16string text() const;
    std::u16string textCrLf() const;
    long textLength() const;
    // The characters of a range (a link's text, for example).
    std::u16string textRange(CharRange range) const;

    // --- State ----------------------------------------------------------
    bool modified() const;
    void setModified(bool modified);
    // Read-only refuses typing; the program's own changes still work.
    bool readOnly() const;
    void setReadOnly(bool readOnly);
    bool enabled() const;
    void setEnabled(bool enabled);
    void focus();
    bool focused() const;
    // Off: lines run on, both scroll bars. On: lines wrap at the control's
    // width, vertical scroll bar only (lines are then display lines).
    // Wrapping a paragraph of many thousand characters takes Wine's control
    // long (document/load_size.h): turning wrap on over one shows a popup that
    // says so, and so does a load while wrap is on.
    bool wordWrap() const noexcept { return wordWrap_; }
    void setWordWrap(bool wrap);
    // Nothing is drawn until the returned object goes out of scope, also
    // when the control is replaced meanwhile. Suspensions may nest.
    [[nodiscard]] RedrawSuspension suspendRedraw();

    // --- Selection ------------------------------------------------------
    CharRange selection() const;
    void setSelection(CharRange range);
    POINT scrollPosition() const;
    // Puts the selection and scroll position back after a replacement.
    void restoreView(CharRange selection, POINT scrolled);
    std::u16string selectedText() const;
    // While hidden, selection changes are not drawn: many replacements in a
    // row run faster.
    void hideSelection(bool hide);
    // Inserted text takes the format at the caret; the caret ends after it.
    // Not undoable. A NUL ends the inserted text.
    void replaceSelection(std::u16string_view text);

    // --- Lines (paragraphs while word wrap is off) ------------------------
    // A final empty line is not counted: an empty editor has no lines.
    int lineCount() const;
    // Line i without its paragraph break, at most 4096 code units; empty when
    // there is no such line.
    std::u16string line(int index) const;
    // Replaces line i's text, leaving its paragraph break and the other lines;
    // nothing happens when there is no such line.
    void setLine(int index, std::u16string_view text);
    // Every line at once from the whole text, without the length limit of
    // line(); the same lines as line(0..lineCount()-1) while word wrap is off.
    std::vector<std::u16string> lines() const;
    // What replaceParagraphs did.
    enum class ParagraphsReplaced {
        // Nothing: the content holds what the rewrite cannot place (tables,
        // pictures, fields; document/rtf_paragraphs.h), or the control would
        // not read it. The caller replaces the lines one by one instead.
        Refused,
        // The text is the old one with every change made.
        AsExpected,
        // The content was replaced, but the text reads otherwise somewhere;
        // the caller compares each changed line.
        Differently,
    };
    // Replaces the text of many paragraphs (lines while word wrap is off) as
    // setLine would one by one: each takes the format of its first
    // character, paragraph formats stay. The content is written out once,
    // rewritten and read back in once, which costs what loading the note
    // costs, where a replacement per line costs Wine's control time in
    // proportion to the whole text. The selection and scroll position are
    // kept and the modified flag is set. `current` and `currentText`: what
    // rtf() and text() give now, when the caller has just read them (empty,
    // none: read here); `current` may also be RTF of the same text the
    // content was loaded from. With SetAside the content replaced is set
    // aside as setContentAside() does, when the control allows it.
    enum class OldContent { Drop, SetAside };
    ParagraphsReplaced replaceParagraphs(std::span<const ParagraphChange> changes,
                                         std::string_view current = {},
                                         std::optional<std::u16string_view> currentText = {},
                                         OldContent keep = OldContent::Drop);
    // First character of line i, -1 when there is no such line.
    long lineIndex(int index) const;
    // Line of character pos (-1: of the caret).
    int lineFromChar(long pos) const;

    // --- Formats --------------------------------------------------------
    // Of the selection: the returned dwMask tells which fields are the same
    // over the whole selection; setting changes only the fields in dwMask.
    CHARFORMAT2W charFormat() const;
    void setCharFormat(const CHARFORMAT2W& format);
    // The format of text that has no other: typed into an empty editor or
    // loaded as plain text.
    CHARFORMAT2W defaultCharFormat() const;
    void setDefaultCharFormat(const CHARFORMAT2W& format);
    // Of the paragraphs touched by the selection.
    PARAFORMAT2 paraFormat() const;
    void setParaFormat(const PARAFORMAT2& format);
    // The note's default: Tahoma 8 pt, Cyrillic, automatic colours, no
    // effects.
    static CHARFORMAT2W noteDefaultCharFormat();

    // --- Notifications ----------------------------------------------------
    // ENM_* bits of the notifications sent to the parent (ENM_LINK for
    // EN_LINK, ENM_CHANGE for EN_CHANGE, ...); returns the previous mask.
    DWORD setEventMask(DWORD mask);
    DWORD eventMask() const;
    // URLs are marked as links as they are typed or set.
    void setAutoUrlDetect(bool on);
    // The page colour behind the text; nullopt restores the system's window
    // colour. The text and its formats are not touched.
    void setBackground(std::optional<COLORREF> colour) { setBackground(hwnd_, colour); }
    // The same for any rich-edit control, for code that repaints controls it
    // does not own (the skin engine).
    static void setBackground(HWND control, std::optional<COLORREF> colour);
    bool autoUrlDetect() const;
    // The link event in a WM_NOTIFY the parent received, if it is one.
    static std::optional<LinkEvent> linkEvent(LPARAM notifyLParam);

  private:
    void prepare();
    // Streams bytes in with the given SF_* format, showing the progress when
    // `big`; returns the control's error code (0: accepted).
    long streamIn(UINT format, std::string_view bytes, bool big);
    // Replaces the content with a decided form (`rtf` holds the bytes of an
    // Rtf form). Throws the form's refusal before touching the control;
    // false when the control rejects it, and it is then empty.
    bool streamForm(std::string_view rtf, const NoteForm& form);
    HWND loadProgressOwner() const;
    bool slowLoad(const LoadMeasure& load) const;
    void deleteInSteps(long lines);
    // Whether emptying a text of this many paragraphs is cheaper by a fresh
    // control.
    bool replacesToEmpty(long paragraphs) const;
    enum class OldControl { Destroy, SetAside };
    bool replaceControl(OldControl old);
    // Puts `next` (fresh: just made; otherwise one set aside) where the
    // current control is and returns the current one.
    win::UniqueHwnd putInPlace(win::UniqueHwnd next, bool fresh);
    std::string streamOut(UINT format) const;
    std::u16string getText(DWORD flags) const;

    win::UniqueHwnd owned_;
    HWND hwnd_ = nullptr;
    win::UniqueHwnd aside_;
    bool asideWrap_ = false;
    HWND progressOwner_ = nullptr;
    std::vector<EditorSwapListener*> swapListeners_;
    bool replaceable_ = false;
    int redrawSuspensions_ = 0;
    bool wordWrap_ = false;
};

class RichEdit::RedrawSuspension {
  public:
    explicit RedrawSuspension(RichEdit& edit);
    ~RedrawSuspension();
    RedrawSuspension(const RedrawSuspension&) = delete;
    RedrawSuspension& operator=(const RedrawSuspension&) = delete;

  private:
    RichEdit& edit_;
};

} // namespace quivra::document
