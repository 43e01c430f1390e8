"""docs/accuracy.md is what scripts/accuracy.py writes from the reference values today."""

import os
import subprocess
import sys
from pathlib import Path

import pytest

import vorn
from vorn import reference_data as ref

ROOT = Path(__file__).resolve().parents[2]


def test_reference_values_are_where_the_page_says():
    # The dilute gas at 300 K is the one place every property must agree closely.
    label, T, P, phase, rho, Z, cp, w = ref.STATES[0]
    assert phase == "gas"
    assert vorn.density(T, P) == pytest.approx(rho, rel=1e-5)
    assert vorn.compressibility(T, P) == pytest.approx(Z, rel=1e-5)
    assert vorn.cp(T, P) == pytest.approx(cp, rel=1e-5)
    assert vorn.speed_of_sound(T, P) == pytest.approx(w, rel=1e-5)
    for T, nu, k in ref.DILUTE_TRANSPORT:
        assert vorn.viscosity(T) * 1e6 == pytest.approx(nu, rel=1e-4)
        assert vorn.thermal_conductivity(T) * 1e3 == pytest.approx(k, rel=1e-4)


@pytest.mark.skipif(not (ROOT / "scripts" / "accuracy.py").is_file(), reason="not in a source checkout")
def test_accuracy_page_is_current(tmp_path):
    markdown, chart = tmp_path / "accuracy.md", tmp_path / "accuracy.png"
    env = dict(os.environ, MPLBACKEND="Agg")
    # Every output into tmp_path: the test never rewrites the committed charts.
    result = subprocess.run([sys.executable, str(ROOT / "scripts" / "accuracy.py"), "--markdown", str(markdown),
                             "--chart", str(chart), "--maps", str(tmp_path / "maps.png"),
                             "--transport-maps", str(tmp_path / "transport_maps.png")],
                            env=env, capture_output=True, text=True, timeout=120)
    assert result.returncode == 0, result.stderr
    assert chart.read_bytes().startswith(b"\x89PNG")
    committed = (ROOT / "docs" / "accuracy.md").read_text(encoding="utf-8")
    assert markdown.read_text(encoding="utf-8") == committed, "rerun scripts/accuracy.py and commit docs/"
