#!/usr/bin/env python3
"""Mutation testing of the game's code: one-line faults nobody chose, each
built into a dedicated build folder and run against the tests that link the
file, so the score says how many of them the suite notices.

  scripts/mutate.py                        200 mutants, seed 1, across folders
  scripts/mutate.py --seed 7 --count 40    another sample
  scripts/mutate.py --file sim/combat.cpp  every mutant of one file
  scripts/mutate.py --file F --line N      the mutants of one line
  scripts/mutate.py --list [--file F]      the candidates, nothing run

A mutant is killed when a test fails or runs past three times its time on
the unmutated code, survives when every test passes, and is not counted when
it does not build. Mutants listed in scripts/mutate_equivalent.txt (cannot
change what the game does) are reported apart. Results: build-mutate/mutation.json.
"""

import argparse
import collections
import json
import os
import random
import sys
import time
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ left in scripts/
sys.path.insert(0, str(Path(__file__).resolve().parent))
import mutants  # noqa: E402
from mutation_build import BuildFolder  # noqa: E402
from source_guard import SourceGuard  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent
FOLDERS = ["sim", "math", "app", "render", "audio", "platform"]
EQUIVALENT_LIST = ROOT / "scripts" / "mutate_equivalent.txt"


def parse_arguments():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--count", type=int, help="mutants to sample (default 200, or all of --file)")
    p.add_argument("--file", action="append", default=[], help="only this source file (repeatable)")
    p.add_argument("--line", type=int, help="only this line of --file")
    p.add_argument("--operator", help="only this operator (relational, logical, negate, ...)")
    p.add_argument("--list", action="store_true", help="list the candidates and stop")
    p.add_argument("--headers", action="store_true", help="also mutate headers (rebuilds every includer)")
    p.add_argument("--build", default="build-mutate", help="the build folder (default build-mutate)")
    p.add_argument("--gl-filter", default="*", help="gtest filter for the GL tests")
    p.add_argument("--timeout-factor", type=float, default=3.0)
    p.add_argument("--output", help="result file (default BUILD/mutation.json)")
    return p.parse_args()


def source_files(args):
    if args.file:
        return [str(Path(f)) for f in args.file]
    suffixes = (".cpp", ".h") if args.headers else (".cpp",)
    files = []
    for folder in FOLDERS:
        files += sorted(str(p.relative_to(ROOT)) for p in (ROOT / folder).rglob("*") if p.suffix in suffixes)
    return files


def candidates(args, files):
    found = []
    for path in files:
        text = (ROOT / path).read_text()
        for m in mutants.file_mutants(path, text):
            if args.line is not None and m.line != args.line:
                continue
            if args.operator and m.operator != args.operator:
                continue
            found.append(m)
    return found


def folder_of(m):
    return m.path.split("/")[0]


def stratified_sample(pool, count, seed):
    """count mutants drawn across folders in proportion to their candidates,
    every folder with candidates getting at least one."""
    rng = random.Random(seed)
    by_folder = collections.defaultdict(list)
    for m in pool:
        by_folder[folder_of(m)].append(m)
    if count >= len(pool):
        return sorted(pool)
    shares = {f: max(1, count * len(ms) / len(pool)) for f, ms in by_folder.items()}
    quota = {f: min(len(by_folder[f]), int(s)) for f, s in shares.items()}
    by_remainder = sorted(shares, key=lambda f: shares[f] - int(shares[f]), reverse=True)
    while sum(quota.values()) < count:
        for f in by_remainder:
            if sum(quota.values()) < count and quota[f] < len(by_folder[f]):
                quota[f] += 1
    chosen = []
    for f in sorted(by_folder):
        chosen += rng.sample(by_folder[f], quota[f])
    return sorted(chosen)  # file by file, so each file is rebuilt as rarely as possible


def equivalent_entries():
    """(file, operator, mutated line) -> reason, from the committed list:
    tab-separated file, operator, the mutated line's text, reason."""
    entries = {}
    if EQUIVALENT_LIST.exists():
        for raw in EQUIVALENT_LIST.read_text().splitlines():
            if raw.strip() and not raw.startswith("#"):
                path, operator, text, reason = raw.split("\t")
                entries[(path, operator, text.strip())] = reason
    return entries


def run_one(m, build, guard, equivalent):
    """Applies, builds and tests one mutant; the file is restored before this returns."""
    reason = equivalent.get((m.path, m.operator, m.mutated.strip()))
    if reason is not None:
        return {"status": "equivalent", "reason": reason}
    tests = build.tests_reaching(m.path)
    if not tests:
        return {"status": "unreached"}
    with guard.mutated(m.path, m.line, m.mutated):
        for index, test in enumerate(tests):
            if not build.build(test):
                if index == 0:
                    return {"status": "unbuilt"}
                raise RuntimeError(f"{test} does not build although {tests[0]} did")
            outcome = build.run_test(test)
            if outcome != "passed":
                return {"status": "killed", "by": test, "how": outcome}
    return {"status": "survived", "tests": tests}


def describe(m):
    return f"{m.path}:{m.line} {m.operator}: {m.mutated.strip() or '(statement removed) ' + m.original.strip()}"


def report(results, elapsed):
    counts = collections.defaultdict(collections.Counter)
    for r in results:
        counts[r["path"].split("/")[0]][r["status"]] += 1
    total = collections.Counter()
    print("\n== mutation score (killed / killed + survived)")
    for folder in FOLDERS:
        if folder in counts:
            total.update(counts[folder])
            print_score(folder, counts[folder])
    print_score("overall", total)
    runs = [r for r in results if r["status"] in ("killed", "survived")]
    if runs:
        print(f"{elapsed:.0f} s, {elapsed / max(1, len(results)):.1f} s a mutant")
    for title, status in (("survivors", "survived"), ("equivalent (not scored)", "equivalent")):
        listed = [r for r in results if r["status"] == status]
        if listed:
            print(f"\n== {title}: {len(listed)}")
            for r in listed:
                print("  " + r["description"] + (f"  [{r['reason']}]" if "reason" in r else ""))
    return total


def print_score(name, c):
    scored = c["killed"] + c["survived"]
    score = f"{100.0 * c['killed'] / scored:5.1f}%" if scored else "   -  "
    extra = "".join(f", {c[s]} {s}" for s in ("unbuilt", "equivalent", "unreached") if c[s])
    print(f"  {name:9} {score}  {c['killed']:3} killed, {c['survived']:3} survived{extra}")


def list_candidates(pool):
    for m in pool:
        print(f"{m.key()}  {describe(m)}")
    by_folder = collections.Counter(folder_of(m) for m in pool)
    print(f"{len(pool)} candidates: " + ", ".join(f"{f} {n}" for f, n in sorted(by_folder.items())))


def main():
    args = parse_arguments()
    os.chdir(ROOT)
    pool = candidates(args, source_files(args))
    if args.list:
        list_candidates(pool)
        return 0
    count = args.count if args.count is not None else (len(pool) if args.file else 200)
    sample = stratified_sample(pool, count, args.seed)
    if not sample:
        print("no mutants to run", file=sys.stderr)
        return 1
    build = BuildFolder(ROOT, Path(args.build), args.gl_filter, args.timeout_factor)
    guard = SourceGuard(ROOT, build.folder / "mutate-backup")
    guard.recover()  # a run killed outright may have left a mutant behind
    build.prepare()
    build.measure_baseline(sorted({t for m in sample for t in build.tests_reaching(m.path)}, key=build.order))
    equivalent = equivalent_entries()
    results, start, interrupted = [], time.monotonic(), False
    try:
        for number, m in enumerate(sample, 1):
            began = time.monotonic()
            outcome = run_one(m, build, guard, equivalent)
            outcome.update(m._asdict(), description=describe(m), seconds=round(time.monotonic() - began, 1))
            results.append(outcome)
            how = f" by {outcome['by']} ({outcome['how']})" if "by" in outcome else ""
            print(f"[{number}/{len(sample)}] {outcome['status']}{how} {outcome['seconds']} s  {describe(m)}", flush=True)
    except KeyboardInterrupt:
        interrupted = True
        print(f"\ninterrupted after {len(results)} of {len(sample)} mutants", flush=True)
    finally:
        guard.verify_all()
    total = report(results, time.monotonic() - start)
    output = Path(args.output) if args.output else build.folder / "mutation.json"
    output.write_text(json.dumps({"seed": args.seed, "count": count, "complete": not interrupted,
                                  "baseline": build.baseline, "totals": dict(total), "mutants": results},
                                 indent=1))
    print(f"\nresults: {output}")
    return 130 if interrupted else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit(130)
