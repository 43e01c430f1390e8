"""The two thermometer inversions: reference inversions, convergence reports, strict mode."""

import math

import numpy as np
import pytest

import vorn
from vorn import ConvergenceError, thermometry, virial

# ratio, P kPa, T0 K, P0 kPa -> T K, iterations, converged (the library's documented inversions)
ACOUSTIC = [
    (1.0, 100.0, 273.16, 100.0, 273.16, 1, True),
    (0.01, 0.1, 273.16, 10.0, 2.73362211653, 3, True),
    (0.1, 10.0, 273.16, 100.0, 27.3233161208, 3, True),
    (1.1, 110.0, 273.16, 100.0, 300.480632583, 2, True),
    (0.005, 0.025, 1.5, 5.0, 0.0075, 1, True),
    (0.009745, 0.0357, 200.0, 5.0, 1.9491305, 30, False),  # root within 1 mK of the 1.95 K switch
]


@pytest.mark.parametrize("ratio, P, T0, P0, T, iterations, converged", ACOUSTIC)
def test_acoustic_inversion_reports(ratio, P, T0, P0, T, iterations, converged):
    result = thermometry.acoustic_temperature(ratio, P, T0, P0, full_output=True)
    assert result.temperature == pytest.approx(T, rel=1e-7 if converged else 1e-6)
    assert result.iterations == iterations and result.converged is converged
    assert thermometry.acoustic_temperature(ratio, P, T0, P0) == result.temperature
    if converged and vorn.state(T, P) & (vorn.State.LIQUID | vorn.State.ZA_PRESSURE_FREE) == 0:
        assert thermometry.acoustic_temperature(ratio, P, T0, P0, strict=True) == result.temperature
    elif converged:  # a result at 0.0075 K: converged, but no gas temperature
        with pytest.raises(vorn.StateError):
            thermometry.acoustic_temperature(ratio, P, T0, P0, strict=True)
    else:
        with pytest.raises(ConvergenceError, match="30 iterations"):
            thermometry.acoustic_temperature(ratio, P, T0, P0, strict=True)


def test_acoustic_inversion_arrays_match_the_reports():
    rows = np.array([row[:4] for row in ACOUSTIC])
    plain = thermometry.acoustic_temperature(*rows.T)
    full = thermometry.acoustic_temperature(*rows.T, full_output=True)
    assert plain.tobytes() == full.temperature.tobytes()
    assert full.iterations.tolist() == [row[5] for row in ACOUSTIC]
    assert full.converged.tolist() == [row[6] for row in ACOUSTIC]
    with pytest.raises(ConvergenceError, match=r"index \(5,\)"):
        thermometry.acoustic_temperature(*rows.T, strict=True)


def filled_pressure(T, rho):
    """Pressure (kPa) of gas at molar density rho (mol/m^3) from the virial equation, B, C, D in SI."""
    B, C, D = virial.B(T) * 1e-6, virial.C(T) * 1e-12, virial.D(T) * 1e-18
    return rho * vorn.constants.r * T * (1 + B * rho + C * rho**2 + D * rho**3) / 1000.0


@pytest.mark.parametrize("P0", [10.0, 100.0, 300.0])
def test_gas_thermometer_recovers_the_temperature_it_was_filled_for(P0):
    # Fill a bulb at the triple point of water to P0, cool it: the pressure read follows the
    # virial equation at fixed density, and the inversion must give back the temperature.
    T0 = 273.16
    rho = 1000.0 * P0 / (vorn.compressibility(T0, P0) * vorn.constants.r * T0)
    assert filled_pressure(T0, rho) == pytest.approx(P0, rel=1e-12)
    T = np.array([6.0, 13.8, 24.5, 54.4, 77.0, 150.0, 234.3, 302.9, 600.0])
    P = filled_pressure(T, rho)
    result = thermometry.gas_thermometer_temperature(P, T0, P0, full_output=True)
    assert result.converged.all()
    assert np.allclose(result.temperature, T, rtol=1e-10, atol=0)
    assert np.array_equal(thermometry.gas_thermometer_temperature(P, T0, P0, strict=True), result.temperature)


def test_gas_thermometer_at_its_reference_point_is_exact():
    assert thermometry.gas_thermometer_temperature(100.0, 273.16, 100.0) == pytest.approx(273.16, rel=1e-15)


@pytest.mark.parametrize("P, T0, P0, iterations", [
    (0.0, 273.16, 100.0, 0), (50.0, 0.0, 100.0, 0), (50.0, 273.16, -1.0, 0), (float("nan"), 273.16, 100.0, 0),
    # The filling (15320 mol/m^3) is denser than any gas that shows 50 kPa: no gas root
    # at the ideal-gas start near 0.5 K, and none at any T where T Z(T, P) could match.
    (50.0, 10.0, 1000.0, 34),
])
def test_gas_thermometer_without_a_solution(P, T0, P0, iterations):
    result = thermometry.gas_thermometer_temperature(P, T0, P0, full_output=True)
    assert math.isnan(result.temperature) and result.converged is False
    assert result.iterations == iterations
    with pytest.raises(ConvergenceError, match="gas_thermometer_temperature"):
        thermometry.gas_thermometer_temperature(P, T0, P0, strict=True)


def test_the_two_inversions_differ_as_Z_and_Za_do():
    # Fed the same pressure ratio, the acoustic inversion errs by roughly (Za - Z) at the filling state.
    T0, P0, T = 273.16, 100.0, 20.0
    rho = 1000.0 * P0 / (vorn.compressibility(T0, P0) * vorn.constants.r * T0)
    P = filled_pressure(T, rho)
    gas = thermometry.gas_thermometer_temperature(P, T0, P0)
    acoustic = thermometry.acoustic_temperature(P / P0, P, T0, P0)
    assert gas == pytest.approx(T, rel=1e-10)
    assert abs(acoustic - gas) > 1e-3


def test_thermometry_rejects_non_numbers():
    with pytest.raises(TypeError):
        thermometry.acoustic_temperature("1", 100, 273.16, 100)
    with pytest.raises(TypeError):
        thermometry.gas_thermometer_temperature(100, None, 100, full_output=True)


# (thermometer, arguments, the flag strict names): results that are no valid
# gas temperature, though the iteration converged.
STRICT_STATES = [
    (thermometry.gas_thermometer_temperature, (120.0, 20.0, 1000.0), "LIQUID"),
    (thermometry.acoustic_temperature, (-1.0, 1.0, 100.0, 1.0), "INVALID"),
    (thermometry.acoustic_temperature, (0.1, float("nan"), 100.0, 1.0), "INVALID"),
    (thermometry.acoustic_temperature, (0.0095, 0.03, 200.0, 5.0), "ZA_PRESSURE_FREE"),
]


@pytest.mark.parametrize("function, args, flag", STRICT_STATES)
def test_strict_refuses_results_that_are_no_gas_state(function, args, flag):
    function(*args)  # without strict a number (or NaN) comes back
    with pytest.raises((vorn.StateError, vorn.ConvergenceError)) as info:
        function(*args, strict=True)
    if isinstance(info.value, vorn.StateError):
        assert flag in str(info.value)


def test_strict_passes_clean_gas_results_and_arrays_point_by_point():
    assert thermometry.acoustic_temperature(0.1, 10.0, 273.16, 100.0, strict=True) == pytest.approx(27.3233161208)
    with pytest.raises(vorn.StateError) as info:
        thermometry.gas_thermometer_temperature([500.0, 120.0], 20.0, 1000.0, strict=True)
    assert info.value.index == (1,)
