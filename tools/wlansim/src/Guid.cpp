#include "wlansim/Guid.h"

#include <array>
#include <cstdio>

namespace wlansim {
namespace {

std::optional<unsigned> hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'a' && c <= 'f')
        return static_cast<unsigned>(c - 'a' + 10);
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

} // namespace

std::optional<GUID> parseGuid(std::string_view text)
{
    if (text.size() == 38 && text.front() == '{' && text.back() == '}')
        text = text.substr(1, 36);
    if (text.size() != 36)
        return std::nullopt;

    // 32 hex digits in groups of 8-4-4-4-12; the bytes come out in the order GUID stores them.
    std::array<unsigned char, 16> bytes{};
    std::size_t digits = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (text[i] != '-')
                return std::nullopt;
            continue;
        }
        const auto digit = hexDigit(text[i]);
        if (!digit)
            return std::nullopt;
        auto& byte = bytes[digits / 2];
        byte = static_cast<unsigned char>((static_cast<unsigned>(byte) << 4) | *digit);
        ++digits;
    }

    GUID guid{};
    guid.Data1 = (static_cast<unsigned long>(bytes[0]) << 24) |
                 (static_cast<unsigned long>(bytes[1]) << 16) |
                 (static_cast<unsigned long>(bytes[2]) << 8) | bytes[3];
    guid.Data2 = static_cast<unsigned short>((bytes[4] << 8) | bytes[5]);
    guid.Data3 = static_cast<unsigned short>((bytes[6] << 8) | bytes[7]);
    for (std::size_t i = 0; i < 8; ++i)
        guid.Data4[i] = bytes[8 + i];
    return guid;
}

std::string formatGuid(const GUID& guid)
{
    std::array<char, 39> text{};
    std::snprintf(text.data(), text.size(), "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned long>(guid.Data1), guid.Data2, guid.Data3, guid.Data4[0],
                  guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4], guid.Data4[5],
                  guid.Data4[6], guid.Data4[7]);
    return text.data();
}

} // namespace wlansim
