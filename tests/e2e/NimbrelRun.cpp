#include "e2e/NimbrelRun.h"

#include "wlansim/ScenarioText.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

namespace nimbrel::e2e {

namespace {

std::wstring binFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L"\\/"));
}

std::wstring widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

std::string narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) {
        out.push_back(static_cast<char>(c));
    }
    return out;
}

// MinGW's streams take no wide names; the test paths are plain ASCII.
std::string readFile(const std::wstring& path)
{
    std::ifstream in(narrow(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::wstring& path, const std::string& text)
{
    const std::wstring temporary = path + L".new";
    {
        std::ofstream out(narrow(temporary), std::ios::binary | std::ios::trunc);
        out << text;
    }
    // Replaced in one step, so the service never reads half a file.
    MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void removeFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") {
                DeleteFileW((folder + L"\\" + name).c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

template <typename Predicate>
bool waitUntil(std::chrono::milliseconds timeout, Predicate done)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

struct WindowSearch {
    DWORD processId;
    HWND found = nullptr;
};

BOOL CALLBACK matchWindow(HWND window, LPARAM context)
{
    auto* search = reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner == search->processId && std::wstring(className) == L"Nimbrel.Form1") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::string LoggedCall::operator[](const std::string& key) const
{
    const auto at = fields.find(key);
    return at == fields.end() ? std::string() : at->second;
}

NimbrelRun::NimbrelRun(const std::string& name, const wlansim::Scenario& scenario)
{
    const std::wstring bin = binFolder();
    const std::wstring root = bin + L"\\..\\e2e";
    CreateDirectoryW(root.c_str(), nullptr);
    folder_ = root + L"\\" + widen(name);
    removeFolder(folder_);
    CreateDirectoryW(folder_.c_str(), nullptr);
    if (!CopyFileW((bin + L"\\Nimbrel.exe").c_str(), (folder_ + L"\\Nimbrel.exe").c_str(), FALSE) ||
        !CopyFileW((bin + L"\\wlansim\\wlanapi.dll").c_str(), (folder_ + L"\\wlanapi.dll").c_str(),
                   FALSE)) {
        throw std::runtime_error("the program or the simulated service is missing");
    }
    scenarioPath_ = folder_ + L"\\scenario.txt";
    logPath_ = folder_ + L"\\calls.log";
    statePath_ = folder_ + L"\\state.txt";
    changeScenario(scenario);
}

NimbrelRun::~NimbrelRun()
{
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
}

void NimbrelRun::start()
{
    SetEnvironmentVariableW(L"WLANSIM_SCENARIO", scenarioPath_.c_str());
    SetEnvironmentVariableW(L"WLANSIM_LOG", logPath_.c_str());
    SetEnvironmentVariableW(L"WLANSIM_STATE", statePath_.c_str());
    // The simulated service beside the program, never Wine's own.
    wchar_t overrides[512] = {};
    GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
    std::wstring ours = overrides;
    if (ours.find(L"wlanapi") == std::wstring::npos) {
        ours += ours.empty() ? L"wlanapi=n" : L";wlanapi=n";
    }
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", ours.c_str());

    std::wstring commandLine = L"\"" + folder_ + L"\\Nimbrel.exe\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder_.c_str(), &startup, &info)) {
        throw std::runtime_error("Nimbrel.exe could not be started");
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
}

HWND NimbrelRun::waitForWindow(std::chrono::milliseconds timeout)
{
    WindowSearch search{processId_};
    waitUntil(timeout, [&] {
        EnumWindows(&matchWindow, reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    });
    return search.found;
}

HWND NimbrelRun::waitForVisibleWindow(std::chrono::milliseconds timeout)
{
    HWND window = waitForWindow(timeout);
    if (window != nullptr && !waitUntil(timeout, [&] { return IsWindowVisible(window) != FALSE; })) {
        return nullptr;
    }
    return window;
}

std::optional<DWORD> NimbrelRun::waitForExit(std::chrono::milliseconds timeout)
{
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void NimbrelRun::changeScenario(const wlansim::Scenario& scenario)
{
    writeFile(scenarioPath_, wlansim::formatScenario(scenario));
}

std::vector<LoggedCall> NimbrelRun::log() const
{
    std::vector<LoggedCall> calls;
    std::istringstream lines(readFile(logPath_));
    std::string line;
    while (std::getline(lines, line)) {
        LoggedCall call;
        std::istringstream words(line);
        std::string word;
        while (words >> word) {
            const auto equals = word.find('=');
            if (equals != std::string::npos) {
                call.fields[word.substr(0, equals)] = word.substr(equals + 1);
            }
        }
        if (!call["call"].empty()) {
            calls.push_back(std::move(call));
        }
    }
    return calls;
}

wlansim::Scenario NimbrelRun::serviceState() const
{
    return wlansim::parseScenario(readFile(statePath_)).scenario;
}

void saveChoice(const wchar_t* name, const wchar_t* data)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Nimbrel .NET", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data),
                       static_cast<DWORD>((wcslen(data) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds timeout)
{
    return waitUntil(timeout, condition);
}

namespace {

BOOL CALLBACK findTrayIcon(HWND child, LPARAM context)
{
    wchar_t className[64] = {};
    GetClassNameW(child, className, 64);
    if (std::wstring(className) == L"__winex11_tray_icon" && IsWindowVisible(child)) {
        *reinterpret_cast<HWND*>(context) = child;
        return FALSE;
    }
    return TRUE;
}

void tapKey(WORD key)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = key;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &inputs[0], sizeof(INPUT));
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
    SendInput(1, &inputs[1], sizeof(INPUT));
    std::this_thread::sleep_for(std::chrono::milliseconds(80));
}

} // namespace

HWND trayIconWindow()
{
    HWND tray = FindWindowW(nullptr, L"Wine System Tray");
    HWND icon = nullptr;
    if (tray != nullptr) {
        EnumChildWindows(tray, &findTrayIcon, reinterpret_cast<LPARAM>(&icon));
    }
    return icon;
}

bool chooseQuitFromTrayMenu()
{
    // Wine's menus can miss a press and release that come too fast: hold it, and try again.
    for (int attempt = 0; attempt < 5; ++attempt) {
        HWND icon = trayIconWindow();
        if (icon == nullptr) {
            return false;
        }
        SetWindowPos(GetAncestor(icon, GA_ROOT), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        PostMessageW(icon, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(8, 8));
        std::this_thread::sleep_for(std::chrono::milliseconds(80));
        PostMessageW(icon, WM_RBUTTONUP, 0, MAKELPARAM(8, 8));
        if (waitUntil(std::chrono::seconds(2), [] { return FindWindowW(L"#32768", nullptr) != nullptr; })) {
            tapKey(VK_UP);
            tapKey(VK_RETURN);
            return true;
        }
    }
    return false;
}

void forgetSavedChoices()
{
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Nimbrel .NET");
    HKEY run = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0,
                      KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueW(run, L"Nimbrel");
        RegCloseKey(run);
    }
}

namespace {

struct ControlSearch {
    int id;
    HWND found = nullptr;
};

BOOL CALLBACK matchControl(HWND child, LPARAM context)
{
    auto* search = reinterpret_cast<ControlSearch*>(context);
    if (GetDlgCtrlID(child) == search->id) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND controlOf(HWND window, int id)
{
    ControlSearch search{id};
    EnumChildWindows(window, &matchControl, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<LoggedCall> callsNamed(const std::vector<LoggedCall>& log, const std::string& name)
{
    std::vector<LoggedCall> matching;
    for (const LoggedCall& call : log) {
        if (call["call"] == name) {
            matching.push_back(call);
        }
    }
    return matching;
}

} // namespace nimbrel::e2e

namespace nimbrel::e2e {

std::string currentTestName()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name) {
        if (c == '/' || c == '\\') {
            c = '.';
        }
    }
    return name;
}

std::wstring windowText(HWND window)
{
    const auto length = static_cast<size_t>(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(
        SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied);
    return text;
}

std::vector<std::wstring> comboItems(HWND comboBox)
{
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(comboBox, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(comboBox, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        if (length < 0) {
            break; // the list changed under us; the caller polls again
        }
        std::wstring item(static_cast<size_t>(length) + 1, L'\0');
        const LRESULT copied = SendMessageW(comboBox, CB_GETLBTEXT, static_cast<WPARAM>(i),
                                            reinterpret_cast<LPARAM>(item.data()));
        item.resize(copied < 0 ? 0 : static_cast<size_t>(copied));
        items.push_back(std::move(item));
    }
    return items;
}

} // namespace nimbrel::e2e
