"""The saturated liquid and the ITS-90 vapour scale from Python: broadcasting, strict mode, the library's values."""

import math

import numpy as np
import pytest

import vorn
from vorn import superfluid, thermometry


@pytest.mark.parametrize(
    "name, T, expected, tol",
    [("rho", 2.5, 144.84, 5e-3), ("u2", 2.17, 4.91, 5e-3), ("P", 2.1768, 5.0408, 5e-5), ("rho_s", 1.5, 129.00, 5e-3)],
)
def test_spot_values_scalar_and_broadcast(name, T, expected, tol):
    assert isinstance(superfluid.value(name, T), float)
    assert superfluid.value(name, T) == pytest.approx(expected, abs=tol)
    grid = np.full((2, 3), T)
    out = getattr(superfluid, name)(grid)
    assert out.shape == (2, 3) and np.all(out == superfluid.value(name, T))


def test_strict_mode_and_flags():
    assert math.isnan(superfluid.u2(3.0))
    assert superfluid.flags("u2", [1.5, 3.0, -1.0]).tolist() == [0, superfluid.Flag.OUT_OF_RANGE, superfluid.Flag.BAD_INPUT]
    assert superfluid.flags("c", superfluid.LAMBDA_TEMPERATURE) == superfluid.Flag.AT_LAMBDA
    with pytest.raises(superfluid.SuperfluidError) as error:
        superfluid.u2([1.5, 2.0, 3.0], strict=True)
    assert error.value.index == (2,) and error.value.count == 1
    with pytest.raises(ValueError):
        superfluid.value("density", 1.0)
    with pytest.raises(TypeError):
        superfluid.rho("cold")


def test_its90_scale_round_trip_and_strict():
    T = np.linspace(1.3, 4.9, 37)
    point = thermometry.its90_pressure(T, full_output=True)
    assert np.allclose(thermometry.its90_temperature(point.pressure), T, atol=1e-12, rtol=0)
    assert thermometry.its90_temperature(101.325) == pytest.approx(4.222099, abs=5e-7)
    low = thermometry.its90_pressure(0.9, full_output=True)
    assert low.flags == superfluid.Flag.OUTSIDE_SCALE and low.pressure > 0
    with pytest.raises(superfluid.SuperfluidError):
        thermometry.its90_pressure(0.9, strict=True)
    assert math.isnan(thermometry.its90_pressure(5.1))


def test_eos_below_0_8_K_points_at_the_saturated_line():
    with pytest.raises(vorn.eos.EosError, match="vorn.superfluid"):
        vorn.eos.state(T=0.7, P=100.0, strict=True)


def test_heat_through_he_ii_channels():
    # Peak heat fluxes (kW/m^2) of 1 m and 0.1 m from four baths, broadcast in one call, m = 3.
    q = superfluid.peak_heat_flux([1.6, 1.8, 1.9, 2.0], [[1.0], [0.1]]) / 1e3
    assert np.allclose(q, [[16.5, 15.0, 12.9, 9.4], [35.6, 32.2, 27.8, 20.2]], atol=0.05, rtol=0)
    assert superfluid.heat_conductivity_function(1.8) == pytest.approx(9.917e12, rel=1e-4)
    assert superfluid.heat_conductivity_function(2.5) == 0.0
    # Warm end and heat flux undo each other, the exponent per point.
    m = np.array([3.0, 3.4])
    T_warm = superfluid.channel_warm_end(1.8, 0.5, 1.2e4, m)
    assert np.all((T_warm > 1.8) & (T_warm < superfluid.LAMBDA_TEMPERATURE))
    assert np.allclose(superfluid.channel_heat_flux(1.8, T_warm, 0.5, m), 1.2e4, rtol=1e-11, atol=0)


@pytest.mark.parametrize(
    "call, flag",
    [
        (lambda: superfluid.channel_warm_end(1.8, 1.0, 2e4, strict=True), superfluid.Flag.PAST_LAMBDA),
        (lambda: superfluid.channel_heat_flux(1.8, 2.2, 1.0, strict=True), superfluid.Flag.PAST_LAMBDA),
        (lambda: superfluid.peak_heat_flux(1.8, 0.0, strict=True), superfluid.Flag.BAD_INPUT),
        (lambda: superfluid.channel_warm_end(1.8, 1.0, -1.0, strict=True), superfluid.Flag.BAD_INPUT),
        (lambda: superfluid.peak_heat_flux(1.8, 1.0, 4.5, strict=True), superfluid.Flag.BAD_INPUT),
        (lambda: superfluid.peak_heat_flux(superfluid.LAMBDA_TEMPERATURE, 1.0, strict=True),
         superfluid.Flag.OUT_OF_RANGE),
    ],
)
def test_channel_refusals(call, flag):
    with pytest.raises(superfluid.SuperfluidError) as error:
        call()
    assert error.value.flags == flag


def test_channel_nan_without_strict_and_bad_types():
    assert math.isnan(superfluid.channel_warm_end(1.8, 1.0, 2e4))
    with pytest.raises(TypeError):
        superfluid.peak_heat_flux(1.8, "1 m")


def test_its90_pressure_full_output_puts_the_answer_first():
    point = thermometry.its90_pressure(4.222099, full_output=True)
    assert point[0] == point.pressure == thermometry.its90_pressure(4.222099) and point.temperature == 4.222099
    assert thermometry.its90_temperature(101.325, full_output=True)[0] == thermometry.its90_temperature(101.325)
