#include "synced_program.h"

#include "notes/notes_ids.h"
#include "running_program.h"

namespace quivra::blackbox {

namespace {

bool waitUntil(HWND window, bool in) {
    for (int i = 0; i < 500; ++i) {
        const RECT r = screenRect(window);
        if (in ? r.left == 0 : r.left == 1 - (r.right - r.left))
            return true;
        Sleep(20);
    }
    return false;
}

} // namespace

HWND programWindow() {
    return FindWindowW(L"TMainForm", L"Quivra");
}

bool callInByHotkey(HWND window) {
    return postHotkey(window) && waitUntil(window, true);
}

bool sendAwayByHotkey(HWND window) {
    if (!postHotkey(window) || !waitUntil(window, false))
        return false;
    settle(window); // the hide's save is done
    return true;
}

void typeAtNoteEnd(HWND window, const std::wstring& word) {
    HWND editor = findChild(window, L"RichEdit20W");
    const auto end = SendMessageW(editor, WM_GETTEXTLENGTH, 0, 0);
    SendMessageW(editor, EM_SETSEL, end, end);
    typeInto(editor, L" " + word);
    settle(window);
}

std::wstring noteText(HWND window) {
    std::wstring text = windowText(findChild(window, L"RichEdit20W"));
    std::erase(text, L'\n');
    return text;
}

std::vector<std::wstring> listedNoteNames(HWND window) {
    HWND names = findChildById(window, notes::ID_NOTESNAMESLIST);
    std::vector<std::wstring> listed;
    const auto count = SendMessageW(names, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(names, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring name(static_cast<std::size_t>(length) + 1, L'\0');
        SendMessageW(names, CB_GETLBTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(name.data()));
        name.resize(static_cast<std::size_t>(length));
        listed.push_back(name);
    }
    return listed;
}

} // namespace quivra::blackbox
