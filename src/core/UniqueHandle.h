#pragma once

#include <windows.h>

#include <utility>

namespace nimbrel {

// Move-only owner of one handle-like value; Close releases it, Invalid marks "none".
template <typename T, auto Close, T Invalid = T{}>
class UniqueAny {
public:
    UniqueAny() noexcept = default;
    explicit UniqueAny(T value) noexcept : value_(value) {}
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& other) noexcept : value_(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept
    {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~UniqueAny() { reset(); }

    [[nodiscard]] T get() const noexcept { return value_; }
    explicit operator bool() const noexcept { return value_ != Invalid; }

    [[nodiscard]] T release() noexcept { return std::exchange(value_, Invalid); }

    void reset(T value = Invalid) noexcept
    {
        T old = std::exchange(value_, value);
        if (old != Invalid && old != value) {
            Close(old);
        }
    }

    // For out parameters: frees what is held and hands out the place to write the new value.
    [[nodiscard]] T* put() noexcept
    {
        reset();
        return &value_;
    }

private:
    T value_ = Invalid;
};

namespace detail {
inline void destroyWindow(HWND window) noexcept { ::DestroyWindow(window); }
inline void destroyIcon(HICON icon) noexcept { ::DestroyIcon(icon); }
inline void destroyMenu(HMENU menu) noexcept { ::DestroyMenu(menu); }
inline void deleteFont(HFONT font) noexcept { ::DeleteObject(font); }
inline void deleteBitmap(HBITMAP bitmap) noexcept { ::DeleteObject(bitmap); }
inline void closeKey(HKEY key) noexcept { ::RegCloseKey(key); }
inline void closeHandle(HANDLE handle) noexcept { ::CloseHandle(handle); }
} // namespace detail

using UniqueWindow = UniqueAny<HWND, detail::destroyWindow>;
using UniqueIcon = UniqueAny<HICON, detail::destroyIcon>;
using UniqueMenu = UniqueAny<HMENU, detail::destroyMenu>;
using UniqueFont = UniqueAny<HFONT, detail::deleteFont>;
using UniqueBitmap = UniqueAny<HBITMAP, detail::deleteBitmap>;
using UniqueKey = UniqueAny<HKEY, detail::closeKey>;
using UniqueHandle = UniqueAny<HANDLE, detail::closeHandle>;

} // namespace nimbrel
