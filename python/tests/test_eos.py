"""vorn.eos against the library's own exports and the published check values."""

import math

import numpy as np
import pytest

import vorn
import vorn.eos as eos

M = 0.004002602


def test_check_values_through_the_pair_keywords():
    s = eos.state(T=4.0, rho=32500 * M)
    assert s.P * 1000 == pytest.approx(108646.706, abs=5e-4)
    assert s.w == pytest.approx(195.59129, abs=5e-6)
    assert eos.state(T=300.0, P=101.325).rho == pytest.approx(0.1625156, abs=5e-8)


def test_every_pair_comes_back_to_the_state():
    a = eos.state(T=10.0, P=500.0)
    for kw in ({"T": a.T, "rho": a.rho}, {"P": a.P, "rho": a.rho}, {"P": a.P, "h": a.h}, {"P": a.P, "s": a.s},
               {"T": a.T, "s": a.s}, {"rho": a.rho, "u": a.u}):
        b = eos.state(**kw)
        assert b.T == pytest.approx(10.0, rel=1e-9), kw
        assert b.P == pytest.approx(500.0, rel=1e-9), kw


def test_broadcasting_and_scalars():
    s = eos.state(T=[4.0, 300.0], P=[[50.0], [500.0]])
    assert s.cp.shape == (2, 2) and s.phase.shape == (2, 2)
    assert isinstance(eos.state(T=4.0, P=50.0).cp, float)
    # The array form gives the scalar call's bits.
    assert s.cp[1, 1] == eos.state(T=300.0, P=500.0).cp


def test_two_phase_and_quality():
    m = eos.state(T=4.0, q=0.3)
    assert m.phase == 4 and math.isnan(m.cp)
    assert eos.state(P=m.P, h=m.h).q == pytest.approx(0.3, abs=1e-9)


def test_saturation():
    s = eos.saturation(T=[2.1768, 4.2])
    assert s.P[0] * 1000 == pytest.approx(5039.330380576782, rel=1e-10)
    assert eos.saturation(P=101.325).T == pytest.approx(4.2238068, abs=5e-8)
    assert eos.saturation(P=101.325).h_liquid == pytest.approx(0.0, abs=1e-9)
    assert eos.saturation(T=6.0).flags == 64
    with pytest.raises(eos.EosError):
        eos.saturation(T=[4.0, 6.0], strict=True)


def test_flags_and_strict():
    s = eos.state(T=[0.7, 300.0, 1800.0], P=100.0)  # He II below 0.8 K: no model
    assert eos.flag_names(s.flags[0]) == ["HE_II"] and math.isnan(s.rho[0])
    assert s.flags[1] == 0 and s.flags[2] == 8 and np.isfinite(s.rho[2])
    with pytest.raises(eos.EosError) as error:
        eos.state(T=[300.0, 0.7], P=100.0, strict=True)
    assert error.value.index == (1,) and error.value.count == 1
    eos.state(T=1800.0, P=100.0, strict=True)  # extrapolated is not an error


def test_wrong_keywords():
    with pytest.raises(TypeError):
        eos.state(P=4.0, T=4.0, h=1.0)
    with pytest.raises(TypeError):
        eos.state(T=4.0)
    with pytest.raises(TypeError):
        eos.saturation()


def test_module_is_reachable_from_the_package():
    assert vorn.eos is eos


def test_eos_error_pickles_whole():
    import pickle

    with pytest.raises(eos.EosError) as error:
        eos.state(T=[[300.0, 0.7]], P=100.0, strict=True)
    back = pickle.loads(pickle.dumps(error.value))
    assert (back.flags, back.index, back.count, str(back)) == (2, (0, 1), 1, str(error.value))


def test_diagram_lines_cross_the_dome_at_saturation():
    # The isotherms and isobars of the diagrams join the saturated liquid and vapour of saturation().
    from vorn import _diagrams

    h, P = _diagrams._isotherm(4.0)
    sat = eos.saturation(T=4.0)
    i = int(np.flatnonzero(P == sat.P)[0])
    assert (h[i], h[i + 1]) == (sat.h_vapour, sat.h_liquid)
    assert np.all(np.diff(P[np.isfinite(h)]) >= 0)  # vapour at low P, then liquid: one line, no jump back
    s, T = _diagrams._isobar(100.0)
    sat = eos.saturation(P=100.0)
    j = int(np.flatnonzero(T == sat.T)[0])
    assert (s[j], s[j + 1]) == (sat.s_liquid, sat.s_vapour)
    assert np.all(np.diff(s[np.isfinite(s)]) > 0)  # entropy rises along an isobar


def test_codes_and_struct_fields_follow_the_header():
    # The codes are vorn.h's VORN_EOS_<NAME>, and the ctypes structs its layout:
    # a field out of place would read another's bytes.
    import pathlib
    import re
    header = pathlib.Path(__file__).resolve().parents[2] / "include" / "vorn.h"
    if not header.exists():
        pytest.skip("not a checkout")
    text = header.read_text()
    declared = {m.group(1).lower(): int(m.group(2)) for m in re.finditer(r"#define VORN_EOS_(\w+) (\d+)\s", text)}
    for name, code in eos.CODES.items():
        assert declared[name.lower()] == code, name
    for struct, fields in (("vorn_eos_state", eos._STATE_FIELDS), ("vorn_eos_saturation", eos._SATURATION_FIELDS)):
        body = re.search(r"typedef struct %s \{(.*?)\} %s;" % (struct, struct), text, re.S).group(1)
        body = re.sub(r"/\*.*?\*/", "", body, flags=re.S)
        names = [n for decl in re.findall(r"double ([^;]+);", body) for n in re.split(r"\s*,\s*", decl.strip())]
        assert tuple(names) == fields, struct


def test_transport_fields_value_and_saturation():
    # Liquid, a gas cylinder, a two-phase mixture (no one value there).
    s = eos.state(T=[4.5, 300.0, 4.2], P=[300.0, 20000.0, 100.0], warn=False)
    assert s.viscosity[0] == pytest.approx(3.5e-6, rel=0.03)
    assert s.conductivity[1] == pytest.approx(0.170, rel=0.03)
    m = eos.state(T=4.2, q=0.5)
    assert math.isnan(m.viscosity) and math.isnan(eos.value("prandtl", T=4.2, q=0.5))
    # One value is the state's field, bit for bit, transport or not.
    for name in ("viscosity", "thermal_diffusivity", "cp", "flags"):
        assert eos.value(name, T=[4.5, 300.0], P=[300.0, 20000.0], warn=False)[1] == float(getattr(s, name)[1]), name
    sat = eos.saturation(T=4.2)
    liquid = eos.state(T=4.2, rho=sat.rho_liquid)
    assert sat.viscosity_liquid == pytest.approx(liquid.viscosity, rel=1e-9)
    assert sat.conductivity_vapour < sat.conductivity_liquid
    with pytest.raises(ValueError):
        eos.value("viscosity_liquid", T=4.2, P=100.0)
    with pytest.raises(eos.EosError):
        eos.value("conductivity", T=[300.0, 0.7], P=100.0, strict=True)
