// A thread the test runs beside its own, on CreateThread (the compiler's
// Win32 threads flavour has no std::thread): it is waited for, for a minute
// at most, by join or when it goes.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

namespace veloria {

class AsideThread {
public:
    explicit AsideThread(std::function<void()> body) : body_(std::move(body))
    {
        thread_ = ::CreateThread(nullptr, 0, &Run, this, 0, nullptr);
    }
    ~AsideThread() { join(); }
    AsideThread(const AsideThread&) = delete;
    AsideThread& operator=(const AsideThread&) = delete;

    void join()
    {
        if (thread_ != nullptr) {
            ::WaitForSingleObject(thread_, 60000);
            ::CloseHandle(thread_);
            thread_ = nullptr;
        }
    }

private:
    static DWORD WINAPI Run(void* self)
    {
        static_cast<AsideThread*>(self)->body_();
        return 0;
    }

    std::function<void()> body_;
    HANDLE thread_ = nullptr;
};

}  // namespace veloria
