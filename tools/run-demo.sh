#!/usr/bin/env bash
# `make run`: Nimbrel under Wine against the simulated service, with two demo adapters.
# Uses $DISPLAY when there is one, else a private Xvfb display and a screenshot.
# NIMBREL_RUN_SECONDS=n closes the program after n seconds (for scripts).
set -u
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
demo="$build/demo"
mkdir -p "$demo"
cp "$build/bin/Nimbrel.exe" "$build/bin/wlansim/wlanapi.dll" "$demo/"
cp "$here/demo/scenario.txt" "$demo/scenario.txt"
rm -f "$demo/calls.log" "$demo/state.txt" "$demo/screenshot.png"

headless=yes
if [ -n "${DISPLAY:-}" ]; then
    headless=no
    export NIMBREL_USE_DISPLAY=1
fi
"$here/testbed/testbed" up "$build" || exit 1
trap '"$here/testbed/testbed" down "$build"' EXIT
export DISPLAY=$(cat "$build/testbed/display")

windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
export WLANSIM_SCENARIO=$(windows_path "$demo/scenario.txt")
export WLANSIM_LOG=$(windows_path "$demo/calls.log")
export WLANSIM_STATE=$(windows_path "$demo/state.txt")
export WINEDLLOVERRIDES="wlanapi=n"

"$here/testbed/wine-exec" "$build" "$demo/Nimbrel.exe" &
program=$!

close_program() {
    # A polite close: the program runs its shutdown pass and switches autoconfig back on.
    "$here/testbed/wine-exec" "$build" taskkill /im Nimbrel.exe >/dev/null 2>&1
    wait "$program"
}
trap 'close_program; exit 0' INT TERM

echo "Nimbrel runs on display $DISPLAY against the simulated service."
echo "  scenario (edit it live): $demo/scenario.txt"
echo "  service call log:        $demo/calls.log"
echo "  adapters' state:         $demo/state.txt"
if [ "$headless" = yes ]; then
    sleep 4
    "$here/testbed/testbed" shot "$build" "$demo/screenshot.png" &&
        echo "  screenshot:              $demo/screenshot.png"
fi
echo "Press Ctrl+C to close it."
if [ -n "${NIMBREL_RUN_SECONDS:-}" ]; then
    sleep "$NIMBREL_RUN_SECONDS"
    close_program
else
    wait "$program"
fi
