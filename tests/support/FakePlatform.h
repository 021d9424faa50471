#pragma once

#include "platform/InputLanguage.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

#include <string>
#include <vector>

namespace nimbrel::testing {

// A shell that remembers what it was asked to open, and fails when told to.
class FakeShell final : public Shell {
public:
    bool open(std::wstring_view address) override
    {
        opened.emplace_back(address);
        return !failing;
    }
    std::vector<std::wstring> opened;
    bool failing = false;
};

class FakeInputLanguage final : public InputLanguage {
public:
    std::wstring defaultCultureName() override { return cultureName; }
    std::wstring cultureName = L"en-US";
};

// Message boxes read instead of answered.
class FakeMessageBoxes final : public MessageBoxes {
public:
    struct Shown {
        HWND owner;
        std::wstring text;
        std::wstring caption;
        UINT type;
    };
    int show(HWND owner, std::wstring_view text, std::wstring_view caption, UINT type) override
    {
        shown.push_back({owner, std::wstring(text), std::wstring(caption), type});
        return IDOK;
    }
    std::vector<Shown> shown;
};

} // namespace nimbrel::testing
