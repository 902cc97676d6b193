// Move-only owners for the program's Windows handles.
//
// UniqueHandle<Traits> owns one handle and gives it back to the system in
// its destructor; copying is deleted so a handle is never freed twice, and
// a moved-from owner holds nothing. Each handle kind names its empty value
// and its release call in a traits struct. Where the system takes a handle
// over (a region given to SetWindowRgn, say), the caller says so with
// release(). Handles that are not ours to free (the registry's predefined
// roots, stock objects, a window's DC) never go into these owners.
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

// A handle kind whose empty value is null and whose release call is Free.
template <typename T, auto Free>
struct NullEmptyTraits {
    using Type = T;
    static Type Empty() noexcept { return nullptr; }
    static void Close(Type handle) noexcept { Free(handle); }
};

struct FindTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type search) noexcept { ::FindClose(search); }
};

// An open file: CreateFile answers INVALID_HANDLE_VALUE, not null.
struct FileTraits {
    using Type = HANDLE;
    static Type Empty() noexcept { return INVALID_HANDLE_VALUE; }
    static void Close(Type file) noexcept { ::CloseHandle(file); }
};

using KernelHandle = UniqueHandle<NullEmptyTraits<HANDLE, &::CloseHandle>>;
using FindHandle = UniqueHandle<FindTraits>;
using FileHandle = UniqueHandle<FileTraits>;
using WindowHandle = UniqueHandle<NullEmptyTraits<HWND, &::DestroyWindow>>;
using MenuHandle = UniqueHandle<NullEmptyTraits<HMENU, &::DestroyMenu>>;
using IconHandle = UniqueHandle<NullEmptyTraits<HICON, &::DestroyIcon>>;
using ModuleHandle = UniqueHandle<NullEmptyTraits<HMODULE, &::FreeLibrary>>;
using RegKey = UniqueHandle<NullEmptyTraits<HKEY, &::RegCloseKey>>;
// A DC the program created (CreateCompatibleDC), deleted when done.
using MemoryDC = UniqueHandle<NullEmptyTraits<HDC, &::DeleteDC>>;
// Bitmaps, brushes, fonts, pens and regions the program created.
template <typename T>
using GdiObject = UniqueHandle<NullEmptyTraits<T, &::DeleteObject>>;

// A window's DC from GetDC, released to that window when done.
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : window_(window), dc_(::GetDC(window)) {}
    ~WindowDC()
    {
        if (dc_ != nullptr) {
            ::ReleaseDC(window_, dc_);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    WindowDC(WindowDC&& other) noexcept
        : window_(other.window_), dc_(std::exchange(other.dc_, nullptr)) {}
    WindowDC& operator=(WindowDC&&) = delete;

    HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// An object selected into a DC for as long as the guard lives; the object
// that was there before is selected back when it ends.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectedObject()
    {
        // SelectObject's HGDI_ERROR is the handle value -1.
        if (dc_ != nullptr && old_ != nullptr && old_ != reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(-1))) {
            ::SelectObject(dc_, old_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    SelectedObject(SelectedObject&& other) noexcept
        : dc_(std::exchange(other.dc_, nullptr)), old_(std::exchange(other.old_, nullptr)) {}
    SelectedObject& operator=(SelectedObject&&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

}  // namespace veloria
