// Stays alive for the test run so that Wine's helper processes start once, detached from CTest's pipes.
#include <windows.h>

int wmain()
{
    Sleep(INFINITE);
    return 0;
}
