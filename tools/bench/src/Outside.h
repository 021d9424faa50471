#pragma once

#include <windows.h>

#include <string>

namespace nimbrel::bench {

// Starts a program, waits until its message loop idles and then `settleMs` more, measures its
// memory from outside ("outside_private", "outside_ws"), then closes it as the user's system
// would: WM_CLOSE to its top-level windows. Returns the process exit code.
int runOutside(const std::wstring& commandLine, DWORD settleMs);

} // namespace nimbrel::bench
