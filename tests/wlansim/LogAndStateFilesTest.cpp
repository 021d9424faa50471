#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>
#include <sstream>

namespace wlansim::test {
namespace {

struct LogLine {
    std::string time;
    std::map<std::string, std::string> fields;
};

// `<time> key=value ...`; the last field of an event may hold spaces.
LogLine parseLogLine(const std::string& line)
{
    LogLine parsed;
    std::istringstream words(line);
    words >> parsed.time;
    std::string last;
    for (std::string word; words >> word;) {
        const auto equals = word.find('=');
        if (equals == std::string::npos) {
            parsed.fields[last] += " " + word;
            continue;
        }
        last = word.substr(0, equals);
        parsed.fields[last] = word.substr(equals + 1);
    }
    return parsed;
}

class wlansimFiles : public ::testing::Test {
  protected:
    Options options()
    {
        Options chosen;
        chosen.logFile = logPath;
        chosen.stateFile = statePath;
        return chosen;
    }

    std::vector<LogLine> logLines()
    {
        std::vector<LogLine> lines;
        for (const auto& line : readLines(logPath))
            lines.push_back(parseLogLine(line));
        return lines;
    }

    Scenario stateOnFile()
    {
        const auto parsed = parseScenario(readFile(statePath));
        EXPECT_TRUE(parsed.diagnostics.empty());
        return parsed.scenario;
    }

    TempFolder folder;
    std::wstring logPath = folder.file(L"calls.log");
    std::wstring statePath = folder.file(L"state.ini");
};

TEST_F(wlansimFiles, LogsOneLinePerCall)
{
    Service service = Service::fromText(twoAdapters, options());
    Client client(service);
    PVOID data = nullptr;
    DWORD size = 0;
    service.queryInterface(client.handle(), &alpha, wlan_intf_opcode_background_scan_enabled,
                           nullptr, &size, &data, nullptr);
    set(service, client.handle(), stranger, 3, 256);
    service.freeMemory(data);
    service.freeMemory(data);
    client.close();

    const auto lines = logLines();
    ASSERT_EQ(lines.size(), 7u);
    const std::regex utc(R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z)");
    const std::string pid = std::to_string(GetCurrentProcessId());
    for (const auto& line : lines) {
        EXPECT_TRUE(std::regex_match(line.time, utc)) << line.time;
        EXPECT_EQ(line.fields.at("pid"), pid);
    }
    EXPECT_EQ(lines[0].fields.at("event"), "reload");

    const std::vector<std::string> keys = {"pid",   "call", "handle", "adapter", "opcode",
                                           "value", "size", "buffer", "result"};
    const auto& opened = lines[1].fields;
    for (const auto& key : keys)
        EXPECT_TRUE(opened.count(key)) << key;
    EXPECT_EQ(opened.at("call"), "WlanOpenHandle");
    EXPECT_EQ(opened.at("adapter"), "-");
    EXPECT_EQ(opened.at("value"), "2");
    const std::string handle = opened.at("handle");

    const auto& queried = lines[2].fields;
    EXPECT_EQ(queried.at("call"), "WlanQueryInterface");
    EXPECT_EQ(queried.at("handle"), handle);
    EXPECT_EQ(queried.at("adapter"), "{A1A1A1A1-0000-4000-8000-000000000001}");
    EXPECT_EQ(queried.at("opcode"), "2");
    EXPECT_EQ(queried.at("value"), "1");
    EXPECT_EQ(queried.at("size"), "4");
    EXPECT_EQ(queried.at("result"), "0");
    const std::string buffer = queried.at("buffer");
    EXPECT_NE(buffer, "-");

    const auto& refused = lines[3].fields;
    EXPECT_EQ(refused.at("call"), "WlanSetInterface");
    EXPECT_EQ(refused.at("value"), "256");
    EXPECT_EQ(refused.at("result"), std::to_string(ERROR_NOT_FOUND));

    const auto& freed = lines[4].fields;
    EXPECT_EQ(freed.at("call"), "WlanFreeMemory");
    EXPECT_EQ(freed.at("buffer"), buffer);
    EXPECT_EQ(freed.at("handle"), handle);
    EXPECT_EQ(freed.at("freed"), "data");
    EXPECT_EQ(lines[5].fields.at("freed"), "twice");
    EXPECT_EQ(lines[5].fields.at("result"), "87");
    EXPECT_EQ(lines[6].fields.at("call"), "WlanCloseHandle");
}

TEST_F(wlansimFiles, LogsEachReloadAndWhatItSkipped)
{
    writeScenarioFile(folder.file(L"s.ini"), "[service]\ngeneration = 4\nrunning = perhaps\n");
    Service service = Service::fromFile(folder.file(L"s.ini"), options());
    DeleteFileW(folder.file(L"s.ini").c_str());
    service.reloadIfChanged();
    service.reloadIfChanged();

    const auto lines = logLines();
    ASSERT_EQ(lines.size(), 3u);
    const auto& reload = lines[0].fields;
    EXPECT_EQ(reload.at("event"), "reload");
    EXPECT_EQ(reload.at("result"), "0");
    EXPECT_EQ(reload.at("generation"), "4");
    EXPECT_EQ(reload.at("running"), "yes");
    EXPECT_EQ(reload.at("adapters"), "0");
    EXPECT_EQ(reload.at("diagnostics"), "1");
    EXPECT_NE(reload.at("source").find("s.ini"), std::string::npos);

    EXPECT_EQ(lines[1].fields.at("event"), "diagnostic");
    EXPECT_EQ(lines[1].fields.at("line"), "3");
    EXPECT_EQ(lines[1].fields.at("reason"), "\"perhaps\" is not yes or no; line skipped");

    // A missing file is reported once, not at every call.
    EXPECT_EQ(lines[2].fields.at("event"), "reload");
    EXPECT_EQ(lines[2].fields.at("result"), std::to_string(ERROR_FILE_NOT_FOUND));
}

TEST_F(wlansimFiles, StateFileFollowsEveryChange)
{
    Service service = Service::fromText(withServiceSection("rules = hardware"), options());
    EXPECT_EQ(stateOnFile(), service.state());

    auto client = std::make_unique<Client>(service);
    set(service, client->handle(), alpha, wlan_intf_opcode_media_streaming_mode, 1);
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    service.enumInterfaces(client->handle(), nullptr, &list);

    Scenario onFile = stateOnFile();
    EXPECT_EQ(onFile, service.state());
    EXPECT_EQ(onFile.adapters[0].streamingMode, 1u);
    EXPECT_EQ(onFile.status, (Status{1, 1}));

    client.reset();
    service.freeMemory(list);
    onFile = stateOnFile();
    EXPECT_EQ(onFile.adapters[0].streamingMode, 0u);
    EXPECT_EQ(onFile.status, (Status{0, 0}));
}

// A reader that holds the file without sharing deletion blocks the replacement for a while; the
// state must still arrive once it lets go.
TEST_F(wlansimFiles, StateFileCatchesUpAfterAReaderHeldIt)
{
    Service service = Service::fromText(twoAdapters, options());
    Client client(service);
    const HANDLE reader = CreateFileW(statePath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    set(service, client.handle(), alpha, wlan_intf_opcode_background_scan_enabled, 0);
    CloseHandle(reader);

    service.freeMemory(nullptr);
    EXPECT_EQ(stateOnFile().adapters[0].backgroundScan, 0u);
}

} // namespace
} // namespace wlansim::test
