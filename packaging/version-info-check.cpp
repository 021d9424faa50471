// Reads a program file's version resource the way Explorer and installers do, through
// GetFileVersionInfoW, and compares it with what the build says it should be.
//
//   version-info-check <file> <name>=<value>...
//
// <name> is a StringFileInfo value of the 040904B0 block (CompanyName, FileVersion, ...), or
// one of FILEVERSION / PRODUCTVERSION (the fixed part, "a.b.c.d") and Translation ("0409:1200").
// Exit code 0 when every value matches, 1 otherwise, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

std::wstring fourPart(DWORD high, DWORD low)
{
    return std::to_wstring(HIWORD(high)) + L"." + std::to_wstring(LOWORD(high)) + L"." +
           std::to_wstring(HIWORD(low)) + L"." + std::to_wstring(LOWORD(low));
}

std::optional<std::wstring> valueOf(const std::vector<BYTE>& block, const std::wstring& name)
{
    void* data = nullptr;
    UINT length = 0;
    auto* info = const_cast<BYTE*>(block.data());
    if (name == L"FILEVERSION" || name == L"PRODUCTVERSION") {
        if (!VerQueryValueW(info, L"\\", &data, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
            return std::nullopt;
        }
        const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(data);
        if (fixed->dwSignature != 0xFEEF04BD) {
            return std::nullopt;
        }
        return name == L"FILEVERSION" ? fourPart(fixed->dwFileVersionMS, fixed->dwFileVersionLS)
                                      : fourPart(fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    }
    if (name == L"Translation") {
        if (!VerQueryValueW(info, L"\\VarFileInfo\\Translation", &data, &length) || length < 4) {
            return std::nullopt;
        }
        const auto* pair = static_cast<const WORD*>(data);
        wchar_t text[16];
        swprintf(text, 16, L"%04X:%u", pair[0], pair[1]);
        return std::wstring(text);
    }
    const std::wstring path = L"\\StringFileInfo\\040904B0\\" + name;
    if (!VerQueryValueW(info, path.c_str(), &data, &length) || data == nullptr) {
        return std::nullopt;
    }
    // The length counts the terminating NUL when there is one.
    std::wstring text(static_cast<const wchar_t*>(data), length);
    while (!text.empty() && text.back() == L'\0') {
        text.pop_back();
    }
    return text;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        fwprintf(stderr, L"usage: version-info-check <file> <name>=<value>...\n");
        return 2;
    }
    const wchar_t* file = argv[1];
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file, &ignored);
    std::vector<BYTE> block(size);
    if (size == 0 || !GetFileVersionInfoW(file, 0, size, block.data())) {
        fwprintf(stderr, L"%ls: no version information (error %lu)\n", file, GetLastError());
        return 1;
    }
    int failures = 0;
    for (int i = 2; i < argc; ++i) {
        const std::wstring expectation = argv[i];
        const size_t equals = expectation.find(L'=');
        if (equals == std::wstring::npos) {
            fwprintf(stderr, L"not name=value: %ls\n", argv[i]);
            return 2;
        }
        const std::wstring name = expectation.substr(0, equals);
        const std::wstring wanted = expectation.substr(equals + 1);
        const std::optional<std::wstring> found = valueOf(block, name);
        if (!found) {
            fwprintf(stdout, L"MISSING  %ls (want \"%ls\")\n", name.c_str(), wanted.c_str());
            ++failures;
        } else if (*found != wanted) {
            fwprintf(stdout, L"WRONG    %ls = \"%ls\" (want \"%ls\")\n", name.c_str(), found->c_str(),
                     wanted.c_str());
            ++failures;
        } else {
            fwprintf(stdout, L"ok       %ls = \"%ls\"\n", name.c_str(), found->c_str());
        }
    }
    return failures == 0 ? 0 : 1;
}
