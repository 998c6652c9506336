#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "settings/folder_tree_win.h"
#include "win/window_win.h"

namespace fs = std::filesystem;
using quivra::settings::FolderTree;

namespace {

// A bare window that hosts the tree and passes its notifications on, as the
// settings page does.
class Host : public quivra::win::Window {
  public:
    bool create() {
        if (!Window::create(L"QuivraFolderTreeTestHost", 0, WS_POPUP, L"", 0, 0, 300, 400, nullptr,
                            nullptr, GetSysColorBrush(COLOR_BTNFACE)))
            return false;
        return tree.create(hwnd(), 100, RECT{0, 0, 300, 400});
    }
    FolderTree tree;
    int selectionChanges = 0;

  protected:
    LRESULT handleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_NOTIFY) {
            auto* hdr = reinterpret_cast<NMHDR*>(lp);
            if (auto r = tree.handleNotify(hdr))
                return *r;
            if (tree.isSelectionChange(hdr))
                ++selectionChanges;
        }
        return defaultProc(msg, wp, lp);
    }
};

class FolderTreeTest : public testing::Test {
  protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH]{};
        GetTempPathW(MAX_PATH, temp);
        dir = fs::path(temp) / (L"quivra-tree-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                std::to_wstring(GetTickCount64()));
        fs::create_directories(dir);
        ASSERT_TRUE(host.create());
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }

    HWND tree() const { return host.tree.hwnd(); }
    HTREEITEM selected() const { return TreeView_GetSelection(tree()); }

    std::vector<std::wstring> childLabels(HTREEITEM item) const {
        std::vector<std::wstring> labels;
        for (HTREEITEM c = TreeView_GetChild(tree(), item); c;
             c = TreeView_GetNextSibling(tree(), c)) {
            wchar_t text[MAX_PATH]{};
            TVITEMW tv{};
            tv.mask = TVIF_TEXT;
            tv.hItem = c;
            tv.pszText = text;
            tv.cchTextMax = MAX_PATH;
            TreeView_GetItem(tree(), &tv);
            labels.emplace_back(text);
        }
        return labels;
    }

    static bool samePath(const std::wstring& a, const std::wstring& b) {
        return lstrcmpiW(a.c_str(), b.c_str()) == 0;
    }

    fs::path dir;
    Host host;
};

} // namespace

TEST_F(FolderTreeTest, SelectPathExpandsDownToAnExistingFolderAndReportsItBack) {
    const fs::path inner = dir / L"Outer" / L"inner";
    fs::create_directories(inner);

    ASSERT_TRUE(host.tree.selectPath(inner.wstring() + L"\\"));
    EXPECT_TRUE(samePath(host.tree.selectedPath(), inner.wstring())) << host.tree.selectedPath();
    EXPECT_GE(host.selectionChanges, 1);

    const HTREEITEM parent = TreeView_GetParent(tree(), selected());
    EXPECT_TRUE(TreeView_GetItemState(tree(), parent, TVIS_EXPANDED) & TVIS_EXPANDED);
    EXPECT_EQ(childLabels(parent), std::vector<std::wstring>{L"inner"});

    // A folder made after its parent was listed is still found.
    fs::create_directories(dir / L"Outer" / L"later");
    ASSERT_TRUE(host.tree.selectPath((dir / L"Outer" / L"later").wstring()));
    EXPECT_EQ(childLabels(parent), (std::vector<std::wstring>{L"inner", L"later"}));

    // A drive root keeps its backslash.
    ASSERT_TRUE(host.tree.selectPath(L"c:\\"));
    EXPECT_EQ(host.tree.selectedPath(), L"C:\\");

    // Missing folders and files are refused and leave the selection alone.
    std::ofstream(dir / L"file.txt") << "x";
    EXPECT_FALSE(host.tree.selectPath((dir / L"missing").wstring()));
    EXPECT_FALSE(host.tree.selectPath((dir / L"file.txt").wstring()));
    EXPECT_FALSE(host.tree.selectPath(L""));
    EXPECT_EQ(host.tree.selectedPath(), L"C:\\");
}

TEST_F(FolderTreeTest, ExpandingListsSubfoldersByNameWithHiddenOnesAndNoFiles) {
    for (const wchar_t* name : {L"b", L"A", L"c", L"_x", L"a b"})
        fs::create_directories(dir / name);
    SetFileAttributesW((dir / L"c").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    std::ofstream(dir / L"a.txt") << "not a folder";
    ASSERT_TRUE(host.tree.selectPath(dir.wstring()));

    // The first expansion reaches the component only through the forwarded
    // notification.
    TreeView_Expand(tree(), selected(), TVE_EXPAND);
    EXPECT_EQ(childLabels(selected()),
              (std::vector<std::wstring>{L"_x", L"A", L"a b", L"b", L"c"}));
}

TEST_F(FolderTreeTest, RefreshSelectedRelistsOnlyWhenAsked) {
    fs::create_directories(dir / L"one");
    ASSERT_TRUE(host.tree.selectPath(dir.wstring()));
    TreeView_Expand(tree(), selected(), TVE_EXPAND);
    ASSERT_EQ(childLabels(selected()), std::vector<std::wstring>{L"one"});

    fs::create_directories(dir / L"two");
    fs::remove(dir / L"one");
    EXPECT_EQ(childLabels(selected()), std::vector<std::wstring>{L"one"});

    host.tree.refreshSelected();
    EXPECT_EQ(childLabels(selected()), std::vector<std::wstring>{L"two"});
    EXPECT_TRUE(TreeView_GetItemState(tree(), selected(), TVIS_EXPANDED) & TVIS_EXPANDED);

    // A new folder inside a folder listed as empty is found too, and the
    // relisted children are real nodes again.
    const HTREEITEM two = TreeView_GetChild(tree(), selected());
    TreeView_SelectItem(tree(), two);
    TreeView_Expand(tree(), two, TVE_EXPAND);
    EXPECT_TRUE(childLabels(two).empty());
    fs::create_directories(dir / L"two" / L"new");
    host.tree.refreshSelected();
    EXPECT_EQ(childLabels(two), std::vector<std::wstring>{L"new"});
    TreeView_SelectItem(tree(), TreeView_GetChild(tree(), two));
    EXPECT_TRUE(samePath(host.tree.selectedPath(), (dir / L"two" / L"new").wstring()));
}

TEST_F(FolderTreeTest, DesktopNodeIsVirtualAndHoldsTheDrives) {
    EXPECT_NE(TreeView_GetImageList(tree(), TVSIL_NORMAL), nullptr);
    const HTREEITEM root = TreeView_GetRoot(tree());
    TreeView_SelectItem(tree(), root);
    EXPECT_TRUE(host.tree.selectedPath().empty());

    bool sawDriveC = false;
    for (HTREEITEM c = TreeView_GetChild(tree(), root); c; c = TreeView_GetNextSibling(tree(), c)) {
        TreeView_SelectItem(tree(), c);
        sawDriveC = sawDriveC || host.tree.selectedPath() == L"C:\\";
    }
    EXPECT_TRUE(sawDriveC);

    // Refreshing the desktop node lists the drives again.
    TreeView_SelectItem(tree(), root);
    const auto before = childLabels(root);
    host.tree.refreshSelected();
    EXPECT_EQ(childLabels(root), before);
}

TEST_F(FolderTreeTest, SurvivesItsParentDestroyingTheControlFirst) {
    ASSERT_TRUE(host.tree.selectPath(dir.wstring()));
    DestroyWindow(host.hwnd());
    EXPECT_EQ(host.tree.hwnd(), nullptr);
    EXPECT_TRUE(host.tree.selectedPath().empty());
    EXPECT_FALSE(host.tree.selectPath(dir.wstring()));
    host.tree.refreshSelected();
}
