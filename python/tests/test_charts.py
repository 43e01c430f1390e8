"""The chart command writes every chart as a non-empty PNG."""

import os
import subprocess
import sys

from vorn.charts import CHARTS

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"


def test_chart_command_writes_every_png(tmp_path):
    outdir = tmp_path / "charts" / "nested"  # created by the command
    env = dict(os.environ, MPLBACKEND="Agg")
    result = subprocess.run([sys.executable, "-m", "vorn.charts", str(outdir)], env=env,
                            capture_output=True, text=True, timeout=240)
    assert result.returncode == 0, result.stderr
    assert result.stderr == ""  # no warnings from the data or matplotlib
    written = sorted(p.name for p in outdir.iterdir())
    assert written == sorted(CHARTS)
    for name in written:
        data = (outdir / name).read_bytes()
        assert data.startswith(PNG_SIGNATURE) and len(data) > 20_000, name
    assert result.stdout.split() == [str(outdir / name) for name in CHARTS]


def test_chart_command_usage_error():
    result = subprocess.run([sys.executable, "-m", "vorn.charts"], capture_output=True, text=True, timeout=60)
    assert result.returncode == 2 and "outdir" in result.stderr


def test_cold_edge_of_the_diagrams_is_liquid():
    # The lambda and melting lines are drawn through the states on them; a step warmer than the lambda
    # line is vapour near the lower lambda point (the saturation line is a few mK away), which once drew
    # a false line across the foot of the dome.
    import numpy as np

    from vorn import _diagrams, eos

    T, P, which = _diagrams._coldest_fluid(2.0e6)
    edge = _diagrams._edge_state(T, P)
    assert np.all(np.isfinite(edge.h)) and set(np.unique(edge.phase)) <= {1, 3}  # liquid or supercritical
    T_cross, P_cross = _diagrams._lambda_meets_melting()
    assert abs(T_cross - 1.7673) < 1e-4 and abs(P_cross - 3013.4) < 0.5  # at the upper lambda point
    # just beyond each line: He II under pressure (no flag of 2 or 4), then solid where a step
    # colder than the lambda line crosses the melting line too (at the upper lambda point)
    for side in (0, 1):
        T_out, P_out = T[which == side] * (1 - 1e-6), P[which == side]
        expected = np.where(P_out > _diagrams.melting_pressure(T_out), 4, 0)
        assert np.all(eos.state(T=T_out, P=P_out).flags & 6 == expected)
