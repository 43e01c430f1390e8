#!/usr/bin/python3
"""The table of the reference equation's facts (include/vorn_eos_facts.def) for consumers that are not C.

    eos_facts.py                      print the table as JSON
    eos_facts.py --python             print it as a Python module, to be
                                      committed as python/vorn/_eos_facts.py
    eos_facts.py [--header VORN_H] [--python-module FILE] [--excel VORN_BAS]
                                      check each file given against the table:
      --header         every code of vorn.h (VORN_EOS_<NAME>, _PHASE_, _FLAG_)
                       has its row, with its value, and no row is missing there
      --python-module  FILE is what --python prints
      --excel          the Excel module's names of properties and pairs are the
                       table's, in code order, and its functions read every field

Exit status: 0 success, 1 a check failed, 2 unreadable table or file.
"""

import argparse
import json
import re
import sys
from pathlib import Path

TABLE = Path(__file__).resolve().parent.parent / "include" / "vorn_eos_facts.def"

_Q = r'"([^"]*)"'
# kind -> (pattern of its row, names of its columns, converters)
_ROWS = {
    "properties": (rf"VORN_EOS_PROPERTY_ROW\((\w+), (\d+), (\w+), {_Q}, {_Q}\)",
                   ("NAME", "code", "key", "unit", "description")),
    "pairs": (r"VORN_EOS_PAIR_ROW\((\w+), (\d+), (\w+), (\w+)\)", ("NAME", "code", "first", "second")),
    "phases": (rf"VORN_EOS_PHASE_ROW\((\w+), (\d+), {_Q}, {_Q}\)", ("NAME", "code", "name", "description")),
    "flags": (rf"VORN_EOS_FLAG_ROW\((\w+), (\d+), ([01]), {_Q}\)", ("NAME", "bit", "withholds", "description")),
    "state_fields": (r"VORN_EOS_STATE_ROW\((\w+), (\w+)\)", ("field", "type")),
    "saturation_fields": (rf"VORN_EOS_SATURATION_ROW\((\w+), (\w+), {_Q}\)", ("field", "type", "unit")),
}
_INTEGER = {"code", "bit"}


def read(path=TABLE):
    """kind -> the rows of that kind, in order, each a dict; ValueError on a row it cannot read."""
    table = {kind: [] for kind in _ROWS}
    for number, line in enumerate(path.read_text().splitlines(), 1):
        if not line.startswith("VORN_EOS_"):
            continue
        for kind, (pattern, columns) in _ROWS.items():
            m = re.fullmatch(pattern, line)
            if m:
                row = {c: int(v) if c in _INTEGER else v for c, v in zip(columns, m.groups())}
                if "withholds" in row:
                    row["withholds"] = row["withholds"] == "1"
                table[kind].append(row)
                break
        else:
            raise ValueError(f"{path}:{number}: not a row of the table: {line}")
    return table


_PYTHON_TYPES = {
    "properties": ("(NAME, code, key, unit, description) of each property code", "Tuple[str, int, str, str, str]"),
    "pairs": ("(NAME, code, first, second) of each input pair", "Tuple[str, int, str, str]"),
    "phases": ("(NAME, code, name, description) of each phase", "Tuple[str, int, str, str]"),
    "flags": ("(NAME, bit, withholds, description) of each flag", "Tuple[str, int, bool, str]"),
    "state_fields": ("(field, C type) of vorn_eos_state, in order", "Tuple[str, str]"),
    "saturation_fields": ("(field, C type, unit) of vorn_eos_saturation, in order", "Tuple[str, str, str]"),
}


def python_module(table):
    """The table as the source of a Python module, one tuple of tuples per kind of row."""
    lines = [
        "# The reference equation's facts, made by scripts/eos_facts.py --python from",
        "# include/vorn_eos_facts.def: do not edit; regenerate.",
        "from typing import Tuple",
    ]
    for kind, (comment, row_type) in _PYTHON_TYPES.items():
        lines += ["", f"#: {comment}.", f"{kind.upper()}: Tuple[{row_type}, ...] = ("]
        lines += [f"    {tuple(row.values())!r}," for row in table[kind]]
        lines.append(")")
    return "\n".join(lines) + "\n"


def check_header(table, text):
    """Differences between the codes of vorn.h and the table's."""
    declared = {(m[1], int(m[2])) for m in re.finditer(r"^#define (VORN_EOS_\w+) (\d+)u?\b", text, re.M)}
    rows = {(f"VORN_EOS_{r['NAME']}", r["code"]) for r in table["properties"] + table["pairs"]}
    rows |= {(f"VORN_EOS_PHASE_{r['NAME']}", r["code"]) for r in table["phases"]}
    rows |= {(f"VORN_EOS_FLAG_{r['NAME']}", r["bit"]) for r in table["flags"]}
    return ([f"vorn.h defines {n} {v}, the table has no such row" for n, v in sorted(declared - rows)]
            + [f"the table has {n} {v}, vorn.h does not define it so" for n, v in sorted(rows - declared)])


def _vba_function(text, name):
    m = re.search(rf"^(?:Public|Private) Function {name}\b(.*?)^End Function", text, re.M | re.S)
    return m[1].replace(" _\n", " ") if m else ""


def check_excel(table, text):
    """Differences between the Excel module's names and the table's."""
    problems = []
    # The module's code of a name is its place in a list, from 1.
    for function, kind, key in (("EosPropertyCode", "properties", lambda r: r["key"]),
                                ("EosPairCode", "pairs", lambda r: r["first"] + r["second"])):
        rows = sorted(table[kind], key=lambda r: r["code"])
        if [r["code"] for r in rows] != list(range(1, len(rows) + 1)):
            problems.append(f"the {kind} codes are not 1, 2, ... : {function} cannot number them by place")
        m = re.search(r"names = Array\(([^)]*)\)", _vba_function(text, function))
        names = re.findall(r'"(\w+)"', m[1]) if m else []
        want = [key(r) for r in rows]
        if names != want:
            problems.append(f"{function} lists {names}, the table {want}")
    # Every field but the caller's size reaches a cell.
    for function, variable, kind, skip in (("VornEosState", "st", "state_fields", {"size"}),
                                           ("VornEosSaturation", "sat", "saturation_fields", {"size", "evaluations"})):
        read_fields = set(re.findall(rf"\b{variable}\.(\w+)", _vba_function(text, function))) - {"size"}
        want = {r["field"] for r in table[kind]} - skip
        if read_fields != want:
            problems.append(f"{function} does not read {sorted(want - read_fields)} of the table's fields"
                            + (f" and reads {sorted(read_fields - want)}, not in it" if read_fields - want else ""))
    return problems


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--python", action="store_true", help="print the table as a Python module")
    parser.add_argument("--header", type=Path, help="vorn.h, whose codes must be the table's")
    parser.add_argument("--python-module", type=Path, help="file that must equal --python")
    parser.add_argument("--excel", type=Path, help="the Excel module, whose names must be the table's")
    args = parser.parse_args(argv)
    try:
        table = read()
        texts = {k: p.read_text() for k, p in (("header", args.header), ("python", args.python_module),
                                               ("excel", args.excel)) if p is not None}
    except (OSError, ValueError) as error:
        print(f"eos_facts.py: {error}", file=sys.stderr)
        return 2
    if args.python:
        sys.stdout.write(python_module(table))
        return 0
    if not texts:
        json.dump(table, sys.stdout, indent=1)
        print()
        return 0
    problems = []
    if "header" in texts:
        problems += check_header(table, texts["header"])
    if "python" in texts and texts["python"] != python_module(table):
        problems.append(f"{args.python_module} is not what --python makes: regenerate it")
    if "excel" in texts:
        problems += check_excel(table, texts["excel"])
    for problem in problems:
        print(f"eos_facts.py: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
