// The encryption subsystem's controls and menus, its share of the refresh
// and of the shortcuts, and where its commands arrive.
#include "crypto/crypto_controller_win.h"

#include "crypto/command_rules.h"
#include "crypto/comment_brackets.h"
#include "program/refresh_table.h"
#include "win/dpi_win.h"

namespace quivra::crypto {

program::Commands<CryptoController> CryptoController::commands() {
    using C = CryptoController;
    using program::alt;
    static constexpr program::Command<C> kCommands[] = {
        // The additional menu: the comment brackets, the selection of a
        // comment and the cipher, each reached by the key of a hidden item.
        {.id = CommentStart,
         .caption = L"Начало комментария",
         .menu = kComments,
         .run = [](C& c) { c.comments_.CommentStartClick(); }},
        {.id = CommentEnd,
         .caption = L"Конец комментария",
         .menu = kComments,
         .run = [](C& c) { c.comments_.CommentEndClick(); }},
        {.id = Comment,
         .caption = L"Закомментировать",
         .menu = kComments,
         .run = [](C& c) { c.comments_.CommentClick(); }},
        {.id = UnComment,
         .caption = L"Раскомментировать",
         .menu = kComments,
         .run = [](C& c) { c.comments_.UnCommentClick(); }},
        {.id = C1,
         .caption = L"С символами",
         .menu = kSelectComment,
         .run = [](C& c) { c.comments_.C1Click(); }},
        {.id = SelectOnlyTextComment,
         .caption = L"Только текст",
         .keyOf = D2,
         .menu = kSelectComment,
         .run = [](C& c) { c.comments_.SelectOnlyTextCommentClick(); }},
        {.id = EnCr,
         .caption = L"Шифровать",
         .keyOf = N10,
         .menu = kCipher,
         .run = [](C& c) { c.cipherCommands_.EnCrClick(); },
         .enabled = encryptEnabled},
        {.id = DeCr,
         .caption = L"Расшифровать",
         .keyOf = N11,
         .menu = kCipher,
         .run = [](C& c) { c.cipherCommands_.DeCrClick(); },
         .enabled = decryptEnabled},
        {.id = DeCrBuf,
         .caption = L"Расшифровать в буфер обмена",
         .keyOf = H1,
         .menu = kCipher,
         .run = [](C& c) { c.clipboard_.DeCrBufClick(); },
         .enabled = decryptToClipboardEnabled},
        // Never shown: the items exist to give the editor its keys.
        {.id = N10,
         .caption = L"Шифровать",
         .key = alt('C'),
         .menu = kShortcutItems,
         .run = [](C& c) { c.cipherCommands_.N10Click(); },
         .help = L"зашифровать"},
        {.id = N11,
         .caption = L"Дешифровать",
         .key = alt('D'),
         .menu = kShortcutItems,
         .run = [](C& c) { c.cipherCommands_.N11Click(); },
         .help = L"расшифровать"},
        {.id = N13,
         .caption = L"Вернуть шифр",
         .key = alt('R'),
         .menu = kShortcutItems,
         .run = [](C& c) { c.cipherCommands_.N13Click(); },
         .help = L"вернуть шифр"},
        {.id = D2,
         .caption = L"Выделить текст комментария (только текст)",
         .key = alt('S'),
         .menu = kShortcutItems,
         .run = [](C& c) { c.comments_.D2Click(); },
         .help = L"выделить текст комментария"},
        {.id = H1,
         .caption = L"Расшифровать и скопировать",
         .key = alt('V'),
         .menu = kShortcutItems,
         .run = [](C& c) { c.clipboard_.H1Click(); },
         .help = L"расшифровать в буфер обмена"},
        // The action menu of a Ctrl+click comment selection.
        {.id = ID_COPYONLY,
         .caption = L"Копировать",
         .key = program::kCopyKey,
         .menu = kCopyOnly,
         .run = [](C& c) { c.comments_.copySelection(); }},
        {.menu = kCopyOnly},
        {.id = H2,
         .caption = L"Расшифровать в буфер обмена",
         .menu = kCopyOnly,
         .run = [](C& c) { c.clipboard_.DeCrBufClick(); }},
        {.id = N45,
         .caption = L"Расшифровать",
         .menu = kCopyOnly,
         .run = [](C& c) { c.cipherCommands_.DeCrClick(); }},
        // The password panel's buttons, and the notice of a return.
        {.id = ID_ECOK, .run = [](C& c) { c.cipherCommands_.ECOkClick(); }, .code = BN_CLICKED},
        {.id = ID_ECCANCEL,
         .run = [](C& c) { c.cipherCommands_.ECCancelClick(); },
         .code = BN_CLICKED},
        {.id = ID_RETURNNOTICE, .run = [](C& c) { c.cipherCommands_.showReturnNotice(); }},
    };
    return kCommands;
}

CryptoController::CryptoController(program::Host& /*host*/, program::ProgramState& state,
                                   document::RichEdit& note, const settings::Options& options,
                                   CipherState& cipher, window::FloatingPanels& panels,
                                   CipherEvents& events, const OpenNoteFile& noteFile)
    : state_(state), note_(note), cipher_(cipher), panel_(panels),
      comments_(note, state, options, events), clipboard_(note, panel_, *this),
      cipherCommands_({note, state, options, cipher, events, noteFile}, panel_, *this, clipboard_) {
}

void CryptoController::create(HWND mainWindow, HWND editorArea) {
    mainWindow_ = mainWindow;
    const int dpi = static_cast<int>(win::dpiForWindow(mainWindow));
    // The editor must not draw over the panel lying on it.
    SetWindowLongPtrW(note_.hwnd(), GWL_STYLE,
                      GetWindowLongPtrW(note_.hwnd(), GWL_STYLE) | WS_CLIPSIBLINGS);
    panel_.create(editorArea, mainWindow, dpi);
    panel_.onMiddleButton = [this] { cipherCommands_.ECEditMouseUp(); };
    clipboard_.create(mainWindow);
    composeMenus();
}

void CryptoController::composeMenus() {
    win::UniqueMenu copyOnly(CreatePopupMenu());
    appendMenuItems(kCopyOnly, copyOnly.get());
    shortcutItems_.reset(CreatePopupMenu());
    appendMenuItems(kShortcutItems, shortcutItems_.get());
    // The comment commands watch the editor's mouse from here on.
    comments_.create(mainWindow_, std::move(copyOnly));
}

void CryptoController::setCommandMenu(HMENU menu) {
    commandMenu_ = menu;
    setReturnCaption(returnCaption_);
}

bool CryptoController::itemEnabled(int id) const {
    if (!commandMenu_) {
        // No menu yet: the refresh's rule, from the facts as they are now.
        program::RefreshFacts f;
        f.editorEnabled = note_.enabled();
        f.readOnly = state_.NoteReadOnly;
        f.wordWrap = state_.NoteWordWrap;
        f.selectionEmpty = note_.selection().length() == 0;
        f.selectionHasCommentMarker = selectionHoldsMarker();
        const auto* row = program::findCommand(commands(), id);
        return !row || !row->enabled || row->enabled(f);
    }
    const UINT state = GetMenuState(commandMenu_, static_cast<UINT>(id), MF_BYCOMMAND);
    return state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED)) == 0;
}

void CryptoController::setReturnCaption(bool returnCipher) {
    returnCaption_ = returnCipher;
    if (!commandMenu_)
        return;
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    // The item reads as the hidden item whose key does what it does now.
    std::wstring caption = program::menuCaption(commands(), returnCipher ? N13 : DeCr);
    info.dwTypeData = caption.data();
    SetMenuItemInfoW(commandMenu_, DeCr, FALSE, &info);
}

void CryptoController::mainWindowCalledIn() {
    // After the call-in has focused the editor.
    if (cipher_.hasNotice())
        PostMessageW(mainWindow_, WM_COMMAND, ID_RETURNNOTICE, 0);
    clipboard_.mainWindowCalledIn();
}

bool CryptoController::selectionHoldsMarker() const {
    const document::CharRange selection = note_.selection();
    if (selection.start == selection.end)
        return false;
    // Read from the text itself every time: a paste over the selection can
    // change its text while its range and the note's length stay the same.
    return containsCommentMarker(note_.textRange(selection));
}

// --- Routing ----------------------------------------------------------------

bool CryptoController::onCommand(int id, int code, HWND) {
    // The panel's other controls need nothing from here.
    return program::runCommand(commands(), *this, id, code) || program::kCryptoIds.contains(id);
}

bool CryptoController::onTimer(UINT_PTR id) {
    if (id != kTPTimer)
        return false;
    clipboard_.TPTimerTimer();
    return true;
}

void CryptoController::addRefreshRows(program::RefreshTable& table) {
    using program::RefreshFacts;
    using program::RefreshStep;
    const auto enable = [this](int id, bool enabled) {
        if (commandMenu_)
            EnableMenuItem(commandMenu_, static_cast<UINT>(id), enabled ? MF_ENABLED : MF_GRAYED);
    };
    table.add(program::RefreshStep::Encrypt,
              [enable](const program::RefreshFacts& f) { enable(EnCr, encryptEnabled(f)); });
    table.add(program::RefreshStep::Decrypt,
              [enable](const program::RefreshFacts& f) { enable(DeCr, decryptEnabled(f)); });
    table.add(program::RefreshStep::DecryptToClipboard, [enable](const program::RefreshFacts& f) {
        enable(DeCrBuf, decryptToClipboardEnabled(f));
    });
}

void CryptoController::addShortcuts(std::vector<ACCEL>& shortcuts) {
    program::addAccelerators(commands(), shortcuts);
}

HMENU CryptoController::menuOf(int id) const {
    switch (program::menuIndexOf(commands(), id)) {
    case kShortcutItems:
        return shortcutItems_.get();
    case kCopyOnly:
        return comments_.copyOnlyMenu();
    case program::kNoMenu:
        return nullptr;
    default:
        return commandMenu_; // the additional menu's groups
    }
}

} // namespace quivra::crypto
