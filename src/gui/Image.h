#pragma once

#include "core/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>

namespace nimbrel::gui {

// A picture a control shows: a 32-bit premultiplied-alpha bitmap or an icon. Shared by the
// controls that show it and freed with the last of them.
class Image {
public:
    // From a .bmp file of 32 bits per pixel; none for anything else.
    static std::shared_ptr<const Image> fromBitmapFile(std::span<const std::uint8_t> file);
    static std::shared_ptr<const Image> fromIcon(UniqueIcon icon, SIZE size);

    [[nodiscard]] SIZE size() const noexcept { return size_; }
    void draw(HDC dc, int x, int y) const;

private:
    UniqueBitmap bitmap_;
    UniqueIcon icon_;
    SIZE size_{};
};

} // namespace nimbrel::gui
