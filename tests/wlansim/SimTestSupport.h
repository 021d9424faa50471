#pragma once

#include "wlansim/Guid.h"
#include "wlansim/Service.h"

#include <windows.h>
#include <wlanapi.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace wlansim::test {

inline const GUID alpha = *parseGuid("{A1A1A1A1-0000-4000-8000-000000000001}");
inline const GUID beta = *parseGuid("{B2B2B2B2-0000-4000-8000-000000000002}");
inline const GUID stranger = *parseGuid("{C3C3C3C3-0000-4000-8000-000000000003}");

// Alpha connected with Windows' defaults; Beta disconnected with everything off.
inline constexpr std::string_view twoAdapters = R"(
[adapter]
guid = {A1A1A1A1-0000-4000-8000-000000000001}
description = Alpha
state = 1
autoconfig = 1
background_scan = 1
streaming_mode = 0

[adapter]
guid = {B2B2B2B2-0000-4000-8000-000000000002}
description = Beta
state = 4
autoconfig = 0
background_scan = 0
streaming_mode = 0
)";

std::string withServiceSection(std::string_view service, std::string_view rest = twoAdapters);

// A client handle, closed when it goes.
class Client {
  public:
    explicit Client(Service& service);
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;
    ~Client();

    HANDLE handle() const { return handle_; }
    DWORD close();

  private:
    Service& service_;
    HANDLE handle_ = nullptr;
};

struct Answer {
    DWORD result = ERROR_SUCCESS;
    std::optional<DWORD> value; // when a full value came back
    DWORD size = 0;
    bool nullBuffer = false;
    WLAN_OPCODE_VALUE_TYPE type = wlan_opcode_value_type_invalid;
};

// Queries and frees whatever buffer came back.
Answer query(Service& service, HANDLE client, const GUID& adapter, DWORD opcode);
DWORD set(Service& service, HANDLE client, const GUID& adapter, DWORD opcode, DWORD value);

struct Listed {
    DWORD result = ERROR_SUCCESS;
    bool nullList = false;
    std::vector<WLAN_INTERFACE_INFO> items;
};

// Enumerates and frees the list.
Listed enumerate(Service& service, HANDLE client);

// True when the byte at `address` cannot be read: the guard after every buffer handed out.
bool unreadable(const void* address);

// A fresh folder, removed with its files when it goes; in the temporary folder unless another
// parent is given.
class TempFolder {
  public:
    explicit TempFolder(std::wstring parent = {});
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder();

    std::wstring file(std::wstring_view name) const;

  private:
    std::wstring path_;
};

// Writes the file and moves its write time forward past the previous write's, so that a rewrite
// is seen even within the file system's time resolution.
void writeScenarioFile(const std::wstring& path, std::string_view text);
std::string readFile(const std::wstring& path);
std::vector<std::string> readLines(const std::wstring& path);

} // namespace wlansim::test
