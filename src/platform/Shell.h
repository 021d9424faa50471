#pragma once

#include <string_view>

namespace nimbrel {

// The shell's default action for an address (http:, https:, mailto:), behind an interface so
// that tests can see what would be opened without starting a browser or mail client.
class Shell {
public:
    virtual ~Shell() = default;

    // False when the shell reports an error; the shell itself shows no dialog.
    virtual bool open(std::wstring_view address) = 0;
};

// ShellExecuteExW with the "open" verb.
Shell& systemShell();

} // namespace nimbrel
