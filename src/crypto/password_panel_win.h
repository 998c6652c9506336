// The password panel ECPanel: a floating panel in the editor area that asks
// for the password of the encrypt and decrypt commands (and of the
// decryption into the clipboard). The typed password is kept only in
// PasswordText and ConfirmText; the two read-only masked fields show random
// filler. The panel hides itself, wiping both texts, when the keyboard focus
// leaves it. What Ok does belongs to the commands: the panel sends the main
// window the commands of its buttons.
#pragma once

#include "crypto/password_checks.h"
#include "crypto/password_entry.h"
#include "win/accessible_win.h"
#include "win/handles_win.h"
#include "win/subclass_win.h"
#include "window/floating_panels_win.h"

#include <functional>
#include <string>
#include <string_view>

namespace quivra::crypto {

class PasswordPanel {
  public:
    // What a command opens the panel for.
    enum class Use { Encrypt, Decrypt, DecryptToClipboard };

    explicit PasswordPanel(window::FloatingPanels& panels) : panels_(panels) {}

    // Where the panel goes: the editor area; its buttons' commands go to
    // `commandTarget`. The panel itself is made the first time it opens.
    void create(HWND editorArea, HWND commandTarget, int dpi);

    // Opening (EnCrClick, DeCrClick, DeCrBufClick): the rows of the mode,
    // prompts in the normal colour, fields emptied, the panel at its place,
    // shown, the password field focused and both texts wiped.
    // `selectionNotEmpty` enables the clipboard box of a decryption.
    void open(Use use, bool selectionNotEmpty);
    // Hides the panel and wipes both texts (ECPanelExit).
    void close();
    bool shown() const { return panel_.shown(); }
    // Encryption mode: the repeat field is shown.
    bool encryptionMode() const;

    // PasswordText and ConfirmText.
    const std::u16string& passwordText() const { return ECEdit.entry.text(); }
    const std::u16string& confirmText() const { return ECConfirmEdit.entry.text(); }
    void wipeTexts();
    // The middle-button confirmation asks for the repeat afresh.
    void wipeConfirmText() { ECConfirmEdit.entry.clear(); }
    // The middle-button confirmation's step 0: the password field emptied,
    // PasswordText kept.
    void emptyPasswordField();

    // The password field's step (the Tag of ECEdit): 0 opened for encryption,
    // 1 repeat asked for by the middle button, 2 opened for decryption.
    int step() const noexcept { return step_; }
    void setStep(int step) noexcept { step_ = step; }
    bool inBufferTicked() const;

    // A message in one of the two labels, red or in the normal text colour.
    void say(PanelLabel label, std::u16string_view text, bool red);
    void say(const PanelMessage& m) { say(m.label, m.text, m.red); }
    // The processing state of Ok: the repeat label, both fields and both
    // buttons hidden, the panel's caption set and the panel repainted at
    // once. The keyboard focus stays in the panel.
    void showProcessing(std::u16string_view caption);
    // The panel's caption (empty while the password is asked for).
    void setCaption(std::u16string_view caption);
    // ECLabel's text now, drawn at once (the progress of a whole-note command).
    void showProgress(std::u16string_view text);
    void focusPasswordField();
    void focusConfirmField();

    // Run when the middle button is released over the password field.
    std::function<void()> onMiddleButton;

    // The controls, for the commands and the tests (null until first opened).
    HWND hwnd() const { return panel_.hwnd(); }
    HWND control(int id) const;
    window::FloatingPanelWindow& window() { return panel_; }
    std::wstring labelText(PanelLabel label) const;
    bool labelRed(PanelLabel label) const;

  private:
    // A masked field and the password typed into it (its box shows filler).
    struct Field {
        HWND edit = nullptr;
        PasswordEntry entry;
        win::Subclass events;
        win::AccessibleName name; // the label above it names it
    };
    void build();
    // A mouse button went down on the panel, a label or the clipboard box.
    void ECPanelMouseDown(window::MouseButton button);
    void layout(int height);
    void emptyField(Field& field);
    void fieldChanged(const Field& field);
    void fitLabel();
    std::optional<LRESULT> onFieldMessage(Field& field, UINT msg, WPARAM wp, LPARAM lp,
                                          const win::Subclass::Next& next);
    std::optional<LRESULT> onPanelMessage(UINT msg, WPARAM wp, LPARAM lp,
                                          const win::Subclass::Next& next);
    void clickCommand(int id, HWND button);
    int px(int designed) const;

    window::FloatingPanels& panels_;
    window::FloatingPanelWindow panel_{window::FloatingPanel::Password};
    HWND editorArea_ = nullptr;
    HWND commandTarget_ = nullptr;
    int dpi_ = 96;
    HWND ECCap = nullptr;
    HWND caption_ = nullptr;
    HWND ECLabel = nullptr;
    HWND ECConfirmLabel = nullptr;
    HWND ECOk = nullptr;
    HWND ECCancel = nullptr;
    HWND ECInBuffer = nullptr;
    Field ECEdit;
    Field ECConfirmEdit;
    bool labelRed_ = false;
    bool confirmRed_ = false;
    int step_ = 0;
    win::Subclass panelEvents_;
    win::Subclass inBufferEvents_;
    win::UniqueFont capFont_;
};

} // namespace quivra::crypto
