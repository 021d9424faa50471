#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace wlansim::test {
namespace {

constexpr DWORD autoconfig = wlan_intf_opcode_autoconf_enabled;
constexpr DWORD scan = wlan_intf_opcode_background_scan_enabled;
constexpr DWORD streaming = wlan_intf_opcode_media_streaming_mode;

class wlansimHardwareRules : public ::testing::Test {
  protected:
    DWORD valueOf(DWORD opcode, const GUID& adapter = alpha)
    {
        Client reader(service);
        return query(service, reader.handle(), adapter, opcode).value.value_or(0xBAD);
    }

    void setAlphaState(DWORD state)
    {
        service.editScenario([state](Scenario& s) { findAdapter(s, alpha)->state = state; });
    }

    Service service =
        Service::fromText(withServiceSection("rules = hardware\ncaller_admin = no\n"));
};

TEST_F(wlansimHardwareRules, AutoconfigNeedsAnAdministrator)
{
    {
        Client client(service);
        EXPECT_EQ(set(service, client.handle(), alpha, autoconfig, 0),
                  static_cast<DWORD>(ERROR_ACCESS_DENIED));
        EXPECT_EQ(valueOf(autoconfig), 1u);

        service.editScenario([](Scenario& s) { s.service.callerAdmin = true; });
        EXPECT_EQ(set(service, client.handle(), alpha, autoconfig, 0), ERROR_SUCCESS);
    }
    // A machine-wide setting: it outlives the client and holds while disconnected.
    setAlphaState(wlan_interface_state_disconnected);
    EXPECT_EQ(valueOf(autoconfig), 0u);
}

TEST_F(wlansimHardwareRules, ScanAndStreamingNeedAConnection)
{
    Client client(service);
    for (const DWORD opcode : {scan, streaming}) {
        EXPECT_EQ(set(service, client.handle(), beta, opcode, 1),
                  static_cast<DWORD>(ERROR_INVALID_STATE));
        EXPECT_EQ(valueOf(opcode, beta), 0u);
        EXPECT_EQ(set(service, client.handle(), alpha, opcode, 1), ERROR_SUCCESS);
    }
}

// The latest setting of a client still holding its handle is in effect.
TEST_F(wlansimHardwareRules, ClientSettingsLastWhileTheirHandleIsOpen)
{
    auto first = std::make_unique<Client>(service);
    auto second = std::make_unique<Client>(service);
    EXPECT_EQ(set(service, first->handle(), alpha, scan, 0), ERROR_SUCCESS);
    EXPECT_EQ(valueOf(scan), 0u);
    EXPECT_EQ(set(service, second->handle(), alpha, scan, 5), ERROR_SUCCESS);
    EXPECT_EQ(valueOf(scan), 5u);
    EXPECT_EQ(set(service, first->handle(), alpha, streaming, 1), ERROR_SUCCESS);

    second.reset();
    EXPECT_EQ(valueOf(scan), 0u);
    EXPECT_EQ(valueOf(streaming), 1u);
    first.reset();
    EXPECT_EQ(valueOf(scan), 1u);
    EXPECT_EQ(valueOf(streaming), 0u);
}

TEST_F(wlansimHardwareRules, DisconnectingRestoresTheDefaults)
{
    Client client(service);
    set(service, client.handle(), alpha, scan, 0);
    set(service, client.handle(), alpha, streaming, 1);
    EXPECT_EQ(service.state().adapters[0].backgroundScan, 0u);

    setAlphaState(wlan_interface_state_disconnected);
    EXPECT_EQ(valueOf(scan), 1u);
    EXPECT_EQ(valueOf(streaming), 0u);
    // Connected again, nothing comes back by itself: the client has to set it anew.
    setAlphaState(wlan_interface_state_connected);
    EXPECT_EQ(valueOf(scan), 1u);
    EXPECT_EQ(valueOf(streaming), 0u);
}

TEST_F(wlansimHardwareRules, NewDefaultsAndRestartsOverrideClients)
{
    Client client(service);
    set(service, client.handle(), alpha, scan, 0);
    set(service, client.handle(), alpha, streaming, 1);

    service.editScenario([](Scenario& s) { s.adapters[0].backgroundScan = 2; });
    EXPECT_EQ(valueOf(scan), 2u);
    EXPECT_EQ(valueOf(streaming), 1u);

    service.editScenario([](Scenario& s) { s.service.generation = 9; });
    EXPECT_EQ(valueOf(streaming), 0u);
}

} // namespace
} // namespace wlansim::test
