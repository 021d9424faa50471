#pragma once

#include "core/UniqueHandle.h"
#include "wlansim/Scenario.h"

#include <windows.h>

#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace nimbrel::e2e {

// One line of the simulated service's call log, as key=value fields ("call", "opcode", ...).
struct LoggedCall {
    std::map<std::string, std::string> fields;
    [[nodiscard]] std::string operator[](const std::string& key) const;
};

// The real Nimbrel.exe in a scratch folder of its own, beside the simulated wlanapi.dll.
class NimbrelRun {
public:
    NimbrelRun(const std::string& name, const wlansim::Scenario& scenario);
    NimbrelRun(const NimbrelRun&) = delete;
    NimbrelRun& operator=(const NimbrelRun&) = delete;
    ~NimbrelRun();

    void start();
    // The main window of the process, once it exists (shown or not).
    HWND waitForWindow(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    HWND waitForVisibleWindow(std::chrono::milliseconds timeout = std::chrono::seconds(20));
    // The exit code, or none if the process still runs when the time is up.
    std::optional<DWORD> waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(20));

    // Rewrites the scenario file; the service picks it up at its next call.
    void changeScenario(const wlansim::Scenario& scenario);
    [[nodiscard]] std::vector<LoggedCall> log() const;
    [[nodiscard]] wlansim::Scenario serviceState() const;
    [[nodiscard]] DWORD processId() const noexcept { return processId_; }

private:
    std::wstring folder_;
    std::wstring scenarioPath_;
    std::wstring logPath_;
    std::wstring statePath_;
    UniqueHandle process_;
    DWORD processId_ = 0;
};

// A first start for the user: no saved choices, no autostart entry.
void forgetSavedChoices();

// Writes one saved choice ("True"/"False") as the program would.
void saveChoice(const wchar_t* name, const wchar_t* data);

// The program's icon in Wine's system tray, or none.
HWND trayIconWindow();

// A right click on the tray icon, then the menu's last item ("Quit") chosen with the keyboard.
bool chooseQuitFromTrayMenu();

// Waits until the condition holds; false when the time ran out.
bool eventually(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(15));

// A control of the program's window by its id, wherever it sits in the window.
HWND controlOf(HWND window, int id);

// Calls of the log matching one "call=" name.
std::vector<LoggedCall> callsNamed(const std::vector<LoggedCall>& log, const std::string& name);

} // namespace nimbrel::e2e

namespace nimbrel::e2e {

// The current test's full name, usable as a folder name (parameterized names hold '/').
std::string currentTestName();

// A window's text, read the way another process would (WM_GETTEXT).
std::wstring windowText(HWND window);

// The items of a combo box, in their order.
std::vector<std::wstring> comboItems(HWND comboBox);

} // namespace nimbrel::e2e
