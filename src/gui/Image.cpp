#include "gui/Image.h"

#include <cstring>

namespace nimbrel::gui {

namespace {

std::uint32_t read32(std::span<const std::uint8_t> bytes, size_t at)
{
    return static_cast<std::uint32_t>(bytes[at]) | (static_cast<std::uint32_t>(bytes[at + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[at + 2]) << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

} // namespace

std::shared_ptr<const Image> Image::fromBitmapFile(std::span<const std::uint8_t> file)
{
    constexpr size_t fileHeader = 14;
    constexpr size_t infoHeader = 40;
    if (file.size() < fileHeader + infoHeader || file[0] != 'B' || file[1] != 'M') {
        return nullptr;
    }
    const std::uint32_t pixelsAt = read32(file, 10);
    const auto width = static_cast<std::int32_t>(read32(file, 18));
    const auto height = static_cast<std::int32_t>(read32(file, 22));
    const std::uint16_t bitCount = static_cast<std::uint16_t>(file[28] | (file[29] << 8));
    if (bitCount != 32 || width <= 0 || width > 1024 || height == 0 || height > 1024 ||
        height < -1024) {
        return nullptr;
    }
    const size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    const size_t bytes = static_cast<size_t>(width) * rows * 4;
    if (pixelsAt > file.size() || bytes > file.size() - pixelsAt) {
        return nullptr;
    }

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!bitmap || pixels == nullptr) {
        return nullptr;
    }
    std::memcpy(pixels, file.data() + pixelsAt, bytes);

    auto image = std::make_shared<Image>();
    image->bitmap_ = std::move(bitmap);
    image->size_ = SIZE{width, static_cast<LONG>(rows)};
    return image;
}

std::shared_ptr<const Image> Image::fromIcon(UniqueIcon icon, SIZE size)
{
    if (!icon) {
        return nullptr;
    }
    auto image = std::make_shared<Image>();
    image->icon_ = std::move(icon);
    image->size_ = size;
    return image;
}

void Image::draw(HDC dc, int x, int y) const
{
    if (icon_) {
        DrawIconEx(dc, x, y, icon_.get(), size_.cx, size_.cy, 0, nullptr, DI_NORMAL);
        return;
    }
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, bitmap_.get());
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, x, y, size_.cx, size_.cy, source, 0, 0, size_.cx, size_.cy, blend);
    SelectObject(source, previous);
    DeleteDC(source);
}

} // namespace nimbrel::gui
