#!/usr/bin/env python3
"""Writes the portable zip so that the same inputs always give the same bytes.

    make-zip.py <output.zip> <file>[=<name in the zip>]...

Entries are stored in the order given, each with the same date (2026-01-01 00:00), fixed
permissions (0755 for .exe, 0644 otherwise), Deflate at level 9 and no extra fields, so nothing
of the machine, the build time or the checkout's file modes leaks into the archive.
"""
import os
import sys
import zipfile

FIXED_DATE = (2026, 1, 1, 0, 0, 0)


def entry(spec):
    path, _, name = spec.partition("=")
    return path, name or os.path.basename(path)


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    output, entries = argv[1], [entry(spec) for spec in argv[2:]]
    names = [name for _, name in entries]
    if len(set(names)) != len(names):
        sys.stderr.write("make-zip: a name appears twice: %s\n" % names)
        return 2
    temporary = output + ".part"
    with zipfile.ZipFile(temporary, "w") as archive:
        for path, name in entries:
            with open(path, "rb") as source:
                data = source.read()
            info = zipfile.ZipInfo(name, date_time=FIXED_DATE)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.create_system = 3  # Unix, so that the permission bits below mean something
            mode = 0o755 if name.lower().endswith(".exe") else 0o644
            info.external_attr = (0o100000 | mode) << 16
            archive.writestr(info, data, compress_type=zipfile.ZIP_DEFLATED, compresslevel=9)
    # Renamed into place: an interrupted run never leaves a half archive under the real name.
    os.replace(temporary, output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
