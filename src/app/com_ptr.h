// A move-only owner of one COM interface pointer: Release in the destructor,
// never copied, so no reference is dropped twice or leaked.
#pragma once

#include <objbase.h>

#include <utility>

namespace veloria {

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

private:
    Interface* pointer_ = nullptr;
};

}  // namespace veloria
