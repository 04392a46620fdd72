#!/usr/bin/env python3
"""Writes N variants of the bundled end-plate macro: other column and beam sections, bolt sizes, bolt
rows and clearances, each a valid run of the bundled sheet. One macro a line (--jsonl) or one file each
(--dir); a fixed seed makes every call write the same variants.

    make_variants.py MACRO.json N --jsonl OUT.jsonl
    make_variants.py MACRO.json N --dir OUT_DIR
"""
import argparse
import copy
import json
import os
import random

COLUMNS = ["HEB-160", "HEB-180", "HEB-200", "HEB-220", "HEB-240", "HEB-260", "HEB-280", "HEB-300"]
BEAMS = ["IPE-200", "IPE-220", "IPE-240", "IPE-270", "IPE-300", "IPE-330", "IPE-360", "IPE-400"]
BOLTS = [12, 16, 20, 24, 27]


def variant(base, rng):
    macro = copy.deepcopy(base)
    macro["baseProfiles"][0]["section"] = rng.choice(COLUMNS)
    macro["baseProfiles"][1]["section"] = rng.choice(BEAMS)
    diameter = rng.choice(BOLTS)
    for tab in macro["tabs"]:
        if tab.get("kind") == "bolt":
            tab["boltData"]["diameter"] = str(diameter)
            tab["boltData"]["composition"] = "M%d 8.8 HV" % diameter
    for module in macro["modules"]:
        for pattern in module.get("patterns", []):
            pattern["nrBolts1"] = str(rng.randint(2, 6))
    for variable in macro["generalVariables"]:
        if variable["name"] == "gen_Clearance":
            variable["value"] = float(rng.randint(5, 20))
    return macro


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("macro")
    parser.add_argument("count", type=int)
    parser.add_argument("--jsonl")
    parser.add_argument("--dir")
    parser.add_argument("--seed", type=int, default=20261208)
    args = parser.parse_args()
    with open(args.macro, encoding="utf-8") as f:
        base = json.load(f)
    rng = random.Random(args.seed)
    variants = [variant(base, rng) for _ in range(args.count)]
    if args.jsonl:
        with open(args.jsonl, "w", encoding="utf-8") as out:
            for macro in variants:
                out.write(json.dumps(macro, separators=(",", ":")) + "\n")
    if args.dir:
        os.makedirs(args.dir, exist_ok=True)
        for i, macro in enumerate(variants):
            with open(os.path.join(args.dir, "v%05d.json" % i), "w", encoding="utf-8") as out:
                json.dump(macro, out)


if __name__ == "__main__":
    main()
