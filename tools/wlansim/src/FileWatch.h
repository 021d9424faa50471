#pragma once

#include "TextFile.h"

#include <windows.h>

#include <optional>
#include <string>

namespace wlansim {

// Tells when a file's size, write time or creation time differ from the last look: cheap enough to
// ask at the start of every call. A rewrite that keeps all three the same goes unseen.
class FileWatch {
  public:
    explicit FileWatch(std::wstring path) : path_(std::move(path)) {}

    const std::wstring& path() const { return path_; }
    // None when nothing changed; the first call always reads.
    std::optional<FileText> readIfChanged();

  private:
    struct Look {
        DWORD error = ERROR_SUCCESS;
        FILETIME written{};
        FILETIME created{};
        ULONGLONG size = 0;
    };

    static Look lookAt(const std::wstring& path);
    static bool same(const Look& a, const Look& b);

    std::wstring path_;
    std::optional<Look> last_;
};

} // namespace wlansim
