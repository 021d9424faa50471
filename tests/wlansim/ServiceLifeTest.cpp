#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace wlansim::test {
namespace {

class wlansimServiceLife : public ::testing::Test {
  protected:
    void setService(std::string_view lines) { service.setScenario(withServiceSection(lines)); }

    // Every call that takes a handle, with its answer.
    std::vector<DWORD> useHandle(HANDLE handle)
    {
        return {enumerate(service, handle).result, query(service, handle, alpha, 2).result,
                set(service, handle, alpha, 2, 0)};
    }

    Service service = Service::fromText(withServiceSection("generation = 1"));
};

TEST_F(wlansimServiceLife, StoppedServiceRefusesNewAndOldClients)
{
    HANDLE before = nullptr;
    DWORD version = 0;
    ASSERT_EQ(service.openHandle(2, nullptr, &version, &before), ERROR_SUCCESS);

    setService("running = no\ngeneration = 1");
    HANDLE opened = nullptr;
    EXPECT_EQ(service.openHandle(2, nullptr, &version, &opened),
              static_cast<DWORD>(ERROR_SERVICE_NOT_ACTIVE));
    EXPECT_EQ(opened, nullptr);
    const DWORD rpc = RPC_S_SERVER_UNAVAILABLE;
    EXPECT_EQ(useHandle(before), std::vector<DWORD>(3, rpc));

    // Started again, the service has forgotten every client it had.
    setService("running = yes\ngeneration = 1");
    const DWORD invalid = ERROR_INVALID_HANDLE;
    EXPECT_EQ(useHandle(before), std::vector<DWORD>(3, invalid));
    Client after(service);
    EXPECT_EQ(useHandle(after.handle()), std::vector<DWORD>(3, ERROR_SUCCESS));
    EXPECT_EQ(service.closeHandle(before, nullptr), invalid);
}

TEST_F(wlansimServiceLife, RestartInvalidatesEveryOpenHandle)
{
    Client first(service);
    Client second(service);
    setService("generation = 2");

    const DWORD invalid = ERROR_INVALID_HANDLE;
    EXPECT_EQ(useHandle(first.handle()), std::vector<DWORD>(3, invalid));
    EXPECT_EQ(useHandle(second.handle()), std::vector<DWORD>(3, invalid));

    // The client still closes its stale handle: it is told so, and the service lets go of it.
    EXPECT_EQ(service.openHandles(), 2u);
    EXPECT_EQ(first.close(), invalid);
    EXPECT_EQ(service.openHandles(), 1u);

    Client fresh(service);
    EXPECT_EQ(useHandle(fresh.handle()), std::vector<DWORD>(3, ERROR_SUCCESS));
    // Live settings survive the restart, as the driver keeps them.
    EXPECT_EQ(query(service, fresh.handle(), alpha, 2).value, 0u);
}

TEST_F(wlansimServiceLife, ClosingWhileStoppedReleasesTheHandle)
{
    Client client(service);
    setService("running = no\ngeneration = 1");
    EXPECT_EQ(client.close(), static_cast<DWORD>(RPC_S_SERVER_UNAVAILABLE));
    EXPECT_EQ(service.openHandles(), 0u);
}

} // namespace
} // namespace wlansim::test
