#include "base/accessible.h"

#include <commctrl.h>
#include <oleacc.h>

#include <memory>
#include <new>
#include <utility>

#include "base/com_ptr.h"
#include "base/system_calls.h"

namespace veloria {

namespace {

constexpr UINT_PTR kAccessibleSubclass = 2;

// What the control's subclass and every object handed out for it share:
// the facts, and whether the control still lives (a reader may keep an
// object after its control is gone; the facts' functions then must not run).
struct Described {
    AccessibleFacts facts;
    HWND control = nullptr;
    bool alive = true;
};

bool IsSelf(const VARIANT& child)
{
    return child.vt == VT_I4 && child.lVal == CHILDID_SELF;
}

// A function of the object that may allocate: a failure to is told as
// such rather than thrown through COM.
template <typename Body>
HRESULT Guarded(Body body) noexcept
{
    try {
        return body();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT GiveText(const std::wstring& text, BSTR* out)
{
    *out = Automation().AllocString != nullptr ? Automation().AllocString(text.c_str()) : nullptr;
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

// COM objects end by Release, never through a pointer to their interface.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
class AccessibleControl final : public IAccessible {
public:
    explicit AccessibleControl(std::shared_ptr<Described> described) : described_(std::move(described))
    {
        if (Accessibility().StandardObject != nullptr) {
            Accessibility().StandardObject(described_->control, OBJID_CLIENT, __uuidof(IAccessible),
                                           standard_.put_void());
        }
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override
    {
        if (out == nullptr) {
            return E_POINTER;
        }
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *out = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() noexcept override
    {
        const ULONG left = --references_;
        if (left == 0) {
            delete this;
        }
        return left;
    }

    // Readers ask through IAccessible itself, not by names.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept override
    {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) noexcept override
    {
        return E_NOTIMPL;
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) noexcept override
    {
        if (!Alive()) {
            return RPC_E_DISCONNECTED;
        }
        if (standard_) {
            return standard_->get_accParent(parent);
        }
        return Accessibility().ObjectFromWindow != nullptr
                   ? Accessibility().ObjectFromWindow(described_->control, static_cast<DWORD>(OBJID_WINDOW),
                                                      IID_IDispatch, reinterpret_cast<void**>(parent))
                   : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) noexcept override
    {
        *count = 0;
        return !Alive() ? RPC_E_DISCONNECTED : standard_ ? standard_->get_accChildCount(count) : S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) noexcept override
    {
        *out = nullptr;
        return !Alive() ? RPC_E_DISCONNECTED : standard_ ? standard_->get_accChild(child, out) : E_INVALIDARG;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) noexcept override
    {
        return Guarded([&] {
            *name = nullptr;
            if (!Alive()) {
                return RPC_E_DISCONNECTED;
            }
            if (IsSelf(child) && described_->facts.name) {
                if (const std::wstring given = described_->facts.name(); !given.empty()) {
                    return GiveText(given, name);
                }
            }
            if (standard_) {
                return standard_->get_accName(child, name);
            }
            return IsSelf(child) ? GiveText(WindowText(), name) : E_INVALIDARG;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) noexcept override
    {
        return Guarded([&] {
            *value = nullptr;
            if (!Alive()) {
                return RPC_E_DISCONNECTED;
            }
            if (IsSelf(child) && described_->facts.value) {
                return GiveText(described_->facts.value(), value);
            }
            return standard_ ? standard_->get_accValue(child, value) : S_FALSE;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) noexcept override
    {
        *text = nullptr;
        return Forward(&IAccessible::get_accDescription, child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) noexcept override
    {
        if (!Alive()) {
            return RPC_E_DISCONNECTED;
        }
        if (IsSelf(child) && described_->facts.role != 0) {
            role->vt = VT_I4;
            role->lVal = described_->facts.role;
            return S_OK;
        }
        if (standard_) {
            return standard_->get_accRole(child, role);
        }
        role->vt = VT_I4;
        role->lVal = ROLE_SYSTEM_CLIENT;
        return IsSelf(child) ? S_OK : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) noexcept override
    {
        if (!Alive()) {
            return RPC_E_DISCONNECTED;
        }
        if (standard_) {
            return standard_->get_accState(child, state);
        }
        const HWND control = described_->control;
        state->vt = VT_I4;
        state->lVal = STATE_SYSTEM_FOCUSABLE | (::GetFocus() == control ? STATE_SYSTEM_FOCUSED : 0) |
                      (::IsWindowVisible(control) ? 0 : STATE_SYSTEM_INVISIBLE) |
                      (::IsWindowEnabled(control) ? 0 : STATE_SYSTEM_UNAVAILABLE);
        return IsSelf(child) ? S_OK : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) noexcept override
    {
        *text = nullptr;
        return Forward(&IAccessible::get_accHelp, child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) noexcept override
    {
        *file = nullptr;
        return !Alive() ? RPC_E_DISCONNECTED : standard_ ? standard_->get_accHelpTopic(file, child, topic) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) noexcept override
    {
        *text = nullptr;
        return Forward(&IAccessible::get_accKeyboardShortcut, child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) noexcept override
    {
        if (!Alive()) {
            return RPC_E_DISCONNECTED;
        }
        if (standard_) {
            return standard_->get_accFocus(focus);
        }
        focus->vt = ::GetFocus() == described_->control ? VT_I4 : VT_EMPTY;
        focus->lVal = CHILDID_SELF;
        return focus->vt == VT_I4 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) noexcept override
    {
        selection->vt = VT_EMPTY;
        return !Alive() ? RPC_E_DISCONNECTED : standard_ ? standard_->get_accSelection(selection) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) noexcept override
    {
        return Guarded([&] {
            *action = nullptr;
            if (Alive() && IsSelf(child) && described_->facts.press) {
                return GiveText(L"Press", action);
            }
            return Forward(&IAccessible::get_accDefaultAction, child, action);
        });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long how, VARIANT child) noexcept override
    {
        return !Alive() ? RPC_E_DISCONNECTED : standard_ ? standard_->accSelect(how, child) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) noexcept override
    {
        if (!Alive()) {
            return RPC_E_DISCONNECTED;
        }
        if (standard_) {
            return standard_->accLocation(left, top, width, height, child);
        }
        RECT r{};
        ::GetWindowRect(described_->control, &r);
        *left = r.left;
        *top = r.top;
        *width = r.right - r.left;
        *height = r.bottom - r.top;
        return IsSelf(child) ? S_OK : E_INVALIDARG;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) noexcept override
    {
        end->vt = VT_EMPTY;
        return !Alive() ? RPC_E_DISCONNECTED : standard_ ? standard_->accNavigate(direction, start, end) : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) noexcept override
    {
        if (!Alive()) {
            return RPC_E_DISCONNECTED;
        }
        if (standard_) {
            return standard_->accHitTest(x, y, hit);
        }
        RECT r{};
        ::GetWindowRect(described_->control, &r);
        hit->vt = ::PtInRect(&r, POINT{x, y}) ? VT_I4 : VT_EMPTY;
        hit->lVal = CHILDID_SELF;
        return hit->vt == VT_I4 ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) noexcept override
    {
        return Guarded([&] {
            if (!Alive()) {
                return RPC_E_DISCONNECTED;
            }
            if (IsSelf(child) && described_->facts.press) {
                described_->facts.press();
                return S_OK;
            }
            return standard_ ? standard_->accDoDefaultAction(child) : DISP_E_MEMBERNOTFOUND;
        });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) noexcept override { return E_NOTIMPL; }

private:
    ~AccessibleControl() = default;

    bool Alive() const { return described_->alive && ::IsWindow(described_->control); }

    std::wstring WindowText() const
    {
        std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(described_->control)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(
            ::GetWindowTextW(described_->control, text.data(), static_cast<int>(text.size()))));
        return text;
    }

    // A text the system's object gives, or none.
    HRESULT Forward(HRESULT (STDMETHODCALLTYPE IAccessible::*ask)(VARIANT, BSTR*), VARIANT child, BSTR* text) const
    {
        return !Alive() ? RPC_E_DISCONNECTED : standard_ ? (standard_.get()->*ask)(child, text) : S_FALSE;
    }

    ULONG references_ = 1;
    std::shared_ptr<Described> described_;
    ComPtr<IAccessible> standard_;  // the system's object for the control, where it has one
};
#pragma GCC diagnostic pop

LRESULT CALLBACK AnswerReaders(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR data) noexcept
{
    auto* described = reinterpret_cast<std::shared_ptr<Described>*>(data);
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT &&
        Accessibility().ResultFromObject != nullptr) {
        if (auto* object = new (std::nothrow) AccessibleControl(*described)) {
            const LRESULT answer = Accessibility().ResultFromObject(__uuidof(IAccessible), wParam, object);
            object->Release();  // the answer holds its own reference
            return answer;
        }
    } else if (message == WM_NCDESTROY) {
        (*described)->alive = false;
        ::RemoveWindowSubclass(control, &AnswerReaders, kAccessibleSubclass);
        delete described;
    }
    return ::DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void DescribeForAccessibility(HWND control, AccessibleFacts facts)
{
    if (control == nullptr) {
        return;
    }
    auto described = std::make_unique<std::shared_ptr<Described>>(
        std::shared_ptr<Described>(new Described{std::move(facts), control, true}));
    if (::SetWindowSubclass(control, &AnswerReaders, kAccessibleSubclass,
                            reinterpret_cast<DWORD_PTR>(described.get()))) {
        described.release();  // the subclass frees it with the control
    }
}

void NameButton(HWND button, std::function<std::wstring()> name)
{
    AccessibleFacts facts;
    facts.name = std::move(name);
    facts.role = ROLE_SYSTEM_PUSHBUTTON;
    DescribeForAccessibility(button, std::move(facts));
}

void TellNameChanged(HWND control) noexcept
{
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, control, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace veloria
