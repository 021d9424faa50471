// Whether the program runs with administrator rights, which changing autoconfig needs.
#include "app/Form1.h"

namespace nimbrel {

bool Form1::IsUserAdmin()
{
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    BOOL result = security_.allocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                                                     DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0, 0, 0,
                                                     &administrators);
    if (result != FALSE) {
        // With no token the thread's own is asked; a group filtered by UAC counts as absent.
        if (!security_.checkTokenMembership(nullptr, administrators, &result)) {
            result = FALSE;
        }
        security_.freeSid(administrators);
    }
    return result == 1;
}

} // namespace nimbrel
