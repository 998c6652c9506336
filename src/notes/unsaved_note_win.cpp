#include "notes/unsaved_note_win.h"

#include "base/atomic_file.h"
#include "base/errors.h"
#include "win/file_dialog_win.h"
#include "win/message_box_win.h"
#include "win/wide_win.h"
#include "win/window_win.h"

#include <filesystem>

namespace quivra::notes {

namespace {

std::wstring problem(std::u16string_view noteName, std::u16string_view reason) {
    std::wstring text = L"Заметку «" + win::toWide(noteName) +
                        L"» не удалось сохранить: нельзя записать ни её файл, ни запасную копию "
                        L"в папку Data\\Recovery.";
    if (!reason.empty())
        text += L"\n" + win::toWide(reason);
    return text;
}

} // namespace

UnsavedChoice askBeforeLeavingUnsavedNote(HWND owner, std::u16string_view noteName,
                                          std::u16string_view reason) {
    const std::wstring text = problem(noteName, reason) +
                              L"\n\nДа — сохранить текст в другой файл."
                              L"\nНет — не сохранять: изменения будут потеряны."
                              L"\nОтмена — вернуться к заметке.";
    switch (win::messageBox(owner, text.c_str(), L"Quivra",
                            MB_YESNOCANCEL | MB_ICONERROR | MB_DEFBUTTON1 | MB_TASKMODAL)) {
    case IDYES:
        return UnsavedChoice::SaveElsewhere;
    case IDNO:
        return UnsavedChoice::Discard;
    default:
        return UnsavedChoice::Stay;
    }
}

UnsavedChoice tellAboutUnsavedNote(HWND owner, std::u16string_view noteName,
                                   std::u16string_view reason) {
    const std::wstring text = problem(noteName, reason) +
                              L"\n\nТекст остаётся в редакторе: программа не закроется и не "
                              L"перейдёт к другой заметке, не спросив вас."
                              L"\n\nСохранить текст в другой файл сейчас?";
    return win::messageBox(owner, text.c_str(), L"Quivra",
                           MB_YESNO | MB_ICONWARNING | MB_TASKMODAL) == IDYES
               ? UnsavedChoice::SaveElsewhere
               : UnsavedChoice::Stay;
}

bool saveNoteElsewhere(HWND owner, std::u16string_view noteName, std::string_view rtf) {
    win::FileDialogRequest request;
    request.save = true;
    request.title = L"Сохранить заметку в файл";
    using namespace std::string_literals; // the filter holds '\0' separators
    request.filter = L"Документ RTF (*.rtf)\0*.rtf\0Все файлы (*.*)\0*.*\0"s;
    request.fileName = win::toWide(noteName) + L".rtf";
    request.defaultExt = L"rtf";
    const auto path = win::fileDialog(owner, request);
    if (!path)
        return false;
    try {
        base::replaceFileAtomically(std::filesystem::path(*path), rtf);
        return true;
    } catch (const base::UserError& e) {
        win::showErrorBox(owner, win::asWide(e.text()));
        return false;
    }
}

} // namespace quivra::notes
