#pragma once

#include "core/UniqueHandle.h"

namespace nimbrel {

inline constexpr wchar_t showRunningInstanceMessageName[] = L"Nimbrel.ShowRunningInstance";

// One Nimbrel per user session: two would fight over the same adapters.
class SingleInstance {
public:
    SingleInstance();

    [[nodiscard]] bool isFirst() const noexcept { return first_; }

    // Asks the instance that runs already to show its window.
    static void showRunningInstance();

private:
    UniqueHandle mutex_;
    bool first_ = true;
};

} // namespace nimbrel
