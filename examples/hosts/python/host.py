"""A Python host of vorn, through the vorn package (python/vorn), which loads
the library named by VORN_LIBRARY. Reference values, arrays against scalars,
the module constants shared with the library, and the acoustic thermometer.
Exit status 0 when every check holds."""

import math
import sys

import vorn
import vorn.constants
import vorn.thermometry
import vorn.virial

failures = 0


def check(what, ok):
    global failures
    print(("ok   " if ok else "FAIL ") + what)
    failures += not ok


def close(got, want, rel):
    return abs(got - want) <= rel * abs(want)


for what, got, want, rel in [
    ("B(300 K)", vorn.virial.B(300.0), 11.8191108, 1e-8),
    ("density(20 K, 1000 kPa)", vorn.density(20.0, 1000.0), 24.185122, 1e-7),
    ("cp(20 K, 1000 kPa)", vorn.cp(20.0, 1000.0), 5697.8757, 1e-7),
    ("speed of sound(20 K, 1000 kPa)", vorn.speed_of_sound(20.0, 1000.0), 275.07690, 1e-7),
    ("viscosity(20 K, 1000 kPa)", vorn.viscosity(20.0, 1000.0), 3.754553239e-06, 1e-9),
    ("acoustic thermometer(0.1, 10, 273.16, 100)",
     vorn.thermometry.acoustic_temperature(0.1, 10.0, 273.16, 100.0), 27.3233161208, 1e-11),
]:
    check(f"{what} = {got!r}", close(got, want, rel))

T = [4.2, 20.0, 77.0, 300.0]
array = vorn.cp(T, 100.0)
check("cp over an array equals cp at each point, bit for bit",
      all(array[i] == vorn.cp(t, 100.0) for i, t in enumerate(T)))

check("g0 is 1.666666666666667, not 5/3", vorn.constants.g0 == 1.666666666666667 and vorn.constants.g0 != 5 / 3)
before = vorn.density(300.0, 1e-6)
with vorn.constants.override(r=2 * vorn.constants.r):
    check("a store into r is seen by the library", close(vorn.density(300.0, 1e-6), before / 2, 1e-10))
check("and undone on leaving override()", vorn.density(300.0, 1e-6) == before)

inversion = vorn.thermometry.acoustic_temperature(0.009745, 0.0357, 200.0, 5.0, full_output=True)
check("the thermometer near 1.95 K reports no convergence after 30 iterations",
      inversion.iterations == 30 and not inversion.converged and math.isfinite(inversion.temperature))

print(f"Python host: {failures} failure(s)")
sys.exit(1 if failures else 0)
