#!/usr/bin/env bash
# Screenshots of the three pages under Wine + Xvfb, against the demo scenario, into docs/.
# Usage: tools/screenshots/take.sh [build-dir]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out="$root/docs"
mkdir -p "$out"
unset DISPLAY
NIMBREL_RUN_SECONDS=12 "$root/tools/run-demo.sh" "$build" >/dev/null &
demo=$!
sleep 5
export DISPLAY=$(cat "$build/testbed/display")
for page in 0 1 2; do
    name=$(echo status settings about | cut -d' ' -f$((page + 1)))
    geometry=$("$root/tools/testbed/wine-exec" "$build" "$build/bin/select-page.exe" "$page" | tr -d '\r')
    sleep 1
    import -window root -crop "$geometry" +repage "$out/$name.png"
    echo "$out/$name.png"
done
wait "$demo"
