#!/usr/bin/python3
"""The table of the reference equation's facts (include/vorn_eos_facts.def) for consumers that are not C.

    eos_facts.py                      print the table as JSON
    eos_facts.py --python             print it as a Python module, to be
                                      committed as python/vorn/_eos_facts.py
    eos_facts.py --excel-write VORN_BAS
                                      rewrite the Excel module's parts made
                                      from the table (its structs, the codes
                                      of its names, a state's row of cells)
    eos_facts.py [--header VORN_H] [--python-module FILE] [--excel VORN_BAS] [--solvers DIR]
                                      check each file given against the table:
      --header         every code of vorn.h (VORN_EOS_<NAME>, _PHASE_, _FLAG_)
                       has its row, with its value, and no row is missing there
      --python-module  FILE is what --python prints
      --excel          the Excel module's made parts are the table's, and its
                       saturation function reads every field
      --solvers        each pair's solver is a function of the flashes in DIR

Exit status: 0 success, 1 a check failed, 2 unreadable table or file.
"""

import argparse
import json
import re
import sys
from pathlib import Path

TABLE = Path(__file__).resolve().parent.parent / "include" / "vorn_eos_facts.def"

_Q = r'"([^"]*)"'
# kind -> (pattern of its row, names of its columns)
_ROWS = {
    "properties": (rf"VORN_EOS_PROPERTY_ROW\((\w+), (\d+), (\w+), {_Q}, (\w+), (\w+), (\w+), (value|nan), {_Q}, {_Q}, {_Q}\)",
                   ("NAME", "code", "key", "unit", "kind", "of", "scale", "two_phase", "name", "aliases",
                    "description")),
    "pairs": (r"VORN_EOS_PAIR_ROW\((\w+), (\d+), (\w+), (\w+), (\w+)\)", ("NAME", "code", "first", "second", "solver")),
    "phases": (rf"VORN_EOS_PHASE_ROW\((\w+), (\d+), (\w+), {_Q}, {_Q}\)", ("NAME", "code", "key", "name", "description")),
    "flags": (rf"VORN_EOS_FLAG_ROW\((\w+), (\d+), (\w+), ([01]), {_Q}\)", ("NAME", "bit", "key", "withholds", "description")),
    "state_fields": (r"VORN_EOS_STATE_ROW\((\w+), (\w+)\)", ("field", "type")),
    "saturation_fields": (rf"VORN_EOS_SATURATION_ROW\((\w+), (\w+), {_Q}\)", ("field", "type", "unit")),
}
_INTEGER = {"code", "bit"}
_KINDS = {"state", "derived", "transport", "he_ii"}
_SCALES = {"one", "kpa", "per_kpa", "per_kg", "kg", "kpa_m3_per_kg", "cm3", "code"}


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
    for row in table["properties"]:
        if row["kind"] not in _KINDS or row["scale"] not in _SCALES:
            raise ValueError(f"{path}: property {row['NAME']}: kind {row['kind']!r} or scale {row['scale']!r} "
                             f"is none of {sorted(_KINDS)}, {sorted(_SCALES)}")
    return table


# kind -> (the name of its row's class, what one row is)
_PYTHON_TYPES = {
    "properties": ("Property", "a property code: its key, unit, how it is computed and its names in the hosts"),
    "pairs": ("Pair", "an input pair: the keys of x1 and x2 and its flash"),
    "phases": ("Phase", "a phase"),
    "flags": ("Flag", "a flag bit"),
    "state_fields": ("StateField", "a field of vorn_eos_state, in order"),
    "saturation_fields": ("SaturationField", "a field of vorn_eos_saturation, in order"),
}


def python_module(table):
    """The table as the source of a Python module: a named tuple per kind of row and a tuple of its rows."""
    lines = [
        "# The reference equation's facts, made by scripts/eos_facts.py --python from",
        "# include/vorn_eos_facts.def: do not edit; regenerate.",
        "from typing import NamedTuple, Tuple",
    ]
    for kind, (name, comment) in _PYTHON_TYPES.items():
        columns = _ROWS[kind][1]
        types = {c: "int" if c in _INTEGER else "bool" if c == "withholds" else "str" for c in columns}
        fields = ", ".join(f"({c!r}, {types[c]})" for c in columns)
        lines += ["", f"#: A row of the table: {comment}.", f"{name} = NamedTuple({name!r}, [{fields}])"]
        lines += [f"{kind.upper()}: Tuple[{name}, ...] = ("]
        lines += [f"    {name}{tuple(row.values())!r}," for row in table[kind]]
        lines.append(")")
    return "\n".join(lines) + "\n"


def check_solvers(table, directory):
    """Pairs whose solver no source file of `directory` defines."""
    text = "".join(p.read_text() for p in sorted(directory.glob("*.cpp")))
    return [f"pair {r['NAME']}: its solver {r['solver']} is not a function of {directory}"
            for r in table["pairs"] if not re.search(rf"^FluidState {r['solver']}\(", text, re.M)]


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


_VBA_TYPES = {"size_t": "LongPtr", "unsigned": "Long", "int": "Long", "double": "Double"}
_BEGIN = "' --- Made by scripts/eos_facts.py --excel-write from vorn_eos_facts.def: do not edit; regenerate. ---"
_END = "' --- End of the part made by scripts/eos_facts.py. ---"


def _vba_type(name, fields):
    return [f"Public Type {name}"] + [f"    {f['field']} As {_VBA_TYPES[f['type']]}" for f in fields] + ["End Type"]


def _vba_codes(function, names_codes):
    lines = [f"Private Function {function}(ByVal name As String) As Long", "    Select Case name"]
    lines += [f'    Case "{n}": {function} = {c}' for n, c in names_codes]
    return lines + [f"    Case Else: {function} = 0", "    End Select", "End Function"]


def _state_cells(table):
    """(cell, field, a number rather than a code) of VornEosState's row: every property in the order of its
    code, the state's evaluations after its flags (where the row has always had them)."""
    cells = []
    for r in sorted(table["properties"], key=lambda r: r["code"]):
        cells.append((r["key"], r["unit"] != ""))
        if r["NAME"] == "FLAGS":
            cells.append(("evaluations", False))
    return cells


def excel_parts(table):
    """The parts of the Excel module the table makes: its declarations (the structs, the number of cells of
    a state's row) and its functions (the codes of the names, a state's row)."""
    cells = _state_cells(table)
    declarations = (_vba_type("VornEosState", table["state_fields"]) + [""]
                    + _vba_type("VornEosSaturation", table["saturation_fields"]) + ["",
                    "' The cells of a state's row (VornEosState).",
                    f"Private Const EOS_STATE_CELLS As Long = {len(cells)}"])
    functions = ["' The code of a property by its key, 0 for another name."]
    functions += _vba_codes("EosPropertyCode", [(r["key"], r["code"]) for r in table["properties"]])
    functions += ["", "' The code of a pair by its keys joined (Trho), 0 for another name."]
    functions += _vba_codes("EosPairCode", [(r["first"] + r["second"], r["code"]) for r in table["pairs"]])
    functions += ["", "' A state's row: every property in the order of its code, evaluations after flags.",
                  "Private Sub EosStateCells(ByRef st As VornEosState, ByRef out() As Variant)"]
    functions += [f"    out({i}) = Cell(st.{f})" if number else f"    out({i}) = st.{f}"
                  for i, (f, number) in enumerate(cells, 1)]
    functions.append("End Sub")
    return ["\n".join([_BEGIN] + part + [_END]) for part in (declarations, functions)]


_PART = re.compile(re.escape(_BEGIN) + r"\n.*?" + re.escape(_END), re.S)


def excel_module(table, text):
    """The Excel module with its made parts made afresh; ValueError unless it has exactly two."""
    parts = iter(excel_parts(table))
    if len(_PART.findall(text)) != 2:
        raise ValueError("the Excel module does not have its two parts made by this script")
    return _PART.sub(lambda _: next(parts), text)


def check_excel(table, text):
    """Differences between the Excel module and the table."""
    try:
        if excel_module(table, text) != text:
            return ["the Excel module's made parts are not the table's: run --excel-write"]
    except ValueError as error:
        return [str(error)]
    # Every field of the saturation but the caller's size reaches a cell.
    read_fields = set(re.findall(r"\bsat\.(\w+)", _vba_function(text, "VornEosSaturation"))) - {"size"}
    want = {r["field"] for r in table["saturation_fields"]} - {"size", "evaluations"}
    if read_fields != want:
        return [f"VornEosSaturation does not read {sorted(want - read_fields)} of the table's fields"
                + (f" and reads {sorted(read_fields - want)}, not in it" if read_fields - want else "")]
    return []


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--python", action="store_true", help="print the table as a Python module")
    parser.add_argument("--header", type=Path, help="vorn.h, whose codes must be the table's")
    parser.add_argument("--python-module", type=Path, help="file that must equal --python")
    parser.add_argument("--excel", type=Path, help="the Excel module, whose names must be the table's")
    parser.add_argument("--excel-write", type=Path, help="rewrite the Excel module's parts made from the table")
    parser.add_argument("--solvers", type=Path, help="directory of the flashes, each pair's solver defined there")
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
    if args.excel_write is not None:
        try:
            args.excel_write.write_text(excel_module(table, args.excel_write.read_text()))
        except (OSError, ValueError) as error:
            print(f"eos_facts.py: {args.excel_write}: {error}", file=sys.stderr)
            return 2
        return 0
    if not texts and args.solvers is None:
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
    if args.solvers is not None:
        problems += check_solvers(table, args.solvers)
    for problem in problems:
        print(f"eos_facts.py: {problem}", file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
