#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "base/ini_file.h"
#include "donation/adv_form_win.h"
#include "donation/d_form_win.h"
#include "win/dpi_win.h"
#include "win/message_box_win.h"

namespace fs = std::filesystem;
using quivra::donation::TAdvForm;
using quivra::donation::TDForm;

namespace {

std::wstring text(HWND control) {
    wchar_t buf[512]{};
    GetWindowTextW(control, buf, 512);
    return buf;
}

bool visible(HWND control) {
    return IsWindowVisible(control) != FALSE;
}

int px(int designed) {
    return quivra::win::scale(designed, quivra::win::systemDpi());
}

class DonationWindows : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH]{};
        GetTempPathW(MAX_PATH, temp);
        root = fs::path(temp) / (L"quivra-donation-" + std::to_wstring(GetCurrentProcessId()) +
                                 L"-" + std::to_wstring(GetTickCount64()));
        data = root / L"Data";
        fs::create_directories(data);
        settingsFile = data / L"Quivra_PC_user.ini";
        quivra::win::setMessageBoxHook([this](HWND, const wchar_t* t, const wchar_t*, UINT) {
            boxes.push_back(t);
            return IDOK;
        });
    }
    void TearDown() override {
        reminder.reset();
        details.reset();
        quivra::win::setMessageBoxHook({});
        std::error_code ec;
        fs::remove_all(root, ec);
    }

    void createWindows() {
        reminder.reset();
        details = std::make_unique<TDForm>(data);
        reminder = std::make_unique<TAdvForm>(settingsFile, *details);
        ASSERT_TRUE(details->create());
        ASSERT_TRUE(reminder->create());
    }
    void click(const quivra::win::Window& window, int id) {
        SendMessageW(GetDlgItem(window.hwnd(), id), BM_CLICK, 0, 0);
    }
    void writeDetails(const std::string& utf8) {
        std::ofstream(data / L"donation.ini", std::ios::binary) << utf8;
    }
    bool noAdvStored() const {
        return quivra::base::IniFile(settingsFile).readBool(u"Options", u"NoAdv", false);
    }

    fs::path root, data, settingsFile;
    std::unique_ptr<TDForm> details;
    std::unique_ptr<TAdvForm> reminder;
    std::vector<std::wstring> boxes;
};

// The caption, word-wrapped in the button's font, fits inside its face.
void expectCaptionFits(HWND button) {
    RECT face{};
    GetClientRect(button, &face);
    InflateRect(&face, -4, -3);
    HDC dc = GetDC(button);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
    RECT need = face;
    const std::wstring caption = text(button);
    DrawTextW(dc, caption.c_str(), -1, &need, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    SelectObject(dc, old);
    ReleaseDC(button, dc);
    EXPECT_LE(need.right - need.left, face.right - face.left) << caption;
    EXPECT_LE(need.bottom - need.top, face.bottom - face.top) << caption;
}

} // namespace

TEST_F(DonationWindows, ReminderStartsHiddenCentredOnTopAndItsCaptionsFit) {
    createWindows();
    EXPECT_FALSE(reminder->isShowing());
    EXPECT_FALSE(details->isShowing());

    const HWND w = reminder->hwnd();
    RECT r{};
    GetWindowRect(w, &r);
    EXPECT_EQ(r.right - r.left, px(289));
    EXPECT_EQ(r.bottom - r.top, px(286));
    EXPECT_NEAR(r.left + (r.right - r.left) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR(r.top + (r.bottom - r.top) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    EXPECT_FALSE(GetWindowLongPtrW(w, GWL_STYLE) & (WS_CAPTION | WS_THICKFRAME));
    EXPECT_TRUE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_TOPMOST);

    const std::pair<int, int> buttons[] = {{TAdvForm::Adv_yes, 115},
                                           {TAdvForm::Adv_yes2, 157},
                                           {TAdvForm::sButton2, 199},
                                           {TAdvForm::Adv_no, 241}};
    for (const auto& [id, y] : buttons) {
        const HWND button = GetDlgItem(w, id);
        RECT b{};
        GetWindowRect(button, &b);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&b), 2);
        EXPECT_EQ(b.left, px(8));
        EXPECT_EQ(b.top, px(y));
        EXPECT_EQ(b.right - b.left, px(273));
        EXPECT_EQ(b.bottom - b.top, px(36));
        expectCaptionFits(button);
    }
}

TEST_F(DonationWindows, ReminderButtonsSwitchItOffOrNotAndOpenTheDetails) {
    struct Case {
        int button;
        bool switchesOff, showsDetails;
    };
    const Case cases[] = {{TAdvForm::Adv_yes, false, true},
                          {TAdvForm::Adv_yes2, true, true},
                          {TAdvForm::sButton2, false, false},
                          {TAdvForm::Adv_no, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        std::error_code ec;
        fs::remove(settingsFile, ec);
        createWindows();
        reminder->show();
        ASSERT_TRUE(reminder->isShowing());

        click(*reminder, c.button);
        EXPECT_FALSE(reminder->isShowing());
        EXPECT_EQ(details->isShowing(), c.showsDetails);
        EXPECT_EQ(noAdvStored(), c.switchesOff);
        // Leaving the reminder on must not even create the settings file.
        EXPECT_EQ(fs::exists(settingsFile), c.switchesOff);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(DonationWindows, UnwritableSettingsFileShowsTheErrorAndKeepsTheReminder) {
    settingsFile = data / L"a folder, not a file";
    fs::create_directories(settingsFile);
    createWindows();
    reminder->show();

    click(*reminder, TAdvForm::Adv_yes2);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].find(L"Unable to write to"), std::wstring::npos) << boxes[0];
    EXPECT_TRUE(reminder->isShowing());
    EXPECT_FALSE(details->isShowing());
}

TEST_F(DonationWindows, DetailsShowTheFileAndAClickSelectsAWholeField) {
    writeDetails("[Donation]\r\nService1=Первый сервис\r\nAccount1=R111122223333\r\n"
                 "Account2=Z444455556666\r\nAccount3=E777788889999\r\n"
                 "Service2=Второй сервис\r\nAccount4=+7 900 123-45-67\r\n");
    createWindows();
    details->show();
    const HWND w = details->hwnd();
    EXPECT_FALSE(visible(GetDlgItem(w, TDForm::kNotSet)));
    EXPECT_EQ(text(GetDlgItem(w, TDForm::kFirstService)), L"1. Первый сервис");
    EXPECT_EQ(text(GetDlgItem(w, TDForm::kSecondService)), L"2. Второй сервис");
    const std::pair<int, const wchar_t*> fields[] = {{TDForm::kWM_R, L"R111122223333"},
                                                     {TDForm::kWM_Z, L"Z444455556666"},
                                                     {TDForm::kWM_E, L"E777788889999"},
                                                     {TDForm::kQ, L"+7 900 123-45-67"}};
    for (const auto& [id, value] : fields) {
        const HWND field = GetDlgItem(w, id);
        EXPECT_TRUE(visible(field));
        EXPECT_EQ(text(field), value);
        EXPECT_TRUE(GetWindowLongPtrW(field, GWL_STYLE) & ES_READONLY);

        // A click in the middle of the text selects all of it.
        const LPARAM middle = MAKELPARAM(px(20), px(8));
        SendMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        SendMessageW(field, WM_LBUTTONUP, 0, middle);
        DWORD from = 1, to = 0;
        SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(from, 0u) << value;
        EXPECT_EQ(to, wcslen(value)) << value;
    }

    click(*details, TDForm::kSButton1);
    EXPECT_FALSE(details->isShowing());
}

TEST_F(DonationWindows, DetailsSayPlainlyWhenNoneAreSetAndReadTheFileAtEachShow) {
    createWindows();
    details->show();
    const HWND w = details->hwnd();
    EXPECT_TRUE(visible(GetDlgItem(w, TDForm::kNotSet)));
    for (int id : {TDForm::kIntro, TDForm::kFirstService, TDForm::kWM_R, TDForm::kWM_Z,
                   TDForm::kWM_E, TDForm::kSecondService, TDForm::kQ}) {
        EXPECT_FALSE(visible(GetDlgItem(w, id))) << id;
    }
    details->hide();

    // Only the second service given: its line shows, the first stays away.
    writeDetails("[Donation]\r\nService2=Сервис\r\nAccount4=123\r\n");
    details->show();
    EXPECT_FALSE(visible(GetDlgItem(w, TDForm::kNotSet)));
    EXPECT_FALSE(visible(GetDlgItem(w, TDForm::kWM_R)));
    EXPECT_TRUE(visible(GetDlgItem(w, TDForm::kQ)));
    EXPECT_EQ(text(GetDlgItem(w, TDForm::kQ)), L"123");

    // Alt+F4 puts the window away without destroying it.
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_FALSE(details->isShowing());
}

// Shows one of the windows for a few seconds so that a screenshot can be
// taken from outside: QUIVRA_DONATION_SHOW=reminder, details (the placeholders
// of docs/donation.ini.example) or empty (no details file).
TEST_F(DonationWindows, ShowForScreenshot) {
    const char* env = std::getenv("QUIVRA_DONATION_SHOW");
    if (!env)
        GTEST_SKIP() << "set QUIVRA_DONATION_SHOW=reminder|details|empty";
    const std::string which = env;
    if (which == "details")
        writeDetails("[Donation]\r\nService1=Payment service one\r\nAccount1=R000000000000\r\n"
                     "Account2=Z000000000000\r\nAccount3=E000000000000\r\n"
                     "Service2=Payment service two\r\nAccount4=+7 900 000-00-00\r\n");
    createWindows();
    if (which == "reminder")
        reminder->show();
    else
        details->show();
    const ULONGLONG end = GetTickCount64() + 4000;
    while (GetTickCount64() < end) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(10);
    }
}
