#!/usr/bin/env python3
"""Fails, naming each fault, when the program's manifest or icon, as read
back from the built exe, would not do what current Windows needs:
  check-resources.py WRESTOOL PROGRAM.exe

Manifest: system DPI for Vista to 8.1 and per-monitor DPI from Windows 10
on, every Windows version from Vista to 11 named as supported (or Windows
answers version queries as 6.2 and applies its shims for old programs), the
Common Controls 6.0 dependency, no requested execution level (with one,
the game's registry keys would no longer be virtualised for us as they are
for the game), and the program's own identity naming the processor the exe
is built for (x86 or amd64), which the side-by-side loader checks against
the exe.
Icon 1 (the one the window loads): an image for each size Windows picks at
100 to 250 per cent and for Explorer's large views, all with an alpha
channel, the largest as PNG as Windows expects."""

import struct
import subprocess
import sys
import xml.etree.ElementTree as ET

ASM_V1 = "urn:schemas-microsoft-com:asm.v1"
ASM_V3 = "urn:schemas-microsoft-com:asm.v3"
COMPATIBILITY = "urn:schemas-microsoft-com:compatibility.v1"
SETTINGS_2005 = "http://schemas.microsoft.com/SMI/2005/WindowsSettings"
SETTINGS_2016 = "http://schemas.microsoft.com/SMI/2016/WindowsSettings"

SUPPORTED_OS = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}": "Windows Vista",
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}": "Windows 7",
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}": "Windows 8",
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}": "Windows 8.1",
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}": "Windows 10 and 11",
}
ICON_SIZES = (16, 20, 24, 32, 40, 48, 64, 256)
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
# The PE header's machine field, and the manifest's name for it.
ARCHITECTURES = {0x14C: "x86", 0x8664: "amd64"}


def extract(wrestool, program, *selection):
    try:
        run = subprocess.run([wrestool, "-x", *selection, program], capture_output=True, check=False)
    except OSError as error:
        sys.exit("check-resources: cannot run wrestool (%s); scripts/install-packages.sh installs icoutils" % error)
    if run.returncode != 0:
        sys.exit("check-resources: wrestool failed on %s: %s" % (program, run.stderr.decode(errors="replace").strip()))
    return run.stdout


def q(namespace, name):
    return "{%s}%s" % (namespace, name)


def program_architecture(program):
    """The manifest's name for the processor the exe is built for, or None."""
    with open(program, "rb") as exe:
        header = exe.read(4096)
    if len(header) < 64 or header[:2] != b"MZ":
        return None
    (pe,) = struct.unpack_from("<I", header, 0x3C)
    if len(header) < pe + 6 or header[pe:pe + 4] != b"PE\0\0":
        return None
    (machine,) = struct.unpack_from("<H", header, pe + 4)
    return ARCHITECTURES.get(machine)


def manifest_faults(text, architecture):
    try:
        root = ET.fromstring(text)
    except ET.ParseError as error:
        return ["the manifest is not well-formed XML (%s)" % error]
    faults = []
    if root.tag != q(ASM_V1, "assembly"):
        faults.append("the manifest's root is %s, not the asm.v1 assembly" % root.tag)

    identities = root.findall(q(ASM_V1, "assemblyIdentity"))
    named = [identity.get("processorArchitecture") for identity in identities]
    if architecture is None:
        faults.append("the program is built for no processor the manifest can name")
    elif named != [architecture]:
        faults.append("the program's identity names processor %s, not %s, the one it is built for" %
                      (named or "none", architecture))

    controls = [
        identity for identity in root.findall("./%s/%s/%s" % (q(ASM_V1, "dependency"), q(ASM_V1, "dependentAssembly"),
                                                             q(ASM_V1, "assemblyIdentity")))
        if identity.get("name") == "Microsoft.Windows.Common-Controls" and identity.get("version") == "6.0.0.0" and
        identity.get("publicKeyToken") == "6595b64144ccf1df"
    ]
    if not controls:
        faults.append("no dependency on Common Controls 6.0")

    # The element is looked for in any namespace: a misspelt one would be
    # ignored by Windows, but then so would the point of this check.
    for element in root.iter():
        local = element.tag.rsplit("}", 1)[-1]
        if local in ("requestedExecutionLevel", "trustInfo"):
            faults.append("the manifest has a %s element" % local)

    settings = root.findall("./%s/%s" % (q(ASM_V3, "application"), q(ASM_V3, "windowsSettings")))
    aware = [e.text or "" for s in settings for e in s.findall(q(SETTINGS_2005, "dpiAware"))]
    if [a.strip().lower() for a in aware] != ["true"]:
        faults.append("dpiAware (2005 windowsSettings namespace, under asm.v3 application) is %s, not one 'true'" %
                      (aware or "missing"))
    awareness = [e.text or "" for s in settings for e in s.findall(q(SETTINGS_2016, "dpiAwareness"))]
    values = [[v.strip().lower() for v in a.split(",")] for a in awareness]
    if values != [["permonitorv2", "permonitor"]]:
        faults.append("dpiAwareness (2016 windowsSettings namespace, under asm.v3 application) is %s, not "
                      "'PerMonitorV2, PerMonitor'" % (awareness or "missing"))

    declared = {
        (os.get("Id") or "").lower()
        for os in root.findall("./%s/%s/%s" % (q(COMPATIBILITY, "compatibility"), q(COMPATIBILITY, "application"),
                                               q(COMPATIBILITY, "supportedOS")))
    }
    for guid, name in SUPPORTED_OS.items():
        if guid not in declared:
            faults.append("no supportedOS for %s %s" % (name, guid))
    return faults


def image_fault(size, image):
    """What is wrong with one image of the icon, or None."""
    if image[:8] == PNG_SIGNATURE:
        if image[12:16] != b"IHDR":
            return "the %d-pixel PNG has no header" % size
        width, height, depth, colour = struct.unpack_from(">IIBB", image, 16)
        if (width, height) != (size, size):
            return "the %d-pixel entry holds a %dx%d PNG" % (size, width, height)
        if (depth, colour) != (8, 6):
            return "the %d-pixel PNG is not 8-bit RGBA (depth %d, colour type %d)" % (size, depth, colour)
        return None
    if size >= 256:
        return "the %d-pixel image is not stored as PNG" % size
    if len(image) < 40:
        return "the %d-pixel image is cut short" % size
    width, height, _, bits, compression = struct.unpack_from("<iiHHI", image, 4)
    if (width, height) != (size, 2 * size):
        return "the %d-pixel bitmap measures %dx%d (the height must count the mask too)" % (size, width, height)
    if bits != 32 or compression != 0:
        return "the %d-pixel bitmap has %d bits a pixel, compression %d, not 32-bit BI_RGB" % (size, bits,
                                                                                           compression)
    colour = image[40:40 + 4 * size * size]
    if len(colour) < 4 * size * size:
        return "the %d-pixel bitmap is cut short" % size
    # Windows draws a 32-bit image whose alpha is all zero through its mask
    # instead, with hard edges.
    if not any(colour[3::4]):
        return "the %d-pixel bitmap's alpha channel is all zero" % size
    return None


def icon_faults(data):
    if len(data) < 6:
        return ["icon 1 is missing"]
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    if kind != 1:
        return ["icon 1 is not an icon (type %d)" % kind]
    faults = []
    found = {}
    for i in range(count):
        width, height, _, _, _, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        width, height = width or 256, height or 256
        if width != height:
            faults.append("icon 1 has a %dx%d image" % (width, height))
            continue
        if bits != 32:
            faults.append("the %d-pixel entry says %d bits a pixel" % (width, bits))
        found[width] = data[offset:offset + length]
    for size in ICON_SIZES:
        if size not in found:
            faults.append("icon 1 has no %d-pixel image" % size)
            continue
        fault = image_fault(size, found[size])
        if fault:
            faults.append(fault)
    return faults


def main():
    wrestool, program = sys.argv[1:3]
    manifest = extract(wrestool, program, "--raw", "--type=24", "--name=1")
    faults = manifest_faults(manifest, program_architecture(program)) if manifest else ["the program has no manifest (resource 24, 1)"]
    faults += icon_faults(extract(wrestool, program, "--type=14", "--name=1"))
    if faults:
        print("check-resources: %s:" % program)
        for fault in faults:
            print("  " + fault)
        return 1
    print("check-resources: manifest and icon of %s are as current Windows needs them" % program)
    return 0


if __name__ == "__main__":
    sys.exit(main())
