#!/usr/bin/python3
"""The tool's table of units (tools/cli/units.def) for the Python package.

    units_table.py                       print it as a Python module, to be
                                         committed as python/vorn/_units.py
    units_table.py --check FILE          FILE is what it prints

Exit status: 0 success, 1 the check failed, 2 unreadable table or file.
"""

import argparse
import re
import sys
from pathlib import Path

TABLE = Path(__file__).resolve().parent.parent / "tools" / "cli" / "units.def"
UNIT = re.compile(r'^VORN_UNIT_ROW\("([^"]+)", (\w+), (\d+), (-?\d+), (\d+), (\d+), ([01]), ([01])\)$')
BASIS = re.compile(r'^VORN_BASIS_ROW\("(\w+)", ([0-9.e-]+)\)$')


def module(path=TABLE):
    units, bases = [], []
    for line in path.read_text(encoding="utf-8").splitlines():
        if m := UNIT.match(line):
            s, dim, num, exp, div, off, any_case, out = m.groups()
            units.append(f"    ({s!r}, {dim!r}, {num}, {exp}, {div}, {off}, {any_case == '1'}, {out == '1'}),")
        elif m := BASIS.match(line):
            bases.append(f"    ({m.group(1)!r}, {float(m.group(2))!r}),")
    return "\n".join([
        "# The units of the tool and the package, made by scripts/units_table.py from tools/cli/units.def:",
        "# do not edit; regenerate.",
        "# (symbol, dimension, numerator, exponent, divisor, offset in hundredths, any case, an output unit)",
        "UNITS = (", *units, ")",
        "# (symbol, kilograms of one unit; 0: the mole)",
        "BASES = (", *bases, ")", ""])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", metavar="FILE")
    args = parser.parse_args()
    try:
        text = module()
        if args.check is None:
            sys.stdout.write(text)
            return 0
        current = Path(args.check).read_text(encoding="utf-8")
    except OSError as error:
        print(f"units_table.py: {error}", file=sys.stderr)
        return 2
    if current != text:
        print(f"units_table.py: {args.check} is not what tools/cli/units.def gives: regenerate it", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
