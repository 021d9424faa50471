#include "platform/Security.h"

namespace nimbrel {

namespace {

class SystemSecurity final : public Security {
public:
    BOOL allocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD sub0,
                                  DWORD sub1, DWORD sub2, DWORD sub3, DWORD sub4, DWORD sub5,
                                  DWORD sub6, DWORD sub7, PSID* sid) override
    {
        return AllocateAndInitializeSid(authority, count, sub0, sub1, sub2, sub3, sub4, sub5,
                                        sub6, sub7, sid);
    }
    BOOL checkTokenMembership(HANDLE token, PSID sid, PBOOL isMember) override
    {
        return CheckTokenMembership(token, sid, isMember);
    }
    PVOID freeSid(PSID sid) override { return FreeSid(sid); }
};

} // namespace

Security& systemSecurity()
{
    static SystemSecurity security;
    return security;
}

} // namespace nimbrel
