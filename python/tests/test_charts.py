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
