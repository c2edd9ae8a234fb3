#!/usr/bin/env python3
"""Mutation check of the Linux test suite.

  scripts/mutate.py generate [--seed N] [--count N] > scripts/mutants.json
  scripts/mutate.py run [--mutants FILE ...] [--only ID,...] [--rev COMMIT]

`generate` scans the core (src/, the Windows binding aside) for places to
break and picks a seeded sample of four kinds of mutant: a character changed
in a statement fragment, a comparison flipped, a statement dropped, two
arguments of a call swapped. Each mutant names the original line, which is
unique in src/ when it is generated, and the line that replaces it; finding
it by its text keeps the set usable when code moves between files.
`run` takes the generated set and the hand-written one,
scripts/mutants_hand.json (faults a test was written to catch; ids from
101), unless told other files.

`run` copies the repository's files (as they are in the working tree, new
files included, or as a commit holds them) to build/mutation/tree, builds
that copy in build/mutation/build, then applies the mutants there one at a
time: an incremental rebuild of the core, then the test programs the Linux suite runs (ctest runs the same programs,
one process per test case), each once, stopping at the first that fails. A
mutant is caught when a test program fails or hangs; a mutant that does not
compile is left out of the score. The working tree is never modified.
"""
import argparse
import io
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tarfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORK = os.path.join(ROOT, "build", "mutation")
TREE = os.path.join(WORK, "tree")
BUILD = os.path.join(WORK, "build")

# Test programs in the order they run; the shared expected-text cases first,
# as they catch most statement mutants.
TEST_PROGRAMS = ["tool_tests", "lookup_tests", "decode_tests", "connect_tests", "convert_tests", "frame_tests",
                 "compose_tests"]
TEST_TIMEOUT = 180


def core_sources():
    for folder, _, files in sorted(os.walk(os.path.join(ROOT, "src"))):
        rel = os.path.relpath(folder, ROOT)
        if rel.startswith(os.path.join("src", "com")):
            continue
        for f in sorted(files):
            if f.endswith(".cpp"):
                yield os.path.join(rel, f)


def code_lines(path):
    """Lines outside comments, with their index."""
    with open(os.path.join(ROOT, path), encoding="utf-8") as fh:
        lines = fh.read().split("\n")
    in_block = False
    for i, line in enumerate(lines):
        s = line.strip()
        if in_block:
            if "*/" in s:
                in_block = False
            continue
        if s.startswith("/*"):
            in_block = "*/" not in s
            continue
        if not s or s.startswith("//") or s.startswith("#") or s.startswith("static_assert"):
            continue
        yield i, line


STRING = re.compile(r'"((?:[^"\\]|\\.)*)"')
COMPARISON = re.compile(r" (==|!=|<=|>=|<|>) ")
FLIP = {"==": "!=", "!=": "==", "<=": "<", ">=": ">", "<": "<=", ">": ">="}
CALL = re.compile(r"\b(\w+)\(([^(){}]+)\)")
DECLARATION = re.compile(r"^(const |constexpr |static |auto |std::|value |bool |int |char |unsigned |double |"
                         r"long |using |return|case |default|break|continue|throw|template|struct |class |namespace )")


def candidates(path):
    previous = "{"
    for i, line in code_lines(path):
        stripped = line.strip()
        # A statement starts after the end of another, or of a block.
        starts = previous.endswith((";", "{", "}", ":", ")"))
        previous = line.split("//")[0].rstrip() or previous
        body = line.split("//")[0]
        # A character of a statement fragment: a literal with a blank or an
        # SQL punctuation mark, at least four characters long.
        for m in STRING.finditer(body):
            text = m.group(1)
            if len(text) >= 4 and "\\" not in text and re.search(r"[ ,.=()'\[\]]", text):
                letters = [k for k, ch in enumerate(text) if ch.isalnum() or ch in " ,.='()"]
                yield ("fragment", i, line, m.start(1), text, letters)
        for m in COMPARISON.finditer(body):
            before = body[: m.start()]
            # Skip template brackets and stream shifts.
            if m.group(1) in ("<", ">") and ("template" in body or "<<" in body or ">>" in body):
                continue
            if before.count('"') % 2:
                continue
            yield ("comparison", i, line, m.start(1), m.group(1), None)
        if (starts and stripped.endswith(";") and not DECLARATION.match(stripped) and stripped.count("(") == stripped.count(")")
                and not re.match(r"^\w+(::\w+)*(<[^>]*>)?[&*]? [&*]?\w+( =|\(|\{|;)", stripped)
                and not stripped.startswith(("}", "<<", '"', "{", "+", "-", "?", ":"))
                and len(stripped) > 6):
            yield ("drop", i, line, None, None, None)
        for m in CALL.finditer(body):
            if m.group(1) in ("if", "for", "while", "switch", "sizeof", "static_cast") or m.group(2).count('"') % 2:
                continue
            args = [x.strip() for x in m.group(2).split(",")]
            # Two neighbouring arguments of one kind, so that the swap
            # compiles: two texts, two numbers, two caller arguments.
            for k in range(len(args) - 1):
                a, b = args[k], args[k + 1]
                if a != b and form(a) is not None and form(a) == form(b):
                    yield ("swap", i, line, m.start(), m.group(0), (m.group(1), args, k))
                    break


def form(x):
    if re.fullmatch(r'"[^"]*"', x):
        return "text"
    if re.fullmatch(r"-?\d+", x):
        return "number"
    if re.fullmatch(r"a\[\d\]", x):
        return "argument"
    return None


def mutate(kind, line, pos, text, extra, rng):
    if kind == "fragment":
        k = rng.choice(extra)
        ch = text[k]
        new_ch = {" ": "_", ",": ";", ".": ":", "=": "<", "'": "`", "(": "[", ")": "]"}.get(ch)
        if new_ch is None:
            new_ch = "Q" if ch != "Q" else "Z"
        return line[: pos + k] + new_ch + line[pos + k + 1:], f"{text!r}: {ch!r} -> {new_ch!r}"
    if kind == "comparison":
        flipped = FLIP[text]
        return line[:pos] + flipped + line[pos + len(text):], f"{text} -> {flipped}"
    if kind == "drop":
        indent = line[: len(line) - len(line.lstrip())]
        return indent + ";", "statement dropped"
    if kind == "swap":
        name, args, k = extra
        args = list(args)
        args[k], args[k + 1] = args[k + 1], args[k]
        return line[:pos] + f"{name}({', '.join(args)})" + line[pos + len(text):], f"{name}: arguments {k + 1} and {k + 2} swapped"
    raise ValueError(kind)


def generate(seed, count):
    rng = random.Random(seed)
    all_lines = {}
    by_kind = {"fragment": [], "comparison": [], "drop": [], "swap": []}
    for path in core_sources():
        with open(os.path.join(ROOT, path), encoding="utf-8") as fh:
            for line in fh.read().split("\n"):
                all_lines[line] = all_lines.get(line, 0) + 1
    for path in core_sources():
        for c in candidates(path):
            if all_lines[c[2]] == 1:
                by_kind[c[0]].append((path,) + c)
    share = {"fragment": 0.35, "comparison": 0.2, "drop": 0.25, "swap": 0.2}
    chosen = []
    used = set()
    for kind, part in share.items():
        pool = by_kind[kind]
        rng.shuffle(pool)
        want = round(count * part)
        for path, _, i, line, pos, text, extra in pool:
            if want == 0:
                break
            if line in used:
                continue
            used.add(line)
            new, what = mutate(kind, line, pos, text, extra, rng)
            chosen.append({"kind": kind, "file": path, "line": i + 1, "what": what, "original": line, "mutant": new})
            want -= 1
    for n, m in enumerate(chosen, 1):
        m["id"] = n
    json.dump({"seed": seed, "mutants": chosen}, sys.stdout, indent=1, ensure_ascii=False)
    sys.stdout.write("\n")


def sh(cmd, cwd=None, timeout=None, log=None):
    try:
        r = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=timeout)
        if log is not None:
            log.write(r.stdout.decode(errors="replace")[-4000:])
        return r.returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def tree_files(rev):
    """{path: content} of the working tree (the files git knows or would
    add) or of a commit."""
    if rev:
        archive = subprocess.run(["git", "archive", "--format=tar", rev], cwd=ROOT, stdout=subprocess.PIPE,
                                 check=True).stdout
        with tarfile.open(fileobj=io.BytesIO(archive)) as tar:
            return {m.name: (tar.extractfile(m).read(), m.mode) for m in tar.getmembers() if m.isfile()}
    files = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"], cwd=ROOT,
                           stdout=subprocess.PIPE, check=True).stdout
    out = {}
    for rel in files.decode().split("\0"):
        path = os.path.join(ROOT, rel)
        if rel and os.path.isfile(path):
            with open(path, "rb") as fh:
                out[rel] = (fh.read(), os.stat(path).st_mode)
    return out


def copy_tree(rev):
    # A file is rewritten only when its content changed, so the build of the
    # copy redoes only what changed.
    wanted = tree_files(rev)
    for folder, _, names in os.walk(TREE):
        if "node_modules" in folder:
            continue
        for name in names:
            rel = os.path.relpath(os.path.join(folder, name), TREE)
            if rel not in wanted and not rel.endswith("node_modules"):
                os.remove(os.path.join(TREE, rel))
    for rel, (content, mode) in sorted(wanted.items()):
        dst = os.path.join(TREE, rel)
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        if os.path.exists(dst):
            with open(dst, "rb") as b:
                if b.read() == content:
                    continue
        with open(dst, "wb") as b:
            b.write(content)
        os.chmod(dst, mode & 0o777)
    nm = os.path.join(TREE, "tests", "conformance", "node_modules")
    if not os.path.exists(nm):
        os.symlink(os.path.join(ROOT, "tests", "conformance", "node_modules"), nm)


def locate(original):
    hits = []
    for folder, _, files in os.walk(os.path.join(TREE, "src")):
        for f in files:
            p = os.path.join(folder, f)
            with open(p, encoding="utf-8") as fh:
                lines = fh.read().split("\n")
            hits += [(p, k) for k, line in enumerate(lines) if line == original]
    return hits


def run_suite(log):
    """The first test program that fails, or None."""
    for prog in TEST_PROGRAMS:
        if sh(["cmake", "--build", BUILD, "-j2", "--target", prog], log=log) != 0:
            return prog + " (build)"
        rc = sh([os.path.join(BUILD, "tests", prog), "--gtest_brief=1"], cwd=os.path.join(BUILD, "tests"),
                timeout=TEST_TIMEOUT, log=log)
        if rc != 0:
            return prog
    if sh(["cmake", "--build", BUILD, "-j2", "--target", "dump_statements"], log=log) != 0:
        return "conformance_tsql (build)"
    rc = sh([os.path.join(TREE, "tests", "conformance", "run.sh"), os.path.join(BUILD, "tests", "dump_statements"),
             os.path.join(BUILD, "tests")], timeout=TEST_TIMEOUT, log=log)
    return None if rc == 0 else "conformance_tsql"


def run(mutants_paths, only, rev):
    mutants = []
    for path in mutants_paths:
        with open(path, encoding="utf-8") as fh:
            mutants += json.load(fh)["mutants"]
    if only:
        mutants = [m for m in mutants if m["id"] in only]
    os.makedirs(WORK, exist_ok=True)
    copy_tree(rev)
    log = open(os.path.join(WORK, "log.txt"), "w")
    if sh(["cmake", "-S", TREE, "-B", BUILD, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=", "-DCMAKE_CXX_FLAGS=-O1",
           "-DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON", "-DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST"],
          log=log) != 0:
        sys.exit("configure failed; see build/mutation/log.txt")
    print("building the unmutated copy ...", flush=True)
    if sh(["cmake", "--build", BUILD, "-j2"], log=log) != 0:
        sys.exit("build failed; see build/mutation/log.txt")
    failing = run_suite(log)
    if failing:
        sys.exit(f"the unmutated suite fails ({failing}); see build/mutation/log.txt")
    caught, missed, invalid = [], [], []
    for m in mutants:
        started = time.time()
        hits = locate(m["original"])
        if len(hits) != 1:
            invalid.append(m["id"])
            print(f"#{m['id']:>2} {m['kind']:<10} not applicable ({len(hits)} matching lines)", flush=True)
            continue
        path, k = hits[0]
        with open(path, encoding="utf-8") as fh:
            saved = fh.read()
        lines = saved.split("\n")
        lines[k] = m["mutant"]
        try:
            with open(path, "w", encoding="utf-8") as fh:
                fh.write("\n".join(lines))
            log.write(f"\n=== mutant {m['id']} {m['file']}: {m['what']}\n")
            if sh(["cmake", "--build", BUILD, "-j2", "--target", "veldrane_core"], log=log) != 0:
                invalid.append(m["id"])
                verdict = "does not compile"
            else:
                failing = run_suite(log)
                (caught if failing else missed).append(m["id"])
                verdict = f"caught by {failing}" if failing else "MISSED"
        finally:
            with open(path, "w", encoding="utf-8") as fh:
                fh.write(saved)
        rel = os.path.relpath(path, TREE)
        print(f"#{m['id']:>2} {m['kind']:<10} {rel}: {m['what']} -> {verdict} ({time.time() - started:.0f}s)", flush=True)
    # Leave the copy built as it was.
    sh(["cmake", "--build", BUILD, "-j2", "--target", "veldrane_core"], log=log)
    valid = len(caught) + len(missed)
    print(f"caught {len(caught)} of {valid} compiling mutants"
          f" ({100.0 * len(caught) / valid if valid else 0:.0f}%); {len(invalid)} left out (do not compile or apply)")
    if missed:
        print("missed: " + ", ".join(f"#{i}" for i in missed))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    sub = ap.add_subparsers(dest="cmd", required=True)
    g = sub.add_parser("generate")
    g.add_argument("--seed", type=int, default=9)
    g.add_argument("--count", type=int, default=36)
    r = sub.add_parser("run")
    r.add_argument("--mutants", nargs="+", default=[os.path.join(ROOT, "scripts", name)
                                                    for name in ("mutants.json", "mutants_hand.json")])
    r.add_argument("--only", default="")
    r.add_argument("--rev", default="", help="test this commit's tree instead of the working tree")
    a = ap.parse_args()
    if a.cmd == "generate":
        generate(a.seed, a.count)
    else:
        run(a.mutants, {int(x) for x in a.only.split(",") if x}, a.rev)


if __name__ == "__main__":
    main()
