#!/usr/bin/env python3
"""Lays out the sample package's disks DISK1, DISK2 and DISK3.

Every file that setup1.inf names goes onto the disk that setup1.inf gives for it, some of
them under their compressed names (SZDD, made with mscompress). The first disk also gets
setup.exe and setup1.inf, whose [volume] section is filled with the sizes of the files
as they are installed. Beside the disks: ONEDIR holds the three disks' files in one
directory (a package copied to a hard disk or a server), and ORIGINALS every file as it
must come out of the installation, for the tests to compare against.

    make_disks.py --programs DIR --setup SETUP.EXE --out DIR
"""

import argparse
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
INF = os.path.join(HERE, "setup1.inf")
PAYLOAD = os.path.join(HERE, "payload")
WINE_FONTS = "/usr/share/wine/fonts"
DEJAVU = "/usr/share/fonts/truetype/dejavu"

FILE_SECTIONS = [
    "windows.system", "windows", "uninstall.k-vox", "programfiles.k-vox",
    "programfiles.system", "programfiles.windows", "application",
    "applications.system", "kdk",
]

# Where each installed file comes from: a built program, a payload file, a font of the
# Wine or DejaVu packages, or something made here. Rules are tried in order.
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
    (r".*", lambda m: ("payload", m.group(0))),
]

# The package's own fonts and tables carry its name, as its programs and libraries do, so
# that its uninstaller can tell them from files of the same name that Windows has.
PACKAGE_MARK = b"\r\nK-VOX 2.0, Cyrillic localization package\r\n"

# Files stored under their compressed names on the disks.
COMPRESSED = {
    "kvox.exe", "kvedit.exe", "uninst.exe", "kvreadme.txt", "kvoxhelp.txt", "kvox.h",
    "helvvcyr.fon", "vgasysr.fon", "dejavumo.ttf", "kbdru.kbd", "xlat866.bin",
}


class Inf:
    """setup1.inf as sections of (key, value) pairs in file order; bytes kept as they are."""

    def __init__(self, path):
        self.text = open(path, "rb").read().decode("latin-1")
        self.sections = {}
        current = None
        for line in self.text.splitlines():
            line = line.strip()
            if not line or line.startswith(";"):
                continue
            if line.startswith("[") and line.endswith("]"):
                current = self.sections.setdefault(line[1:-1].lower(), [])
            elif current is not None:
                key, _, value = line.partition("=")
                current.append((key.strip(), value.strip()))

    def section(self, name):
        return self.sections.get(name.lower(), [])

    def value(self, section, key):
        for k, v in self.section(section):
            if k.lower() == key.lower():
                return v
        return None


def member(value, n):
    """Member n (from 1) of a comma list, blanks after a comma skipped."""
    parts = value.split(",")
    if n > len(parts):
        return None
    return parts[n - 1] if n == 1 else parts[n - 1].lstrip(" ")


def files_on_disks(inf):
    """Every file the package installs: {name: disk}."""
    files = {"k-vox.ini": "1"}
    for name in FILE_SECTIONS:
        for key, disk in inf.section(name):
            files[key] = disk or "3"

    def item(section, file_member):
        for _, value in inf.section(section):
            name, disk = member(value, file_member), member(value, file_member + 1)
            if name and disk:
                files[name] = disk

    item("oemansi", 1)
    item("default.setup", 4)
    item("keyboard layouts", 2)
    for _, section in inf.section("oemfonts"):
        item(section, 1)
    for family in ("sysfonts", "fixedfonts", "small", "helv", "cour", "tmsr"):
        item(family + ".1251", 1)
    item("ttf.1251", 1)
    for _, value in inf.section("vga.gr3"):
        code, disk = member(value, 1), member(value, 2)
        for prefix in ("EGA80", "EGA40", "CGA80", "CGA40", "app"):
            files[prefix + code + ".fon"] = disk
    return files


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
        if kind == "fnt":
            return renamed_fnt(os.path.join(WINE_FONTS, args[0]), args[1])
        return open(os.path.join(PAYLOAD, args[0]), "rb").read()
    raise SystemExit("no source for " + name)


def compressed_name(name):
    base, ext = os.path.splitext(name)
    return base + (ext[:-1] + "_" if len(ext) > 1 else "._")


def compress(data, name, disk_dir):
    with tempfile.TemporaryDirectory() as work:
        plain = os.path.join(work, name)
        open(plain, "wb").write(data)
        subprocess.run(["mscompress", plain], check=True, stdout=subprocess.DEVNULL)
        shutil.move(plain + "_", os.path.join(disk_dir, compressed_name(name).upper()))


def volume_sizes(inf, sizes):
    """Installed bytes per [volume] key; where a key covers a choice (a code page, a country),
    the largest choice counts."""

    def total(names):
        return sum(sizes.get(n, 0) for n in names)

    def section_files(name):
        return [k for k, _ in inf.section(name)]

    def item_files(section, key, file_member=1):
        value = inf.value(section, key)
        return [member(value, file_member)] if value else []

    def largest(groups):
        return max((total(g) for g in groups), default=0)

    volume = {
        "WINOTHER": total(section_files("windows.system") + section_files("windows") + ["k-vox.ini"]
                          + [member(v, 2) for _, v in inf.section("keyboard layouts")]),
        "WINSPACE": total(section_files("programfiles.system") + section_files("programfiles.windows"))
        + largest([item_files("oemansi", cp) for cp, _ in inf.section("oemansi")])
        + largest([item_files("default.setup", c, 4) for c, _ in inf.section("default.setup")]),
        "UNINSTFILES": total(section_files("uninstall.k-vox")),
        "PROGFILES": total(section_files("programfiles.k-vox")),
        "APPLIC": total(section_files("application") + section_files("applications.system")),
        "KDK": total(section_files("kdk")),
        "TTF": total([member(v, 1) for _, v in inf.section("ttf.1251")]),
        "OEM": largest([[p + member(v, 1) + ".fon" for p in ("EGA80", "EGA40", "CGA80", "CGA40", "app")]
                        for _, v in inf.section("vga.gr3")]),
    }
    for size_code in ("HI1", "HI2", "HI4"):
        files = []
        for family in ("sysfonts", "fixedfonts", "small", "helv", "cour", "tmsr"):
            files += item_files(family + ".1251", size_code)
        oem = largest([item_files(s, size_code) for _, s in inf.section("oemfonts")])
        volume[size_code] = total(files) + oem
    for printer_key in ("ALL", "PR2", "PR9"):
        volume[printer_key] = total(sum((item_files(f + ".1251", printer_key)
                                         for f in ("helv", "cour", "tmsr")), []))
    return volume


def with_volume(text, volume):
    """setup1.inf with its [volume] values replaced."""
    def replace(match):
        key = match.group(1)
        return "%s=%d" % (key, volume[key]) if key in volume else match.group(0)

    head, start, rest = text.partition("\r\n[volume]\r\n")
    body, end, tail = rest.partition("\r\n[")
    body = re.sub(r"(?m)^([A-Z0-9]+)=\d+", replace, body)
    return head + start + body + end + tail


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--programs", required=True, help="directory of the built sample programs")
    parser.add_argument("--setup", required=True, help="setup.exe to put on the first disk")
    parser.add_argument("--out", required=True, help="directory that receives DISK1..DISK3")
    parser.add_argument("--inf", default=INF, help="setup1.inf of another package made of the same files")
    args = parser.parse_args()

    inf = Inf(args.inf)
    files = files_on_disks(inf)
    disks = sorted({d for d in files.values()} | {k for k, _ in inf.section("disks")})
    shutil.rmtree(args.out, ignore_errors=True)
    for disk in disks:
        os.makedirs(os.path.join(args.out, "DISK" + disk))

    sizes = {}
    originals = os.path.join(args.out, "ORIGINALS")
    os.makedirs(originals)
    for name, disk in sorted(files.items()):
        if name.lower() == "setup1.inf":
            continue  # the uninstaller's copy of the file that is written last, below
        data = content(name, args.programs)
        sizes[name] = len(data)
        open(os.path.join(originals, name.lower()), "wb").write(data)
        disk_dir = os.path.join(args.out, "DISK" + disk)
        if name.lower() in COMPRESSED:
            compress(data, name, disk_dir)
        else:
            open(os.path.join(disk_dir, name.upper()), "wb").write(data)

    disk1 = os.path.join(args.out, "DISK1")
    shutil.copy(args.setup, os.path.join(disk1, "SETUP.EXE"))
    text = with_volume(inf.text, volume_sizes(inf, sizes))
    open(os.path.join(disk1, "SETUP1.INF"), "wb").write(text.encode("latin-1"))
    open(os.path.join(originals, "setup1.inf"), "wb").write(text.encode("latin-1"))

    onedir = os.path.join(args.out, "ONEDIR")
    os.makedirs(onedir)
    for disk in disks:
        disk_dir = os.path.join(args.out, "DISK" + disk)
        for name in os.listdir(disk_dir):
            shutil.copy(os.path.join(disk_dir, name), os.path.join(onedir, name))
    return 0


if __name__ == "__main__":
    sys.exit(main())
