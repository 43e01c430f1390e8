"""vorn.props, the one call: the library's values in any unit system, inputs
with and without units, flashes that come back, and the bare-pressure warning
on each side of its threshold."""

import math
import warnings

import numpy as np
import pytest

import vorn
from vorn import eos

M = 0.004002602  # kg/mol, the equation's


@pytest.mark.parametrize("name, code, units, factor", [
    ("h", "h", None, 1.0), ("H", "h", "mol", M), ("rho", "rho", "mol", 1 / M), ("volume", "vm", "kg", 1 / M),
    ("Pr", "prandtl", "mol,bar", 1.0), ("joule-thomson", "jt", "MPa", 1e3), ("P", "P", "bar", 1e-2),
    ("dP/drho", "dpdrho", "mol,Pa", 1e3 * M), ("kinematic viscosity", "kinematic_viscosity", None, 1.0),
])
def test_outputs_are_the_library_values_in_the_unit_system(name, code, units, factor):
    T, P = np.array([4.5, 20.0, 300.0]), 300.0  # liquid, supercritical, gas
    units_kpa = vorn.Units.parse(units).kpa
    got = vorn.props(name, T=T, P=P / units_kpa, units=units, family="equation")
    np.testing.assert_array_equal(got, eos.value(code, T=T, P=P) * factor)


def test_inputs_with_units_equal_bare_inputs_in_the_system():
    h_mol = vorn.props("h", T=10.0, P=5.0, units="mol,bar")
    assert vorn.props("T", P=(500, "kPa"), h=(h_mol, "J/mol")) == pytest.approx(10.0, rel=1e-12)
    assert vorn.props("T", P=5.0, h=h_mol, units="mol,bar") == pytest.approx(10.0, rel=1e-12)
    assert vorn.props("rho", T=(-268.65, "C"), P=(1, "atm")) == eos.value("rho", T=4.5, P=101.325)


@pytest.mark.parametrize("T, P", [(5.19, 227.0), (5.2, 228.5), (4.2, 100.0), (2.2, 5.0), (300.0, 1e5)])
def test_flash_round_trips_near_the_critical_point_and_the_lambda_line(T, P):
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", vorn.PressureWarning)
        h, s = vorn.props(["h", "s"], T=T, P=P)
        assert vorn.props("T", P=P, h=h) == pytest.approx(T, rel=1e-9)
        assert vorn.props("T", P=P, s=s) == pytest.approx(T, rel=1e-9)


def test_arrays_broadcast_and_several_outputs_come_back_in_order():
    T, P = np.array([10.0, 20.0, 30.0]), np.array([[100.0], [1000.0]])
    rho, cp = vorn.props(("rho", "cp"), T=T, P=P, family="equation")
    assert rho.shape == cp.shape == (2, 3)
    assert cp[1, 2] == eos.value("cp", T=30.0, P=1000.0)


def test_he_ii_and_solid_give_nan_or_raise_with_strict():
    with pytest.warns(vorn.NaNWarning, match="h: NaN at 1 of 1 points: HE_II"):
        assert math.isnan(vorn.props("h", T=0.7, P=100))  # below 0.8 K: no model of He II
    assert vorn.props("flags", T=14, P=(100, "MPa")) == 4.0  # SOLID
    with pytest.raises(eos.EosError):
        vorn.props("rho", T=0.7, P=100, strict=True)


@pytest.mark.parametrize("kwargs, warns", [
    ({"P": 1e4}, True), ({"P": float(np.nextafter(1e4, 0))}, False), ({"P": [1.0, 2e4]}, True),
    ({"P": 100, "units": "bar"}, True), ({"P": float(np.nextafter(100, 0)), "units": "bar"}, False),
    ({"P": (1e5, "Pa")}, False), ({"P": 1e5, "warn": False}, False), ({"P": 101325, "units": "Pa"}, False),
])
def test_a_bare_pressure_of_10_MPa_or_more_warns(kwargs, warns):
    with warnings.catch_warnings(record=True) as caught:
        warnings.simplefilter("always")
        vorn.props("rho", T=300, **kwargs)
    assert [w.category for w in caught] == ([vorn.PressureWarning] if warns else [])
    if warns:
        assert caught[0].filename == __file__  # points at the caller's line


def test_the_equation_module_warns_by_the_same_rule():
    with pytest.warns(vorn.PressureWarning, match="101325 kPa = 101.325 MPa"):
        eos.state(T=300, P=101325)
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        eos.state(T=300, P=101.325)
        eos.value("rho", T=300, P=101325, warn=False)


@pytest.mark.parametrize("call, error, message", [
    (lambda: vorn.props("enthalpie", T=300, P=100), ValueError, "unknown property 'enthalpie'"),
    (lambda: vorn.props("h", s=300, u=100), TypeError, "pair"),
    (lambda: vorn.props("h", T=300), TypeError, "two inputs"),
    (lambda: vorn.props("h", T=300, P=(1, "mPa")), ValueError, "'mPa' is no unit of pressure"),
    (lambda: vorn.props("h", T=None, P=1), TypeError, "T: None is no temperature"),
    (lambda: vorn.props("h", T=True, P=1), TypeError, "T must be a real number"),
    (lambda: vorn.props("h", T=300, P=[1, False]), TypeError, "P must be a real number"),
    (lambda: vorn.props("h", T=-4.5, P=1), ValueError, "T: -4.5 K; expected a temperature above 0 K"),
    (lambda: vorn.props("h", T=[300, 0.0], P=1), ValueError, "T: 0.0 K; expected a temperature above 0 K"),
    (lambda: vorn.props("h", T="-4.5K", P=1), ValueError, "above 0 K"),
    (lambda: vorn.props("h", T="hot", P=1), ValueError, "T: 'hot' is not a number with a unit"),
    (lambda: vorn.props("h", T=float("inf"), P=1), ValueError, "T: inf K; expected a temperature above 0 K, finite"),
    (lambda: vorn.props("h", T=300, P=[1.0, float("nan")]), ValueError, "P: nan kPa; expected a pressure of 0"),
    (lambda: vorn.props("h", T=300, P="-1bar"), ValueError, "P: -100.0 kPa; expected a pressure of 0 or more"),
    (lambda: vorn.props("h", T=300, P="3 furlong"), ValueError, "'furlong' is no unit of pressure"),
    (lambda: vorn.props("h", T=300, P=1, family="virial"), ValueError, "family"),
    (lambda: vorn.props("cp", T=4.0, q=0.5, strict=True), ValueError, "cp: NaN at 1 of 1 points: no value"),
    (lambda: vorn.props("h", T=(300, "F"), P=1), ValueError, "'F' is no unit of temperature"),
    (lambda: vorn.props("T", P=100, h=(1, "J/lb")), ValueError, "'J/lb' is no unit of h"),
    (lambda: vorn.props("h", T=300, P=1, units="mol,furlong"), ValueError, "'furlong' is not a unit"),
])
def test_bad_input_is_refused_naming_it(call, error, message):
    with pytest.raises(error, match=message):
        call()


def test_help_lists_every_public_submodule():
    import pkgutil
    public = [m.name for m in pkgutil.iter_modules(vorn.__path__) if not m.name.startswith("_")]
    assert public and all(f"vorn.{name}" in vorn.__doc__ for name in public), public


@pytest.mark.parametrize("T, P, same", [
    ("4.5K", "3bar", (4.5, 300.0)), ("4.5 K", (3, "bar"), (4.5, 300.0)), ("-268.65C", "1 atm", (4.5, 101.325)),
    ("4500mK", "3000mbar", (4.5, 300.0)), (4.5, "43.5113psi", (4.5, 43.5113 * 6.894757293168361)),
])
def test_numbers_with_units_are_read_as_the_tool_reads_them(T, P, same):
    assert vorn.props("h", T=T, P=P) == pytest.approx(vorn.props("h", T=same[0], P=same[1]), rel=1e-14)


def test_a_name_both_families_have_follows_the_rule():
    # The liquid at 4.5 K, 3 bar: the equation's cp and density, not the gas series' 289,986 and 272.7.
    cp, rho = vorn.props(["cp", "density"], T=[4.5, 300.0], P="3bar")
    assert (cp[0], rho[0]) == (eos.value("cp", T=4.5, P=300.0), eos.value("rho", T=4.5, P=300.0))
    assert round(cp[0], 1) == 4553.9 and round(rho[0], 2) == 129.31
    with warnings.catch_warnings():
        warnings.simplefilter("error")  # the gas: the correlation's own bits, without a word
        assert (cp[1], rho[1]) == (vorn.cp(300.0, 300.0), vorn.density(300.0, 300.0))
    assert list(vorn.answered_by("cp", T=[4.5, 300.0, 1.9, 0.7], P=300.0)) == [
        "equation", "correlation", "equation", "flagged"]
    # He II: neither family means anything; the flagged value comes with a warning, strict raises.
    with pytest.warns(vorn.StateWarning, match="density: at 1 of 1 points neither family.*HE_II"):
        vorn.props("density", T=0.7, P=100)
    with pytest.raises(eos.EosError):
        vorn.props("density", T=0.7, P=100, strict=True)
    # He II under pressure (a magnet's bath): the equation's family answers, its NaN conductivity too (not the
    # gas correlation's flagged 0.0064 W/(m K)); strict raises there.
    assert vorn.props("density", T=1.9, P=100) == pytest.approx(147.25, abs=0.05)
    assert vorn.answered_by("conductivity", T=1.9, P=100) == "equation"
    with pytest.warns(vorn.NaNWarning, match="conductivity: NaN"):
        assert math.isnan(vorn.props("conductivity", T=1.9, P=100))
    with pytest.raises(ValueError, match="conductivity: NaN"):
        vorn.props("conductivity", T=1.9, P=100, strict=True)
    # In molar units each family's value is converted with its own molar mass, as the tool converts it.
    assert vorn.props("cp", T=300, P=100, units="mol") == vorn.cp(300.0, 100.0) * vorn.constants.m0


def test_a_routine_keeps_its_bits_and_warns_once_where_its_flags_spoil_them():
    with pytest.warns(vorn.StateWarning) as caught:
        value = vorn.cp([4.5, 4.6], 300)
    assert len(caught) == 1 and caught[0].filename == __file__
    assert "LIQUID" in str(caught[0].message) and "vorn.props('cp'" in str(caught[0].message)
    assert value[0] == 289985.89919113537  # the routine's own bits
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        vorn.cp(300.0, 100.0), vorn.viscosity(300.0), vorn.density(20.0, 100.0)


@pytest.mark.parametrize("units, name, factor, unit", [
    ("g,mbar", "h", 1e-3, "J/g"), ("g", "cp", 1e-3, "J/(g K)"), ("kg,psi", "P", 1 / 6.894757293168361, "psi"),
    ("torr", "P", 760 / 101.325, "torr"), ("atm", "P", 1 / 101.325, "atm"),
])
def test_output_units_of_the_shared_table(units, name, factor, unit):
    assert vorn.props(name, T=4.5, P="3bar", units=units) == pytest.approx(
        vorn.props(name, T=4.5, P="3bar") * factor, rel=1e-15)
    assert vorn._props.unit(name, units) == unit


def test_the_default_units_come_from_the_environment(monkeypatch):
    monkeypatch.setenv("VORN_UNITS", "g,mbar")
    assert vorn.props("h", T=4.5, P=3000) == pytest.approx(1.7198, abs=5e-5)  # 3000 mbar, J/g
    monkeypatch.setenv("VORN_UNITS", "furlong")
    with pytest.raises(ValueError, match="'furlong' is not a unit"):
        vorn.props("h", T=4.5, P=3)
