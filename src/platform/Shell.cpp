#include "platform/Shell.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace nimbrel {

namespace {

class SystemShell final : public Shell {
public:
    bool open(std::wstring_view address) override
    {
        const std::wstring file(address); // the shell wants a terminated string
        SHELLEXECUTEINFOW info{};
        info.cbSize = sizeof(info);
        // The caller reports failures in its own words; a second dialog from the shell would
        // only repeat it.
        info.fMask = SEE_MASK_FLAG_NO_UI;
        info.lpVerb = L"open";
        info.lpFile = file.c_str();
        info.nShow = SW_SHOWNORMAL;
        return ShellExecuteExW(&info) != FALSE;
    }
};

} // namespace

Shell& systemShell()
{
    static SystemShell shell;
    return shell;
}

} // namespace nimbrel
