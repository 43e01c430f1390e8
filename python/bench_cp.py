"""Benchmark: a million-point cp through the package against the library's own array loop.

The reference is vorn_cp_n called once through ctypes on preallocated
arrays, which is the C loop plus a few microseconds of call overhead; the
package adds its checking and broadcasting to that. Run from the repository root:

    PYTHONPATH=python /usr/bin/python3 python/bench_cp.py [points] [repeats]
"""

import sys
import time

import numpy as np

import vorn
from vorn._lib import lib


def best_of(repeats, function):
    times = []
    for _ in range(repeats):
        start = time.perf_counter()
        function()
        times.append(time.perf_counter() - start)
    return min(times)


def main():
    n = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    repeats = int(sys.argv[2]) if len(sys.argv) > 2 else 7
    rng = np.random.default_rng(1)
    T = rng.uniform(2.0, 400.0, n)
    P = rng.uniform(0.0, 1000.0, n)
    out = np.empty(n)

    def c_loop():
        lib.vorn_cp_n(n, T.ctypes.data, P.ctypes.data, out.ctypes.data)

    side = int(round(np.sqrt(n)))
    T_col, P_row = T[:side, None], P[None, :side]
    cases = [
        ("C array loop (vorn_cp_n via ctypes)", c_loop),
        ("vorn.cp(T, P), contiguous float64", lambda: vorn.cp(T, P)),
        (f"vorn.cp(T[:, None], P[None, :]), {side}x{side} broadcast", lambda: vorn.cp(T_col, P_row)),
        ("vorn.cp(T, 100.0), scalar P broadcast", lambda: vorn.cp(T, 100.0)),
    ]
    assert vorn.cp(T, P).tobytes() == (c_loop(), out)[1].tobytes()
    reference = None
    print(f"cp over {n} points, best of {repeats}")
    for label, function in cases:
        function()  # warm up
        seconds = best_of(repeats, function)
        reference = reference or seconds
        print(f"  {label:58s} {seconds * 1e3:8.2f} ms  {seconds / reference:5.3f}x  {seconds / n * 1e9:6.1f} ns/point")
    one = best_of(repeats, lambda: [vorn.cp(20.0, 1000.0) for _ in range(10000)]) / 10000
    print(f"  scalar call vorn.cp(20.0, 1000.0)                          {one * 1e6:8.2f} us")


if __name__ == "__main__":
    main()
