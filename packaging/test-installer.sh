#!/usr/bin/env bash
# The installer and the uninstaller, silent, in the build tree's Wine prefix, with a real
# Nimbrel running against the simulated wireless service while they work:
#   1. a fresh install: files, Start menu shortcut, the Uninstall entry's values;
#   2. an install over a running Nimbrel: it is ended politely (its shutdown pass switches
#      autoconfig back on) and its program file replaced;
#   3. an uninstall while it runs: ended the same way; files, shortcut, Uninstall entry and
#      autostart value gone, files it did not install and the saved choices left alone;
#   4. an uninstall as Windows starts it (QuietUninstallString, which relaunches from %TEMP%)
#      with /REMOVESETTINGS: the saved choices go too;
#   5. an install while a Nimbrel window ignores WM_CLOSE: it gives up after its wait, with
#      exit code 2, having installed nothing.
# The test bed must be up (CTest runs under `tools/testbed/testbed ctest`). Whatever the test
# changes in the prefix is put back as it was when it ends, passed or not.
#   test-installer.sh <build> <setup.exe> <version> <stubborn-window.exe>
set -eu
[ $# -eq 4 ] || { echo "usage: $0 <build> <setup.exe> <version> <stubborn-window.exe>" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
setup=$2
version=$3
stubborn=$4
work="$build/packaging/installer-test"

# No desktop entries in the real home folder for the Start menu shortcut.
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
wine_exec() { "$root/tools/testbed/wine-exec" "$build" "$@" </dev/null; }
windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Nimbrel'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
SETTINGS_KEY='HKCU\Software\Nimbrel .NET'

failures=0
ok() { echo "ok: $*"; }
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# check <what> <command...>: one line either way, and the test goes on.
check() {
    local what=$1
    shift
    if "$@"; then ok "$what"; else fail "$what"; fi
}
die() {
    echo "FAIL: $*"
    exit 1
}

key_exists() { wine_exec reg query "$1" >/dev/null 2>&1; }
value_exists() { wine_exec reg query "$1" /v "$2" >/dev/null 2>&1; }
# The data of every value of a key, one "name<TAB>data" line each, as reg prints it.
key_values() {
    wine_exec reg query "$1" 2>/dev/null | tr -d '\r' |
        sed -n 's/^    \(.*\)    REG_[A-Z_]*    \(.*\)$/\1\t\2/p; s/^    \(.*\)    REG_[A-Z_]*$/\1\t/p'
}
key_gone() { ! key_exists "$1"; }
value_gone() { ! value_exists "$1" "$2"; }
value_in() { printf '%s\n' "$1" | awk -F'\t' -v name="$2" '$1 == name { print $2; found = 1 } END { exit !found }'; }

# --- where things go ------------------------------------------------------------------------
local_appdata=$(wine_exec cmd /c echo %LOCALAPPDATA% | tr -d '\r')
appdata=$(wine_exec cmd /c echo %APPDATA% | tr -d '\r')
if [ -z "$local_appdata" ] || [ "$local_appdata" = "%LOCALAPPDATA%" ]; then
    die "no %LOCALAPPDATA% in the prefix (is the test bed up?)"
fi
win_instdir="$local_appdata\\Programs\\Nimbrel"
unix_of() { wine_exec winepath -u "$1" 2>/dev/null | tr -d '\r'; }
instdir=$(unix_of "$win_instdir")
instdir=${instdir%/}
shortcut="$(unix_of "$appdata")"
shortcut="${shortcut%/}/Microsoft/Windows/Start Menu/Programs/Nimbrel.lnk"
temp_dir=$(unix_of "$(wine_exec cmd /c echo %TEMP% | tr -d '\r')")
temp_dir=${temp_dir%/}
[ -d "$temp_dir" ] || die "no %TEMP% folder in the prefix"
temp_before=$(echo "$temp_dir"/~nsu*.tmp)

# --- the prefix as it was, and back again ---------------------------------------------------
rm -rf "$work"
mkdir -p "$work"
had_settings=no
if key_exists "$SETTINGS_KEY"; then
    wine_exec reg export "$SETTINGS_KEY" "$(windows_path "$work/settings.reg")" /y >/dev/null
    had_settings=yes
fi
wine_exec reg export "$RUN_KEY" "$(windows_path "$work/run.reg")" /y >/dev/null 2>&1 || true
had_run_value=no
value_exists "$RUN_KEY" Nimbrel && had_run_value=yes

nimbrel_pid=
stubborn_pid=
stop() { # <pid>: a Wine process this test started, if it still runs
    if [ -n "$1" ] && kill -0 "$1" 2>/dev/null; then
        kill "$1"
        wait "$1" 2>/dev/null || true
    fi
}
# The Nimbrel this test started, if a failed check left it running.
stop_nimbrel() {
    stop "$nimbrel_pid"
    nimbrel_pid=
}
remove_installation() {
    rm -rf "$instdir"
    rm -f "$shortcut"
    wine_exec reg delete "$UNINSTALL_KEY" /f >/dev/null 2>&1 || true
}
restore() {
    set +e
    stop_nimbrel
    stop "$stubborn_pid"
    wait_for_relaunched_uninstaller
    remove_installation
    wine_exec reg delete "$SETTINGS_KEY" /f >/dev/null 2>&1
    [ "$had_settings" = yes ] && wine_exec reg import "$(windows_path "$work/settings.reg")" >/dev/null 2>&1
    wine_exec reg delete "$RUN_KEY" /v Nimbrel /f >/dev/null 2>&1
    [ "$had_run_value" = yes ] && wine_exec reg import "$(windows_path "$work/run.reg")" >/dev/null 2>&1
    # The folders the relaunched uninstaller copied itself to: NSIS leaves them behind.
    local folder
    for folder in "$temp_dir"/~nsu*.tmp; do
        [ -d "$folder" ] || continue
        case " $temp_before " in *" $folder "*) ;; *) rm -rf "$folder" ;; esac
    done
    rm -rf "$work"
}
trap restore EXIT

# The uninstaller started as Windows does copies itself to %TEMP% and returns at once; the copy
# runs with "_?=<install folder>" on its command line until it is done.
wait_for_relaunched_uninstaller() {
    for _ in $(seq 120); do
        # The list first and matched in the shell: a grep would find its own command line.
        case "$(ps -eo args)" in
        *"_?=$win_instdir"*) ;;
        *) return 0 ;;
        esac
        sleep 0.25
    done
    echo "  the relaunched uninstaller still runs after 30 s"
    return 1
}

remove_installation # left over from a run that was killed

# --- a running Nimbrel ----------------------------------------------------------------------
write_scenario() { # <autoconfig>
    cat >"$work/scenario.new" <<EOF
# written by packaging/test-installer.sh, autoconfig $1
[adapter]
guid = {3F2504E0-4F89-11D3-9A0C-0305E82C33F1}
description = Installer test adapter
state = 1
autoconfig = $1
background_scan = 1
EOF
    mv "$work/scenario.new" "$work/scenario.txt"
}
start_nimbrel() {
    stop_nimbrel
    cp "$build/bin/wlansim/wlanapi.dll" "$instdir/wlanapi.dll"
    write_scenario 1
    rm -f "$work/calls.log" "$work/state.txt"
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;wlanapi=n" \
        WLANSIM_SCENARIO=$(windows_path "$work/scenario.txt") \
        WLANSIM_LOG=$(windows_path "$work/calls.log") \
        WLANSIM_STATE=$(windows_path "$work/state.txt") \
        "$root/tools/testbed/wine-exec" "$build" "$instdir/Nimbrel.exe" </dev/null >"$work/nimbrel.out" 2>&1 &
    # wine-exec ends in exec: this is the Wine process itself, to wait for and, failing, to kill.
    nimbrel_pid=$!
    # Its window exists before it first lists the adapters, so from then on it can be found.
    for _ in $(seq 200); do
        grep -q 'call=WlanEnumInterfaces' "$work/calls.log" 2>/dev/null && break
        kill -0 "$nimbrel_pid" 2>/dev/null || die "the installed Nimbrel ended at start ($(cat "$work/nimbrel.out"))"
        sleep 0.1
    done
    grep -q 'call=WlanEnumInterfaces' "$work/calls.log" 2>/dev/null || die "the installed Nimbrel did not come up in 20 s"
    # Someone switches autoconfig off behind its back; ending it politely must switch it on.
    write_scenario 0
}
# Passes when the Nimbrel started last ended by itself with exit code 0 and left autoconfig on.
ended_politely() {
    local code=0
    for _ in $(seq 60); do
        kill -0 "$nimbrel_pid" 2>/dev/null || break
        sleep 0.25
    done
    if kill -0 "$nimbrel_pid" 2>/dev/null; then
        echo "  Nimbrel still runs"
        return 1
    fi
    wait "$nimbrel_pid" || code=$?
    nimbrel_pid=
    [ "$code" -eq 0 ] || { echo "  Nimbrel ended with exit code $code"; return 1; }
    grep -q '^autoconfig = 1' "$work/state.txt" || { echo "  autoconfig is off: no shutdown pass"; return 1; }
}

# --- 1. a fresh install ---------------------------------------------------------------------
code=0
wine_exec "$setup" /S || code=$?
[ "$code" -eq 0 ] || die "the silent install ended with exit code $code"
ok "silent install into $win_instdir"

check "Nimbrel.exe installed, the build's own" cmp -s "$instdir/Nimbrel.exe" "$build/bin/Nimbrel.exe"
check "LICENSE.txt installed" test -s "$instdir/LICENSE.txt"
check "Uninstall.exe written" test -s "$instdir/Uninstall.exe"
check "Start menu shortcut to the program" grep -qaF "$win_instdir\\Nimbrel.exe" "$shortcut"

values=$(key_values "$UNINSTALL_KEY")
while IFS='|' read -r name wanted; do
    if ! found=$(value_in "$values" "$name"); then
        fail "Uninstall entry has no $name"
    elif [ "$found" != "$wanted" ]; then
        fail "Uninstall entry $name is '$found', not '$wanted'"
    else
        ok "Uninstall entry $name = $found"
    fi
done <<EOF
DisplayName|Nimbrel
DisplayVersion|$version
Publisher|The Nimbrel developers
DisplayIcon|$win_instdir\\Nimbrel.exe,0
InstallLocation|$win_instdir
UninstallString|"$win_instdir\\Uninstall.exe"
QuietUninstallString|"$win_instdir\\Uninstall.exe" /S
NoModify|0x1
NoRepair|0x1
EOF
size=$(value_in "$values" EstimatedSize || echo 0)
exe_kib=$(($(stat -c %s "$instdir/Nimbrel.exe") / 1024))
check "Uninstall entry EstimatedSize ($((size)) KiB) covers Nimbrel.exe ($exe_kib KiB)" test $((size)) -ge "$exe_kib"

# --- 2. an install over a running Nimbrel ---------------------------------------------------
start_nimbrel
before=$(stat -c %.9Y "$instdir/Nimbrel.exe")
code=0
wine_exec "$setup" /S || code=$?
check "install over a running Nimbrel succeeds (exit code $code)" test "$code" -eq 0
check "install ended the running Nimbrel politely" ended_politely
after=$(stat -c %.9Y "$instdir/Nimbrel.exe")
check "install replaced Nimbrel.exe" test "$before" != "$after"

# --- 3. an uninstall while Nimbrel runs -----------------------------------------------------
start_nimbrel
wine_exec reg add "$RUN_KEY" /v Nimbrel /d "\"$win_instdir\\Nimbrel.exe\"" /f >/dev/null
wine_exec reg add "$SETTINGS_KEY" /v PackagingTest /d keep /f >/dev/null
value_exists "$RUN_KEY" Nimbrel || die "could not write the autostart value"
# Run from a copy, as the uninstaller itself would, but synchronously ("_?=").
cp "$instdir/Uninstall.exe" "$work/uninstall.exe"
code=0
wine_exec "$work/uninstall.exe" /S "_?=$win_instdir" || code=$?
check "silent uninstall succeeds (exit code $code)" test "$code" -eq 0
check "uninstall ended the running Nimbrel politely" ended_politely
for file in Nimbrel.exe LICENSE.txt Uninstall.exe; do
    check "uninstall removed $file" test ! -e "$instdir/$file"
done
check "uninstall left the file it did not install (and so the folder)" \
    test "$(ls -A "$instdir" 2>/dev/null)" = wlanapi.dll
check "uninstall removed the Start menu shortcut" test ! -e "$shortcut"
check "uninstall removed the Uninstall entry" key_gone "$UNINSTALL_KEY"
check "uninstall removed the autostart value" value_gone "$RUN_KEY" Nimbrel
check "uninstall kept the saved choices" test "$(value_in "$(key_values "$SETTINGS_KEY")" PackagingTest || true)" = keep
rm -f "$instdir/wlanapi.dll"
rmdir "$instdir" 2>/dev/null || true

# --- 4. /REMOVESETTINGS, the way Windows starts an uninstaller ------------------------------
code=0
wine_exec "$setup" /S || code=$?
[ "$code" -eq 0 ] || die "the second silent install ended with exit code $code"
quiet=$(value_in "$(key_values "$UNINSTALL_KEY")" QuietUninstallString) || die "no QuietUninstallString"
# "<program>" /S, as checked above: the quoted program, then its switches.
program=${quiet#\"}
program=${program%%\"*}
code=0
wine_exec "$program" /S /REMOVESETTINGS || code=$?
check "uninstall as Windows starts it succeeds (exit code $code)" test "$code" -eq 0
check "the relaunched uninstaller finished" wait_for_relaunched_uninstaller
check "uninstall removed the install folder" test ! -e "$instdir"
check "uninstall removed the Uninstall entry" key_gone "$UNINSTALL_KEY"
check "/REMOVESETTINGS removed the saved choices" key_gone "$SETTINGS_KEY"

# --- 5. a Nimbrel that does not end ---------------------------------------------------------
rm -f "$work/stubborn.ready"
"$root/tools/testbed/wine-exec" "$build" "$stubborn" "$(windows_path "$work/stubborn.ready")" \
    </dev/null >/dev/null 2>&1 &
stubborn_pid=$!
for _ in $(seq 200); do
    [ -e "$work/stubborn.ready" ] && break
    sleep 0.1
done
[ -e "$work/stubborn.ready" ] || die "the window that ignores WM_CLOSE did not come up"
started=$SECONDS
code=0
wine_exec "$setup" /S || code=$?
took=$((SECONDS - started))
check "install gives up on a Nimbrel that does not end (exit code $code)" test "$code" -eq 2
check "install gave up after its wait ($took s)" test "$took" -ge 9 -a "$took" -le 20
check "install gave up before installing anything" test ! -e "$instdir"
check "install gave up before registering anything" key_gone "$UNINSTALL_KEY"
stop "$stubborn_pid"
stubborn_pid=

echo
if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "every check passed"
