"""Damaged copies of a setup1.inf, the same ones for the same seed.

A variant is the file with one to eight damages of the kinds a package maker's hand
makes: lines and sections gone or twice, values cut or far too long, separators and fields
missing or doubled, numbers out of range, binary bytes, lone CRs, names that are paths, and a
few whole-file damages (empty, 1 MB, UTF-16, cut short).
"""
import ntpath
import random
import re

# Sections the wizard reads before it copies anything: damages there are also tried on the
# wizard path.
WIZARD_SECTIONS = {
    "commoninstallflags", "country key", "default.setup", "country", "keyboard layouts",
    "layouts.k-vox", "hotkey", "codepage.number", "codepage.description", "printers", "setupdisk",
}

BIG_NUMBERS = ["99999999999999999999", "4294967296", "4294967295", "2147483648", "2147483647",
               "-1", "-2147483648", "-99999999999999999999", "0", "00000000000000000000001"]
NOT_NUMBERS = ["abc", "12abc", " ", "", "0x10", "1e9", "+", "-", "1.5", "ⅩⅢ".encode("utf-8").decode("latin-1")]
# Names a file section or an item may hold that are paths, devices or patterns, not files.
PATH_NAMES = ["..\\..\\autoexec.bat", "C:\\x", "\\kvxroot.txt", "..\\kvup.txt", "KVOX\\..\\..\\..\\kvx.txt",
              "c:kvdrive.txt", "..\\..\\..\\..\\..\\kvdeep.txt", "CON", "NUL", "LPT1", "COM1.txt", "*.*", "kv?.txt",
              ".", "..", "sub\\", "/kvslash.txt", "..//..//kvfwd.txt", "Z:\\tmp\\kvz.txt", "..\\..\\users\\kvuser.txt",
              "..\\..\\Program Files\\kvpf.txt", "..\\system32\\kvsys.txt"]


def decoys():
    """Where the names that climb out of the destination C:\\windows\\KVOX land, relative to
    C:\\. A package laid out as C:\\windows\\KVOX with a file at each of them lets the setup
    find such a file at the source as it would on a disk that holds it."""
    found = []
    for name in PATH_NAMES:
        target = ntpath.normpath(ntpath.join("windows\\KVOX", name.replace("/", "\\")))
        if ".." in target.split("\\") or ":" in target or target.startswith("\\") or "*" in target or "?" in target:
            continue
        if target.lower().startswith("windows\\kvox\\") or "." not in ntpath.basename(target):
            continue
        found.append(target)
    return found
BINARY = [b"\x00", b"\x01\x02", b"\x1a", b"\x7f", b"\xff\xfe", b"\xef\xbb\xbf", b"\x80\x81\xfe",
          bytes(range(0, 32)), b"\x00" * 17, b"\r\r\n", b"\xe9\xe8"]


class Inf:
    """The file as lines (without their line ends), with the sections found in it."""

    def __init__(self, data):
        self.lines = data.split(b"\r\n")
        if self.lines and self.lines[-1] == b"":
            self.lines.pop()
            self.final_newline = True
        else:
            self.final_newline = False

    def data(self):
        text = b"\r\n".join(self.lines)
        return text + b"\r\n" if self.final_newline and self.lines else text

    def sections(self):
        """(name in lower case, index of its header, index after its last line)."""
        heads = [(i, m.group(1).decode("latin-1").strip().lower()) for i, line in enumerate(self.lines)
                 for m in [re.match(rb"\s*\[([^\]]*)\]", line)] if m]
        return [(name, i, heads[n + 1][0] if n + 1 < len(heads) else len(self.lines))
                for n, (i, name) in enumerate(heads)]

    def entries(self):
        """Indices of key=value lines, each with its section's name."""
        found = []
        for name, head, end in self.sections():
            found += [(i, name) for i in range(head + 1, end) if b"=" in self.lines[i] and not
                      self.lines[i].lstrip().startswith(b";")]
        return found


def split_entry(line):
    key, _, value = line.partition(b"=")
    return key, value


def list_separator(section):
    return b"!" if section == "country" else b","


class Mutator:
    """One damage at a time on an Inf; each method returns its label and the touched section."""

    def __init__(self, rng, inf):
        self.rng = rng
        self.inf = inf

    def pick_entry(self, want=None):
        entries = [e for e in self.inf.entries() if want is None or want(self.inf.lines[e[0]], e[1])]
        return self.rng.choice(entries) if entries else None

    def pick_section(self):
        sections = self.inf.sections()
        return self.rng.choice(sections) if sections else None

    def delete_line(self):
        i, section = self.pick_entry() or (None, None)
        if i is None:
            return None
        line = self.inf.lines.pop(i)
        return f"line deleted [{section}] {short(line)}", section

    def delete_section(self):
        picked = self.pick_section()
        if not picked:
            return None
        name, head, end = picked
        del self.inf.lines[head:end]
        return f"section [{name}] deleted", name

    def duplicate_line(self):
        i, section = self.pick_entry() or (None, None)
        if i is None:
            return None
        line = self.inf.lines[i]
        if self.rng.random() < 0.5:
            self.inf.lines.insert(i + 1, line)
            where = "twice"
        else:
            # The same key again with another value.
            key, value = split_entry(line)
            self.inf.lines.insert(i, key + b"=" + self.rng.choice([b"", b"1", b"x", value[::-1]]))
            where = "twice, another value first"
        return f"line {where} [{section}] {short(line)}", section

    def duplicate_section(self):
        picked = self.pick_section()
        if not picked:
            return None
        name, head, end = picked
        block = self.inf.lines[head:end]
        if self.rng.random() < 0.5:
            self.inf.lines[end:end] = block
        else:
            self.inf.lines.extend(block)
        return f"section [{name}] twice", name

    def cut_value(self):
        i, section = self.pick_entry(lambda line, _: len(split_entry(line)[1]) > 0) or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        cut = self.rng.randrange(0, len(value))
        self.inf.lines[i] = key + b"=" + value[:cut]
        return f"value cut to {cut} [{section}] {short(key)}", section

    def long_value(self):
        i, section = self.pick_entry() or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        kind = self.rng.choice(["letters", "repeat", "separators", "members"])
        sep = list_separator(section)
        if kind == "letters":
            long = b"K" * 2000
        elif kind == "repeat":
            long = ((value or b"v") * 2000)[:2000]
        elif kind == "separators":
            long = sep * 2000
        else:
            long = (value + sep) * (2000 // (len(value) + 1) + 1)
            long = long[:2000]
        self.inf.lines[i] = key + b"=" + long
        return f"value of 2000 ({kind}) [{section}] {short(key)}", section

    def long_key(self):
        i, section = self.pick_entry() or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        self.inf.lines[i] = ((key or b"k") * 2000)[:2000] + b"=" + value
        return f"key of 2000 [{section}] {short(key)}", section

    def long_section_name(self):
        picked = self.pick_section()
        if not picked:
            return None
        name, head, _ = picked
        self.inf.lines[head] = b"[" + (name.encode("latin-1") * 2000)[:2000] + b"]"
        return f"section name of 2000 [{name}]", name

    def drop_separator(self):
        i, section = self.pick_entry() or (None, None)
        if i is None:
            return None
        line = self.inf.lines[i]
        key, value = split_entry(line)
        sep = list_separator(section)
        if sep in value and self.rng.random() < 0.7:
            positions = [m.start() for m in re.finditer(re.escape(sep), value)]
            p = self.rng.choice(positions)
            self.inf.lines[i] = key + b"=" + value[:p] + value[p + 1:]
            return f"a '{sep.decode()}' dropped [{section}] {short(key)}", section
        self.inf.lines[i] = key + value
        return f"'=' dropped [{section}] {short(key)}", section

    def double_separator(self):
        i, section = self.pick_entry() or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        sep = list_separator(section)
        if sep in value and self.rng.random() < 0.7:
            positions = [m.start() for m in re.finditer(re.escape(sep), value)]
            p = self.rng.choice(positions)
            self.inf.lines[i] = key + b"=" + value[:p] + sep + value[p:]
            return f"a '{sep.decode()}' doubled [{section}] {short(key)}", section
        self.inf.lines[i] = key + b"==" + value
        return f"'=' doubled [{section}] {short(key)}", section

    def drop_fields(self):
        sep_of = lambda section: list_separator(section)
        i, section = self.pick_entry(lambda line, s: sep_of(s) in split_entry(line)[1]) or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        members = value.split(sep_of(section))
        keep = self.rng.randrange(0, len(members))
        self.inf.lines[i] = key + b"=" + sep_of(section).join(members[:keep])
        return f"members after {keep} dropped [{section}] {short(key)}", section

    def duplicate_field(self):
        i, section = self.pick_entry(lambda line, s: len(split_entry(line)[1]) > 0) or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        sep = list_separator(section)
        members = value.split(sep)
        n = self.rng.randrange(len(members))
        members.insert(n, members[n])
        self.inf.lines[i] = key + b"=" + sep.join(members)
        return f"member {n + 1} twice [{section}] {short(key)}", section

    def bad_number(self):
        def has_number(line, section):
            return re.search(rb"\d", split_entry(line)[1]) is not None
        i, section = self.pick_entry(has_number) or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        sep = list_separator(section)
        members = value.split(sep)
        numeric = [n for n, m in enumerate(members) if re.search(rb"\d", m)]
        n = self.rng.choice(numeric)
        new = self.rng.choice(BIG_NUMBERS + NOT_NUMBERS).encode("latin-1")
        members[n] = new
        self.inf.lines[i] = key + b"=" + sep.join(members)
        return f"number {n + 1} made {new!r} [{section}] {short(key)}", section

    def binary_bytes(self):
        i = self.rng.randrange(len(self.inf.lines)) if self.inf.lines else None
        if i is None:
            return None
        section = section_of(self.inf, i)
        junk = self.rng.choice(BINARY)
        line = self.inf.lines[i]
        if self.rng.random() < 0.3:
            self.inf.lines[i] = bytes(self.rng.randrange(256) for _ in range(self.rng.randrange(1, 80)))
            return f"line made of binary bytes in [{section}]", section
        p = self.rng.randrange(len(line) + 1)
        self.inf.lines[i] = line[:p] + junk + line[p:]
        return f"bytes {junk[:8]!r} in [{section}] {short(line)}", section

    def line_end(self):
        i = self.rng.randrange(len(self.inf.lines) - 1) if len(self.inf.lines) > 1 else None
        if i is None:
            return None
        section = section_of(self.inf, i)
        end = self.rng.choice([b"\r", b"\n", b"\r\r", b"\n\r"])
        self.inf.lines[i:i + 2] = [self.inf.lines[i] + end + self.inf.lines[i + 1]]
        return f"line end {end!r} in [{section}] {short(self.inf.lines[i])}", section

    def header_damage(self):
        picked = self.pick_section()
        if not picked:
            return None
        name, head, _ = picked
        line = self.inf.lines[head]
        kind = self.rng.choice(["no ]", "no [", "[]", "blanks", "[[", "case", "trailing text"])
        new = {"no ]": line.replace(b"]", b""), "no [": line.replace(b"[", b""), "[]": b"[]",
               "blanks": b"  [ " + name.encode("latin-1") + b" ]  ", "[[": b"[" + line + b"]",
               "case": line.upper() if line != line.upper() else line.lower(),
               "trailing text": line + b" ; x = y"}[kind]
        self.inf.lines[head] = new
        return f"header of [{name}]: {kind}", name

    def path_name(self):
        """A file section's name, an item's file member or a Program Manager item name made a path."""
        name = self.rng.choice(PATH_NAMES).encode("latin-1")
        kind = self.rng.choice(["file", "item", "progman"])
        if kind == "file":
            i, section = self.pick_entry(lambda line, s: is_file_section(s)) or (None, None)
            if i is None:
                return None
            key, value = split_entry(self.inf.lines[i])
            self.inf.lines.insert(i + 1, name + b"=" + value)
            return f"file {name.decode('latin-1')} in [{section}]", section
        if kind == "item":
            i, section = self.pick_entry(lambda line, s: s in ITEM_FILE_MEMBER) or (None, None)
            if i is None:
                return None
            key, value = split_entry(self.inf.lines[i])
            members = value.split(b",")
            n = ITEM_FILE_MEMBER[section] - 1
            if n >= len(members):
                return None
            members[n] = name
            self.inf.lines[i] = key + b"=" + b",".join(members)
            return f"item file {name.decode('latin-1')} [{section}] {short(key)}", section
        i, section = self.pick_entry(lambda line, s: s.startswith("k-vox")) or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        program, _, _ = key.partition(b",")
        self.inf.lines[i] = program + b"," + name + b"=" + value
        return f"item name {name.decode('latin-1')} [{section}]", section

    def blanks_and_quotes(self):
        i, section = self.pick_entry() or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        kind = self.rng.choice(["blanks", "tabs", "quotes", "quote open", "empty"])
        new = {"blanks": b"   " + key + b"   =   " + value + b"   ", "tabs": b"\t" + key + b"\t=\t" + value + b"\t",
               "quotes": key + b'="' + value + b'"', "quote open": key + b'="' + value,
               "empty": key + b"="}[kind]
        self.inf.lines[i] = new
        return f"{kind} [{section}] {short(key)}", section

    def move_line(self):
        i, section = self.pick_entry() or (None, None)
        sections = self.inf.sections()
        if i is None or not sections:
            return None
        line = self.inf.lines.pop(i)
        name, head, _ = self.rng.choice(self.inf.sections())
        self.inf.lines.insert(head + 1, line)
        return f"line of [{section}] moved to [{name}] {short(line)}", section

    def disk_number(self):
        i, section = self.pick_entry(lambda line, s: is_file_section(s) or s == "disks") or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        new = self.rng.choice([b"0", b"4", b"99", b"-1", b"", b"1,2", b"abc", b"1234567", b"3 ", b"\\", b"..",
                               b"A:\\", b"%s", b"%s%s%s%s%n"])
        if section == "disks":
            self.inf.lines[i] = new + b"=" + value
            return f"disk key {new!r} in [disks]", section
        self.inf.lines[i] = key + b"=" + new
        return f"disk {new!r} [{section}] {short(key)}", section

    def format_text(self):
        """printf directives where the setup shows a value or a name in a message."""
        i, section = self.pick_entry() or (None, None)
        if i is None:
            return None
        key, value = split_entry(self.inf.lines[i])
        junk = self.rng.choice([b"%s", b"%n%n%n", b"%d%s%s%s%s", b"%99999s", b"%", b"%%%"])
        if self.rng.random() < 0.5:
            self.inf.lines[i] = key + b"=" + value + junk
        else:
            self.inf.lines[i] = key + junk + b"=" + value
        return f"format text {junk!r} [{section}] {short(key)}", section

    DAMAGES = ["delete_line", "delete_line", "delete_section", "delete_section", "duplicate_line", "duplicate_section",
               "cut_value", "cut_value", "long_value", "long_value", "long_key", "long_section_name",
               "drop_separator", "drop_separator", "double_separator", "drop_fields", "drop_fields",
               "duplicate_field", "bad_number", "bad_number", "binary_bytes", "line_end", "header_damage",
               "path_name", "path_name", "blanks_and_quotes", "move_line", "disk_number", "format_text"]


# Sections whose values name a file as a member (the number is the member).
ITEM_FILE_MEMBER = {
    "default.setup": 4, "keyboard layouts": 2, "oemansi": 1, "oemfonts.866": 1, "oemfonts.855": 1,
    "sysfonts.1251": 1, "fixedfonts.1251": 1, "small.1251": 1, "helv.1251": 1, "cour.1251": 1,
    "tmsr.1251": 1, "ttf.1251": 1, "vga.gr3": 1,
}
FILE_SECTIONS = {"windows.system", "windows", "uninstall.k-vox", "programfiles.k-vox", "programfiles.system",
                 "programfiles.windows", "application", "applications.system", "kdk"}


def is_file_section(section):
    return section in FILE_SECTIONS


def section_of(inf, index):
    for name, head, end in inf.sections():
        if head <= index < end:
            return name
    return ""


def short(line):
    text = "".join(c if " " <= c < "\x7f" or c >= "\xa0" else "?" for c in line.decode("latin-1"))
    return text if len(text) <= 40 else text[:37] + "..."


class Variant:
    def __init__(self, number, label, data, sections):
        self.id = f"v{number:03d}"
        # A section name the damages left with control bytes in it is shown without them.
        self.label = "".join(c if c >= " " and c != "\x7f" else "?" for c in label)
        self.data = data
        self.sections = sections
        self.wizard = False


def whole_file_variants(base, rng):
    """The damages of the whole file, each once."""
    inf = Inf(base)
    lines = inf.lines
    mb = bytearray(base)
    filler = b"; " + b"padding " * 12 + b"\r\n"
    while len(mb) < 1024 * 1024:
        mb += filler
    one_long_line = base + b"[programfiles.k-vox]\r\n" + b"k" * (1024 * 1024) + b"=1\r\n"
    many_sections = bytearray()
    n = 0
    while len(many_sections) < 1024 * 1024:
        many_sections += b"[windows.system]\r\nkvx%05d.dll=1\r\n" % n
        n += 1
    utf16 = b"\xff\xfe" + base.decode("latin-1").encode("utf-16-le")
    cut = rng.randrange(len(base) // 4, len(base))
    return [
        ("empty file", b"", ["*"]),
        ("1 MB: the file, then comment lines", bytes(mb), ["*"]),
        ("1 MB: one key of a million characters", one_long_line, ["programfiles.k-vox"]),
        ("1 MB: the file's sections again and again, then a sample", bytes(many_sections) + base, ["*"]),
        ("no final newline", base.rstrip(b"\r\n"), ["*"]),
        ("lone CRs for every line end", base.replace(b"\r\n", b"\r"), ["*"]),
        ("LF alone for every line end", base.replace(b"\r\n", b"\n"), ["*"]),
        ("UTF-16 with its byte order mark", utf16, ["*"]),
        ("UTF-8 byte order mark first", b"\xef\xbb\xbf" + base, ["*"]),
        (f"cut short at byte {cut}", base[:cut], ["*"]),
        ("every line twice", b"".join(line + b"\r\n" + line + b"\r\n" for line in lines), ["*"]),
        ("NUL bytes for every blank", base.replace(b" ", b"\x00"), ["*"]),
        ("only section headers", b"".join(l + b"\r\n" for l in lines if l.startswith(b"[")), ["*"]),
        ("no section headers", b"".join(l + b"\r\n" for l in lines if not l.startswith(b"[")), ["*"]),
        ("every value empty", b"".join((split_entry(l)[0] + b"=" if b"=" in l and not l.startswith(b";") else l)
                                       + b"\r\n" for l in lines), ["*"]),
    ]


def generate(base, count, seed):
    """`count` variants of `base` (bytes), the same for the same seed."""
    rng = random.Random(seed)
    variants = []
    for label, data, sections in whole_file_variants(base, rng):
        variants.append(Variant(len(variants) + 1, label, data, sections))
    # Every kind of damage at least a few times, then any kind, one to three at once.
    kinds = Mutator.DAMAGES
    plan = [[kind] for kind in sorted(set(kinds))] * 3
    while len(plan) + len(variants) < count:
        plan.append([rng.choice(kinds) for _ in range(rng.choice([1, 1, 1, 2, 2, 3, 5, 8]))])
    for damages in plan[:max(0, count - len(variants))]:
        inf = Inf(base)
        mutator = Mutator(rng, inf)
        labels, sections = [], []
        for damage in damages:
            done = getattr(mutator, damage)()
            if done:
                labels.append(done[0])
                sections.append(done[1])
        variants.append(Variant(len(variants) + 1, "; ".join(labels) or "unchanged", inf.data(), sections))
    # A chosen few also go through the wizard: damages of what the wizard reads.
    chosen = [v for v in variants if "*" in v.sections or WIZARD_SECTIONS & set(v.sections)]
    for v in chosen[::3][:30]:
        v.wizard = True
    return variants
