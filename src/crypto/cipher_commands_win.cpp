// The encrypt and decrypt commands: opening the password panel, its Ok in
// both modes and the middle-button confirmation, the work on a selection or
// on every line of the note, and the return of the cipher.
#include "crypto/cipher_commands_win.h"

#include "base/text_services.h"
#include "crypto/cipher.h"
#include "crypto/comment_brackets.h"
#include "crypto/crypto_ids.h"
#include "crypto/editor_fit.h"
#include "crypto/key_derivation.h"
#include "crypto/secure_wipe.h"
#include "crypto/strong_note_lines.h"
#include "document/rtf_output.h"
#include "document/text_lines.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <thread>

namespace quivra::crypto {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kProgressPeriod = std::chrono::milliseconds(50);
// At most this many lines go into one replacement.
constexpr std::size_t kLinesAtOnce = 100;

// Lets the window repaint and answer the system while a long command runs.
// Input, timers and posted messages wait for the command's end: a timer's
// auto-hide or a note switch must not return the cipher or save the note
// half way through.
void letPaintsRun() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT | PM_QS_SENDMESSAGE))
        DispatchMessageW(&msg);
}

} // namespace

CipherCommands::CipherCommands(const Services& services, PasswordPanel& panel, CommandItems& items,
                               ClipboardDecryption& clipboard)
    : note_(services.note), state_(services.state), options_(services.options),
      cipher_(services.cipher), events_(services.events), noteFile_(services.noteFile),
      panel_(panel), items_(items), clipboard_(clipboard) {}

// --- Opening the panel ---------------------------------------------------------

void CipherCommands::EnCrClick() {
    if (!items_.itemEnabled(EnCr))
        return;
    events_.closeQuickSearch();
    panel_.open(PasswordPanel::Use::Encrypt, note_.selection().length() != 0);
}

void CipherCommands::DeCrClick() {
    if (!items_.itemEnabled(DeCr))
        return;
    if (state_.decryptState == 1) {
        returnCipherClick();
        return;
    }
    events_.closeQuickSearch();
    panel_.open(PasswordPanel::Use::Decrypt, note_.selection().length() != 0);
}

void CipherCommands::N10Click() {
    if (note_.focused())
        EnCrClick();
}

void CipherCommands::N11Click() {
    if (note_.focused() && state_.decryptState == 0)
        DeCrClick();
}

void CipherCommands::N13Click() {
    if (note_.focused() && state_.decryptState == 1)
        DeCrClick();
}

void CipherCommands::ECCancelClick() {
    // The panel closes as the focus leaves it.
    if (note_.enabled())
        note_.focus();
}

// --- Return of the cipher ----------------------------------------------------------

void CipherCommands::returnCipherClick() {
    const document::CharRange selection = note_.selection();
    // The search results go with the decrypted view; the note's modified
    // flag is what it was before the decryption, or set by what was typed.
    cipher_.returnCipher();
    note_.setSelection(selection);
    note_.focus();
    cipher_.resetDecryptState();
    showReturnNotice();
}

void CipherCommands::showReturnNotice() {
    // Whole lines were encrypted because of typing at the edge of decrypted
    // text: the panel says so, without asking for anything.
    if (std::optional<std::u16string> notice = cipher_.takeNotice()) {
        panel_.open(PasswordPanel::Use::Decrypt, false);
        panel_.showProcessing(u"");
        stopWithMessage(*notice, false);
    }
}

// --- Ok ----------------------------------------------------------------------------

void CipherCommands::ECOkClick() {
    if (panel_.inBufferTicked() && clipboard_.countdownRunning())
        return;
    if (panel_.encryptionMode())
        encryptOk();
    else
        decryptOk();
}

void CipherCommands::encryptOk() {
    if (const auto refusal = encryptRefusal(panel_.passwordText(), panel_.confirmText())) {
        panel_.say(*refusal);
        if (refusal->label == PanelLabel::Password)
            panel_.focusPasswordField();
        else
            panel_.focusConfirmField();
        return;
    }
    panel_.showProcessing(panel_text::kEncrypting);
    runEncryption(true);
}

void CipherCommands::decryptOk() {
    if (const auto refusal = decryptRefusal(panel_.passwordText())) {
        panel_.say(*refusal);
        return;
    }
    panel_.showProcessing(panel_text::kDecrypting);
    panel_.say(PanelLabel::Password, panel_text::kPassword, false);
    runDecryption(true);
}

void CipherCommands::ECEditMouseUp() {
    const MiddleOutcome outcome =
        middleButton(panel_.step(), panel_.passwordText(), panel_.confirmText());
    switch (outcome.action) {
    case MiddleAction::None:
        return;
    case MiddleAction::Refuse:
        panel_.say(*outcome.message);
        return;
    case MiddleAction::AskRepeat:
        panel_.wipeConfirmText();
        panel_.emptyPasswordField(); // its change handler shows the prompt
        panel_.say(*outcome.message);
        panel_.setStep(1);
        return;
    case MiddleAction::Encrypt:
        panel_.say(PanelLabel::Password, panel_text::kEncrypting, false);
        runEncryption(false);
        return;
    case MiddleAction::Decrypt:
        panel_.say(PanelLabel::Password, panel_text::kDecrypting, false);
        runDecryption(false);
        return;
    }
}

// --- The work --------------------------------------------------------------------

CipherCommands::CommandKeys CipherCommands::deriveKeys() {
    struct Wipe {
        PasswordPanel& panel;
        ~Wipe() { panel.wipeTexts(); }
    } wipe{panel_};
    return {DeriveKeySet(panel_.passwordText(), base::textServices()),
            std::make_unique<StrongKeys>(panel_.passwordText())};
}

bool CipherCommands::deriveInBackground(StrongKeys& keys, std::vector<StrongSalt> salts) {
    if (salts.empty())
        return true;
    // Each strong key costs the work factor (more than half a second): it is
    // derived in a thread of its own while the panel says so; the window
    // answers the system meanwhile and Esc gives up. Other input and timers
    // wait for the command's end.
    panel_.showProgress(panel_text::kDerivingKey);
    std::atomic<bool> cancelled{false};
    std::atomic<bool> finished{false};
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            for (const StrongSalt& salt : salts) {
                if (cancelled)
                    break;
                keys.keyFor(salt);
            }
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
    });
    while (!finished) {
        letPaintsRun();
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE))
            if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE)
                cancelled = true;
        // Woken at once by a message sent to the window, a paint or a key.
        MsgWaitForMultipleObjectsEx(0, nullptr, 10, QS_SENDMESSAGE | QS_PAINT | QS_KEY,
                                    MWMO_INPUTAVAILABLE);
    }
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return !cancelled;
}

void CipherCommands::showEditor(bool shown) {
    ShowWindow(note_.hwnd(), shown ? SW_SHOW : SW_HIDE);
}

void CipherCommands::stopWithMessage(std::u16string_view text, bool red) {
    panel_.setCaption(u"");
    panel_.say(PanelLabel::Password, text, red);
}

bool CipherCommands::replaceKept(document::CharRange selection, const std::u16string& text,
                                 const std::u16string& old) {
    note_.setSelection(selection);
    note_.replaceSelection(text);
    const document::CharRange inserted{selection.start, note_.selection().end};
    if (note_.textRange(inserted) == text)
        return true;
    note_.setSelection(inserted);
    note_.replaceSelection(old);
    return false;
}

void CipherCommands::runEncryption(bool fromOk) {
    showEditor(false);
    CommandKeys keys = deriveKeys();
    const bool strong = options_.ticked(settings::ID_STRONGCIPHER);
    if (strong && !deriveInBackground(*keys.strong, {keys.strong->encryptionSalt()})) {
        showEditor(true);
        ECCancelClick();
        return;
    }
    const document::CharRange selection = note_.selection();
    if (selection.length() != 0) {
        std::u16string plain = note_.selectedText();
        WipeOnExit wipePlain(plain);
        if (containsCommentMarker(plain)) {
            showEditor(true);
            stopWithMessage(panel_text::kEncryptMarker, true);
            return;
        }
        // The compatible cipher adds trailing spaces until the editor can
        // hold its text; the strong cipher's token is plain ASCII.
        std::optional<KeptCipherText> kept;
        if (strong)
            kept = KeptCipherText{encryptStrongText(*keys.strong, plain), 0};
        else
            kept = encryptForEditor(plain, keys.compatible);
        if (!kept) {
            note_.setSelection(selection);
            showEditor(true);
            stopWithMessage(refusedLineMessage(std::nullopt), true);
            return;
        }
        // A decrypted view keeps the rest of its decrypted text; this part
        // is the new cipher's.
        std::u16string before = cipher_.hasBackup() ? note_.text() : std::u16string();
        WipeOnExit wipeBefore(before);
        if (!replaceKept(selection, kept->text, plain)) {
            note_.setSelection(selection);
            showEditor(true);
            stopWithMessage(selectionLeftMessage(CipherDirection::Encrypt), true);
            return;
        }
        cipher_.selectionEncrypted(before, static_cast<std::size_t>(selection.start),
                                   static_cast<std::size_t>(selection.end), kept->text);
        if (fromOk)
            cipher_.resetDecryptState();
        showEditor(true);
        // The cipher text is selected.
        const document::CharRange cipherRange{
            selection.start, selection.start + static_cast<long>(kept->text.size())};
        if (kept->spaces > 0) {
            note_.setSelection(cipherRange);
            stopWithMessage(paddedLinesMessage(1), false);
            return;
        }
        note_.focus();
        note_.setSelection(cipherRange);
        panel_.close();
        return;
    }
    const long caret = selection.start;
    const WholeNoteResult result = processAllLines(CipherDirection::Encrypt, keys, fromOk);
    showEditor(true);
    note_.setSelection({caret, caret});
    if (!result.refused) {
        // Every line is the new cipher's: a decrypted view has nothing left.
        cipher_.dropBackup();
        if (fromOk)
            cipher_.resetDecryptState();
    }
    if (reportWholeNote(CipherDirection::Encrypt, result))
        return;
    note_.focus();
    panel_.close();
}

void CipherCommands::runDecryption(bool fromOk) {
    // Unchanged since it was read or written, the editor holds what the
    // note's file holds (a decrypted view is unmodified, but has a backup).
    const bool asSaved = !note_.modified() && !cipher_.hasBackup();
    showEditor(false);
    CommandKeys keys = deriveKeys();
    const document::CharRange selection = note_.selection();
    {
        std::u16string text = selection.length() != 0 ? note_.selectedText() : note_.text();
        const std::vector<StrongSalt> salts = tokenSalts(text);
        secureWipe(text);
        if (!deriveInBackground(*keys.strong, salts)) {
            showEditor(true);
            ECCancelClick();
            return;
        }
    }
    if (selection.length() != 0) {
        const std::u16string cipherText = note_.selectedText();
        if (containsCommentMarker(cipherText)) {
            showEditor(true);
            stopWithMessage(panel_text::kDecryptMarker, false);
            return;
        }
        // A selection that is exactly one token is the strong cipher's; a
        // token the password does not open stays as it is.
        const bool strong = isStrongToken(cipherText);
        std::u16string plain;
        if (strong) {
            auto opened = decryptStrongToken(*keys.strong, cipherText);
            if (!opened) {
                showEditor(true);
                stopWithMessage(failedTokensMessage({}), true);
                return;
            }
            plain = std::move(*opened);
        } else {
            plain = DecryptText(cipherText, keys.compatible);
        }
        WipeOnExit wipePlain(plain);
        if (fromOk) {
            clipboard_.forgetSavedText();
            if (panel_.inBufferTicked()) {
                // The note does not change: a view shown stays as it is.
                clipboard_.decryptIntoClipboard(plain);
                cipher_.markDecrypted();
                return;
            }
        }
        const bool first = cipher_.startDecryption();
        if (first)
            cipher_.keepBackup(note_.rtf());
        if (!editorKeepsSelectionText(plain) || !replaceKept(selection, plain, cipherText)) {
            if (first)
                cipher_.dropBackup();
            note_.setSelection(selection);
            showEditor(true);
            stopWithMessage(selectionLeftMessage(CipherDirection::Decrypt), true);
            return;
        }
        const auto start = static_cast<std::size_t>(selection.start);
        cipher_.addView(
            DecryptedView::ofSelection(note_.text(), start, start + plain.size(), cipherText,
                                       strong ? CipherKind::Strong : CipherKind::Compatible),
            std::make_unique<ViewKeys>(keys.compatible, std::move(keys.strong)));
        if (fromOk)
            items_.setReturnCaption(true);
        showEditor(true);
        note_.focus();
        note_.setSelection({selection.start, selection.start + static_cast<long>(plain.size())});
        panel_.close();
    } else {
        const long caret = selection.start;
        // The first decryption of a view keeps what to return to; a later
        // one keeps the first's.
        const bool first = cipher_.startDecryption();
        std::u16string before = note_.text();
        WipeOnExit wipeBefore(before);
        RewriteSource source = decryptionSource(asSaved);
        const WholeNoteResult result =
            processAllLines(CipherDirection::Decrypt, keys, fromOk, first ? &source : nullptr);
        if (cipher_.interrupted()) {
            showEditor(true);
            panel_.close();
            return;
        }
        // The content replaced was set aside (the backup) or lines were
        // written in place after a copy was kept; otherwise nothing changed,
        // and the content read is the backup.
        if (first && !cipher_.hasBackup())
            cipher_.keepBackup(std::move(source.rtf));
        showEditor(true);
        note_.setSelection({caret, caret});
        if (result.changed == 0 && !result.failed.empty()) {
            // Every token refused the password and nothing else changed:
            // there is no decrypted view, and the command decrypts again.
            if (first)
                cipher_.dropBackup();
            reportWholeNote(CipherDirection::Decrypt, result);
            return;
        }
        cipher_.addView(DecryptedView::ofWholeNote(before, note_.text()),
                        std::make_unique<ViewKeys>(keys.compatible, std::move(keys.strong)));
        // The automatic saves need not store anything: the file holds the
        // cipher of what the editor shows.
        if (fromOk)
            note_.setModified(false);
        if (!reportWholeNote(CipherDirection::Decrypt, result)) {
            note_.focus();
            panel_.close();
        }
    }
    if (fromOk)
        cipher_.markDecrypted();
}

bool CipherCommands::reportWholeNote(CipherDirection direction, const WholeNoteResult& result) {
    if (result.refused) {
        stopWithMessage(refusedLineMessage(result.refused), true);
        return true;
    }
    if (!result.failed.empty()) {
        stopWithMessage(failedTokensMessage(result.failed), true);
        return true;
    }
    if (!result.left.empty()) {
        stopWithMessage(leftLinesMessage(direction, result.left), true);
        return true;
    }
    if (result.padded > 0) {
        stopWithMessage(paddedLinesMessage(result.padded), false);
        return true;
    }
    return false;
}

NoteLinesPlan CipherCommands::planAllLines(const std::vector<std::u16string>& lines,
                                           CipherDirection direction, CommandKeys& keys,
                                           WholeNoteResult& result) {
    if (direction == CipherDirection::Decrypt)
        return decryptNoteLines(lines, keys.compatible, *keys.strong);
    NoteLinesPlan plan;
    if (options_.ticked(settings::ID_STRONGCIPHER)) {
        plan.changes = encryptNoteLinesStrong(lines, *keys.strong);
        return plan;
    }
    CompatibleEncryptionPlan compatible = planCompatibleEncryption(lines, keys.compatible);
    result.refused = compatible.refusedLine;
    result.padded = compatible.paddedLines;
    plan.changes = std::move(compatible.changes);
    return plan;
}

CipherCommands::RewriteSource CipherCommands::decryptionSource(bool asSaved) {
    // Reading the note's file costs next to nothing; reading the content out
    // of the control costs a third of loading it. Only a file this program
    // wrote is taken: the rewrite reads it as it reads what the control
    // gives, where another writer's RTF could read otherwise.
    if (asSaved)
        if (std::optional<std::string> bytes = noteFile_.unchangedBytes();
            bytes && document::beginsAsStandardRtf(*bytes))
            return {std::move(*bytes), false};
    return {note_.rtf(), true};
}

CipherCommands::WholeNoteResult CipherCommands::processAllLines(CipherDirection direction,
                                                                CommandKeys& keys,
                                                                bool showProgress,
                                                                RewriteSource* source) {
    WholeNoteResult result;
    // The text is read once: the lines come from it, and the rewrite of the
    // content compares the control's text with it.
    std::u16string text = note_.text();
    std::vector<std::u16string> lines = document::splitLines(text);
    NoteLinesPlan plan = planAllLines(lines, direction, keys, result);
    // Padding and tokens change the lengths of lines: the lines are then
    // written from the last one back, so that each change's start, counted
    // in the note before any change, stays where it was.
    const bool lengthsChange =
        std::any_of(plan.changes.begin(), plan.changes.end(),
                    [&](const LineChange& c) { return c.text.size() != lines[c.index].size(); });
    const std::size_t leftBefore = plan.left.size();
    if (!result.refused) {
        writePlan(text, lines, plan, direction == CipherDirection::Decrypt || lengthsChange,
                  direction, showProgress, source);
        // Lines the editor changed went back and joined the lines left.
        result.changed = plan.changes.size() - (plan.left.size() - leftBefore);
    }
    secureWipe(text);
    for (auto& line : lines)
        secureWipe(line);
    for (auto& change : plan.changes)
        secureWipe(change.text);
    std::sort(plan.left.begin(), plan.left.end());
    result.left = std::move(plan.left);
    result.failed = std::move(plan.failed);
    return result;
}

void CipherCommands::writePlan(std::u16string_view noteText, std::vector<std::u16string>& lines,
                               NoteLinesPlan& plan, bool backwards, CipherDirection direction,
                               bool showProgress, RewriteSource* source) {
    if (plan.changes.empty())
        return;
    LineWriter w{lines, direction, backwards, showProgress};
    w.newText.resize(lines.size());
    w.starts.resize(lines.size());
    w.changed.assign(lines.size(), false);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        w.newText[i] = &lines[i];
        if (i > 0)
            w.starts[i] = w.starts[i - 1] + static_cast<long>(lines[i - 1].size()) + 1;
    }
    for (const LineChange& change : plan.changes) {
        w.newText[change.index] = &change.text;
        w.changed[change.index] = true;
    }
    // Lines of the same length are replaced in the editor faster than the
    // note's content loads (cipher text of every script makes the layout of
    // a load slow); otherwise the replacement costs Wine's control time in
    // proportion to the whole text per line, and one rewrite of the content
    // costs a load.
    if (backwards) {
        // One rewrite of the content: the count says where it starts and
        // that it is done.
        if (showProgress) {
            panel_.showProgress(lineProgressText(direction, 0, lines.size()));
            letPaintsRun();
        }
        const auto replaced = replaceAtOnce(noteText, plan, source);
        if (showProgress && replaced != document::RichEdit::ParagraphsReplaced::Refused)
            panel_.showProgress(lineProgressText(direction, lines.size(), lines.size()));
        switch (replaced) {
        case document::RichEdit::ParagraphsReplaced::AsExpected:
            return;
        case document::RichEdit::ParagraphsReplaced::Differently:
            putBackChangedLines(lines, plan, plan.left);
            return;
        case document::RichEdit::ParagraphsReplaced::Refused:
            break;
        }
    }
    // The lines are written in place: a decryption keeps a copy of the
    // content to go back to first.
    if (source)
        cipher_.keepBackup(source->readFromEditor ? source->rtf : note_.rtf());
    note_.hideSelection(true);
    writeLines(w, plan.changes.front().index, plan.changes.back().index);
    note_.hideSelection(false);
    putBackChangedLines(lines, plan, plan.left);
}

document::RichEdit::ParagraphsReplaced CipherCommands::replaceAtOnce(std::u16string_view noteText,
                                                                     NoteLinesPlan& plan,
                                                                     const RewriteSource* source) {
    // The new texts move into the editor's list of changes and back, so
    // that no further copy of them is made.
    std::vector<document::ParagraphChange> changes;
    changes.reserve(plan.changes.size());
    for (LineChange& change : plan.changes)
        changes.push_back({change.index, std::move(change.text)});
    // A decryption sets the content it replaces aside, to return to.
    const auto replaced = source ? note_.replaceParagraphs(changes, source->rtf, noteText,
                                                           document::RichEdit::OldContent::SetAside)
                                 : note_.replaceParagraphs(changes, {}, noteText);
    for (std::size_t i = 0; i < changes.size(); ++i)
        plan.changes[i].text = std::move(changes[i].text);
    return replaced;
}

bool CipherCommands::formatUniform(document::CharRange range) {
    // At the caret every field counts as the same; over the range only those
    // that do not change anywhere in it.
    note_.setSelection({range.start, range.start});
    const DWORD chars = note_.charFormat().dwMask;
    const DWORD paragraphs = note_.paraFormat().dwMask;
    note_.setSelection(range);
    return (note_.charFormat().dwMask & chars) == chars &&
           (note_.paraFormat().dwMask & paragraphs) == paragraphs;
}

void CipherCommands::writeLines(LineWriter& w, std::size_t first, std::size_t last) {
    if (cipher_.interrupted())
        return;
    // The lines from the first to the last that change are written in one
    // replacement when their character and paragraph formats are the same
    // throughout: that gives what one replacement per line gives (each line
    // takes the format of its first character, paragraphs keep theirs, lines
    // in between are written as they are) at a fraction of Wine's cost per
    // replacement, which grows with the note. Otherwise, or when they are
    // many (one replacement's cost grows faster than its length), they are
    // halved.
    while (first <= last && !w.changed[first])
        ++first;
    while (last > first && !w.changed[last])
        --last;
    if (first > last || !w.changed[first])
        return;
    // A line that does not change is never written back: it may hold what
    // its plain text does not (a picture or an object in a comment block).
    std::size_t unchanged = first;
    while (unchanged <= last && w.changed[unchanged])
        ++unchanged;
    if (unchanged <= last) {
        if (w.backwards) {
            writeLines(w, unchanged + 1, last);
            writeLines(w, first, unchanged - 1);
        } else {
            writeLines(w, first, unchanged - 1);
            writeLines(w, unchanged + 1, last);
        }
        return;
    }
    const document::CharRange range{w.starts[first],
                                    w.starts[last] + static_cast<long>(w.lines[last].size())};
    if (first != last && (last - first >= kLinesAtOnce || !formatUniform(range))) {
        // Wine's control also pays for the cipher text around a change: the
        // cipher is written from the first line on and replaced by plain
        // text from the last line back.
        const std::size_t middle = first + (last - first) / 2;
        if (w.backwards) {
            writeLines(w, middle + 1, last);
            writeLines(w, first, middle);
        } else {
            writeLines(w, first, middle);
            writeLines(w, middle + 1, last);
        }
        return;
    }
    if (w.showProgress && Clock::now() - w.shown >= kProgressPeriod) {
        // Drawn at most every 50 ms: drawing every line would cost more than
        // changing it. The count is of the lines done, also when going back.
        const std::size_t done = w.backwards ? w.lines.size() - 1 - last : first;
        panel_.showProgress(lineProgressText(w.direction, done, w.lines.size()));
        letPaintsRun();
        w.shown = Clock::now();
    }
    std::u16string text;
    text.reserve(static_cast<std::size_t>(range.length()));
    for (std::size_t i = first; i <= last; ++i) {
        if (i > first)
            text.push_back(u'\r');
        text += *w.newText[i];
    }
    note_.setSelection(range);
    note_.replaceSelection(text);
    secureWipe(text);
}

void CipherCommands::putBackChangedLines(std::vector<std::u16string>& before,
                                         const NoteLinesPlan& plan,
                                         std::vector<std::size_t>& left) {
    // The editor must hold every new line exactly; a line it changed goes
    // back to what it was. The kept texts exclude the code units the editor
    // is known to change, so this only guards against the unforeseen.
    const std::vector<std::u16string> after = document::splitLines(note_.text());
    if (after.size() != before.size())
        return;
    std::vector<long> starts(after.size());
    for (std::size_t i = 1; i < after.size(); ++i)
        starts[i] = starts[i - 1] + static_cast<long>(after[i - 1].size()) + 1;
    for (auto it = plan.changes.rbegin(); it != plan.changes.rend(); ++it) {
        const std::size_t i = it->index;
        if (after[i] == it->text)
            continue;
        note_.setSelection({starts[i], starts[i] + static_cast<long>(after[i].size())});
        note_.replaceSelection(before[i]);
        left.push_back(i);
    }
}

} // namespace quivra::crypto
