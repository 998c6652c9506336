// How the subsystems reach each other. Each subsystem names what it must
// tell or ask the others in a small interface of its own; this one object
// answers all of them by calling the subsystem concerned, so every link
// between two subsystems is written here once and checked by the compiler.
#pragma once

#include "crypto/cipher_events.h"
#include "crypto/open_note_file.h"
#include "document/rich_edit_win.h"
#include "editor/formatting_needs.h"
#include "notes/note_events.h"
#include "search/all_notes_links.h"
#include "search/search_events.h"
#include "settings/settings_page_win.h"
#include "window/shown_content_win.h"

namespace quivra::app {

class TMainForm;

class SubsystemLinks final : public settings::SettingsPageHost,
                             public window::ShownContent,
                             public notes::NoteEvents,
                             public search::SearchEvents,
                             public search::AllNotesLinks,
                             public editor::FormattingNeeds,
                             public crypto::CipherEvents,
                             public crypto::OpenNoteFile,
                             public document::EditorSwapListener {
  public:
    explicit SubsystemLinks(TMainForm& form) : form_(form) {}

    // settings::SettingsPageHost: the settings page acts on the window.
    base::IniFile& settingsFile() override;
    void setTrayIconVisible(bool visible) override;
    bool setHotkeyEnabled(bool enabled) override;
    bool setHotkeyKeys(std::optional<settings::HotkeyKeys> keys) override;
    void setOpacity(int alpha) override;
    void placeSelected(int edgeIndex) override;
    void borderColorSelected(COLORREF colour) override;
    void applySkin(const std::wstring& name) override;
    void applyDataDir() override;
    void quit() override;
    void restart() override;
    std::wstring executablePath() const override;
    std::wstring skinsFolder() const override;
    void pauseRefresh() override;
    void resumeRefresh() override;

    // window::ShownContent: what showing and hiding the window does to the
    // rest.
    void saveIfModified() override;
    void focusCurrentNote() override;
    void hideChangedMark() override;
    void returnCipher() override;
    void syncListSelection() override;
    bool noteReadOnly() const override;
    HWND editorWindow() const override;
    bool donationShowing() const override;
    void windowCalledIn() override;
    void releaseCtrl() override;
    program::RefreshFacts refreshFacts() const override;
    window::PanelAreas panelAreas() const override;

    // notes::NoteEvents.
    void noteViewChanged() override;
    void closeSearchResults() override;
    void escapeTyped() override;
    void searchAllNotes() override;

    // search::SearchEvents.
    // The search box, the password panel or the additional menu took the
    // user elsewhere: one answer for the three interfaces asking it.
    void closeQuickSearch() override;
    void enableSizeBox(bool enabled) override;

    // search::AllNotesLinks.
    std::vector<std::u16string> listedNames() const override;
    std::u16string notePath(const std::u16string& name) const override;
    bool openListedNote(const std::u16string& name) override;
    std::vector<search::TextSpan> cipherText(std::u16string_view text) const override;

    // editor::FormattingNeeds.
    int listPaneWidth() const override;

    // crypto::CipherEvents.
    void cipherReturned() override;
    void decryptStateReset() override;

    // crypto::OpenNoteFile.
    std::optional<std::string> unchangedBytes() const override;

    // document::EditorSwapListener: the note editor's control was replaced;
    // its handlers, settings and place went along in the wrapper.
    void editorReplaced(HWND old, HWND fresh) override;

  private:
    TMainForm& form_;
};

} // namespace quivra::app
