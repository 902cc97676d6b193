// Move-only owners of COM things: an interface pointer (Release), a BSTR
// (SysFreeString) and a VARIANT (VariantClear). Never copied, so no
// reference is dropped twice or leaked.
//
// The automation library that texts and variants come from is loaded with
// the first of them the program makes: a start that shows no page, reads
// no manifest and finds no messenger never loads it.
#pragma once

#include <objbase.h>
#include <oleauto.h>

#include <utility>

#include "base/system_calls.h"

namespace veloria {

// A BSTR's length, 0 for none.
inline UINT TextLength(BSTR text) noexcept
{
    return text != nullptr && Automation().StringLength != nullptr ? Automation().StringLength(text) : 0;
}

// Frees a BSTR the program was handed.
inline void FreeText(BSTR text) noexcept
{
    if (text != nullptr && Automation().FreeString != nullptr) {
        Automation().FreeString(text);
    }
}

template <typename Interface>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept
    {
        if (this != &other) {
            reset();
            pointer_ = std::exchange(other.pointer_, nullptr);
        }
        return *this;
    }

    Interface* get() const noexcept { return pointer_; }
    Interface* operator->() const noexcept { return pointer_; }
    explicit operator bool() const noexcept { return pointer_ != nullptr; }

    // For functions that hand out a new reference: the old one is released.
    Interface** put() noexcept
    {
        reset();
        return &pointer_;
    }
    void** put_void() noexcept { return reinterpret_cast<void**>(put()); }

    void reset() noexcept
    {
        if (Interface* old = std::exchange(pointer_, nullptr)) {
            old->Release();
        }
    }

    // The same object's `Other` interface (a reference of its own), or an
    // empty pointer when the object has none or this one is empty.
    template <typename Other>
    ComPtr<Other> As() const noexcept
    {
        ComPtr<Other> other;
        if (pointer_ == nullptr || FAILED(pointer_->QueryInterface(__uuidof(Other), other.put_void()))) {
            other.reset();
        }
        return other;
    }

private:
    Interface* pointer_ = nullptr;
};

class Bstr {
public:
    Bstr() noexcept = default;
    explicit Bstr(const wchar_t* text) noexcept
        : text_(Automation().AllocString != nullptr ? Automation().AllocString(text) : nullptr) {}
    ~Bstr() { FreeText(text_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    Bstr(Bstr&& other) noexcept : text_(std::exchange(other.text_, nullptr)) {}
    Bstr& operator=(Bstr&& other) noexcept
    {
        if (this != &other) {
            FreeText(std::exchange(text_, std::exchange(other.text_, nullptr)));
        }
        return *this;
    }

    BSTR get() const noexcept { return text_; }

private:
    BSTR text_ = nullptr;
};

class Variant {
public:
    Variant() noexcept { value_.vt = VT_EMPTY; }
    ~Variant() { Clear(); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    Variant(Variant&& other) noexcept : value_(other.value_) { other.value_.vt = VT_EMPTY; }
    Variant& operator=(Variant&& other) noexcept
    {
        if (this != &other) {
            Clear();
            value_ = other.value_;
            other.value_.vt = VT_EMPTY;
        }
        return *this;
    }

    VARIANT* get() noexcept { return &value_; }
    const VARIANT& operator*() const noexcept { return value_; }

    // The value as `type`, in place; false when it cannot be.
    bool ChangeTo(VARTYPE type) noexcept
    {
        return Automation().ChangeType != nullptr && SUCCEEDED(Automation().ChangeType(&value_, &value_, 0, type));
    }

private:
    // An empty variant holds nothing to free: the library is not needed.
    void Clear() noexcept
    {
        if (value_.vt != VT_EMPTY && Automation().Clear != nullptr) {
            Automation().Clear(&value_);
        }
        value_.vt = VT_EMPTY;
    }

    VARIANT value_{};
};

}  // namespace veloria
