// nimbrel-bench: figures for tools/bench/run.sh, as "key value" lines on standard output.
//   nimbrel-bench [--passes N] [--object-passes N]   the in-process figures (see InProcess.h)
//   nimbrel-bench --outside <program> [settle-ms [NAME=VALUE...]]
//                                                    memory of another program after start
#include "InProcess.h"
#include "Outside.h"
#include "Report.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <exception>
#include <string>
#include <string_view>

namespace {

int usage()
{
    std::fputs("usage: nimbrel-bench [--passes N] [--object-passes N]\n"
               "       nimbrel-bench --outside <program> [settle-ms [NAME=VALUE...]]\n",
               stderr);
    return 2;
}

int positive(const wchar_t* text)
{
    const long value = std::wcstol(text, nullptr, 10);
    return value > 0 ? static_cast<int>(value) : 0;
}

int run(int argc, wchar_t** argv)
{
    using namespace nimbrel::bench;
    if (argc >= 3 && std::wstring_view(argv[1]) == L"--outside") {
        // The program's path is quoted: build folders may hold spaces.
        const std::wstring commandLine = L"\"" + std::wstring(argv[2]) + L"\"";
        const DWORD settleMs = argc >= 4 ? static_cast<DWORD>(positive(argv[3])) : 1000;
        // For the started program only: an override such as wlanapi=n would keep this bench,
        // which has no wlanapi.dll beside it, from starting at all.
        for (int i = 4; i < argc; ++i) {
            std::wstring assignment(argv[i]);
            const std::size_t equals = assignment.find(L'=');
            if (equals == std::wstring::npos || equals == 0) {
                return usage();
            }
            assignment[equals] = L'\0';
            SetEnvironmentVariableW(assignment.c_str(), assignment.c_str() + equals + 1);
        }
        return runOutside(commandLine, settleMs);
    }
    InProcessCounts counts;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view option(argv[i]);
        if (i + 1 >= argc) {
            return usage();
        }
        const int value = positive(argv[++i]);
        if (value == 0) {
            return usage();
        }
        if (option == L"--passes") {
            counts.timedPasses = value;
        } else if (option == L"--object-passes") {
            counts.objectPasses = value;
        } else {
            return usage();
        }
    }
    return runInProcess(counts);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    // Figures arrive as they are taken, so a run that dies midway still shows what it had.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "nimbrel-bench: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "nimbrel-bench: unknown failure\n");
    }
    return 1;
}
