// The start-up sequence of the main window, in its fixed order.
#include "app/main_form_win.h"

#include "app/dates.h"
#include "app/single_instance_text.h"
#include "base/errors.h"
#include "settings/autostart_win.h"
#include "settings/data_folders.h"
#include "settings/keys.h"
#include "skins/skin_engine_win.h"
#include "win/controls_win.h"
#include "win/file_system_win.h"
#include "win/message_box_win.h"
#include "win/wide_win.h"

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace quivra::app {

using namespace settings;
using win::toU16;
using win::toWide;

namespace {

// Creates a folder with all missing parents; failures are not reported.
void createFolder(const std::u16string& path) {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path), ec);
}

std::u16string folderOf(const std::wstring& path) {
    const auto slash = path.find_last_of(L"\\/");
    return toU16(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

std::optional<std::u16string> optU16(const std::optional<std::wstring>& s) {
    if (!s)
        return std::nullopt;
    return toU16(*s);
}

} // namespace

void TMainForm::chooseSettingsFile() {
    state_.ProgramFolder = folderOf(env_.exePath);
    state_.dataFolder = dataFolder(state_.ProgramFolder);
    createFolder(settings::skinsFolder(state_.ProgramFolder));
    createFolder(notesRootFolder(state_.ProgramFolder));
    const std::u16string base = executableBaseName(toU16(env_.exePath));
    const auto computer = optU16(env_.computerName);
    state_.ProfileName = profileName(computer, optU16(env_.userName));
    // Data\default.ini, where present, holds the settings of every user.
    state_.sharedSettings = win::fileExists(sharedSettingsFile(state_.ProgramFolder));
    state_.SettingsFile = std::make_unique<base::IniFile>(std::filesystem::path(
        settingsFilePath(state_.ProgramFolder, state_.sharedSettings, base, state_.ProfileName)));
}

StartResult TMainForm::FormCreate() {
    std::srand(static_cast<unsigned>(std::time(nullptr))); // encryption draws random characters
    // The settings file was chosen before the window was made: the window's
    // size comes from it.
    base::IniFile& ini = *state_.SettingsFile;

    // A restarted copy starts while the old one may still hold the mutex.
    if (singleInstanceRefused(exists(ini, keys::Restart)))
        return StartResult::Refused;
    // Temporaries an interrupted write of the settings left behind; only
    // now, when no other copy can be writing the file.
    ini.removeStaleTemporaries();
    startupStep([&] {
        if (exists(ini, keys::Restart))
            remove(ini, keys::Restart);
    });
    DeleteFileW(toWide(obsoleteNotesList(state_.ProgramFolder)).c_str());

    // The first day of use, for the donation reminder, in the user's short
    // date format (names of months and days included) where that format can
    // be read back. A date the current format cannot read counts as today.
    const CivilDate today = env_.today();
    const std::u16string userPattern = toU16(env_.shortDatePattern);
    const std::u16string_view pattern = storedDatePattern(userPattern, env_.dateNames);
    const std::u16string todayText = formatShortDate(today, pattern, env_.dateNames);
    startupStep([&] {
        if (!exists(ini, keys::StartDate))
            write(ini, keys::StartDate, todayText);
    });
    const auto start =
        parseShortDate(read(ini, keys::StartDate, todayText), pattern, env_.dateNames);
    state_.DaysInUse = static_cast<long>(daysBetween(start.value_or(today), today));
    donation_.startReminderTimer();

    // The opacity slider is the one control whose setting takes effect here.
    settingsPage_.sliders().setPosition(ID_OPVAL, read(ini, keys::Opacity));
    settingsPage_.dataFolder().setDataDirText(
        read(ini, keys::NotesDir, defaultNotesDir(state_.sharedSettings, state_.ProfileName)));
    settingsPage_.dataFolder().selectCustomDir(read(ini, keys::isCustomDir));
    settingsPage_.dataFolder().setCustomDirText(read(ini, keys::CustomDir));
    applyNotesFolderRule(); // picks the notes folder and creates it when missing
    startupStep([&] {       // an obsolete key
        if (exists(ini, keys::SplitPos))
            remove(ini, keys::SplitPos);
    });

    // The window was created at this size, so nothing is laid out again.
    SetWindowPos(hwnd(), nullptr, 0, 0, storedWidth(), storedHeight(),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    settingsPage_.placeBox().setPlaceIndex(read(ini, keys::Placement)); // the docking edge
    settingsPage_.sliders().setPosition(ID_DELAYSHOWBAR, read(ini, keys::DelayShow));
    settingsPage_.sliders().setPosition(ID_DELAYHIDEBAR, read(ini, keys::DelayHide));
    // The hotkey field holds the stored combination before the hotkey box's
    // handler registers it.
    settingsPage_.hotkeyField().setWord(read(ini, keys::HotkeyKeys));
    readOptions(); // the option boxes from their keys, each box's handler run
    presenter_.setBorderColor(settingsPage_.borderColor());
    if (settingsPage_.ticked(ID_ISENABLEHOTKEY))
        settingsPage_.hotkeyField().showRegistered(presenter_.setHotkeyEnabled(true));
    notes_.EnumerateNotes(); // and copies the names into the list box and the chooser
    // The box says whether the icon is wanted; the shell takes it when the
    // window is first shown, or later if it refuses then.
    if (settingsPage_.ticked(ID_ISTRAYICON) != presenter_.trayIconWanted()) {
        const bool wanted = presenter_.trayIconWanted();
        startupStep([&] { settingsPage_.optionBoxes().setBoxTicked(ID_ISTRAYICON, wanted); });
    }
    // No larger than the screen.
    RECT wr;
    GetWindowRect(hwnd(), &wr);
    const auto scr = presenter_.screen();
    SetWindowPos(hwnd(), nullptr, 0, 0, std::min<int>(wr.right - wr.left, scr.width),
                 std::min<int>(wr.bottom - wr.top, scr.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(QuivraPages, SW_SHOW);
    // A silent start keeps the window at its hidden place.
    presenter_.setTimer(window::Timer2, settingsPage_.ticked(ID_DISABLESHOWINGONSTART));
    showPage(program::Page::Notes);
    presenter_.initialPlacement(); // shown or hidden at the docking edge
    settingsPage_.optionBoxes().setAutostartTicked(settings::autostartPointsTo(env_.exePath));
    // The note that was open when the program last ended.
    startupStep([&] { notes_.openRememberedNote(); });
    note_.setModified(false);
    // The skins found in the folder, and the stored one applied.
    skins::skinEngine().setFolder(links_.skinsFolder());
    settingsPage_.skins().refreshSkinsList(read(ini, keys::SkinName));
    startupStep([&] { settingsPage_.skins().applyStoredSkin(); });
    // The first page of the settings and of the help.
    settingsPage_.tabs().selectTab(0);
    infoPages_.selectFirstTab();
    return StartResult::Started;
}

int TMainForm::storedListWidth() const {
    // In 96-DPI units like the window's size; no wider than any window.
    return scale(window::storedExtent(read(*state_.SettingsFile, keys::ListWidth), 0));
}

int TMainForm::storedWidth() const {
    return scale(
        window::storedExtent(read(*state_.SettingsFile, keys::Width), window::kMinimumWidth));
}

int TMainForm::storedHeight() const {
    return scale(
        window::storedExtent(read(*state_.SettingsFile, keys::Height), window::kMinimumHeight));
}

bool TMainForm::singleInstanceRefused(bool restarted) {
    const std::wstring name = toWide(singleInstanceMutexName(toU16(env_.exePath)));
    SetLastError(0);
    mutex_.reset(CreateMutexW(nullptr, TRUE, name.c_str()));
    const DWORD error = GetLastError();
    if (mutex_ && error == 0)
        return false;
    // The copy that restarted this one ends right after starting it; its
    // mutex is then released (or abandoned) and this copy holds it, so a
    // later start is refused as usual.
    if (mutex_ && restarted && error == ERROR_ALREADY_EXISTS) {
        const DWORD waited = WaitForSingleObject(mutex_.get(), kRestartWaitMs);
        if (waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED)
            return false;
    }
    const long placement = read(*state_.SettingsFile, keys::Placement);
    state_.SettingsFile.reset();
    const std::wstring caption = toWide(secondCopyCaption());
    const std::wstring text = toWide(secondCopyText(
        window::dockEdgeFromIndex(static_cast<int>(placement)), presenter_.screen()));
    win::messageBox(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
    return true;
}

void TMainForm::readOptions() {
    base::IniFile& ini = *state_.SettingsFile;
    // Each box's handler writes its key back; one that fails leaves the
    // others to run.
    auto fromKey = [this](int id) {
        startupStep([&] { settingsPage_.optionBoxes().setBoxFromKey(id); });
    };
    fromKey(ID_ISANISHOW);
    fromKey(ID_ISANIHIDE);
    presenter_.setTrayIconVisible(read(ini, keys::TrayIcon));
    notes_.setRememberedNote(read(ini, keys::CurrentNoteName));
    for (int id : {ID_ISDBLCLICK, ID_ISENABLEHOTKEY, ID_ISFOCUSONHOTKEY, ID_ISFOCUSONTRAYCLICK,
                   ID_ISFOCUSONSELECTNOTE, ID_ISONELISTCLICK, ID_ISDYNSEARCH, ID_ISSEARCHFILTER,
                   ID_ISSIMPLEFONTLIST})
        fromKey(id);
    const int listWidth = storedListWidth();
    if (listWidth != notes_.lists().listWidth()) {
        notes_.lists().setListWidth(listWidth);
        layoutNotesPage();
    }
    fromKey(ID_ISUSEANIMATION);
    fromKey(ID_ISDETECTURL);
    // A colour the file names wrongly gives the default frame colour.
    const auto colour = readColor(ini, keys::BorderColor);
    settingsPage_.borderColourBox().setBorderColorItem(colour ? colorToString(*colour) : u"clBlue");
    settingsPage_.linkProgram().setCustomBrowserText(toWide(read(ini, keys::CustomBrowser)));
    fromKey(ID_DISABLESHOWINGONSTART);
    fromKey(ID_ISSHOWCOPY);
    fromKey(ID_STRONGCIPHER);
}

void TMainForm::startupStep(const std::function<void()>& step) {
    try {
        step();
    } catch (const base::UserError& e) {
        if (std::find(startupErrors_.begin(), startupErrors_.end(), e.text()) ==
            startupErrors_.end())
            startupErrors_.push_back(e.text());
    }
}

void TMainForm::OnStartupErrors() {
    auto errors = std::move(startupErrors_);
    startupErrors_.clear();
    for (const auto& text : errors)
        win::showErrorBox(hwnd(), win::asWide(text));
}

void TMainForm::FormShow() {
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    // The window paints before the tray icon is added: adding it loads the
    // shell library, which the user need not wait for to see the window.
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    // The first slide out, and the tray icon now that the window is up.
    presenter_.firstShowing();
    if (!startupErrors_.empty())
        PostMessageW(hwnd(), WM_QUIVRA_STARTUP_ERRORS, 0, 0);
    timeline_.mark("first showing");
}

} // namespace quivra::app
