#include "SimTestSupport.h"

#include "wlansim/Layout.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace wlansim::test {
namespace {

class wlansimCalls : public ::testing::Test {
  protected:
    Service service = Service::fromText(twoAdapters);
};

TEST_F(wlansimCalls, OpensNegotiatesAndCloses)
{
    DWORD version = 0;
    HANDLE first = nullptr;
    HANDLE second = nullptr;
    EXPECT_EQ(service.openHandle(1, nullptr, &version, &first), ERROR_SUCCESS);
    EXPECT_EQ(version, 1u);
    EXPECT_EQ(service.openHandle(7, nullptr, &version, &second), ERROR_SUCCESS);
    EXPECT_EQ(version, 2u);
    EXPECT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(service.openHandles(), 2u);

    EXPECT_EQ(service.closeHandle(first, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(service.closeHandle(first, nullptr), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(enumerate(service, first).result, static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(service.openHandles(), 1u);

    // A handle of another service is no handle here.
    Service other = Service::fromText(twoAdapters);
    EXPECT_EQ(other.closeHandle(second, nullptr), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(service.closeHandle(second, nullptr), ERROR_SUCCESS);
}

// Each misuse answers ERROR_INVALID_PARAMETER and touches nothing.
TEST_F(wlansimCalls, RefusesMissingOrReservedArguments)
{
    Client client(service);
    const HANDLE h = client.handle();
    int reserved = 0;
    DWORD version = 0;
    HANDLE opened = nullptr;
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    DWORD size = 0;
    PVOID data = nullptr;
    DWORD value = 1;
    const auto opcode = wlan_intf_opcode_background_scan_enabled;
    const DWORD results[] = {
        service.openHandle(2, &reserved, &version, &opened),
        service.openHandle(2, nullptr, nullptr, &opened),
        service.openHandle(2, nullptr, &version, nullptr),
        service.openHandle(0, nullptr, &version, &opened),
        service.enumInterfaces(h, &reserved, &list),
        service.enumInterfaces(h, nullptr, nullptr),
        service.enumInterfaces(nullptr, nullptr, &list),
        service.queryInterface(h, nullptr, opcode, nullptr, &size, &data, nullptr),
        service.queryInterface(h, &alpha, opcode, &reserved, &size, &data, nullptr),
        service.queryInterface(h, &alpha, opcode, nullptr, nullptr, &data, nullptr),
        service.queryInterface(h, &alpha, opcode, nullptr, &size, nullptr, nullptr),
        service.setInterface(h, nullptr, opcode, sizeof value, &value, nullptr),
        service.setInterface(h, &alpha, opcode, sizeof value, nullptr, nullptr),
        service.setInterface(h, &alpha, opcode, 3, &value, nullptr),
        service.setInterface(h, &alpha, opcode, 8, &value, nullptr),
        service.setInterface(h, &alpha, opcode, sizeof value, &value, &reserved),
        service.closeHandle(nullptr, nullptr),
        service.closeHandle(h, &reserved),
    };
    for (std::size_t i = 0; i < std::size(results); ++i)
        EXPECT_EQ(results[i], static_cast<DWORD>(ERROR_INVALID_PARAMETER)) << "call " << i;
    EXPECT_EQ(opened, nullptr);
    EXPECT_EQ(list, nullptr);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(service.outstandingBuffers(), 0u);
    EXPECT_EQ(service.openHandles(), 1u);
    EXPECT_EQ(service.state().adapters[0].backgroundScan, 1u);
}

TEST_F(wlansimCalls, QueriesAndSetsRawValues)
{
    Client client(service);
    const auto first = query(service, client.handle(), alpha, 1);
    EXPECT_EQ(first.result, ERROR_SUCCESS);
    EXPECT_EQ(first.value, 1u);
    EXPECT_EQ(first.type, wlan_opcode_value_type_set_by_user);

    for (const DWORD opcode : {1u, 2u, 3u}) {
        for (const DWORD value : {0u, 2u, 256u, 0xFFFFFFFFu}) {
            EXPECT_EQ(set(service, client.handle(), beta, opcode, value), ERROR_SUCCESS);
            EXPECT_EQ(query(service, client.handle(), beta, opcode).value, value);
        }
    }
    // Without the hardware rules the adapter's state does not matter, and Alpha is untouched.
    EXPECT_EQ(query(service, client.handle(), alpha, 2).value, 1u);

    const auto state = query(service, client.handle(), beta, wlan_intf_opcode_interface_state);
    EXPECT_EQ(state.value, 4u);
    EXPECT_EQ(state.type, wlan_opcode_value_type_query_only);
    EXPECT_EQ(service.outstandingBuffers(), 0u);
}

TEST_F(wlansimCalls, AnswersUnknownAdaptersAndOpcodes)
{
    Client client(service);
    const HANDLE h = client.handle();
    EXPECT_EQ(query(service, h, stranger, 2).result, static_cast<DWORD>(ERROR_NOT_FOUND));
    EXPECT_EQ(set(service, h, stranger, 2, 0), static_cast<DWORD>(ERROR_NOT_FOUND));
    EXPECT_EQ(query(service, h, alpha, wlan_intf_opcode_radio_state).result,
              static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(set(service, h, alpha, wlan_intf_opcode_interface_state, 4),
              static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(set(service, h, alpha, 0x30000000, 1), static_cast<DWORD>(ERROR_NOT_SUPPORTED));
    EXPECT_EQ(service.outstandingBuffers(), 0u);
}

TEST_F(wlansimCalls, RecordsEveryCall)
{
    Client client(service);
    const HANDLE h = client.handle();
    PVOID data = nullptr;
    DWORD size = 0;
    service.queryInterface(h, &alpha, wlan_intf_opcode_background_scan_enabled, nullptr, &size,
                           &data, nullptr);
    set(service, h, stranger, 3, 256);
    service.freeMemory(data);
    client.close();

    const auto calls = service.calls();
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].call, Call::openHandle);
    EXPECT_EQ(calls[0].handle, h);
    EXPECT_EQ(calls[0].value, 2u);

    EXPECT_EQ(calls[1].call, Call::queryInterface);
    EXPECT_EQ(calls[1].handle, h);
    EXPECT_EQ(calls[1].adapter, alpha);
    EXPECT_EQ(calls[1].opcode, 2u);
    EXPECT_EQ(calls[1].value, 1u);
    EXPECT_EQ(calls[1].dataSize, 4u);
    EXPECT_EQ(calls[1].buffer, data);
    EXPECT_EQ(calls[1].result, ERROR_SUCCESS);

    // A refused set still shows what it tried to write.
    EXPECT_EQ(calls[2].call, Call::setInterface);
    EXPECT_EQ(calls[2].adapter, stranger);
    EXPECT_EQ(calls[2].value, 256u);
    EXPECT_EQ(calls[2].result, static_cast<DWORD>(ERROR_NOT_FOUND));

    EXPECT_EQ(calls[3].call, Call::freeMemory);
    EXPECT_EQ(calls[3].handle, h);
    EXPECT_EQ(calls[3].freed, Freed::data);

    EXPECT_EQ(calls[4].call, Call::closeHandle);
    EXPECT_EQ(calls[4].result, ERROR_SUCCESS);

    service.clearCalls();
    EXPECT_TRUE(service.calls().empty());
}

TEST_F(wlansimCalls, FreesSoundlyWhateverItIsGiven)
{
    Client client(service);
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    ASSERT_EQ(service.enumInterfaces(client.handle(), nullptr, &list), ERROR_SUCCESS);
    PVOID data = nullptr;
    DWORD size = 0;
    ASSERT_EQ(service.queryInterface(client.handle(), &alpha, wlan_intf_opcode_autoconf_enabled,
                                     nullptr, &size, &data, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(service.outstandingBuffers(), 2u);

    int local = 0;
    service.freeMemory(list);
    EXPECT_EQ(service.outstandingBuffers(), 1u);
    service.freeMemory(list);
    service.freeMemory(&local);
    service.freeMemory(static_cast<char*>(data) + 1);
    service.freeMemory(nullptr);
    EXPECT_EQ(service.outstandingBuffers(), 1u);
    service.freeMemory(data);
    EXPECT_EQ(service.outstandingBuffers(), 0u);
    EXPECT_EQ(local, 0);

    const auto calls = service.calls();
    ASSERT_GE(calls.size(), 6u);
    const struct {
        Freed freed;
        DWORD result;
    } expected[] = {{Freed::list, ERROR_SUCCESS},
                    {Freed::twice, ERROR_INVALID_PARAMETER},
                    {Freed::unknown, ERROR_INVALID_PARAMETER},
                    {Freed::unknown, ERROR_INVALID_PARAMETER},
                    {Freed::null, ERROR_SUCCESS},
                    {Freed::data, ERROR_SUCCESS}};
    const auto firstFree = calls.size() - std::size(expected);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(calls[firstFree + i].freed, expected[i].freed) << "free " << i;
        EXPECT_EQ(calls[firstFree + i].result, expected[i].result) << "free " << i;
    }
    // A freed buffer is not left readable for a late reader.
    EXPECT_TRUE(unreadable(data));
}

// Buffers outlive the handle they came through, and only a free gives them back.
TEST_F(wlansimCalls, CountsBuffersUntilFreed)
{
    PVOID data = nullptr;
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    {
        Client client(service);
        DWORD size = 0;
        service.enumInterfaces(client.handle(), nullptr, &list);
        service.queryInterface(client.handle(), &beta, wlan_intf_opcode_media_streaming_mode,
                               nullptr, &size, &data, nullptr);
        for (int i = 0; i < 3; ++i)
            query(service, client.handle(), alpha, 2);
    }
    EXPECT_EQ(service.outstandingBuffers(), 2u);
    EXPECT_EQ(list->dwNumberOfItems, 2u);
    service.freeMemory(data);
    service.freeMemory(list);
    EXPECT_EQ(service.outstandingBuffers(), 0u);
}

TEST_F(wlansimCalls, ListsAdaptersInPublishedLayout)
{
    const std::wstring longer = std::wstring(255, L'y') + L"\u00DFzz";
    const std::wstring almost(255, L'w');
    service.setScenario(
        "[adapter]\nguid = {A1A1A1A1-0000-4000-8000-000000000001}\n"
        "description = Wi-Fi \xC3\x9F\xE2\x82\xAC\xF0\x9F\x93\xB6\nstate = 2\n"
        "[adapter]\nguid = {B2B2B2B2-0000-4000-8000-000000000002}\nstate = 0xFFFFFFFF\n"
        "description = " +
        std::string(255, 'w') +
        "\n"
        "[adapter]\nguid = {C3C3C3C3-0000-4000-8000-000000000003}\nstate = 8\n"
        "description = " +
        std::string(255, 'y') + "\xC3\x9Fzz\n");
    Client client(service);
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    ASSERT_EQ(service.enumInterfaces(client.handle(), nullptr, &list), ERROR_SUCCESS);
    const auto* bytes = reinterpret_cast<const unsigned char*>(list);

    DWORD count = 0;
    DWORD index = 1;
    std::memcpy(&count, bytes, 4);
    std::memcpy(&index, bytes + 4, 4);
    EXPECT_EQ(count, 3u);
    EXPECT_EQ(index, 0u);

    const auto item = [&](std::size_t i) { return bytes + interfaceListSize(i); };
    const auto stateOf = [&](std::size_t i) {
        DWORD state = 0;
        std::memcpy(&state, item(i) + 528, 4);
        return state;
    };
    const auto descriptionOf = [&](std::size_t i) {
        std::wstring units(256, L'\0');
        std::memcpy(units.data(), item(i) + 16, 512);
        return units;
    };
    const GUID guids[] = {alpha, beta, stranger};
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(std::memcmp(item(i), &guids[i], 16), 0) << "item " << i;
    EXPECT_EQ(stateOf(0), 2u);
    EXPECT_EQ(stateOf(1), 0xFFFFFFFFu);
    EXPECT_EQ(stateOf(2), 8u);

    // UTF-8 in the file, UTF-16 in the record, the rest of the field zero.
    const std::wstring first = L"Wi-Fi \u00DF\u20AC\U0001F4F6";
    EXPECT_EQ(descriptionOf(0), first + std::wstring(256 - first.size(), L'\0'));
    EXPECT_EQ(descriptionOf(1), almost + L'\0');
    // 258 units given: all 256 of the field are filled and no terminator is left.
    EXPECT_EQ(descriptionOf(2), longer.substr(0, 256));
    EXPECT_EQ(descriptionOf(2).find(L'\0'), std::wstring::npos);
    EXPECT_EQ(list->InterfaceInfo[2].strInterfaceDescription[255], L'\u00DF');

    // The list ends exactly at an inaccessible page: a read past the last record faults.
    EXPECT_FALSE(unreadable(bytes + interfaceListSize(3) - 1));
    EXPECT_TRUE(unreadable(bytes + interfaceListSize(3)));
    service.freeMemory(list);
}

TEST_F(wlansimCalls, ListsNoAdaptersAsAnEmptyList)
{
    service.setScenario("");
    Client client(service);
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    ASSERT_EQ(service.enumInterfaces(client.handle(), nullptr, &list), ERROR_SUCCESS);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->dwNumberOfItems, 0u);
    EXPECT_TRUE(unreadable(reinterpret_cast<const char*>(list) + 8));
    service.freeMemory(list);
}

// A client may poll from a worker thread while a test reads and edits the service.
TEST_F(wlansimCalls, ServesSeveralThreadsAtOnce)
{
    constexpr int rounds = 2000;
    const auto poll = [this] {
        for (int i = 0; i < rounds; ++i) {
            Client client(service);
            query(service, client.handle(), alpha, 2);
        }
    };
    std::vector<std::thread> clients;
    for (int i = 0; i < 3; ++i)
        clients.emplace_back(poll);
    for (int i = 0; i < rounds; ++i) {
        service.editScenario([i](Scenario& s) { s.adapters[1].state = i % 2 ? 1 : 4; });
        service.state();
    }
    for (auto& client : clients)
        client.join();

    EXPECT_EQ(service.calls().size(), 3u * rounds * 4);
    EXPECT_EQ(service.openHandles(), 0u);
    EXPECT_EQ(service.outstandingBuffers(), 0u);
}

} // namespace
} // namespace wlansim::test
