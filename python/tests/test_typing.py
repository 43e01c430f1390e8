"""The package's type hints check under mypy --strict, and every public name has a numpydoc docstring."""

import inspect
import subprocess
import sys
from pathlib import Path

import pytest

import vorn
from vorn import charts, constants, eos, thermometry, virial

PYTHON_DIR = Path(vorn.__file__).resolve().parents[1]
MODULES = {"vorn": vorn, "vorn.virial": virial, "vorn.thermometry": thermometry, "vorn.constants": constants,
           "vorn.charts": charts, "vorn.eos": eos}

# Checks not asked of every docstring: an extended summary (ES01), See Also (SA01), the opening and
# closing quotes' lines (GL01, GL02), a summary in the infinitive (SS05). Examples (EX01) are asked
# of all but the chart drawers.
NOT_ASKED = {"ES01", "SA01", "GL01", "GL02", "SS05"}


def _public():
    for module_name, module in MODULES.items():
        for name in module.__all__:
            obj = getattr(module, name)
            if inspect.isfunction(obj) or (inspect.isclass(obj) and not issubclass(obj, int)):
                yield f"{module_name}.{name}", obj


@pytest.mark.parametrize("name, obj", list(_public()), ids=[name for name, _ in _public()])
def test_numpydoc(name, obj):
    validate = pytest.importorskip("numpydoc.validate").validate
    not_asked = NOT_ASKED | ({"EX01"} if name.startswith("vorn.charts") or inspect.isclass(obj) else set())
    errors = [f"{code}: {message}" for code, message in validate(name)["errors"] if code not in not_asked]
    assert not errors, f"{name}: " + "; ".join(errors)


def test_every_public_function_is_annotated():
    for name, obj in _public():
        if not inspect.isfunction(obj):
            continue
        hints = obj.__annotations__
        parameters = [p for p in inspect.signature(obj).parameters.values() if p.kind is not p.VAR_KEYWORD]
        assert "return" in hints, name
        assert all(p.name in hints for p in parameters), name


def test_mypy_strict():
    pytest.importorskip("mypy")
    result = subprocess.run([sys.executable, "-m", "mypy", "--no-incremental", "--config-file", "pyproject.toml"],
                            cwd=PYTHON_DIR, capture_output=True, text=True, timeout=600)
    assert result.returncode == 0, result.stdout + result.stderr


def test_py_typed_marker():
    assert (Path(vorn.__file__).parent / "py.typed").is_file()
