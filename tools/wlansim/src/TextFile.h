#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace wlansim {

struct FileText {
    DWORD error = ERROR_SUCCESS;
    std::string text;
};

// Every open shares reading, writing and deletion, so a scenario, log or state file can be
// edited, tailed or replaced by another process at any moment.
FileText readTextFile(const std::wstring& path);

// One write per line to a file opened for appending only, then closed: lines from several
// processes do not interleave and a reader sees every line once it is written.
bool appendLine(const std::wstring& path, std::string_view line);

// Writes beside the file, then renames over it, so a reader never sees half a file.
bool replaceTextFile(const std::wstring& path, std::string_view text);

} // namespace wlansim
