// The encryption subsystem's controls and menus, its share of the refresh
// and of the shortcuts, and where its commands arrive.
#include "crypto/crypto_controller_win.h"

#include "crypto/command_rules.h"
#include "crypto/comment_brackets.h"
#include "program/refresh_table.h"
#include "win/dpi_win.h"

namespace quivra::crypto {

namespace {

constexpr const wchar_t* kDecryptCaption = L"Расшифровать\tAlt+D";
constexpr const wchar_t* kReturnCaption = L"Вернуть шифр\tAlt+R";

} // namespace

CryptoController::CryptoController(program::Host& host, program::ProgramState& state,
                                   document::RichEdit& note, const settings::Options& options,
                                   CipherState& cipher, window::FloatingPanels& panels,
                                   CipherEvents& events, const OpenNoteFile& noteFile)
    : host_(host), state_(state), note_(note), options_(options), cipher_(cipher), events_(events),
      noteFile_(noteFile), panel_(panels) {
    popupMenu = [this](HMENU menu, POINT at) {
        TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, at.x, at.y, 0, mainWindow_, nullptr);
    };
}

CryptoController::~CryptoController() {
    // A secret must not outlive the program on the clipboard.
    try {
        takeSecretOffClipboard();
    } catch (...) {
    }
}

void CryptoController::create(HWND mainWindow, HWND editorArea) {
    mainWindow_ = mainWindow;
    const int dpi = static_cast<int>(win::dpiForWindow(mainWindow));
    // The editor must not draw over the panel lying on it.
    SetWindowLongPtrW(note_.hwnd(), GWL_STYLE,
                      GetWindowLongPtrW(note_.hwnd(), GWL_STYLE) | WS_CLIPSIBLINGS);
    panel_.create(editorArea, mainWindow, dpi);
    panel_.onMiddleButton = [this] { ECEditMouseUp(); };
    composeMenus();
    editorEvents_.attach(note_.hwnd(), [this](UINT msg, WPARAM wp, LPARAM lp, const auto& next) {
        return onEditorMessage(msg, wp, lp, next);
    });
}

void CryptoController::composeMenus() {
    copyOnlyMenu_.reset(CreatePopupMenu());
    HMENU m = copyOnlyMenu_.get();
    AppendMenuW(m, MF_STRING, ID_COPYONLY, L"Копировать\tCtrl+C");
    AppendMenuW(m, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(m, MF_STRING, H2, L"Расшифровать в буфер обмена");
    AppendMenuW(m, MF_STRING, N45, L"Расшифровать");

    // Never shown: the items exist to give the editor its shortcuts.
    shortcutItems_.reset(CreatePopupMenu());
    HMENU h = shortcutItems_.get();
    AppendMenuW(h, MF_STRING, N10, L"Шифровать\tAlt+C");
    AppendMenuW(h, MF_STRING, N11, L"Дешифровать\tAlt+D");
    AppendMenuW(h, MF_STRING, N13, L"Вернуть шифр\tAlt+R");
    AppendMenuW(h, MF_STRING, D2, L"Выделить текст комментария (только текст)\tAlt+S");
    AppendMenuW(h, MF_STRING, H1, L"Расшифровать и скопировать\tAlt+V");
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
        switch (id) {
        case EnCr:
            return encryptEnabled(f);
        case DeCr:
            return decryptEnabled(f);
        case DeCrBuf:
            return decryptToClipboardEnabled(f);
        default:
            return true;
        }
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
    info.dwTypeData = const_cast<wchar_t*>(returnCipher ? kReturnCaption : kDecryptCaption);
    SetMenuItemInfoW(commandMenu_, DeCr, FALSE, &info);
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
    switch (id) {
    case CommentStart:
        CommentStartClick();
        break;
    case CommentEnd:
        CommentEndClick();
        break;
    case Comment:
        CommentClick();
        break;
    case UnComment:
        UnCommentClick();
        break;
    case C1:
        C1Click();
        break;
    case SelectOnlyTextComment:
        SelectOnlyTextCommentClick();
        break;
    case D2:
        D2Click();
        break;
    case EnCr:
        EnCrClick();
        break;
    case DeCr:
    case N45:
        DeCrClick();
        break;
    case ID_RETURNNOTICE:
        showReturnNotice();
        break;
    case N10:
        N10Click();
        break;
    case N11:
        N11Click();
        break;
    case N13:
        N13Click();
        break;
    case DeCrBuf:
    case H2:
        DeCrBufClick();
        break;
    case H1:
        H1Click();
        break;
    case ID_COPYONLY:
        SendMessageW(note_.hwnd(), WM_COPY, 0, 0);
        break;
    case ID_ECOK:
        if (code == BN_CLICKED)
            ECOkClick();
        break;
    case ID_ECCANCEL:
        if (code == BN_CLICKED)
            ECCancelClick();
        break;
    default:
        // The panel's other controls need nothing from here.
        return program::kCryptoIds.contains(id);
    }
    return true;
}

bool CryptoController::onTimer(UINT_PTR id) {
    if (id != kTPTimer)
        return false;
    TPTimerTimer();
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
    shortcuts.push_back({FALT | FVIRTKEY, 'C', N10});
    shortcuts.push_back({FALT | FVIRTKEY, 'D', N11});
    shortcuts.push_back({FALT | FVIRTKEY, 'R', N13});
    shortcuts.push_back({FALT | FVIRTKEY, 'S', D2});
    shortcuts.push_back({FALT | FVIRTKEY, 'V', H1});
}

HMENU CryptoController::menuOf(int id) const {
    switch (id) {
    case N10:
    case N11:
    case N13:
    case D2:
    case H1:
        return shortcutItems_.get();
    case N45:
    case H2:
    case ID_COPYONLY:
        return copyOnlyMenu_.get();
    default:
        return program::kCryptoIds.contains(id) && id <= DeCrBuf ? commandMenu_ : nullptr;
    }
}

} // namespace quivra::crypto
