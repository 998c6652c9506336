#include "settings/data_folder_choice_win.h"

#include "base/name_chars.h"
#include "settings/settings_ids.h"
#include "win/accessible_win.h"
#include "win/controls_win.h"
#include "win/dpi_win.h"
#include "win/wide_win.h"

namespace quivra::settings {

void DataFolderChoice::create(HWND p, UINT dpi) {
    const auto px = [dpi](int designed) { return win::scale(designed, dpi); };
    wd_owndir = win::createRadioButton(p, ID_WD_OWNDIR, L"\\Data\\Notes\\",
                                       {px(16), px(168), px(92), px(17)}, true);
    DataDirV = win::createEdit(p, ID_DATADIRV, L"", {px(112), px(166), px(220), px(21)});
    wd_customdir = win::createRadioButton(p, ID_WD_CUSTOMDIR, L"Своя папка",
                                          {px(16), px(197), px(92), px(17)}, false);
    CustomDirV = win::createEdit(p, ID_CUSTOMDIRV, L"", {px(112), px(195), px(192), px(21)});
    CustomDirBrowse =
        win::createButton(p, ID_CUSTOMDIRBROWSE, L"...", {px(308), px(195), px(24), px(21)});
    // A screen reader would read "..." alone.
    win::nameControl(CustomDirBrowse, [] { return std::wstring(L"Обзор"); });
    ApplyDataDir =
        win::createButton(p, ID_APPLYDATADIR, L"Применить", {px(342), px(178), px(86), px(25)});
    folderNameEvents_.attach(
        DataDirV,
        [](UINT msg, WPARAM wp, LPARAM, const win::Subclass::Next&) -> std::optional<LRESULT> {
            if (msg == WM_CHAR && !DataDirVKeyPress(static_cast<wchar_t>(wp)))
                return 0;
            return std::nullopt;
        });
}

void DataFolderChoice::showValues() {
    SetWindowTextW(DataDirV, dataDir_.c_str());
    SetWindowTextW(CustomDirV, customDir_.c_str());
    win::setChecked(wd_customdir, customSelected_);
    win::setChecked(wd_owndir, !customSelected_);
}

HWND DataFolderChoice::control(int id) const {
    switch (id) {
    case ID_WD_OWNDIR:
        return wd_owndir;
    case ID_DATADIRV:
        return DataDirV;
    case ID_WD_CUSTOMDIR:
        return wd_customdir;
    case ID_CUSTOMDIRV:
        return CustomDirV;
    case ID_CUSTOMDIRBROWSE:
        return CustomDirBrowse;
    case ID_APPLYDATADIR:
        return ApplyDataDir;
    default:
        return nullptr;
    }
}

bool DataFolderChoice::DataDirVKeyPress(wchar_t typed) {
    return base::isAcceptedNameChar(static_cast<char16_t>(typed));
}

void DataFolderChoice::setDataDirText(const std::u16string& text) {
    dataDir_ = win::toWide(text);
    if (DataDirV)
        SetWindowTextW(DataDirV, dataDir_.c_str());
}

void DataFolderChoice::setCustomDirText(const std::u16string& text) {
    customDir_ = win::toWide(text);
    if (CustomDirV)
        SetWindowTextW(CustomDirV, customDir_.c_str());
}

void DataFolderChoice::selectCustomDir(bool custom) {
    customSelected_ = custom;
    if (!wd_customdir)
        return;
    win::setChecked(wd_customdir, custom);
    win::setChecked(wd_owndir, !custom);
}

void DataFolderChoice::dataDirTyped() {
    dataDir_ = win::windowText(DataDirV);
}

void DataFolderChoice::customDirTyped() {
    customDir_ = win::windowText(CustomDirV);
}

void DataFolderChoice::dataDirChoiceClick() {
    customSelected_ = win::isChecked(wd_customdir);
}

void DataFolderChoice::ApplyDataDirClick() {
    host_.applyDataDir();
}

} // namespace quivra::settings
