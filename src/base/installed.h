// The one object of a kind that the program holds while it runs: the
// program's owner makes it (in WinMain, see shell/program.h) and ends it;
// while it lives, the code of its layer reaches it as T::Current(). A test
// makes its own and has it in use until it ends; the one made before it is
// in use again then.
//
// What the system calls back without a context (hook procedures, window
// event procedures) finds its state this way too.
// No Windows header here: this file is also built into the native tests.
#pragma once

namespace veloria {

template <typename T>
class Installed {
public:
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;

    static T& Current() noexcept { return *current_; }

protected:
    Installed() noexcept : before_(current_) { current_ = static_cast<T*>(this); }
    ~Installed() { current_ = before_; }

private:
    static inline T* current_ = nullptr;
    T* before_;
};

}  // namespace veloria
