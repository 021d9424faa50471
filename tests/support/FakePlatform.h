#pragma once

#include "platform/InputLanguage.h"
#include "platform/MessageBoxes.h"
#include "platform/ProcessMemory.h"
#include "platform/Security.h"
#include "platform/Shell.h"

#include <string>
#include <string_view>
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

// The administrator check's calls, answered as a test says and recorded in order.
class FakeSecurity final : public Security {
public:
    BOOL allocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD sub0,
                                  DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5,
                                  DWORD sub6, DWORD sub7, PSID* sid) override
    {
        calls.push_back("allocate");
        authorityBytes.assign(authority->Value, authority->Value + 6);
        subAuthorities = {sub0, sub1, sub2, sub3, sub4, sub5, sub6, sub7};
        subAuthorityCount = count;
        if (!allocationSucceeds) {
            return FALSE;
        }
        *sid = &fakeSid;
        return TRUE;
    }
    BOOL checkTokenMembership(HANDLE token, PSID sid, PBOOL isMember) override
    {
        calls.push_back(token == nullptr && sid == &fakeSid ? "check" : "check with other arguments");
        if (!membershipCallSucceeds) {
            *isMember = membershipAnswer; // a failing call may still have written something
            return FALSE;
        }
        *isMember = membershipAnswer;
        return TRUE;
    }
    PVOID freeSid(PSID sid) override
    {
        calls.push_back(sid == &fakeSid ? "free" : "free other");
        return nullptr;
    }

    bool allocationSucceeds = true;
    bool membershipCallSucceeds = true;
    BOOL membershipAnswer = TRUE;
    std::vector<std::string> calls;
    std::vector<BYTE> authorityBytes;
    std::vector<DWORD> subAuthorities;
    BYTE subAuthorityCount = 0;

private:
    int fakeSid = 0;
};

// The trimming's calls, recorded in order with what they were given.
class FakeProcessMemory final : public ProcessMemory {
public:
    HANDLE getCurrentProcess() override
    {
        calls.push_back("process");
        return process;
    }
    BOOL setProcessWorkingSetSize(HANDLE p, SIZE_T minimum, SIZE_T maximum) override
    {
        const bool expected = p == process && minimum == static_cast<SIZE_T>(-1) &&
                              maximum == static_cast<SIZE_T>(-1);
        calls.push_back(expected ? "trim" : "trim with other arguments");
        return TRUE;
    }
    HANDLE getProcessHeap() override
    {
        calls.push_back("heap");
        return heap;
    }
    BOOL heapLock(HANDLE h) override
    {
        calls.push_back(h == heap ? "lock" : "lock other");
        return lockSucceeds;
    }
    SIZE_T heapCompact(HANDLE h, DWORD flags) override
    {
        calls.push_back(h == heap && flags == 0 ? "compact" : "compact with other arguments");
        return 0;
    }
    BOOL heapUnlock(HANDLE h) override
    {
        calls.push_back(h == heap ? "unlock" : "unlock other");
        return TRUE;
    }

    bool lockSucceeds = true;
    std::vector<std::string> calls;

private:
    HANDLE process = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-1));
    HANDLE heap = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(0x1234));
};

} // namespace nimbrel::testing
