#include "document/link_click_win.h"

#include "document/link_target.h"
#include "win/message_box_win.h"
#include "win/shell_open_win.h"
#include "win/wide_win.h"

namespace quivra::document {

bool linkClick(RichEdit& editor, const LinkEvent& link, bool ctrlDown,
               const std::wstring& linkProgram) {
    if (!ctrlDown || link.message != WM_LBUTTONUP)
        return false;
    editor.setSelection(link.range);
    const std::wstring text = win::toWide(editor.selectedText());
    if (!opensWithoutAsking(editor.selectedText())) {
        const std::wstring question =
            L"Ссылка ведёт не на веб-страницу и не на почту:\n" + text + L"\n\nОткрыть её?";
        if (win::messageBox(GetAncestor(editor.hwnd(), GA_ROOT), question.c_str(), L"Quivra",
                            MB_YESNO | MB_ICONQUESTION) != IDYES) {
            editor.setSelection({link.range.start, link.range.start});
            return true;
        }
    }
    const DWORD attributes =
        linkProgram.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(linkProgram.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const auto slash = linkProgram.find_last_of(L"\\/");
        win::shellOpen(
            {linkProgram, text,
             slash == std::wstring::npos ? std::wstring() : linkProgram.substr(0, slash)});
    } else {
        win::shellOpen({text, L"", L""});
    }
    editor.setSelection({link.range.start, link.range.start});
    return true;
}

} // namespace quivra::document
