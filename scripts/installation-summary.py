#!/usr/bin/env python3
"""Prints what an installation left in the Windows 95 prefix, against its fixture: the files
it added, the win.ini, system.ini and control.inf entries it changed, the registry values it
set, and the Start Menu items.

    installation-summary.py PREFIX FIXTURE_DIR REGISTRY_BEFORE REGISTRY_AFTER

The registry dumps are the output of "reg query" for the keys the configuration edits.
"""
import os
import sys

prefix, fixture, registry_before, registry_after = sys.argv[1:5]
drive_c = os.path.join(prefix, "drive_c")
windows = os.path.join(drive_c, "windows")


def entries(path):
    """(section, key) -> value of a profile file, names kept as written; a line without "="
    is a key without a value."""
    found, section = {}, ""
    for line in open(path, encoding="cp1251", errors="replace").read().splitlines():
        line = line.strip()
        if line.startswith("[") and line.endswith("]"):
            section = line[1:-1]
        elif line and not line.startswith(";"):
            key, _, value = line.partition("=")
            found[(section, key.strip())] = value.strip()
    return found


def changed(title, before_path, after_path):
    before, after = entries(before_path), entries(after_path)
    lines = [f"    [{s}] {k}={v}" + (f"   (was {before[(s, k)]!r})" if (s, k) in before else "   (new)")
             for (s, k), v in after.items() if before.get((s, k)) != v]
    print(f"  {title}: {len(lines)} entries")
    print("\n".join(lines))


print("demo: what the installation left in the prefix")
fixture_files = set(open(os.path.join(prefix, ".kvox-windows-files")).read().splitlines())
fixture_files |= {"./" + name for name in ("win.ini", "system.ini", "system32/control.inf", "system32/setup.inf")}
added = sorted(os.path.relpath(os.path.join(d, f), drive_c) for d, _, files in os.walk(windows) for f in files
               if "./" + os.path.relpath(os.path.join(d, f), windows) not in fixture_files)
print(f"  files: {len(added)}")
for name in added:
    print("    C:\\" + name.replace("/", "\\"))
changed("win.ini", os.path.join(fixture, "win.ini"), os.path.join(windows, "win.ini"))
changed("system.ini", os.path.join(fixture, "system.ini"), os.path.join(windows, "system.ini"))
changed("control.inf", os.path.join(fixture, "control.inf"), os.path.join(windows, "system32", "control.inf"))
def registry(path):
    """(key, value line) of a "reg query" dump."""
    found, key = set(), ""
    for line in open(path, encoding="utf-8", errors="replace").read().splitlines():
        if line.startswith("HKEY"):
            key = line
        elif line.strip():
            found.add((key, line.strip()))
    return found


new_values = sorted(registry(registry_after) - registry(registry_before))
print(f"  registry values: {len(new_values)}")
for key, value in new_values:
    print(f"    {key}: {value}")
menu = [os.path.join(d, f) for d in (os.path.join(u, "AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
                                     for u in (os.path.join(drive_c, "users", n) for n in os.listdir(os.path.join(drive_c, "users"))))
        if os.path.isdir(d) for f in ("K-VOX", "StartUp")]
print("  Start Menu:")
for folder in menu:
    if os.path.isdir(folder):
        for item in sorted(os.listdir(folder)):
            print(f"    {os.path.basename(folder)}\\{item}")
