// The built wlanapi.dll, loaded by path and driven through its exports as the program drives it,
// with the scenario, log and state files named in the environment.

#include "SimTestSupport.h"

#include "wlansim/ScenarioText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

namespace wlansim::test {
namespace {

bool underWine()
{
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// The build names the file, with a Unix path when it cross-compiles: under Wine that is drive Z:.
// Without the name, as in a syntax check, it is where the build puts it: bin\wlansim beside bin.
std::wstring dllPath()
{
#ifdef WLANSIM_DLL_PATH
    std::wstring path;
    for (const char c : std::string_view(WLANSIM_DLL_PATH))
        path += c == '/' ? L'\\' : static_cast<wchar_t>(c);
    return path.front() == L'\\' ? L"Z:" + path : path;
#else
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), MAX_PATH));
    return path.substr(0, path.rfind(L'\\')) + L"\\wlansim\\wlanapi.dll";
#endif
}

std::set<std::string> exportedNames(HMODULE module)
{
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto& entry = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const auto* directory =
        reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
    const auto* names = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
    std::set<std::string> found;
    for (DWORD i = 0; i < directory->NumberOfNames; ++i)
        found.insert(reinterpret_cast<const char*>(base + names[i]));
    EXPECT_EQ(directory->NumberOfFunctions, directory->NumberOfNames);
    return found;
}

struct Exports {
    decltype(&WlanOpenHandle) open = nullptr;
    decltype(&WlanEnumInterfaces) enumerate = nullptr;
    decltype(&WlanQueryInterface) query = nullptr;
    decltype(&WlanSetInterface) set = nullptr;
    decltype(&WlanFreeMemory) free = nullptr;
    decltype(&WlanCloseHandle) close = nullptr;
};

template <typename Function> void resolve(HMODULE module, const char* name, Function& function)
{
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
    ASSERT_NE(function, nullptr) << name;
}

// One module and one environment for the whole process, since the DLL builds its service once.
class wlansimDll : public ::testing::Test {
  protected:
    static void SetUpTestSuite()
    {
        folder = new TempFolder(underWine() ? L"Z:\\tmp\\" : L"");
        writeScenarioFile(scenarioPath(), twoAdapters);
        SetEnvironmentVariableW(L"WLANSIM_SCENARIO", scenarioPath().c_str());
        SetEnvironmentVariableW(L"WLANSIM_LOG", logPath().c_str());
        SetEnvironmentVariableW(L"WLANSIM_STATE", statePath().c_str());
        module = LoadLibraryW(dllPath().c_str());
        ASSERT_NE(module, nullptr) << GetLastError();
        resolve(module, "WlanOpenHandle", api.open);
        resolve(module, "WlanEnumInterfaces", api.enumerate);
        resolve(module, "WlanQueryInterface", api.query);
        resolve(module, "WlanSetInterface", api.set);
        resolve(module, "WlanFreeMemory", api.free);
        resolve(module, "WlanCloseHandle", api.close);
    }

    static void TearDownTestSuite()
    {
        // The module stays: its service is never torn down, and neither are its files' handles.
        delete folder;
        folder = nullptr;
    }

    // Empties the scenario before laying it out again, so no live setting carries over from an
    // earlier test: removed adapters forget what was set on them. Freeing null is the cheapest
    // call that makes the service look at its file.
    void SetUp() override
    {
        writeScenarioFile(scenarioPath(), "");
        api.free(nullptr);
        writeScenarioFile(scenarioPath(), twoAdapters);
        api.free(nullptr);
    }

    static std::wstring scenarioPath() { return folder->file(L"scenario.ini"); }
    static std::wstring logPath() { return folder->file(L"calls.log"); }
    static std::wstring statePath() { return folder->file(L"state.ini"); }

    static HANDLE openClient()
    {
        DWORD version = 0;
        HANDLE handle = nullptr;
        EXPECT_EQ(api.open(2, nullptr, &version, &handle), ERROR_SUCCESS);
        return handle;
    }

    static Scenario stateOnFile() { return parseScenario(readFile(statePath())).scenario; }

    static inline TempFolder* folder = nullptr;
    static inline HMODULE module = nullptr;
    static inline Exports api;
};

TEST_F(wlansimDll, ExportsExactlyTheSixCalls)
{
    const std::set<std::string> expected = {"WlanCloseHandle",    "WlanEnumInterfaces",
                                            "WlanFreeMemory",     "WlanOpenHandle",
                                            "WlanQueryInterface", "WlanSetInterface"};
    EXPECT_EQ(exportedNames(module), expected);
}

TEST_F(wlansimDll, ServesTheScenarioTheEnvironmentNames)
{
    if (underWine()) {
        EXPECT_EQ(scenarioPath().substr(0, 3), L"Z:\\");
    }
    const HANDLE client = openClient();
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    ASSERT_EQ(api.enumerate(client, nullptr, &list), ERROR_SUCCESS);
    ASSERT_EQ(list->dwNumberOfItems, 2u);
    EXPECT_EQ(list->InterfaceInfo[0].InterfaceGuid, alpha);
    EXPECT_STREQ(list->InterfaceInfo[1].strInterfaceDescription, L"Beta");
    EXPECT_EQ(list->InterfaceInfo[1].isState, wlan_interface_state_disconnected);
    api.free(list);

    DWORD size = 0;
    PVOID data = nullptr;
    ASSERT_EQ(api.query(client, &alpha, wlan_intf_opcode_background_scan_enabled, nullptr, &size,
                        &data, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(*static_cast<DWORD*>(data), 1u);
    api.free(data);
    EXPECT_EQ(api.close(client, nullptr), ERROR_SUCCESS);
}

// What another process sees: the state file after each change, and a log line per call.
TEST_F(wlansimDll, ReportsChangesThroughItsFiles)
{
    const HANDLE client = openClient();
    DWORD off = 0;
    ASSERT_EQ(api.set(client, &alpha, wlan_intf_opcode_background_scan_enabled, sizeof off, &off,
                      nullptr),
              ERROR_SUCCESS);
    Scenario state = stateOnFile();
    ASSERT_EQ(state.adapters.size(), 2u);
    EXPECT_EQ(state.adapters[0].backgroundScan, 0u);
    ASSERT_TRUE(state.status);
    EXPECT_EQ(state.status->openHandles, 1u);

    writeScenarioFile(scenarioPath(), std::string(twoAdapters) +
                                          "[fault]\ncall = close\nresult = 1722\ncount = 1\n");
    EXPECT_EQ(api.close(client, nullptr), 1722u);
    EXPECT_EQ(api.close(client, nullptr), ERROR_SUCCESS);
    state = stateOnFile();
    EXPECT_EQ(state.status->openHandles, 0u);
    ASSERT_EQ(state.faults.size(), 1u);
    EXPECT_EQ(state.faults[0].count, 0u);

    const auto lines = readLines(logPath());
    const auto has = [&](std::string_view part) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
            return line.find(part) != std::string::npos;
        });
    };
    EXPECT_TRUE(has("call=WlanSetInterface"));
    EXPECT_TRUE(has("opcode=2 value=0 size=4"));
    EXPECT_TRUE(has("call=WlanCloseHandle"));
    EXPECT_TRUE(has("result=1722"));
    EXPECT_TRUE(has("event=reload result=0"));
}

TEST_F(wlansimDll, AnswersMisuseWithoutCrashing)
{
    int local = 0;
    api.free(&local);
    api.free(nullptr);
    EXPECT_EQ(api.close(nullptr, nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(api.enumerate(reinterpret_cast<HANDLE>(0x1234), nullptr, nullptr),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(api.close(reinterpret_cast<HANDLE>(0x1234), nullptr),
              static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

} // namespace
} // namespace wlansim::test
