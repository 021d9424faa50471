#include "TextFile.h"

#include <climits>
#include <memory>

namespace wlansim {
namespace {

constexpr DWORD shareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

FileHandle openFile(const std::wstring& path, DWORD access, DWORD disposition)
{
    const HANDLE handle = CreateFileW(path.c_str(), access, shareAll, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// A reader in another process may hold the file for a moment without sharing what we need.
template <typename Attempt> bool withRetries(Attempt attempt)
{
    for (int tries = 0; tries < 20; ++tries) {
        if (attempt())
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED &&
            error != ERROR_LOCK_VIOLATION)
            return false;
        Sleep(5);
    }
    return false;
}

bool writeAll(HANDLE file, std::string_view bytes)
{
    if (bytes.size() > ULONG_MAX)
        return false;
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

} // namespace

FileText readTextFile(const std::wstring& path)
{
    const FileHandle file = openFile(path, GENERIC_READ, OPEN_EXISTING);
    if (!file)
        return {GetLastError(), {}};
    FileText result;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
        result.text.append(chunk, got);
    return result;
}

bool appendLine(const std::wstring& path, std::string_view line)
{
    FileHandle file;
    if (!withRetries(
            [&] { return (file = openFile(path, FILE_APPEND_DATA, OPEN_ALWAYS)) != nullptr; }))
        return false;
    std::string bytes(line);
    bytes += "\r\n";
    return writeAll(file.get(), bytes);
}

bool replaceTextFile(const std::wstring& path, std::string_view text)
{
    const std::wstring temporary = path + L".tmp";
    {
        const FileHandle file = openFile(temporary, GENERIC_WRITE, CREATE_ALWAYS);
        if (!file || !writeAll(file.get(), text))
            return false;
    }
    return withRetries([&] {
        return MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE;
    });
}

} // namespace wlansim
