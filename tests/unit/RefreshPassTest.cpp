// The refresh pass: what it asks the service, what it writes back, and what it leaves alone.
#include "support/FormFixture.h"

#include <algorithm>
#include <optional>

namespace nimbrel::testing {
namespace {

using Trace = std::vector<std::string>;

// What one pass wrote to one tweak of adapter 0, if anything.
std::optional<int> writtenTo(const Trace& trace, DWORD opcode)
{
    const std::string prefix = "set " + std::to_string(opcode) + "@0=";
    std::optional<int> written;
    for (const std::string& line : trace) {
        if (line.rfind(prefix, 0) == 0) {
            EXPECT_FALSE(written) << "a tweak is written at most once per adapter and pass";
            written = std::stoi(line.substr(prefix.size()));
        }
    }
    return written;
}

constexpr DWORD unreadable = 0xFFFFFFFF; // stands for a failing query

struct EnforcementCase {
    Tweak tweak;
    bool checked;
    DWORD stored;
    std::optional<int> expectedWrite;
};

std::ostream& operator<<(std::ostream& out, const EnforcementCase& c)
{
    return out << "opcode " << traitsOf(c.tweak).opcode << (c.checked ? " checked" : " unchecked")
               << " stored " << c.stored;
}

class EnforcementRule : public FormFixture,
                        public ::testing::WithParamInterface<EnforcementCase> {};

TEST_P(EnforcementRule, writesOnlyWhatDiffersFromTheChoice)
{
    const EnforcementCase& c = GetParam();
    const DWORD opcode = traitsOf(c.tweak).opcode;
    wlansim::Adapter first = adapter(0);
    std::vector<wlansim::Fault> faults;
    if (c.stored == unreadable) {
        wlansim::Fault fault;
        fault.call = wlansim::Call::queryInterface;
        fault.opcode = opcode;
        fault.result = ERROR_NOT_SUPPORTED;
        faults.push_back(fault);
    } else {
        *wlansim::settingFor(first, opcode) = c.stored;
    }
    // The adapter appears after the startup pass, so the pass below is the first to see it.
    startForm();
    form->checkBoxAutoConfig.setChecked(c.tweak == Tweak::autoConfig && c.checked);
    form->checkBoxBackgroundScan.setChecked(c.tweak == Tweak::backgroundScan && c.checked);
    form->checkBoxStreamingMode.setChecked(c.tweak == Tweak::streamingMode && c.checked);
    useScenario({first}, faults);

    const Trace pass = tracePass();

    EXPECT_EQ(writtenTo(pass, opcode), c.expectedWrite);
    if (c.expectedWrite) {
        // The written tweak is probed once more, right after the write.
        const std::string set = "set " + std::to_string(opcode) + "@0=" + std::to_string(*c.expectedWrite);
        const auto at = std::find(pass.begin(), pass.end(), set);
        ASSERT_NE(at, pass.end());
        ASSERT_NE(at + 1, pass.end());
        EXPECT_EQ(*(at + 1), "query " + std::to_string(opcode) + "@0");
    }
}

// Target off: written unless it reads 0. Target on: written only when it reads 0.
// 256 keeps only its low byte (0); 2 is neither off nor on; unreadable counts as not 0.
std::vector<EnforcementCase> enforcementCases()
{
    std::vector<EnforcementCase> cases;
    for (Tweak tweak : allTweaks) {
        for (bool checked : {true, false}) {
            const bool targetOn = checked == traitsOf(tweak).checkedMeansOn;
            for (DWORD stored : std::initializer_list<DWORD>{0, 1, 2, 256, unreadable}) {
                const bool readsZero = stored == 0 || stored == 256;
                std::optional<int> write;
                if (targetOn && readsZero) {
                    write = 1;
                } else if (!targetOn && !readsZero) {
                    write = 0;
                }
                cases.push_back({tweak, checked, stored, write});
            }
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllTweaks, EnforcementRule, ::testing::ValuesIn(enforcementCases()));

class RefreshPass : public FormFixture {};

TEST_F(RefreshPass, oneAdapterNeedingAllThreeWritesSeesTheCallsInOrder)
{
    wlansim::Adapter only = adapter(0);
    only.autoconfig = 1;
    only.backgroundScan = 1;
    only.streamingMode = 0;
    startForm();
    setChoices(true, true, true);
    useScenario({only});

    const Trace expected = {
        "enum",
        "query 1@0", "free data", "query 2@0", "free data", "query 3@0", "free data",
        "set 1@0=0", "query 1@0", "free data",
        "set 2@0=0", "query 2@0", "free data",
        "set 3@0=1", "query 3@0", "free data",
        // The status step probes the shown adapter once more, then gives the list back.
        "query 1@0", "free data", "query 2@0", "free data", "query 3@0", "free data",
        "free list",
    };
    EXPECT_EQ(tracePass(), expected);
    EXPECT_EQ(stateOf(0).autoconfig, 0u);
    EXPECT_EQ(stateOf(0).backgroundScan, 0u);
    EXPECT_EQ(stateOf(0).streamingMode, 1u);
    EXPECT_EQ(form->error, 0u);
}

TEST_F(RefreshPass, withNoAdapterNothingIsProbedAndTheDisplaySaysSo)
{
    useScenario({});
    startForm();

    const Trace expected = {"enum", "free list"};
    EXPECT_EQ(tracePass(), expected);
    EXPECT_EQ(form->comboBoxDeviceList.count(), 0);
    EXPECT_FALSE(Form1::oneDeviceConnected);
    EXPECT_EQ(form->trayIcon->icon(), Form1::greyIcon.get());
    EXPECT_EQ(form->trayIcon->text(), L"unknown");
    EXPECT_EQ(form->labelAutoConf.text(), L"Autoconfig [ n/a ]");
}

TEST_F(RefreshPass, adaptersSharingADescriptionAreListedOnceAndBothEnforced)
{
    wlansim::Adapter first = adapter(0);
    wlansim::Adapter second = adapter(1);
    second.description = first.description;
    first.backgroundScan = second.backgroundScan = 1;
    useScenario({first, second});
    startForm(); // "Disable background scan" is checked by default

    EXPECT_EQ(form->comboBoxDeviceList.items(), std::vector<std::wstring>{first.description});
    EXPECT_EQ(stateOf(0).backgroundScan, 0u);
    EXPECT_EQ(stateOf(1).backgroundScan, 0u);
}

TEST_F(RefreshPass, onlyTheConnectedStateCounts)
{
    const DWORD adHoc = wlan_interface_state_ad_hoc_network_formed;
    useScenario({adapter(0, adHoc), adapter(1, wlan_interface_state_disconnected)});
    startForm();
    EXPECT_FALSE(Form1::oneDeviceConnected);
    EXPECT_EQ(form->trayIcon->icon(), Form1::greyIcon.get());

    editService([](wlansim::Scenario& s) { s.adapters[1].state = wlan_interface_state_connected; });
    form->EnumInterfaces();
    EXPECT_TRUE(Form1::oneDeviceConnected);
    EXPECT_EQ(form->trayIcon->icon(), Form1::blueIcon.get());
    EXPECT_EQ(form->toolStripStatusLabel.text(), L"Adhoc network formed") << "the first adapter is shown";
}

TEST_F(RefreshPass, theClientHandleIsOpenedOnceWhileItWorks)
{
    useScenario({adapter(0)});
    startForm();
    const HANDLE first = form->hClient;
    ASSERT_NE(first, nullptr);
    for (int pass = 0; pass < 3; ++pass) {
        const Trace trace = tracePass();
        EXPECT_EQ(std::count(trace.begin(), trace.end(), "open"), 0);
    }
    EXPECT_EQ(form->hClient, first);
    EXPECT_FALSE(Form1::refresh);
}

TEST_F(RefreshPass, aQueryThatSucceedsWithoutUsableDataReadsAsUnreadable)
{
    for (wlansim::FaultKind kind : {wlansim::FaultKind::nullBuffer, wlansim::FaultKind::shortData}) {
        for (DWORD size : {0u, 3u}) {
            SCOPED_TRACE(::testing::Message() << "kind " << static_cast<int>(kind) << " size " << size);
            wlansim::Fault fault;
            fault.call = wlansim::Call::queryInterface;
            fault.kind = kind;
            fault.opcode = wlan_intf_opcode_background_scan_enabled;
            fault.size = size;
            useScenario({}, {});
            startForm();
            setChoices(false, true, false);
            useScenario({adapter(0)}, {fault});

            const Trace pass = tracePass();

            EXPECT_EQ(Form1::backgroundScanEnabled, Form1::UNKNOWN);
            EXPECT_EQ(form->labelBackgroundScan.text(), L"Background scan [ n/a ]");
            EXPECT_EQ(writtenTo(pass, 2), 0) << "unreadable counts as not off";
            EXPECT_EQ(service.outstandingBuffers(), 0u) << "a short buffer is still given back";
            form.reset();
        }
    }
}

TEST_F(RefreshPass, aDescriptionFillingAllItsCodeUnitsIsReadUpToTheirEnd)
{
    wlansim::Adapter longName = adapter(0);
    longName.description = std::wstring(300, L'x');
    useScenario({longName});
    startForm();
    ASSERT_EQ(form->comboBoxDeviceList.count(), 1);
    EXPECT_EQ(form->comboBoxDeviceList.items()[0], std::wstring(256, L'x'));
}

TEST_F(RefreshPass, statusRowsAndTrayDescribeTheFirstAdapter)
{
    wlansim::Adapter first = adapter(0, wlan_interface_state_disconnected);
    first.autoconfig = 1;
    wlansim::Adapter second = adapter(1, wlan_interface_state_connected);
    second.autoconfig = 0;
    useScenario({first, second});
    startForm();

    EXPECT_EQ(form->labelAutoConf.text(), L"Autoconfig [ on ]");
    EXPECT_EQ(form->toolStripStatusLabel.text(), L"Disconnected");
    EXPECT_EQ(form->trayIcon->text(), L"Disconnected");
    EXPECT_EQ(form->trayIcon->icon(), Form1::blueIcon.get());
    EXPECT_EQ(form->comboBoxDeviceList.selectedIndex(), 0);
}

} // namespace
} // namespace nimbrel::testing
