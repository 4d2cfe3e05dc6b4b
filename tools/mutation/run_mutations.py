#!/usr/bin/env python3
"""Puts small faults into the source one at a time and runs the tests that
should catch each; prints which faults the tests caught and which survived.

    tools/mutation/run_mutations.py BUILD_DIR FAULTS.ini [FAULTS.ini ...]
        [--only NAME[,NAME...]] [--jobs N] [--timeout SECONDS] [--named-targets]

A faults file holds one section a fault:

    [viewer-facts-always-shown]
    # what a user would see
    about = a picture without date or camera shows a dangling " · "
    file = src/page/modern/viewer.js
    find = facts.hidden = !facts.textContent;
    replace = facts.hidden = false;
    tests = modern_page_browser
    equivalent = why no test can tell it apart (optional; counted apart)

`find` must stand exactly once in the file, unless `occurrence = N` picks
the Nth (from 1). With --named-targets each fault builds only the test
programs its `tests` name (the words starting "test_") and the two
programs, which is much quicker on a busy machine; a fault whose tests name
no test program (a browser test) builds everything. Values are taken as written after "= " (a value may go on
over indented lines; `\\n` stands for a line break, `\\s` for a leading
space). `tests` is a CTest regular expression; the fault is caught when any
matching test fails or times out. A fault that does not build is reported
as such and left out of the rate. The source is put back after every fault,
also when the run is interrupted.
"""

import argparse
import configparser
import pathlib
import re
import signal
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parents[2]


def unescape(value):
    return value.replace("\\n", "\n").replace("\\s", " ")


def load_faults(paths):
    faults = []
    for path in paths:
        parser = configparser.ConfigParser(interpolation=None, comment_prefixes=("#",),
                                           inline_comment_prefixes=None, strict=True)
        parser.optionxform = str
        parser.read(path, encoding="utf-8")
        for name in parser.sections():
            section = parser[name]
            for key in ("file", "find", "replace", "tests"):
                if key not in section:
                    sys.exit(f"{path}: [{name}] has no '{key}'")
            faults.append({
                "name": name,
                "source": str(path),
                "about": section.get("about", ""),
                "file": section["file"],
                "find": unescape(section["find"]),
                "replace": unescape(section["replace"]),
                "occurrence": int(section.get("occurrence", "0")),
                "tests": section["tests"],
                "equivalent": section.get("equivalent", ""),
            })
    return faults


def place_fault(text, fault):
    find = fault["find"]
    count = text.count(find)
    if count == 0:
        raise ValueError("the text to change is not in the file")
    occurrence = fault["occurrence"]
    if occurrence == 0:
        if count > 1:
            raise ValueError(f"the text to change stands {count} times; give occurrence")
        occurrence = 1
    if occurrence > count:
        raise ValueError(f"occurrence {occurrence} of {count}")
    at = -1
    for _ in range(occurrence):
        at = text.index(find, at + 1)
    return text[:at] + fault["replace"] + text[at + len(find):]


def run(command, timeout, log):
    started = time.monotonic()
    try:
        done = subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout, text=True, errors="replace")
        log.write(done.stdout)
        return done.returncode, time.monotonic() - started
    except subprocess.TimeoutExpired as expired:
        log.write(str(expired.output or ""))
        return None, time.monotonic() - started


def build_command(fault, args):
    command = ["cmake", "--build", args.build, "-j", str(args.jobs)]
    programs = [w for w in re.findall(r"[A-Za-z0-9_]+", fault["tests"]) if w.startswith("test_")]
    if args.named_targets and programs:
        command += ["--target", "vintora-cli", "vintora", *programs]
    return command


def try_fault(fault, args, log):
    path = ROOT / fault["file"]
    original = path.read_bytes()
    text = original.decode("utf-8")
    try:
        mutated = place_fault(text, fault)
    except ValueError as problem:
        return "not placed", str(problem)
    try:
        path.write_bytes(mutated.encode("utf-8"))
        log.write(f"\n===== {fault['name']} =====\n")
        status, _ = run(build_command(fault, args), None, log)
        if status != 0:
            return "does not build", ""
        status, seconds = run(["ctest", "--test-dir", args.build, "-R", fault["tests"],
                               "-j", str(args.jobs), "--timeout", str(args.timeout),
                               "--output-on-failure"], args.timeout * 4, log)
        if status is None or status != 0:
            return "caught", f"{seconds:.0f} s"
        return "survived", f"{seconds:.0f} s"
    finally:
        path.write_bytes(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build")
    parser.add_argument("faults", nargs="+")
    parser.add_argument("--only", default="")
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=300)
    parser.add_argument("--log", default="mutation.log")
    parser.add_argument("--named-targets", action="store_true")
    args = parser.parse_args()

    faults = load_faults(args.faults)
    if args.only:
        wanted = set(args.only.split(","))
        faults = [f for f in faults if f["name"] in wanted]
    # An interruption still puts the source back (try_fault's finally).
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))

    rows = []
    with open(args.log, "w", encoding="utf-8") as log:
        for index, fault in enumerate(faults, 1):
            print(f"[{index}/{len(faults)}] {fault['name']} ...", end=" ", flush=True)
            if fault["equivalent"]:
                outcome, detail = "equivalent", fault["equivalent"]
            else:
                outcome, detail = try_fault(fault, args, log)
            print(outcome, detail)
            rows.append((fault, outcome, detail))
        # Leave the build as the source is.
        run(["cmake", "--build", args.build, "-j", str(args.jobs)], None, log)

    counted = [r for r in rows if r[1] in ("caught", "survived")]
    caught = [r for r in counted if r[1] == "caught"]
    print()
    print("| Fault | File | Tests | Outcome |")
    print("|---|---|---|---|")
    for fault, outcome, detail in rows:
        about = fault["about"] or fault["name"]
        note = f" ({detail})" if detail and outcome not in ("caught", "survived") else ""
        print(f"| {about} | `{fault['file']}` | `{fault['tests']}` | {outcome}{note} |")
    print()
    if counted:
        print(f"Caught {len(caught)} of {len(counted)} faults that build and are not "
              f"equivalent ({100 * len(caught) / len(counted):.0f} %).")
    others = [r for r in rows if r[1] not in ("caught", "survived")]
    if others:
        print(f"{len(others)} not counted (equivalent, not placed, or not building).")
    return 0 if len(caught) == len(counted) else 1


if __name__ == "__main__":
    sys.exit(main())
