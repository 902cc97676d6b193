// Move-only owners for the program's Windows handles.
//
// UniqueHandle<Traits> owns one handle and gives it back to the system in
// its destructor; copying is deleted so a handle is never freed twice.
// Each handle kind names its empty value and its release call in a traits
// struct. Where the system takes a handle over (a region given to
// SetWindowRgn, say), the caller says so with release().
#pragma once

#include <windows.h>

#include <utility>

namespace veloria {

template <typename Traits>
class UniqueHandle {
public:
    using Type = typename Traits::Type;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Type handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    Type get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Traits::Empty(); }

    // Gives the handle up without freeing it.
    [[nodiscard]] Type release() noexcept { return std::exchange(handle_, Traits::Empty()); }

    void reset(Type handle = Traits::Empty()) noexcept
    {
        const Type old = std::exchange(handle_, handle);
        if (old != Traits::Empty()) {
            Traits::Close(old);
        }
    }

private:
    Type handle_ = Traits::Empty();
};

struct KernelHandleTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type handle) noexcept { ::CloseHandle(handle); }
};

struct WindowTraits {
    using Type = HWND;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type window) noexcept { ::DestroyWindow(window); }
};

struct MenuTraits {
    using Type = HMENU;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type menu) noexcept { ::DestroyMenu(menu); }
};

struct IconTraits {
    using Type = HICON;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type icon) noexcept { ::DestroyIcon(icon); }
};

struct FindTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type search) noexcept { ::FindClose(search); }
};

using KernelHandle = UniqueHandle<KernelHandleTraits>;
using FindHandle = UniqueHandle<FindTraits>;
using MenuHandle = UniqueHandle<MenuTraits>;
using IconHandle = UniqueHandle<IconTraits>;
using WindowHandle = UniqueHandle<WindowTraits>;

}  // namespace veloria
