#pragma once

#include "app/Form1.h"
#include "support/FakePlatform.h"
#include "support/ScratchRegistry.h"
#include "support/SimulatedWlanApi.h"
#include "wlansim/Service.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace nimbrel::testing {

// A hidden Form1 over an in-process simulated service.
class FormFixture : public ::testing::Test {
protected:
    static GUID guidOf(int index)
    {
        return GUID{0x6e000000u + static_cast<unsigned long>(index), 0x1234, 0x5678,
                    {0x9a, 0xbc, 0xde, 0xf0, 0x12, 0x34, 0x56, static_cast<unsigned char>(index)}};
    }

    static wlansim::Adapter adapter(int index, DWORD state = wlan_interface_state_connected)
    {
        wlansim::Adapter adapter;
        adapter.guid = guidOf(index);
        adapter.description = L"Wireless adapter " + std::to_wstring(index);
        adapter.state = state;
        adapter.autoconfig = 1;
        adapter.backgroundScan = 0;
        adapter.streamingMode = 0;
        return adapter;
    }

    void useScenario(std::vector<wlansim::Adapter> adapters, std::vector<wlansim::Fault> faults = {})
    {
        wlansim::Scenario scenario = service.scenario();
        scenario.adapters = std::move(adapters);
        scenario.faults = std::move(faults);
        service.setScenario(scenario);
    }

    void editService(const std::function<void(wlansim::Scenario&)>& edit)
    {
        service.editScenario(edit);
    }

    // Builds the window over the service: the startup sequence runs its first pass.
    Form1& startForm()
    {
        Form1::setClassWideStartValues();
        form = std::make_unique<Form1>(PlatformSeams{&api, &shell, &inputLanguage, &messageBoxes, &security, &processMemory});
        return *form;
    }

    void setChoices(bool disableAutoConfig, bool disableBackgroundScan, bool enableStreamingMode)
    {
        form->checkBoxAutoConfig.setChecked(disableAutoConfig);
        form->checkBoxBackgroundScan.setChecked(disableBackgroundScan);
        form->checkBoxStreamingMode.setChecked(enableStreamingMode);
    }

    // One refresh pass, as the service saw it.
    std::vector<std::string> tracePass()
    {
        service.clearCalls();
        form->EnumInterfaces();
        return trace();
    }

    // The calls so far in a compact form: "open", "enum", "query 2@0" (opcode 2 on adapter 0),
    // "set 1@0=0", "free data", "free list", "close".
    std::vector<std::string> trace() const;

    // An adapter as the service holds it now, settings written by the program included.
    wlansim::Adapter stateOf(int index) const;

    void TearDown() override
    {
        form.reset();
        EXPECT_EQ(service.outstandingBuffers(), 0u) << "every buffer of the service is given back";
    }

    ScratchRegistry registry;
    wlansim::Service service = wlansim::Service::fromText("");
    SimulatedWlanApi api{service};
    FakeShell shell;
    FakeInputLanguage inputLanguage;
    FakeMessageBoxes messageBoxes;
    FakeSecurity security;
    FakeProcessMemory processMemory;
    std::unique_ptr<Form1> form;
};

} // namespace nimbrel::testing
