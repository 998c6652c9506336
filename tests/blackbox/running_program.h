// Driving the real quivra.exe from outside, as another program on the same
// desktop would: start it in a fresh program folder, find its windows, read
// their state, post messages and type into them.
#pragma once

#include <windows.h>

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quivra::blackbox {

class RunningProgram {
  public:
    // `parameters` follow the quoted path on the command line.
    explicit RunningProgram(const std::filesystem::path& exe, const std::wstring& parameters = {});
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    bool started() const { return started_; }
    DWORD pid() const { return pi_.dwProcessId; }
    bool waitForExit(DWORD ms);
    DWORD exitCode() const;

    // The program's main window once it is visible; null after the timeout.
    HWND mainWindow(DWORD timeoutMs) const;
    // A message box of the program (dialog class #32770) once one is shown.
    HWND messageBox(DWORD timeoutMs) const;

  private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

// The screen's scale for the programs started while it lives: the prefix's
// font DPI (LogPixels of the user and of the machine), each put back as it
// was when the scope ends. A program reads it once, as it starts, so the
// scope can end as soon as the program's window is up.
class ScreenDpi {
  public:
    explicit ScreenDpi(DWORD dpi);
    ~ScreenDpi();
    ScreenDpi(const ScreenDpi&) = delete;
    ScreenDpi& operator=(const ScreenDpi&) = delete;

  private:
    struct Saved {
        HKEY root;
        const wchar_t* path;
        std::optional<DWORD> value; // none: the value did not exist
    };
    std::vector<Saved> saved_;
};
// The command line another process was started with (empty if unreadable).
std::wstring commandLineOf(DWORD pid);

// A new empty folder holding a copy of quivra.exe.
std::filesystem::path freshProgramFolder();
// The personal settings file and own notes folder of this computer and user.
std::filesystem::path settingsFile(const std::filesystem::path& programFolder);
std::filesystem::path notesFolder(const std::filesystem::path& programFolder);

// The first descendant window `wanted` accepts, in creation order, or null.
HWND findChildWhere(HWND parent, const std::function<bool(HWND)>& wanted);
bool hasClass(HWND window, const wchar_t* className);
// The first descendant window of the class, or null.
HWND findChild(HWND parent, const wchar_t* className);
// The first descendant window with that control identifier, or null.
HWND findChildById(HWND parent, int id);
// The text of a window of another process.
std::wstring windowText(HWND window);
// The text a message box shows (its static text, not the caption).
std::wstring messageBoxText(HWND box);
// Waits until the program's thread has handled what was sent to it so far.
void settle(HWND window);
// Types the characters into the control as the keyboard would.
void typeInto(HWND control, const std::wstring& text);
// Gives a control of the program's window the keyboard focus, as a click on
// it would (the caret goes to its top-left corner).
void focusControl(HWND window, HWND control);
// Presses the keys together, in order, through the system's input, with the
// program's window in front: modifiers first ({VK_CONTROL, 'B'} is Ctrl+B).
// Returns once the program has handled them.
void pressKeys(HWND window, std::initializer_list<WORD> keys);
// A left click at the control's top-left corner (the control takes the focus).
void clickInto(HWND control);
// The real mouse clicks the control of the program's window near its
// top-left corner, the window in front.
void clickWithMouse(HWND window, HWND control);
// Lower-case letters typed on the real keyboard into what has the focus.
void typeLetters(HWND window, std::string_view letters);
// A left click at a point of the control's client area, as its window
// procedure receives one.
void clickAt(HWND control, POINT at);
// What the system sends the program for its hotkey (Win+N); false when the
// program has registered none.
bool postHotkey(HWND window);
// Presses or moves the real mouse through the system's input, as a hand
// gives it; a move goes to the point in screen coordinates.
void mouse(DWORD flags, POINT to = {});
// The real mouse moved to the screen point and clicked there once or
// (clicks 2) twice in quick succession.
void mouseClick(POINT at, int clicks = 1);
// The real mouse pressed at `grip` with the button of `down` (a
// MOUSEEVENTF_*DOWN flag), moved 30 px right and 45 down in three steps and
// released with `up`.
void mouseDrag(POINT grip, DWORD down, DWORD up);
RECT screenRect(HWND window);
// The place of a child relative to its parent's client area.
POINT placeInParent(HWND child);
// The window that has the keyboard focus in the thread of `window`.
HWND focusedIn(HWND window);
// The descendants of a class that have all of the style bits, in creation order.
std::vector<HWND> findChildren(HWND parent, const wchar_t* className, DWORD styleBits = 0);

void writeBytes(const std::filesystem::path& file, std::string_view bytes);
std::string readBytes(const std::filesystem::path& file);

} // namespace quivra::blackbox
