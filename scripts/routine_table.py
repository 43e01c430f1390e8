#!/usr/bin/python3
"""The table of routines (src/export/routines.def) for consumers that are not C or C++.

    routine_table.py                 print the 22 rows as JSON
    routine_table.py --check FILE    exit 1 unless every row's routine and array
                                     form name appears in FILE (a module that
                                     declares them, e.g. a ctypes binding)
    routine_table.py --python        print the rows as a Python module
                                     (ROUTINES, a tuple of dicts), to be
                                     committed where a binding reads it
    routine_table.py --python-check FILE
                                     exit 1 unless FILE is what --python prints

Each row: short_name, symbol, array_form, function, arity, arguments (a list),
vectorised, unit, reads (the module constants it reads), description.
Exit status: 0 success, 1 check failed, 2 unreadable table or file.
"""

import argparse
import json
import re
import sys
from pathlib import Path

TABLE = Path(__file__).resolve().parent.parent / "src" / "export" / "routines.def"

_ROW = re.compile(
    r"^VORN_ROUTINE\((\w+), (\w+), (\w+), ([\w:]+), ([124]), \"([^\"]*)\", ([01]), "
    r"\"([^\"]*)\", ([01]), ([01]), ([01]), \"([^\"]*)\"\)$"
)


def rows(path=TABLE):
    """The rows of the table, in order; ValueError on a row it cannot read."""
    out = []
    for number, line in enumerate(path.read_text().splitlines(), 1):
        if not line.startswith("VORN_ROUTINE("):
            continue
        m = _ROW.match(line)
        if m is None:
            raise ValueError(f"{path}:{number}: not a row of the table: {line}")
        g = m.groups()
        reads = [name for name, flag in zip(("r", "m0", "g0"), g[8:11]) if flag == "1"]
        out.append(
            {
                "short_name": g[0],
                "symbol": g[1],
                "array_form": g[2],
                "function": g[3],
                "arity": int(g[4]),
                "arguments": [a.strip() for a in g[5].split(",")],
                "vectorised": g[6] == "1",
                "unit": g[7],
                "reads": reads,
                "description": g[11],
            }
        )
    return out


def python_module(table):
    """The table as the source of a Python module defining ROUTINES."""
    lines = [
        "# The table of routines, made by scripts/routine_table.py --python from",
        "# src/export/routines.def: do not edit; regenerate.",
        "ROUTINES = (",
    ]
    lines += [f"    {row!r}," for row in table]
    lines.append(")")
    return "\n".join(lines) + "\n"


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    group = parser.add_mutually_exclusive_group()
    group.add_argument("--check", metavar="FILE", type=Path, help="file that must name every routine")
    group.add_argument("--python", action="store_true", help="print the table as a Python module")
    group.add_argument("--python-check", metavar="FILE", type=Path, help="file that must equal --python")
    args = parser.parse_args(argv)
    try:
        table = rows()
        given = args.check or args.python_check
        text = given.read_text() if given else None
    except (OSError, ValueError) as error:
        print(f"routine_table.py: {error}", file=sys.stderr)
        return 2
    if args.python:
        sys.stdout.write(python_module(table))
        return 0
    if args.python_check:
        if text != python_module(table):
            print(f"routine_table.py: {args.python_check} is not what --python makes", file=sys.stderr)
            return 1
        return 0
    if text is None:
        json.dump(table, sys.stdout, indent=1)
        print()
        return 0
    missing = [
        name
        for row in table
        for name in (row["symbol"], row["array_form"])
        if not re.search(r"(?<![\w])" + re.escape(name) + r"(?![\w])", text)
    ]
    for name in missing:
        print(f"routine_table.py: {args.check} does not name {name}", file=sys.stderr)
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
