// Whole-note encryption and decryption end to end through the editor: a
// note of 1,000 and of 10,000 lines encrypted and decrypted by the password
// panel's Ok with each cipher, against the bare control loading the note
// that results (its RTF streamed into a fresh, empty control): the editor
// writes the new lines by rewriting the note's RTF and loading it once, so
// that load is the floor. The strong cipher's key derivation (PBKDF2,
// 600,000 iterations, once per command and salt) is timed on its own.
#include "in_process.h"

#include "crypto/crypto_ids.h"
#include "crypto/strong_token.h"
#include "settings/settings_ids.h"
#include "document/text_lines.h"
#include "notes/note_on_disk.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <string>
#include <vector>

using namespace quivra;
using namespace quivra::bench;

namespace {

constexpr int kDecryptRuns = 5;

std::u16string noteText(int lines) {
    std::u16string text;
    for (int i = 0; i < lines; ++i) {
        if (i % 50 == 10)
            text += u"##[ открытый комментарий\r";
        else if (i % 50 == 12)
            text += u"]##\r";
        else if (i % 7 == 3)
            text += u"\r"; // empty lines stay as they are
        else
            text += u"Строка " + std::u16string(1, u'0' + i % 10) + u": логин и пароль от почты\r";
    }
    return text;
}

void typeInto(HWND field, std::u16string_view text) {
    for (char16_t c : text)
        SendMessageW(field, WM_CHAR, c, 1);
}

// The command from the password panel's Ok, the panel opened and the
// password typed before the clock starts.
double runCommand(app::TMainForm& form, int command, bool confirm) {
    auto& panel = form.crypto().passwordPanel();
    SendMessageW(form.hwnd(), WM_COMMAND, command, 0);
    typeInto(panel.control(crypto::ID_ECEDIT), u"пароль");
    if (confirm)
        typeInto(panel.control(crypto::ID_ECCONFIRMEDIT), u"пароль");
    Stopwatch clock;
    SendMessageW(form.hwnd(), WM_COMMAND, MAKEWPARAM(crypto::ID_ECOK, BN_CLICKED), 0);
    return clock.ms();
}

// The bare control's load of the note the editor holds: its RTF streamed
// into a fresh control of the same size.
double bareLoad(app::TMainForm& form) {
    const std::string rtf = form.note().rtf();
    RECT r{};
    GetClientRect(form.note().hwnd(), &r);
    document::RichEdit fresh;
    fresh.create(form.hwnd(), 0x7FF0, r);
    ShowWindow(fresh.hwnd(), SW_HIDE);
    Stopwatch clock;
    fresh.setRtf(rtf);
    return clock.ms();
}

// The median of three derivations, each with a new salt.
double keyDerivation() {
    std::vector<double> times;
    for (int run = 0; run < 3; ++run) {
        crypto::StrongKeys keys(u"пароль");
        Stopwatch clock;
        keys.keyFor(keys.encryptionSalt());
        times.push_back(clock.ms());
    }
    return median(times);
}

// The waits for an answer of the main window while a decryption of `tokens`
// tokens, each under a salt of its own, derives their keys: another thread
// sends it a message every 10 ms.
std::vector<double> waitsDuringDerivation(app::TMainForm& form, int tokens) {
    std::u16string text;
    for (int i = 0; i < tokens; ++i) {
        crypto::StrongKeys keys(u"пароль");
        text += crypto::encryptStrongText(keys, u"тайна " + std::u16string(1, u'0' + i)) + u"\r";
    }
    form.note().setPlainText(text);
    form.note().setSelection({0, 0});
    std::atomic<bool> done{false};
    std::vector<double> waits;
    std::thread prober([&] {
        const HWND window = form.hwnd();
        while (!done) {
            Stopwatch wait;
            DWORD_PTR answer = 0;
            SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &answer);
            waits.push_back(wait.ms());
            Sleep(10);
        }
    });
    runCommand(form, crypto::DeCr, false);
    done = true;
    prober.join();
    SendMessageW(form.hwnd(), WM_COMMAND, crypto::DeCr, 0); // the cipher back
    return waits;
}

} // namespace

int wmain() {
    plainNewlines();
    prepareProcess();
    BenchProgramFolder folder(L"quivra-encrypt");
    writeFile(folder.notesFolder() / L"Note.note", "{\\rtf1\\ansi\\f0 \\par}");
    auto form = folder.start();
    if (!form)
        return 1;
    ShowWindow(form->hwnd(), SW_SHOWNOACTIVATE);
    SendMessageW(form->notes().lists().namesList(), CB_SETCURSEL, 0, 0);
    form->notes().OpenNote();
    auto& note = form->note();
    const double derivation = keyDerivation();
    std::printf("Key derivation of the strong cipher (PBKDF2-HMAC-SHA256, 600,000 "
                "iterations), once per command: %.0f ms\n",
                derivation);
    const std::vector<double> waits = waitsDuringDerivation(*form, 3);
    std::printf("The window's answer while a decryption derives the keys of 3 tokens (3 salts): "
                "median %.1f ms, longest %.0f ms, %zu messages\n",
                median(waits), *std::max_element(waits.begin(), waits.end()), waits.size());
    std::printf("Whole-note commands through the password panel's Ok, against the bare "
                "control's load of the note each gives:\n");
    for (bool strong : {false, true}) {
        form->settingsPage().optionBoxes().setBoxTicked(settings::ID_STRONGCIPHER, strong);
        for (int lines : {1000, 10000}) {
            const std::u16string text = noteText(lines);
            note.setPlainText(text);
            note.setSelection({0, 0});
            const double encrypt = runCommand(*form, crypto::EnCr, true);
            const bool changed = note.text() != text;
            const double encryptedLoad = bareLoad(*form);
            // A note changed since it was saved: the content is read out of
            // the control for the rewrite.
            note.setModified(true);
            const double unsavedDecrypt = runCommand(*form, crypto::DeCr, false);
            const double unsavedLoad = bareLoad(*form);
            SendMessageW(form->hwnd(), WM_COMMAND, crypto::DeCr, 0); // return the cipher
            // A note decrypted as it was saved, as when it was opened: the
            // rewrite reads the file.
            note.setModified(true);
            form->notes().store().SaveIfModified(notes::Moment::UserSave);
            // The decryption is repeated (the cipher returned between runs)
            // and each median taken: one run swings by a third on a busy
            // machine.
            std::vector<double> decrypts, decryptedLoads, returns;
            bool back = true;
            for (int run = 0; run < kDecryptRuns; ++run) {
                decrypts.push_back(runCommand(*form, crypto::DeCr, false));
                back = back && document::splitLines(note.text()) == document::splitLines(text);
                decryptedLoads.push_back(bareLoad(*form));
                // The return of the cipher ("Вернуть шифр"), painted.
                Stopwatch clock;
                SendMessageW(form->hwnd(), WM_COMMAND, crypto::DeCr, 0);
                UpdateWindow(form->hwnd());
                returns.push_back(clock.ms());
            }
            const double decrypt = median(decrypts);
            const double decryptedLoad = median(decryptedLoads);
            // The strong cipher's commands derive one key each; the ratio
            // is also given without it.
            const double key = strong ? derivation : 0.0;
            std::printf("  %s, %5d lines: encrypt %6.0f ms / load %6.0f ms = %.2f; "
                        "decrypt %6.0f ms / load %6.0f ms = %.2f%s\n",
                        strong ? "strong    " : "compatible", lines, encrypt, encryptedLoad,
                        encrypt / encryptedLoad, decrypt, decryptedLoad, decrypt / decryptedLoad,
                        changed && back ? "" : "  (THE NOTE DID NOT COME BACK)");
            std::printf("    decrypt of the note changed since saved: %6.0f ms / load %6.0f ms = "
                        "%.2f; return of the cipher %.0f ms\n",
                        unsavedDecrypt, unsavedLoad, unsavedDecrypt / unsavedLoad, median(returns));
            if (strong)
                std::printf(
                    "    without the key derivation: encrypt %.2f, decrypt %.2f, changed-note "
                    "decrypt %.2f\n",
                    (encrypt - key) / encryptedLoad, (decrypt - key) / decryptedLoad,
                    (unsavedDecrypt - key) / unsavedLoad);
        }
    }
    form->settingsPage().optionBoxes().setBoxTicked(settings::ID_STRONGCIPHER, false);
    note.setModified(false);
    return 0;
}
