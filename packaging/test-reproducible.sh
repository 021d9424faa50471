#!/usr/bin/env bash
# The zip and the installer depend on the bytes of their inputs only: the same program, README
# and LICENSE with other file times and modes, in another folder, give the same two files.
#   test-reproducible.sh <scratch> <python3> <makensis> <packaging-dir> <exe> <readme> <license> <makensis args>...
set -eu
[ $# -ge 7 ] || { echo "usage: $0 <scratch> <python3> <makensis> <packaging-dir> <exe> <readme> <license> [makensis args...]" >&2; exit 2; }
scratch=$1 python=$2 makensis=$3 packaging=$4 exe=$5 readme=$6 license=$7
shift 7

rm -rf "$scratch"
mkdir -p "$scratch/one" "$scratch/two"
for copy in one two; do
    cp "$exe" "$scratch/$copy/Nimbrel.exe"
    cp "$readme" "$scratch/$copy/README.md"
    cp "$license" "$scratch/$copy/LICENSE"
done
# The second copy looks as different as a file system can make it.
touch -d '2001-02-03 04:05:06' "$scratch/two/"*
chmod 600 "$scratch/two/"*

for copy in one two; do
    "$python" "$packaging/make-zip.py" "$scratch/$copy.zip" \
        "$scratch/$copy/Nimbrel.exe" "$scratch/$copy/README.md" "$scratch/$copy/LICENSE"
    "$makensis" "$@" -DPROGRAM="$scratch/$copy/Nimbrel.exe" -DOUTFILE="$scratch/$copy-setup.exe" \
        "$packaging/installer.nsi" >/dev/null
done

failed=0
for pair in ".zip" "-setup.exe"; do
    a=$(sha256sum <"$scratch/one$pair" | cut -d' ' -f1)
    b=$(sha256sum <"$scratch/two$pair" | cut -d' ' -f1)
    if [ "$a" = "$b" ]; then
        echo "ok: both builds of *$pair are $a"
    else
        echo "FAIL: *$pair differs between the two builds ($a, $b)"
        failed=1
    fi
done

# What is in the zip: the three files, in this order, whole, with the fixed date and modes and
# no extra fields that could carry times of their own.
"$python" - "$scratch/two.zip" "$scratch/one" <<'PY' || failed=1
import sys, zipfile
archive, inputs = sys.argv[1], sys.argv[2]
expected = [("Nimbrel.exe", 0o100755), ("README.md", 0o100644), ("LICENSE", 0o100644)]
problems = []
with zipfile.ZipFile(archive) as z:
    infos = z.infolist()
    if [i.filename for i in infos] != [name for name, _ in expected]:
        problems.append("entries %s" % [i.filename for i in infos])
    for info, (name, mode) in zip(infos, expected):
        if info.date_time != (2026, 1, 1, 0, 0, 0):
            problems.append("%s dated %s" % (name, info.date_time))
        if info.external_attr >> 16 != mode:
            problems.append("%s mode %o" % (name, info.external_attr >> 16))
        if info.extra:
            problems.append("%s has extra fields" % name)
        if z.read(info) != open("%s/%s" % (inputs, name), "rb").read():
            problems.append("%s is not the input file" % name)
for p in problems:
    print("FAIL: zip: " + p)
if not problems:
    print("ok: the zip holds Nimbrel.exe, README.md, LICENSE with fixed dates and modes")
sys.exit(1 if problems else 0)
PY

[ "$failed" -ne 0 ] || rm -rf "$scratch"
exit $failed
