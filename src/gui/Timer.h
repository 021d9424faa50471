#pragma once

#include "gui/Component.h"

#include <windows.h>

namespace nimbrel::gui {

// A message-loop timer of a window: its ticks arrive as WM_TIMER with the timer's id.
class Timer : public Component {
public:
    Timer(HWND owner, UINT_PTR id, UINT intervalMs) noexcept
        : owner_(owner), id_(id), interval_(intervalMs)
    {
    }
    ~Timer() override { stop(); }

    [[nodiscard]] UINT_PTR id() const noexcept { return id_; }
    [[nodiscard]] UINT interval() const noexcept { return interval_; }
    [[nodiscard]] bool running() const noexcept { return running_; }

    // Starting a running timer changes nothing; stop it first to begin a fresh interval.
    void start() noexcept
    {
        if (!running_) {
            running_ = SetTimer(owner_, id_, interval_, nullptr) != 0;
        }
    }
    void stop() noexcept
    {
        if (running_) {
            KillTimer(owner_, id_);
            running_ = false;
        }
    }

private:
    HWND owner_;
    UINT_PTR id_;
    UINT interval_;
    bool running_ = false;
};

} // namespace nimbrel::gui
