#!/usr/bin/env python3
"""Writes cli/hot-text.txt: the code sections the short commands run, in the order the link lays them
out at the start of the program.

A short command (one run, a check, --version) touches about a thousand of the program's functions,
spread over its 5 MB of code: every 64 KB it touches costs a page fault. gold lays the sections this
file names out together, in its order, after the rest of the code, between two markers; the program
maps them in with one call at its start (cli/WarmStart.cpp).

The functions are those callgrind sees run in the commands below, on the bundled library: the
standards engine, the macro reader and writer, the command line, the checker, the test runner and a
small batch. Names of the C library and addresses without a name are left out. The list is a layout
hint only: a function renamed since it was made still links, and is merely laid out with the rest.

    python3 scripts/hot_text.py [BUILD_DIR]      (default build/default; needs valgrind)
"""
import os
import re
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUTPUT = os.path.join(ROOT, "cli", "hot-text.txt")
BEGIN_MARKER = ".text.connsheet_hot_text_begin"
END_MARKER = ".text.connsheet_hot_text_end"

MACRO = "examples/library/Macros/EndPlateBeamToColumn.json"

# Most wanted first: the layout keeps this order, so a single run's code comes before the rest.
COMMANDS = [
    ["run", "EndPlateBeamToColumn", "--macro", MACRO],
    ["run", "FinPlate", "--macro", "examples/library/Macros/FinPlate.json"],
    ["run", "BasePlate", "--macro", "examples/library/Macros/BasePlate.json"],
    ["run", "EndPlateBeamToColumn", "--macro", MACRO, "--json"],
    ["eval", "EndPlateBeamToColumn", "ColumnSection=HEB-300", "BeamSection=IPE-400", "BeamDepth=400",
     "BoltDiameter=24", "HoleOffset=3", "BoltRowsText=3", "--gen", "gen_Clearance=10"],
    ["--version"],
    ["check", "--all"],
    ["test", "examples/library/tests/EndPlateBeamToColumn.json", "examples/library/tests/FinPlate.json",
     "examples/library/tests/BasePlate.json", "examples/library/tests/BoltLayout.csv"],
    ["sheets"],
    ["help", "run"],
]

FUNCTION = re.compile(r"^c?fn=\(\d+\) (.+)$")
# callgrind marks a function's recursion depth ("f'2") and its cold half lives in its own section.
RECURSION = re.compile(r"'\d+$")


def functions_run(exe, args, workdir):
    """The names of the functions the command ran, in callgrind's order."""
    out = os.path.join(workdir, "callgrind.%p")
    subprocess.run(
        ["valgrind", "--tool=callgrind", "--demangle=no", "--trace-children=yes",
         "--callgrind-out-file=" + out, exe] + args,
        cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
    names = []
    for name in sorted(os.listdir(workdir)):
        path = os.path.join(workdir, name)
        with open(path, encoding="utf-8", errors="replace") as profile:
            for line in profile:
                match = FUNCTION.match(line)
                if match:
                    names.append(RECURSION.sub("", match.group(1).strip()))
        os.remove(path)
    return names


def program_functions(exe):
    """Every function the program defines, so that names of the C library and the loader drop out."""
    listing = subprocess.run(["nm", "--defined-only", exe], capture_output=True, text=True, check=True)
    return {parts[2] for parts in (line.split() for line in listing.stdout.splitlines())
            if len(parts) == 3 and parts[1] in "tTwW"}


# A complete-object constructor or destructor (C1, D1) is an alias of the base-object one (C2, D2),
# whose name the section carries; callgrind may report either.
STRUCTOR = re.compile(r"([CD])1(E|I)")


def sections_of(name):
    """The sections g++ puts a function in with -ffunction-sections: static constructors and main go
    with the code run once at the start."""
    if name == "main" or name.startswith("_GLOBAL__sub_I"):
        return [".text.startup." + name]
    sections = [".text." + name]
    base = STRUCTOR.sub(r"\g<1>2\2", name, count=1)
    if base != name:
        sections.append(".text." + base)
    return sections


def batch_args(workdir):
    lines = os.path.join(workdir, "variants.jsonl")
    subprocess.run([sys.executable, os.path.join(ROOT, "bench", "batch", "make_variants.py"),
                    os.path.join(ROOT, MACRO), "40", "--jsonl", lines], check=True,
                   stdout=subprocess.DEVNULL)
    return ["batch", "EndPlateBeamToColumn", "--jsonl", lines, "--out-dir",
            os.path.join(workdir, "out"), "-j", "2", "--no-progress",
            "--report", os.path.join(workdir, "report.csv")]


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "default")
    exe = os.path.join(build, "cli", "connsheet")
    if not os.access(exe, os.X_OK):
        sys.exit(f"hot_text.py: {exe} is missing; build it first")
    defined = program_functions(exe)
    order, seen = [], set()
    with tempfile.TemporaryDirectory() as scratch:
        profiles = os.path.join(scratch, "profiles")
        os.mkdir(profiles)
        for args in COMMANDS + [batch_args(scratch)]:
            for name in functions_run(exe, args, profiles):
                if name in defined and name not in seen and not name.endswith(".cold"):
                    seen.add(name)
                    order.append(name)
    with open(OUTPUT, "w", encoding="utf-8") as listing:
        listing.write(BEGIN_MARKER + "\n")
        listing.write("".join(section + "\n" for name in order for section in sections_of(name)))
        listing.write(END_MARKER + "\n")
    print(f"hot_text.py: {len(order)} functions written to {os.path.relpath(OUTPUT, ROOT)}")


if __name__ == "__main__":
    main()
