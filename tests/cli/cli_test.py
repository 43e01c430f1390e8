"""The vorn tool, run as a user runs it: each subcommand on reference states,
its CSV and JSON read back and checked bit for bit against the library itself
(loaded with ctypes), every kind of bad input refused with exit status 2, and
every output stream closed, full or abandoned by its reader with exit status 4.

Usage: cli_test.py VORN_TOOL LIBVORN [unittest arguments]
"""

import csv
import ctypes
import io
import json
import math
import os
import signal
import subprocess
import sys
import tempfile
import time
import unittest

TOOL = LIB = None

D = ctypes.c_double
PD = ctypes.POINTER(D)


def load_library(path):
    lib = ctypes.CDLL(path)
    for name in ["__vorn_MOD_b", "vorn_k0", "vorn_nu0"]:
        getattr(lib, name).argtypes, getattr(lib, name).restype = [PD], D
    for name in ["vorn_cp", "vorn_rho", "vorn_vol", "vorn_Z", "vorn_w", "vorn_nu", "vorn_k", "vorn_Za_gk"]:
        getattr(lib, name).argtypes, getattr(lib, name).restype = [PD, PD], D
    lib.vorn_state.argtypes, lib.vorn_state.restype = [PD, PD], ctypes.c_uint
    lib.vorn_state_name.argtypes, lib.vorn_state_name.restype = [ctypes.c_uint], ctypes.c_char_p
    IP = ctypes.POINTER(ctypes.c_int)
    lib.vorn_temp_K_report.argtypes, lib.vorn_temp_K_report.restype = [PD, PD, PD, PD, IP, IP], D
    lib.vorn_cvgt_temperature.argtypes, lib.vorn_cvgt_temperature.restype = [PD, PD, PD, IP, IP], D
    lib.vorn_svp_rho.argtypes, lib.vorn_svp_rho.restype = [PD, ctypes.POINTER(ctypes.c_uint)], D
    lib.vorn_eos_value.argtypes, lib.vorn_eos_value.restype = [IP, IP, PD, PD], D
    return lib


def call(name, *args):
    return getattr(LIB, name)(*[ctypes.byref(D(a)) for a in args])


# The flags that spoil cp: those of every state, of the virial series and of the heat capacities.
CP_FLAGS = ("invalid", "liquid", "density-turned", "virial-divergent", "sound-divergent", "density-unconverged",
            "heat-capacity-nonpositive", "out-of-range", "heat-capacity-truncated")


def flag_names(T, P):
    bits = LIB.vorn_state(ctypes.byref(D(T)), ctypes.byref(D(P)))
    return [LIB.vorn_state_name(1 << i).decode() for i in range(32) if bits >> i & 1]


def vorn(*args, **kwargs):
    return subprocess.run([TOOL, *args], capture_output=True, text=True, timeout=120, **kwargs)


def json_float(value):
    """A number as the tool writes it in JSON: non-finite ones are strings."""
    return float(value) if isinstance(value, str) else value


def state_rows(doc):
    """The rows of `vorn state --json` by property name."""
    return {row["property"]: row for row in doc["rows"]}


def same(a, b):
    """Bit for bit, NaN equal to NaN."""
    return (math.isnan(a) and math.isnan(b)) or a == b


class StateTest(unittest.TestCase):
    def test_json_matches_the_library_bit_for_bit(self):
        for T, P in [(20.0, 1000.0), (4.2, 100.0), (300.0, 101.325), (2.0, 1.0)]:
            with self.subTest(T=T, P=P):
                run = vorn("state", repr(T), repr(P), "--json")
                out = json.loads(run.stdout)
                self.assertEqual((out["T"], out["P"]), (T, P))
                props = state_rows(out)
                self.assertEqual(len([r for r in out["rows"] if r["routine"].startswith(("vorn_", "__vorn"))
                                      and r["routine"] != "vorn_eos_state"]), 22)
                for name, routine in [("B", "__vorn_MOD_b"), ("conductivity0", "vorn_k0"), ("viscosity0", "vorn_nu0")]:
                    self.assertEqual(props[name]["routine"], routine)
                    self.assertTrue(same(props[name]["correlation"], call(routine, T)), name)
                for name, routine in [("cp", "vorn_cp"), ("density", "vorn_rho"), ("Z", "vorn_Z"),
                                      ("sound-speed", "vorn_w"), ("viscosity", "vorn_nu"), ("Za", "vorn_Za_gk")]:
                    self.assertTrue(same(json_float(props[name]["correlation"]), call(routine, T, P)), name)
                self.assertEqual(out["correlation_flags"], flag_names(T, P))

    def test_json_non_finite_numbers_read_back(self):
        # At P = 0 the molar volume is infinite at a valid state: not null, which would read as "no value".
        rows = state_rows(json.loads(vorn("state", "20", "0", "--json").stdout))
        self.assertEqual(rows["volume"]["correlation"], "Infinity")
        self.assertEqual(float(rows["volume"]["correlation"]), call("vorn_vol", 20.0, 0.0))
        # The speed of sound from the acoustic virials is NaN at 4.2 K and 250 kPa: the liquid's leads.
        rows = state_rows(json.loads(vorn("state", "4.2", "250", "--json").stdout))
        self.assertEqual(rows["sound-speed"]["correlation"], "NaN")
        self.assertEqual(rows["sound-speed"]["from"], "equation")
        self.assertEqual(rows["sound-speed"]["value"], eos("sound-speed", "TP", 4.2, 250.0))
        self.assertIn("sound-undefined", rows["sound-speed"]["flags"])
        self.assertNotIn("sound-undefined", rows["B"]["flags"])

    def test_csv_of_one_state(self):
        run = vorn("state", "4.2", "250", "--format", "csv")
        rows = {row["property"]: row for row in csv.DictReader(io.StringIO(run.stdout))}
        self.assertEqual(rows["sound-speed"]["correlation"], "nan")  # never -nan: the sign of a NaN means nothing
        self.assertEqual(float(rows["cp"]["correlation"]), call("vorn_cp", 4.2, 250.0))
        self.assertEqual(rows["cp"]["flags"], "liquid+virial-divergent+sound-divergent+density-unconverged+heat-capacity-truncated")

    def test_readable_table_has_names_units_and_published_values(self):
        run = vorn("state", "20", "1000")
        self.assertEqual(run.returncode, 0)
        # k's pressure term is just past its limit there, nothing else is flagged: the equation's k leads
        self.assertEqual(run.stderr.splitlines()[0].split(":")[1:3], [" note", " correlation flags k-dense"])
        rows = {line.split()[0]: line.split() for line in run.stdout.splitlines() if not line.startswith("#")}
        for name, value, unit, digits in [("cp", 5697.8757, "J/(kg", 4), ("cv", 3129.1324, "J/(kg", 4),
                                          ("density", 24.185122, "kg/m^3", 6), ("sound-speed", 275.07690, "m/s", 5),
                                          ("B", -2.743518647, "cm^3/mol", 9)]:
            with self.subTest(name=name):
                self.assertAlmostEqual(float(rows[name][1]), value, digits)
                self.assertEqual(rows[name][2], unit)

    def test_one_line_a_flag_a_warning_only_where_a_flagged_value_leads(self):
        # Every flag named once: a warning where a flagged correlation value is shown all the same (no
        # equation value to replace it), else on the one note line. The liquid at 4.2 K and the dense gas at
        # 20 K: the equation answers every row that leads, so nothing is warned of.
        for T, P, detail in [(4.2, 100.0, False), (4.2, 100.0, True), (0.001, 100.0, False), (0.05, 0.0, True),
                             (20.0, 1000.0, False)]:
            with self.subTest(T=T, P=P, detail=detail):
                run = vorn("state", repr(T), repr(P), *(["--detail"] if detail else []))
                self.assertEqual(run.returncode, 5 if T < 2.1768 else 0)  # He II: a density from neither family
                lines = [line for line in run.stderr.splitlines()
                         if not line.startswith(("vorn: warning: reference equation:", "vorn: hint"))]
                got = [line.split(":")[2].strip() for line in lines if line.startswith("vorn: warning: ")]
                if detail:  # the rows JSON gives are those of --detail
                    rows = json.loads(vorn("state", repr(T), repr(P), "--json").stdout)["rows"]
                    shown = {f for r in rows if r["from"] == "flagged" for f in r["flags"]}
                    self.assertEqual(got, [f for f in flag_names(T, P) if f in shown])
                notes = [line for line in lines if line.startswith("vorn: note: correlation flags ")]
                noted = notes[0].split("flags ")[1].split(":")[0].split(", ") if notes else []
                self.assertEqual(sorted(got + noted), sorted(flag_names(T, P)))
                self.assertEqual(len(lines), len(got) + len(notes))
                if T in (4.2, 20.0) and not detail:
                    self.assertEqual(got, [])

    def test_the_engineer_view_leads_and_the_detail_is_behind_an_option(self):
        text = vorn("state", "4.5K", "3bar")
        names = [line.split()[0] for line in text.stdout.splitlines() if not line.startswith("#")][1:]
        self.assertEqual(names[:12], ["density", "h", "s", "cp", "cv", "gamma", "sound-speed", "viscosity",
                                      "conductivity", "prandtl", "kinematic-viscosity", "thermal-diffusivity"])
        self.assertNotIn("dB/dT", names)
        self.assertIn("# detail: the virial coefficients, the acoustic factor, k0 and nu0: --detail", text.stdout)
        self.assertIn("dB/dT", vorn("state", "4.5K", "3bar", "--detail").stdout)
        self.assertIn("Za", vorn("state", "10K", "10kPa").stdout)  # a gas-thermometry state: always there
        # A bare pressure is kPa, and the P line says so where it was read: 3 typed for 3 bar shows as 3 kPa.
        self.assertIn("# P: 3 kPa (a bare number, read in kPa: 3bar for bar", vorn("state", "4.5", "3").stdout)
        self.assertIn("# P: 300 kPa\n", vorn("state", "4.5", "3bar").stdout)
        self.assertEqual(json.loads(vorn("state", "4.5", "3", "--json").stdout)["P"], 3)
        # The transport numbers from the viscosity, conductivity, cp and density shown, whatever family each.
        rows = state_rows(json.loads(vorn("state", "1.8K", "16mbar", "--json").stdout))
        self.assertEqual((rows["viscosity"]["from"], rows["conductivity"]["from"]), ("correlation", "correlation"))
        self.assertEqual(rows["prandtl"]["value"],
                         rows["cp"]["value"] * rows["viscosity"]["value"] / rows["conductivity"]["value"])
        self.assertEqual(rows["prandtl"]["from"], "equation+correlation")
        self.assertEqual(rows["kinematic-viscosity"]["value"], rows["viscosity"]["value"] / rows["density"]["value"])


class TableTest(unittest.TestCase):
    def read_csv(self, *args):
        """Header without the flags column, the rows as numbers, the flags of each row, stderr."""
        run = vorn("table", *args, "--csv")
        self.assertEqual(run.returncode, 0, run.stderr)  # rows without an answer are counted, not failed
        rows = list(csv.reader(io.StringIO(run.stdout)))
        self.assertEqual(rows[0][-1], "flags")
        return rows[0][:-1], [[float(x) for x in row[:-1]] for row in rows[1:]], [row[-1] for row in rows[1:]], run.stderr

    def test_range_and_list_every_point_bit_for_bit(self):
        header, rows, _, _ = self.read_csv("vorn_cp", "--T", "2:300:0.5", "--P", "100,1000")
        self.assertEqual(header, ["T [K]", "P [kPa]", "cp [J/(kg K)]"])
        self.assertEqual(len(rows), 2 * 597)
        self.assertEqual((rows[0][0], rows[596][0], rows[597][1]), (2.0, 300.0, 1000.0))
        for T, P, value in rows:
            self.assertTrue(same(value, call("vorn_cp", T, P)), (T, P))

    def test_names_readable_exported_and_any_case_agree(self):
        outputs = {vorn("table", name, "--T", "10,20", "--P", "50", "--csv").stdout.split("\n", 1)[1]
                   for name in ["viscosity", "nu", "mu", "eta", "dynamic viscosity", "Dynamic_Viscosity", "VISCOSITY"]}
        self.assertEqual(len(outputs), 1)

    def test_property_of_T_alone_has_no_pressure_column(self):
        header, rows, _, _ = self.read_csv("__vorn_MOD_b", "--T", "300:100:-100")
        self.assertEqual(header, ["T [K]", "B [cm^3/mol]"])
        self.assertEqual([r[0] for r in rows], [300.0, 200.0, 100.0])
        self.assertEqual(rows[0][1], call("__vorn_MOD_b", 300.0))

    def test_descending_and_inexact_steps_reach_the_stop(self):
        for range_text, expected in [("0:0.3:0.1", [0.0, 0.1, 0.2, 0.3]), ("5:5:1", [5.0]), ("1:2:0.4", [1.0, 1.4, 1.8]),
                                     ("+3,1e1", [3.0, 10.0])]:
            with self.subTest(range_text=range_text):
                _, rows, _, _ = self.read_csv("k0", "--T", range_text)
                self.assertEqual([r[0] for r in rows], expected)

    def test_readable_table(self):
        run = vorn("table", "vorn_rho", "--T", "4,300", "--P", "100")
        lines = run.stdout.splitlines()
        self.assertEqual(lines[0], "# density: density (vorn_rho)")
        self.assertEqual(lines[1].split(), ["T", "[K]", "P", "[kPa]", "density", "[kg/m^3]", "flags"])
        self.assertEqual([line.split()[-1] for line in lines[2:]], ["liquid+sound-divergent+density-unconverged", "-"])

    def test_flags_that_spoil_the_property_are_counted_on_stderr(self):
        for args, warnings in [
            (["vorn_cp", "--T", "2:4:1", "--P", "100"],
             ["liquid at 3 of 3 points", "density-turned at 1 of 3 points", "virial-divergent at 2 of 3 points",
              "sound-divergent at 3 of 3 points", "density-unconverged at 3 of 3 points", "out-of-range at 1 of 3 points",
              "heat-capacity-truncated at 3 of 3 points"]),
            (["viscosity0", "--T", "100,200"], []),
            (["viscosity0", "--T", "0.05,1"], ["nu-negative at 1 of 2 points"]),
            (["k0", "--T", "36.3759531,50"], ["k-pole at 1 of 2 points"]),
            # A pole of k0 spoils k, not the viscosity at the same temperature.
            (["vorn_nu", "--T", "36.3759531", "--P", "1"], []),
            (["__vorn_MOD_b", "--T", "-1,1"], ["invalid at 1 of 2 points"]),
        ]:
            with self.subTest(args=args):
                _, _, flags, stderr = self.read_csv(*args)
                got = [line.removeprefix("vorn: warning: ").split(": ")[0] for line in stderr.splitlines()
                       if "without an answer" not in line]
                self.assertEqual(got, warnings, stderr)
                # The per-row flags add up to the counts of the warnings.
                for warning in warnings:
                    name, count = warning.split(" at ")[0], int(warning.split(" at ")[1].split()[0])
                    self.assertEqual(sum(name in f.split("+") for f in flags), count)

    def test_every_row_carries_its_flags_in_every_format(self):
        T, P = [2.0, 3.0, 5.0, 6.0], 1000.0
        expected = [[f for f in flag_names(t, P) if f in CP_FLAGS] for t in T]
        args = ["table", "vorn_cp", "--T", "2,3,5,6", "--P", "1000"]
        _, _, flags, _ = self.read_csv(*args[1:])
        self.assertEqual([f.split("+") if f else [] for f in flags], expected)
        doc = json.loads(vorn(*args, "--json").stdout)
        self.assertEqual([row["flags"] for row in doc["rows"]], expected)
        self.assertEqual([row["value"] for row in doc["rows"]], [call("vorn_cp", t, P) for t in T])
        self.assertEqual(doc["units"], {"T": "K", "P": "kPa", "value": "J/(kg K)"})
        text = vorn(*args).stdout.splitlines()[2:]
        self.assertEqual([line.split()[-1] for line in text], ["+".join(e) or "-" for e in expected])

    def test_nan_is_written_without_a_sign(self):
        # The acoustic virial bracket is negative at 4.2 K and 250 kPa: vorn_w is NaN there.
        self.assertTrue(math.isnan(call("vorn_w", 4.2, 250.0)))
        run = vorn("table", "vorn_w", "--T", "4.2", "--P", "250", "--csv")
        self.assertEqual(run.stdout.splitlines()[1], "4.2,250,nan,liquid+sound-undefined+virial-divergent+sound-divergent+density-unconverged")

    def test_the_three_spellings_of_a_format_agree(self):
        for spelling, alias in [(["--format", "csv"], ["--csv"]), (["--format", "json"], ["--json"])]:
            with self.subTest(spelling=spelling):
                args = ["table", "k0", "--T", "10,20"]
                self.assertEqual(vorn(*args, *spelling).stdout, vorn(*args, *alias).stdout)

    def test_the_equation_over_any_pair_and_strict(self):
        # The boiling and dew points at 1.2 bar: one temperature, 4.4087 K; the liquid and vapour enthalpies.
        run = vorn("table", "T", "--P", "1.2bar", "--q", "0,1", "--csv")
        rows = list(csv.DictReader(io.StringIO(run.stdout)))
        self.assertEqual(list(rows[0]), ["P [kPa]", "q [1]", "T [K]", "flags"])
        self.assertEqual([float(r["T [K]"]) for r in rows], [eos("T", "PQ", 120.0, 0.0), eos("T", "PQ", 120.0, 1.0)])
        self.assertAlmostEqual(float(rows[0]["T [K]"]), 4.4087, delta=5e-5)
        # The equation's names, its library keys and aliases agree, in any case.
        outputs = {vorn("table", name, "--eos", "--T", "10,300", "--P", "50", "--csv").stdout
                   for name in ["sound-speed", "w", "Speed_Of_Sound", "A"]}
        self.assertEqual(len(outputs), 1)
        # Rows without an answer (He II at 0.7 K, below any model) are counted; --strict alone makes them exit 5.
        args = ["table", "h", "--T", "0.7,300", "--P", "100"]
        self.assertEqual((vorn(*args).returncode, vorn(*args, "--strict").returncode), (0, 5))
        self.assertIn("1 of 2 rows without an answer", vorn(*args).stderr)

    def test_a_name_both_families_have_follows_the_rule_of_state(self):
        # The liquid at 4.5 K, 3 bar: the equation's cp (the gas correlation gives 289,986); the gas: the correlation's.
        doc = json.loads(vorn("table", "cp", "--T", "4.5,300", "--P", "3bar", "--json").stdout)
        self.assertEqual([(r["value"], r["from"]) for r in doc["rows"]],
                         [(eos("cp", "TP", 4.5, 300.0), "equation"), (call("vorn_cp", 300.0, 300.0), "correlation")])
        self.assertAlmostEqual(doc["rows"][0]["value"], 4553.9, delta=0.05)
        self.assertEqual(doc["rows"][0]["flags"], [])  # the equation's, which answered
        # Each row as `vorn state` gives it, He II (neither family answers: the flagged correlation's) included.
        for T, P in [(4.5, 300.0), (0.7, 100.0), (1.9, 100.0), (20.0, 1000.0), (4.2, 250.0)]:
            rows = state_rows(json.loads(vorn("state", repr(T), repr(P), "--json").stdout))
            for name in ["density", "cp", "sound-speed", "viscosity", "Z"]:
                row = json.loads(vorn("table", name, "--T", repr(T), "--P", repr(P), "--json").stdout)["rows"][0]
                self.assertEqual((row["value"], row["from"]), (rows[name]["value"], rows[name]["from"]), (T, P, name))
        self.assertEqual(vorn("table", "cp", "--T", "0.7", "--P", "100", "--strict").returncode, 5)

    def test_the_family_switches_where_the_routine_s_flags_do_across_the_dome(self):
        # From 2 K to 8 K on three isobars: the liquid, the saturated edge, the dense and the dilute gas. A row is
        # the correlation's exactly where none of the flags of its routine is set, the equation's elsewhere.
        LIB.vorn_state_mask.restype = ctypes.c_uint
        for name, routine in [("density", "vorn_rho"), ("viscosity", "vorn_nu"), ("sound-speed", "vorn_w")]:
            mask = LIB.vorn_state_mask(routine.encode())
            doc = json.loads(vorn("table", name, "--T", "2.2:8:0.05", "--P", "3,30,300", "--json").stdout)
            sources = set()
            for row in doc["rows"]:
                T, P = float(row["T"]), float(row["P"])
                spoiled = LIB.vorn_state(ctypes.byref(D(T)), ctypes.byref(D(P))) & mask
                sources.add(row["from"])
                self.assertEqual(row["from"], "equation" if spoiled else "correlation", (name, T, P))
                self.assertTrue(same(json_float(row["value"]), eos(name, "TP", T, P) if spoiled
                                     else call(routine, T, P)), (name, T, P))
            self.assertEqual(sources, {"correlation", "equation"}, name)

    def test_json_rows_of_a_routine_of_T_alone(self):
        doc = json.loads(vorn("table", "__vorn_MOD_b", "--T", "-1,300", "--json").stdout)
        self.assertEqual(doc["rows"][0], {"T": -1, "value": call("__vorn_MOD_b", -1.0), "flags": ["invalid"]})
        # By its name (either family) a temperature at or below 0 K is bad input; by the routine's, a flagged row.
        self.assertEqual(vorn("table", "B", "--T", "-1", "--json").returncode, 2)
        self.assertEqual(doc["rows"][1]["value"], call("__vorn_MOD_b", 300.0))


class ThermometerTest(unittest.TestCase):
    def acoustic(self, ratio, P, T0, P0):
        return vorn("thermometer", "acoustic", "--ratio", ratio, "--P", P, "--T0", T0, "--P0", P0, "--json")

    @staticmethod
    def result(run):
        return json.loads(run.stdout)["rows"][0]

    def test_acoustic_reference_rows(self):
        for ratio, P, T0, P0, T, iterations in [("1", "100", "273.16", "100", 273.16, 1),
                                                ("0.01", "0.1", "273.16", "10", 2.73362211653, 3),
                                                ("0.1", "10", "273.16", "100", 27.3233161208, 3),
                                                ("1.1", "110", "273.16", "100", 300.480632583, 2),
                                                ("0.005", "0.025", "1.5", "5", 0.0075, 1)]:
            with self.subTest(ratio=ratio):
                run = self.acoustic(ratio, P, T0, P0)
                self.assertEqual(run.returncode, 5 if T < 2.2 else 0, run.stderr)  # out of range: no answer
                out = self.result(run)
                self.assertAlmostEqual(out["T"], T, places=9)
                self.assertEqual((out["iterations"], out["converged"]), (iterations, True))

    def test_acoustic_not_converged_exits_3_with_the_last_iterate(self):
        run = vorn("thermometer", "acoustic", "--ratio", "0.009745", "--P", "0.0357", "--T0", "200", "--P0", "5")
        self.assertEqual(run.returncode, 3)
        self.assertRegex(run.stdout.splitlines()[-1], r"^acoustic +1\.9491\d+ +30 +false +za-pressure-free\+out-of-range$")
        # one warning per flag of the result, then the tolerance
        self.assertEqual(len(run.stderr.splitlines()), 3)
        self.assertIn("did not meet its tolerance", run.stderr.splitlines()[-1])
        out = self.result(self.acoustic("0.009745", "0.0357", "200", "5"))
        self.assertEqual((out["iterations"], out["converged"]), (30, False))
        self.assertEqual(out["flags"], ["za-pressure-free", "out-of-range"])

    def test_result_states_are_flagged_in_every_format(self):
        # A filling at 20 K and 1 MPa read at 120 kPa: the result lies on the
        # liquid side; a result at room temperature is a clean gas state.
        for args, flags in [(["gas", "--P", "120", "--T0", "20", "--P0", "1000"], "liquid"),
                            (["acoustic", "--ratio", "1.1", "--P", "100", "--T0", "273.16", "--P0", "100"], "")]:
            run = vorn("thermometer", *args, "--csv")
            self.assertEqual(run.returncode, 5 if flags else 0, run.stderr)  # a result flagged liquid is no answer
            row = list(csv.DictReader(io.StringIO(run.stdout)))[0]
            self.assertEqual(row["flags"].split("+")[0] if row["flags"] else "", flags)
            self.assertEqual(bool(run.stderr), bool(flags), run.stderr)
            doc = self.result(vorn("thermometer", *args, "--json"))
            self.assertEqual(doc["flags"], row["flags"].split("+") if row["flags"] else [])

    def test_gas_matches_the_library(self):
        run = vorn("thermometer", "gas", "--P", "10", "--T0", "273.16", "--P0", "100", "--json")
        self.assertEqual(run.returncode, 0, run.stderr)
        out = self.result(run)
        it, conv = ctypes.c_int(), ctypes.c_int()
        T = LIB.vorn_cvgt_temperature(ctypes.byref(D(10)), ctypes.byref(D(273.16)), ctypes.byref(D(100)),
                                      ctypes.byref(it), ctypes.byref(conv))
        self.assertEqual((out["T"], out["iterations"], out["converged"]), (T, it.value, bool(conv.value)))


class ReferenceStatesTest(unittest.TestCase):
    def test_no_arguments_prints_every_property(self):
        run = vorn()
        self.assertEqual(run.returncode, 0)
        lines = run.stdout.splitlines()
        table = {line.split()[0]: line for line in lines if line}
        for name in ["B", "dB/dT", "density", "cp", "gamma", "Z", "sound-speed", "Za", "conductivity",
                     "viscosity0", "viscosity"]:
            self.assertIn(name, table)
        # The second column is 20 K and 1000 kPa.
        self.assertEqual(float(table["cp"].split()[-4]), float(f"{call('vorn_cp', 20.0, 1000.0):.10g}"))
        self.assertIn("T = 27.3233161208 K after 3 iterations (converged)", run.stdout)

    def test_csv_and_json_give_the_five_states_as_rows(self):
        rows = list(csv.DictReader(io.StringIO(vorn("--format", "csv").stdout)))
        self.assertEqual([(float(r["T [K]"]), float(r["P [kPa]"])) for r in rows],
                         [(4.2, 100.0), (20.0, 1000.0), (77.0, 100.0), (273.16, 100.0), (300.0, 101.325)])
        self.assertEqual([r["flags"] for r in rows],
                         ["liquid+sound-divergent+density-unconverged+heat-capacity-truncated+k-dense+nu-dense", "k-dense",
                          "", "", ""])
        self.assertEqual(float(rows[1]["cp [J/(kg K)]"]), call("vorn_cp", 20.0, 1000.0))
        doc = json.loads(vorn("--json", "--units", "mol,MPa").stdout)
        self.assertEqual(doc["units"]["P"], "MPa")
        self.assertEqual(doc["rows"][1]["P"], 1.0)
        self.assertEqual(doc["units"]["cp"], "J/(mol K)")

    def test_help_and_version(self):
        self.assertEqual(vorn("--help").returncode, 0)
        self.assertEqual(vorn("--version").stdout.strip(), "vorn 1.0.0")


class BadInputTest(unittest.TestCase):
    CASES = [
        # (arguments, what the one-line message must say)
        (["table", "cp", "--T", "abc", "--P", "1"], "--T: 'abc' is not a number"),
        # A point typed on the command line that is no state is bad input, not a flagged row.
        (["table", "cp", "--T", "4,-4", "--P", "1"], "--T: '-4' is -4 K; expected a temperature above 0 K"),
        (["line", "lambda", "--P", "100,-1"], "--P: '-1' is -1 kPa; expected a pressure of 0 or more"),
        (["superfluid", "channel", "--T-bath", "1.8", "--L", "1", "--q", "-5"], "--q: '-5' is -5 W/m^2"),
        (["superfluid", "channel", "--T-bath", "0", "--L", "1"], "--T-bath: '0' is 0 K"),
        (["table", "cp", "--T", "1", "--P", "1e"], "--P: '1e' is not a number"),
        (["table", "cp", "--T", "nan", "--P", "1"], "--T: 'nan' is not a finite number"),
        (["table", "cp", "--T", "1e400", "--P", "1"], "--T: '1e400' is out of the range"),
        (["table", "cp", "--T", "", "--P", "1"], "--T: empty range"),
        (["table", "cp", "--T", "1,,2", "--P", "1"], "--T: '1,,2' has an empty item"),
        (["table", "cp", "--T", "1:2", "--P", "1"], "--T: '1:2' is not a range"),
        (["table", "cp", "--T", "1::1", "--P", "1"], "--T: empty value"),
        (["table", "cp", "--T", "2:300:0", "--P", "1"], "--T: '2:300:0' has a step of zero"),
        (["table", "cp", "--T", "300:2:0.5", "--P", "1"], "--T: '300:2:0.5' steps away from STOP"),
        (["table", "cp", "--T", "2:300:-0.5", "--P", "1"], "--T: '2:300:-0.5' steps away from STOP"),
        (["table", "cp", "--T", "0:1e7:1", "--P", "1"], "--T: '0:1e7:1' has more than 10000000 points"),
        (["table", "cp", "--T", "0:1e300:1e-300", "--P", "1"], "has more than 10000000 points"),
        (["table", "cp", "--T", "1:10000:1", "--P", "1:1001:1"], "--T, --P: 10000 x 1001 points"),
        (["table", "enthalpie", "--T", "1", "--P", "1"], "PROPERTY: unknown property 'enthalpie'"),
        (["table", "dB/dT", "--T", "1", "--P", "1", "--eos"], "unknown property 'dB/dT' of the reference equation"),
        (["table", "h", "--s", "4", "--u", "1"], "--u, --s: not an input pair"),
        (["table", "h", "--T", "4", "--P", "1", "--rho", "2"], "table: --T, --P and --rho given"),
        (["table", "vorn_cp_n", "--T", "1", "--P", "1"], "PROPERTY: unknown property 'vorn_cp_n'"),
        (["table", "cp", "--T", "1"], "--T: alone; cp depends on two inputs"),
        (["table", "k0", "--T", "1", "--P", "1"], "--P: conductivity0 depends on T alone"),
        (["table", "cp", "--P", "1"], "--P: alone"),
        (["table"], "PROPERTY is required"),
        (["state", "20"], "P is required"),
        (["state", "--bogus", "20", "100"], "state: '--bogus' is not expected"),
        (["state", "20", "100", "-.5"], "state: '-.5' is not expected"),
        (["state", "x", "100"], "T: 'x' is not a number"),
        (["thermometer"], "thermometer: missing KIND"),
        (["thermometer", "acoustic", "--P", "1", "--T0", "1", "--P0", "1"], "--ratio is required"),
        (["thermometer", "gas", "--P", "1", "--T0", "one", "--P0", "1"], "--T0: 'one' is not a number"),
        (["thermometer", "gas", "--P", "1", "--T0", "1"], "--P0 is required"),
        (["frobnicate"], "frobnicate"),
        # Negative numbers are numbers wherever one is expected, and a state needs T > 0 and P >= 0.
        (["state", "0", "100"], "T: '0' is 0 K; expected a temperature above 0 K"),
        (["state", "-5", "100"], "T: '-5' is -5 K"),
        (["state", "-.5", "100"], "T: '-.5' is -0.5 K"),
        (["state", "-0.0", "100"], "T: '-0.0'"),
        (["state", "300", "-1"], "P: '-1' is -1 kPa; expected a pressure of 0 or more"),
        (["state", "20", "-inf"], "P: '-inf' is not a finite number"),
        (["state", "-nan", "100"], "T: '-nan' is not a finite number"),
        (["state", "-273.16C", "100"], "T: '-273.16C' is -0.01 K"),
        (["state", "300", "1e400Pa"], "P: '1e400Pa' is out of the range of a double"),
        (["table", "cp", "--T", "+-5", "--P", "1"], "--T: '+-5' is not a number"),
        (["table", "cp", "--T", "--5", "--P", "1"], "--T"),
        # An option's value is its next argument, or follows '=', negative or not.
        (["thermometer", "gas", "--P", "10", "--T0=-.5", "--P0", "100"], "--T0: '-.5' is not above 0"),
        (["thermometer", "gas", "--P", "-inf", "--T0", "273.16", "--P0", "100"], "--P: '-inf' is not a finite number"),
        # Units: what was expected is said.
        (["state", "300 kelvin", "100"], "T: '300 kelvin' is not a number with a unit: 'kelvin' is no unit of temperature"),
        (["state", "300", "1 K"], "P: '1 K' is not a number with a unit: 'K' is no unit of pressure"),
        (["state", "300K", "bar"], "P: 'bar' is not a number; expected a pressure"),
        # A prefix is never taken in the wrong case: mPa would be a billionth of MPa.
        (["state", "300", "1mpa"], "'mpa' is no unit of pressure"),
        (["state", "1MK", "100"], "'MK' is no unit of temperature"),
        (["state", "300", "1Mbar"], "'Mbar' is no unit of pressure"),
        (["table", "cp", "--T", "1:2:0.5bar", "--P", "1"], "'bar' is no unit of temperature"),
        (["thermometer", "acoustic", "--ratio", "1K", "--P", "1", "--T0", "1", "--P0", "1"], "without a unit"),
        (["state", "300", "100", "--units", "furlong"], "--units: 'furlong' is not an output unit"),
        (["state", "300", "100", "--units", "kg,mol"], "--units: 'mol' is not an output unit"),
        (["state", "300", "100", "--format", "xml"], "--format"),
        (["state", "300", "100", "--format", "csv", "--json"], "more than one given"),
        # Non-physical thermometer input is bad input, not a result and not a tolerance failure.
        (["thermometer", "acoustic", "--ratio", "-1", "--P", "1", "--T0", "100", "--P0", "1"], "--ratio: '-1' is not above 0"),
        (["thermometer", "acoustic", "--ratio", "0", "--P", "1", "--T0", "100", "--P0", "1"], "--ratio: '0' is not above 0"),
        (["thermometer", "gas", "--P", "0", "--T0", "273.16", "--P0", "100"], "--P: '0' is not above 0"),
        (["thermometer", "gas", "--P", "-1", "--T0", "273.16", "--P0", "100"], "--P: '-1' is not above 0"),
        (["thermometer", "gas", "--P", "10", "--T0", "0", "--P0", "100"], "--T0: '0' is not above 0"),
        (["thermometer", "gas", "--P", "10", "--T0", "273.16", "--P0", "0"], "--P0: '0' is not above 0"),
        (["thermometer", "gas", "--P", "10", "--T0", "-273.16C", "--P0", "1"], "--T0: '-273.16C' is not above 0"),
        # Ranges.
        (["table", "B", "--T", "1:10000001:1"], "--T: '1:10000001:1' has more than 10000000 points"),
        (["table", "B", "--T", "1:1.00000000000000000001:-1e-20"], "steps away from STOP"),
        (["eval", "/nonexistent/log.csv"], "INPUT: cannot open '/nonexistent/log.csv'"),
        (["eval", "-", "enthalpie"], "has no header"),
        # The reference equation: two inputs forming a pair, each a number.
        (["eos", "--T", "4"], "eos: --T alone given; expected two"),
        (["eos", "--T", "4", "--P", "100", "--h", "1"], "eos: --T, --P and --h given"),
        # One state, in every subcommand: T <= 0 and P < 0 are bad input, not a state without an answer.
        (["eos", "--T", "-4", "--P", "1"], "--T: '-4' is -4 K; expected a temperature above 0 K"),
        (["eos", "--P", "-1", "--h", "1"], "--P: '-1' is -1 kPa; expected a pressure of 0 or more"),
        (["eos", "--T", "0K", "--q", "0"], "--T: '0K' is 0 K"),
        # Extra arguments named in the order typed.
        (["table", "cp", "--T", "4", "--X", "3"], "'--X' '3': not expected"),
        (["eos", "--rho", "4", "--q", "0.5"], "--rho, --q: not an input pair"),
        (["eos", "--P", "100", "--h", "1kJ"], "--h: '1kJ'"),
        (["eos", "--T", "4 furlongs", "--P", "100"], "--T: '4 furlongs'"),
        (["saturation"], "saturation: expected exactly one of --T"),
        (["saturation", "--T", "3", "--P", "50"], "saturation: expected exactly one of --T"),
        (["saturation", "--T", "2:5:0"], "--T: '2:5:0'"),
        (["eos", "--T", "4", "--P", "100", "--units", "mol,furlong"], "--units: 'furlong'"),
    ]

    def test_every_case_one_line_and_exit_2(self):
        for args, message in self.CASES:
            with self.subTest(args=args):
                run = vorn(*args)
                self.assertEqual(run.returncode, 2)
                self.assertEqual(run.stdout, "", "nothing but the error is printed")
                self.assertEqual(len(run.stderr.splitlines()), 1, run.stderr)
                self.assertTrue(run.stderr.startswith("vorn: error: "), run.stderr)
                self.assertIn(message, run.stderr)



def run_points(args):
    """T values of a table's CSV, as the text the tool wrote."""
    run = vorn("table", "__vorn_MOD_b", "--T", *args, "--csv")
    assert run.returncode == 0, run.stderr
    return [row[0] for row in list(csv.reader(io.StringIO(run.stdout)))[1:]]


class RangeTest(unittest.TestCase):
    def test_points_are_start_plus_i_step_in_decimal(self):
        for text, first, last, count in [
            ("2:2.0262:0.0001", "2", "2.0262", 263),  # not 2.0262000000000002
            ("0:0.3:0.1", "0", "0.3", 4),
            ("0:999.9999999985:1", "0", "999", 1000),  # no point past STOP
            ("-1.7e308:1.7e308:1e308", "-1.7e+308", "1.3e+308", 4),  # four points, not "more than ten million"
            ("1:2:0.3", "1", "1.9", 4),
            ("300:100:-0.1", "300", "100", 2001),
            ("1e-400,2", "0", "2", 2),  # underflow is zero, not an error
            ("-196.15C:-195.15C:0.25C", "77", "78", 5),  # a difference takes no offset
            ("2000:3000:500mK", "2", "3", 3),  # a unit on STEP alone is the unit of the range
            ("2:3000mK:0.5", "2", "3", 3),  # otherwise each part has its own
            ("1e-300:1e-300:1", "1e-300", "1e-300", 1),
            # Digits that do not fit 127 bits at one exponent: START + i STEP in binary, never a point twice.
            ("1e300:1e300:1e-300", "1e+300", "1e+300", 1),
            ("1e-300:1:0.25", "1e-300", "1", 5),  # 1 + 1e-300 rounds to STOP itself
        ]:
            with self.subTest(text=text):
                points = run_points([text])
                self.assertEqual((points[0], points[-1], len(points)), (first, last, count))
                # Every point is the double nearest the decimal START + i STEP.
                if text == "2:2.0262:0.0001":
                    self.assertEqual(points[123], "2.0123")


class UnitsTest(unittest.TestCase):
    # (text, K or kPa, the double nearest the exact value): decimal factors are exact before the
    # one rounding; torr and psi divide exactly too (Fraction(750061683, 10**6) * 101325 / 760000).
    TEMPERATURES = [("300K", 300.0), ("4.2 K", 4.2), ("-196.15C", 77.0), ("-268.95 °C", 4.2), ("26.85C", 300.0),
                    ("800mK", 0.8), ("1500 mK", 1.5), ("250uK", 0.00025), ("300", 300.0), ("0.1k", 0.1)]
    PRESSURES = [("1bar", 100.0), ("1 MPa", 1000.0), ("101.325kPa", 101.325), ("1e5Pa", 100.0), ("760torr", 101.325),
                 ("1atm", 101.325), ("0.001 GPa", 1000.0), ("2.5 mbar", 0.25), ("100", 100.0), ("1013.25hPa", 101.325),
                 ("750.061683 torr", 100.00000003944079), ("1 psi", 6.894757293168361),
                 ("1mmHg", 0.133322387415), ("1kpa", 1.0), ("1 BAR", 100.0), ("1PSI", 6.894757293168361)]

    def state(self, T, P):
        run = vorn("state", T, P, "--json")
        self.assertIn(run.returncode, (0, 5), run.stderr)  # 5: a liquid or He II state neither family answers
        out = json.loads(run.stdout)
        return out["T"], out["P"]

    def test_temperatures(self):
        for text, expected in self.TEMPERATURES:
            with self.subTest(text=text):
                self.assertEqual(self.state(text, "100")[0], expected)

    def test_pressures(self):
        for text, expected in self.PRESSURES:
            with self.subTest(text=text):
                self.assertEqual(self.state("300", text)[1], expected)

    def test_a_bare_pressure_is_in_the_unit_of_units_and_a_large_one_warns(self):
        # The threshold, 10 MPa, on each side; a unit written silences it; Python warns by the same rule.
        for args, P, warns in [(["300", "1e5"], 1e5, True), (["300", "1e4"], 1e4, True),
                               (["300", "9999.999"], 9999.999, False), (["300", "1e5kPa"], 1e5, False),
                               (["300", "100", "--units", "bar"], 1e4, True), (["300", "99", "--units", "bar"], 9900.0, False),
                               (["300", "101325", "--units", "Pa"], 101.325, False)]:
            with self.subTest(args=args):
                run = vorn("state", *args, "--json")
                out = json.loads(run.stdout)
                self.assertEqual(out["P"] * {"bar": 100.0, "Pa": 1e-3}.get(args[-1], 1.0), P)
                self.assertEqual("a bare number is read in" in run.stderr, warns, run.stderr)

    def test_output_units(self):
        T, P = 20.0, 1000.0
        m0 = ctypes.c_double.in_dll(LIB, "__vorn_MOD_m0").value
        for units, P_out, checks in [
            ("mol", 1000.0, {"density": (call("vorn_rho", T, P) / m0, "mol/m^3"),
                             "cp": (call("vorn_cp", T, P) * m0, "J/(mol K)"),
                             "volume": (call("vorn_vol", T, P) if hasattr(LIB, "vorn_vol") else None, "m^3/mol")}),
            ("kg,bar", 10.0, {"density": (call("vorn_rho", T, P), "kg/m^3"),
                              "cp": (call("vorn_cp", T, P), "J/(kg K)")}),
            ("MPa", 1.0, {"cp": (call("vorn_cp", T, P), "J/(kg K)"), "Z": (call("vorn_Z", T, P), "1")}),
        ]:
            with self.subTest(units=units):
                out = json.loads(vorn("state", "20", "1000kPa", "--json", "--units", units).stdout)
                self.assertEqual(out["P"], P_out)
                rows = state_rows(out)
                for name, (value, unit) in checks.items():
                    self.assertEqual(rows[name]["unit"], unit)
                    if value is not None and name != "volume":
                        self.assertEqual(rows[name]["value"], value)

    def test_table_with_units_on_input_and_output(self):
        run = vorn("table", "density", "--T", "300", "--P", "1:3:1bar", "--units", "bar,mol", "--csv")
        rows = list(csv.reader(io.StringIO(run.stdout)))
        self.assertEqual(rows[0], ["T [K]", "P [bar]", "density [mol/m^3]", "from", "flags"])
        self.assertEqual([r[1] for r in rows[1:]], ["1", "2", "3"])


def write_fails(args, **streams):
    return subprocess.run([TOOL, *args], timeout=60, **streams)


class WriteTest(unittest.TestCase):
    COMMANDS = [[], ["--help"], ["--version"], ["state", "20", "100"], ["state", "20", "100", "--json"],
                ["table", "cp", "--T", "2:6:1", "--P", "100"], ["table", "cp", "--T", "2:6:1", "--P", "100", "--csv"],
                ["thermometer", "gas", "--P", "10", "--T0", "273.16", "--P0", "100"],
                ["thermometer", "acoustic", "--ratio", "0.1", "--P", "10", "--T0", "273.16", "--P0", "100", "--json"],
                ["eos", "--P", "100", "--h", "1000", "--csv"], ["saturation", "--T", "2.2:5.19:0.1", "--json"]]

    def test_a_full_stdout_is_exit_4_with_one_line(self):
        for args in self.COMMANDS:
            with self.subTest(args=args), open("/dev/full", "w") as full:
                run = write_fails(args, stdout=full, stderr=subprocess.PIPE, text=True)
                self.assertEqual(run.returncode, 4)
                self.assertEqual(run.stderr, "vorn: error: cannot write to standard output: No space left on device\n")

    def test_a_closed_stdout_is_exit_4(self):
        for args in self.COMMANDS:
            with self.subTest(args=args):
                run = subprocess.run(["sh", "-c", 'exec "$@" >&-', "sh", TOOL, *args], capture_output=True, text=True,
                                     timeout=60)
                self.assertEqual(run.returncode, 4)
                self.assertEqual(len(run.stderr.splitlines()), 1)
                self.assertIn("cannot write to standard output", run.stderr)

    def test_closed_or_full_stderr_never_aborts(self):
        for args, status in [(["state", "x", "1"], 2),  # the message is lost, the status is not
                             (["state", "4.2", "100"], 4),  # a warning that could not be written
                             (["thermometer", "acoustic", "--ratio", "0.009745", "--P", "0.0357", "--T0", "200",
                               "--P0", "5"], 4),
                             (["table", "cp", "--T", "0.7,3,4", "--P", "100"], 4),
                             (["state", "300", "100"], 0)]:  # nothing to say, nothing lost
            for redirect in ["2>&-", "2>/dev/full"]:
                with self.subTest(args=args, redirect=redirect):
                    run = subprocess.run(["sh", "-c", f'exec "$@" >/dev/null {redirect}', "sh", TOOL, *args],
                                         capture_output=True, timeout=60)
                    self.assertEqual(run.returncode, status)

    def test_a_reader_that_goes_stops_the_table_at_once(self):
        # With SIGPIPE ignored the write fails with EPIPE; ten million points would take many seconds.
        for ignore in [True, False]:
            with self.subTest(sigpipe_ignored=ignore):
                start = time.monotonic()
                tool = subprocess.Popen([TOOL, "table", "B", "--T", "1:9999999:1"], stdout=subprocess.PIPE,
                                        stderr=subprocess.PIPE,
                                        preexec_fn=(lambda: signal.signal(signal.SIGPIPE, signal.SIG_IGN)) if ignore
                                        else None)
                tool.stdout.readline()
                tool.stdout.close()
                stderr = tool.stderr.read().decode()
                status = tool.wait(timeout=60)
                self.assertLess(time.monotonic() - start, 5.0)
                if ignore:
                    self.assertEqual(status, 4)
                    self.assertEqual(stderr, "vorn: error: cannot write to standard output: Broken pipe\n")
                else:
                    self.assertEqual(status, -signal.SIGPIPE)


class EvalTest(unittest.TestCase):
    LOG = ("time,P [bar],T (C),comment\n"
           "10:00,1,-268.95,saturated\n"
           "\n"
           "# the heater is on\n"
           '10:01,"0.5",20,"warm, dry"\n'
           "10:02,2 kPa,10K,\n"
           "10:03,0,-273.15,a glitch\n")

    def setUp(self):
        self.directory = tempfile.TemporaryDirectory()
        self.path = os.path.join(self.directory.name, "log.csv")
        with open(self.path, "w") as f:
            f.write(self.LOG)

    def tearDown(self):
        self.directory.cleanup()

    def test_csv_rows_bit_for_bit_with_their_flags_every_column_passed_through(self):
        run = vorn("eval", self.path, "vorn_cp", "vorn_w", "vorn_nu", "--format", "csv")
        self.assertEqual(run.returncode, 0, run.stderr)
        rows = list(csv.DictReader(io.StringIO(run.stdout)))
        self.assertEqual(list(rows[0]), ["time", "P [bar]", "T (C)", "comment", "cp [J/(kg K)]", "sound-speed [m/s]",
                                         "viscosity [Pa s]", "flags"])
        self.assertEqual([(r["time"], r["P [bar]"], r["T (C)"], r["comment"]) for r in rows],
                         [("10:00", "1", "-268.95", "saturated"), ("10:01", "0.5", "20", "warm, dry"),
                          ("10:02", "2 kPa", "10K", ""), ("10:03", "0", "-273.15", "a glitch")])
        states = [(4.2, 100.0, "liquid+sound-divergent+density-unconverged+heat-capacity-truncated+nu-dense"),
                  (293.15, 50.0, ""), (10.0, 2.0, ""), (0.0, 0.0, "invalid")]
        for row, (T, P, flags) in zip(rows, states):
            self.assertEqual(row["flags"], flags)
            self.assertTrue(same(float(row["cp [J/(kg K)]"]), call("vorn_cp", T, P)))
            self.assertTrue(same(float(row["viscosity [Pa s]"]), call("vorn_nu", T, P)))
        self.assertIn("invalid at 1 of 4 points", run.stderr)
        self.assertIn("2 of 4 rows without an answer", run.stderr)
        self.assertEqual(vorn("eval", self.path, "vorn_cp", "--strict").returncode, 5)

    def test_standard_input_json_and_text_agree(self):
        doc = json.loads(vorn("eval", "-", "vorn_rho", "--json", input=self.LOG).stdout)
        self.assertEqual([r["time"] for r in doc["rows"]], ["10:00", "10:01", "10:02", "10:03"])
        self.assertEqual(doc["rows"][3]["density"], "NaN")
        self.assertEqual(doc["rows"][0]["flags"], ["liquid", "sound-divergent", "density-unconverged"])
        self.assertEqual(doc["rows"][1]["density"], call("vorn_rho", 293.15, 50.0))
        text = vorn("eval", "-", "vorn_rho", input=self.LOG).stdout.splitlines()
        self.assertEqual([line.split()[-1] for line in text[2:]], ["liquid+sound-divergent+density-unconverged", "-", "-", "invalid"])

    def test_one_family_a_name_under_the_rule_with_a_from_column(self):
        # h and prandtl are the equation's alone; density by the rule: the liquid's 129.31 kg/m^3, not the series' 272.7.
        rows = list(csv.DictReader(io.StringIO(vorn("eval", "-", "h", "prandtl", "density", "B", "--csv",
                                                    input="T [K],P [kPa]\n4.5,300\n300,100\n").stdout)))
        self.assertEqual(float(rows[0]["density [kg/m^3]"]), eos("density", "TP", 4.5, 300.0))
        self.assertAlmostEqual(float(rows[0]["density [kg/m^3]"]), 129.31, delta=0.005)
        self.assertEqual([r["from"] for r in rows], ["correlation: B; equation: density", "correlation"])
        self.assertEqual(float(rows[1]["density [kg/m^3]"]), call("vorn_rho", 300.0, 100.0))

    def test_every_property_by_default(self):
        rows = list(csv.reader(io.StringIO(vorn("eval", self.path, "--csv").stdout)))
        self.assertEqual(len(rows[0]), 4 + 22 + 2)  # and the from column

    def test_the_equation_on_any_pair_in_molar_units(self):
        # A log of P and molar enthalpy: the equation's state at each, the timestamp kept for the join.
        h = eos("h", "TP", 10.0, 500.0)
        log = f"stamp,h [J/mol],P [bar]\n12:00,{h * 0.004002602!r},5\n12:01,-1e6,5\n"
        run = vorn("eval", "-", "T", "density", "--csv", input=log)
        rows = list(csv.DictReader(io.StringIO(run.stdout)))
        self.assertEqual(list(rows[0]), ["stamp", "h [J/mol]", "P [bar]", "T [K]", "density [kg/m^3]", "flags"])
        self.assertEqual(rows[0]["stamp"], "12:00")
        self.assertAlmostEqual(float(rows[0]["T [K]"]), 10.0, delta=1e-9)
        self.assertEqual(rows[1]["flags"], "he-ii")
        self.assertEqual(run.returncode, 0)
        self.assertIn("1 of 2 rows without an answer", run.stderr)
        # On T and P, a property only the equation has is the equation's; --eos takes cp from it too.
        rows = list(csv.DictReader(io.StringIO(vorn("eval", "-", "h", "cp", "--eos", "--csv", input="T,P\n10,500\n").stdout)))
        self.assertEqual((float(rows[0]["h [J/kg]"]), float(rows[0]["cp [J/(kg K)]"])), (h, eos("cp", "TP", 10.0, 500.0)))

    def test_a_bad_line_stops_with_exit_2_naming_it(self):
        for log, message in [("T,P\n300,100\n300,1x\n", "line 3, P: '1x' is not a number with a unit"),
                             ("T,pressure [furlong]\n", "'furlong' is no unit of pressure"),
                             ("T [K],X\n1,2\n", "names no input pair"),
                             ("T,P,T\n", "two T columns"),
                             ("T,h [J/g]\n", "'J/g' is no unit of h"),
                             ("P,T\n100\n", "line 2: 1 fields; expected at least 2"),
                             ('T,P\n"300,100\n', "a quote is not closed"),
                             ("", "has no header")]:
            with self.subTest(log=log):
                run = vorn("eval", "-", "cp", "--csv", input=log)
                self.assertEqual(run.returncode, 2)
                self.assertEqual(len(run.stderr.splitlines()), 1, run.stderr)
                self.assertIn(message, run.stderr)

    def test_rows_stream_from_a_pipe(self):
        tool = subprocess.Popen([TOOL, "eval", "-", "vorn_cp", "--csv"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                text=True)
        tool.stdin.write("T [K],P [kPa]\n20,1000\n")
        tool.stdin.flush()
        self.assertEqual(tool.stdout.readline(), "T [K],P [kPa],cp [J/(kg K)],flags\n")
        self.assertEqual(tool.stdout.readline(), f"20,1000,{call('vorn_cp', 20.0, 1000.0)!r},\n")
        tool.stdin.close()
        self.assertEqual(tool.wait(timeout=60), 0)


# The reference equation of state, through the library.
EOS_PAIRS = {"TP": 1, "TRHO": 2, "PRHO": 3, "PH": 4, "PS": 5, "TS": 6, "RHOU": 7, "TQ": 8, "PQ": 9}
EOS_PROPERTIES = {"T": 1, "P": 2, "density": 3, "volume": 4, "u": 5, "h": 6, "s": 7, "g": 8, "cv": 9, "cp": 10,
                  "gamma": 11, "sound-speed": 12, "joule-thomson": 13, "kappa_T": 14, "alpha_V": 15, "dP/dT": 16,
                  "dP/drho": 17, "B": 18, "Z": 19, "quality": 20, "viscosity": 23, "conductivity": 24,
                  "kinematic-viscosity": 25, "thermal-diffusivity": 26, "prandtl": 27}
SATURATION_FIELDS = ["T", "P", "rho_liquid", "rho_vapour", "h_liquid", "h_vapour", "s_liquid", "s_vapour",
                     "latent_heat", "surface_tension", "dPdT"]


class Saturation(ctypes.Structure):
    _fields_ = ([("size", ctypes.c_size_t), ("flags", ctypes.c_uint)] + [(f, D) for f in SATURATION_FIELDS]
                + [("evaluations", ctypes.c_int)])


def eos(prop, pair, x1, x2):
    I = ctypes.c_int
    return LIB.vorn_eos_value(ctypes.byref(I(EOS_PROPERTIES[prop])), ctypes.byref(I(EOS_PAIRS[pair])),
                              ctypes.byref(D(x1)), ctypes.byref(D(x2)))


def saturation_at_T(T):
    s = Saturation()
    s.size = ctypes.sizeof(Saturation)
    LIB.vorn_eos_saturation_T(ctypes.byref(D(T)), ctypes.byref(s))
    return s


class EosTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        IP = ctypes.POINTER(ctypes.c_int)
        LIB.vorn_eos_value.argtypes, LIB.vorn_eos_value.restype = [IP, IP, PD, PD], D
        LIB.vorn_eos_saturation_T.argtypes = [PD, ctypes.POINTER(Saturation)]
        LIB.vorn_eos_saturation_T.restype = ctypes.c_int

    def test_state_shows_the_reference_beside_the_correlation(self):
        for T, P in [(20.0, 1000.0), (4.2, 100.0), (300.0, 101.325), (30.0, 100000.0)]:
            with self.subTest(T=T, P=P):
                props = state_rows(json.loads(vorn("state", repr(T), repr(P), "--json").stdout))
                for name, eos_name in [("density", "density"), ("cp", "cp"), ("sound-speed", "sound-speed"),
                                       ("B", "B"), ("Z", "Z"), ("gamma", "gamma"), ("viscosity", "viscosity"),
                                       ("conductivity", "conductivity")]:
                    reference = eos(eos_name, "TP", T, P)
                    self.assertTrue(same(json_float(props[name]["equation"]), reference), name)
                    value = json_float(props[name]["correlation"])
                    if math.isfinite(value):
                        exact = 100 * (value - reference) / abs(reference)
                        self.assertAlmostEqual(props[name]["difference"], exact, delta=5e-3 * abs(exact))
                for name in ("prandtl", "kinematic-viscosity", "thermal-diffusivity", "h"):
                    self.assertTrue(same(json_float(props[name]["equation"]), eos(name, "TP", T, P)), name)
                    if props[name]["from"] == "equation":
                        self.assertTrue(same(json_float(props[name]["value"]), eos(name, "TP", T, P)), name)
        # 14 K and 100 MPa is solid helium: the equation says so and gives nothing to compare with.
        out = json.loads(vorn("state", "14", "100MPa", "--json").stdout)
        self.assertEqual((out["phase"], out["equation_flags"]), ("none", ["solid"]))
        self.assertEqual(state_rows(out)["density"]["equation"], "NaN")
        self.assertEqual(state_rows(out)["density"]["difference"], "NaN")

    def test_the_right_number_first(self):
        # Liquid at 4.5 K and 3 bar: the correlations' density (+111 %) and cp (+6270 %) are flagged, the
        # equation's lead, and the row says so; exit 0, for the state has an answer.
        run = vorn("state", "4.5K", "3bar", "--json")
        self.assertEqual(run.returncode, 0)
        rows = state_rows(json.loads(run.stdout))
        for name, value in [("density", 129.3126), ("cp", 4553.948)]:
            self.assertEqual(rows[name]["from"], "equation")
            self.assertAlmostEqual(rows[name]["value"], value, delta=1e-3)
            self.assertIn("liquid", rows[name]["flags"])
        self.assertGreater(rows["cp"]["difference"], 6000)
        self.assertEqual(rows["B"]["from"], "correlation")
        self.assertEqual(rows["Za"]["from"], "flagged")  # no counterpart: the correlation's, flagged
        # He II has a state but no conductivity (heat goes by counterflow): the equation's NaN stands, not
        # the gas correlation's flagged 0.0064 W/(m K), nor a Prandtl number or diffusivity made of it.
        rows = state_rows(json.loads(vorn("state", "1.9", "1bar", "--json").stdout))
        for name in ["conductivity", "prandtl", "thermal-diffusivity"]:
            self.assertEqual(rows[name]["from"], "equation", name)
            self.assertTrue(math.isnan(json_float(rows[name]["value"])), name)
        row = next(csv.DictReader(io.StringIO(vorn("table", "k", "--T", "1.9", "--P", "1bar", "--csv").stdout)))
        self.assertEqual((row["from"], row["conductivity [W/(m K)]"]), ("equation", "nan"))
        # He II and solid: neither family has the density, exit 5 after printing what there is.
        for T, P in [("0.7", "100"), ("14", "100MPa")]:
            run = vorn("state", T, P)
            self.assertEqual(run.returncode, 5)
            self.assertIn("density", run.stdout)

    def test_the_families_phase_relations_named_where_they_disagree(self):
        # Between the ITS-90 boiling point (4.2221 K) and the equation's (4.2238 K) at 1 atm: gas for one,
        # liquid for the other; on each side of that band they agree and nothing is said.
        for T, note in [("4.223", True), ("4.2215", False), ("4.2245", False)]:
            with self.subTest(T=T):
                out = json.loads(vorn("state", T, "101.325", "--json").stdout)
                self.assertEqual("phases" in out, note)
                if note:
                    self.assertIn("ITS-90 vapour pressure", out["phases"])
                    self.assertIn("boiling at 4.222098544 K", out["phases"])
                    self.assertIn("boiling at 4.223806771 K", out["phases"])
                    self.assertIn("critical at 227.46 kPa", out["phases"])
                    self.assertIn("correlations say gas, the equation liquid", out["phases"])

    def test_state_comparison_in_csv_and_text(self):
        rows = {r["property"]: r for r in csv.DictReader(io.StringIO(vorn("state", "20", "1000", "--csv").stdout))}
        self.assertEqual(float(rows["cp"]["equation"]), eos("cp", "TP", 20.0, 1000.0))
        self.assertEqual(rows["dB/dT"]["equation"], "")
        text = vorn("state", "20", "1000").stdout.splitlines()
        self.assertIn("# phase: supercritical", text)
        cp = next(line for line in text if line.startswith("cp "))
        self.assertIn("5690.05602", cp)
        self.assertIn(" 0.137 ", cp)

    def test_every_pair_gives_the_library_state_and_comes_back(self):
        T, P = 10.0, 500.0
        at = {name: eos(name, "TP", T, P) for name in ("density", "h", "s", "u")}
        for args, pair, x1, x2 in [(["--T", "10", "--P", "500"], "TP", T, P),
                                   (["--T", "10", "--rho", repr(at["density"])], "TRHO", T, at["density"]),
                                   (["--rho", repr(at["density"]), "--P", "500"], "PRHO", P, at["density"]),
                                   (["--P", "0.5MPa", "--h", repr(at["h"])], "PH", P, at["h"]),
                                   (["--P", "500", "--s", repr(at["s"])], "PS", P, at["s"]),
                                   (["--T", "10", "--s", repr(at["s"])], "TS", T, at["s"]),
                                   (["--rho", repr(at["density"]), "--u", repr(at["u"])], "RHOU", at["density"], at["u"])]:
            with self.subTest(pair=pair):
                run = vorn("eos", *args, "--json")
                self.assertEqual(run.returncode, 0, run.stderr)
                props = state_rows(json.loads(run.stdout))
                for name in ("T", "P", "density", "cp", "sound-speed", "joule-thomson"):
                    self.assertTrue(same(json_float(props[name]["value"]), eos(name, pair, x1, x2)), name)
                self.assertAlmostEqual(props["T"]["value"], T, delta=1e-9 * T)
                self.assertAlmostEqual(props["P"]["value"], P, delta=1e-9 * P)

    def test_two_phase_and_limits(self):
        out = json.loads(vorn("eos", "--T", "4", "--q", "0.3", "--json").stdout)
        rows = state_rows(out)
        self.assertEqual(out["phase"], "two-phase")
        self.assertEqual(rows["cp"]["value"], "NaN")
        self.assertEqual(rows["quality"]["value"], eos("quality", "TQ", 4.0, 0.3))
        # A negative enthalpy is a value, not an option: the compressed liquid below the boiling point.
        rows = {r["property"]: r for r in csv.DictReader(io.StringIO(vorn("eos", "--P", "100", "--h", "-5000", "--csv").stdout))}
        self.assertEqual(float(rows["T"]["value"]), eos("T", "PH", 100.0, -5000.0))
        self.assertEqual(float(rows["prandtl"]["value"]), eos("prandtl", "PH", 100.0, -5000.0))
        # Outside the equation: NaN, the flag in the output and a warning, exit 5.
        run = vorn("eos", "--T", "0.7", "--P", "3", "--json")
        self.assertEqual(run.returncode, 5)
        out = json.loads(run.stdout)
        self.assertEqual((out["phase"], out["flags"]), ("none", ["he-ii"]))
        self.assertEqual(state_rows(out)["density"]["value"], "NaN")
        self.assertIn("warning: reference equation: he-ii", run.stderr)

    def test_molar_units_both_ways(self):
        # h given per mole and shown per mole comes back; bare pressures are in the unit of --units.
        h = eos("h", "TP", 10.0, 500.0) * 0.004002602
        rows = state_rows(json.loads(vorn("eos", "--P", "5", "--h", repr(h), "--units", "mol,bar", "--json").stdout))
        self.assertAlmostEqual(rows["T"]["value"], 10.0, delta=1e-9)
        self.assertEqual((rows["h"]["unit"], rows["P"]["unit"], rows["joule-thomson"]["unit"]), ("J/mol", "bar", "K/bar"))
        self.assertAlmostEqual(rows["h"]["value"], h, delta=1e-9 * abs(h))
        self.assertAlmostEqual(rows["density"]["value"], eos("density", "TP", 10.0, 500.0) / 0.004002602, delta=1e-6)

    def test_saturation_table_in_every_format(self):
        temperatures = [round(2.2 + 0.1 * i, 1) for i in range(30)]  # 2.2 to 5.1
        rows = list(csv.DictReader(io.StringIO(vorn("saturation", "--T", "2.2:5.19:0.1", "--csv").stdout)))
        self.assertEqual([float(r["T [K]"]) for r in rows], temperatures)
        doc = json.loads(vorn("saturation", "--T", "2.2:5.19:0.1", "--json").stdout)
        text = vorn("saturation", "--T", "2.2:5.19:0.1").stdout.splitlines()[2:]
        self.assertEqual(len(doc["rows"]), 30)
        self.assertEqual(len(text), 30)
        for row, json_row, T in zip(rows, doc["rows"], temperatures):
            library = saturation_at_T(T)
            self.assertEqual(float(row["P [kPa]"]), library.P)
            self.assertEqual(float(row["latent_heat [J/kg]"]), library.latent_heat)
            self.assertEqual(json_row["rho_vapour"], library.rho_vapour)
            self.assertEqual(row["flags"], "")
        # At the normal boiling point h' = s' = 0 (the reference state), in any pressure unit.
        row = next(csv.DictReader(io.StringIO(vorn("saturation", "--P", "1atm", "--csv", "--units", "bar").stdout)))
        self.assertAlmostEqual(float(row["T [K]"]), 4.2238068, delta=5e-8)
        self.assertAlmostEqual(float(row["P [bar]"]), 1.01325, delta=1e-12)
        self.assertAlmostEqual(float(row["h_liquid [J/kg]"]), 0.0, delta=1e-9)

    def test_saturation_outside_its_range_is_flagged_rows(self):
        run = vorn("saturation", "--T", "1.0,4.0,6.0", "--csv")
        self.assertEqual(run.returncode, 0)
        flags = [r["flags"] for r in csv.DictReader(io.StringIO(run.stdout))]
        self.assertEqual(flags, ["he-ii", "", "no-solution"])
        self.assertEqual(len(run.stderr.splitlines()), 4)  # the two flags, where He II is described, the count
        self.assertIn("vorn superfluid", run.stderr)


class SharedTest(unittest.TestCase):
    """The tool and the Python package share names, units and the bare-pressure rule."""

    @classmethod
    def setUpClass(cls):
        os.environ["VORN_LIBRARY"] = os.path.abspath(sys.argv[2])
        sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "python"))
        import vorn  # noqa: the package of this tree, on the library just built
        cls.vorn = vorn

    def test_every_output_of_eos_has_the_package_name_unit_and_value(self):
        for units in ["kg,kPa", "mol,bar", "MPa", "g,mbar", "psi", "torr,g", "atm"]:
            with self.subTest(units=units):
                out = json.loads(vorn("eos", "--T", "4.5", "--P", "300kPa", "--units", units, "--json").stdout)
                for row in out["rows"]:
                    self.assertEqual(self.vorn._props.unit(row["property"], units), row["unit"], row["property"])
                    value = self.vorn.props(row["property"], T=4.5, P=(300, "kPa"), units=units, family="equation")
                    self.assertTrue(same(json_float(row["value"]), value), row["property"])

    def test_the_tool_s_tables_and_props_answer_by_the_same_rule_to_the_bit(self):
        for name, units in [("cp", "kg"), ("density", "mol,bar"), ("viscosity", "g"), ("Z", "psi")]:
            doc = json.loads(vorn("table", name, "--T", "2.2,3,4.5,10,300", "--P", "1bar,3bar", "--units", units,
                                  "--json").stdout)
            T = [float(r["T"]) for r in doc["rows"]]
            P = [(float(r["P"]), units.split(",")[-1] if units not in ("kg", "g") else "kPa") for r in doc["rows"]]
            got = [self.vorn.props(name, T=t, P=p, units=units) for t, p in zip(T, P)]
            self.assertEqual([json_float(r["value"]) for r in doc["rows"]], got, name)
            self.assertEqual([r["from"] for r in doc["rows"]],
                             [self.vorn.answered_by(name, T=t, P=p) for t, p in zip(T, P)])

    def test_one_table_of_units_and_the_default_from_the_environment(self):
        from vorn import _units
        self.assertEqual([u[0] for u in _units.UNITS if u[1] == "pressure" and u[7]],
                         ["kPa", "Pa", "MPa", "bar", "mbar", "atm", "torr", "psi"])
        rows = state_rows(json.loads(vorn("eos", "--T", "4.5", "--P", "3bar", "--units", "g,mbar", "--json").stdout))
        self.assertEqual((rows["P"]["value"], rows["P"]["unit"]), (3000, "mbar"))
        self.assertEqual((round(rows["h"]["value"], 4), rows["h"]["unit"]), (1.7198, "J/g"))
        env = dict(os.environ, VORN_UNITS="g,mbar")
        run = subprocess.run([TOOL, "eos", "--T", "4.5", "--P", "3000", "--json"], capture_output=True, text=True,
                             env=env, timeout=60)
        self.assertEqual(state_rows(json.loads(run.stdout))["h"]["unit"], "J/g")
        run = subprocess.run([TOOL, "eos", "--T", "4.5", "--P", "3"], capture_output=True, text=True, timeout=60,
                             env=dict(os.environ, VORN_UNITS="furlong"))
        self.assertEqual(run.returncode, 2)
        self.assertIn("VORN_UNITS (the environment): 'furlong' is not an output unit", run.stderr)

    def test_the_same_bare_pressures_warn(self):
        import warnings
        for P, units in [("1e4", "kPa"), ("9999.99", "kPa"), ("100", "bar"), ("99.99", "bar"), ("1e7", "Pa")]:
            with self.subTest(P=P, units=units), warnings.catch_warnings(record=True) as caught:
                warnings.simplefilter("always")
                self.vorn.props("rho", T=300, P=float(P), units=units)
                tool = "a bare number is read in" in vorn("eos", "--T", "300", "--P", P, "--units", units).stderr
                self.assertEqual(bool(caught), tool)


class LinesTest(unittest.TestCase):
    def test_the_lines_are_the_library_s_and_meet_at_the_lambda_point(self):
        for name, export in [("lambda_temperature", "vorn_eos_lambda_temperature"),
                             ("melting_pressure", "vorn_eos_melting_pressure")]:
            getattr(LIB, export).restype = D
        rows = list(csv.DictReader(io.StringIO(vorn("line", "lambda", "--P", "5.04,1bar,31bar", "--csv").stdout)))
        self.assertEqual([float(r["T [K]"]) for r in rows[:2]],
                         [LIB.vorn_eos_lambda_temperature(ctypes.byref(D(P))) for P in (5.04, 100.0)])
        self.assertEqual(rows[2]["T [K]"], "nan")  # above the melting line: no lambda line
        doc = json.loads(vorn("line", "melting", "--T", "1.5", "--json", "--units", "bar").stdout)
        self.assertEqual(doc["rows"][0]["P"], LIB.vorn_eos_melting_pressure(ctypes.byref(D(1.5))) / 100)
        # The saturation line: the He II bath below the lambda point, the equation above; the two meet there.
        rows = list(csv.DictReader(io.StringIO(vorn("line", "saturation", "--T", "2.1767,2.1769", "--csv").stdout)))
        self.assertEqual([r["from"] for r in rows], ["He II bath", "equation"])
        self.assertAlmostEqual(float(rows[0]["P [kPa]"]), float(rows[1]["P [kPa]"]), delta=5e-3)

    def test_the_saturation_line_is_where_every_entry_splits_he_ii_from_vapour(self):
        # A hair above the line (T, P) is He II, a hair below it not: in the bath (2.0 K), at its lower end
        # (1.25 K) and below it, where the line is the fit scaled to the bath (1.0 K, 0.8 K).
        T = [0.8, 1.0, 1.25, 2.0]
        rows = csv.DictReader(io.StringIO(vorn("line", "saturation", "--T", ",".join(map(str, T)), "--csv").stdout))
        for t, row in zip(T, rows):
            P = float(row["P [kPa]"])
            for factor, he_ii in [(1 + 1e-9, True), (1 - 1e-9, False)]:
                state = json.loads(vorn("eos", "--T", str(t), "--P", repr(P * factor), "--json").stdout)
                self.assertEqual(state["phase"] == "He II", he_ii, (t, factor, state["phase"]))

    def test_bad_input_exits_2_and_no_answer_only_with_strict(self):
        for args, message in [(["line", "boiling", "--T", "2"], "LINE: 'boiling' is no line"),
                              (["line", "lambda", "--T", "2"], "the lambda line is given at P"),
                              (["line", "melting", "--P", "2"], "the melting line is given at T"),
                              (["line", "melting"], "expected exactly one of --T")]:
            run = vorn(*args)
            self.assertEqual((run.returncode, run.stdout), (2, ""), args)
            self.assertIn(message, run.stderr)
        run = vorn("line", "lambda", "--P", "5mbar,31bar", "--strict", "--units", "bar")
        self.assertEqual(run.returncode, 5)
        self.assertIn("--P outside 0.050393304 bar (the lambda point) to 30.134 bar", run.stderr)
        self.assertIn("at 2 of 2 points", run.stderr)


class SuperfluidTest(unittest.TestCase):
    """The saturated liquid below the lambda line and the ITS-90 vapour scale."""

    def test_saturation_below_lambda_is_the_he_ii_bath(self):
        rows = list(csv.DictReader(io.StringIO(vorn("saturation", "--T", "1.8", "--csv").stdout)))
        self.assertEqual(len(rows), 1)
        self.assertEqual(float(rows[0]["rho_liquid [kg/m^3]"]), LIB.vorn_svp_rho(ctypes.byref(D(1.8)), None))
        self.assertEqual(rows[0]["flags"], "extrapolated")
        # Colder than the bath: the He II line of the fits.
        rows = list(csv.DictReader(io.StringIO(vorn("saturation", "--T", "1.0", "--csv").stdout)))
        self.assertEqual(float(rows[0]["rho [kg/m^3]"]), LIB.vorn_svp_rho(ctypes.byref(D(1.0)), None))

    def test_one_table_through_the_lambda_point(self):
        rows = list(csv.DictReader(io.StringIO(vorn("saturation", "--T", "1.5:5.1:0.1", "--csv").stdout)))
        self.assertEqual(len(rows), 37)
        for name in ["P [kPa]", "h_liquid [J/kg]", "s_vapour [J/(kg K)]", "latent_heat [J/kg]"]:
            values = [float(r[name]) for r in rows]
            self.assertFalse(any(math.isnan(v) for v in values), name)
        P = [float(r["P [kPa]"]) for r in rows]
        self.assertEqual(P, sorted(P))

    def test_the_bath_by_pressure_in_every_command(self):
        row = next(csv.DictReader(io.StringIO(vorn("saturation", "--P", "16mbar", "--csv").stdout)))
        self.assertAlmostEqual(float(row["T [K]"]), 1.793515, delta=1e-6)
        out = json.loads(vorn("eos", "--P", "16mbar", "--h", "1719.85", "--json").stdout)
        values = {r["property"]: json_float(r["value"]) for r in out["rows"]}
        self.assertAlmostEqual(values["quality"], 0.46274, delta=1e-5)
        self.assertAlmostEqual(values["T"], 1.793515, delta=1e-6)
        row = next(csv.DictReader(io.StringIO(vorn("superfluid", "--P", "16mbar", "--csv").stdout)))
        self.assertAlmostEqual(float(row["T [K]"]), 1.793515, delta=1e-6)

    def test_superfluid_table_in_every_format(self):
        text = vorn("superfluid", "--T", "0:5.2:0.1").stdout.splitlines()
        self.assertEqual(len(text), 2 + 53)
        out = json.loads(vorn("superfluid", "--T", "1.5,2.1768", "--json", "--units", "bar").stdout)
        self.assertEqual(out["units"]["P"], "bar")
        self.assertAlmostEqual(out["rows"][0]["u2"], 20.03, delta=5e-3)
        self.assertEqual(out["rows"][1]["c_sat"], "NaN")
        self.assertIn("at-lambda", out["rows"][1]["flags"])

    def test_channel_peak_flux_warm_end_and_heat_flux(self):
        def library(name, *args):
            f = getattr(LIB, "vorn_svp_channel_" + name)
            f.argtypes, f.restype = [PD] * len(args) + [ctypes.POINTER(ctypes.c_uint)], D
            return f(*[ctypes.byref(D(a)) for a in args], None)

        rows = list(csv.DictReader(io.StringIO(vorn("superfluid", "channel", "--T-bath", "1.6:2.0:0.2", "--L", "100cm",
                                                    "--csv").stdout)))
        self.assertEqual([float(r["T_bath [K]"]) for r in rows], [1.6, 1.8, 2.0])
        for r in rows:
            self.assertEqual(float(r["q_peak [W/m^2]"]), library("peak_flux", float(r["T_bath [K]"]), 1.0, 3.0))
        self.assertAlmostEqual(float(rows[1]["q_peak [W/m^2]"]), 15.0e3, delta=50)
        out = json.loads(vorn("superfluid", "channel", "--T-bath", "1.8", "--L", "0.5", "--q", "1W/cm2,2W/cm^2",
                              "--m", "3.4", "--json").stdout)
        self.assertEqual(out["m"], 3.4)
        self.assertEqual(out["rows"][0]["T_warm"], library("warm_end", 1.8, 0.5, 1e4, 3.4))
        self.assertEqual((out["rows"][1]["T_warm"], out["rows"][1]["flags"]), ("NaN", ["past-lambda"]))
        row = next(csv.DictReader(io.StringIO(vorn("superfluid", "channel", "--T-bath", "1.8", "--L", "1",
                                                   "--T-warm", "1.9", "--csv").stdout)))
        self.assertEqual(float(row["q [W/m^2]"]), library("heat_flux", 1.8, 1.9, 1.0, 3.0))
        text = vorn("superfluid", "--T", "1.8").stdout
        self.assertIn("f^-1 [W^3 m^-5 K^-1]", text)

    def test_channel_bad_input(self):
        for args, expected in [(["--L", "0"], "--L"), (["--L", "1ft"], "no unit of length"),
                               (["--L", "1", "--m", "4.5"], "--m"), (["--L", "1", "--q", "1kW", "--m", "3"], "--q"),
                               (["--L", "1", "--q", "1", "--T-warm", "2"], "both --q and --T-warm")]:
            with self.subTest(args=args):
                run = vorn("superfluid", "channel", "--T-bath", "1.8", *args)
                self.assertEqual(run.returncode, 2)
                self.assertIn(expected, run.stderr)
        self.assertEqual(vorn("superfluid").returncode, 2)
        run = vorn("superfluid", "channel", "--T-bath", "2.2", "--L", "1", "--strict")
        self.assertEqual(run.returncode, 5)
        self.assertIn("out-of-range", run.stdout)

    def test_vapour_thermometer_both_ways(self):
        row = next(csv.DictReader(io.StringIO(vorn("thermometer", "vapour", "--P", "1atm", "--csv").stdout)))
        self.assertAlmostEqual(float(row["T90 [K]"]), 4.222099, delta=5e-7)
        row = next(csv.DictReader(io.StringIO(vorn("thermometer", "vapour", "--T", "0.9", "--csv").stdout)))
        self.assertEqual(row["flags"], "outside-scale")
        run = vorn("thermometer", "vapour", "--T", "2", "--P", "3")
        self.assertEqual(run.returncode, 2)
        self.assertIn("exactly one of --T", run.stderr)

    def test_eos_below_lambda_is_he_ii_and_below_0_8_K_points_at_the_saturated_line(self):
        run = vorn("eos", "--T", "1.9", "--P", "1bar")
        self.assertEqual(run.returncode, 0)
        self.assertIn("# phase: He II", run.stdout)
        run = vorn("eos", "--T", "0.7", "--P", "1bar")
        self.assertEqual(run.returncode, 5)
        self.assertIn("he-ii", run.stdout)
        self.assertIn("vorn superfluid", run.stderr)


if __name__ == "__main__":
    TOOL, path = sys.argv[1], sys.argv[2]
    LIB = load_library(path)
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
