#!/bin/sh
# Compiles every source of the project with Clang against the MinGW-w64 headers, warnings as
# errors, so that the code stays clean for both compilers.
# Usage: check-clang.sh <source-root> <build-dir>
set -u
root=${1:-.}
build=${2:-$root/build}
cxx=$(command -v clang++ || command -v clang++-14) || { echo "clang++ is missing"; exit 1; }
gcc_include=$(ls -d /usr/lib/gcc/x86_64-w64-mingw32/*posix*/include/c++ 2>/dev/null | head -n 1)
[ -n "$gcc_include" ] || { echo "the MinGW-w64 C++ headers are missing"; exit 1; }
status=0
for source in $(cd "$root" && find src tools/wlansim tools/testbed tools/bench tools/screenshots packaging tests -name '*.cpp' | sort); do
    "$cxx" --target=x86_64-w64-mingw32 -std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Werror \
        -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -D_WIN32_WINNT=0x0A00 -DWINVER=0x0A00 \
        -isystem "$gcc_include" -isystem "$gcc_include/x86_64-w64-mingw32" \
        -isystem /usr/x86_64-w64-mingw32/include -isystem /usr/src/googletest/googletest/include \
        -I"$root/src" -I"$build/src/generated" -I"$root/tests" -I"$root/tools/wlansim/include" -I"$root/tools/wlansim/src" \
        "$root/$source" || status=1
done
[ $status -eq 0 ] && echo "Clang: no warnings"
exit $status
