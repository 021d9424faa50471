#include "InProcess.h"

#include "BareCalls.h"
#include "CountingWlanApi.h"
#include "Memory.h"
#include "PassTimes.h"
#include "Report.h"

#include "app/Form1.h"
#include "support/GuiObjectCount.h"
#include "support/ScratchRegistry.h"
#include "wlansim/Service.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <string>

namespace nimbrel::bench {

namespace {

// As the program's entry point has it: the thread is a COM apartment and the common controls
// are registered before the window is built.
class ProgramLikeThread {
public:
    ProgramLikeThread() noexcept
        : apartment_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
    {
        INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                            ICC_BAR_CLASSES | ICC_LINK_CLASS};
        InitCommonControlsEx(&controls);
    }
    ProgramLikeThread(const ProgramLikeThread&) = delete;
    ProgramLikeThread& operator=(const ProgramLikeThread&) = delete;
    ~ProgramLikeThread()
    {
        if (apartment_) {
            CoUninitialize();
        }
    }

private:
    bool apartment_;
};

GUID guidOf(int index)
{
    return GUID{0x6e000000u + static_cast<unsigned long>(index), 0x1234, 0x5678,
                {0x9a, 0xbc, 0xde, 0xf0, 0x12, 0x34, 0x56, static_cast<unsigned char>(index)}};
}

// Connected adapters already set as the default choices ask (autoconfig on, background scan
// off, streaming mode off), so that no pass writes and a pass makes only the bare calls' calls.
wlansim::Scenario connectedAdapters(int count)
{
    wlansim::Scenario scenario;
    for (int i = 0; i < count; ++i) {
        wlansim::Adapter adapter;
        adapter.guid = guidOf(i);
        adapter.description = L"Wireless adapter " + std::to_wstring(i);
        adapter.state = wlan_interface_state_connected;
        adapter.autoconfig = 1;
        adapter.backgroundScan = 0;
        adapter.streamingMode = 0;
        scenario.adapters.push_back(adapter);
    }
    return scenario;
}

void timeBoth(const char* form, const char* bare, Form1& window, BareCalls& calls, int passes)
{
    // One untimed pass each first: a new adapter count resizes the drop-down list and the
    // service's buffers once.
    window.EnumInterfaces();
    calls.pass();
    reportTimes(form, timePasses(passes, [&] { window.EnumInterfaces(); }));
    reportTimes(bare, timePasses(passes, [&] { calls.pass(); }));
}

void reportCounts(const char* prefix, const testing::ObjectCounts& counts)
{
    const std::string key(prefix);
    report((key + "_gdi").c_str(), counts.gdi);
    report((key + "_user").c_str(), counts.user);
    report((key + "_kernel").c_str(), counts.kernel);
    std::printf("%s_detail %s\n", prefix, testing::describe(counts).c_str());
}

} // namespace

int runInProcess(const InProcessCounts& counts)
{
    const HANDLE self = GetCurrentProcess();
    ProgramLikeThread thread;
    // The default choices, whatever this Wine prefix holds, and nothing left behind in it.
    testing::ScratchRegistry registry;
    reportMemory("bench_begin", self);

    // No call log in memory: it would grow with every pass and be part of every figure.
    wlansim::Options options;
    options.keepCallRecords = false;
    wlansim::Service service = wlansim::Service::fromText("", options);
    service.setScenario(connectedAdapters(1));
    CountingWlanApi wlan(service);

    PlatformSeams seams;
    seams.wlan = &wlan;
    Form1::setClassWideStartValues();
    Form1 form(seams);
    reportMemory("bench_constructed", self);

    BareCalls bare(wlan);
    if (!bare.ready()) {
        report("error", "the simulated service gave no client handle");
        return 1;
    }
    wlan.forgetWrites();

    report("adapters_1", 1L);
    timeBoth("pass_1", "bare_1", form, bare, counts.timedPasses);
    reportMemory("bench_passed", self);

    service.setScenario(connectedAdapters(8));
    report("adapters_8", 8L);
    timeBoth("pass_8", "bare_8", form, bare, counts.timedPasses);

    // Counted after a pass, so that whatever a first pass creates once is in both counts.
    form.EnumInterfaces();
    const testing::ObjectCounts before = testing::countProcessObjects();
    for (int i = 0; i < counts.objectPasses; ++i) {
        form.EnumInterfaces();
    }
    const testing::ObjectCounts after = testing::countProcessObjects();
    report("object_passes", static_cast<long>(counts.objectPasses));
    report("object_adapters", 8L);
    reportCounts("objects_before", before);
    reportCounts("objects_after", after);

    report("writes", static_cast<long>(wlan.writes()));
    report("outstanding_buffers", service.outstandingBuffers());
    return 0;
}

} // namespace nimbrel::bench
