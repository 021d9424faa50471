#pragma once

#include "core/UniqueHandle.h"

#include <windows.h>

#include <cstdint>
#include <span>

namespace nimbrel::gui {

// The bytes of a resource embedded in the program; they stay mapped for the life of the process.
[[nodiscard]] std::span<const std::uint8_t> embeddedResource(const wchar_t* name,
                                                             const wchar_t* type = RT_RCDATA);

// An icon made from the data of an .ico file, choosing the image closest to size×size.
// Malformed data yields no icon.
[[nodiscard]] UniqueIcon iconFromIconFile(std::span<const std::uint8_t> file, int size);

} // namespace nimbrel::gui
