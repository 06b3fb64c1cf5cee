#!/usr/bin/env python3
"""Mutation testing: how many planted faults does the suite catch?

Copies the tree, builds it once, then applies each mutant of a mutant file on its own: rebuilds
incrementally, runs every test executable the change relinked, and records which tests failed.
A mutant no test catches survives. Writes a Markdown table of the results.

    bench/mutate.py bench/mutants.txt --out bench/mutation-results.md [--only M01,M07]
"""
import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass, field

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SUITE_TIMEOUT = 300


@dataclass
class Mutant:
    ident: str
    path: str
    what: str
    old: str = ""
    new: str = ""


@dataclass
class Suite:
    """One test executable run whole (or one CTest test that is not a GoogleTest case)."""
    name: str
    command: list
    env: dict
    watched: list  # build outputs whose change means this suite must run again
    ctest_name: str = ""


@dataclass
class Outcome:
    built: bool = True
    failed: list = field(default_factory=list)
    ran: list = field(default_factory=list)


def read_mutants(path):
    """Blocks of `ID file what`, then `- old text` and `+ new text` (\\n for a line break)."""
    mutants = []
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if not line.strip() or line.startswith("#"):
            continue
        if line.startswith("- ") or line == "-":
            mutants[-1].old = line[2:].replace("\\n", "\n")
        elif line.startswith("+ ") or line == "+":
            mutants[-1].new = line[2:].replace("\\n", "\n")
        else:
            ident, file, what = line.split(None, 2)
            mutants.append(Mutant(ident, file, what))
    return mutants


def run(cmd, **kwargs):
    return subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          errors="replace", **kwargs)


def copy_tree(source, target):
    """Makes target hold exactly the tracked and untracked files of source; files that are the
    same are left alone, so that the build folder beside them rebuilds only what changed. A copied
    file takes the time of copying, not its source's: a run cut short leaves a mutant's object
    newer than the original's own time, and the build would keep it."""
    files = set(filter(None, run(["git", "ls-files", "-co", "--exclude-standard"],
                                 cwd=source).stdout.split("\n")))
    for folder, _, names in os.walk(target):
        for name in names:
            if os.path.relpath(os.path.join(folder, name), target) not in files:
                os.remove(os.path.join(folder, name))
    for name in files:
        src, dst = os.path.join(source, name), os.path.join(target, name)
        if not os.path.lexists(src):
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        if not os.path.exists(dst) or not same_file(src, dst):
            shutil.copy(src, dst, follow_symlinks=False)


def same_file(a, b):
    with open(a, "rb") as fa, open(b, "rb") as fb:
        return fa.read() == fb.read()


def discover_suites(build):
    listing = json.loads(run(["ctest", "--show-only=json-v1"], cwd=build).stdout)
    suites = {}
    for test in listing["tests"]:
        if test["name"].startswith("package."):
            continue
        command = test["command"]
        env = {}
        for prop in test.get("properties", []):
            if prop["name"] == "ENVIRONMENT":
                env.update(v.split("=", 1) for v in prop["value"])
        watched = [c for c in command if c.startswith(build) and os.path.isfile(c)]
        if any(c.startswith("--gtest_filter") for c in command):
            key = (command[0], tuple(sorted(env.items())))
            if key not in suites:
                label = os.path.basename(command[0]) + "".join(f" {k}={v}" for k, v in env.items())
                suites[key] = Suite(label, [command[0], "--gtest_brief=1"], env, watched)
        else:
            suites[test["name"]] = Suite(test["name"], ["ctest", "-R", f"^{re.escape(test['name'])}$",
                                         "--output-on-failure"], {}, watched, test["name"])
    return list(suites.values())


def run_suite(suite, build):
    env = dict(os.environ, **suite.env)
    try:
        result = run(suite.command, cwd=build, env=env, timeout=SUITE_TIMEOUT)
    except subprocess.TimeoutExpired:
        return [f"{suite.name} (timed out)"]
    if result.returncode == 0:
        return []
    if suite.ctest_name:
        return [suite.ctest_name]
    failed = sorted(set(re.findall(r"^\[  FAILED  \] (\S+\.[^\s,]+)", result.stdout, re.M)))
    return failed or [f"{suite.name} (exit {result.returncode})"]


def run_suites(suites, build, first_failure=False):
    """One suite at a time: suites side by side disturb each other's disk figures and timings."""
    failed = []
    for suite in suites:
        failed += run_suite(suite, build)
        if failed and first_failure:
            break
    return failed


def stamps(suites):
    return {w: os.stat(w).st_mtime_ns for s in suites for w in s.watched}


def build_all(build):
    return run(["cmake", "--build", build, "--", "-k", "0"]).returncode == 0


def try_mutant(mutant, source, build, suites, first_failure):
    path = os.path.join(source, mutant.path)
    original = open(path, encoding="utf-8").read()
    if original.count(mutant.old) != 1:
        raise SystemExit(f"{mutant.ident}: the text to replace occurs "
                         f"{original.count(mutant.old)} times in {mutant.path}")
    before = stamps(suites)
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original.replace(mutant.old, mutant.new))
        if not build_all(build):
            return Outcome(built=False)
        after = stamps(suites)
        affected = [s for s in suites if any(before[w] != after[w] for w in s.watched)]
        return Outcome(failed=run_suites(affected, build, first_failure), ran=[s.name for s in affected])
    finally:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original)


def table(mutants, outcomes, title):
    killed = sum(1 for o in outcomes.values() if o.built and o.failed)
    survived = [m.ident for m in mutants if outcomes[m.ident].built and not outcomes[m.ident].failed]
    lines = [f"# {title}", "",
             f"{killed} of {len(mutants)} mutants killed; survivors: {', '.join(survived) or 'none'}.",
             "", "| mutant | file | fault planted | result |", "|---|---|---|---|"]
    for m in mutants:
        o = outcomes[m.ident]
        if not o.built:
            result = "not built"
        elif not o.failed:
            result = "**survived**"
        else:
            shown = ", ".join(o.failed[:3]) + (f" and {len(o.failed) - 3} more" if len(o.failed) > 3 else "")
            result = f"killed by {shown}"
        lines.append(f"| {m.ident} | {m.path} | {m.what} | {result} |")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("mutants")
    parser.add_argument("--out", help="Markdown file for the table")
    parser.add_argument("--json", help="file for every failing test of every mutant")
    parser.add_argument("--title", default="Mutation results")
    parser.add_argument("--only", help="comma-separated mutant ids")
    parser.add_argument("--work", default="/tmp/vorn-mutate")
    parser.add_argument("--first-failure", action="store_true",
                        help="stop at a mutant's first failing suite: quicker, fewer names")
    args = parser.parse_args()

    mutants = read_mutants(args.mutants)
    if args.only:
        wanted = set(args.only.split(","))
        mutants = [m for m in mutants if m.ident in wanted]
    source, build = os.path.join(args.work, "src"), os.path.join(args.work, "build")
    copy_tree(ROOT, source)
    # Light optimisation and no debug information: each mutant relinks many executables.
    run(["cmake", "-S", source, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
         "-DCMAKE_CXX_FLAGS_RELEASE=-O1 -DNDEBUG"], check=True)
    if not build_all(build):
        raise SystemExit("the unmutated tree does not build")
    suites = discover_suites(build)
    # The quickest suites first, so that a mutant is caught as early as it can be.
    took = {}
    for suite in suites:
        started = time.time()
        if run_suite(suite, build):
            raise SystemExit("the unmutated suite fails: " + suite.name)
        took[suite.name] = time.time() - started
    suites.sort(key=lambda suite: took[suite.name])

    outcomes = {}
    for number, mutant in enumerate(mutants, 1):
        started = time.time()
        outcomes[mutant.ident] = outcome = try_mutant(mutant, source, build, suites, args.first_failure)
        verdict = "not built" if not outcome.built else (
            f"killed ({len(outcome.failed)})" if outcome.failed else "SURVIVED")
        print(f"[{number}/{len(mutants)}] {mutant.ident} {mutant.path}: {verdict} "
              f"in {time.time() - started:.0f} s", flush=True)
    build_all(build)

    report = table(mutants, outcomes, args.title)
    if args.out:
        with open(args.out, "w", encoding="utf-8") as f:
            f.write(report)
    if args.json:
        with open(args.json, "w", encoding="utf-8") as f:
            json.dump({k: {"built": o.built, "failed": o.failed, "ran": o.ran}
                       for k, o in outcomes.items()}, f, indent=1)
    print(report)
    return 0


if __name__ == "__main__":
    sys.exit(main())
