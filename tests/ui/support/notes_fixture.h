// A program folder with notes, a main window started on it, and the user's
// ways of choosing a note and typing into it.
#pragma once

#include "support/program_folder.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace quivra::test {

inline constexpr const char* kRtfA = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 Alpha\\par}";
// Gives a file an old last-write time, and tells whether it still has it:
// whether the program wrote the file, seen without changing its content
// (other content would be a change from outside, which the program keeps).
inline void markUnwritten(const std::filesystem::path& file) {
    const FILETIME old{0x10000000, 0x01c00000};
    HANDLE h = CreateFileW(file.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    SetFileTime(h, nullptr, nullptr, &old);
    CloseHandle(h);
}
inline bool stillUnwritten(const std::filesystem::path& file) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime.dwHighDateTime == 0x01c00000 &&
           data.ftLastWriteTime.dwLowDateTime == 0x10000000;
}

inline constexpr const char* kRtfB = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 Beta\\par}";

class NotesFixture : public ::testing::Test {
  protected:
    std::filesystem::path notesDir() const { return folder.data() / L"Notes" / L"PC_user"; }
    std::filesystem::path noteFile(const std::wstring& name) const {
        return notesDir() / (name + L".note");
    }
    void addNote(const std::wstring& name, std::string_view bytes) {
        std::filesystem::create_directories(notesDir());
        writeFile(noteFile(name), bytes);
    }
    void start() { form = folder.start(); }
    int indexOf(const wchar_t* name) const {
        return static_cast<int>(SendMessageW(form->notes().lists().namesList(), CB_FINDSTRINGEXACT,
                                             static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(name)));
    }
    // Selects the note and opens it as the switch does.
    void open(const wchar_t* name) {
        SendMessageW(form->notes().lists().namesList(), CB_SETCURSEL, indexOf(name), 0);
        form->notes().OpenNote();
    }
    // Chooses the note in the drop-down list as the user does, through the
    // main window's message handling.
    void choose(const wchar_t* name) {
        HWND list = form->notes().lists().namesList();
        SendMessageW(list, CB_SETCURSEL, indexOf(name), 0);
        SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(notes::ID_NOTESNAMESLIST, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(list));
    }
    void type(const wchar_t* text) {
        for (const wchar_t* p = text; *p; ++p)
            SendMessageW(form->note().hwnd(), WM_CHAR, *p, 1);
    }
    std::u16string editorText() const { return form->note().text(); }

    ProgramFolder folder;
    std::unique_ptr<app::TMainForm> form;
};

} // namespace quivra::test
