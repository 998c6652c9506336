#include <gtest/gtest.h>

#include "skins/skin_engine_win.h"
#include "win/controls_win.h"
#include "win/panel_win.h"

#include <richedit.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using quivra::skins::SkinColors;
using quivra::skins::SkinEngine;
namespace win = quivra::win;

namespace {

std::wstring repoSkinsFolder() {
    const std::string data = QUIVRA_TEST_DATA;
    return std::wstring(data.begin(), data.end()) + L"/../../skins";
}

void pump(HWND hwnd) {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageW(&m);
    }
}

COLORREF pixelAt(HWND hwnd, int x, int y) {
    HDC dc = GetDC(hwnd);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

// A memory DC with a bitmap to paint into, filled with a colour no look uses.
class Canvas {
  public:
    static constexpr COLORREF kBlank = RGB(255, 0, 255);
    Canvas() : dc_(CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 100, -40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        bitmap_.reset(CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        old_ = SelectObject(dc_, bitmap_.get());
        RECT all{0, 0, 100, 40};
        win::UniqueBrush blank(CreateSolidBrush(kBlank));
        FillRect(dc_, &all, blank.get());
    }
    ~Canvas() {
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;
    HDC dc() const { return dc_; }
    COLORREF at(int x, int y) const { return GetPixel(dc_, x, y); }

  private:
    HDC dc_;
    win::UniqueBitmap bitmap_;
    HGDIOBJ old_ = nullptr;
};

DWORD CALLBACK readString(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* done) {
    auto* s = reinterpret_cast<std::string*>(cookie);
    const auto n = std::min<std::size_t>(static_cast<std::size_t>(cb), s->size());
    std::copy_n(s->data(), n, buf);
    s->erase(0, n);
    *done = static_cast<LONG>(n);
    return 0;
}

DWORD CALLBACK writeString(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* done) {
    reinterpret_cast<std::string*>(cookie)->append(reinterpret_cast<char*>(buf),
                                                   static_cast<std::size_t>(cb));
    *done = cb;
    return 0;
}

std::string streamOut(HWND rich) {
    std::string out;
    EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&out), 0, &writeString};
    SendMessageW(rich, EM_STREAMOUT, SF_RTF | SF_USECODEPAGE | (CP_UTF8 << 16),
                 reinterpret_cast<LPARAM>(&es));
    return out;
}

const char kNoteRtf[] =
    R"({\rtf1\ansi\ansicpg1251\deff0{\fonttbl{\f0\fswiss\fcharset204 Tahoma;})"
    R"({\f1\froman\fcharset204 Times New Roman;}}{\colortbl ;\red192\green0\blue0;)"
    R"(\red255\green255\blue0;}\pard\plain\f0\fs18 \'cf\'eb\'e0\'ed \b bold\b0 , \i italic\i0 , )"
    R"(\ul underline\ul0 , \cf1 red\cf0 , \highlight2 marked\highlight0 .\par)"
    R"(\pard\qc\f1\fs28 \'c7\'e0\'e3\'ee\'eb\'ee\'e2\'ee\'ea\par)"
    R"(\pard{\pntext\f0 1.\tab}{\*\pn\pnlvlbody\pndec\pnstart1\pnindent360{\pntxta.}})"
    R"(\fi-360\li360\f0\fs18 first item\par})";

// A window set up like the program's: a panel of standard controls, page
// tabs and the editor, each forwarding its painting questions to the engine.
class SkinHost : public win::Window {
  public:
    explicit SkinHost(SkinEngine& engine) : engine_(engine) {}

    bool create() {
        if (!Window::create(L"QuivraSkinTestHost", WS_EX_TOPMOST, WS_POPUP | WS_CLIPCHILDREN,
                            L"Skins", 0, 0, 540, 340, nullptr, nullptr,
                            GetSysColorBrush(COLOR_BTNFACE)))
            return false;
        font_.reset(
            CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, RUSSIAN_CHARSET, 0, 0, 0, 0, L"Tahoma"));
        panel.create(hwnd(), hwnd(), 0, 0, 260, 340);
        HWND p = panel.hwnd();
        label = win::createLabel(p, 1, L"Скин:", {10, 10, 100, 16});
        check = win::createCheckBox(p, 2, L"Иконка в трее", {10, 30, 200, 20});
        list = win::createListBox(p, 3, {10, 56, 240, 80});
        for (const wchar_t* item : {L"Список покупок", L"Идеи", L"Работа"})
            SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageW(list, LB_SETCURSEL, 1, 0);
        combo = win::createComboList(p, 4, {10, 144, 240, 200});
        for (const wchar_t* item : {L"", L"Graphite", L"Paper"})
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        SendMessageW(combo, CB_SETCURSEL, 1, 0);
        edit = win::createEdit(p, 5, L"Поиск", {10, 176, 240, 22});
        readOnlyEdit = win::createEdit(p, 6, L"C:\\Notes", {10, 204, 240, 22}, ES_READONLY);
        button = win::createButton(p, 7, L"Выход", {10, 236, 100, 26});
        ownerButton = win::createButton(p, 8, L"Применить", {120, 236, 100, 26}, BS_OWNERDRAW);
        trackbar = win::createTrackbar(p, 9, {10, 272, 240, 28}, 10, 100);
        tabs = win::createControl(WC_TABCONTROLW, L"", TCS_OWNERDRAWFIXED | WS_CLIPSIBLINGS, hwnd(),
                                  10, {270, 6, 260, 30});
        for (const wchar_t* name : {L"Заметки", L"Настройки", L"Справка"}) {
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<wchar_t*>(name);
            SendMessageW(tabs, TCM_INSERTITEMW, TabCtrl_GetItemCount(tabs),
                         reinterpret_cast<LPARAM>(&item));
        }
        rich = win::createControl(L"RICHEDIT20W", L"", ES_MULTILINE | WS_VSCROLL, hwnd(), 11,
                                  {270, 44, 260, 286}, WS_EX_CLIENTEDGE);
        win::setFontTree(hwnd(), font_.get());
        std::string rtf = kNoteRtf;
        EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&rtf), 0, &readString};
        SendMessageW(rich, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&es));
        SendMessageW(rich, EM_SETMODIFY, FALSE, 0);
        ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
        pump(hwnd());
        return rich != nullptr && tabs != nullptr;
    }

    win::Panel panel;
    HWND label{}, check{}, list{}, combo{}, edit{}, readOnlyEdit{}, button{}, ownerButton{},
        trackbar{}, tabs{}, rich{};

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
            if (auto r = engine_.handleCtlColor(msg, reinterpret_cast<HDC>(wp),
                                                reinterpret_cast<HWND>(lp)))
                return *r;
            break;
        case WM_ERASEBKGND:
            if (engine_.eraseBackground(hwnd(), reinterpret_cast<HDC>(wp)))
                return 1;
            break;
        case win::WM_QUIVRA_ERASE_PANEL:
            return engine_.eraseBackground(reinterpret_cast<HWND>(lp), reinterpret_cast<HDC>(wp));
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
            if (engine_.drawTabItem(item) || engine_.drawButton(item))
                return TRUE;
            break;
        }
        case WM_NOTIFY:
            if (auto r = engine_.handleCustomDraw(reinterpret_cast<const NMHDR*>(lp)))
                return *r;
            break;
        default:
            break;
        }
        return defaultProc(msg, wp, lp);
    }

  private:
    SkinEngine& engine_;
    win::UniqueFont font_;
};

class SkinEngineTest : public ::testing::Test {
  protected:
    void SetUp() override {
        engine.setFolder(repoSkinsFolder());
        skins = engine.skinNames();
        ASSERT_GE(skins.size(), 2u);
        ASSERT_TRUE(host.create());
    }
    void look(const std::wstring& skin) {
        engine.setActive(!skin.empty());
        if (!skin.empty()) {
            ASSERT_TRUE(engine.setSkin(skin));
        }
        engine.applyTo(host.hwnd());
        pump(host.hwnd());
    }

    SkinEngine engine;
    std::vector<std::wstring> skins;
    SkinHost host{engine};
};

struct TempFolder {
    TempFolder() {
        wchar_t tmp[MAX_PATH]{};
        GetTempPathW(MAX_PATH, tmp);
        path = std::filesystem::path(tmp) /
               (L"quivra-skins-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount64()));
        std::filesystem::create_directories(path / L"sub");
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path, ec);
    }
    void write(const std::filesystem::path& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
    std::filesystem::path path;
};

} // namespace

TEST(SkinEngineFiles, LoadsOnlyValidSkinsByName) {
    TempFolder folder;
    const std::string skin = "[Skin]\nWindow=#102030\nText=#E0E0E0\n";
    folder.write(L"Dark.asz", skin);
    folder.write(L"Broken.asz", "[Skin]\nWindow=dark\nText=#E0E0E0\n");
    folder.write(L"notes.txt", skin);
    folder.write(L"sub/Inner.asz", skin);
    std::vector<std::wstring> names = {L"Broken", L"Dark"};
    // Wine refuses non-ASCII file names when the Unix locale is missing;
    // where such a file can be made, its skin must list and load too.
    folder.write(L"Тёмный.asz", skin);
    std::error_code ec;
    const bool cyrillic = std::filesystem::exists(folder.path / L"Тёмный.asz", ec);
    if (cyrillic)
        names.push_back(L"Тёмный");

    SkinEngine engine;
    engine.setFolder(folder.path.wstring());
    EXPECT_EQ(engine.skinNames(), names);

    engine.setActive(true);
    EXPECT_FALSE(engine.isActive()); // switched on, but no skin yet
    ASSERT_TRUE(engine.setSkin(L"Dark"));
    EXPECT_TRUE(engine.isActive());
    EXPECT_EQ(engine.skinName(), L"Dark");
    EXPECT_EQ(engine.colors()->window, RGB(0x10, 0x20, 0x30));

    // Every failure drops the skin in use and leaves the platform's look.
    for (const wchar_t* bad : {L"Broken", L"Missing", L"notes", L"sub\\Inner", L"sub/Inner", L""}) {
        ASSERT_TRUE(engine.setSkin(L"Dark"));
        EXPECT_FALSE(engine.setSkin(bad)) << bad;
        EXPECT_FALSE(engine.isActive()) << bad;
        EXPECT_TRUE(engine.skinName().empty()) << bad;
        EXPECT_FALSE(engine.colors()) << bad;
    }

    EXPECT_TRUE(engine.setSkin(L"dARK")); // names are file names: letter case is free
    if (cyrillic) {
        EXPECT_TRUE(engine.setSkin(L"Тёмный"));
    }
}

TEST_F(SkinEngineTest, SkinsPaintTheWindowAndSwitchingOffRestoresThePlatformLook) {
    RECT tab0, tab1;
    TabCtrl_GetItemRect(host.tabs, 0, &tab0);
    TabCtrl_GetItemRect(host.tabs, 1, &tab1);
    for (const std::wstring& skin : skins) {
        look(skin);
        const SkinColors c = *engine.colors();
        EXPECT_EQ(pixelAt(host.panel.hwnd(), 250, 20), c.window) << skin;
        EXPECT_EQ(pixelAt(host.rich, 240, 270), c.editor) << skin;
        EXPECT_EQ(pixelAt(host.list, 200, 70), c.control) << skin;
        EXPECT_EQ(pixelAt(host.tabs, 255, 4), c.window) << skin; // the strip beside the tabs
        EXPECT_EQ(pixelAt(host.tabs, tab0.left + 4, (tab0.top + tab0.bottom) / 2), c.tabActive);
        EXPECT_EQ(pixelAt(host.tabs, tab1.left + 4, (tab1.top + tab1.bottom) / 2), c.tab);
        EXPECT_EQ(pixelAt(host.check, 190, 10), c.window) << skin;
        EXPECT_EQ(pixelAt(host.label, 90, 8), c.window) << skin;
        EXPECT_EQ(pixelAt(host.trackbar, 5, 2), c.window) << skin;
        EXPECT_EQ(pixelAt(host.edit, 220, 9), c.control) << skin;
        EXPECT_EQ(pixelAt(host.readOnlyEdit, 220, 9), c.control) << skin;
        EXPECT_EQ(pixelAt(host.combo, 150, 10), c.control) << skin;
        EXPECT_EQ(pixelAt(host.button, 4, 13), c.button) << skin;
        EXPECT_EQ(pixelAt(host.ownerButton, 4, 13), c.button) << skin;
    }
    look(L"");
    EXPECT_EQ(pixelAt(host.panel.hwnd(), 250, 20), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(pixelAt(host.rich, 240, 270), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(pixelAt(host.list, 200, 70), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(pixelAt(host.tabs, tab1.left + 4, (tab1.top + tab1.bottom) / 2),
              GetSysColor(COLOR_BTNFACE));
    // Switched off, the hooks leave every answer to the default.
    const Canvas canvas;
    for (UINT msg :
         {WM_CTLCOLORSTATIC, WM_CTLCOLOREDIT, WM_CTLCOLORLISTBOX, WM_CTLCOLORBTN, WM_CTLCOLORDLG})
        EXPECT_FALSE(engine.handleCtlColor(msg, canvas.dc(), host.edit));
    EXPECT_FALSE(engine.eraseBackground(host.hwnd(), canvas.dc()));
}

TEST_F(SkinEngineTest, ChangingTheLookKeepsTheEditorsTextFormatsAndModifiedFlag) {
    const HWND rich = host.rich;
    for (const BOOL modified : {FALSE, TRUE}) {
        SendMessageW(rich, EM_SETMODIFY, modified, 0);
        CHARRANGE sel0{3, 9};
        SendMessageW(rich, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&sel0));
        const std::string rtf0 = streamOut(rich);
        ASSERT_NE(rtf0.find("bold"), std::string::npos);
        // Every skin after every other, and off in between.
        std::vector<std::wstring> looks;
        for (const auto& s : skins)
            looks.insert(looks.end(), {s, skins.front(), L"", s});
        for (const std::wstring& skin : looks) {
            look(skin);
            EXPECT_EQ(GetDlgItem(host.hwnd(), 11), rich) << "the editor was re-created";
            EXPECT_EQ(streamOut(rich), rtf0) << skin;
            EXPECT_EQ(SendMessageW(rich, EM_GETMODIFY, 0, 0) != 0, modified != FALSE) << skin;
            CHARRANGE sel{};
            SendMessageW(rich, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&sel));
            EXPECT_EQ(sel.cpMin, sel0.cpMin);
            EXPECT_EQ(sel.cpMax, sel0.cpMax);
        }
    }
}

// Each drawing hook paints its own kind of control, with and without a skin,
// and declines the others.
TEST_F(SkinEngineTest, DrawingHooksPaintTabsAndButtons) {
    // What a hook answered, and the colour it left inside the item's left edge.
    const auto paint = [&](auto hook, HWND control, UINT type, UINT state) {
        Canvas canvas;
        DRAWITEMSTRUCT item{
            type, 0, 0, ODA_DRAWENTIRE, state, control, canvas.dc(), {0, 0, 100, 40}, 0};
        NMCUSTOMDRAW cd{};
        cd.hdr = {control, 0, static_cast<UINT>(NM_CUSTOMDRAW)};
        cd.dwDrawStage = type;
        cd.uItemState = state;
        cd.hdc = canvas.dc();
        cd.rc = item.rcItem;
        const LRESULT answer = hook(item, cd);
        return std::pair{answer, canvas.at(4, 20)};
    };
    const auto tab = [&](const DRAWITEMSTRUCT& d, auto&) -> LRESULT {
        return engine.drawTabItem(d);
    };
    const auto button = [&](const DRAWITEMSTRUCT& d, auto&) -> LRESULT {
        return engine.drawButton(d);
    };
    const auto custom = [&](auto&, const NMCUSTOMDRAW& cd) -> LRESULT {
        return engine.handleCustomDraw(&cd.hdr).value_or(-1);
    };
    const auto painted = [](COLORREF c) { return std::pair{LRESULT{1}, c}; };

    look(L"");
    EXPECT_EQ(paint(tab, host.tabs, ODT_TAB, 0), painted(GetSysColor(COLOR_BTNFACE)));
    // The platform's button face depends on the visual style in use.
    const auto [drawn, face] = paint(button, host.ownerButton, ODT_BUTTON, 0);
    EXPECT_EQ(drawn, 1);
    EXPECT_NE(face, Canvas::kBlank);
    EXPECT_EQ(paint(tab, host.ownerButton, ODT_BUTTON, 0).first, 0);
    EXPECT_EQ(paint(button, host.tabs, ODT_TAB, 0).first, 0);
    EXPECT_EQ(paint(custom, host.button, CDDS_PREPAINT, 0).first, -1);

    for (const std::wstring& skin : skins) {
        look(skin);
        const SkinColors c = *engine.colors();
        EXPECT_EQ(paint(tab, host.tabs, ODT_TAB, 0), painted(c.tab));
        EXPECT_EQ(paint(tab, host.tabs, ODT_TAB, ODS_SELECTED), painted(c.tabActive));
        EXPECT_EQ(paint(button, host.ownerButton, ODT_BUTTON, 0), painted(c.button));
        EXPECT_NE(paint(button, host.ownerButton, ODT_BUTTON, ODS_SELECTED).second, c.button);
        EXPECT_EQ(paint(custom, host.button, CDDS_PREPAINT, 0),
                  std::pair(LRESULT{CDRF_SKIPDEFAULT}, COLORREF{c.button}));
        EXPECT_EQ(paint(custom, host.button, CDDS_POSTPAINT, 0).first, -1);
        EXPECT_EQ(paint(custom, host.check, CDDS_PREPAINT, 0).first, -1);
        EXPECT_EQ(paint(custom, host.list, CDDS_PREPAINT, 0).first, -1);
    }
}
