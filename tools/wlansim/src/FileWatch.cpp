#include "FileWatch.h"

namespace wlansim {

FileWatch::Look FileWatch::lookAt(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return Look{GetLastError(), {}, {}, 0};
    const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return Look{ERROR_SUCCESS, data.ftLastWriteTime, data.ftCreationTime, size};
}

bool FileWatch::same(const Look& a, const Look& b)
{
    const auto sameTime = [](const FILETIME& x, const FILETIME& y) {
        return x.dwLowDateTime == y.dwLowDateTime && x.dwHighDateTime == y.dwHighDateTime;
    };
    return a.error == b.error && a.size == b.size && sameTime(a.written, b.written) &&
           sameTime(a.created, b.created);
}

std::optional<FileText> FileWatch::readIfChanged()
{
    const Look look = lookAt(path_);
    if (last_ && same(*last_, look))
        return std::nullopt;
    FileText read = look.error ? FileText{look.error, {}} : readTextFile(path_);
    // A file that exists but cannot be read yet, say while another process holds it, is tried
    // again on the next call; a missing one is reported once.
    if (look.error == ERROR_SUCCESS && read.error != ERROR_SUCCESS)
        last_.reset();
    else
        last_ = look;
    return read;
}

} // namespace wlansim
