// The shell timing programs' big notes: RTF of a given size with mixed
// formatting (runs of bold, italic, underline, colour, size and face, now and
// then a bulleted list), the same bytes on every run; and the choice of a note
// as the names list makes it.
#pragma once

#include "app/main_form_win.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <iterator>
#include <string>

namespace quivra::bench {

// A fixed pseudo-random sequence, so every run loads the same note.
class Sequence {
  public:
    int below(int n) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<uint32_t>(n));
    }

  private:
    uint32_t state_ = 12345;
};

constexpr const wchar_t* kRussianWords[] = {
    L"заметка",   L"текст",  L"окно",    L"папка",  L"список",  L"строка",    L"пароль",
    L"шифр",      L"время",  L"неделя",  L"работа", L"встреча", L"письмо",    L"адрес",
    L"телефон",   L"Москва", L"сегодня", L"завтра", L"важно",   L"проверить", L"купить",
    L"позвонить", L"ёлка",   L"щётка",   L"объём",  L"Юрий",    L"Эльвира",   L"цифры"};
constexpr const char* kLatinWords[] = {"note",    "Quivra", "release", "build",   "server",
                                       "meeting", "draft",  "http",    "invoice", "Monday",
                                       "backup",  "TODO",   "version", "report",  "alpha"};
constexpr const char* kRunFormats[] = {"\\b",    "\\i",   "\\ul",   "\\cf1",     "\\cf2",
                                       "\\cf3",  "\\cf4", "\\cf5",  "\\fs24",    "\\fs28",
                                       "\\fs12", "\\f1",  "\\b\\i", "\\ul\\cf2", "\\f1\\fs20\\b"};

// A word in the ANSI code page 1251, non-ASCII bytes as \'hh.
inline std::string rtfWord(const wchar_t* word) {
    char bytes[64];
    const int n = WideCharToMultiByte(1251, 0, word, -1, bytes, sizeof bytes, nullptr, nullptr);
    std::string out;
    char hex[8];
    for (int i = 0; i + 1 < n; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else {
            std::snprintf(hex, sizeof hex, "\\'%02x", b);
            out += hex;
        }
    }
    return out;
}

// Words with runs of bold, italic, underline, colour, size and face.
inline std::string paragraphText(Sequence& seq) {
    std::string out;
    const int words = 6 + seq.below(30);
    int runLeft = 0;
    for (int i = 0; i < words; ++i) {
        if (runLeft == 0 && seq.below(4) == 0) {
            out += '{';
            out += kRunFormats[seq.below(std::size(kRunFormats))];
            out += ' ';
            runLeft = 1 + seq.below(5);
        }
        out += seq.below(3) ? rtfWord(kRussianWords[seq.below(std::size(kRussianWords))])
                            : kLatinWords[seq.below(std::size(kLatinWords))];
        const int mark = seq.below(10);
        if (mark == 0)
            out += ',';
        else if (mark == 1)
            out += '.';
        if (runLeft > 0 && --runLeft == 0)
            out += '}';
        if (i + 1 < words)
            out += ' ';
    }
    if (runLeft > 0)
        out += '}';
    return out;
}

// An RTF note of about `size` bytes: font table with Tahoma and Arial, colour
// table, paragraphs of Russian and English words, now and then a bulleted list.
inline std::string makeNote(size_t size) {
    Sequence seq;
    std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
        "{\\fonttbl{\\f0\\fswiss\\fcharset204 Tahoma;}{\\f1\\fswiss\\fcharset204 "
        "Arial;}{\\f2\\fnil\\fcharset2 Symbol;}}\r\n"
        "{\\colortbl ;\\red192\\green0\\blue0;\\red0\\green112\\blue192;"
        "\\red0\\green128\\blue0;\\red128\\green0\\blue128;\\red255\\green128\\blue0;}"
        "\r\n\\viewkind4\\uc1\\pard\\f0\\fs16 ";
    while (rtf.size() + 2 < size) {
        if (seq.below(8) == 0) {
            const int items = 2 + seq.below(4);
            rtf +=
                "\\pard{\\pntext\\f2\\'b7\\tab}{\\*\\pn\\pnlvlblt\\pnf2\\pnindent0{\\pntxtb\\'b7}}"
                "\\fi-200\\li200 ";
            for (int i = 0; i < items; ++i) {
                if (i > 0)
                    rtf += "{\\pntext\\f2\\'b7\\tab}";
                rtf += paragraphText(seq) + "\\par\r\n";
            }
            rtf += "\\pard ";
        } else {
            rtf += paragraphText(seq) + "\\par\r\n";
        }
    }
    rtf += "}";
    return rtf;
}

inline bool selectNote(app::TMainForm& form, const wchar_t* name) {
    HWND list = form.notes().lists().namesList();
    const auto index = SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                    reinterpret_cast<LPARAM>(name));
    if (index < 0)
        return false;
    SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    return true;
}

} // namespace quivra::bench
