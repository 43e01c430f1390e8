"""The library's four module constants, read and written in place.

Every routine of the library re-reads these at each use, so storing a new
value here changes every later result that depends on it, in every thread.
Nothing here is thread-safe: the constants are the process's, not the
thread's. While another thread computes, a new value (``override`` too)
changes its results from the next call on, and two threads overriding at
once can each restore the other's values; hold a lock of your own around
both if threads compute while constants change:

>>> import vorn
>>> vorn.constants.r
8.3144598
>>> with vorn.constants.override(r=8.314462618):
...     cp_2019 = vorn.cp(300.0, 100.0)

``g0``  ratio of heat capacities of the ideal monatomic gas, 1.666666666666667
        (one unit in the last place above 5/3), read by the speeds of sound
``m0``  molar mass of helium-4, kg/mol
``pi``  pi; read by no routine
``r``   molar gas constant, J/(mol K)

Assigning anything but a real number raises TypeError; assigning a name
that is not one of the four (``constants.R``) raises AttributeError rather
than make a module attribute that the library never reads. ``reset()``
restores the values the library had when this package loaded it.
"""

from __future__ import annotations

import contextlib
import numbers
import sys
import types
from typing import Any, Dict, Iterator, List

from ._lib import CONSTANT_NAMES, lib as _lib

# g0, m0, pi and r are attributes of the module itself (see _ConstantsModule), not names to import:
# an imported copy would not follow the library.
__all__ = ["defaults", "reset", "override", "as_dict"]

_CELLS = _lib.constants

# The four constants, read and written through _ConstantsModule below; declared
# here (bound to nothing) so that a type checker knows them.
g0: float
m0: float
pi: float
r: float

#: The values found in the library when the package loaded it.
defaults: Dict[str, float] = {name: cell.value for name, cell in _CELLS.items()}


def _check(name: str, value: Any) -> float:
    if name not in _CELLS:
        raise AttributeError(f"vorn.constants has no constant {name!r}; the constants are {', '.join(CONSTANT_NAMES)}")
    if isinstance(value, bool) or not isinstance(value, numbers.Real):
        raise TypeError(f"vorn.constants.{name} must be a real number, not {type(value).__name__}")
    return float(value)


def as_dict() -> Dict[str, float]:
    """Return the current values of the four constants.

    Returns
    -------
    dict of str to float
        The values the library holds now, by name (g0, m0, pi, r).

    Examples
    --------
    >>> import vorn
    >>> sorted(vorn.constants.as_dict())
    ['g0', 'm0', 'pi', 'r']
    """
    return {name: cell.value for name, cell in _CELLS.items()}


def reset() -> None:
    """Store the load-time values back into the library.

    Examples
    --------
    >>> import vorn
    >>> vorn.constants.r = 8.314462618
    >>> vorn.constants.reset()
    >>> vorn.constants.r == vorn.constants.defaults["r"]
    True
    """
    for name, value in defaults.items():
        _CELLS[name].value = value


@contextlib.contextmanager
def override(**values: float) -> Iterator[None]:
    """Give some constants new values within a ``with`` block, and restore the old ones after.

    Not thread-safe: every thread sees the new values while the block runs,
    and the old ones are stored back on leaving it even if another thread
    changed them meanwhile.

    Parameters
    ----------
    **values : float
        New values by name: any of ``g0``, ``m0``, ``pi``, ``r``.

    Yields
    ------
    None
        Within the block the library holds the new values.

    Raises
    ------
    AttributeError
        For a name that is not one of the four constants.
    TypeError
        For a value that is not a real number.

    Examples
    --------
    >>> import vorn
    >>> with vorn.constants.override(r=8.314462618):
    ...     vorn.constants.r
    8.314462618
    >>> vorn.constants.r
    8.3144598
    """
    checked = {name: _check(name, value) for name, value in values.items()}
    saved = {name: _CELLS[name].value for name in checked}
    try:
        for name, value in checked.items():
            _CELLS[name].value = value
        yield
    finally:
        for name, value in saved.items():
            _CELLS[name].value = value


class _ConstantsModule(types.ModuleType):
    """Makes g0, m0, pi and r module attributes that read and write the library's doubles."""

    def __getattr__(self, name: str) -> float:
        if name in _CELLS:
            return float(_CELLS[name].value)
        raise AttributeError(f"module 'vorn.constants' has no attribute {name!r}")

    def __setattr__(self, name: str, value: Any) -> None:
        if name in _CELLS:
            _CELLS[name].value = _check(name, value)
        elif name.startswith("_") or name in self.__dict__:
            super().__setattr__(name, value)
        else:
            _check(name, value)  # raises AttributeError naming the four constants

    def __dir__(self) -> List[str]:
        return sorted(set(super().__dir__()) | set(_CELLS))


sys.modules[__name__].__class__ = _ConstantsModule
