#!/usr/bin/env python3
"""Writes the download: NAME-win32.zip with the program and its two texts in
one folder NAME/, a copy of the program beside it, and SHA256SUMS for both.

Usage: make-archive.py OUT_DIR NAME PROGRAM README LICENSE

The same inputs give the same bytes whatever the clock, time zone, locale or
umask: every entry's date is SOURCE_DATE_EPOCH (which must be set), read as
UTC; entries come in a fixed order with fixed permissions and no extra
fields.
"""
import hashlib
import os
import shutil
import sys
import time
import zipfile


def entry(name, epoch, mode):
    # Zip dates cannot go before 1980 and count in steps of two seconds.
    stamp = time.gmtime(max(epoch, 315532800))
    info = zipfile.ZipInfo(name, date_time=stamp[:6])
    info.create_system = 3  # Unix, so that the permissions below are read
    info.external_attr = mode << 16
    info.compress_type = zipfile.ZIP_DEFLATED
    return info


def sha256(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def main(argv):
    if len(argv) != 6:
        sys.exit(__doc__.strip())
    out_dir, name, program, readme, licence = argv[1:]
    epoch_text = os.environ.get("SOURCE_DATE_EPOCH", "")
    if not epoch_text.isdigit():
        sys.exit("make-archive: SOURCE_DATE_EPOCH must hold the last commit's time in seconds")
    epoch = int(epoch_text)

    os.makedirs(out_dir, exist_ok=True)
    archive = os.path.join(out_dir, name + "-win32.zip")
    contents = [
        ("Brindleway.exe", program, 0o100755),
        ("LICENSE.txt", licence, 0o100644),
        ("README.txt", readme, 0o100644),
    ]
    with zipfile.ZipFile(archive + ".part", "w") as zf:
        for inner, path, mode in contents:
            with open(path, "rb") as f:
                zf.writestr(entry(name + "/" + inner, epoch, mode), f.read(), compresslevel=9)
    os.replace(archive + ".part", archive)

    exe_copy = os.path.join(out_dir, "Brindleway.exe")
    shutil.copyfile(program, exe_copy)
    os.chmod(exe_copy, 0o755)
    with open(os.path.join(out_dir, "SHA256SUMS"), "w", newline="\n") as sums:
        for path in (archive, exe_copy):
            sums.write("%s  %s\n" % (sha256(path), os.path.basename(path)))


if __name__ == "__main__":
    main(sys.argv)
