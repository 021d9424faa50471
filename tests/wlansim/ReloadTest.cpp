#include "SimTestSupport.h"

#include <gtest/gtest.h>

namespace wlansim::test {
namespace {

std::string replaced(std::string text, std::string_view from, std::string_view to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// Alpha's lines as in twoAdapters, so edits below can target them.
constexpr std::string_view alphaScan =
    "description = Alpha\nstate = 1\nautoconfig = 1\nbackground_scan = 1";

TEST(wlansimReload, KeepsLiveSettingsTheFileLeftAlone)
{
    Service service = Service::fromText(twoAdapters);
    Client client(service);
    set(service, client.handle(), alpha, 2, 0);
    set(service, client.handle(), alpha, 3, 1);

    service.setScenario(replaced(std::string(twoAdapters), alphaScan,
                                 "description = Alpha renamed\nstate = 4\nautoconfig = 0\n"
                                 "background_scan = 1"));
    const Scenario state = service.state();
    const Adapter& now = state.adapters[0];
    EXPECT_EQ(now.description, L"Alpha renamed");
    EXPECT_EQ(now.state, 4u);
    EXPECT_EQ(now.autoconfig, 0u);     // changed in the file
    EXPECT_EQ(now.backgroundScan, 0u); // the file still says 1, as before: the client's 0 stays
    EXPECT_EQ(now.streamingMode, 1u);
    EXPECT_EQ(service.scenario().adapters[0].backgroundScan, 1u);
}

TEST(wlansimReload, TakesTheFilesValueOnceItChanges)
{
    Service service = Service::fromText(twoAdapters);
    Client client(service);
    set(service, client.handle(), alpha, 2, 0);

    const std::string two = replaced(std::string(twoAdapters), alphaScan,
                                     "description = Alpha\nstate = 1\nautoconfig = 1\n"
                                     "background_scan = 2");
    service.setScenario(two);
    EXPECT_EQ(query(service, client.handle(), alpha, 2).value, 2u);

    set(service, client.handle(), alpha, 2, 0);
    service.setScenario(two);
    EXPECT_EQ(query(service, client.handle(), alpha, 2).value, 0u);
    service.setScenario(twoAdapters);
    EXPECT_EQ(query(service, client.handle(), alpha, 2).value, 1u);
}

TEST(wlansimReload, AddsAndRemovesAdaptersByGuid)
{
    Service service = Service::fromText(twoAdapters);
    Client client(service);
    set(service, client.handle(), beta, 1, 5);
    set(service, client.handle(), alpha, 1, 7);

    service.setScenario("[adapter]\nguid = {C3C3C3C3-0000-4000-8000-000000000003}\n"
                        "description = Gamma\n" +
                        std::string(twoAdapters.substr(0, twoAdapters.find("[adapter]", 10))));
    const auto listed = enumerate(service, client.handle());
    ASSERT_EQ(listed.items.size(), 2u);
    EXPECT_EQ(listed.items[0].InterfaceGuid, stranger);
    EXPECT_EQ(listed.items[1].InterfaceGuid, alpha);
    EXPECT_EQ(query(service, client.handle(), beta, 1).result, static_cast<DWORD>(ERROR_NOT_FOUND));
    EXPECT_EQ(query(service, client.handle(), alpha, 1).value, 7u);

    // Back again, Beta is a new adapter: it takes the file, not what was set before it left.
    service.setScenario(twoAdapters);
    EXPECT_EQ(query(service, client.handle(), beta, 1).value, 0u);
    EXPECT_EQ(enumerate(service, client.handle()).items.size(), 2u);
}

TEST(wlansimReload, KeepsFaultCountsWhileTheirDefinitionStays)
{
    const std::string fault = "[fault]\ncall = enum\nresult = 5\ncount = 2\n";
    Service service = Service::fromText(std::string(twoAdapters) + fault);
    Client client(service);
    EXPECT_EQ(enumerate(service, client.handle()).result, 5u);

    service.setScenario(replaced(std::string(twoAdapters), "state = 4", "state = 1") + fault);
    EXPECT_EQ(enumerate(service, client.handle()).result, 5u);
    EXPECT_EQ(enumerate(service, client.handle()).result, ERROR_SUCCESS);

    service.setScenario(std::string(twoAdapters) + replaced(fault, "count = 2", "count = 1"));
    EXPECT_EQ(enumerate(service, client.handle()).result, 5u);
    EXPECT_EQ(enumerate(service, client.handle()).result, ERROR_SUCCESS);
}

class wlansimScenarioFile : public ::testing::Test {
  protected:
    TempFolder folder;
    std::wstring path = folder.file(L"scenario.ini");
};

TEST_F(wlansimScenarioFile, ReloadsOnTheNextCallAfterAChange)
{
    writeScenarioFile(path, twoAdapters);
    Service service = Service::fromFile(path);
    Client client(service);
    set(service, client.handle(), alpha, 2, 0);

    // Same size, new content: the write time tells.
    writeScenarioFile(path, replaced(std::string(twoAdapters), "state = 4", "state = 1"));
    const auto listed = enumerate(service, client.handle());
    ASSERT_EQ(listed.items.size(), 2u);
    EXPECT_EQ(listed.items[1].isState, wlan_interface_state_connected);
    EXPECT_EQ(query(service, client.handle(), alpha, 2).value, 0u);

    EXPECT_FALSE(service.reloadIfChanged());
    writeScenarioFile(path, "[service]\nrunning = no\n");
    EXPECT_TRUE(service.reloadIfChanged());
    EXPECT_FALSE(service.state().service.running);
}

TEST_F(wlansimScenarioFile, KeepsTheLastGoodScenarioWhenTheFileGoes)
{
    writeScenarioFile(path, twoAdapters);
    Service service = Service::fromFile(path);
    Client client(service);
    ASSERT_TRUE(DeleteFileW(path.c_str()));
    EXPECT_EQ(enumerate(service, client.handle()).items.size(), 2u);

    writeScenarioFile(path, std::string(twoAdapters) + "[adapter]\nguid = nonsense\n");
    EXPECT_EQ(enumerate(service, client.handle()).items.size(), 2u);
    EXPECT_EQ(service.diagnostics().size(), 2u);
}

TEST_F(wlansimScenarioFile, StartsEmptyUntilTheFileAppears)
{
    Service service = Service::fromFile(path);
    Client client(service);
    EXPECT_TRUE(enumerate(service, client.handle()).items.empty());
    writeScenarioFile(path, twoAdapters);
    EXPECT_EQ(enumerate(service, client.handle()).items.size(), 2u);
}

} // namespace
} // namespace wlansim::test
