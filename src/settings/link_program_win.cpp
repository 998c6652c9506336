// The program that opens links clicked with Ctrl in the editor: chosen on
// the settings page and stored as CustomBrowser, or forgotten.
#include "settings/settings_page_win.h"

#include "win/controls_win.h"
#include "win/file_dialog_win.h"
#include "win/wide_win.h"

namespace quivra::settings {

void SettingsPage::ChooseBrowserClick() {
    // The refresh with its auto-hide stays off while the dialog is open.
    struct Pause {
        SettingsPageHost& host;
        explicit Pause(SettingsPageHost& h) : host(h) { host.pauseRefresh(); }
        ~Pause() { host.resumeRefresh(); }
    };
    std::optional<std::wstring> chosen;
    {
        const Pause pause(host_);
        win::FileDialogRequest request;
        request.filter.assign(L"Приложения\0*.exe\0", 17);
        request.mustExist = false;
        chosen = win::fileDialog(notifyTarget_, request);
    }
    if (!chosen)
        return;
    SetWindowTextW(control(ID_CUSTOMBROWSERPATH), chosen->c_str());
    write(host_.settingsFile(), keys::CustomBrowser,
          win::toU16(win::windowText(control(ID_CUSTOMBROWSERPATH))));
}

void SettingsPage::BrowserDeleteClick() {
    SetWindowTextW(control(ID_CUSTOMBROWSERPATH), L"");
    host_.settingsFile().deleteKey(keys::CustomBrowser.section, keys::CustomBrowser.name);
}

} // namespace quivra::settings
