#include "settings/folder_tree_win.h"

#include <shlobj.h>
#include <shellapi.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "win/dpi_win.h"

namespace quivra::settings {

namespace {

constexpr wchar_t kDesktopLabel[] = L"Рабочий стол";
constexpr UINT_PTR kSubclassId = 1;
// Tahoma 8 pt is 11 px high at 96 DPI.
constexpr int kFontHeight = 11;

struct PidlFree {
    void operator()(ITEMIDLIST* pidl) const noexcept { CoTaskMemFree(pidl); }
};
using UniquePidl = std::unique_ptr<ITEMIDLIST, PidlFree>;

std::wstring joinPath(const std::wstring& folder, const std::wstring& name) {
    if (!folder.empty() && folder.back() == L'\\')
        return folder + name;
    return folder + L'\\' + name;
}

bool samePath(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

bool isFolder(const std::wstring& path) {
    const DWORD attrs = GetFileAttributesW(path.c_str());
    return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

bool isSubfolderEntry(const WIN32_FIND_DATAW& entry) {
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    const std::wstring_view name = entry.cFileName;
    return name != L"." && name != L"..";
}

// Calls visit(name) for each sub-folder of `folder`, hidden and system ones
// included, until it returns false.
template <typename Visit> void forEachSubfolder(const std::wstring& folder, Visit visit) {
    WIN32_FIND_DATAW entry{};
    win::UniqueFind find(FindFirstFileW(joinPath(folder, L"*").c_str(), &entry));
    if (!find)
        return;
    do {
        if (isSubfolderEntry(entry) && !visit(std::wstring(entry.cFileName)))
            return;
    } while (FindNextFileW(find.get(), &entry));
}

std::vector<std::wstring> sortedSubfolders(const std::wstring& folder) {
    std::vector<std::wstring> names;
    forEachSubfolder(folder, [&](std::wstring name) {
        names.push_back(std::move(name));
        return true;
    });
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        const int byName = lstrcmpiW(a.c_str(), b.c_str());
        return byName != 0 ? byName < 0 : a < b;
    });
    return names;
}

bool hasSubfolder(const std::wstring& folder) {
    bool found = false;
    forEachSubfolder(folder, [&](const std::wstring&) {
        found = true;
        return false;
    });
    return found;
}

// Index of a folder's small icon in the system image list; the desktop's for
// an empty path.
int iconIndex(const std::wstring& path, bool open) {
    SHFILEINFOW info{};
    UINT flags = SHGFI_SYSICONINDEX | SHGFI_SMALLICON | (open ? SHGFI_OPENICON : 0);
    if (!path.empty()) {
        if (SHGetFileInfoW(path.c_str(), 0, &info, sizeof(info), flags))
            return info.iIcon;
        // A folder the shell cannot look at still gets the plain folder icon.
        flags |= SHGFI_USEFILEATTRIBUTES;
        SHGetFileInfoW(path.c_str(), FILE_ATTRIBUTE_DIRECTORY, &info, sizeof(info), flags);
        return info.iIcon;
    }
    ITEMIDLIST* raw = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &raw)))
        return 0;
    UniquePidl desktop(raw);
    SHGetFileInfoW(reinterpret_cast<const wchar_t*>(desktop.get()), 0, &info, sizeof(info),
                   flags | SHGFI_PIDL);
    return info.iIcon;
}

HIMAGELIST systemSmallImageList() {
    std::array<wchar_t, MAX_PATH> windows{};
    GetWindowsDirectoryW(windows.data(), MAX_PATH);
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(windows.data(), 0, &info, sizeof(info),
                                                       SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

// "C:\" or, for a fixed drive with a volume label, "System (C:)". Removable
// drives are not asked for their label: that would wait for the media.
std::wstring driveLabel(const std::wstring& root) {
    const UINT type = GetDriveTypeW(root.c_str());
    if (type == DRIVE_FIXED || type == DRIVE_RAMDISK) {
        std::array<wchar_t, MAX_PATH + 1> label{};
        if (GetVolumeInformationW(root.c_str(), label.data(), static_cast<DWORD>(label.size()),
                                  nullptr, nullptr, nullptr, nullptr, 0) &&
            label[0] != L'\0')
            return std::wstring(label.data()) + L" (" + root.substr(0, 2) + L")";
    }
    return root;
}

std::wstring desktopFolder() {
    std::array<wchar_t, MAX_PATH> path{};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT,
                                path.data())))
        return {};
    return path.data();
}

// The full, long form of a path ("c:\PROGRA~1\" -> "C:\Program Files\").
std::wstring canonicalPath(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
        full.resize(n);
        n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    }
    if (n == 0)
        return {};
    full.resize(n);
    std::wstring longForm(MAX_PATH, L'\0');
    n = GetLongPathNameW(full.c_str(), longForm.data(), static_cast<DWORD>(longForm.size()));
    if (n >= longForm.size()) {
        longForm.resize(n);
        n = GetLongPathNameW(full.c_str(), longForm.data(), n);
    }
    if (n == 0)
        return full;
    longForm.resize(n);
    return longForm;
}

std::vector<std::wstring> splitComponents(std::wstring_view rest) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    while (start <= rest.size()) {
        const size_t end = std::min(rest.find(L'\\', start), rest.size());
        if (end > start)
            parts.emplace_back(rest.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

} // namespace

FolderTree::~FolderTree() {
    if (HWND h = hwnd_.release()) {
        RemoveWindowSubclass(h, &FolderTree::subclassProc, kSubclassId);
        DestroyWindow(h);
    }
}

bool FolderTree::create(HWND parent, int id, RECT rect) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                        TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    HWND h = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", style, rect.left, rect.top,
                             rect.right - rect.left, rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                             GetModuleHandleW(nullptr), nullptr);
    if (!h)
        return false;
    hwnd_.reset(h);
    // The parent may destroy the control before this object goes; the
    // subclass lets the object forget the handle then.
    SetWindowSubclass(h, &FolderTree::subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));

    const int height = win::scale(kFontHeight, win::dpiForWindow(parent));
    font_.reset(CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, RUSSIAN_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_DONTCARE, L"Tahoma"));
    SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    // The system image list is shared by the whole process; the tree view
    // does not destroy image lists, so it stays intact.
    SendMessageW(h, TVM_SETIMAGELIST, TVSIL_NORMAL,
                 reinterpret_cast<LPARAM>(systemSmallImageList()));

    root_ = insertNode(TVI_ROOT, kDesktopLabel, std::wstring(), 1);
    TVITEMW icons{};
    icons.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    icons.hItem = root_;
    icons.iImage = icons.iSelectedImage = iconIndex(std::wstring(), false);
    SendMessageW(h, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&icons));
    ensureListed(root_);
    SendMessageW(h, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root_));
    return true;
}

bool FolderTree::selectPath(const std::wstring& path) {
    if (!hwnd_ || path.empty() || !isFolder(path))
        return false;
    const std::wstring full = canonicalPath(path);
    if (full.size() < 3 || full[1] != L':' || full[2] != L'\\')
        return false;
    ensureListed(root_);
    HTREEITEM item = findChild(root_, std::wstring(1, towupper(full[0])) + L":\\");
    if (!item)
        return false;
    for (const auto& part : splitComponents(std::wstring_view(full).substr(3))) {
        ensureListed(item);
        const std::wstring wanted = joinPath(node(item)->path, part);
        HTREEITEM child = findChild(item, wanted);
        if (!child) {
            // The folder exists but came after the node was listed.
            removeChildren(item);
            listChildren(item);
            child = findChild(item, wanted);
            if (!child)
                return false;
        }
        SendMessageW(hwnd(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
        item = child;
    }
    SendMessageW(hwnd(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    SendMessageW(hwnd(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    return true;
}

std::wstring FolderTree::selectedPath() const {
    if (!hwnd_)
        return {};
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    const Node* n = node(item);
    return n ? n->path : std::wstring();
}

void FolderTree::refreshSelected() {
    if (!hwnd_)
        return;
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_CARET, 0));
    if (!node(item))
        return;
    const auto state =
        SendMessageW(hwnd(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED);
    removeChildren(item);
    listChildren(item);
    if (state & TVIS_EXPANDED)
        SendMessageW(hwnd(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

std::optional<LRESULT> FolderTree::handleNotify(NMHDR* hdr) {
    if (!hdr || !hwnd_ || hdr->hwndFrom != hwnd())
        return std::nullopt;
    switch (hdr->code) {
    case TVN_ITEMEXPANDINGW: {
        const auto* tv = reinterpret_cast<NMTREEVIEWW*>(hdr);
        if (tv->action & TVE_EXPAND)
            ensureListed(tv->itemNew.hItem);
        return FALSE; // let it expand
    }
    case TVN_GETDISPINFOW:
        onGetDispInfo(*reinterpret_cast<NMTVDISPINFOW*>(hdr));
        return 0;
    default:
        return std::nullopt;
    }
}

bool FolderTree::isSelectionChange(const NMHDR* hdr) const noexcept {
    return hdr && hwnd_ && hdr->hwndFrom == hwnd() && hdr->code == TVN_SELCHANGEDW;
}

HTREEITEM FolderTree::insertNode(HTREEITEM parent, const std::wstring& label, std::wstring path,
                                 int children) {
    TVINSERTSTRUCTW ins{};
    ins.hParent = parent;
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_CHILDREN | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    ins.item.pszText = const_cast<wchar_t*>(label.c_str());
    ins.item.cChildren = children;
    ins.item.iImage = I_IMAGECALLBACK;
    ins.item.iSelectedImage = I_IMAGECALLBACK;
    auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(hwnd(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&ins)));
    if (item)
        nodes_[item] = Node{std::move(path), false};
    return item;
}

void FolderTree::listChildren(HTREEITEM item) {
    auto it = nodes_.find(item);
    if (it == nodes_.end())
        return;
    it->second.listed = true;
    const std::wstring folder = it->second.path; // the map may rehash below
    if (folder.empty()) {
        const DWORD drives = GetLogicalDrives();
        for (int letter = 0; letter < 26; ++letter) {
            if (!(drives & (1u << letter)))
                continue;
            std::wstring root = {static_cast<wchar_t>(L'A' + letter), L':', L'\\'};
            // Drives always get a button; looking inside would wait for media.
            insertNode(item, driveLabel(root), root, 1);
        }
        if (const auto desktop = desktopFolder(); !desktop.empty())
            for (const auto& name : sortedSubfolders(desktop))
                insertNode(item, name, joinPath(desktop, name), I_CHILDRENCALLBACK);
        return;
    }
    const auto names = sortedSubfolders(folder);
    for (const auto& name : names)
        insertNode(item, name, joinPath(folder, name), I_CHILDRENCALLBACK);
    setChildCount(item, names.empty() ? 0 : 1);
}

void FolderTree::ensureListed(HTREEITEM item) {
    const Node* n = node(item);
    if (n && !n->listed)
        listChildren(item);
}

void FolderTree::removeChildren(HTREEITEM item) {
    auto child = reinterpret_cast<HTREEITEM>(
        SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    while (child) {
        auto next = reinterpret_cast<HTREEITEM>(
            SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
        forgetSubtree(child);
        SendMessageW(hwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(child));
        child = next;
    }
    if (auto it = nodes_.find(item); it != nodes_.end())
        it->second.listed = false;
}

void FolderTree::forgetSubtree(HTREEITEM item) {
    auto child = reinterpret_cast<HTREEITEM>(
        SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
    while (child) {
        forgetSubtree(child);
        child = reinterpret_cast<HTREEITEM>(
            SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    nodes_.erase(item);
}

void FolderTree::setChildCount(HTREEITEM item, int children) {
    TVITEMW tv{};
    tv.mask = TVIF_CHILDREN;
    tv.hItem = item;
    tv.cChildren = children;
    SendMessageW(hwnd(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
}

HTREEITEM FolderTree::findChild(HTREEITEM parent, const std::wstring& path) const {
    auto child = reinterpret_cast<HTREEITEM>(
        SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(parent)));
    while (child) {
        if (const Node* n = node(child); n && samePath(n->path, path))
            return child;
        child = reinterpret_cast<HTREEITEM>(
            SendMessageW(hwnd(), TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)));
    }
    return nullptr;
}

const FolderTree::Node* FolderTree::node(HTREEITEM item) const {
    if (!item)
        return nullptr;
    const auto it = nodes_.find(item);
    return it == nodes_.end() ? nullptr : &it->second;
}

void FolderTree::onGetDispInfo(NMTVDISPINFOW& info) {
    const Node* n = node(info.item.hItem);
    if (!n)
        return;
    if (info.item.mask & TVIF_CHILDREN)
        info.item.cChildren = (n->path.empty() || hasSubfolder(n->path)) ? 1 : 0;
    if (info.item.mask & TVIF_IMAGE)
        info.item.iImage = iconIndex(n->path, false);
    if (info.item.mask & TVIF_SELECTEDIMAGE)
        info.item.iSelectedImage = iconIndex(n->path, true);
    // The control keeps the answers, so each node is asked only once.
    info.item.mask |= TVIF_DI_SETITEM;
}

void FolderTree::onNcDestroy() {
    hwnd_.release();
    nodes_.clear();
    root_ = nullptr;
}

LRESULT CALLBACK FolderTree::subclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                          DWORD_PTR self) {
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, &FolderTree::subclassProc, kSubclassId);
        reinterpret_cast<FolderTree*>(self)->onNcDestroy();
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

} // namespace quivra::settings
