#include "crypto/cipher_state_win.h"

#include "crypto/secure_wipe.h"
#include "document/text_replacements_win.h"

#include <utility>

namespace quivra::crypto {

bool CipherState::startDecryption() {
    interrupted_ = false;
    if (hasBackup())
        return false;
    layers_.clear();
    state_.modifiedBeforeDecryption = note_.modified();
    backupText_ = note_.text();
    return true;
}

void CipherState::takeBackup() {
    if (startDecryption())
        state_.CipherBackup = note_.rtf();
}

void CipherState::keepBackup(std::string rtf) {
    state_.CipherBackup = std::move(rtf);
}

void CipherState::addView(DecryptedView view, std::unique_ptr<ViewKeys> keys) {
    layers_.push_back({std::move(view), std::move(keys)});
}

CipherState::Return CipherState::planReturn(const std::u16string& current) {
    // The last decryption goes back first: each view's text is what the one
    // before it left, with the user's edits.
    Return out;
    std::u16string text = current;
    for (auto layer = layers_.rbegin(); layer != layers_.rend(); ++layer) {
        CipherReturn plan = layer->view.planReturn(text, *layer->keys);
        if (plan.guessedLines)
            out.guessedLines = plan.guessedLines;
        std::u16string next = base::withReplacements(text, plan.replacements);
        if (layers_.size() == 1)
            out.replacements = std::move(plan.replacements);
        secureWipe(text);
        text = std::move(next);
    }
    out.asBefore = text == backupText_;
    if (layers_.size() > 1) {
        for (const base::TextEdit& e : base::textEdits(current, text))
            out.replacements.push_back(
                {e.oldStart, e.oldEnd, text.substr(e.newStart, e.newEnd - e.newStart)});
    }
    secureWipe(text);
    return out;
}

void CipherState::returnCipher() {
    if (!hasBackup())
        return;
    std::u16string current = note_.text();
    // A first decryption on its way has no record yet: it is undone.
    Return back = layers_.empty() ? Return{{}, true, {}} : planReturn(current);
    interrupted_ = layers_.empty();
    secureWipe(current);
    if (back.guessedLines)
        notice_ = wholeLinesNotice(*back.guessedLines);
    if (back.asBefore) {
        // Nothing was typed: the content before the first decryption comes
        // back as it was, formats and unsaved changes included; the content
        // set aside without a load (a note of cipher text in every script
        // loads slowly), a copy loaded.
        if (note_.hasContentAside()) {
            state_.CipherBackup.reset();
            note_.bringContentBack();
        } else {
            note_.setRtf(*state_.CipherBackup);
            state_.CipherBackup.reset();
        }
        note_.setModified(state_.modifiedBeforeDecryption);
    } else {
        document::replaceInEditor(note_, back.replacements);
        note_.setModified(true);
    }
    for (auto& r : back.replacements)
        secureWipe(r.text);
    endView();
    resetDecryptState();
    events_.cipherReturned();
}

void CipherState::selectionEncrypted(const std::u16string& before, std::size_t start,
                                     std::size_t end, std::u16string_view cipherText) {
    if (layers_.empty())
        return;
    Return back = planReturn(before);
    // One record of the view from now on; its key is the last decryption's.
    std::unique_ptr<ViewKeys> keys = std::move(layers_.back().keys);
    DecryptedView view =
        DecryptedView::afterEncryption(before, back.replacements, start, end, cipherText, *keys);
    for (auto& r : back.replacements)
        secureWipe(r.text);
    layers_.clear();
    layers_.push_back({std::move(view), std::move(keys)});
}

std::string CipherState::rtfToSave() {
    if (!hasBackup())
        return note_.rtf();
    // A backup with no record yet: a decryption is on its way; the backup
    // holds the cipher.
    if (layers_.empty() && state_.CipherBackup)
        return *state_.CipherBackup;
    std::u16string current = note_.text();
    Return back = planReturn(current);
    secureWipe(current);
    if (back.asBefore && state_.CipherBackup)
        return *state_.CipherBackup;
    std::string rtf = document::rtfWithReplacements(note_, back.replacements);
    for (auto& r : back.replacements)
        secureWipe(r.text);
    return rtf;
}

void CipherState::endView() {
    state_.CipherBackup.reset();
    note_.dropContentAside();
    layers_.clear(); // the keys are wiped as they go
    secureWipe(backupText_);
    backupText_.clear();
}

void CipherState::dropBackup() {
    const bool viewEnds = hasBackup() || !layers_.empty();
    endView();
    // Search results may list decrypted lines.
    if (viewEnds)
        events_.cipherReturned();
}

void CipherState::resetDecryptState() {
    state_.decryptState = 0;
    events_.decryptStateReset();
}

std::optional<std::u16string> CipherState::takeNotice() {
    return std::exchange(notice_, std::nullopt);
}

} // namespace quivra::crypto
