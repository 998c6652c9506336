// The decrypted view of a note and the way back to its cipher text: the
// content before the first decryption (the cipher backup: the editor's
// content set aside, or a copy of its rich text), a record of each
// decryption made since with the key it used, and the state of the decrypt
// command. While a view exists, nothing written to disk holds its decrypted
// text unless the user chooses so: every save takes the content with the
// cipher in its place, text typed into decrypted text encrypted again
// (crypto/decrypted_view.h).
#pragma once

#include "crypto/cipher_events.h"
#include "crypto/decrypted_view.h"
#include "crypto/view_keys.h"
#include "document/rich_edit_win.h"
#include "program/program_state.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quivra::crypto {

class CipherState {
  public:
    CipherState(program::ProgramState& state, document::RichEdit& note, CipherEvents& events)
        : state_(state), note_(note), events_(events) {}

    // A decrypted view exists: a backup to return to.
    bool hasBackup() const noexcept {
        return state_.CipherBackup.has_value() || note_.hasContentAside();
    }
    // 0: the decrypt command decrypts; 1: it returns the cipher text.
    int decryptState() const noexcept { return state_.decryptState; }

    // Before a decryption that changes the editor. The first one of a view
    // notes the modified flag and text to return to and answers true; the
    // decryption then sets the editor's content aside (RichEdit::
    // setContentAside) or keeps a copy (keepBackup, takeBackup copies it
    // now). A later one keeps the first's backup and answers false.
    bool startDecryption();
    void takeBackup();
    void keepBackup(std::string rtf);
    // After a decryption changed the editor: what it decrypted and the key
    // that encrypts what is typed there.
    void addView(DecryptedView view, std::unique_ptr<ViewKeys> keys);
    // A selection [range) of `before`, the editor's text then, was
    // encrypted anew into `cipherText`: the view keeps the rest of its
    // decrypted text and leaves that alone.
    void selectionEncrypted(const std::u16string& before, std::size_t start, std::size_t end,
                            std::u16string_view cipherText);
    // After a decryption: the decrypt command now returns the cipher text.
    void markDecrypted() noexcept { state_.decryptState = 1; }

    // The return of the cipher: the editor holds the cipher text again,
    // with what was typed into decrypted text encrypted again and what was
    // typed elsewhere as it is; untouched, it is the content before the
    // first decryption, set aside or copied, exactly. The view ends, the
    // decrypt command decrypts again.
    void returnCipher();
    // The editor's content as RTF as every save writes it: while a view
    // exists with the cipher in the place of its decrypted text, the editor
    // itself left as it is.
    std::string rtfToSave();
    // The view ends with its decrypted text kept in the editor (a save the
    // user chose, a reload, a new encryption of the whole note); the keys
    // are wiped.
    void dropBackup();
    // The cipher came back while a decryption was on its way (the session
    // ends while the lines are written): the decryption stops where it is.
    bool interrupted() const noexcept { return interrupted_; }
    // The decrypt command back to its first mode (state 0).
    void resetDecryptState();
    // After a return that encrypted whole lines because the user typed at
    // the edge of decrypted text: the message that says so, once.
    std::optional<std::u16string> takeNotice();
    bool hasNotice() const noexcept { return notice_.has_value(); }
    // The key of the last decryption of the view, for the tests; null
    // without a view.
    const ViewKeys* lastKeys() const noexcept {
        return layers_.empty() ? nullptr : layers_.back().keys.get();
    }

  private:
    struct Layer {
        DecryptedView view;
        std::unique_ptr<ViewKeys> keys;
    };
    // The replacements that take the editor's text `current` back to cipher
    // text, and whether that gives the text before the first decryption.
    struct Return {
        std::vector<base::TextReplacement> replacements;
        bool asBefore = false;
        std::optional<std::pair<std::size_t, std::size_t>> guessedLines;
    };
    Return planReturn(const std::u16string& current);
    void endView();

    program::ProgramState& state_;
    document::RichEdit& note_;
    CipherEvents& events_;
    std::vector<Layer> layers_; // the decryptions of the view, first one first
    std::u16string backupText_; // the editor's text before the first one
    std::optional<std::u16string> notice_;
    bool interrupted_ = false;
};

} // namespace quivra::crypto
