#!/usr/bin/env python3
"""The Excel module examples/hosts/excel/vorn.bas against the library's contract.

    excel_module_test.py VORN_BAS VORN_H EXPORTED_NAMES

Every `Declare ... Lib "vorn.dll"` names (or aliases) an exported function of
src/export/exported_names.txt, and its parameters and result are those of the
declaration in include/vorn.h, in order, name for name, each C type passed the
one way VBA can pass it. Exported functions the module does not declare are
listed (a warning, not a failure: a new routine may reach the module later).
Prints "N passed, M failed"; exits non-zero on a failure.
"""

import re
import sys

# C parameter type -> the VBA passing that gives the DLL exactly that type
# (64-bit Office: LongPtr is 8 bytes, Long 4, String passed ByVal is a
# NUL-terminated char*).
PARAMETER = {
    "const double *": "ByRef {} As Double",
    "double *": "ByRef {} As Double",
    "double": "ByVal {} As Double",
    "int *": "ByRef {} As Long",
    "const int *": "ByRef {} As Long",
    "vorn_eos_state *": "ByRef {} As VornEosState",
    "vorn_eos_saturation *": "ByRef {} As VornEosSaturation",
    "unsigned *": "ByRef {} As Long",
    "unsigned": "ByVal {} As Long",
    "size_t": "ByVal {} As LongPtr",
    "const char *": "ByVal {} As String",
}
RESULT = {"double": "Double", "unsigned": "Long", "int": "Long", "const char *": "LongPtr", "void": None}


def normalise_type(text):
    text = re.sub(r"\s+", " ", text.strip())
    return re.sub(r"\s*\*\s*", " *", text).strip()


def header_functions(path):
    """name -> (result type, [(parameter type, parameter name)]) of every VORN_API function."""
    text = open(path, encoding="utf-8").read()
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    text = "\n".join(line for line in text.splitlines() if not line.lstrip().startswith("#"))
    functions = {}
    for match in re.finditer(r"VORN_API\s+([^;(]*?)\b(\w+)\s*\(([^)]*)\)\s*;", text):
        result, name, parameters = normalise_type(match[1]), match[2], match[3].strip()
        parsed = []
        if parameters not in ("", "void"):
            for parameter in parameters.split(","):
                m = re.fullmatch(r"(.*?)(\w+)", parameter.strip(), flags=re.S)
                parsed.append((normalise_type(m[1]), m[2]))
        functions[name] = (result, parsed)
    return functions


def module_declares(path):
    """(exported name, VBA name, kind, [parameter text], result or None) of every Declare of vorn.dll."""
    text = open(path, encoding="utf-8").read().replace(" _\n", " ")
    declares = []
    pattern = re.compile(
        r'^\s*(?:Private\s+|Public\s+)?Declare\s+PtrSafe\s+(Function|Sub)\s+(\w+)\s+Lib\s+"([^"]+)"'
        r'(?:\s+Alias\s+"([^"]+)")?\s*\(([^)]*)\)(?:\s+As\s+(\w+))?\s*$',
        re.M | re.I,
    )
    for m in pattern.finditer(text):
        kind, vba_name, library, alias, parameters, result = m.groups()
        if library.lower() != "vorn.dll":
            continue
        parameters = [re.sub(r"\s+", " ", p.strip()) for p in parameters.split(",") if p.strip()]
        declares.append((alias or vba_name, vba_name, kind, parameters, result))
    unsafe = re.findall(r'^\s*(?:Private\s+|Public\s+)?Declare\s+(?!PtrSafe)\w+\s+\w+\s+Lib\s+"vorn\.dll"', text,
                        re.M | re.I)
    return declares, unsafe


# C member type -> the VBA member type of the same size and alignment (64-bit Office).
MEMBER = {"size_t": "LongPtr", "unsigned": "Long", "int": "Long", "double": "Double"}


def header_structs(path):
    """struct name -> [(member, VBA type)] of every typedef struct of vorn.h, in order."""
    text = re.sub(r"/\*.*?\*/", " ", open(path, encoding="utf-8").read(), flags=re.S)
    structs = {}
    for m in re.finditer(r"typedef\s+struct\s+(\w+)\s*\{([^}]*)\}\s*\w+\s*;", text):
        members = []
        for declaration in m[2].split(";"):
            words = declaration.split(None, 1)
            if len(words) == 2:
                members += [(name.strip(), MEMBER.get(words[0], f"<no VBA form for {words[0]}>"))
                            for name in words[1].split(",")]
        structs[m[1]] = members
    return structs


def module_types(path):
    """Type name -> [(member, VBA type)] of every Type block of the module."""
    text = open(path, encoding="utf-8").read()
    types = {}
    for m in re.finditer(r"^\s*(?:Public\s+|Private\s+)?Type\s+(\w+)\s*$(.*?)^\s*End\s+Type", text, re.M | re.S | re.I):
        types[m[1]] = re.findall(r"^\s*(\w+)\s+As\s+(\w+)\s*$", m[2], re.M)
    return types


def main(argv):
    bas, header, names_file = argv[1:4]
    exported = {line.strip() for line in open(names_file) if re.fullmatch(r"[A-Za-z_]\w*", line.strip())}
    functions = header_functions(header)
    declares, unsafe = module_declares(bas)
    passed = failed = 0

    def check(ok, what):
        nonlocal passed, failed
        if ok:
            passed += 1
        else:
            failed += 1
            print(f"FAILED: {what}")

    check(len(declares) >= 22, f"{len(declares)} declarations of vorn.dll found, at least the 22 routines expected")
    check(not unsafe, f"declarations without PtrSafe (64-bit Office needs it): {unsafe}")
    seen = {}
    for name, vba_name, kind, parameters, result in declares:
        check(name in exported, f"{name} is declared but not in the export list")
        check(name not in seen, f"{name} declared twice ({seen.get(name)} and {vba_name})")
        seen[name] = vba_name
        if name not in functions:
            check(False, f"{name} is not a function of vorn.h")
            continue
        c_result, c_parameters = functions[name]
        expected = [PARAMETER[t].format(p) if t in PARAMETER else f"<no VBA form for {t}>" for t, p in c_parameters]
        check([p.lower() for p in parameters] == [e.lower() for e in expected],
              f"{name}: parameters ({', '.join(parameters)}), header says ({', '.join(expected)})")
        want = RESULT.get(c_result, f"<no VBA form for {c_result}>")
        got = result if kind.lower() == "function" else None
        check((got or "").lower() == (want or "").lower(),
              f"{name}: declared {kind} {'As ' + got if got else ''}, header returns {c_result}")
    # Each struct the module passes is a Type with the header's members, in order, of the same sizes.
    structs, types = header_structs(header), module_types(bas)
    for c_name, vba_name in (("vorn_eos_state", "VornEosState"), ("vorn_eos_saturation", "VornEosSaturation")):
        check(vba_name in types and [(n.lower(), t.lower()) for n, t in types[vba_name]]
              == [(n.lower(), t.lower()) for n, t in structs.get(c_name, [])],
              f"Type {vba_name}: {types.get(vba_name)}, header's {c_name}: {structs.get(c_name)}")
    # VBA names are case-insensitive: two declarations may not differ only in case.
    lowered = [v.lower() for v in seen.values()]
    check(len(set(lowered)) == len(lowered), "two VBA names differ only in case")
    missing = sorted(n for n in exported if n in functions and n not in seen)
    if missing:
        print(f"note: exported functions not declared in {bas}: {', '.join(missing)}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
