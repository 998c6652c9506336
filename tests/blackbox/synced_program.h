// What the tests of a synchronised notes folder do to a running program,
// whether it runs in the tests' own Wine prefix or in another one (there a
// small driver program does it): call the window in and send it away with
// the hotkey, type a word at the end of the note, read the note and the
// list.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace quivra::blackbox {

// The program's main window on this desktop, or null.
HWND programWindow();
// The hotkey, then until the window is in (or out); false after 10 s.
bool callInByHotkey(HWND window);
bool sendAwayByHotkey(HWND window);
// " <word>" typed at the end of the open note, as the keyboard types.
void typeAtNoteEnd(HWND window, const std::wstring& word);
// The open note's text, paragraphs separated by '\r'.
std::wstring noteText(HWND window);
// The names the note list holds, in order.
std::vector<std::wstring> listedNoteNames(HWND window);

} // namespace quivra::blackbox
