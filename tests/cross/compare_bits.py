#!/usr/bin/python3
"""Compares two outputs of bit_survey point by point and reports, per routine,
at how many points the result bits differ and by how many units in the last
place at most.

    compare_bits.py REFERENCE OTHER [LABEL]

A report, not a verdict: exits 0 whatever differs, 1 when either file is not a
complete survey or the two were made from different inputs (then nothing can
be compared), 2 on wrong usage.
"""

import struct
import sys


def read_survey(path):
    """Blocks of the survey as {name: [int bits]}, in file order."""
    blocks = {}
    current = None
    expected = 0
    with open(path, encoding="ascii", newline=None) as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if line.startswith("# "):
                if current is not None and len(blocks[current]) != expected:
                    raise ValueError(f"{path}:{number}: block {current} has {len(blocks[current])} of {expected} lines")
                name, count = line[2:].split()
                current, expected = name, int(count)
                blocks[current] = []
            elif current is None:
                raise ValueError(f"{path}:{number}: a value before the first block header")
            else:
                blocks[current].append(int(line, 16))
    if current is None:
        raise ValueError(f"{path}: empty")
    if len(blocks[current]) != expected:
        raise ValueError(f"{path}: block {current} has {len(blocks[current])} of {expected} lines (cut short?)")
    return blocks


def ordered(bits):
    """The double's bit pattern mapped to an integer that counts ulps
    monotonically across zero, so that the distance of two results in ulps
    is the difference of their images."""
    return bits if bits < 1 << 63 else (1 << 63) - bits


def is_nan(bits):
    return (bits >> 52) & 0x7FF == 0x7FF and bits & ((1 << 52) - 1) != 0


def as_double(bits):
    return struct.unpack("<d", struct.pack("<Q", bits))[0]


def main(argv):
    if len(argv) not in (3, 4):
        print("usage: compare_bits.py REFERENCE OTHER [LABEL]", file=sys.stderr)
        return 2
    label = argv[3] if len(argv) == 4 else argv[2]
    try:
        reference, other = read_survey(argv[1]), read_survey(argv[2])
    except (OSError, ValueError) as e:
        print(f"FAIL: {e}")
        return 1
    if list(reference) != list(other):
        print(f"FAIL: the two surveys hold different routines: {list(reference)} vs {list(other)}")
        return 1
    for inputs in ("T", "P"):
        if reference[inputs] != other[inputs]:
            print(f"FAIL: the {inputs} grids differ, so no result can be compared")
            return 1
    T, P = reference["T"], reference["P"]
    routines = [name for name in reference if name not in ("T", "P")]
    differing = []
    print(f"{label} against the reference, {len(T)} points per routine:")
    for name in routines:
        a, b = reference[name], other[name]
        points = [i for i in range(len(a)) if a[i] != b[i] and not (is_nan(a[i]) and is_nan(b[i]))]
        if not points:
            print(f"  {name:14} same bits at every point")
            continue
        differing.append(name)
        distance = [abs(ordered(a[i]) - ordered(b[i])) for i in points]
        worst = points[distance.index(max(distance))]
        one_ulp = sum(1 for d in distance if d == 1)
        # Results of another sign or magnitude are not a rounding apart.
        spread = f"at most {max(distance)} ulp" if max(distance) < 1 << 32 else "some far apart"
        print(
            f"  {name:14} differs at {len(points):5} points ({one_ulp} by 1 ulp), {spread};"
            f" worst at T = {as_double(T[worst]):.17g}, P = {as_double(P[worst]):.17g}:"
            f" {as_double(a[worst]):.17g} vs {as_double(b[worst]):.17g}"
        )
    print(f"{label}: {len(routines) - len(differing)} of {len(routines)} routines give the reference bits everywhere")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
