#!/usr/bin/env python3
"""Assembles the part of the sample package's payload that is not kept in payload/: the
programs the build makes, the fonts taken from Debian's Wine and DejaVu packages, and the
code conversion tables. Which files there are comes from `kvpack files`; laying them out on
disks is kvpack build's work.

    stage_payload.py --kvpack KVPACK --programs DIR --setup SETUP.EXE --out DIR
"""

import argparse
import os
import re
import shutil
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
PAYLOAD = os.path.join(HERE, "payload")
WINE_FONTS = "/usr/share/wine/fonts"
DEJAVU = "/usr/share/fonts/truetype/dejavu"

# Where each file comes from: a built program, a font of the Wine or DejaVu packages, or
# something made here. Rules are tried in order.
SOURCES = [
    (r"(kvox|kvkeyb|kvedit|kvkeyed|kvview|kvsample|uninst)\.exe", lambda m: ("program", m.group(0))),
    (r".*\.(dll|drv|kbd)", lambda m: ("program", "kvlib.dll")),
    (r"xlat(\d+)\.bin", lambda m: ("xlat", m.group(1))),
    (r"nsserife\.fnt", lambda m: ("fnt", "sserifer.fon", "Nimbra Sans Serif")),
    (r"dejavus\.ttf", lambda m: ("file", os.path.join(DEJAVU, "DejaVuSans.ttf"))),
    (r"dejavusf\.ttf", lambda m: ("file", os.path.join(DEJAVU, "DejaVuSerif.ttf"))),
    (r"dejavumo\.ttf", lambda m: ("file", os.path.join(DEJAVU, "DejaVuSansMono.ttf"))),
    (r"(helv|tmsr)8cyr\.fon", lambda m: ("wine", "sseriffr.fon")),
    (r"(helv|tmsr).*\.fon", lambda m: ("wine", "sserifer.fon")),
    (r"cour.*\.fon", lambda m: ("wine", "courer.fon")),
    (r"smal.*\.fon", lambda m: ("wine", "smaller.fon")),
    (r".*sysr\.fon", lambda m: ("wine", "vgasysr.fon")),
    (r".*fixr\.fon", lambda m: ("wine", "vgafix.fon")),
    (r"(ega|vga|8514)\d+\.fon", lambda m: ("wine", "vgasys.fon")),
    (r"(EGA|CGA)(80|40)\d+\.fon|app\d+\.fon", lambda m: ("wine", "vgafix.fon")),
]

# The package's own fonts and tables carry its name, as its programs and libraries do, so
# that its uninstaller can tell them from files of the same name that Windows has.
PACKAGE_MARK = b"\r\nK-VOX 2.0, Cyrillic localization package\r\n"


def xlat_table(code_page):
    """A DOS-to-Windows translation table: 256 bytes, Cyrillic letters mapped for cp866."""
    table = bytearray(range(256))
    try:
        for b in range(128, 256):
            ch = bytes([b]).decode("cp" + code_page)
            table[b] = ch.encode("cp1251", errors="replace")[0]
    except LookupError:
        pass
    return bytes(table)


def renamed_fnt(fon_path, face):
    """The first font resource of a .fon file as a bare .fnt, with another face name."""
    data = open(fon_path, "rb").read()
    ne = struct.unpack_from("<I", data, 0x3C)[0]
    table = ne + struct.unpack_from("<H", data, ne + 0x24)[0]
    shift = struct.unpack_from("<H", data, table)[0]
    pos = table + 2
    while True:
        type_id, count = struct.unpack_from("<HH", data, pos)
        if type_id == 0:
            raise SystemExit("no font resource in " + fon_path)
        pos += 8
        if type_id == 0x8008:
            offset, length = struct.unpack_from("<HH", data, pos)
            fnt = bytearray(data[offset << shift:(offset << shift) + (length << shift)])
            break
        pos += 12 * count
    size = struct.unpack_from("<I", fnt, 2)[0]
    fnt = fnt[:size] + face.encode("ascii") + b"\0"
    struct.pack_into("<I", fnt, 105, size)
    struct.pack_into("<I", fnt, 2, len(fnt))
    copyright_text = b"K-VOX screen font, after Wine's MS Sans Serif (LGPL)"
    fnt[6:66] = copyright_text.ljust(60, b"\0")[:60]
    return bytes(fnt)


def content(name, programs):
    for pattern, rule in SOURCES:
        match = re.fullmatch(pattern, name, re.IGNORECASE)
        if not match:
            continue
        kind, *args = rule(match)
        if kind == "program":
            return open(os.path.join(programs, args[0]), "rb").read()
        if kind == "wine":
            return open(os.path.join(WINE_FONTS, args[0]), "rb").read() + PACKAGE_MARK
        if kind == "file":
            return open(args[0], "rb").read()
        if kind == "xlat":
            return xlat_table(args[0]) + PACKAGE_MARK
        return renamed_fnt(os.path.join(WINE_FONTS, args[0]), args[1])
    raise SystemExit("stage_payload: no source for " + name)


def listed_files(kvpack):
    """The names setup1.inf lists, as kvpack reads them."""
    out = subprocess.run([kvpack, "files", HERE], check=True, stdout=subprocess.PIPE).stdout
    return [line.split(b"\t")[0].decode("latin-1") for line in out.splitlines() if line]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--kvpack", required=True, help="the native kvpack")
    parser.add_argument("--programs", required=True, help="directory of the built sample programs")
    parser.add_argument("--setup", required=True, help="setup.exe for the first disk")
    parser.add_argument("--out", required=True, help="directory that receives the staged payload")
    args = parser.parse_args()

    kept = {name.lower() for name in os.listdir(PAYLOAD)}
    shutil.rmtree(args.out, ignore_errors=True)
    os.makedirs(args.out)
    for name in listed_files(args.kvpack):
        if name.lower() in kept or name.lower() == "setup1.inf":
            continue
        open(os.path.join(args.out, name.lower()), "wb").write(content(name, args.programs))
    shutil.copy(args.setup, os.path.join(args.out, "setup.exe"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
