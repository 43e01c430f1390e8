#!/usr/bin/python3
"""Turns the reference equation's call-shape benchmark into the table of
docs/performance.md.

    VORN_BENCH_BASELINE=/path/to/baseline/libvorn.so \\
    build/default/bench/vorn_bench --benchmark_filter='^eos/' --benchmark_repetitions=5 \\
        --benchmark_report_aggregates_only=true --benchmark_out=eos.json --benchmark_out_format=json
    /usr/bin/python3 bench/reference_eos_report.py eos.json

Times are medians of the repetitions, CPU time per state in microseconds (the
`value` shape: all of a state's one-output calls together). Without a
baseline in the run its columns are left out.
"""
import json
import sys

CASES = ["TRHO/gas", "TRHO/liquid", "TP/gas", "TP/liquid", "TP/supercritical", "PH/gas", "PH/liquid",
         "PS/gas", "TQ", "PQ", "RHOU/gas", "PRHO/liquid", "TS/gas", "PU/gas", "TH/supercritical", "RHOH/gas",
         "RHOS/gas", "HS/gas"]
SHAPES = ["state_at", "value", "value_n", "state_n"]


def load(path):
    with open(path, encoding="utf-8") as f:
        data = json.load(f)
    per_state = {}
    evaluations = {}
    for b in data["benchmarks"]:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        name = b.get("run_name", b["name"])
        if "items_per_second" in b:
            per_state[name] = 1e6 / b["items_per_second"]
        if "evaluations" in b:
            evaluations[name] = b["evaluations"]
    return per_state, evaluations


def main(argv):
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    t, ev = load(argv[1])
    libs = ["vorn"] + (["baseline"] if any(k.startswith("eos/baseline/") for k in t) else [])
    head = ["pair / region", "state_at µs", "evaluations", "value µs (x state_at)", "value_n µs", "state_n µs"]
    if "baseline" in libs:
        head[2:2] = ["state_at before µs"]
        head += ["value before µs"]
    print("| " + " | ".join(head) + " |")
    print("|" + "---|" * len(head))
    for c in CASES:
        def get(lib, shape):
            return t.get(f"eos/{lib}/{shape}/{c}", float("nan"))
        row = [c, f"{get('vorn', 'state_at'):.2f}"]
        if "baseline" in libs:
            row.append(f"{get('baseline', 'state_at'):.2f}")
        row.append(f"{ev.get(f'eos/vorn/state_at/{c}', float('nan')):.1f}")
        row.append(f"{get('vorn', 'value'):.2f} ({get('vorn', 'value') / get('vorn', 'state_at'):.2f})")
        row += [f"{get('vorn', 'value_n'):.2f}", f"{get('vorn', 'state_n'):.2f}"]
        if "baseline" in libs:
            row.append(f"{get('baseline', 'value'):.2f}")
        print("| " + " | ".join(row) + " |")
    print()
    for lib in libs:
        rep = t.get(f"eos/{lib}/value/repeated/TP/gas", float("nan"))
        sat_T = t.get(f"eos/{lib}/saturation/T", float("nan"))
        sat_P = t.get(f"eos/{lib}/saturation/P", float("nan"))
        print(f"{lib}: 5 vorn_eos_value at one repeated (T, P) state {rep:.3f} µs; "
              f"vorn_eos_saturation_T {sat_T:.2f} µs, vorn_eos_saturation_P {sat_P:.2f} µs")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
