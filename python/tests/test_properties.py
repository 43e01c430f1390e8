"""Property functions: reference values, broadcasting, scalar and array paths, input checking."""

import math
from fractions import Fraction

import numpy as np
import pytest

import vorn
from vorn import virial

# (function, T K, P kPa or None, expected, relative tolerance): the library's
# reference values, each to the digits it is documented with.
REFERENCE = [
    (virial.B, 4.2, None, -80.08820499, 1e-9),
    (virial.dB, 20.0, None, 1.003465368, 1e-9),
    (virial.d2B, 300.0, None, -4.548913505e-06, 1e-9),
    (virial.C, 100.0, None, 164.8455226, 1e-9),
    (virial.dC, 4.2, None, -69.99610667, 1e-9),
    (virial.d2C, 20.0, None, 1.153823626, 1e-9),
    (virial.D, 300.0, None, 687.3752715, 1e-9),
    (virial.dD, 100.0, None, -9.837584693, 1e-9),
    (virial.d2D, 4.2, None, -32598.44292, 1e-9),
    (vorn.density, 20.0, 1000.0, 24.185122, 1e-7),
    (vorn.molar_volume, 300.0, 101.325, 0.024629019, 1e-7),
    (vorn.cv, 300.0, 101.325, 3116.1381, 1e-7),
    (vorn.cp, 20.0, 1000.0, 5697.8757, 1e-7),
    (vorn.heat_capacity_ratio, 4.2, 100.0, 2.4647142, 1e-7),
    (vorn.speed_of_sound, 300.0, 101.325, 1019.5855, 1e-7),
    (vorn.acoustic_factor, 300.0, 10000.0, 1.087816188, 1e-9),
    (vorn.speed_of_sound_acoustic, 273.16, 100.0, 972.9511221, 1e-9),
    (vorn.thermal_conductivity, 77.0, None, 0.06300239474, 1e-9),
    (vorn.thermal_conductivity, 77.0, 1000.0, 0.06428284590, 1e-9),
    (vorn.viscosity, 4.2, None, 1.033711243e-06, 1e-9),
    (vorn.viscosity, 300.0, 1000.0, 2.000377403e-05, 1e-9),
]

TP_FUNCTIONS = [
    vorn.density, vorn.molar_volume, vorn.cv, vorn.cp, vorn.heat_capacity_ratio, vorn.speed_of_sound,
    vorn.compressibility, vorn.acoustic_factor, vorn.speed_of_sound_acoustic,
    vorn.thermal_conductivity, vorn.viscosity,
]
T_FUNCTIONS = [virial.B, virial.dB, virial.d2B, virial.C, virial.dC, virial.d2C, virial.D, virial.dD, virial.d2D]

# States across every regime, the awkward ones included: thresholds of the
# correlation, the pole of D, liquid, NaN, infinities, zero and negative input.
T_GRID = np.array([0.05, 1.5, 1.95, np.nextafter(1.95, 3), 2.180066, 2.6, 4.2, 20.0, np.nextafter(20.0, 21),
                   36.376, 77.0, 184.487, 300.0, 1e4, 0.0, -5.0, np.nan, np.inf])
P_GRID = np.array([0.0, 0.1, 10.0, 100.0, 1000.0, 1e4, -1.0, np.nan])


def same_bits(a, b):
    """Bit equality, except that a NaN matches any NaN: the sign of a NaN made
    from two NaN operands depends on operand order, which compilers may swap."""
    a, b = np.asarray(a), np.asarray(b)
    both_nan = np.isnan(a) & np.isnan(b)
    return a.shape == b.shape and bool(np.all((a.view(np.uint64) == b.view(np.uint64)) | both_nan))


def call(function, T, P):
    return function(T) if P is None else function(T, P)


@pytest.mark.parametrize("function, T, P, expected, rtol", REFERENCE, ids=lambda v: getattr(v, "__name__", None))
def test_reference_values(function, T, P, expected, rtol):
    got = call(function, T, P)
    assert type(got) is float
    assert got == pytest.approx(expected, rel=rtol)


def test_true_compressibility_differs_from_acoustic_factor():
    # Z - 1 follows B p/(RT); Za - 1 follows the acoustic coefficient, about twice as large at 300 K.
    Z = vorn.compressibility(300.0, 101.325)
    Za = vorn.acoustic_factor(300.0, 101.325)
    B = virial.B(300.0) * 1e-6
    assert Z - 1 == pytest.approx(B * 101325.0 / (vorn.constants.r * 300.0), rel=1e-3)
    assert (Za - 1) / (Z - 1) == pytest.approx(1.85, rel=0.05)


def test_density_and_compressibility_agree_in_the_dilute_gas():
    T, P = np.array([77.0, 300.0]), 10.0
    Z = P * 1000.0 / (vorn.density(T, P) / vorn.constants.m0 * vorn.constants.r * T)
    assert np.allclose(Z, vorn.compressibility(T, P), rtol=1e-9)


# Each function and the library's scalar routine it must agree with bit for bit.
SCALAR_ROUTINES = {
    vorn.density: "vorn_rho", vorn.molar_volume: "vorn_vol", vorn.cv: "vorn_cv", vorn.cp: "vorn_cp",
    vorn.heat_capacity_ratio: "vorn_gamma", vorn.speed_of_sound: "vorn_w", vorn.compressibility: "vorn_Z",
    vorn.acoustic_factor: "vorn_Za_gk", vorn.speed_of_sound_acoustic: "vorn_w_gk",
    vorn.thermal_conductivity: "vorn_k", vorn.viscosity: "vorn_nu",
}


@pytest.mark.parametrize("function", TP_FUNCTIONS, ids=lambda f: f.__name__)
def test_scalars_are_the_library_scalar_routine_bit_for_bit(function):
    from ctypes import byref, c_double
    from vorn._lib import lib

    routine = getattr(lib, SCALAR_ROUTINES[function])
    with np.errstate(all="ignore"):
        for t in T_GRID:
            for p in P_GRID:
                assert same_bits(function(float(t), float(p)), routine(byref(c_double(t)), byref(c_double(p))))


def test_a_scalar_zero_pressure_and_an_array_of_zeros_agree():
    # Once the scalar 0 took the zero-pressure routine and the array the pressure routine: at 1e-150 K they differ.
    for function in (vorn.thermal_conductivity, vorn.viscosity):
        for T in (1e-150, 4.2, 300.0):
            assert same_bits(function(T, 0), function(T, np.zeros(1))[0])
            assert same_bits(function(T, 0.0), function(np.array([T]), 0)[0])


@pytest.mark.parametrize("function", TP_FUNCTIONS, ids=lambda f: f.__name__)
def test_scalar_and_array_agree_bit_for_bit(function):
    P_grid = P_GRID
    Tg, Pg = np.meshgrid(T_GRID, P_grid, indexing="ij")
    with np.errstate(all="ignore"):
        array = function(Tg, Pg)
        scalars = np.array([[function(float(t), float(p)) for p in P_grid] for t in T_GRID])
    assert array.shape == Tg.shape
    assert same_bits(array, scalars)


@pytest.mark.parametrize("function", T_FUNCTIONS + [vorn.thermal_conductivity, vorn.viscosity],
                         ids=lambda f: f.__name__)
def test_scalar_and_array_agree_bit_for_bit_in_T(function):
    array = function(T_GRID)
    scalars = np.array([function(float(t)) for t in T_GRID])
    assert same_bits(array, scalars)


@pytest.mark.parametrize("function, name", [(vorn.thermal_conductivity, "vorn_k0"), (vorn.viscosity, "vorn_nu0")])
def test_zero_pressure_default_is_the_zero_pressure_routine(function, name):
    from ctypes import byref, c_double
    from vorn._lib import lib

    for T in (2.0, 36.3759531, 300.0):
        assert function(T) == function(T, None) == getattr(lib, name)(byref(c_double(T)))
        assert function(T, 0) == function(T, 0.0)
    # An explicit array of zeros goes through the pressure routine, which gives the same bits.
    assert function(np.array([4.2, 300.0]), np.zeros(2)).tobytes() == function(np.array([4.2, 300.0])).tobytes()


@pytest.mark.parametrize(
    "T_shape, P_shape, out_shape",
    [((), (3,), (3,)), ((4, 1), (3,), (4, 3)), ((2, 3, 4), (), (2, 3, 4)), ((1, 5), (5, 1), (5, 5)),
     ((0,), (), (0,)), ((0, 3), (3,), (0, 3)), ((1,), (), (1,)), ((1,), (1,), (1,))],
)
def test_broadcast_shapes(T_shape, P_shape, out_shape):
    T = np.full(T_shape, 20.0) if T_shape else 20.0
    P = np.full(P_shape, 1000.0) if P_shape else 1000.0
    out = vorn.cp(T, P)
    assert isinstance(out, np.ndarray) and out.dtype == np.float64 and out.shape == out_shape
    assert np.all(out == vorn.cp(20.0, 1000.0))


def test_strided_integer_and_float32_inputs():
    T = np.arange(2.0, 400.0, 0.5)[::3]  # a non-contiguous view
    P = np.arange(T.size, dtype=np.int32) * 10  # integers
    assert vorn.cp(T, P).tobytes() == vorn.cp(T.copy(), P.astype(float)).tobytes()
    T32 = np.array([20.0, 300.0], dtype=np.float32)
    assert np.array_equal(vorn.density(T32, 100), vorn.density(T32.astype(float), 100.0))
    assert vorn.cp(Fraction(20), 1000) == vorn.cp(20.0, 1000.0)
    assert vorn.cp([20, 300], [[1000], [100]]).shape == (2, 2)


def test_empty_arrays_give_empty_results():
    for function in T_FUNCTIONS:
        assert function(np.array([])).shape == (0,)
    for function in TP_FUNCTIONS:
        assert function([], 100.0).shape == (0,)
    assert vorn.state([], 1.0).shape == (0,)
    assert vorn.thermometry.acoustic_temperature([], 1, 273.16, 100).shape == (0,)
    assert vorn.thermometry.gas_thermometer_temperature([], 273.16, 100).shape == (0,)


def test_inputs_are_not_written():
    T = np.array([4.2, 20.0, 300.0])
    P = np.array([100.0, 1000.0, 101.325])
    before = (T.copy(), P.copy())
    vorn.cp(T, P, strict=False)
    vorn.state(T, P)
    assert np.array_equal(T, before[0]) and np.array_equal(P, before[1])


@pytest.mark.parametrize("bad", ["300", b"300", None, [1.0, "x"], {"T": 1}, object(), True, 1 + 2j,
                                 np.array(["a"]), [[1.0, 2.0], [3.0]], [True, 300.0], (300.0, np.True_),
                                 [[300.0], [False]], np.array([True, False]), np.True_])
def test_non_numeric_input_raises_type_error(bad):
    with pytest.raises(TypeError, match="T must be a real number"):
        vorn.cp(bad, 100.0)
    with pytest.raises(TypeError):
        vorn.cp(300.0, bad)
    with pytest.raises(TypeError):
        virial.B(bad)


def test_mismatched_shapes_raise_value_error():
    with pytest.raises(ValueError):
        vorn.cp(np.ones(3), np.ones(4))


def test_nan_and_infinity_pass_through_without_strict():
    assert math.isnan(vorn.cp(float("nan"), 100.0))
    assert math.isnan(vorn.viscosity(0.0))
    assert math.isnan(vorn.compressibility(2.5, 50.0))  # the isotherm turns before it reaches 50 kPa


def test_threads_get_the_same_bits():
    # ctypes lets go of the GIL during each call: the library runs on several threads at once.
    from concurrent.futures import ThreadPoolExecutor

    T = np.geomspace(2.0, 500.0, 20000)
    expected = vorn.speed_of_sound_acoustic(T, 100.0).tobytes()
    with ThreadPoolExecutor(max_workers=4) as pool:
        results = list(pool.map(lambda _: vorn.speed_of_sound_acoustic(T, 100.0).tobytes(), range(16)))
    assert all(r == expected for r in results)
