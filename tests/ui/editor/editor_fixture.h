// A started program with a note open in the focused editor, and the user's
// ways of reaching the format bar, its menus and the shortcuts.
#pragma once

#include "support/notes_fixture.h"

#include "editor/editor_ids.h"
#include "notes/note_settings.h"
#include "win/controls_win.h"

#include <richedit.h>

namespace quivra::test {

// Three paragraphs: "Alpha" italic, "Beta" bold and centred, "Gamma" red 14 pt.
inline constexpr const char* kRtfFormatted =
    "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}{\\colortbl ;\\red255\\green0\\blue0;}"
    "\\f0\\fs16\\i Alpha\\i0\\par\\qc\\b Beta\\b0\\par\\pard\\cf1\\fs28 Gamma\\par}";

class EditorFixture : public NotesFixture {
  protected:
    // Starts with the notes, shows the window (without activating it) and
    // opens the first one with the focus in the editor.
    void startWith(std::initializer_list<std::pair<const wchar_t*, const char*>> notes) {
        for (const auto& [name, rtf] : notes)
            addNote(name, rtf);
        start();
        ShowWindow(form->hwnd(), SW_SHOWNOACTIVATE);
        open(notes.begin()->first);
        form->note().focus();
        pumpMessages();
    }
    editor::FormattingController& formatting() { return form->formatting(); }
    editor::FormatBar& bar() { return form->formatting().bar(); }
    document::RichEdit& note() { return form->note(); }

    // A click as the mouse gives it: pressed and released over the button on
    // its bar, which tells the main window.
    void click(win::SpeedButton& button) {
        mouseOn(button, WM_LBUTTONDOWN, MK_LBUTTON);
        mouseOn(button, WM_LBUTTONUP, 0);
    }
    void rightClick(win::SpeedButton& button) { mouseOn(button, WM_RBUTTONUP, 0); }
    void mouseOn(const win::SpeedButton& button, UINT msg, WPARAM keys) {
        const RECT& r = button.rect();
        SendMessageW(bar().hwnd(), msg, keys,
                     MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    }
    // A menu item chosen, or (code 1) a shortcut's command.
    void command(int id, int code = 0) {
        SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(id, code), 0);
    }
    // A key pressed as the message loop of the program handles it: the
    // shortcuts first. `ctrl` holds Ctrl down meanwhile.
    void press(HWND target, WPARAM key, bool ctrl = false) {
        BYTE keys[256]{};
        GetKeyboardState(keys);
        const BYTE before = keys[VK_CONTROL];
        keys[VK_CONTROL] = ctrl ? 0x80 : 0;
        SetKeyboardState(keys);
        MSG msg{target, WM_KEYDOWN, key, 1, 0, {}};
        if (!form->translateAccelerator(msg)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        keys[VK_CONTROL] = before;
        SetKeyboardState(keys);
        pumpMessages();
    }
    // A click at the middle of swatch i of the open palette.
    void pickSwatch(std::size_t i) {
        const auto s = editor::swatchRect(i);
        const int x = s.left + editor::kSwatchSize / 2, y = s.top + editor::kSwatchSize / 2;
        SendMessageW(formatting().palette().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        pumpMessages();
    }
    void refresh() { form->presenter().PeriodicRefresh(); }
    void select(long start, long end) { note().setSelection({start, end}); }

    DWORD effects() { return note().charFormat().dwEffects; }
    bool down(const win::SpeedButton& button) { return button.down(); }
    std::wstring sizeBoxText() { return win::windowText(bar().SelFontSize.hwnd()); }
    // The note's section of the notes folder's per-note settings.
    base::IniFile noteSettings() {
        return base::IniFile(notes::NoteSettingsFile(form->state().notesFolder).path());
    }
};

} // namespace quivra::test
