// The runtime splash library's close entry, called exactly once whoever ends the splash first.
#pragma once
#include <utility>

namespace tarn {

class SplashCloseHolder {
public:
    using CloseFunction = void(__cdecl*)();

    SplashCloseHolder() = default;
    SplashCloseHolder(const SplashCloseHolder&) = delete;
    SplashCloseHolder& operator=(const SplashCloseHolder&) = delete;
    ~SplashCloseHolder() { reset(); }

    // Calls the stored entry, if any, and forgets it.
    void reset(CloseFunction next = nullptr) {
        if (CloseFunction previous = std::exchange(close_, next)) previous();
    }
    CloseFunction get() const { return close_; }

private:
    CloseFunction close_ = nullptr;
};

}  // namespace tarn
