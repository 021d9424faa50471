#pragma once

#include <utility>

namespace nimbrel {

// Runs a clean-up when the scope ends, on every path.
template <typename F>
class ScopeExit {
public:
    explicit ScopeExit(F&& action) noexcept : action_(std::forward<F>(action)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit()
    {
        if (armed_) {
            action_();
        }
    }
    void dismiss() noexcept { armed_ = false; }

private:
    F action_;
    bool armed_ = true;
};

template <typename F>
[[nodiscard]] ScopeExit<F> scopeExit(F&& action) noexcept
{
    return ScopeExit<F>(std::forward<F>(action));
}

} // namespace nimbrel
