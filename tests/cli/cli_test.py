"""The vorn tool, run as a user runs it: each subcommand on reference states,
its CSV and JSON read back and checked bit for bit against the library itself
(loaded with ctypes), and every kind of bad input refused with exit status 2.

Usage: cli_test.py VORN_TOOL LIBVORN [unittest arguments]
"""

import csv
import ctypes
import io
import json
import math
import subprocess
import sys
import unittest

TOOL = LIB = None

D = ctypes.c_double
PD = ctypes.POINTER(D)


def load_library(path):
    lib = ctypes.CDLL(path)
    for name in ["__vorn_MOD_b", "vorn_k0", "vorn_nu0"]:
        getattr(lib, name).argtypes, getattr(lib, name).restype = [PD], D
    for name in ["vorn_cp", "vorn_rho", "vorn_Z", "vorn_w", "vorn_nu", "vorn_k", "vorn_Za_gk"]:
        getattr(lib, name).argtypes, getattr(lib, name).restype = [PD, PD], D
    lib.vorn_state.argtypes, lib.vorn_state.restype = [PD, PD], ctypes.c_uint
    lib.vorn_state_name.argtypes, lib.vorn_state_name.restype = [ctypes.c_uint], ctypes.c_char_p
    IP = ctypes.POINTER(ctypes.c_int)
    lib.vorn_temp_K_report.argtypes, lib.vorn_temp_K_report.restype = [PD, PD, PD, PD, IP, IP], D
    lib.vorn_cvgt_temperature.argtypes, lib.vorn_cvgt_temperature.restype = [PD, PD, PD, IP, IP], D
    return lib


def call(name, *args):
    return getattr(LIB, name)(*[ctypes.byref(D(a)) for a in args])


def flag_names(T, P):
    bits = LIB.vorn_state(ctypes.byref(D(T)), ctypes.byref(D(P)))
    return [LIB.vorn_state_name(1 << i).decode() for i in range(32) if bits >> i & 1]


def vorn(*args):
    return subprocess.run([TOOL, *args], capture_output=True, text=True, timeout=120)


def same(a, b):
    """Bit for bit, NaN equal to NaN."""
    return (math.isnan(a) and math.isnan(b)) or a == b


class StateTest(unittest.TestCase):
    def test_json_matches_the_library_bit_for_bit(self):
        for T, P in [(20.0, 1000.0), (4.2, 100.0), (300.0, 101.325), (2.0, 1.0)]:
            with self.subTest(T=T, P=P):
                run = vorn("state", repr(T), repr(P), "--json")
                self.assertEqual(run.returncode, 0, run.stderr)
                out = json.loads(run.stdout)
                self.assertEqual((out["T"], out["P"]), (T, P))
                props = out["properties"]
                self.assertEqual(len(props), 22)
                for name, routine in [("B", "__vorn_MOD_b"), ("conductivity0", "vorn_k0"), ("viscosity0", "vorn_nu0")]:
                    self.assertEqual(props[name]["exported"], routine)
                    self.assertTrue(same(props[name]["value"], call(routine, T)), name)
                for name, routine in [("cp", "vorn_cp"), ("density", "vorn_rho"), ("Z", "vorn_Z"),
                                      ("sound-speed", "vorn_w"), ("viscosity", "vorn_nu"), ("Za", "vorn_Za_gk")]:
                    value = props[name]["value"]
                    self.assertTrue(same(math.nan if value is None else value, call(routine, T, P)), name)
                self.assertEqual(out["flags"], flag_names(T, P))

    def test_readable_table_has_names_units_and_published_values(self):
        run = vorn("state", "20", "1000")
        self.assertEqual(run.returncode, 0)
        self.assertEqual(run.stderr, "")
        rows = {line.split()[0]: line.split() for line in run.stdout.splitlines()[3:]}
        for name, value, unit, digits in [("cp", 5697.8757, "J/(kg", 4), ("cv", 3129.1324, "J/(kg", 4),
                                          ("density", 24.185122, "kg/m^3", 6), ("sound-speed", 275.07690, "m/s", 5),
                                          ("B", -2.743518647, "cm^3/mol", 9)]:
            with self.subTest(name=name):
                self.assertAlmostEqual(float(rows[name][1]), value, digits)
                self.assertEqual(rows[name][2], unit)

    def test_a_warning_for_every_flag_set(self):
        for T, P in [(4.2, 100.0), (0.001, 100.0), (-5.0, 100.0), (20.0, 1000.0)]:
            with self.subTest(T=T, P=P):
                run = vorn("state", repr(T), repr(P))
                self.assertEqual(run.returncode, 0)
                warned = [line.split(":")[2].strip() for line in run.stderr.splitlines()]
                self.assertEqual(warned, flag_names(T, P))
                self.assertTrue(all(line.startswith("vorn: warning: ") for line in run.stderr.splitlines()))


class TableTest(unittest.TestCase):
    def read_csv(self, *args):
        run = vorn("table", *args, "--csv")
        self.assertEqual(run.returncode, 0, run.stderr)
        rows = list(csv.reader(io.StringIO(run.stdout)))
        return rows[0], [[float(x) for x in row] for row in rows[1:]], run.stderr

    def test_range_and_list_every_point_bit_for_bit(self):
        header, rows, _ = self.read_csv("cp", "--T", "2:300:0.5", "--P", "100,1000")
        self.assertEqual(header, ["T [K]", "P [kPa]", "cp [J/(kg K)]"])
        self.assertEqual(len(rows), 2 * 597)
        self.assertEqual((rows[0][0], rows[596][0], rows[597][1]), (2.0, 300.0, 1000.0))
        for T, P, value in rows:
            self.assertTrue(same(value, call("vorn_cp", T, P)), (T, P))

    def test_names_readable_exported_and_any_case_agree(self):
        outputs = {vorn("table", name, "--T", "10,20", "--P", "50", "--csv").stdout.split("\n", 1)[1]
                   for name in ["viscosity", "nu", "vorn_nu", "VISCOSITY"]}
        self.assertEqual(len(outputs), 1)

    def test_property_of_T_alone_has_no_pressure_column(self):
        header, rows, _ = self.read_csv("__vorn_MOD_b", "--T", "300:100:-100")
        self.assertEqual(header, ["T [K]", "B [cm^3/mol]"])
        self.assertEqual([r[0] for r in rows], [300.0, 200.0, 100.0])
        self.assertEqual(rows[0][1], call("__vorn_MOD_b", 300.0))

    def test_descending_and_inexact_steps_reach_the_stop(self):
        for range_text, expected in [("0:0.3:0.1", [0.0, 0.1, 0.2, 0.3]), ("5:5:1", [5.0]), ("1:2:0.4", [1.0, 1.4, 1.8]),
                               ("+3,1e1", [3.0, 10.0])]:
            with self.subTest(range_text=range_text):
                _, rows, _ = self.read_csv("k0", "--T", range_text)
                self.assertEqual([r[0] for r in rows], expected)

    def test_readable_table(self):
        run = vorn("table", "density", "--T", "4,300", "--P", "100")
        lines = run.stdout.splitlines()
        self.assertEqual(lines[0], "# density: density (vorn_rho)")
        self.assertEqual(lines[1].split(), ["T", "[K]", "P", "[kPa]", "density", "[kg/m^3]"])
        self.assertEqual(len(lines), 4)

    def test_flags_that_spoil_the_property_are_counted_on_stderr(self):
        for args, warnings in [
            (["cp", "--T", "2:4:1", "--P", "100"],
             ["liquid at 3 of 3 points", "density-turned at 1 of 3 points", "virial-divergent at 2 of 3 points",
              "density-unconverged at 3 of 3 points"]),
            (["viscosity0", "--T", "100,200"], []),
            (["viscosity0", "--T", "0.05,1"], ["nu-negative at 1 of 2 points"]),
            (["k0", "--T", "36.3759531,50"], ["k-pole at 1 of 2 points"]),
            # A pole of k0 spoils k, not the viscosity at the same temperature.
            (["viscosity", "--T", "36.3759531", "--P", "1"], []),
            (["B", "--T", "-1,1"], ["invalid at 1 of 2 points"]),
        ]:
            with self.subTest(args=args):
                _, _, stderr = self.read_csv(*args)
                got = [line.removeprefix("vorn: warning: ").split(": ")[0] for line in stderr.splitlines()]
                self.assertEqual(got, warnings, stderr)


class ThermometerTest(unittest.TestCase):
    def acoustic(self, ratio, P, T0, P0):
        return vorn("thermometer", "acoustic", "--ratio", ratio, "--P", P, "--T0", T0, "--P0", P0, "--json")

    def test_acoustic_reference_rows(self):
        for ratio, P, T0, P0, T, iterations in [("1", "100", "273.16", "100", 273.16, 1),
                                                ("0.01", "0.1", "273.16", "10", 2.73362211653, 3),
                                                ("0.1", "10", "273.16", "100", 27.3233161208, 3),
                                                ("1.1", "110", "273.16", "100", 300.480632583, 2),
                                                ("0.005", "0.025", "1.5", "5", 0.0075, 1)]:
            with self.subTest(ratio=ratio):
                run = self.acoustic(ratio, P, T0, P0)
                self.assertEqual(run.returncode, 0, run.stderr)
                out = json.loads(run.stdout)
                self.assertAlmostEqual(out["T"], T, places=9)
                self.assertEqual((out["iterations"], out["converged"]), (iterations, True))

    def test_acoustic_not_converged_exits_3_with_the_last_iterate(self):
        run = vorn("thermometer", "acoustic", "--ratio", "0.009745", "--P", "0.0357", "--T0", "200", "--P0", "5")
        self.assertEqual(run.returncode, 3)
        self.assertRegex(run.stdout, r"^T = 1\.9491\d+ K after 30 iterations \(NOT converged\)\n$")
        self.assertEqual(len(run.stderr.splitlines()), 1)
        self.assertIn("did not meet its tolerance", run.stderr)
        out = json.loads(self.acoustic("0.009745", "0.0357", "200", "5").stdout)
        self.assertEqual((out["iterations"], out["converged"]), (30, False))

    def test_gas_matches_the_library(self):
        run = vorn("thermometer", "gas", "--P", "10", "--T0", "273.16", "--P0", "100", "--json")
        self.assertEqual(run.returncode, 0, run.stderr)
        out = json.loads(run.stdout)
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

    def test_help_and_version(self):
        self.assertEqual(vorn("--help").returncode, 0)
        self.assertEqual(vorn("--version").stdout.strip(), "vorn 1.0.0")


class BadInputTest(unittest.TestCase):
    CASES = [
        # (arguments, what the one-line message must say)
        (["table", "cp", "--T", "abc", "--P", "1"], "--T: 'abc' is not a number"),
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
        (["table", "enthalpy", "--T", "1", "--P", "1"], "PROPERTY: unknown property 'enthalpy'"),
        (["table", "vorn_cp_n", "--T", "1", "--P", "1"], "PROPERTY: unknown property 'vorn_cp_n'"),
        (["table", "cp", "--T", "1"], "--P: missing"),
        (["table", "k0", "--T", "1", "--P", "1"], "--P: conductivity0 depends on T alone"),
        (["table", "cp", "--P", "1"], "--T is required"),
        (["table"], "PROPERTY is required"),
        (["state", "20"], "P is required"),
        (["state", "x", "100"], "T: 'x' is not a number"),
        (["state", "20", "100", "--csv"], "--csv"),
        (["thermometer"], "thermometer: missing KIND"),
        (["thermometer", "acoustic", "--P", "1", "--T0", "1", "--P0", "1"], "--ratio is required"),
        (["thermometer", "gas", "--P", "1", "--T0", "one", "--P0", "1"], "--T0: 'one' is not a number"),
        (["thermometer", "gas", "--P", "1", "--T0", "1"], "--P0 is required"),
        (["frobnicate"], "frobnicate"),
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


if __name__ == "__main__":
    TOOL, path = sys.argv[1], sys.argv[2]
    LIB = load_library(path)
    unittest.main(argv=[sys.argv[0], *sys.argv[3:]], verbosity=2)
