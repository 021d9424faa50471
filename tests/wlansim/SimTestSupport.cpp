#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace wlansim::test {

std::string withServiceSection(std::string_view service, std::string_view rest)
{
    return "[service]\n" + std::string(service) + "\n" + std::string(rest);
}

Client::Client(Service& service) : service_(service)
{
    DWORD version = 0;
    EXPECT_EQ(service_.openHandle(2, nullptr, &version, &handle_), ERROR_SUCCESS);
}

Client::~Client()
{
    if (handle_)
        close();
}

DWORD Client::close()
{
    const DWORD result = service_.closeHandle(handle_, nullptr);
    handle_ = nullptr;
    return result;
}

Answer query(Service& service, HANDLE client, const GUID& adapter, DWORD opcode)
{
    Answer answer;
    PVOID data = nullptr;
    answer.result = service.queryInterface(client, &adapter, static_cast<WLAN_INTF_OPCODE>(opcode),
                                           nullptr, &answer.size, &data, &answer.type);
    if (answer.result != ERROR_SUCCESS)
        return answer;
    answer.nullBuffer = data == nullptr;
    if (data && answer.size == sizeof(DWORD)) {
        DWORD value = 0;
        std::memcpy(&value, data, sizeof value);
        answer.value = value;
    }
    service.freeMemory(data);
    return answer;
}

DWORD set(Service& service, HANDLE client, const GUID& adapter, DWORD opcode, DWORD value)
{
    return service.setInterface(client, &adapter, static_cast<WLAN_INTF_OPCODE>(opcode),
                                sizeof value, &value, nullptr);
}

Listed enumerate(Service& service, HANDLE client)
{
    Listed listed;
    PWLAN_INTERFACE_INFO_LIST list = nullptr;
    listed.result = service.enumInterfaces(client, nullptr, &list);
    if (listed.result != ERROR_SUCCESS)
        return listed;
    listed.nullList = list == nullptr;
    if (list) {
        for (DWORD i = 0; i < list->dwNumberOfItems; ++i)
            listed.items.push_back(list->InterfaceInfo[i]);
    }
    service.freeMemory(list);
    return listed;
}

bool unreadable(const void* address)
{
    MEMORY_BASIC_INFORMATION info{};
    if (!VirtualQuery(address, &info, sizeof info))
        return true;
    return info.State != MEM_COMMIT || (info.Protect & (PAGE_NOACCESS | PAGE_GUARD)) != 0;
}

TempFolder::TempFolder(std::wstring parent)
{
    if (parent.empty()) {
        wchar_t base[MAX_PATH + 1] = {};
        GetTempPathW(MAX_PATH, base);
        parent = base;
    }
    static unsigned serial = 0;
    path_ = parent + L"wlansim-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
            std::to_wstring(++serial);
    CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder()
{
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((path_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileW(file(found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(path_.c_str());
}

std::wstring TempFolder::file(std::wstring_view name) const
{
    return path_ + L"\\" + std::wstring(name);
}

void writeScenarioFile(const std::wstring& path, std::string_view text)
{
    static ULONGLONG stamp = 0;
    {
        std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
        out << text;
    }
    const HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG current =
        (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    stamp = std::max(stamp + 10'000'000, current); // one second past the previous write
    const FILETIME written{static_cast<DWORD>(stamp), static_cast<DWORD>(stamp >> 32)};
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

std::string readFile(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> readLines(const std::wstring& path)
{
    std::vector<std::string> lines;
    std::istringstream text(readFile(path));
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace wlansim::test
