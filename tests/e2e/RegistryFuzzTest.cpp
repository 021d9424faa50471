// The real program starting over saved choices of every shape the registry can hold. This
// driver shares the program's HKCU (same Wine prefix), so it writes the values the program reads.
#include "e2e/NimbrelRun.h"

#include "app/ControlIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <ostream>

namespace nimbrel::e2e {
namespace {

constexpr wchar_t settingsKey[] = L"Software\\Nimbrel .NET";
constexpr wchar_t runKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Choice {
    const wchar_t* name;
    int box;
    bool byDefault;
};

constexpr std::array<Choice, 5> choices{{
    {L"AutoConfigDisabled", ids::checkBoxAutoConfig, false},
    {L"BackgroundScanEnabled", ids::checkBoxBackgroundScan, true},
    {L"StreamingModeEnabled", ids::checkBoxStreamingMode, false},
    {L"MinimizeToTray", ids::checkBoxMinimize, false},
    {L"Autorun", ids::checkBoxAutorun, false},
}};

using Bytes = std::vector<BYTE>;

Bytes utf16(std::wstring_view text)
{
    const auto* first = reinterpret_cast<const BYTE*>(text.data());
    return Bytes(first, first + text.size() * sizeof(wchar_t));
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes nul{0, 0};

// One value or key found under a dumped key, with everything that would show a write.
struct RegistryEntry {
    std::wstring path; // below the dumped key; a key's path ends in '\'
    DWORD type = 0;
    Bytes data;
    bool operator==(const RegistryEntry&) const = default;
};

std::string ascii(std::wstring_view text)
{
    std::string out;
    for (wchar_t c : text) {
        out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    }
    return out;
}

void PrintTo(const RegistryEntry& entry, std::ostream* out)
{
    *out << '"' << ascii(entry.path) << "\" type " << entry.type << ", " << entry.data.size() << " bytes:";
    for (size_t i = 0; i < std::min<size_t>(entry.data.size(), 12); ++i) {
        char hex[4];
        std::snprintf(hex, sizeof(hex), " %02x", entry.data[i]);
        *out << hex;
    }
}

void dumpKey(HKEY key, const std::wstring& path, std::vector<RegistryEntry>& entries)
{
    DWORD longestName = 0;
    DWORD longestData = 0;
    DWORD longestSubkey = 0;
    RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, &longestSubkey, nullptr, nullptr,
                     &longestName, &longestData, nullptr, nullptr);
    for (DWORD i = 0;; ++i) {
        std::wstring name(longestName + 1, L'\0');
        DWORD nameLength = longestName + 1;
        Bytes data(longestData + 1);
        DWORD size = longestData + 1;
        DWORD type = 0;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS) {
            break;
        }
        name.resize(nameLength);
        data.resize(size);
        entries.push_back({path + name, type, data});
    }
    for (DWORD i = 0;; ++i) {
        std::wstring name(longestSubkey + 1, L'\0');
        DWORD nameLength = longestSubkey + 1;
        if (RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS) {
            break;
        }
        name.resize(nameLength);
        entries.push_back({path + name + L"\\", 0, {}});
        HKEY subkey = nullptr;
        if (RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, &subkey) == ERROR_SUCCESS) {
            dumpKey(subkey, path + name + L"\\", entries);
            RegCloseKey(subkey);
        }
    }
}

// Everything the program could write before a Save: the settings key, a value under Software
// of the same name, and the Run key. The program creates the settings key empty when it is
// missing; an empty key is "nothing written", so a missing key dumps as an empty one.
std::vector<RegistryEntry> registryDump()
{
    std::vector<RegistryEntry> entries;
    for (const auto& [prefix, path] : {std::pair{L"settings\\", settingsKey}, std::pair{L"run\\", runKey}}) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) == ERROR_SUCCESS) {
            dumpKey(key, prefix, entries);
            RegCloseKey(key);
        }
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, L"Software", L"Nimbrel .NET", RRF_RT_ANY | RRF_NOEXPAND,
                     &type, nullptr, &size) == ERROR_SUCCESS) {
        Bytes data(size);
        RegGetValueW(HKEY_CURRENT_USER, L"Software", L"Nimbrel .NET", RRF_RT_ANY | RRF_NOEXPAND,
                     &type, data.data(), &size);
        data.resize(size);
        entries.push_back({L"software value", type, data});
    }
    std::sort(entries.begin(), entries.end(),
              [](const RegistryEntry& a, const RegistryEntry& b) { return a.path < b.path; });
    return entries;
}

void setValue(const std::wstring& keyPath, const wchar_t* name, DWORD type, const Bytes& data)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name, 0, type, data.empty() ? nullptr : data.data(),
                             static_cast<DWORD>(data.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

enum class Placement {
    everyValue,      // each of the five values holds the data
    subkeyPerValue,  // a key of each value's name, holding the data as its default and named value
    valueInPlaceOfKey // no settings key; a value "Nimbrel .NET" under Software holds the data
};

struct RegistryCase {
    const char* name;
    DWORD type;
    Bytes data;
    Placement placement;
    std::optional<bool> loaded; // every box; none: each at its default
};

void PrintTo(const RegistryCase& c, std::ostream* out) { *out << c.name; }

void place(const RegistryCase& c)
{
    switch (c.placement) {
    case Placement::everyValue:
        for (const Choice& choice : choices) {
            setValue(settingsKey, choice.name, c.type, c.data);
        }
        break;
    case Placement::subkeyPerValue:
        for (const Choice& choice : choices) {
            const std::wstring subkey = std::wstring(settingsKey) + L"\\" + choice.name;
            setValue(subkey, L"", c.type, c.data);
            setValue(subkey, choice.name, c.type, c.data);
        }
        break;
    case Placement::valueInPlaceOfKey:
        setValue(L"Software", L"Nimbrel .NET", c.type, c.data);
        break;
    }
}

void forgetEverything()
{
    forgetSavedChoices();
    RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software", L"Nimbrel .NET");
}

class RegistryFuzz : public ::testing::TestWithParam<RegistryCase> {
protected:
    void SetUp() override { forgetEverything(); }
    void TearDown() override { forgetEverything(); }
};

wlansim::Scenario oneConnectedAdapter()
{
    wlansim::Adapter a;
    a.guid = GUID{0x54000001, 0x4444, 0x5555, {6, 7, 8, 9, 10, 11, 12, 13}};
    a.description = L"Registry adapter";
    wlansim::Scenario scenario;
    scenario.adapters = {a};
    return scenario;
}

TEST_P(RegistryFuzz, startsWithEachBoxCheckedOnlyForTrueAndWritesNothing)
{
    const RegistryCase& c = GetParam();
    place(c);
    // A stale autostart entry, which only a Save may replace.
    setValue(runKey, L"Nimbrel", REG_SZ, utf16(L"\"C:\\Old place\\Nimbrel.exe\"") + nul);
    const std::vector<RegistryEntry> before = registryDump();

    NimbrelRun run(currentTestName(), oneConnectedAdapter());
    run.start();
    const HWND window = run.waitForWindow();
    ASSERT_NE(window, nullptr);
    // The first pass follows the loading of the choices.
    ASSERT_TRUE(eventually([&] { return !callsNamed(run.log(), "WlanEnumInterfaces").empty(); }));

    std::array<bool, choices.size()> expected{};
    std::array<bool, choices.size()> shown{};
    for (size_t i = 0; i < choices.size(); ++i) {
        expected[i] = c.loaded.value_or(choices[i].byDefault);
        shown[i] = SendMessageW(controlOf(window, choices[i].box), BM_GETCHECK, 0, 0) == BST_CHECKED;
        EXPECT_EQ(shown[i], expected[i]) << "the box of " << ascii(choices[i].name);
    }
    if (expected[3]) {
        ASSERT_TRUE(eventually([] { return trayIconWindow() != nullptr; }));
        EXPECT_FALSE(IsWindowVisible(window)) << "a saved \"True\" starts in the tray";
    } else {
        EXPECT_TRUE(eventually([&] { return IsWindowVisible(window) != FALSE; }));
    }

    PostMessageW(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(run.waitForExit(), std::optional<DWORD>(0));
    EXPECT_EQ(registryDump(), before) << "written before any Save";
    const wlansim::Scenario state = run.serviceState();
    ASSERT_EQ(state.adapters.size(), 1u);
    EXPECT_EQ(state.adapters[0].autoconfig, 1u);
}

// "True" leads the longer texts, so that a comparison of only the start would show.
const Bytes trueText = utf16(L"True") + nul;

INSTANTIATE_TEST_SUITE_P(
    RegistryFuzz, RegistryFuzz,
    ::testing::Values(
        RegistryCase{"exactTrue", REG_SZ, trueText, Placement::everyValue, true},
        RegistryCase{"none", REG_NONE, trueText, Placement::everyValue, false},
        RegistryCase{"noneEmpty", REG_NONE, {}, Placement::everyValue, false},
        RegistryCase{"stringEmpty", REG_SZ, {}, Placement::everyValue, false},
        // A string with variables is still the text "True".
        RegistryCase{"expandString", REG_EXPAND_SZ, trueText, Placement::everyValue, true},
        RegistryCase{"binary", REG_BINARY, trueText, Placement::everyValue, false},
        RegistryCase{"dword", REG_DWORD, {1, 0, 0, 0}, Placement::everyValue, false},
        RegistryCase{"dwordBigEndian", REG_DWORD_BIG_ENDIAN, {0, 0, 0, 1}, Placement::everyValue, false},
        RegistryCase{"link", REG_LINK, utf16(L"True"), Placement::everyValue, false},
        RegistryCase{"multiString", REG_MULTI_SZ, trueText + nul, Placement::everyValue, false},
        RegistryCase{"qword", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, Placement::everyValue, false},
        RegistryCase{"unknownType", 0x4E494D42, trueText, Placement::everyValue, false},
        RegistryCase{"overLongString", REG_SZ, utf16(L"True") + utf16(std::wstring(51200, L' ')) + nul,
                     Placement::everyValue, false},
        // Half a code unit is no character: the text read is "True".
        RegistryCase{"oddByteCount", REG_SZ, utf16(L"True") + Bytes{'X'}, Placement::everyValue, true},
        RegistryCase{"garbageString", REG_SZ,
                     {0x00, 0xD8, 'T', 0, 0xFF, 0xFF, 'r', 0, 0x00, 0xDC, 0x80, 0x00, 0x00},
                     Placement::everyValue, false},
        RegistryCase{"subkeysInPlaceOfValues", REG_SZ, trueText, Placement::subkeyPerValue, std::nullopt},
        RegistryCase{"valueInPlaceOfTheKey", REG_SZ, trueText, Placement::valueInPlaceOfKey, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace nimbrel::e2e
