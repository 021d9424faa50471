#pragma once

#include "core/UniqueHandle.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nimbrel::testing {

// Points HKEY_CURRENT_USER of this process at an empty key of its own, and removes it afterwards.
class ScratchRegistry {
public:
    ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;
    ~ScratchRegistry();

    // Helpers on the scratch HKEY_CURRENT_USER.
    static bool keyExists(const wchar_t* path);
    static void setString(const wchar_t* path, const wchar_t* name, std::wstring_view data);
    static void setValue(const wchar_t* path, const wchar_t* name, DWORD type, const void* data,
                         DWORD size);
    static void createKey(const wchar_t* path);
    // The value's type and data as bytes, or none when it is missing.
    struct Value {
        DWORD type;
        std::wstring text;
    };
    static std::optional<Value> value(const wchar_t* path, const wchar_t* name);
    static std::vector<std::wstring> valueNames(const wchar_t* path);

private:
    std::wstring name_;
    UniqueKey key_;
};

inline constexpr wchar_t settingsKeyPath[] = L"Software\\Nimbrel .NET";
inline constexpr wchar_t runKeyPath[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

} // namespace nimbrel::testing
