#!/usr/bin/env bash
# Makes the release twice, from two copies of this checkout at different
# paths, with different time zones, locales and umasks, and fails unless both
# give the same bytes and the archive holds what a Windows user expects: one
# folder with the program and two plain-ASCII texts with CRLF line ends.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct)
fi
export SOURCE_DATE_EPOCH

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The working tree as it stands (committed or not), without build output.
copy_checkout() {
    mkdir -p "$1"
    if git -C "$root" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        git -C "$root" ls-files -z --cached --others --exclude-standard |
            (cd "$root" && tar --null -T - -cf -) | tar -C "$1" -xf -
    else
        tar -C "$root" --exclude=./build -cf - . | tar -C "$1" -xf -
    fi
}

first="$scratch/one/brindleway"
second="$scratch/two/a much/longer path/checkout"
copy_checkout "$first"
copy_checkout "$second"

echo "release in $first" >&2
archive1=$(cd "$first" && umask 022 && TZ=UTC LC_ALL=C scripts/release.sh | tail -n 1)
echo "release in $second" >&2
archive2=$(cd "$second" && umask 077 && TZ=Pacific/Kiritimati LC_ALL=C.UTF-8 scripts/release.sh | tail -n 1)

[ "$archive1" = "$first/build/release/$(basename "$archive1")" ] ||
    { echo "check-release: release.sh did not end with the archive's path: $archive1" >&2; exit 1; }
for f in "$(basename "$archive1")" Brindleway.exe SHA256SUMS; do
    cmp "$first/build/release/$f" "$second/build/release/$f" ||
        { echo "check-release: $f differs between the two builds" >&2; exit 1; }
done
(cd "$first/build/release" && sha256sum --check --quiet SHA256SUMS)
# The released program's manifest and icon, as the test command checks them.
python3 "$root/tests/compat/check-resources.py" wrestool "$first/build/release/Brindleway.exe" >&2

python3 - "$archive1" "$first" "$second" "$root/LICENSE" <<'PY'
import os, re, struct, sys, time, zipfile

archive, first, second, licence_path = sys.argv[1:]
faults = []
name = re.fullmatch(r"(Brindleway-(\d+)\.(\d+))-win32\.zip", os.path.basename(archive))
if not name:
    sys.exit("check-release: unexpected archive name " + archive)
folder, major, minor = name.group(1), int(name.group(2)), int(name.group(3))

with zipfile.ZipFile(archive) as zf:
    infos = zf.infolist()
    names = [i.filename for i in infos]
    expected = [folder + "/Brindleway.exe", folder + "/LICENSE.txt", folder + "/README.txt"]
    if names != expected:
        faults.append("entries %s, expected %s" % (names, expected))
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    for i in infos:
        if i.extra:
            faults.append(i.filename + " has extra fields")
        if i.date_time != time.gmtime(epoch - epoch % 2)[:6]:
            faults.append("%s dated %s" % (i.filename, i.date_time))
    texts = {n: zf.read(n) for n in names}

exe = texts.get(folder + "/Brindleway.exe", b"")
with open(os.path.join(first, "build/release/Brindleway.exe"), "rb") as f:
    if f.read() != exe:
        faults.append("the program in the archive is not the one in SHA256SUMS")

for n in (folder + "/README.txt", folder + "/LICENSE.txt"):
    text = texts.get(n, b"")
    if not text or any(b > 0x7E or (b < 0x20 and b not in (0x0D, 0x0A)) for b in text):
        faults.append(n + " is empty or not plain printable ASCII")
    if text.count(b"\n") == 0 or text.count(b"\r\n") != text.count(b"\n") or text.count(b"\r") != text.count(b"\n") or not text.endswith(b"\r\n"):
        faults.append(n + " does not end every line with CRLF")
with open(licence_path, "rb") as f:
    if texts.get(folder + "/LICENSE.txt") != f.read().replace(b"\n", b"\r\n"):
        faults.append("LICENSE.txt is not the repository's LICENSE")
if ("Brindleway %d.%d" % (major, minor)).encode() not in texts.get(folder + "/README.txt", b""):
    faults.append("README.txt does not name version %d.%d" % (major, minor))

# One version number: the version block and the manifest agree with the name.
version_text = ("%d.%02d" % (major, minor)).encode("utf-16-le")
if ("ProductVersion\0").encode("utf-16-le") not in exe or version_text not in exe:
    faults.append("the version block does not carry %d.%02d" % (major, minor))
if ('version="%d.%d.' % (major, minor)).encode() not in exe:
    faults.append("the manifest does not carry version %d.%d" % (major, minor))
# No link time, and neither build's path, in the program.
pe = struct.unpack_from("<I", exe, 0x3C)[0] if len(exe) > 0x40 else 0
if exe[pe:pe + 4] != b"PE\0\0" or struct.unpack_from("<I", exe, pe + 8)[0] != 0:
    faults.append("the PE header carries a link time")
for path in (first, second):
    if path.encode() in exe:
        faults.append("the program holds its build path " + path)

if faults:
    sys.exit("check-release: " + "; ".join(faults))
print("check-release: %s and Brindleway.exe are identical from both builds (%d and %d bytes)"
      % (os.path.basename(archive), os.path.getsize(archive), len(exe)))
PY
