// A lock for what two threads share: the system's slim reader/writer lock,
// always taken whole, held for the life of a Held.
#pragma once

#include <windows.h>

namespace veloria {

class SlimLock {
public:
    SlimLock() = default;
    SlimLock(const SlimLock&) = delete;
    SlimLock& operator=(const SlimLock&) = delete;

    class Held {
    public:
        explicit Held(const SlimLock& lock) noexcept : lock_(lock.lock_) { ::AcquireSRWLockExclusive(&lock_); }
        ~Held() { ::ReleaseSRWLockExclusive(&lock_); }
        Held(const Held&) = delete;
        Held& operator=(const Held&) = delete;

    private:
        SRWLOCK& lock_;
    };

private:
    mutable SRWLOCK lock_ = SRWLOCK_INIT;
};

}  // namespace veloria
