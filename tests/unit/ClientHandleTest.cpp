// The client handle: opened when none is held, replaced when the service drops it.
#include "support/FormFixture.h"

#include <algorithm>

namespace nimbrel::testing {
namespace {

using Trace = std::vector<std::string>;

long countOf(const Trace& trace, const std::string& call)
{
    return static_cast<long>(std::count(trace.begin(), trace.end(), call));
}

wlansim::Fault enumerationFailingOnce(DWORD result)
{
    wlansim::Fault fault;
    fault.call = wlansim::Call::enumInterfaces;
    fault.result = result;
    fault.count = 1;
    return fault;
}

class ClientHandle : public FormFixture {
protected:
    wlansim::Adapter needsWork()
    {
        wlansim::Adapter a = adapter(0);
        a.backgroundScan = 1; // "Disable background scan" is checked by default
        return a;
    }
};

TEST_F(ClientHandle, aServiceNotRunningAtStartIsOpenedOnceItRuns)
{
    useScenario({needsWork()});
    editService([](wlansim::Scenario& s) { s.service.running = false; });
    startForm();

    EXPECT_EQ(form->hClient, nullptr);
    EXPECT_EQ(form->error, static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
    EXPECT_EQ(form->trayIcon->text(), L"Nimbrel") << "a pass that ends early shows nothing";
    EXPECT_EQ(form->toolStripStatusLabel.text(), L"unknown");
    EXPECT_EQ(tracePass(), Trace{"open"}) << "tried again while the service is down";

    editService([](wlansim::Scenario& s) { s.service.running = true; });
    const Trace trace = tracePass();
    EXPECT_EQ(countOf(trace, "open"), 1);
    EXPECT_EQ(countOf(trace, "set 2@0=0"), 1);
    EXPECT_EQ(form->error, 0u);
    EXPECT_NE(form->hClient, nullptr);
}

struct EnumerationFailure {
    DWORD result;
    bool handleIsDead;
};

class EnumerationFailing : public ClientHandle,
                           public ::testing::WithParamInterface<EnumerationFailure> {};

TEST_P(EnumerationFailing, endsThePassAndTheNextPassTriesAgain)
{
    const EnumerationFailure failure = GetParam();
    useScenario({});
    startForm();
    const HANDLE firstHandle = form->hClient;
    useScenario({needsWork()}, {enumerationFailingOnce(failure.result)});

    const Trace failed = tracePass();
    EXPECT_EQ(form->error, failure.result);
    EXPECT_EQ(countOf(failed, "close"), failure.handleIsDead ? 1 : 0);
    EXPECT_EQ(stateOf(0).backgroundScan, 1u) << "nothing is written in a failed pass";

    const Trace next = tracePass();
    EXPECT_EQ(countOf(next, "open"), failure.handleIsDead ? 1 : 0);
    EXPECT_EQ(countOf(next, "set 2@0=0"), 1);
    EXPECT_EQ(form->error, 0u);
    if (!failure.handleIsDead) {
        EXPECT_EQ(form->hClient, firstHandle);
    }
}

INSTANTIATE_TEST_SUITE_P(
    ResultCodes, EnumerationFailing,
    ::testing::Values(EnumerationFailure{ERROR_INVALID_HANDLE, true},
                      EnumerationFailure{RPC_S_SERVER_UNAVAILABLE, true},
                      EnumerationFailure{ERROR_SERVICE_NOT_ACTIVE, true},
                      EnumerationFailure{ERROR_NOT_ENOUGH_MEMORY, false},
                      EnumerationFailure{ERROR_INVALID_PARAMETER, false}));

TEST_F(ClientHandle, aServiceRestartIsFollowedByANewHandle)
{
    useScenario({needsWork()});
    startForm();
    editService([](wlansim::Scenario& s) {
        ++s.service.generation;
        s.adapters[0].backgroundScan = 1; // the restarted service forgot what was written
    });

    const Trace failed = tracePass();
    EXPECT_EQ(countOf(failed, "close"), 1);
    EXPECT_EQ(form->hClient, nullptr);

    const Trace next = tracePass();
    EXPECT_EQ(countOf(next, "open"), 1);
    EXPECT_EQ(stateOf(0).backgroundScan, 0u);
}

TEST_F(ClientHandle, aServiceStoppedMidRunIsReopenedWhenItReturns)
{
    useScenario({needsWork()});
    startForm();
    editService([](wlansim::Scenario& s) { s.service.running = false; });
    tracePass();
    EXPECT_EQ(form->hClient, nullptr);
    EXPECT_EQ(tracePass(), Trace{"open"});

    editService([](wlansim::Scenario& s) {
        s.service.running = true;
        s.adapters[0].backgroundScan = 1;
    });
    tracePass();
    EXPECT_EQ(stateOf(0).backgroundScan, 0u);
}

} // namespace
} // namespace nimbrel::testing
