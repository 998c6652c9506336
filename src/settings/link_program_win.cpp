#include "settings/link_program_win.h"

#include "settings/keys.h"
#include "settings/settings_ids.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/file_dialog_win.h"
#include "win/wide_win.h"

namespace quivra::settings {

void LinkProgramField::create(HWND p, HWND dialogOwner, UINT dpi, win::Hints& hints) {
    const auto px = [dpi](int designed) { return win::scale(designed, dpi); };
    dialogOwner_ = dialogOwner;
    win::createLabel(p, 0, L"Открывать ссылки с помощью", {px(8), px(172), px(300), px(14)});
    CustomBrowserPath =
        win::createEdit(p, ID_CUSTOMBROWSERPATH, L"", {px(8), px(188), px(240), px(21)});
    ChooseBrowser =
        win::createButton(p, ID_CHOOSEBROWSER, L"...", {px(252), px(188), px(24), px(21)});
    BrowserDelete =
        win::createButton(p, ID_BROWSERDELETE, L"X", {px(280), px(188), px(24), px(21)});
    hints.add(ChooseBrowser, L"Обзор");
    hints.add(BrowserDelete, L"Очистить значение");
}

void LinkProgramField::showValues() {
    SetWindowTextW(CustomBrowserPath, path_.c_str());
}

HWND LinkProgramField::control(int id) const {
    switch (id) {
    case ID_CUSTOMBROWSERPATH:
        return CustomBrowserPath;
    case ID_CHOOSEBROWSER:
        return ChooseBrowser;
    case ID_BROWSERDELETE:
        return BrowserDelete;
    default:
        return nullptr;
    }
}

void LinkProgramField::setCustomBrowserText(const std::wstring& path) {
    path_ = path;
    if (CustomBrowserPath)
        SetWindowTextW(CustomBrowserPath, path.c_str());
}

void LinkProgramField::customBrowserTyped() {
    path_ = win::windowText(CustomBrowserPath);
}

void LinkProgramField::ChooseBrowserClick() {
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
        chosen = win::fileDialog(dialogOwner_, request);
    }
    if (!chosen)
        return;
    SetWindowTextW(CustomBrowserPath, chosen->c_str());
    write(host_.settingsFile(), keys::CustomBrowser,
          win::toU16(win::windowText(CustomBrowserPath)));
}

void LinkProgramField::BrowserDeleteClick() {
    SetWindowTextW(CustomBrowserPath, L"");
    host_.settingsFile().deleteKey(keys::CustomBrowser.section, keys::CustomBrowser.name);
}

} // namespace quivra::settings
