#include "gui/EmbeddedResource.h"

#include <cstdlib>
#include <cstring>

namespace nimbrel::gui {

std::span<const std::uint8_t> embeddedResource(const wchar_t* name, const wchar_t* type)
{
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC info = FindResourceW(module, name, type);
    if (info == nullptr) {
        return {};
    }
    HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return {};
    }
    return {static_cast<const std::uint8_t*>(bytes), SizeofResource(module, info)};
}

namespace {

std::uint32_t readLittleEndian(const std::uint8_t* at, size_t bytes)
{
    std::uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint32_t>(at[i]) << (8 * i);
    }
    return value;
}

} // namespace

UniqueIcon iconFromIconFile(std::span<const std::uint8_t> file, int size)
{
    constexpr size_t headerSize = 6;
    constexpr size_t entrySize = 16;
    if (file.size() < headerSize || readLittleEndian(&file[2], 2) != 1) {
        return {};
    }
    const size_t count = readLittleEndian(&file[4], 2);
    if (file.size() < headerSize + count * entrySize) {
        return {};
    }
    size_t best = count;
    int bestDistance = 0;
    for (size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = &file[headerSize + i * entrySize];
        const int width = entry[0] == 0 ? 256 : entry[0];
        const int distance = std::abs(width - size);
        if (best == count || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    if (best == count) {
        return {};
    }
    const std::uint8_t* entry = &file[headerSize + best * entrySize];
    const size_t imageSize = readLittleEndian(entry + 8, 4);
    const size_t imageOffset = readLittleEndian(entry + 12, 4);
    if (imageOffset > file.size() || imageSize > file.size() - imageOffset || imageSize == 0) {
        return {};
    }
    // The API takes a non-const pointer but only reads the image.
    auto* image = const_cast<std::uint8_t*>(file.data() + imageOffset);
    return UniqueIcon(CreateIconFromResourceEx(image, static_cast<DWORD>(imageSize), TRUE,
                                               0x00030000, size, size, LR_DEFAULTCOLOR));
}

} // namespace nimbrel::gui
