#include "win/accessible_win.h"

#include "win/com_ref_win.h"

#include <oleacc.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

namespace quivra::win {

namespace {

// The interfaces' identifiers, written out: the static import library of
// mingw-w64 carries a wrong IID_IAccessible.
constexpr GUID kIidAccessible{
    0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
constexpr GUID kIidDispatch{
    0x00020400, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID kIidUnknown{
    0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The thread that answers a screen reader must be in a COM apartment for
// the object to be marshalled; it is entered when first asked and left when
// the program ends.
class Apartment {
  public:
    Apartment() : entered_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~Apartment() {
        if (entered_)
            CoUninitialize();
    }
    Apartment(const Apartment&) = delete;
    Apartment& operator=(const Apartment&) = delete;

  private:
    bool entered_;
};

void enterApartment() {
    thread_local Apartment apartment;
}

BSTR toBstr(const std::wstring& text) {
    return SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// Child id of a VARIANT: CHILDID_SELF, an item's id, or -1 for anything else.
long childOf(const VARIANT& v) {
    return v.vt == VT_I4 ? v.lVal : -1;
}

} // namespace

class AccessibleAnswer::Object final : public IAccessible {
  public:
    Object(HWND hwnd, AccessibleSource& source) : hwnd_(hwnd), source_(&source) {
        CreateStdAccessibleObject(hwnd, OBJID_CLIENT, kIidAccessible, standard_.putVoid());
    }
    Object(const Object&) = delete;
    Object& operator=(const Object&) = delete;

    void cutOff() {
        source_ = nullptr;
        standard_.reset();
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out)
            return E_POINTER;
        if (IsEqualGUID(iid, kIidAccessible) || IsEqualGUID(iid, kIidDispatch) ||
            IsEqualGUID(iid, kIidUnknown)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs_; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --refs_;
        if (left == 0)
            std::unique_ptr<Object>{this}; // the last reference frees it
        return left;
    }

    // IDispatch: screen readers call the interface directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!live())
            return gone();
        return standard_ ? standard_->get_accParent(parent) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
        if (!count)
            return E_POINTER;
        if (!live())
            return gone();
        *count = source_->accessibleItemCount();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!live())
            return gone();
        // The items are simple elements of this object, no objects of their own.
        return isItem(childOf(child)) ? S_FALSE : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return text(
            child, name, [this] { return source_->accessibleName(); }, &IAccessible::get_accName,
            [](const AccessibleItem& i) { return i.name; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return text(
            child, value, [] { return std::wstring(); }, &IAccessible::get_accValue,
            [](const AccessibleItem&) { return std::wstring(); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
        return text(
            child, description, [] { return std::wstring(); }, &IAccessible::get_accDescription,
            [](const AccessibleItem& i) { return i.description; });
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return number(
            child, role, [this] { return source_->accessibleRole(); }, &IAccessible::get_accRole,
            [](const AccessibleItem& i) { return i.role; });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return number(
            child, state, [] { return 0L; }, &IAccessible::get_accState,
            [](const AccessibleItem& i) { return i.state; });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override {
        return selfOnly(child, help, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
        if (file)
            *file = nullptr;
        if (topic)
            *topic = 0;
        return live() ? S_FALSE : gone();
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override {
        return selfOnly(child, shortcut, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus)
            return E_POINTER;
        VariantInit(focus);
        if (!live())
            return gone();
        return standard_ ? standard_->get_accFocus(focus) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (!selection)
            return E_POINTER;
        VariantInit(selection);
        return live() ? S_FALSE : gone();
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return text(
            child, action, [] { return std::wstring(); }, &IAccessible::get_accDefaultAction,
            [](const AccessibleItem& i) { return i.defaultAction; });
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override {
        if (!live())
            return gone();
        if (childOf(child) == CHILDID_SELF && standard_)
            return standard_->accSelect(flags, child);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height)
            return E_POINTER;
        *left = *top = *width = *height = 0;
        if (!live())
            return gone();
        const long id = childOf(child);
        RECT r{};
        if (id == CHILDID_SELF) {
            GetClientRect(hwnd_, &r);
        } else if (isItem(id)) {
            r = source_->accessibleItem(id - 1).place;
        } else {
            return E_INVALIDARG;
        }
        MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&r), 2);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
        if (!end)
            return E_POINTER;
        VariantInit(end);
        if (!live())
            return gone();
        const long id = childOf(start);
        const long count = source_->accessibleItemCount();
        long to = 0;
        if (id == CHILDID_SELF) {
            if (direction == NAVDIR_FIRSTCHILD)
                to = count > 0 ? 1 : 0;
            else if (direction == NAVDIR_LASTCHILD)
                to = count;
            else
                return standard_ ? standard_->accNavigate(direction, start, end) : S_FALSE;
        } else if (isItem(id)) {
            if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT)
                to = id < count ? id + 1 : 0;
            else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT)
                to = id > 1 ? id - 1 : 0;
        } else {
            return E_INVALIDARG;
        }
        if (to == 0)
            return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* at) override {
        if (!at)
            return E_POINTER;
        VariantInit(at);
        if (!live())
            return gone();
        POINT p{x, y};
        ScreenToClient(hwnd_, &p);
        RECT client;
        GetClientRect(hwnd_, &client);
        if (!PtInRect(&client, p))
            return S_FALSE;
        at->vt = VT_I4;
        at->lVal = CHILDID_SELF;
        for (int i = 0, n = source_->accessibleItemCount(); i < n; ++i) {
            const RECT place = source_->accessibleItem(i).place;
            if (PtInRect(&place, p)) {
                at->lVal = i + 1;
                break;
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        if (!live())
            return gone();
        const long id = childOf(child);
        if (id == CHILDID_SELF)
            return standard_ ? standard_->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
        if (!isItem(id))
            return E_INVALIDARG;
        source_->accessibleDoDefault(static_cast<int>(id - 1));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  private:
    ~Object() = default;
    friend struct std::default_delete<Object>;

    bool live() const { return source_ && IsWindow(hwnd_); }
    static HRESULT gone() { return RPC_E_DISCONNECTED; }
    bool isItem(long id) const { return id >= 1 && id <= source_->accessibleItemCount(); }

    // A text of the object itself (its own, else the standard object's) or
    // of an item.
    template <class Own, class OfItem>
    HRESULT text(const VARIANT& child, BSTR* out, Own own,
                 HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*),
                 OfItem ofItem) {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!live())
            return gone();
        const long id = childOf(child);
        std::wstring value;
        if (id == CHILDID_SELF) {
            value = own();
            if (value.empty())
                return standard_ ? (standard_.get()->*standard)(child, out) : S_FALSE;
        } else if (isItem(id)) {
            value = ofItem(source_->accessibleItem(static_cast<int>(id - 1)));
        } else {
            return E_INVALIDARG;
        }
        if (value.empty())
            return S_FALSE;
        *out = toBstr(value);
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    // A number of the object itself (its own when not 0, else the standard
    // object's) or of an item.
    template <class Own, class OfItem>
    HRESULT number(const VARIANT& child, VARIANT* out, Own own,
                   HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, VARIANT*),
                   OfItem ofItem) {
        if (!out)
            return E_POINTER;
        VariantInit(out);
        if (!live())
            return gone();
        const long id = childOf(child);
        long value = 0;
        if (id == CHILDID_SELF) {
            value = own();
            if (value == 0)
                return standard_ ? (standard_.get()->*standard)(child, out) : S_FALSE;
        } else if (isItem(id)) {
            value = ofItem(source_->accessibleItem(static_cast<int>(id - 1)));
        } else {
            return E_INVALIDARG;
        }
        out->vt = VT_I4;
        out->lVal = value;
        return S_OK;
    }

    HRESULT selfOnly(const VARIANT& child, BSTR* out,
                     HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) {
        return text(
            child, out, [] { return std::wstring(); }, standard,
            [](const AccessibleItem&) { return std::wstring(); });
    }

    std::atomic<ULONG> refs_{1};
    HWND hwnd_;
    AccessibleSource* source_;
    ComRef<IAccessible> standard_;
};

AccessibleAnswer::~AccessibleAnswer() {
    release();
}

std::optional<LRESULT> AccessibleAnswer::answer(HWND hwnd, WPARAM wp, LPARAM lp,
                                                AccessibleSource& source) {
    if (static_cast<LONG>(lp) != OBJID_CLIENT)
        return std::nullopt;
    enterApartment();
    if (!object_)
        object_ = std::make_unique<Object>(hwnd, source).release(); // its first reference
    const LRESULT r = LresultFromObject(kIidAccessible, wp, object_);
    if (r < 0)
        return std::nullopt; // the standard object answers instead
    return r;
}

void AccessibleAnswer::release() {
    if (!object_)
        return;
    object_->cutOff();
    std::exchange(object_, nullptr)->Release();
}

AccessibleName::~AccessibleName() {
    answer_.release();
}

void AccessibleName::attach(HWND control, std::wstring name) {
    attach(control, [text = std::move(name)] { return text; });
}

void AccessibleName::attach(HWND control, std::function<std::wstring()> name) {
    name_ = std::move(name);
    answer_.release();
    subclass_.attach(
        control,
        [this](UINT msg, WPARAM wp, LPARAM lp, const Subclass::Next&) -> std::optional<LRESULT> {
            if (msg == WM_GETOBJECT)
                return answer_.answer(subclass_.control(), wp, lp, *this);
            if (msg == WM_NCDESTROY)
                answer_.release();
            return std::nullopt;
        });
}

std::wstring AccessibleName::accessibleName() const {
    return name_ ? name_() : std::wstring();
}

namespace {

std::vector<std::unique_ptr<AccessibleName>>& controlNames() {
    thread_local std::vector<std::unique_ptr<AccessibleName>> names;
    // Controls that went took their handlers along.
    std::erase_if(names, [](const auto& n) { return !n->control(); });
    return names;
}

std::wstring classOf(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return name;
}

bool wantsLabel(HWND w) {
    const std::wstring c = classOf(w);
    for (const wchar_t* named : {L"Edit", L"ComboBox", L"ListBox", L"msctls_trackbar32",
                                 L"msctls_hotkey32", L"SysTreeView32"})
        if (_wcsicmp(c.c_str(), named) == 0)
            return true;
    return false;
}

bool isLabel(HWND w) {
    const std::wstring c = classOf(w);
    if (_wcsicmp(c.c_str(), L"Static") == 0)
        return (GetWindowLongW(w, GWL_STYLE) & SS_TYPEMASK) != SS_ICON;
    if (_wcsicmp(c.c_str(), L"Button") != 0)
        return false;
    switch (GetWindowLongW(w, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_3STATE:
    case BS_AUTO3STATE:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
        return true;
    default:
        return false;
    }
}

std::wstring textOf(HWND w) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
    return text;
}

} // namespace

void nameControl(HWND control, std::function<std::wstring()> name) {
    auto& names = controlNames();
    std::erase_if(names, [control](const auto& n) { return n->control() == control; });
    names.push_back(std::make_unique<AccessibleName>());
    names.back()->attach(control, std::move(name));
}

bool hasControlName(HWND control) {
    const auto& names = controlNames();
    return std::any_of(names.begin(), names.end(),
                       [control](const auto& n) { return n->control() == control; });
}

void nameByLabels(HWND parent) {
    for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        if (!wantsLabel(c) || hasControlName(c))
            continue;
        HWND label = GetWindow(c, GW_HWNDPREV);
        if (label && isLabel(label))
            nameControl(c, [label] { return IsWindow(label) ? textOf(label) : std::wstring(); });
    }
}

HintParts splitHint(const std::wstring& hint) {
    const size_t lineEnd = hint.find_first_of(L"\r\n");
    HintParts parts{hint.substr(0, lineEnd), {}};
    if (const size_t next = hint.find_first_not_of(L"\r\n", lineEnd);
        lineEnd != std::wstring::npos && next != std::wstring::npos)
        parts.description = hint.substr(next);
    return parts;
}

} // namespace quivra::win
