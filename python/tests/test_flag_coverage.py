"""Each property's own flags against the reference equation of state: on the
gas side of the (T, P) plane, wherever a result is more than 1 % from the
equation, ``strict=True`` on that property refuses it (the flags the property
heeds, not merely some flag of the state)."""

import numpy as np
import pytest

import vorn
from vorn import eos

T = np.geomspace(2.2, 1500.0, 41)
P = np.geomspace(0.1, 1e5, 37)
TT, PP = np.meshgrid(T, P, indexing="ij")
REFERENCE = eos.state(T=TT, P=PP)
GAS = (REFERENCE.phase == 2) | (REFERENCE.phase == 3)

# (property, the reference equation's value)
PROPERTIES = [
    (vorn.density, REFERENCE.rho),
    (vorn.cp, REFERENCE.cp),
    (vorn.speed_of_sound, REFERENCE.w),
    (vorn.speed_of_sound_acoustic, REFERENCE.w),
    (vorn.compressibility, REFERENCE.Z),
]


@pytest.mark.parametrize("function, reference", PROPERTIES, ids=lambda v: getattr(v, "__name__", ""))
def test_strict_refuses_every_result_more_than_one_percent_off(function, reference):
    with np.errstate(all="ignore"):
        off = GAS & ~(np.abs(function(TT, PP) / reference - 1.0) <= 0.01)
    assert off.sum() > 0, "the grid must reach the dense gas"
    for i, j in zip(*np.nonzero(off)):
        with pytest.raises(vorn.StateError):
            function(float(TT[i, j]), float(PP[i, j]), strict=True)


def test_the_dilute_gas_passes_strict():
    for function, _ in PROPERTIES:
        function(300.0, 101.325, strict=True)
        function(20.0, 10.0, strict=True)
