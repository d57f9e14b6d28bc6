#!/usr/bin/env python3
"""Every archive of a folder through phunzip and through Info-ZIP unzip.

    zip_corpus_test.py CORPUS PHUNZIP [--runner WINE_RUN]

For each archive: phunzip must end normally (0, or 1 for "not an archive"),
nothing may appear beside its destination folder, the files it leaves must
be exactly the entries it reported as UnzipOk, and each of them must be
byte-identical to unzip's file of the same name, where unzip made one.
"""
import argparse
import concurrent.futures
import os
import subprocess
import sys
import tempfile


def wine_path(path):
    return "Z:" + path.replace("/", "\\")


def cp1252_to_unix(name):
    # How Wine stores an ANSI name on the Linux side.
    chars = []
    for b in name:
        try:
            chars.append(bytes([b]).decode("cp1252"))
        except UnicodeDecodeError:
            chars.append(chr(b))
    return "".join(chars).encode("utf-8")


def parse(stdout):
    """Entry lines and "end N" lines of a run with several archives."""
    runs = []
    entries = []
    for line in stdout.split(b"\n"):
        line = line.rstrip(b"\r")
        if not line:
            continue
        if line.startswith(b"end "):
            runs.append((int(line[4:]), entries))
            entries = []
            continue
        index, rest = line.split(b" ", 1)
        name, result = rest.rsplit(b" ", 1)
        entries.append((int(index), name, result.decode()))
    return runs


def files_below(root):
    found = set()
    for folder, _, files in os.walk(os.fsencode(root)):
        for f in files:
            found.add(os.path.relpath(os.path.join(folder, f), os.fsencode(root)))
    return found


def folders(scratch, archive):
    base = os.path.join(scratch, os.path.basename(archive))
    return base, os.path.join(base, "ours", "dest"), os.path.join(base, "theirs")


def unpack_batch(archives, phunzip, runner, scratch):
    """One phunzip process for several archives: {archive: (status, entries)} or a problem."""
    command = [runner, phunzip] if runner else [phunzip]
    for archive in archives:
        _, ours, _ = folders(scratch, archive)
        command += [wine_path(archive), wine_path(ours)] if runner else [archive, ours]
    try:
        run = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    except subprocess.TimeoutExpired:
        return {}, "phunzip hangs"
    runs = parse(run.stdout)
    if run.returncode not in (0, 1) or len(runs) != len(archives):
        return {}, f"phunzip ended with {run.returncode} after {len(runs)} archives: {run.stderr[-300:]!r}"
    return dict(zip(archives, runs)), None


def check(archive, status, entries, runner, scratch):
    problems = []
    base, ours, theirs = folders(scratch, archive)
    if status not in (0, 1):
        problems.append(f"status {status}")
    try:
        subprocess.run(["unzip", "-qq", "-o", "-P", "x", archive, "-d", theirs], stdin=subprocess.DEVNULL,
                       capture_output=True, timeout=60)
    except subprocess.TimeoutExpired:
        pass

    beside = sorted(os.listdir(os.path.join(base, "ours")))
    if beside != ["dest"]:
        problems.append(f"written beside the destination: {beside}")

    # Under Wine names differ only in case name the same file.
    fold = (lambda n: n.decode("utf-8", "surrogateescape").casefold()) if runner else (lambda n: n)
    # The last entry of a name decides what is left of it.
    last = {}
    spelled = {}
    for _, name, result in entries:
        if name.endswith(b"/") or name.endswith(b"\\"):
            continue
        local = name.replace(b"\\", b"/")
        if runner:
            local = cp1252_to_unix(local)
        local = os.path.normpath(local)
        last[fold(local)] = result
        spelled.setdefault(fold(local), set()).add(local)
    # A folder entry's name may equal a file's; only files count here.
    expected = {key for key, result in last.items() if result == "UnzipOk"}
    left = {fold(f): f for f in files_below(ours)}
    expected = {key for key in expected if not any(os.path.isdir(os.path.join(os.fsencode(ours), n))
                                                   for n in spelled[key])}
    if set(left) != expected:
        problems.append(f"files left {sorted(left.values())} but entries extracted {sorted(expected)}")

    compared = 0
    for key in sorted(set(left) & expected):
        # Entries that share one file under Wine cannot be compared with unzip's separate files.
        if len(spelled[key]) != 1:
            continue
        name = left[key]
        other = os.path.join(os.fsencode(theirs), name)
        if not os.path.isfile(other):
            continue
        compared += 1
        with open(os.path.join(os.fsencode(ours), name), "rb") as a, open(other, "rb") as b:
            if a.read() != b.read():
                problems.append(f"{name!r} differs from unzip's")
    return problems, compared


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("corpus")
    parser.add_argument("phunzip")
    parser.add_argument("--runner")
    args = parser.parse_args()
    archives = sorted(os.path.join(args.corpus, f) for f in os.listdir(args.corpus) if f.endswith(".zip"))
    failures = 0
    compared = 0
    with tempfile.TemporaryDirectory() as scratch:
        for archive in archives:
            _, ours, theirs = folders(scratch, archive)
            os.makedirs(ours)
            os.makedirs(theirs)
        # The update's 200 ms pause is in every archive: several processes
        # at once, each unpacking a share of the archives.
        batches = [archives[i::12] for i in range(12)]
        with concurrent.futures.ThreadPoolExecutor(max_workers=12) as pool:
            unpacked = {}
            for runs, problem in pool.map(lambda b: unpack_batch(b, args.phunzip, args.runner, scratch), batches):
                if problem:
                    failures += 1
                    print(problem)
                unpacked.update(runs)
            jobs = {pool.submit(check, a, *unpacked[a], args.runner, scratch): a for a in unpacked}
            for job in concurrent.futures.as_completed(jobs):
                problems, count = job.result()
                compared += count
                for problem in problems:
                    failures += 1
                    print(f"{os.path.basename(jobs[job])}: {problem}")
    print(f"{len(archives)} archives, {compared} files compared with unzip, {failures} problems")
    # Most of the valid entries must have been compared, or the test proves nothing.
    if compared < 100:
        print("too few files compared")
        return 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
