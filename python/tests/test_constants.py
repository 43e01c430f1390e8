"""The module constants, read and written in the loaded library."""

import struct

import pytest

import vorn
from vorn import constants


@pytest.fixture(autouse=True)
def restore():
    yield
    constants.reset()


def test_initial_values():
    assert constants.as_dict() == {"g0": 1.666666666666667, "m0": 0.00400260325413,
                                   "pi": 3.141592653589793, "r": 8.3144598}
    # g0 is one unit in the last place above 5/3, not 5/3.
    bits = struct.unpack("<q", struct.pack("<d", constants.g0))[0]
    assert bits - struct.unpack("<q", struct.pack("<d", 5.0 / 3.0))[0] == 1


@pytest.mark.parametrize("name, value", [("r", 8.314462618), ("m0", 0.004002602), ("g0", 5.0 / 3.0), ("pi", 3.0)])
def test_round_trip(name, value):
    setattr(constants, name, value)
    assert getattr(constants, name) == value
    assert vorn._lib.lib.constants[name].value == value  # the library's own double
    constants.reset()
    assert getattr(constants, name) == constants.defaults[name]


def test_results_follow_the_constants():
    cp, w, B = vorn.cp(300.0, 100.0), vorn.speed_of_sound_acoustic(300.0, 100.0), vorn.virial.B(300.0)
    constants.r = 2 * constants.defaults["r"]
    assert vorn.cp(300.0, 100.0) == pytest.approx(2 * cp, rel=1e-4)
    assert vorn.virial.B(300.0) == B  # the virial coefficients read no constant
    constants.reset()
    constants.pi = 3.0  # read by no routine
    assert vorn.cp(300.0, 100.0) == cp and vorn.speed_of_sound_acoustic(300.0, 100.0) == w


def test_override_restores_even_on_error():
    with pytest.raises(RuntimeError):
        with constants.override(r=1.0, m0=1.0):
            assert constants.r == 1.0 and constants.m0 == 1.0
            raise RuntimeError
    assert constants.as_dict() == constants.defaults


@pytest.mark.parametrize("bad", ["8.3", None, True, 1j])
def test_non_numbers_are_refused(bad):
    with pytest.raises(TypeError):
        constants.r = bad
    with pytest.raises(TypeError):
        with constants.override(r=bad):
            pass
    assert constants.r == constants.defaults["r"]


def test_unknown_names():
    with pytest.raises(AttributeError):
        constants.R  # noqa: B018
    with pytest.raises(AttributeError):
        with constants.override(R=1.0):
            pass


def test_an_unknown_name_is_refused_not_made():
    # constants.R = 8.314 once made a module attribute that read back 8.314 and changed nothing.
    with pytest.raises(AttributeError, match="g0, m0, pi, r"):
        constants.R = 8.314
    assert "R" not in vars(constants)
    with pytest.raises(AttributeError):
        constants.R  # noqa: B018
    assert constants.r == constants.defaults["r"]
    with pytest.raises(AttributeError):
        setattr(constants, "gamma", 1.4)


def test_override_is_documented_as_not_thread_safe():
    assert "not thread-safe" in constants.override.__doc__.lower()
    assert "thread-safe" in constants.__doc__
