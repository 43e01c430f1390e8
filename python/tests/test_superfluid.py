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


def test_eos_below_lambda_points_at_the_saturated_line():
    with pytest.raises(vorn.eos.EosError, match="vorn.superfluid"):
        vorn.eos.state(T=1.9, P=100.0, strict=True)


def test_its90_pressure_full_output_puts_the_answer_first():
    point = thermometry.its90_pressure(4.222099, full_output=True)
    assert point[0] == point.pressure == thermometry.its90_pressure(4.222099) and point.temperature == 4.222099
    assert thermometry.its90_temperature(101.325, full_output=True)[0] == thermometry.its90_temperature(101.325)
