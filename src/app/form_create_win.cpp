// The start-up sequence of the main window, in its fixed order.
#include "app/main_form_win.h"

#include "app/data_folders.h"
#include "app/dates.h"
#include "app/single_instance_text.h"
#include "notes/note_file.h"
#include "notes/local_time_win.h"
#include "notes/note_folder_win.h"
#include "notes/note_names.h"
#include "platform/controls_win.h"
#include "platform/errors.h"
#include "platform/message_box_win.h"
#include "platform/file_system_win.h"
#include "platform/wide_win.h"
#include "settings/autostart_win.h"
#include "settings/keys.h"

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

StartResult TMainForm::FormCreate() {
    state_.ctrlDown = false;                               // 6
    std::srand(static_cast<unsigned>(std::time(nullptr))); // 7
    state_.cipherBackup.reset();                           // 9
    state_.programFolder = folderOf(env_.exePath);         // 11
    createFolder(app::skinsFolder(state_.programFolder));  // 12
    createFolder(notesRootFolder(state_.programFolder));
    const std::u16string base = executableBaseName(toU16(env_.exePath)); // 13
    const auto computer = optU16(env_.computerName);                     // 14
    state_.profileName = profileName(computer, optU16(env_.userName));
    state_.sharedSettings = win::fileExists(sharedSettingsFile(state_.programFolder)); // 15
    state_.settingsFile = std::make_unique<IniFile>(std::filesystem::path(
        settingsFilePath(state_.programFolder, state_.sharedSettings, base, state_.profileName)));
    IniFile& ini = *state_.settingsFile;

    if (!exists(ini, keys::Restart) && singleInstanceRefused()) // 16
        return StartResult::Refused;
    startupStep([&] { // 17
        if (exists(ini, keys::Restart))
            remove(ini, keys::Restart);
    });
    state_.currentNoteName.clear(); // 18
    state_.currentNotePath.clear();
    DeleteFileW(toWide(obsoleteNotesList(state_.programFolder)).c_str()); // 19

    // 20-22: the first day of use. A date the current format cannot read
    // counts as today.
    const CivilDate today = env_.today();
    const std::u16string pattern = toU16(env_.shortDatePattern);
    const std::u16string todayText = formatShortDate(today, pattern);
    startupStep([&] {
        if (!exists(ini, keys::StartDate))
            write(ini, keys::StartDate, todayText);
    });
    const auto start = parseShortDate(read(ini, keys::StartDate, todayText), pattern);
    state_.daysInUse = static_cast<long>(daysBetween(start.value_or(today), today));
    setTimer(kAdvTimer, true);

    settingsPage_.setSliderPosition(ID_OPVAL, read(ini, keys::Opacity)); // 23
    settingsPage_.setDataDirText(read(
        ini, keys::NotesDir, defaultNotesDir(state_.sharedSettings, state_.profileName))); // 24
    settingsPage_.selectCustomDir(read(ini, keys::isCustomDir));                           // 25
    settingsPage_.setCustomDirText(read(ini, keys::CustomDir));
    applyNotesFolderRule(); // 26, 28
    startupStep([&] {       // 27
        if (exists(ini, keys::SplitPos))
            remove(ini, keys::SplitPos);
    });

    SetWindowPos(hwnd(), nullptr, 0, 0, std::max<long>(read(ini, keys::Width), px(640)), // 29
                 std::max<long>(read(ini, keys::Height), px(320)),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    settingsPage_.setPlaceIndex(read(ini, keys::Placement));                      // 30
    settingsPage_.setSliderPosition(ID_DELAYSHOWBAR, read(ini, keys::DelayShow)); // 31
    settingsPage_.setSliderPosition(ID_DELAYHIDEBAR, read(ini, keys::DelayHide));
    readOptions();                                 // 32
    applyBorderColor(settingsPage_.borderColor()); // 33
    if (settingsPage_.ticked(ID_ISENABLEHOTKEY))   // 34
        setHotkeyEnabled(true);
    EnumerateNotes();                                              // 35
    if (settingsPage_.ticked(ID_ISTRAYICON) != tray_->visible()) { // 36
        win::setChecked(settingsPage_.control(ID_ISTRAYICON), tray_->visible());
        startupStep([&] {
            settingsPage_.handleCommand(ID_ISTRAYICON, BN_CLICKED,
                                        settingsPage_.control(ID_ISTRAYICON));
        });
    }
    RECT wr; // 37
    GetWindowRect(hwnd(), &wr);
    const auto scr = screen();
    SetWindowPos(hwnd(), nullptr, 0, 0, std::min<int>(wr.right - wr.left, scr.width),
                 std::min<int>(wr.bottom - wr.top, scr.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(tabs_, SW_SHOW);                                                  // 38
    setTimer(kTimer2, settingsPage_.ticked(ID_DISABLESHOWINGONSTART));           // 39
    showPage(kNotesPage);                                                        // 40
    initialPlacement();                                                          // 41
    settingsPage_.setAutostartTicked(settings::autostartPointsTo(env_.exePath)); // 42
    startupStep([&] { selectRememberedNote(); });                                // 43
    note_.setModified(false);                                                    // 44
    skins::skinEngine().setFolder(skinsFolder());                                // 45
    settingsPage_.refreshSkinsList(read(ini, keys::SkinName));
    startupStep([&] { settingsPage_.SkinsListSelect(); });
    settingsPage_.selectTab(0); // 46
    if (helpTabs_)              // 47
        TabCtrl_SetCurSel(helpTabs_, 0);
    return StartResult::Started;
}

bool TMainForm::singleInstanceRefused() {
    const std::wstring name = toWide(singleInstanceMutexName(toU16(env_.exePath)));
    SetLastError(0);
    mutex_.reset(CreateMutexW(nullptr, TRUE, name.c_str()));
    if (GetLastError() == 0)
        return false;
    const long placement = read(*state_.settingsFile, keys::Placement);
    state_.settingsFile.reset();
    const std::wstring caption = toWide(secondCopyCaption());
    const std::wstring text =
        toWide(secondCopyText(window::dockEdgeFromIndex(static_cast<int>(placement)), screen()));
    win::messageBox(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
    return true;
}

void TMainForm::readOptions() {
    IniFile& ini = *state_.settingsFile;
    // Each box's handler writes its key back; one that fails leaves the
    // others to run.
    auto fromKey = [this](int id) { startupStep([&] { settingsPage_.setBoxFromKey(id); }); };
    fromKey(ID_ISANISHOW);
    fromKey(ID_ISANIHIDE);
    tray_->setVisible(read(ini, keys::TrayIcon));
    state_.currentNoteName = read(ini, keys::CurrentNoteName);
    for (int id : {ID_ISDBLCLICK, ID_ISENABLEHOTKEY, ID_ISFOCUSONHOTKEY, ID_ISFOCUSONTRAYCLICK,
                   ID_ISFOCUSONSELECTNOTE, ID_ISONELISTCLICK, ID_ISDYNSEARCH, ID_ISSEARCHFILTER,
                   ID_ISSIMPLEFONTLIST})
        fromKey(id);
    listWidth_ = static_cast<int>(std::max<long>(0, read(ini, keys::ListWidth)));
    layoutNotesPage();
    fromKey(ID_ISUSEANIMATION);
    fromKey(ID_ISDETECTURL);
    // A colour the file names wrongly gives the default frame colour.
    const auto colour = readColor(ini, keys::BorderColor);
    settingsPage_.setBorderColorItem(colour ? colorToString(*colour) : u"clBlue");
    if (SendMessageW(settingsPage_.control(ID_BVLCOLOR), CB_GETCURSEL, 0, 0) < 0)
        settingsPage_.setBorderColorItem(u"clBlue");
    SetWindowTextW(settingsPage_.control(ID_CUSTOMBROWSERPATH),
                   toWide(read(ini, keys::CustomBrowser)).c_str());
    fromKey(ID_DISABLESHOWINGONSTART);
    fromKey(ID_ISSHOWCOPY);
}

void TMainForm::EnumerateNotes() {
    notes::removeStaleNoteTemporaries(std::filesystem::path(state_.notesFolder),
                                      std::filesystem::path(dataFolder(state_.programFolder)),
                                      notes::localNow());
    const auto found = notes::findNoteNames(state_.notesFolder);
    HWND names = control(ID_NOTESNAMESLIST);
    SendMessageW(names, CB_RESETCONTENT, 0, 0);
    SendMessageW(names, CB_INITSTORAGE, found.size(), found.size() * 32);
    for (const auto& n : found) {
        const std::wstring w = toWide(n);
        SendMessageW(names, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
    }
    copyNoteNamesToLists();
}

void TMainForm::copyNoteNamesToLists() {
    HWND lb = control(ID_NOTESLB);
    HWND second = control(ID_NOTE2LIST);
    const int n = noteCount();
    win::RedrawSuspension redraw(lb);
    SendMessageW(lb, LB_RESETCONTENT, 0, 0);
    SendMessageW(second, CB_RESETCONTENT, 0, 0);
    SendMessageW(lb, LB_INITSTORAGE, n, n * 32);
    SendMessageW(second, CB_INITSTORAGE, n, n * 32);
    for (int i = 0; i < n; ++i) {
        const std::wstring name = toWide(noteNameAt(i));
        SendMessageW(lb, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        SendMessageW(second, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
}

void TMainForm::initialPlacement() {
    RECT wr;
    GetWindowRect(hwnd(), &wr);
    const auto placement = window::initialPlacement(
        dockEdge(), settingsPage_.ticked(ID_DISABLESHOWINGONSTART),
        settingsPage_.sliderPosition(ID_OPVAL), screen(), wr.right - wr.left, wr.bottom - wr.top);
    if (!placement)
        return;
    setOpacity(placement->opacity);
    moveWindowTo(placement->position.x, placement->position.y);
    if (placement->bringToTop)
        BringWindowToTop(hwnd());
}

void TMainForm::selectRememberedNote() {
    if (state_.currentNoteName.empty())
        return;
    state_.currentNotePath = notes::notePath(state_.notesFolder, state_.currentNoteName);
    const int index = findNoteIndex(state_.currentNoteName);
    SendMessageW(control(ID_NOTESNAMESLIST), CB_SETCURSEL, index, 0);
    SendMessageW(control(ID_NOTESLB), LB_SETCURSEL, index, 0);
    NotesNamesListSelect();
    note_.setEnabled(index >= 0);
}

void TMainForm::startupStep(const std::function<void()>& step) {
    try {
        step();
    } catch (const UserError& e) {
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
    if (!startupErrors_.empty())
        PostMessageW(hwnd(), WM_QUIVRA_STARTUP_ERRORS, 0, 0);
    ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
    if (settingsPage_.ticked(ID_DISABLESHOWINGONSTART)) // S1
        return;
    startSlideOut();         // S2
    setTimer(kTimer2, true); // S3
}

} // namespace quivra::app
