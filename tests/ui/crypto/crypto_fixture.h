// A main window with an open note, a stand-in for the additional menu that
// holds the encryption items, and the user's ways of typing a password into
// the password panel.
#pragma once

#include "support/notes_fixture.h"

#include "base/text_services.h"
#include "crypto/cipher.h"
#include "crypto/crypto_ids.h"
#include "crypto/key_derivation.h"
#include "document/text_lines.h"
#include "win/controls_win.h"

#include <string>
#include <vector>

namespace quivra::test {

inline constexpr const char* kEmptyNote = "{\\rtf1\\ansi{\\fonttbl{\\f0 Tahoma;}}\\f0\\fs16 \\par}";

class CryptoFixture : public NotesFixture {
  protected:
    void SetUp() override {
        addNote(L"A", kEmptyNote);
        addNote(L"B", kRtfB);
        start();
        ShowWindow(form->hwnd(), SW_SHOWNOACTIVATE);
        choose(L"A");
        menu.reset(CreatePopupMenu());
        for (int id : {crypto::CommentStart, crypto::CommentEnd, crypto::Comment, crypto::UnComment,
                       crypto::C1, crypto::SelectOnlyTextComment, crypto::EnCr, crypto::DeCr,
                       crypto::DeCrBuf})
            AppendMenuW(menu.get(), MF_STRING, id, L"item");
        crypto().setCommandMenu(menu.get());
    }
    crypto::CryptoController& crypto() { return form->crypto(); }
    crypto::PasswordPanel& panel() { return crypto().passwordPanel(); }
    HWND field(int id) { return panel().control(id); }
    document::RichEdit& note() { return form->note(); }

    void setText(std::u16string_view text) {
        note().setPlainText(text);
        note().focus();
    }
    void select(long start, long end) { note().setSelection({start, end}); }
    // Character effects (CFE_*) and the text colour over a range.
    void setEffect(long from, long to, DWORD mask, DWORD effects, COLORREF colour = 0) {
        select(from, to);
        CHARFORMAT2W f{};
        f.cbSize = sizeof f;
        f.dwMask = mask;
        f.dwEffects = effects;
        f.crTextColor = colour;
        note().setCharFormat(f);
    }
    std::vector<std::u16string> lines() { return document::splitLines(editorText()); }

    void typeInto(int fieldId, std::u16string_view text) {
        for (char16_t c : text)
            SendMessageW(field(fieldId), WM_CHAR, c, 1);
    }
    // Ok as the button click reaches the main window.
    void clickOk() {
        SendMessageW(form->hwnd(), WM_COMMAND, MAKEWPARAM(crypto::ID_ECOK, BN_CLICKED),
                     reinterpret_cast<LPARAM>(field(crypto::ID_ECOK)));
    }
    void clickMenu(int id) { SendMessageW(form->hwnd(), WM_COMMAND, id, 0); }
    void encrypt(std::u16string_view password) {
        clickMenu(crypto::EnCr);
        typeInto(crypto::ID_ECEDIT, password);
        typeInto(crypto::ID_ECCONFIRMEDIT, password);
        clickOk();
    }
    void decrypt(std::u16string_view password) {
        clickMenu(crypto::DeCr);
        typeInto(crypto::ID_ECEDIT, password);
        clickOk();
    }
    std::wstring decryptCaption() {
        wchar_t text[64]{};
        GetMenuStringW(menu.get(), crypto::DeCr, text, 64, MF_BYCOMMAND);
        return text;
    }
    // What the note's file holds, as the editor would load it.
    std::u16string savedText(const wchar_t* name) {
        document::RichEdit probe;
        probe.create(form->hwnd(), 9999, RECT{0, 0, 10, 10});
        probe.setRtf(readFile(noteFile(name)));
        return probe.text();
    }
    static crypto::KeySet keysOf(std::u16string_view password) {
        return crypto::DeriveKeySet(password, base::textServices());
    }

    win::UniqueMenu menu;
};

} // namespace quivra::test
