"""State flags and strict mode."""

import re

import numpy as np
import pytest

import vorn
from vorn import State, StateError, virial
from vorn._lib import lib

# Bit values of the header's VORN_STATE_* and the library's name for each.
FLAGS = [
    (State.INVALID, 1, "invalid"),
    (State.LIQUID, 2, "liquid"),
    (State.DENSITY_TURNED, 4, "density-turned"),
    (State.SOUND_UNDEFINED, 8, "sound-undefined"),
    (State.ZA_NONPOSITIVE, 16, "za-nonpositive"),
    (State.K_POLE, 32, "k-pole"),
    (State.NU_NEGATIVE, 64, "nu-negative"),
    (State.HEAT_CAPACITY_NONPOSITIVE, 128, "heat-capacity-nonpositive"),
    (State.VIRIAL_DIVERGENT, 256, "virial-divergent"),
    (State.SOUND_DIVERGENT, 512, "sound-divergent"),
    (State.ZA_PRESSURE_FREE, 1024, "za-pressure-free"),
    (State.DENSITY_UNCONVERGED, 2048, "density-unconverged"),
    (State.OUT_OF_RANGE, 4096, "out-of-range"),
    (State.HEAT_CAPACITY_TRUNCATED, 8192, "heat-capacity-truncated"),
    (State.K_DENSE, 16384, "k-dense"),
    (State.NU_DENSE, 32768, "nu-dense"),
]


@pytest.mark.parametrize("flag, bit, name", FLAGS, ids=lambda v: str(v))
def test_flag_bits_match_the_library_names(flag, bit, name):
    assert int(flag) == bit
    assert lib.vorn_state_name(bit).decode() == name
    assert vorn.state_name(flag) == name
    assert name == flag.name.lower().replace("_", "-")


def test_every_flag_is_known_and_nothing_else():
    assert len(State) == len(FLAGS)
    assert vorn.state_name(65536) == "unknown"
    assert vorn.state_name(3) == "unknown"  # one flag at a time


def test_the_members_are_the_library_flags():
    # Built from vorn_state_name over bits 0..31: a flag the library adds needs no change here.
    named = {1 << i: lib.vorn_state_name(1 << i).decode() for i in range(32)}
    assert {int(f): f.name for f in State} == {
        bit: name.upper().replace("-", "_") for bit, name in named.items() if name != "unknown"}
    assert all(vorn._core.DESCRIPTIONS[f] for f in State)


@pytest.mark.parametrize("flag, error", [(2**32 + 1, ValueError), (2**32, ValueError), (-1, ValueError),
                                         (1.9, TypeError), (2.0, TypeError), (True, TypeError), ("2", TypeError),
                                         (None, TypeError)])
def test_state_name_refuses_what_is_no_flag(flag, error):
    with pytest.raises(error):
        vorn.state_name(flag)


def test_state_name_takes_integers_of_any_kind():
    assert vorn.state_name(np.uint32(2)) == vorn.state_name(np.int64(2)) == vorn.state_name(State.LIQUID) == "liquid"
    assert vorn.state_name(2**32 - 1) == "unknown"


def test_state_error_survives_pickling_and_other_processes():
    import pickle
    from concurrent.futures import ProcessPoolExecutor

    with pytest.raises(StateError) as info:
        vorn.density(np.array([[300.0, 20.0], [4.2, 4.0]]), 100.0, strict=True)
    copy = pickle.loads(pickle.dumps(info.value))
    assert type(copy) is StateError and str(copy) == str(info.value)
    assert (copy.flag, copy.flags, copy.index, copy.count) == (State.LIQUID, State.LIQUID | State.SOUND_DIVERGENT | State.DENSITY_UNCONVERGED, (1, 0), 2)
    with ProcessPoolExecutor(max_workers=1) as pool:
        with pytest.raises(StateError, match="LIQUID") as remote:
            pool.submit(vorn.cp, 4.2, 100.0, strict=True).result()
    assert remote.value.flag == State.LIQUID and remote.value.index == ()


# (T K, P kPa, flags that must be set, flags that must not)
STATES = [
    (300.0, 101.325, State(0), ~State(0)),
    (4.2, 100.0, State.LIQUID, State.INVALID),
    (4.2, 90.0, State(0), State.LIQUID),  # saturation pressure at 4.2 K is about 99 kPa
    (6.0, 1e4, State(0), State.LIQUID),  # above the critical point there is no liquid side
    (0.0, 100.0, State.INVALID, State(0)),
    (300.0, -1.0, State.INVALID, State(0)),
    (float("nan"), 1.0, State.INVALID, State(0)),
    (36.38, 0.0, State(0), State.K_POLE),
    (36.3759531, 0.0, State.K_POLE, State(0)),
    (36.3759531 + 1.0999e-3, 0.0, State.K_POLE, State(0)),
    (36.3759531 + 1.1001e-3, 0.0, State(0), State.K_POLE),
    (184.4868300, 0.0, State.K_POLE, State(0)),  # between the upper pole and its zero
    (0.09, 0.0, State.NU_NEGATIVE, State(0)),
    (0.1, 0.0, State(0), State.NU_NEGATIVE),
    (3.0, 500.0, State.LIQUID | State.DENSITY_TURNED, State(0)),
]


@pytest.mark.parametrize("T, P, must, must_not", STATES)
def test_state_flags_at_known_states(T, P, must, must_not):
    flags = vorn.state(T, P)
    assert isinstance(flags, State)
    assert flags & must == must
    assert not flags & must_not


def test_state_arrays_match_scalars():
    T = np.array([[s[0]] for s in STATES])
    P = np.array([s[1] for s in STATES])
    flags = vorn.state(T, P)
    assert flags.shape == (len(STATES), len(STATES)) and flags.dtype == np.uint32
    for i, t in enumerate(T[:, 0]):
        for j, p in enumerate(P):
            assert flags[i, j] == vorn.state(float(t), float(p))
    liquid = (flags & State.LIQUID) != 0
    assert liquid[1, 1] and not liquid[0, 0]


# (function, args, flag named in the error)
STRICT = [
    (vorn.cp, (4.2, 100.0), State.LIQUID),
    (vorn.density, (300.0, -1.0), State.INVALID),
    (vorn.cv, (float("inf"), 1.0), State.INVALID),
    (vorn.heat_capacity_ratio, (3.0, 500.0), State.DENSITY_TURNED),  # the isotherm turns only on the liquid side
    (vorn.compressibility, (3.0, 500.0), State.VIRIAL_DIVERGENT),  # no gas root there
    (vorn.speed_of_sound, (6.0, 1e4), State.SOUND_UNDEFINED),
    (vorn.acoustic_factor, (6.0, 2e3), State.ZA_NONPOSITIVE),
    (vorn.speed_of_sound_acoustic, (6.0, 2e3), State.ZA_NONPOSITIVE),
    (vorn.thermal_conductivity, (36.3759531,), State.K_POLE),
    (vorn.thermal_conductivity, (184.48683, 100.0), State.K_POLE),
    (vorn.viscosity, (0.05,), State.NU_NEGATIVE),
    (virial.D, (-1.0,), State.INVALID),
    (vorn.cp, (4.231552478808347, 71.96856730011514), State.HEAT_CAPACITY_TRUNCATED),  # 3.6 % off the EOS
    (vorn.heat_capacity_ratio, (26.42, 3601.0), State.HEAT_CAPACITY_TRUNCATED),
    (vorn.density, (300.0, 1.5e5), State.OUT_OF_RANGE),
    (vorn.compressibility, (2000.0, 100.0), State.OUT_OF_RANGE),
    (vorn.speed_of_sound_acoustic, (2.1, 1.0), State.OUT_OF_RANGE),
]


@pytest.mark.parametrize("function, args, flag", STRICT, ids=lambda v: getattr(v, "__name__", None))
def test_strict_raises_naming_the_flag(function, args, flag):
    assert vorn.state(*args if len(args) == 2 else (args[0], 0.0)) & flag, "the state table is stale"
    function(*args)  # without strict a number (or NaN) comes back
    with pytest.raises(StateError, match=flag.name) as info:
        function(*args, strict=True)
    assert isinstance(info.value, ValueError)
    assert flag in info.value.flags and info.value.count == 1


def test_strict_passes_clean_states_and_ignores_unrelated_flags():
    T = np.array([4.3, 20.0, 300.0])
    assert np.array_equal(vorn.cp(T, 10.0, strict=True), vorn.cp(T, 10.0))
    # the conductivity pole does not concern the heat capacity
    assert vorn.cp(36.3759531, 100.0, strict=True) == vorn.cp(36.3759531, 100.0)
    assert vorn.viscosity(36.3759531, strict=True) > 0
    # the range of the comparison with the equation of state does not bound the transport correlations
    assert vorn.viscosity(2000.0, 100.0, strict=True) == vorn.viscosity(2000.0, 100.0)
    assert vorn.thermal_conductivity(300.0, 100.0, strict=True) > 0
    with pytest.raises(StateError, match="K_DENSE"):  # a gas cylinder: the low-density form 2.6 times too high
        vorn.thermal_conductivity(300.0, 2e4, strict=True)


def test_strict_error_points_at_the_first_bad_point():
    T = np.array([[300.0, 20.0], [4.2, 4.0]])
    with pytest.raises(StateError) as info:
        vorn.density(T, 100.0, strict=True)
    error = info.value
    assert error.index == (1, 0) and error.count == 2
    assert "T = 4.2 K" in str(error) and "2 of 4 points" in str(error)


# Each property's docstring names exactly the flags its strict mode refuses, the library's own mask.
DOCUMENTED = [
    (vorn.density, "vorn_rho"), (vorn.molar_volume, "vorn_vol"), (vorn.cv, "vorn_cv"), (vorn.cp, "vorn_cp"),
    (vorn.heat_capacity_ratio, "vorn_gamma"), (vorn.speed_of_sound, "vorn_w"), (vorn.compressibility, "vorn_Z"),
    (vorn.acoustic_factor, "vorn_Za_gk"), (vorn.speed_of_sound_acoustic, "vorn_w_gk"),
    (vorn.thermal_conductivity, "vorn_k"), (vorn.viscosity, "vorn_nu"),
]


@pytest.mark.parametrize("function, routine", DOCUMENTED, ids=lambda v: getattr(v, "__name__", v))
def test_docstrings_name_the_flags_strict_refuses(function, routine):
    strict = function.__doc__.split("strict : bool, optional")[1].split("\n\n")[0]
    named = re.findall(r"\b[A-Z][A-Z_]+[A-Z]\b", strict.split(" (with `P`; without it ")[0])
    assert set(named) == {f.name for f in vorn.State if f & vorn.state_mask(routine)}
    assert f'vorn.state_mask("{routine}")' in strict
