#!/usr/bin/env python3
"""Mutation testing of the game's code: one-line faults nobody chose, each
built into a dedicated build folder and run against the tests that link the
file, so the score says how many of them the suite notices.

  scripts/mutate.py                        200 mutants, seed 1, across folders
  scripts/mutate.py --seed 7 --count 40    another sample
  scripts/mutate.py --file sim/combat.cpp  every mutant of one file
  scripts/mutate.py --file F --line N      the mutants of one line
  scripts/mutate.py --list [--file F]      the candidates, nothing run
  scripts/mutate.py --again RESULTS        only the survivors of an earlier run
                                           again (after new tests), merged
  scripts/mutate.py --report RESULTS       the scores of a result file
  scripts/mutate.py --resume               go on with an interrupted run of
                                           the same sample where it stopped

A mutant is killed when a test fails or runs past three times its time on
the unmutated code, survives when every test passes, and is not counted when
it does not build. Mutants listed in scripts/mutate_equivalent.txt (cannot
change what the game does) are reported apart. Results, written after every
mutant: build-mutate/results/seed-N.json (or --output).

Fast first: the test cases that killed earlier mutants of the same file run
first (remembered in build-mutate/results/killers.json), then the suites of
the test files that include the file's header, then the rest; every test
stops at its first failure.
"""

import argparse
import collections
import json
import os
import random
import re
import sys
import time
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ left in scripts/
sys.path.insert(0, str(Path(__file__).resolve().parent))
import mutants  # noqa: E402
import mutation_build  # noqa: E402
from mutation_build import BuildFolder  # noqa: E402
from source_guard import SourceGuard  # noqa: E402

ROOT = Path(__file__).resolve().parent.parent
FOLDERS = ["sim", "math", "app", "render", "audio", "platform"]
EQUIVALENT_LIST = ROOT / "scripts" / "mutate_equivalent.txt"
SUITE_RE = re.compile(r"^TEST(?:_F|_P)?\((\w+),", re.M)


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
    p.add_argument("--output", help="result file (default BUILD/results/seed-N.json)")
    p.add_argument("--again", metavar="RESULTS", help="run the survivors of this result file again")
    p.add_argument("--reuse-baseline", metavar="RESULTS",
                   help="take the tests' times from this result file instead of measuring them again")
    p.add_argument("--report", metavar="RESULTS", help="print the scores of this result file and stop")
    p.add_argument("--resume", action="store_true", help="keep the results an interrupted run saved, run the rest")
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
    return interleaved(sorted(chosen))


def interleaved(chosen):
    """File by file, so each file is rebuilt as rarely as possible, the files
    taken from the folders in turn, so a run cut short is still a spread."""
    files = collections.defaultdict(list)
    for m in chosen:
        files[m.path].append(m)
    queues = collections.defaultdict(list)
    for path in sorted(files):
        queues[path.split("/")[0]].append(path)
    order = []
    while any(queues.values()):
        for folder in FOLDERS:
            if queues[folder]:
                order += files[queues[folder].pop(0)]
    return order


def equivalent_text(m):
    """The text an equivalent mutant is listed by: the mutated line, or for a
    removed statement the line removed (the mutated text is empty for all of them)."""
    return (m.original if m.operator == "remove" else m.mutated).strip()


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


class Killers:
    """The test cases that killed mutants of each file, the latest first:
    the next mutant of that file most likely falls to one of them."""

    def __init__(self, path):
        self.path = path
        self.by_file = json.loads(path.read_text()) if path.exists() else {}

    def of(self, source):
        return self.by_file.get(source, [])

    def remember(self, source, test, cases):
        names = [f"{test}:{c}" for c in cases] or [test]
        known = [k for k in self.of(source) if k not in names]
        self.by_file[source] = (names + known)[:20]
        self.path.parent.mkdir(parents=True, exist_ok=True)
        self.path.write_text(json.dumps(self.by_file, indent=1))


def related_suites(source):
    """The gtest suites of the test files named after the file or including
    its header."""
    header = str(Path(source).with_suffix(".h"))
    suites = []
    for test_file in sorted((ROOT / "tests").rglob("*.cpp")):
        text = test_file.read_text(errors="replace")
        if test_file.stem == Path(source).stem + "_test" or f'#include "{header}"' in text:
            suites += SUITE_RE.findall(text)
    return list(dict.fromkeys(suites))


def test_plan(source, tests, killers):
    """(test, gtest filter or None) in the order most likely to fail first;
    together they run every case of every test exactly once."""
    remembered = killers.of(source)
    first = {t: [k.split(":", 1)[1] for k in remembered if k.startswith(t + ":")] for t in tests}
    whole_first = [k for k in remembered if k in tests]  # tests without cases (the bot, the game)
    suites = related_suites(source)
    plan = []
    for test in tests:
        if test in mutation_build.GTEST:
            chosen = first[test] + [f"{s}.*" for s in suites]
            if chosen:
                plan.append((test, ":".join(dict.fromkeys(chosen))))
    ranked = sorted(tests, key=lambda t: (0 if t in whole_first or first.get(t) else 1, tests.index(t)))
    for test in ranked:
        already = next((f for t, f in plan if t == test), None)
        plan.append((test, None if already is None else "*-" + already))
    return plan


def run_one(m, build, guard, equivalent, killers):
    """Applies, builds and tests one mutant; the file is restored before this returns."""
    reason = equivalent.get((m.path, m.operator, equivalent_text(m)))
    if reason is not None:
        return {"status": "equivalent", "reason": reason}
    tests = build.tests_reaching(m.path)
    if not tests:
        return {"status": "unreached"}
    with guard.mutated(m.path, m.line, m.mutated):
        built = set()
        for test, gtest_filter in test_plan(m.path, tests, killers):
            if test not in built:
                if not build.build(test):
                    if not built:
                        return {"status": "unbuilt"}
                    raise RuntimeError(f"{test} does not build although {sorted(built)} did")
                built.add(test)
            outcome, cases = build.run_test(test, gtest_filter=gtest_filter)
            if outcome != "passed":
                killers.remember(m.path, test, cases)
                return {"status": "killed", "by": test, "how": outcome, "cases": cases[:3]}
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


def mutant_of(record):
    """The mutant a result records, found again in today's file: its line may
    have moved while tests were added, its text may not have changed."""
    m = mutants.Mutant(*(record[f] for f in mutants.Mutant._fields))
    lines = (ROOT / m.path).read_text().split("\n")
    if m.line <= len(lines) and lines[m.line - 1] == m.original:
        return m
    near = sorted((abs(i + 1 - m.line), i + 1) for i, text in enumerate(lines) if text == m.original)
    if not near:
        return None
    return m._replace(line=near[0][1])


def load_results(path):
    data = json.loads(Path(path).read_text())
    return data, data["mutants"]


def save_results(output, header, results):
    output.parent.mkdir(parents=True, exist_ok=True)
    totals = collections.Counter(r["status"] for r in results)
    output.write_text(json.dumps(dict(header, totals=dict(totals), mutants=results), indent=1))


def record_key(r):
    return (r["path"], r["line"], r["column"], r["operator"], r["original"])


def saved_results(output, seed, count, sample):
    """The results an interrupted run of this very sample saved, in its order."""
    if not output.exists():
        return []
    data, saved = load_results(output)
    if data.get("seed") != seed or data.get("count") != count or data.get("complete"):
        return []
    done = []
    for r, m in zip(saved, sample):
        if record_key(r) != record_key(m._asdict()):
            break
        done.append(r)
    return done


def run_sample(sample, build, guard, save, done=()):
    """Runs the mutants one by one, saving the results after each; the
    mutants of done (results of an interrupted run) are not run again."""
    equivalent = equivalent_entries()
    killers = Killers(build.folder / "results" / "killers.json")
    results, interrupted = list(done), False
    try:
        for number, m in enumerate(sample, 1):
            if number <= len(done):
                continue
            began = time.monotonic()
            outcome = run_one(m, build, guard, equivalent, killers)
            outcome.update(m._asdict(), description=describe(m), seconds=round(time.monotonic() - began, 1))
            results.append(outcome)
            how = f" by {outcome['by']} ({outcome['how']})" if "by" in outcome else ""
            print(f"[{number}/{len(sample)}] {outcome['status']}{how} {outcome['seconds']} s  {describe(m)}", flush=True)
            save(results, False)
    except KeyboardInterrupt:
        interrupted = True
        print(f"\ninterrupted after {len(results)} of {len(sample)} mutants", flush=True)
    finally:
        guard.verify_all()
    return results, interrupted


def main():
    args = parse_arguments()
    os.chdir(ROOT)
    if args.report:
        data, results = load_results(args.report)
        print(f"seed {data.get('seed')}, {len(results)} of {data.get('count')} mutants"
              + ("" if data.get("complete") else " (incomplete)"))
        report(results, data.get("seconds", 0.0))
        return 0
    earlier = None
    if args.again:
        earlier, old = load_results(args.again)
        survivors = [r for r in old if r["status"] == "survived"]
        sample = [m for m in (mutant_of(r) for r in survivors) if m is not None]
        if len(sample) < len(survivors):
            print(f"{len(survivors) - len(sample)} survivors no longer found in their files", file=sys.stderr)
        count, seed = earlier.get("count"), earlier.get("seed")
    else:
        pool = candidates(args, source_files(args))
        if args.list:
            list_candidates(pool)
            return 0
        count = args.count if args.count is not None else (len(pool) if args.file else 200)
        seed = args.seed
        sample = stratified_sample(pool, count, seed)
    if not sample:
        print("no mutants to run", file=sys.stderr)
        return 1
    build = BuildFolder(ROOT, Path(args.build), args.gl_filter, args.timeout_factor)
    guard = SourceGuard(ROOT, build.folder / "mutate-backup")
    guard.recover()  # a run killed outright may have left a mutant behind
    build.prepare()
    known = json.loads(Path(args.reuse_baseline).read_text())["baseline"] if args.reuse_baseline else None
    build.measure_baseline(sorted({t for m in sample for t in build.tests_reaching(m.path)}, key=build.order),
                           known)
    if args.output:
        output = Path(args.output)
    elif args.again:
        output = Path(args.again).with_name(Path(args.again).stem + "-again.json")
    else:
        output = build.folder / "results" / (f"seed-{seed}.json" if not args.file else "files.json")
    start = time.monotonic()

    def merged(results):
        """An --again run's results in place of the earlier survivors (matched
        by their text, the line number may have moved)."""
        if earlier is None:
            return results
        again = {(r["path"], r["column"], r["operator"], r["original"]): r for r in results}
        return [dict(again[k], again=True) if r["status"] == "survived" and k in again else r
                for r in earlier["mutants"] for k in [(r["path"], r["column"], r["operator"], r["original"])]]

    def save(results, complete):
        complete = complete and (earlier is None or earlier.get("complete", False))
        header = {"seed": seed, "count": count, "complete": complete, "baseline": build.baseline,
                  "seconds": round(time.monotonic() - start, 1)}
        save_results(output, header, merged(results))

    done = saved_results(output, seed, count, sample) if args.resume and earlier is None else []
    if done:
        print(f"resuming after the {len(done)} mutants {output} holds", flush=True)
    results, interrupted = run_sample(sample, build, guard, save, done)
    save(results, not interrupted)
    if earlier is not None:
        print(f"\n== the {len(sample)} survivors of {args.again} again")
        report(results, time.monotonic() - start)
        print(f"\n== merged with the rest of {args.again}")
        report(merged(results), time.monotonic() - start)
    else:
        report(results, time.monotonic() - start)
    print(f"\nresults: {output}")
    return 130 if interrupted else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except KeyboardInterrupt:
        sys.exit(130)
