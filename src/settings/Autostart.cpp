// The per-user autostart entry that starts the program with the user's session.
#include "app/Form1.h"

#include "settings/RegistryValues.h"

#include <string>

namespace nimbrel {

namespace {

constexpr wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t entryName[] = L"Nimbrel";

std::wstring programPath()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2); // a long path: try a larger buffer
    }
}

} // namespace

void Form1::writeAutostartEntry()
{
    // One guarded step: a missing Run key, a refused write or no entry to delete ends it quietly.
    UniqueKey run;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, runKey, 0, KEY_SET_VALUE, run.put()) != ERROR_SUCCESS) {
        return;
    }
    if (checkBoxAutorun.checked()) {
        const std::wstring path = programPath();
        if (!path.empty()) {
            // Quoted: unquoted, "C:\Program Files\..." could start "C:\Program.exe".
            (void)writeString(run.get(), entryName, L"\"" + path + L"\"");
        }
    } else {
        RegDeleteValueW(run.get(), entryName);
    }
}

} // namespace nimbrel
