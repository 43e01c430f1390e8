#!/usr/bin/python3
"""Turns vorn_bench's JSON output into the tables of docs/performance.md.

    build/default/bench/vorn_bench --benchmark_repetitions=5 \
        --benchmark_report_aggregates_only=true \
        --benchmark_out=bench.json --benchmark_out_format=json
    /usr/bin/python3 bench/report.py bench.json

Times are the medians of the repetitions (or the single run), in ns per call;
each is also given in units of one call of the C library's pow, measured in
the same run. The array rows are per point.
"""
import json
import sys

STATES = ["1.8K", "2.3K", "10K", "300K"]
ONE_ARGUMENT = ["b", "db", "d2b", "c", "dc", "d2c", "d", "dd", "d2d", "vorn_k0", "vorn_nu0"]
TWO_ARGUMENTS = ["vorn_rho", "vorn_vol", "vorn_cv", "vorn_cp", "vorn_gamma", "vorn_w", "vorn_Za_gk",
                 "vorn_w_gk", "vorn_k", "vorn_nu", "vorn_Z", "vorn_state"]
ARRAYS_ONLY = ["temp_K"]
EXPORTED = {"b": "__vorn_MOD_b", "db": "__vorn_MOD_db", "d2b": "__vorn_MOD_d2b", "c": "__vorn_MOD_c",
            "dc": "__vorn_MOD_dc", "d2c": "__vorn_MOD_d2c", "d": "__vorn_MOD_d", "dd": "__vorn_MOD_dd",
            "d2d": "__vorn_MOD_d2d"}


def load(path):
    with open(path) as f:
        data = json.load(f)
    times = {}
    per_point = {}
    for b in data["benchmarks"]:
        if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
            continue
        name = b.get("run_name", b["name"])
        scale = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
        times[name] = b["cpu_time"] * scale
        if "items_per_second" in b:
            per_point[name] = 1e9 / b["items_per_second"]
    return data.get("context", {}), times, per_point


def main():
    context, times, per_point = load(sys.argv[1])
    unit = times["pow"]
    out = []
    out.append("Machine: %s CPU(s) at %s MHz, %s; pow = %.2f ns.\n" %
               (context.get("num_cpus", "?"), context.get("mhz_per_cpu", "?"),
                context.get("host_name", "?"), unit))
    out.append("| routine | " + " | ".join("%s ns (pow)" % s for s in STATES) + " |")
    out.append("|---|" + "---|" * len(STATES))
    for name in ONE_ARGUMENT + TWO_ARGUMENTS:
        cells = []
        for s in STATES:
            t = times.get("%s/%s" % (name, s))
            cells.append("%.1f (%.2f)" % (t, t / unit) if t is not None else "-")
        out.append("| `%s` | %s |" % (EXPORTED.get(name, name), " | ".join(cells)))
    out.append("")
    out.append("| thermometer | ns | pow |")
    out.append("|---|---|---|")
    for name in ["temp_K", "vorn_temp_K_report"]:
        for row in ["converged_3_iterations", "not_converged_30_iterations"]:
            t = times.get(name + "/" + row)
            if t is not None:
                out.append("| `%s`, %s | %.0f | %.1f |" % (name, row.replace("_", " "), t, t / unit))
    t = times.get("vorn_cvgt_temperature/82K")
    if t is not None:
        out.append("| `vorn_cvgt_temperature`, 100 kPa at 273.16 K to 30 kPa | %.0f | %.1f |" % (t, t / unit))
    out.append("")
    out.append("| routine | scalar calls, ns/point | array form, ns/point | speed-up |")
    out.append("|---|---|---|---|")
    for name in ONE_ARGUMENT + TWO_ARGUMENTS + ARRAYS_ONLY:
        s = per_point.get(name + "/scalar_loop")
        a = per_point.get(name + "/array")
        if s is not None and a is not None:
            array_name = name if name.startswith("vorn_") else "vorn_" + name
            out.append("| `%s_n` | %.2f | %.2f | %.1fx |" % (array_name, s, a, s / a))
    out.append("")
    out.append("| routine | " + " | ".join("%s, x d2b" % s for s in STATES) + " |")
    out.append("|---|" + "---|" * len(STATES))
    for name, less_pow in [("vorn_cv", False), ("vorn_cp", False), ("vorn_gamma", False), ("vorn_w", True)]:
        cells = []
        for s in STATES:
            t = times.get("%s/%s" % (name, s))
            d2b = times.get("d2b/%s" % s)
            if t is None or d2b is None:
                cells.append("-")
            else:
                cells.append("%.2f" % ((t - unit if less_pow else t) / d2b))
        label = "`%s` less one pow" % name if less_pow else "`%s`" % name
        out.append("| %s | %s |" % (label, " | ".join(cells)))
    out.append("")
    out.append("| routine | every T different, ns/point | 1000 x 1000 grid, ns/point | grid / different |")
    out.append("|---|---|---|---|")
    for name in TWO_ARGUMENTS:
        a = per_point.get(name + "/array")
        g = per_point.get(name + "/grid_1000x1000")
        if a is not None and g is not None:
            out.append("| `%s_n` | %.2f | %.2f | 1/%.0f |" % (name, a, g, a / g))
    print("\n".join(out))


if __name__ == "__main__":
    main()
