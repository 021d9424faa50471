#!/usr/bin/env bash
# Nimbrel's figures next to their references, in one table: file size, memory after start and
# after many refresh passes, time per pass, GDI/USER/kernel objects. Figures only: the exit code
# says whether the run worked, never whether a goal was met.
# Usage: tools/bench/run.sh [build-dir]        (default: build)
# NIMBREL_BENCH_ARGS="--passes N --object-passes N" changes the pass counts (1000, 10000).
set -u
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
mkdir -p "${1:-build}"
build=$(cd "${1:-build}" && pwd)

# Built here when missing or stale; a build tree that has never been configured is set up the
# same way `make build` would.
if [ ! -f "$build/CMakeCache.txt" ]; then
    make -C "$root" configure BUILD="$build" || exit 1
fi
if ! log=$(cmake --build "$build" --target Nimbrel wlansim testbed-idle nimbrel-bench nimbrel-floor -j2 2>&1); then
    printf '%s\n' "$log" >&2
    exit 1
fi

out="$build/bench"
rm -rf "$out"
mkdir -p "$out"
# The real program beside the simulated service, as `make run` has it.
cp "$build/bin/Nimbrel.exe" "$build/bin/wlansim/wlanapi.dll" "$out/"
# One connected adapter already set as the default choices ask, so the program writes nothing.
cat >"$out/scenario.txt" <<'EOF'
[adapter]
guid = {6E000000-1234-5678-9ABC-DEF012345600}
description = Wireless adapter 0
state = 1
autoconfig = 1
background_scan = 0
streaming_mode = 0
EOF

"$root/tools/testbed/testbed" up "$build" || exit 1
trap '"$root/tools/testbed/testbed" down "$build"' EXIT

windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
wine_exec() { "$root/tools/testbed/wine-exec" "$build" "$@"; }
bench="$build/bin/bench/nimbrel-bench.exe"
floor="$build/bin/bench/floor.exe"
status=0

echo "bench: in-process passes (under a minute on an idle machine)..." >&2
# shellcheck disable=SC2086 # the arguments are meant to split
wine_exec "$bench" ${NIMBREL_BENCH_ARGS:-} >"$out/inprocess.txt" || status=1
wine_exec "$floor" --report >"$out/floor.txt" || status=1
# The override reaches only the started program; the bench itself has no wlanapi.dll beside it.
WLANSIM_SCENARIO=$(windows_path "$out/scenario.txt") \
    wine_exec "$bench" --outside "$(windows_path "$out/Nimbrel.exe")" 1000 \
    "WINEDLLOVERRIDES=mscoree,mshtml=;wlanapi=n" >"$out/outside-nimbrel.txt" || status=1
wine_exec "$bench" --outside "$(windows_path "$floor")" 1000 >"$out/outside-floor.txt" || status=1

size=$(stat -c %s "$build/bin/Nimbrel.exe")

awk -v size="$size" '
    # Wine ends the lines of a console program with CR LF.
    { sub(/\r$/, "") }
    FILENAME ~ /inprocess/ && $1 ~ /_detail$/ { v["in." $1] = substr($0, length($1) + 2); next }
    FILENAME ~ /inprocess/      { v["in." $1] = $2 }
    FILENAME ~ /floor.txt$/     { v["floor." $1] = $2 }
    FILENAME ~ /outside-nimbrel/ { v["exe." $1] = $2 }
    FILENAME ~ /outside-floor/  { v["flx." $1] = $2 }
    function has(k) { return (k in v) && v[k] != "" }
    function kib(k) { return has(k) ? sprintf("%.0f KiB", v[k] / 1024) : "n/a" }
    function us(k)  { return has(k) ? sprintf("%.1f us", v[k]) : "n/a" }
    function num(k) { return has(k) ? v[k] : "n/a" }
    function ratio(a, b) {
        return (has(a) && has(b) && v[b] + 0 != 0) ? sprintf("%.2f", v[a] / v[b]) : "n/a"
    }
    function row(name, fig, ref, r, goal) {
        printf "%-46s %-12s %-12s %-7s %s\n", name, fig, ref, r, goal
    }
    function mem(name, a, b, goal) { row(name, kib(a), kib(b), ratio(a, b), goal) }
    function time(name, a, b) { row(name, us(a), us(b), ratio(a, b), "<= 1.50") }
    function objects(name, kind,    a, b) {
        a = "in.objects_after_" kind; b = "in.objects_before_" kind
        row(name, num(a), num(b), ratio(a, b), "= 1.00")
    }
    END {
        v["limit"] = 512 * 1024
        v["size"] = size
        passes = has("in.pass_1_passes") ? v["in.pass_1_passes"] : "?"
        objectPasses = has("in.object_passes") ? v["in.object_passes"] : "?"
        row("figure", "Nimbrel", "reference", "ratio", "goal")
        mem("exe size (reference: 512 KiB)", "size", "limit", "<= 1.00")
        print ""
        print "Nimbrel.exe after start, measured from outside; reference floor.exe alike:"
        mem("  private bytes, committed (VirtualQueryEx)", "exe.outside_commit", "flx.outside_commit", "<= 1.25")
        mem("  private bytes, PagefileUsage (= RssAnon)", "exe.outside_private", "flx.outside_private", "<= 1.25")
        mem("  working set", "exe.outside_ws", "flx.outside_ws", "-")
        print ""
        print "bench (Form1 in-process); reference floor.exe measuring itself:"
        mem("  private, committed, before Form1", "in.bench_begin_commit", "floor.floor_commit_start", "-")
        mem("  private, committed, after Form1", "in.bench_constructed_commit", "floor.floor_commit_start", "<= 1.25")
        mem("  private, committed, after " passes " passes", "in.bench_passed_commit", "floor.floor_commit_pumped", "<= 1.25")
        mem("  private, RssAnon, before Form1", "in.bench_begin_private", "floor.floor_private_start", "-")
        mem("  private, RssAnon, after Form1", "in.bench_constructed_private", "floor.floor_private_start", "<= 1.25")
        mem("  private, RssAnon, after " passes " passes", "in.bench_passed_private", "floor.floor_private_pumped", "<= 1.25")
        mem("  working set after Form1", "in.bench_constructed_ws", "floor.floor_ws_start", "-")
        mem("  working set after " passes " passes", "in.bench_passed_ws", "floor.floor_ws_pumped", "-")
        print ""
        print "time per refresh pass; reference: the same Native Wifi calls, bare:"
        time("  mean, 1 adapter", "in.pass_1_mean_us", "in.bare_1_mean_us")
        time("  worst, 1 adapter", "in.pass_1_worst_us", "in.bare_1_worst_us")
        time("  mean, 8 adapters", "in.pass_8_mean_us", "in.bare_8_mean_us")
        time("  worst, 8 adapters", "in.pass_8_worst_us", "in.bare_8_worst_us")
        print ""
        print "objects after " objectPasses " passes (" num("in.object_adapters") " adapters); reference: before them:"
        objects("  GDI objects", "gdi")
        objects("  USER objects", "user")
        objects("  kernel handles", "kernel")
        print ""
        print "private bytes: PrivateUsage answers " (v["in.bench_begin_private_source"] == "PrivateUsage" ? "non-zero; it is used" : "0 here (Wine); PagefileUsage is shown instead")
        print "writes during the timed passes: " num("in.writes") "; buffers not given back: " num("in.outstanding_buffers")
        print "Nimbrel.exe: idle " num("exe.outside_idle") ", closed " num("exe.outside_closed") ", exit code " num("exe.outside_exit_code")
        print "objects before: " num("in.objects_before_detail")
        print "objects after:  " num("in.objects_after_detail")
    }
' "$out/inprocess.txt" "$out/floor.txt" "$out/outside-nimbrel.txt" "$out/outside-floor.txt"
echo "raw figures: $out/*.txt"
exit $status
