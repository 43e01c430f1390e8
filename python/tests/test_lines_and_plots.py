"""The lambda, melting and saturation lines, and charts of one's own rendered with Agg: the curves drawn are
the values vorn.props gives, on each side of the lines' ends."""

import math
import subprocess
import sys
import warnings

import numpy as np
import pytest

import vorn
from vorn import eos, superfluid

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def test_the_lines_meet_at_the_lambda_point_and_the_he_ii_flags():
    # The lambda line starts at the saturated vapour (2.1768 K) and ends on the melting line (about 1.76 K).
    assert eos.lambda_temperature(5.0422) == pytest.approx(2.1768, abs=2e-4)
    T_upper = eos.lambda_temperature(2900.0)
    assert 1.76 < T_upper < 1.8 and eos.melting_pressure(T_upper) > 2900.0
    # Just inside and outside the line: He II on the cold side (near the line), He I on the warm side.
    T = eos.lambda_temperature(100.0)
    below, above = np.nextafter(T, 0) - 1e-9, np.nextafter(T, 3) + 1e-9
    cold, warm = eos.state(T=below, P=100.0), eos.state(T=above, P=100.0)
    assert (cold.phase, cold.flags, warm.phase, warm.flags) == (5, 512, 1, 0)
    assert eos.melting_pressure("1.5K") == eos.melting_pressure((1500, "mK")) == eos.melting_pressure(1.5)


def test_the_saturation_line_is_the_bath_below_lambda_and_the_equation_above():
    T = np.array([1.5, 2.1767, 2.1769, 4.2])
    P = eos.saturation_pressure(T)
    assert list(P) == [eos.saturation(T=t).P for t in T]
    assert P[2] == pytest.approx(P[1], rel=1e-3)  # the two meet at the lambda point
    # Where He II and its vapour split, below the bath (1.0 K) too: a hair above the line He II, below not.
    for t in [1.0, 1.8]:
        p = eos.saturation_pressure(t)
        assert eos.state(T=t, P=p * (1 + 1e-9)).phase == 5
        assert eos.state(T=t, P=p * (1 - 1e-9), warn=False).phase != 5


@pytest.mark.parametrize("call", [lambda: eos.lambda_temperature(1.0), lambda: eos.lambda_temperature(4000.0),
                                  lambda: eos.saturation_pressure(5.3)])
def test_outside_a_line_nan_warns_and_strict_raises(call):
    with pytest.warns(vorn.NaNWarning, match=r"[TP] outside \d"):
        assert math.isnan(call())


def test_bad_input_to_a_line_is_refused():
    with pytest.raises(ValueError, match="above 0 K"):
        eos.melting_pressure(-1.0)
    with pytest.raises(TypeError):
        eos.lambda_temperature(None)
    with pytest.raises(ValueError):
        eos.lambda_temperature(1.0, strict=True)


def test_isobars_draw_the_values_of_props(tmp_path):
    fig = vorn.plot("cp", T="2.5:10:0.5", P=["1bar", "3bar"], units="g,mbar")
    ax = fig.axes[0]
    assert [line.get_label() for line in ax.get_lines()] == ["P = 1000 mbar", "P = 3000 mbar"]
    assert ax.get_ylabel() == "cp [J/(g K)]"
    x, y = ax.get_lines()[1].get_data()
    assert x[0] == 2.5 and x[-1] == 10.0 and len(x) == 16
    np.testing.assert_array_equal(y, vorn.props("cp", T=x, P=(300, "kPa"), units="g"))
    fig.savefig(tmp_path / "cp.png")
    assert (tmp_path / "cp.png").read_bytes().startswith(PNG_SIGNATURE)


def test_isotherms_and_the_correlation_family_leave_gaps_where_flagged():
    fig = vorn.plot("density", T=[4.5, 20.0], P="10:500:10", family="correlation")
    liquid = fig.axes[0].get_lines()[0].get_ydata()
    assert np.isnan(liquid[-1]) and not np.isnan(liquid[0])  # 4.5 K: the gas up to its vapour pressure only


def test_along_saturation_he_ii_included():
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        fig = vorn.plot("density", T="1.5:5:0.5", saturation=True)
    liquid, vapour = (line.get_ydata() for line in fig.axes[0].get_lines())
    assert liquid[0] == superfluid.rho(1.5) and np.isnan(vapour[0])
    assert liquid[-1] == eos.saturation(T=5.0).rho_liquid


def test_the_chart_command_draws_ones_own(tmp_path):
    out = tmp_path / "viscosity.png"
    run = subprocess.run([sys.executable, "-m", "vorn.charts", "--plot", "viscosity", "--T", "3:300:1", "--P",
                          "1bar,10bar", "-o", str(out)], capture_output=True, text=True, timeout=120)
    assert run.returncode == 0, run.stderr
    assert out.read_bytes().startswith(PNG_SIGNATURE)
    run = subprocess.run([sys.executable, "-m", "vorn.charts", "--plot", "viscosity", "--T", "3:1:1", "--P", "1",
                          "-o", str(out)], capture_output=True, text=True, timeout=120)
    assert run.returncode == 2 and "expected a range" in run.stderr
