#!/usr/bin/env python3
"""Makes the release zip from a built program folder.

    make-package.py PROGRAM_DIR VERSION GUIDE_SOURCE OUT_ZIP

The zip holds one folder VelText-<version>/ with the program, the DLL, the stock background
folders and the user guide "はじめに.txt" in Shift-JIS with CR LF line ends, as a Japanese
Windows user's editors expect. Names are stored in UTF-8 with the zip's UTF-8 flag, which the
Windows Explorer (10 and later) and every current unzip tool read.
"""
import os
import sys
import zipfile

PROGRAM_FILES = ["VelText.exe", "rastkit.dll"]
STOCK_FOLDERS = ["basecntl", "baseview", "graypic"]
GUIDE_NAME = "はじめに.txt"


def fail(message):
    print(f"package: {message}", file=sys.stderr)
    sys.exit(1)


def guide_bytes(source, version):
    with open(source, encoding="utf-8") as f:
        text = f.read().replace("@VERSION@", version)
    text = text.replace("\r\n", "\n").replace("\n", "\r\n")
    try:
        return text.encode("cp932")
    except UnicodeEncodeError as e:
        fail(f"the guide holds a character Shift-JIS cannot hold: {text[e.start:e.end]!r}")


def main():
    if len(sys.argv) != 5:
        fail(__doc__.strip().splitlines()[2].strip())
    program_dir, version, guide_source, out_zip = sys.argv[1:]
    top = f"VelText-{version}/"
    entries = []  # (name in the zip, path on disk or None, bytes or None)
    for name in PROGRAM_FILES:
        path = os.path.join(program_dir, name)
        if not os.path.isfile(path):
            fail(f"{path} is missing; build the program first")
        entries.append((top + name, path, None))
    for folder in STOCK_FOLDERS:
        base = os.path.join(program_dir, folder)
        files = sorted(f for f in os.listdir(base) if os.path.isfile(os.path.join(base, f))) if os.path.isdir(base) else []
        if not files:
            fail(f"the stock background folder {base} is missing or empty")
        for f in files:
            entries.append((f"{top}{folder}/{f}", os.path.join(base, f), None))
    entries.append((top + GUIDE_NAME, None, guide_bytes(guide_source, version)))

    os.makedirs(os.path.dirname(os.path.abspath(out_zip)), exist_ok=True)
    partial = out_zip + ".partial"
    with zipfile.ZipFile(partial, "w", compression=zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name, path, data in entries:
            if path is not None:
                z.write(path, name)
            else:
                info = zipfile.ZipInfo(name, date_time=(2026, 1, 1, 0, 0, 0))
                info.compress_type = zipfile.ZIP_DEFLATED
                info.external_attr = 0o644 << 16
                z.writestr(info, data)
    # A zip that does not read back whole never takes the place of a good one.
    with zipfile.ZipFile(partial) as z:
        bad = z.testzip()
        if bad is not None:
            fail(f"{bad} does not read back from the new zip")
    os.replace(partial, out_zip)
    print(f"package: {out_zip} ({len(entries)} files, {os.path.getsize(out_zip)} bytes)")


if __name__ == "__main__":
    main()
