// Builds the window, its controls and its components from one table.
#include "ui/LayoutRow.h"

#include "app/ControlIds.h"
#include "ui/BuildSettings.h"

#include <algorithm>
#include <iterator>
#include <vector>

namespace nimbrel {

namespace {

using K = ControlKind;
constexpr std::wstring_view adminTip = L"Admin rights necessary to modify the autoconfig flag";

// clang-format off
const LayoutRow layoutTable[] = {
    {ids::tabControl, K::tabControl, 0, {-5, -3}, {214, 190}, L"", 0},
    {ids::tabPageStatus, K::tabPage, ids::tabControl, {}, {}, L"Status", 0,
     {}, {}, 0, 0, false, false, gui::PageBackground::window},
    {ids::tabPageSettings, K::tabPage, ids::tabControl, {}, {}, L"Settings", 1},
    {ids::tabPageAbout, K::tabPage, ids::tabControl, {}, {}, L"About", 2},

    {ids::groupBoxDeviceList, K::groupBox, ids::tabPageStatus, {3, 2}, {194, 56}, L"Device List", 4},
    {ids::comboBoxDeviceList, K::dropDownList, ids::groupBoxDeviceList, {3, 21}, {188, 20}, L"", 4,
     {}, {}, 0, 0, true},
    {ids::groupBoxActiveTweaks, K::groupBox, ids::tabPageStatus, {3, 58}, {194, 81}, L"Active Tweaks", 5,
     {}, L"Selected device's active tweaks"},
    {ids::pictureBoxAutoConfig, K::pictureBox, ids::groupBoxActiveTweaks, {3, 15}, {16, 16}, L"", 3,
     L"grey.Image"},
    {ids::labelAutoConf, K::label, ids::groupBoxActiveTweaks, {20, 16}, {}, L"Autoconfig", 0},
    {ids::pictureBoxBackgroundScan, K::pictureBox, ids::groupBoxActiveTweaks, {3, 37}, {16, 16}, L"", 4,
     L"grey.Image"},
    {ids::labelBackgroundScan, K::label, ids::groupBoxActiveTweaks, {20, 38}, {}, L"Background scan", 1},
    {ids::pictureBoxStreamingMode, K::pictureBox, ids::groupBoxActiveTweaks, {3, 59}, {16, 16}, L"", 5,
     L"grey.Image"},
    {ids::labelStreamingMode, K::label, ids::groupBoxActiveTweaks, {20, 60}, {}, L"Streaming mode", 2},
    {ids::pictureBoxUAC2, K::pictureBox, ids::groupBoxActiveTweaks, {120, 14}, {16, 16}, L"", 3,
     L"pictureBoxUAC.Image", adminTip},
    {ids::statusStrip, K::statusBar, ids::tabPageStatus, {0, 142}, {166, 16}, L"", 6},

    {ids::groupBoxStartupSettings, K::groupBox, ids::tabPageSettings, {3, 2}, {194, 56}, L"Startup Settings", 3},
    {ids::checkBoxAutorun, K::checkBox, ids::groupBoxStartupSettings, {4, 15}, {}, L"Start with Windows", 1,
     {}, L"Run application when Windows session starts", 0, 0, false, false, {}, &Form1::checkBox_Changed},
    {ids::checkBoxMinimize, K::checkBox, ids::groupBoxStartupSettings, {4, 35}, {}, L"Start minimized to tray", 1,
     {}, L"Start application minimized to tray", 0, 0, false, false, {}, &Form1::checkBox_Changed},
    {ids::groupBoxTweaks, K::groupBox, ids::tabPageSettings, {3, 58}, {194, 73}, L"Tweaks", 4},
    {ids::checkBoxAutoConfig, K::checkBox, ids::groupBoxTweaks, {4, 15}, {}, L"Disable autoconfig", 1,
     {}, L"Disable autoconfig (not recommended)", 0, 0, false, false, {}, &Form1::checkBox_Changed},
    {ids::checkBoxBackgroundScan, K::checkBox, ids::groupBoxTweaks, {4, 35}, {}, L"Disable background scan", 1,
     {}, L"Disable background scan", 0, 0, false, false, {}, &Form1::checkBox_Changed},
    {ids::checkBoxStreamingMode, K::checkBox, ids::groupBoxTweaks, {4, 55}, {}, L"Enable streaming mode", 1,
     {}, L"Enable streaming mode", 0, 0, false, false, {}, &Form1::checkBox_Changed},
    {ids::pictureBoxUAC, K::pictureBox, ids::groupBoxTweaks, {130, 14}, {16, 16}, L"", 3,
     L"pictureBoxUAC.Image", adminTip},
    {ids::buttonApply, K::button, ids::tabPageSettings, {120, 134}, {75, 23}, L"Save", 5,
     {}, L"Save settings", 0, 0, false, false, {}, &Form1::buttonApply_Click},

    {ids::groupBoxVersionInfo, K::groupBox, ids::tabPageAbout, {3, 2}, {194, 129}, L"Version Info", 5},
    {ids::labelVersion, K::linkLabel, ids::groupBoxVersionInfo, {5, 16}, {}, L"Nimbrel\nv0.21 Alpha", 0,
     {}, build::homepage, 0, 7, false, false, {}, &Form1::linkLabelHomepage_Click},
    {ids::labelFeedback, K::linkLabel, ids::groupBoxVersionInfo, {5, 56}, {}, L"Feedback / \nBug Report", 0,
     {}, build::feedbackMail, 0, 25, false, false, {}, &Form1::linkLabelEmail_Click},
    {ids::labelCopyright, K::label, ids::groupBoxVersionInfo, {5, 96}, {},
     L"\u00A9 2026 The Nimbrel\ndevelopers", 0},
    {ids::pictureBox1, K::pictureBox, ids::groupBoxVersionInfo, {116, 29}, {80, 80}, L"", 13,
     L"pictureBox1.Image"},
    {ids::buttonDonate, K::button, ids::tabPageAbout, {120, 134}, {75, 23}, L"Donate", 9,
     {}, L"Feel free to donate if Nimbrel helped you", 0, 0, false, true, {}, &Form1::buttonDonate_Click},
    {ids::pictureBoxPayPal, K::pictureBox, ids::tabPageAbout, {36, 136}, {80, 24}, L"", 10,
     L"pictureBoxPayPal.Image"},
};
// clang-format on

// Padding of the rows whose table gives no size: room for the box and gap of a check box.
constexpr int checkBoxPadding = 20;

const LayoutRow* rowWithId(int id)
{
    const auto found = std::find_if(std::begin(layoutTable), std::end(layoutTable),
                                    [id](const LayoutRow& row) { return row.id == id; });
    return found == std::end(layoutTable) ? nullptr : &*found;
}

// Rows in focus order: each parent's children by tab index, table order among equals, a
// group's controls right after the group.
void appendInFocusOrder(int parent, std::vector<const LayoutRow*>& ordered)
{
    std::vector<const LayoutRow*> children;
    for (const LayoutRow& row : layoutTable) {
        if (row.parent == parent) {
            children.push_back(&row);
        }
    }
    std::stable_sort(children.begin(), children.end(),
                     [](const LayoutRow* a, const LayoutRow* b) { return a->tabIndex < b->tabIndex; });
    for (const LayoutRow* child : children) {
        ordered.push_back(child);
        appendInFocusOrder(child->id, ordered);
    }
}

const std::vector<const LayoutRow*>& rowsInFocusOrder()
{
    static const std::vector<const LayoutRow*> ordered = [] {
        std::vector<const LayoutRow*> rows;
        appendInFocusOrder(0, rows);
        return rows;
    }();
    return ordered;
}

} // namespace

gui::Control* Form1::controlWithId(int id)
{
    switch (id) {
    case ids::tabControl: return &tabControl;
    case ids::tabPageStatus: return tabPageStatus;
    case ids::tabPageSettings: return tabPageSettings;
    case ids::tabPageAbout: return tabPageAbout;
    case ids::groupBoxDeviceList: return &groupBoxDeviceList;
    case ids::comboBoxDeviceList: return &comboBoxDeviceList;
    case ids::groupBoxActiveTweaks: return &groupBoxActiveTweaks;
    case ids::pictureBoxAutoConfig: return &pictureBoxAutoConfig;
    case ids::labelAutoConf: return &labelAutoConf;
    case ids::pictureBoxBackgroundScan: return &pictureBoxBackgroundScan;
    case ids::labelBackgroundScan: return &labelBackgroundScan;
    case ids::pictureBoxStreamingMode: return &pictureBoxStreamingMode;
    case ids::labelStreamingMode: return &labelStreamingMode;
    case ids::pictureBoxUAC2: return &pictureBoxUAC2;
    case ids::statusStrip: return &statusStrip;
    case ids::groupBoxStartupSettings: return &groupBoxStartupSettings;
    case ids::checkBoxAutorun: return &checkBoxAutorun;
    case ids::checkBoxMinimize: return &checkBoxMinimize;
    case ids::groupBoxTweaks: return &groupBoxTweaks;
    case ids::checkBoxAutoConfig: return &checkBoxAutoConfig;
    case ids::checkBoxBackgroundScan: return &checkBoxBackgroundScan;
    case ids::checkBoxStreamingMode: return &checkBoxStreamingMode;
    case ids::pictureBoxUAC: return &pictureBoxUAC;
    case ids::buttonApply: return &buttonApply;
    case ids::groupBoxVersionInfo: return &groupBoxVersionInfo;
    case ids::labelVersion: return &labelVersion;
    case ids::labelFeedback: return &labelFeedback;
    case ids::labelCopyright: return &labelCopyright;
    case ids::pictureBox1: return &pictureBox1;
    case ids::buttonDonate: return &buttonDonate;
    case ids::pictureBoxPayPal: return &pictureBoxPayPal;
    default: return nullptr;
    }
}

RECT Form1::boundsOf(const LayoutRow& row) const
{
    // Group boxes frame their controls without being their parents: add up the groups' places.
    POINT origin = row.position;
    for (const LayoutRow* up = rowWithId(row.parent); up != nullptr && up->kind == K::groupBox;
         up = rowWithId(up->parent)) {
        origin.x += up->position.x;
        origin.y += up->position.y;
    }
    return scale_.rect(origin.x, origin.y, row.size.cx, row.size.cy);
}

void Form1::createControl(const LayoutRow& row)
{
    // The window that really holds the control: its page, or the window itself.
    const LayoutRow* holder = rowWithId(row.parent);
    while (holder != nullptr && holder->kind == K::groupBox) {
        holder = rowWithId(holder->parent);
    }
    const HWND parent = holder == nullptr ? handle() : controlWithId(holder->id)->handle();
    const RECT bounds = boundsOf(row);
    const POINT origin{bounds.left, bounds.top};
    const EventHandler handler = row.handler;

    switch (row.kind) {
    case K::tabControl:
        tabControl.create(parent, row.id, bounds);
        break;
    case K::tabPage: {
        gui::TabPage& page = tabControl.addPage(row.id, row.text, row.pageBackground);
        (row.id == ids::tabPageStatus     ? tabPageStatus
         : row.id == ids::tabPageSettings ? tabPageSettings
                                          : tabPageAbout) = &page;
        break;
    }
    case K::groupBox:
        static_cast<gui::GroupBox*>(controlWithId(row.id))->create(parent, row.id, row.text, bounds);
        break;
    case K::dropDownList:
        comboBoxDeviceList.create(parent, row.id, bounds);
        break;
    case K::pictureBox: {
        auto* box = static_cast<gui::PictureBox*>(controlWithId(row.id));
        box->create(parent, row.id, bounds);
        box->setImage(resources.image(row.imageKey));
        break;
    }
    case K::label:
        static_cast<gui::Label*>(controlWithId(row.id))->create(parent, row.id, row.text, origin);
        break;
    case K::linkLabel: {
        auto* link = static_cast<gui::LinkLabel*>(controlWithId(row.id));
        link->create(parent, row.id, row.text, origin, row.linkStart, row.linkLength);
        link->linkClicked = [this, link, handler] { (this->*handler)(link, EventArgs{}); };
        break;
    }
    case K::statusBar:
        statusStrip.create(parent, row.id, bounds);
        toolStripStatusLabel.attach(statusStrip);
        toolStripStatusLabel.setText(L"unknown");
        break;
    case K::checkBox: {
        auto* box = static_cast<gui::CheckBox*>(controlWithId(row.id));
        box->create(parent, row.id, row.text, bounds);
        box->changed = [this, box, handler] { (this->*handler)(box, EventArgs{}); };
        break;
    }
    case K::button: {
        auto* button = static_cast<gui::Button*>(controlWithId(row.id));
        button->create(parent, row.id, row.text, bounds);
        button->click = [this, button, handler] { (this->*handler)(button, EventArgs{}); };
        if (row.handCursor) {
            button->useHandCursor();
        }
        break;
    }
    }
}

void Form1::applyFonts()
{
    for (const LayoutRow& row : layoutTable) {
        gui::Control* control = controlWithId(row.id);
        if (control == nullptr || control->handle() == nullptr) {
            continue;
        }
        HFONT font = row.smallFont ? font7.get() : font8.get();
        switch (row.kind) {
        case K::label:
            static_cast<gui::Label*>(control)->setFont(font);
            break;
        case K::linkLabel:
            static_cast<gui::LinkLabel*>(control)->setFont(font);
            break;
        default:
            control->setFont(font);
            break;
        }
    }
}

void Form1::layOut()
{
    scale_ = gui::LayoutScale::ofFont(font8.get());
    for (const LayoutRow& row : layoutTable) {
        gui::Control* control = controlWithId(row.id);
        if (control == nullptr || control->handle() == nullptr || row.kind == K::tabPage) {
            continue;
        }
        RECT bounds = boundsOf(row);
        if (row.size.cx == 0) {
            if (row.kind == K::checkBox) {
                // A check box sizes itself to its text, plus its box.
                HDC dc = GetDC(control->handle());
                HGDIOBJ previous = SelectObject(dc, font8.get());
                const std::wstring text = control->text();
                SIZE extent{};
                GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
                SelectObject(dc, previous);
                ReleaseDC(control->handle(), dc);
                bounds.right = bounds.left + extent.cx + scale_.x(checkBoxPadding);
                bounds.bottom = bounds.top + scale_.y(17);
            } else {
                control->moveTo(bounds.left, bounds.top); // labels size themselves
                continue;
            }
        }
        if (row.kind == K::dropDownList) {
            bounds.bottom = bounds.top + scale_.y(200); // the open list's height
        }
        SetWindowPos(control->handle(), nullptr, bounds.left, bounds.top, bounds.right - bounds.left,
                     bounds.bottom - bounds.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    tabControl.layOutPages();

    // The client area, 198×180 layout units, under a fixed tool-window frame.
    RECT frame{0, 0, scale_.x(198), scale_.y(180)};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_EXSTYLE));
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, GetDpiForWindow(handle()));
    SetWindowPos(handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form1::InitializeComponent()
{
    components = std::make_unique<gui::ComponentContainer>();
    createWindow();
    fontsForDpi(GetDpiForWindow(handle()));
    scale_ = gui::LayoutScale::ofFont(font8.get());

    for (const LayoutRow* row : rowsInFocusOrder()) {
        createControl(*row);
    }
    applyFonts();
    statusStrip.setFont(font8.get());
    layOut();
    tabControl.select(0);

    trayMenu.reset(CreatePopupMenu());
    AppendMenuW(trayMenu.get(), MF_STRING, ids::menuItemShow, L"Show / Hide");
    AppendMenuW(trayMenu.get(), MF_STRING, ids::menuItemQuit, L"Quit");
    trayIcon = &components->add<gui::TrayIcon>(handle(), ids::trayIconId, ids::trayCallbackMessage,
                                               greyIcon.get(), L"Nimbrel");
    timerEnumInterfaces = &components->add<gui::Timer>(handle(), ids::timerEnumInterfacesId, 2000u);
    timerWaitForConn = &components->add<gui::Timer>(handle(), ids::timerWaitForConnId, 2000u);

    toolTip = &components->add<gui::ToolTip>(handle());
    toolTip->setReshowDelay(500);
    for (const LayoutRow& row : layoutTable) {
        if (row.tooltip.empty()) {
            continue;
        }
        gui::Control* control = controlWithId(row.id);
        if (row.kind == K::groupBox) {
            // A group box lets the pointer through to its page: the tip covers its area.
            toolTip->addArea(GetParent(control->handle()), control->bounds(), row.tooltip);
        } else {
            toolTip->add(control->handle(), row.tooltip);
        }
    }
}

} // namespace nimbrel
