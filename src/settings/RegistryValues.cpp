#include "settings/RegistryValues.h"

#include <vector>

namespace nimbrel {

std::optional<bool> readChoice(HKEY key, const wchar_t* name)
{
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) {
        return false; // a number, raw bytes, a list: present, but not "True"
    }
    constexpr std::wstring_view checked = L"True";
    // Only as much as "True" with its NUL, and a unit more, can matter; longer text is not it.
    if (size > (checked.size() + 2) * sizeof(wchar_t)) {
        return false;
    }
    wchar_t data[8] = {};
    DWORD read = sizeof(data) - sizeof(wchar_t);
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &read) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    // The stored data need not end in a NUL, nor fill whole code units.
    std::wstring_view text(data, read / sizeof(wchar_t));
    if (!text.empty() && text.back() == L'\0') {
        text.remove_suffix(1);
    }
    return text == checked;
}

bool writeString(HKEY key, const wchar_t* name, std::wstring_view data)
{
    const std::wstring text(data);
    const auto bytes = static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          bytes) == ERROR_SUCCESS;
}

bool writeChoice(HKEY key, const wchar_t* name, bool checked)
{
    return writeString(key, name, checked ? L"True" : L"False");
}

} // namespace nimbrel
