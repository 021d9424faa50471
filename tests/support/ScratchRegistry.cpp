#include "support/ScratchRegistry.h"

#include <stdexcept>
#include <vector>

namespace nimbrel::testing {

ScratchRegistry::ScratchRegistry()
{
    static unsigned next = 0;
    name_ = L"Software\\NimbrelTests\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++next);
    RegDeleteTreeW(HKEY_CURRENT_USER, name_.c_str());
    if (RegCreateKeyExW(HKEY_CURRENT_USER, name_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key_.put(), nullptr) != ERROR_SUCCESS ||
        RegOverridePredefKey(HKEY_CURRENT_USER, key_.get()) != ERROR_SUCCESS) {
        throw std::runtime_error("no scratch registry");
    }
}

ScratchRegistry::~ScratchRegistry()
{
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    key_.reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, name_.c_str());
}

bool ScratchRegistry::keyExists(const wchar_t* path)
{
    UniqueKey key;
    return RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

void ScratchRegistry::createKey(const wchar_t* path)
{
    UniqueKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                    nullptr);
}

void ScratchRegistry::setValue(const wchar_t* path, const wchar_t* name, DWORD type,
                               const void* data, DWORD size)
{
    UniqueKey key;
    RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(),
                    nullptr);
    RegSetValueExW(key.get(), name, 0, type, static_cast<const BYTE*>(data), size);
}

void ScratchRegistry::setString(const wchar_t* path, const wchar_t* name, std::wstring_view data)
{
    const std::wstring text(data);
    setValue(path, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

std::optional<ScratchRegistry::Value> ScratchRegistry::value(const wchar_t* path, const wchar_t* name)
{
    UniqueKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<wchar_t> data(size / sizeof(wchar_t) + 1, L'\0');
    RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    return Value{type, std::wstring(data.data())};
}

std::vector<std::wstring> ScratchRegistry::valueNames(const wchar_t* path)
{
    std::vector<std::wstring> names;
    UniqueKey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, key.put()) != ERROR_SUCCESS) {
        return names;
    }
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (RegEnumValueW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            return names;
        }
        names.emplace_back(name, length);
    }
}

} // namespace nimbrel::testing
