#pragma once

#include "app/PlatformSeams.h"
#include "core/UniqueHandle.h"
#include "gui/Button.h"
#include "gui/CheckBox.h"
#include "gui/Component.h"
#include "gui/DropDownList.h"
#include "gui/GroupBox.h"
#include "gui/Label.h"
#include "gui/LayoutScale.h"
#include "gui/LinkLabel.h"
#include "gui/PictureBox.h"
#include "gui/StatusBar.h"
#include "gui/TabControl.h"
#include "gui/Timer.h"
#include "gui/ToolTip.h"
#include "gui/TrayIcon.h"
#include "ui/WindowImages.h"
#include "wlan/Tweak.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace nimbrel {

enum class CloseReason { userClosing, notTheUser };

struct FormClosingEventArgs {
    CloseReason closeReason;
    bool cancel = false;
};

// What an event tells beyond the fact that it happened: nothing, for the events here.
struct EventArgs {};

class Form1;
struct LayoutRow;
using EventHandler = void (Form1::*)(gui::Control* sender, const EventArgs& e);

// The main window and the one object of the program. Its state is plain fields, most of them
// class-wide, because every subsystem reads and writes the same few values.
class Form1 {
public:
    // Tri-state value of a tweak.
    static constexpr int UNKNOWN = -1;
    static constexpr int ON = 1;
    static constexpr int OFF = 0;

    // Class-wide state; setClassWideStartValues() gives the start values once per run.
    static inline std::span<const std::uint8_t> uacIconStream;
    static inline UniqueIcon blueIcon;
    static inline UniqueIcon greyIcon;
    static inline bool adminRightsAvailable = false;
    static inline UniqueFont font8;
    static inline UniqueFont font7;
    static inline int autoConfigEnabled = UNKNOWN;
    static inline int backgroundScanEnabled = UNKNOWN;
    static inline int streamingModeEnabled = UNKNOWN;
    static inline bool refresh = true;
    static inline bool oneDeviceConnected = false;
    static inline bool keepOpen = true;
    static inline bool minimize = false;

    static void setClassWideStartValues();

    // Runs the startup sequence; the window is built hidden.
    Form1();
    explicit Form1(PlatformSeams seams);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;
    ~Form1();

    // Releases the window: with `disposing`, the shutdown sequence first, then the window.
    void Dispose(bool disposing);
    [[nodiscard]] bool released() const noexcept { return released_; }

    [[nodiscard]] HWND handle() const noexcept { return window_.get(); }
    void show();
    // The entry point's loop ends when the window is released.
    void endMessageLoopOnRelease() noexcept { endsMessageLoop_ = true; }

    // Refresh pass: probes and enforces every adapter's tweaks, then shows the first adapter.
    void EnumInterfaces();
    int queryAutoConfig(HANDLE hClient, GUID guid, DWORD outsize, int* pb);
    int queryBackgroundScan(HANDLE hClient, GUID guid, DWORD outsize, int* pb);
    int queryStreamingMode(HANDLE hClient, GUID guid, DWORD outsize, int* pb);
    void setAutoConfigTo(int newState, HANDLE hClient, GUID guid);
    void setBackgroundScanTo(int newState, HANDLE hClient, GUID guid);
    void setStreamingModeTo(int newState, HANDLE hClient, GUID guid);
    void queryAll(HANDLE hClient, GUID guid, DWORD outsize, int* pb);
    static std::wstring_view InterfaceState(WLAN_INTERFACE_STATE state);

    void loadSettings();
    // Writes the choices and the autostart entry; false, after telling the user, when the
    // settings key cannot be opened or written.
    bool saveSettings();

    bool IsUserAdmin();
    void MinimizeMemoryUsage();

    // Handlers of the window's events.
    void checkBox_Changed(gui::Control* sender, const EventArgs& e);
    void buttonApply_Click(gui::Control* sender, const EventArgs& e);
    void linkLabelHomepage_Click(gui::Control* sender, const EventArgs& e);
    void linkLabelEmail_Click(gui::Control* sender, const EventArgs& e);
    void buttonDonate_Click(gui::Control* sender, const EventArgs& e);
    void timerEnumInterfaces_Tick(gui::Timer* sender, const EventArgs& e1);
    void timerWaitForConnection_Tick(gui::Timer* sender, const EventArgs& e1);
    void trayIcon_MouseDoubleClick(gui::TrayIcon* sender, const EventArgs& e);
    void toolStripMenuShow_Click(gui::Control* sender, const EventArgs& e);
    void toolStripMenuQuit_Click(gui::Control* sender, const EventArgs& e);

    // The close-request hook: a close by the user only hides the window, until Quit.
    void OnFormClosing(FormClosingEventArgs& e);
    [[nodiscard]] bool visible() const;

    // The control with a stable id (ControlIds.h), or none.
    gui::Control* controlWithId(int id);

    // Per-window state.
    HANDLE hClient = nullptr;
    DWORD error = 0;
    std::unique_ptr<gui::ComponentContainer> components;
    WindowImages resources;
    gui::Timer* timerEnumInterfaces = nullptr;
    gui::Timer* timerWaitForConn = nullptr;
    gui::TrayIcon* trayIcon = nullptr;
    gui::ToolTip* toolTip = nullptr;
    UniqueMenu trayMenu;

    gui::TabControl tabControl;
    gui::TabPage* tabPageStatus = nullptr;
    gui::TabPage* tabPageSettings = nullptr;
    gui::TabPage* tabPageAbout = nullptr;

    gui::GroupBox groupBoxDeviceList;
    gui::DropDownList comboBoxDeviceList;
    gui::GroupBox groupBoxActiveTweaks;
    gui::PictureBox pictureBoxAutoConfig;
    gui::Label labelAutoConf;
    gui::PictureBox pictureBoxBackgroundScan;
    gui::Label labelBackgroundScan;
    gui::PictureBox pictureBoxStreamingMode;
    gui::Label labelStreamingMode;
    gui::PictureBox pictureBoxUAC2;
    gui::StatusBar statusStrip;
    gui::StatusBarItem toolStripStatusLabel;

    gui::GroupBox groupBoxStartupSettings;
    gui::CheckBox checkBoxAutorun;
    gui::CheckBox checkBoxMinimize;
    gui::GroupBox groupBoxTweaks;
    gui::CheckBox checkBoxAutoConfig;
    gui::CheckBox checkBoxBackgroundScan;
    gui::CheckBox checkBoxStreamingMode;
    gui::PictureBox pictureBoxUAC;
    gui::Button buttonApply;

    gui::GroupBox groupBoxVersionInfo;
    gui::LinkLabel labelVersion;
    gui::LinkLabel labelFeedback;
    gui::Label labelCopyright;
    gui::PictureBox pictureBox1;
    gui::Button buttonDonate;
    gui::PictureBox pictureBoxPayPal;

private:
    void runStartupSequence();
    void InitializeComponent();
    void createWindow();
    void closeRequested(CloseReason reason);
    void toggleWindow();
    void restartRefreshTimerAroundTrim();
    void onTrayEvent(UINT event, POINT anchor);
    void showTrayMenu(POINT anchor);
    void onMenuCommand(int id);
    void endMessageLoop();
    void keepTrayIconPresent();
    void shutdownSequence();
    void takeOffTaskBar();

    // Steps whose behaviour comes with later work; each says what it will do.
    void startRefreshScheduling();
    void lockAutoConfigWithoutRights();
    void writeAutostartEntry();

    int probe(Tweak tweak, HANDLE client, GUID guid, DWORD outsize, int* pb);
    void setTweak(Tweak tweak, int newState, HANDLE client, GUID guid);
    void enforce(Tweak tweak, HANDLE client, GUID guid);
    [[nodiscard]] bool choiceChecked(Tweak tweak) const;
    static int& storedValue(Tweak tweak);
    void showStatusRow(Tweak tweak, bool queryFailed);
    void showStatusOf(const WLAN_INTERFACE_INFO_LIST* list);
    [[nodiscard]] gui::Label& statusRowLabel(Tweak tweak);
    void closeDeadClientHandle();

    void fontsForDpi(UINT dpi);
    void createControl(const LayoutRow& row);
    void layOut();
    void applyFonts();
    void onDpiChanged(UINT dpi, const RECT& suggested);
    [[nodiscard]] RECT boundsOf(const LayoutRow& row) const;
    void showIndicator(gui::PictureBox& indicator, std::wstring_view key);
    [[nodiscard]] gui::PictureBox& statusRowIndicator(Tweak tweak);
    void moveShieldMarker();

    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    WlanApi& wlan_;
    Shell& shell_;
    InputLanguage& inputLanguage_;
    MessageBoxes& messageBoxes_;
    Security& security_;
    ProcessMemory& processMemory_;
    gui::LayoutScale scale_;
    UniqueWindow window_;
    bool closeByUser_ = false;
    bool everShown_ = false;
    // Broadcast when Explorer (re)starts, and on DPI changes: the tray icon must be put back.
    UINT taskbarCreatedMessage_ = 0;
    // Sent by a second start of the program, which then ends.
    UINT showRunningInstanceMessage_ = 0;
    bool shutdownDone_ = false;
    bool released_ = false;
    bool endsMessageLoop_ = false;
};

} // namespace nimbrel
