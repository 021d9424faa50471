#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>

namespace wlansim::test {
namespace {

class wlansimFaults : public ::testing::Test {
  protected:
    void useFaults(std::string_view faults)
    {
        const auto skipped = service.setScenario(std::string(twoAdapters) + std::string(faults));
        ASSERT_TRUE(skipped.empty()) << skipped[0].reason;
    }

    Service service = Service::fromText(twoAdapters);
};

// Each call answers the chosen code, and what it would have done is left undone.
TEST_F(wlansimFaults, FailEachCallWithTheChosenCode)
{
    Client client(service);
    const HANDLE h = client.handle();
    PVOID data = nullptr;
    DWORD size = 0;
    ASSERT_EQ(service.queryInterface(h, &alpha, wlan_intf_opcode_autoconf_enabled, nullptr, &size,
                                     &data, nullptr),
              ERROR_SUCCESS);

    useFaults("[fault]\ncall = open\nresult = 1062\n"
              "[fault]\ncall = enum\nresult = 8\n"
              "[fault]\ncall = query\nresult = 5\n"
              "[fault]\ncall = set\nresult = 31\n"
              "[fault]\ncall = free\nresult = 87\n"
              "[fault]\ncall = close\nresult = 1722\n");

    DWORD version = 0;
    HANDLE opened = nullptr;
    EXPECT_EQ(service.openHandle(2, nullptr, &version, &opened), 1062u);
    EXPECT_EQ(opened, nullptr);

    auto* untouched = reinterpret_cast<PWLAN_INTERFACE_INFO_LIST>(&version);
    PWLAN_INTERFACE_INFO_LIST list = untouched;
    EXPECT_EQ(service.enumInterfaces(h, nullptr, &list), 8u);
    EXPECT_EQ(list, untouched);

    EXPECT_EQ(query(service, h, alpha, 2).result, 5u);
    EXPECT_EQ(set(service, h, alpha, 2, 0), 31u);

    service.freeMemory(data);
    EXPECT_EQ(service.calls().back().result, 87u);
    EXPECT_EQ(service.outstandingBuffers(), 1u);

    EXPECT_EQ(service.closeHandle(h, nullptr), 1722u);
    EXPECT_EQ(service.openHandles(), 1u);

    useFaults("");
    EXPECT_EQ(query(service, h, alpha, 2).value, 1u);
    service.freeMemory(data);
    EXPECT_EQ(service.outstandingBuffers(), 0u);
}

TEST_F(wlansimFaults, NarrowToOneAdapterAndOpcode)
{
    useFaults(
        "[fault]\ncall = query\nresult = 5\nadapter = {A1A1A1A1-0000-4000-8000-000000000001}\n"
        "opcode = 2\n"
        "[fault]\ncall = set\nresult = 31\nadapter = {B2B2B2B2-0000-4000-8000-000000000002}\n");
    Client client(service);
    const HANDLE h = client.handle();
    EXPECT_EQ(query(service, h, alpha, 2).result, 5u);
    EXPECT_EQ(query(service, h, alpha, 3).result, ERROR_SUCCESS);
    EXPECT_EQ(query(service, h, beta, 2).result, ERROR_SUCCESS);
    EXPECT_EQ(set(service, h, beta, 1, 1), 31u);
    EXPECT_EQ(set(service, h, beta, 3, 1), 31u);
    EXPECT_EQ(set(service, h, alpha, 3, 1), ERROR_SUCCESS);
}

// The first matching fault with firings left wins; a counted one steps aside once spent.
TEST_F(wlansimFaults, FireOnlyTheirCount)
{
    useFaults("[fault]\ncall = enum\nresult = 1722\ncount = 2\n"
              "[fault]\ncall = enum\nresult = 6\ncount = 1\n");
    Client client(service);
    EXPECT_EQ(enumerate(service, client.handle()).result, 1722u);
    EXPECT_EQ(enumerate(service, client.handle()).result, 1722u);
    EXPECT_EQ(enumerate(service, client.handle()).result, 6u);
    EXPECT_EQ(enumerate(service, client.handle()).items.size(), 2u);

    const auto faults = service.state().faults;
    ASSERT_EQ(faults.size(), 2u);
    EXPECT_EQ(faults[0].count, 0u);
    EXPECT_EQ(faults[1].count, 0u);
}

// A call that fails on its own merits does not spend a fault's count.
TEST_F(wlansimFaults, FireOnlyOnCallsThatWouldSucceed)
{
    useFaults("[fault]\ncall = query\nresult = 5\ncount = 1\n");
    Client client(service);
    DWORD size = 0;
    EXPECT_EQ(query(service, client.handle(), stranger, 2).result,
              static_cast<DWORD>(ERROR_NOT_FOUND));
    EXPECT_EQ(query(service, client.handle(), alpha, 4).result,
              static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(service.queryInterface(client.handle(), &alpha, wlan_intf_opcode_autoconf_enabled,
                                     nullptr, &size, nullptr, nullptr),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(query(service, client.handle(), alpha, 2).result, 5u);
    EXPECT_EQ(query(service, client.handle(), alpha, 2).result, ERROR_SUCCESS);
}

TEST_F(wlansimFaults, SucceedWithANullBuffer)
{
    useFaults("[fault]\ncall = query\nkind = null_buffer\n");
    Client client(service);
    const auto answer = query(service, client.handle(), alpha, 2);
    EXPECT_EQ(answer.result, ERROR_SUCCESS);
    EXPECT_TRUE(answer.nullBuffer);
    EXPECT_EQ(answer.size, 4u);
    EXPECT_EQ(service.outstandingBuffers(), 0u);
}

// A short answer is a buffer of exactly that many bytes: the next one cannot be read.
TEST_F(wlansimFaults, SucceedWithShortData)
{
    for (DWORD length = 0; length <= 3; ++length) {
        SCOPED_TRACE(length);
        useFaults("[fault]\ncall = query\nkind = short_data\nsize = " + std::to_string(length) +
                  "\n");
        service.editScenario([](Scenario& s) { s.adapters[0].streamingMode = 0x44332211; });
        Client client(service);
        PVOID data = nullptr;
        DWORD size = 99;
        ASSERT_EQ(service.queryInterface(client.handle(), &alpha,
                                         wlan_intf_opcode_media_streaming_mode, nullptr, &size,
                                         &data, nullptr),
                  ERROR_SUCCESS);
        EXPECT_EQ(size, length);
        ASSERT_NE(data, nullptr);
        const unsigned char expected[] = {0x11, 0x22, 0x33};
        EXPECT_EQ(std::memcmp(data, expected, length), 0);
        EXPECT_TRUE(unreadable(static_cast<const char*>(data) + length));
        EXPECT_EQ(service.outstandingBuffers(), 1u);
        service.freeMemory(data);
        EXPECT_EQ(service.outstandingBuffers(), 0u);
    }
}

TEST_F(wlansimFaults, SucceedWithANullList)
{
    useFaults("[fault]\ncall = enum\nkind = null_list\n");
    Client client(service);
    const auto listed = enumerate(service, client.handle());
    EXPECT_EQ(listed.result, ERROR_SUCCESS);
    EXPECT_TRUE(listed.nullList);
    EXPECT_EQ(service.outstandingBuffers(), 0u);
}

TEST_F(wlansimFaults, AcceptAndIgnoreASet)
{
    useFaults("[fault]\ncall = set\nresult = 0\nopcode = 2\n");
    Client client(service);
    EXPECT_EQ(set(service, client.handle(), alpha, 2, 0), ERROR_SUCCESS);
    EXPECT_EQ(query(service, client.handle(), alpha, 2).value, 1u);
    EXPECT_EQ(set(service, client.handle(), alpha, 3, 1), ERROR_SUCCESS);
    EXPECT_EQ(query(service, client.handle(), alpha, 3).value, 1u);
}

// Faults set through the typed scenario are checked as the parser checks them.
TEST_F(wlansimFaults, SkipFaultsThatCannotBeSimulated)
{
    service.editScenario([](Scenario& s) {
        Fault wrong;
        wrong.call = Call::openHandle;
        wrong.kind = FaultKind::nullBuffer;
        s.faults.push_back(wrong);
    });
    EXPECT_TRUE(service.state().faults.empty());
    ASSERT_EQ(service.diagnostics().size(), 1u);
    Client client(service);
    EXPECT_NE(client.handle(), nullptr);
}

} // namespace
} // namespace wlansim::test
