"""make fuzz: the setup run on a few hundred damaged copies of the sample's setup1.inf.

Each variant is the sample's disks in one directory (build/fuzz/package: links to the held
copies in ONEDIR) with SETUP1.INF replaced. The setup runs unattended on each (/o /s<dir>),
and on a chosen few also the wizard's way (/s<dir>), in the running test session. Every run
must pass four checks:

  crashed        the setup's exit code is not 0, or Wine printed an unhandled exception;
  hung           it was still running `--limit` seconds after it started or after its last
                 dialog was answered, or it asked more than 100 questions;
  log            its KVSETUP.LOG does not end with "Exiting Setup..." (no log at all is fine:
                 the setup stopped before it made the destination);
  wrote outside  a file or directory on drive C: changed outside the Windows directory, its
                 system, syswow64 and Fonts folders, the destination C:\\windows\\KVOX, the
                 Start Menu's K-VOX group and StartUp item, and Wine's own AppData\\Local and
                 Temp; or a file of the package directory changed;
  record         after a run that ended with "Setup failed.", the uninstaller (uninst.exe /w
                 beside the record) ends with exit code 0, no exception, and an uninst.log whose
                 last line is one of its final lines.

A dialog waiting for the user is not a hang: `kvdrive answer` answers every dialog of
setup.exe and uninst.exe as it appears (Cancel for a disk prompt, else the default button;
another button when the same dialog comes back a fourth time), and the time limit starts
again from each answer. Failing variants are kept in build/fuzz/failed/ (the file and what
happened). With --cases DIR the files DIR/*.inf are run instead (the regression cases of
make test; a first line "; wizard" runs one the wizard's way too).
"""
import argparse
import os
import queue
import re
import shutil
import signal
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import variants  # noqa: E402

FINAL_SETUP_LINE = "Exiting Setup..."
FINAL_UNINSTALL_LINES = ("Uninstall complete.", "Uninstall not complete.")
REFUSED_UNINSTALL = re.compile(r"^(No uninstall record|The uninstall record is damaged|"
                               r"The uninstall record says Enabled=No): nothing was changed\.")
CRASH_TRACE = re.compile(r"Unhandled (exception|page fault|stack overflow|illegal instruction)|"
                         r"wine: .*(exception|fault)|starting debugger", re.IGNORECASE)
MAX_ANSWERS = 100
# Drive C: paths (relative, "/"-separated, lower case) the setup may change, and Wine's own.
ALLOWED = [re.compile(p) for p in (
    r"windows/[^/]+$",
    r"windows/(system32|syswow64|fonts|kvox)(/.*)?$",
    r"users/[^/]+/appdata/local(/.*)?$",
    r"users/[^/]+/temp(/.*)?$",
    r"users/[^/]+/appdata/roaming/microsoft/windows/start menu/programs/k-vox(/.*)?$",
    r"users/[^/]+/appdata/roaming/microsoft/windows/start menu/programs/startup/[^/]+$",
)]


class Prefix:
    """The project's Wine prefix and session, and the programs run in it."""

    def __init__(self, root, build):
        self.root = root
        self.build = build
        self.prefix = os.path.join(root, "build", "wineprefix")
        self.drive_c = os.path.join(self.prefix, "drive_c")
        self.windows = os.path.join(self.drive_c, "windows")
        self.dest = os.path.join(self.windows, "KVOX")
        self.env = dict(os.environ)
        self.env.update(WINEPREFIX=self.prefix, WINEARCH="win64", WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=",
                        PATH=os.path.join(root, "scripts", "wine64") + os.pathsep + os.environ.get("PATH", ""))
        session = os.path.join(root, "build", "session.env")
        if not os.path.exists(session):
            sys.exit("fuzz: no test session (scripts/session.sh start)")
        for name, value in re.findall(r"(\w+)=([^;\s]+);", open(session).read()):
            self.env[name] = value
        self.session_pids = set(self.own_processes())

    def wine(self, *args, **kwargs):
        return subprocess.Popen(["wine", *args], env=self.env, **kwargs)

    def wine_quiet(self, *args):
        subprocess.run(["wine", *args], env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    @staticmethod
    def windows_path(path):
        return "Z:" + os.path.abspath(path).replace("/", "\\")

    def own_processes(self):
        """Linux pid and command line of every process of this prefix."""
        found = {}
        marker = b"WINEPREFIX=" + self.prefix.encode() + b"\0"
        for pid in filter(str.isdigit, os.listdir("/proc")):
            try:
                if marker in open(f"/proc/{pid}/environ", "rb").read() + b"\0":
                    found[int(pid)] = open(f"/proc/{pid}/cmdline", "rb").read().replace(b"\0", b" ").decode(
                        "latin-1").strip()
            except OSError:
                pass
        return found

    def end_leftovers(self):
        """After a run: lets a restart finish, then ends what the run left (the package's
        programs that the restart starts, the folder windows of its groups, a debugger)."""
        deadline = time.time() + 15
        while time.time() < deadline and any("wineboot" in c for c in self.own_processes().values()):
            time.sleep(0.1)
        for pid, command in self.own_processes().items():
            if pid in self.session_pids or "wineserver" in command or not command:
                continue
            if re.search(r"explorer\.exe [A-Za-z]:\\|winedbg|\\KVOX\\|setup\.exe|uninst\.exe|kvox\.exe", command,
                         re.IGNORECASE):
                try:
                    os.kill(pid, signal.SIGKILL)
                except OSError:
                    pass

    def snapshot(self):
        """Every path on drive C: with its size and time (directories: none)."""
        seen = {}
        for directory, dirs, files in os.walk(self.drive_c):
            for name in dirs:
                path = os.path.join(directory, name)
                seen[os.path.relpath(path, self.drive_c)] = None
            for name in files:
                path = os.path.join(directory, name)
                try:
                    st = os.lstat(path)
                    seen[os.path.relpath(path, self.drive_c)] = (st.st_size, st.st_mtime_ns)
                except OSError:
                    pass
        return seen

    def reset(self, baseline, registry):
        """Puts back what a setup can change: the new files and directories since the
        baseline, the fixture's profiles and, when asked, the registry keys."""
        now = self.snapshot()
        for path in sorted(set(now) - set(baseline), key=len, reverse=True):
            full = os.path.join(self.drive_c, path)
            if re.match(r"users/[^/]+/(appdata/local|temp)(/|$)", path.lower()):
                continue
            if os.path.isdir(full) and not os.path.islink(full):
                shutil.rmtree(full, ignore_errors=True)
            elif os.path.lexists(full):
                os.remove(full)
        fixture = os.path.join(self.root, "scripts", "win95")
        for name in ("win.ini", "system.ini"):
            shutil.copy(os.path.join(fixture, name), self.windows)
        for system in ("system32", "syswow64"):
            if os.path.isdir(os.path.join(self.windows, system)):
                for name in ("control.inf", "setup.inf", "kbdus.kbd"):
                    shutil.copy(os.path.join(fixture, name), os.path.join(self.windows, system))
        if registry:
            self.wine_quiet("regedit", "/s", self.windows_path(os.path.join(fixture, "baseline.reg")))


class Answerer:
    """kvdrive answering the setup's dialogs; its lines are kept with their times."""

    def __init__(self, prefix):
        kvdrive = os.path.join(prefix.build, "tools", "kvdrive.exe")
        self.process = prefix.wine(kvdrive, "answer", stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                                   encoding="latin-1")
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.rstrip("\n"))

    def take(self):
        got = []
        while True:
            try:
                got.append(self.lines.get_nowait())
            except queue.Empty:
                return got

    def stop(self):
        self.process.kill()
        self.process.wait()


class Run:
    """One program run under the answerer: how it ended."""

    def __init__(self):
        self.exit = None
        self.stderr = ""
        self.hung = False
        self.answers = []
        self.seconds = 0.0


def run_program(prefix, answerer, args, limit):
    run = Run()
    answerer.take()
    start = last = time.time()
    errors = open(os.path.join(prefix.root, "build", "fuzz", "stderr"), "w+", encoding="latin-1")
    process = prefix.wine(*args, stdout=subprocess.DEVNULL, stderr=errors)
    while process.poll() is None:
        time.sleep(0.05)
        answered = answerer.take()
        if answered:
            run.answers += answered
            last = time.time()
        if time.time() - last > limit or len(run.answers) > MAX_ANSWERS:
            run.hung = True
            process.kill()
            process.wait()
            break
    run.exit = process.returncode
    run.seconds = time.time() - start
    time.sleep(0.1)
    run.answers += answerer.take()
    errors.seek(0)
    run.stderr = errors.read()
    errors.close()
    return run


def read_lines(path):
    try:
        return open(path, "rb").read().decode("latin-1").replace("\r", "").split("\n")
    except OSError:
        return None


def last_line(lines):
    lines = [line for line in lines or [] if line]
    return lines[-1] if lines else ""


def crashed(run):
    return not run.hung and (run.exit != 0 or CRASH_TRACE.search(run.stderr) is not None)


def outside_changes(before, after):
    changed = [p for p in set(before) | set(after) if p not in before or p not in after or
               (before[p] != after[p] and after[p] is not None)]
    return sorted(p for p in changed if not any(a.match(p.lower()) for a in ALLOWED))


class Outcome:
    def __init__(self, variant, mode):
        self.variant = variant
        self.mode = mode
        self.failures = []  # (category, detail)
        self.notes = []
        self.answers = []
        self.log_tail = []
        self.stderr = ""

    def fail(self, category, detail):
        self.failures.append((category, detail))


def package_state(package):
    return {name: (st.st_size, st.st_mtime_ns) for name in os.listdir(package)
            if name != "SETUP1.INF" for st in [os.lstat(os.path.join(package, name))]}


def check_record(prefix, answerer, outcome, limit):
    """The uninstaller reads the record a stopped setup left."""
    if not any(os.path.exists(os.path.join(prefix.dest, n)) for n in ("uninst.inf", "uninst.lst")):
        return False
    uninst = os.path.join(prefix.dest, "uninst.exe")
    if not os.path.exists(uninst):
        shutil.copy(os.path.join(prefix.build, "disks", "ORIGINALS", "uninst.exe"), uninst)
    run = run_program(prefix, answerer, ["C:\\windows\\KVOX\\uninst.exe", "/w"], limit)
    outcome.answers += ["uninstaller: " + a for a in run.answers]
    log = None
    for directory in (prefix.dest, prefix.windows):
        lines = read_lines(os.path.join(directory, "uninst.log"))
        if lines is not None:
            # The log of this run: from its last opening line.
            starts = [i for i, line in enumerate(lines) if line == "K-VOX Uninstall"]
            log = lines[starts[-1]:] if starts else lines
            break
    final = last_line(log)
    if run.hung:
        outcome.fail("record", f"the uninstaller did not end ({final!r})")
    elif crashed(run):
        outcome.fail("record", f"the uninstaller crashed (exit {run.exit}): {run.stderr.strip()[-300:]}")
    elif not (final in FINAL_UNINSTALL_LINES or REFUSED_UNINSTALL.match(final)):
        outcome.fail("record", f"the uninstaller's log ends {final!r}")
    else:
        outcome.notes.append(f"uninstaller: {final}")
    return True


def run_variant(prefix, answerer, package, variant, mode, limit, baseline):
    outcome = Outcome(variant, mode)
    with open(os.path.join(package, "SETUP1.INF"), "wb") as f:
        f.write(variant.data)
    before = prefix.snapshot()
    package_before = package_state(package)
    args = [os.path.join(package, "SETUP.EXE")] + (["/o"] if mode == "unattended" else []) + \
        ["/s" + prefix.windows_path(package)]
    run = run_program(prefix, answerer, args, limit)
    outcome.answers = run.answers
    outcome.stderr = run.stderr
    outcome.seconds = run.seconds
    prefix.end_leftovers()
    log = read_lines(os.path.join(prefix.dest, "KVSETUP.LOG"))
    outcome.log_tail = [line for line in log or [] if line][-6:]
    outcome.ending = ("no log" if log is None else "stopped" if "Setup failed." in log else
                      "installed" if last_line(log) == FINAL_SETUP_LINE else "cut off")
    if run.hung:
        outcome.fail("hung", f"still running after {run.seconds:.0f} s, {len(run.answers)} dialogs answered")
    elif crashed(run):
        trace = next((line for line in run.stderr.splitlines() if CRASH_TRACE.search(line)), "")
        outcome.fail("crashed", f"exit code {run.exit} {trace}".strip())
    elif log is not None and last_line(log) != FINAL_SETUP_LINE:
        outcome.fail("log", f"the log ends {last_line(log)!r}")
    outside = outside_changes(before, prefix.snapshot())
    outside += ["package: " + n for n, s in package_state(package).items() if package_before.get(n) != s]
    outside += ["package: " + n + " gone" for n in set(package_before) - set(package_state(package))]
    if outside:
        outcome.fail("wrote outside", ", ".join(outside[:8]))
    uninstalled = False
    if log is not None and "Setup failed." in log:
        uninstalled = check_record(prefix, answerer, outcome, limit)
        prefix.end_leftovers()
    prefix.reset(baseline, registry=uninstalled or (log is not None and "Copying complete." in log))
    return outcome


def keep_failure(out_dir, outcome):
    os.makedirs(out_dir, exist_ok=True)
    v = outcome.variant
    name = f"{v.id}-{outcome.mode}"
    with open(os.path.join(out_dir, name + ".inf"), "wb") as f:
        f.write(v.data)
    with open(os.path.join(out_dir, name + ".txt"), "w", encoding="latin-1", errors="replace") as f:
        f.write(f"{v.id} ({outcome.mode}): {v.label}\n")
        for category, detail in outcome.failures:
            f.write(f"{category}: {detail}\n")
        f.write("\nanswered:\n" + "".join(f"  {a}\n" for a in outcome.answers))
        f.write("\nlog ends:\n" + "".join(f"  {line}\n" for line in outcome.log_tail))
        f.write("\nstderr:\n" + outcome.stderr[-3000:])
    return name


def lay_out_package(out, onedir):
    """The package as build/fuzz/C/windows/KVOX, links to the held copies of the disks: a name
    that climbs out of the destination C:\\windows\\KVOX finds a file to copy at the same place
    under build/fuzz/C."""
    top = os.path.join(out, "C")
    shutil.rmtree(top, ignore_errors=True)
    package = os.path.join(top, "windows", "KVOX")
    os.makedirs(package)
    for name in os.listdir(onedir):
        if name != "SETUP1.INF":
            os.link(os.path.join(onedir, name), os.path.join(package, name))
    for decoy in variants.decoys():
        path = os.path.join(top, *decoy.split("\\"))
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "w") as f:
            f.write("A file the setup must not copy out of its directories.\r\n")
    return package


def merge_case(base, case):
    """The sample's file with the case's lines first in their sections (a section the sample
    lacks is added at its end)."""
    inf = variants.Inf(base)
    section = None
    added = {}
    for line in case.replace(b"\r\n", b"\n").split(b"\n"):
        header = re.match(rb"\[([^\]]*)\]\s*$", line)
        if header:
            section = header.group(1).decode("latin-1").lower()
        elif section is not None and line.strip() and not line.startswith(b";"):
            added.setdefault(section, []).append(line)
    for name, lines in added.items():
        heads = [head for s, head, _ in inf.sections() if s == name]
        if heads:
            inf.lines[heads[0] + 1:heads[0] + 1] = lines
        else:
            inf.lines += [b"[" + name.encode("latin-1") + b"]"] + lines
    return inf.data()


def load_cases(directory, base):
    """The regression cases: each file holds the lines that damage the sample's setup1.inf,
    after a first comment line that says what they once did ("wizard" in it: run the wizard's
    way too; "whole file": the file is the variant as it stands)."""
    cases = []
    for n, name in enumerate(sorted(f for f in os.listdir(directory) if f.lower().endswith(".inf"))):
        data = open(os.path.join(directory, name), "rb").read()
        first = data.split(b"\n", 1)[0].decode("latin-1").lstrip("; ").strip()
        whole = "whole file" in first.lower()
        case = variants.Variant(n + 1, name, data if whole else merge_case(base, data), [])
        case.id = os.path.splitext(name)[0]
        case.label = first
        case.wizard = "wizard" in first.lower()
        cases.append(case)
    return cases


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build", help="the win64 build directory (default build/win64)")
    parser.add_argument("--count", type=int, default=300)
    parser.add_argument("--seed", type=int, default=1996)
    parser.add_argument("--limit", type=float, default=30.0, help="seconds without an answer before a hang")
    parser.add_argument("--only", help="variant ids to run, as v001,v017")
    parser.add_argument("--cases", help="run the *.inf files of this directory instead")
    parser.add_argument("--list", action="store_true", help="print the variants and run nothing")
    parser.add_argument("--verbose", action="store_true", help="print every answer, the log's end and notes")
    parser.add_argument("--wizard", choices=("chosen", "all", "only"), default="chosen",
                        help="which variants also go the wizard's way; only: those alone, that way alone")
    args = parser.parse_args()

    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    build = os.path.abspath(args.build or os.path.join(root, "build", "win64"))
    onedir = os.path.join(build, "disks", "ONEDIR")
    base = open(os.path.join(onedir, "SETUP1.INF"), "rb").read()
    chosen = load_cases(args.cases, base) if args.cases else variants.generate(base, args.count, args.seed)
    if args.only:
        wanted = set(args.only.split(","))
        chosen = [v for v in chosen if v.id in wanted]
    if args.wizard == "only":
        chosen = [v for v in chosen if v.wizard]
    if args.list:
        for v in chosen:
            print(f"{v.id}{' (also wizard)' if v.wizard else ''} {len(v.data)} bytes: {v.label}")
        return 0

    out = os.path.join(root, "build", "fuzz")
    failed_dir = os.path.join(out, "failed")
    if not args.cases:
        shutil.rmtree(failed_dir, ignore_errors=True)
    package = lay_out_package(out, onedir)

    subprocess.run([os.path.join(root, "scripts", "reset-prefix.sh")], check=True)
    prefix = Prefix(root, build)
    # A crash ends the program with its exception code instead of waiting in Wine's crash dialog.
    prefix.wine_quiet("reg", "add", "HKCU\\Software\\Wine\\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD",
                      "/d", "0", "/f")
    baseline = prefix.snapshot()
    answerer = Answerer(prefix)
    prefix.session_pids.add(answerer.process.pid)
    start = time.time()
    counts = {"ok": 0, "crashed": 0, "hung": 0, "wrote outside": 0, "log": 0, "record": 0}
    try:
        for v in chosen:
            if args.wizard == "all":
                v.wizard = True
            outcomes = []
            if args.wizard != "only":
                outcomes.append(run_variant(prefix, answerer, package, v, "unattended", args.limit, baseline))
            if v.wizard:
                outcomes.append(run_variant(prefix, answerer, package, v, "wizard", args.limit, baseline))
            categories = {c for o in outcomes for c, _ in o.failures}
            for c in categories:
                counts[c] += 1
            if not categories:
                counts["ok"] += 1
            for o in outcomes:
                status = "; ".join(f"{c}: {d}" for c, d in o.failures) or "ok"
                if o.failures:
                    status += f"  (kept as {os.path.relpath(failed_dir, root)}/{keep_failure(failed_dir, o)})"
                print(f"{v.id} {o.mode:10s} {o.seconds:4.1f}s {o.ending:9s} {len(o.answers):2d} answers  {status}  "
                      f"[{v.label[:80]}]", flush=True)
                if args.verbose:
                    for line in o.answers + ["log: " + t for t in o.log_tail] + o.notes:
                        print("      " + line)
    finally:
        answerer.stop()
        prefix.end_leftovers()
        prefix.wine_quiet("reg", "delete", "HKCU\\Software\\Wine\\WineDbg", "/v", "ShowCrashDialog", "/f")
        subprocess.run([os.path.join(root, "scripts", "reset-prefix.sh")], check=False)
        shutil.rmtree(os.path.join(out, "C"), ignore_errors=True)
    n = len(chosen)
    print(f"{n} variants: {counts['ok']} ok, {counts['crashed']} crashed, {counts['hung']} hung, "
          f"{counts['wrote outside']} wrote outside")
    print(f"  {counts['log']} with a log that does not end, {counts['record']} with a record the uninstaller "
          f"could not read; {time.time() - start:.0f} s")
    return 0 if counts["ok"] == n else 1


if __name__ == "__main__":
    sys.exit(main())
