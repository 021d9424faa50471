#pragma once

#include <windows.h>

namespace nimbrel {

// The security calls of the administrator check, behind an interface so that tests can take
// every path.
class Security {
public:
    virtual ~Security() = default;

    virtual BOOL allocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count,
                                          DWORD sub0, DWORD sub1, DWORD sub2, DWORD sub3,
                                          DWORD sub4, DWORD sub5, DWORD sub6, DWORD sub7,
                                          PSID* sid) = 0;
    virtual BOOL checkTokenMembership(HANDLE token, PSID sid, PBOOL isMember) = 0;
    virtual PVOID freeSid(PSID sid) = 0;
};

Security& systemSecurity();

} // namespace nimbrel
