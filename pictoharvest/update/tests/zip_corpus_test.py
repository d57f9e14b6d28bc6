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
    entries = []
    for line in stdout.split(b"\n"):
        line = line.rstrip(b"\r")
        if not line:
            continue
        index, rest = line.split(b" ", 1)
        name, result = rest.rsplit(b" ", 1)
        entries.append((int(index), name, result.decode()))
    return entries


def files_below(root):
    found = set()
    for folder, _, files in os.walk(os.fsencode(root)):
        for f in files:
            found.add(os.path.relpath(os.path.join(folder, f), os.fsencode(root)))
    return found


def check(archive, phunzip, runner, scratch):
    problems = []
    base = os.path.join(scratch, os.path.basename(archive))
    ours = os.path.join(base, "ours", "dest")
    theirs = os.path.join(base, "theirs")
    os.makedirs(ours)
    os.makedirs(theirs)
    if runner:
        command = [runner, phunzip, wine_path(archive), wine_path(ours)]
    else:
        command = [phunzip, archive, ours]
    try:
        run = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, timeout=60)
    except subprocess.TimeoutExpired:
        return ["phunzip hangs"], 0
    if run.returncode not in (0, 1):
        return [f"phunzip ended with {run.returncode}: {run.stderr[-300:]!r}"], 0
    try:
        subprocess.run(["unzip", "-qq", "-o", "-P", "x", archive, "-d", theirs], stdin=subprocess.DEVNULL,
                       capture_output=True, timeout=60)
    except subprocess.TimeoutExpired:
        pass

    beside = sorted(os.listdir(os.path.join(base, "ours")))
    if beside != ["dest"]:
        problems.append(f"written beside the destination: {beside}")

    # The last entry of a name decides what is left of it.
    last = {}
    for _, name, result in parse(run.stdout):
        if name.endswith(b"/") or name.endswith(b"\\"):
            continue
        local = name.replace(b"\\", b"/")
        if runner:
            local = cp1252_to_unix(local)
        local = os.path.normpath(local)
        last[local] = result
    expected = {name for name, result in last.items() if result == "UnzipOk"}
    left = {f for f in files_below(ours)}
    # A folder entry's name may equal a file's; only files count here.
    expected = {name for name in expected if not os.path.isdir(os.path.join(os.fsencode(ours), name))}
    if left != expected:
        problems.append(f"files left {sorted(left)} but entries extracted {sorted(expected)}")

    compared = 0
    for name in sorted(left & expected):
        mine = os.path.join(os.fsencode(ours), name)
        other = os.path.join(os.fsencode(theirs), name)
        if not os.path.isfile(other):
            continue
        compared += 1
        with open(mine, "rb") as a, open(other, "rb") as b:
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
        # The update's 200 ms pause is in every run: run many at once.
        with concurrent.futures.ThreadPoolExecutor(max_workers=24) as pool:
            jobs = {pool.submit(check, a, args.phunzip, args.runner, scratch): a for a in archives}
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
