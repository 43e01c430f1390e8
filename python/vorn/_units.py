# The units of the tool and the package, made by scripts/units_table.py from tools/cli/units.def:
# do not edit; regenerate.
# (symbol, dimension, numerator, exponent, divisor, offset in hundredths, any case, an output unit)
UNITS = (
    ('K', 'temperature', 1, 0, 1, 0, True, True),
    ('mK', 'temperature', 1, -3, 1, 0, False, False),
    ('uK', 'temperature', 1, -6, 1, 0, False, False),
    ('µK', 'temperature', 1, -6, 1, 0, False, False),
    ('C', 'temperature', 1, 0, 1, 27315, True, False),
    ('°C', 'temperature', 1, 0, 1, 27315, True, False),
    ('kPa', 'pressure', 1, 0, 1, 0, True, True),
    ('Pa', 'pressure', 1, -3, 1, 0, True, True),
    ('hPa', 'pressure', 1, -1, 1, 0, True, False),
    ('MPa', 'pressure', 1, 3, 1, 0, False, True),
    ('GPa', 'pressure', 1, 6, 1, 0, False, False),
    ('bar', 'pressure', 1, 2, 1, 0, True, True),
    ('mbar', 'pressure', 1, -1, 1, 0, False, True),
    ('atm', 'pressure', 101325, -3, 1, 0, True, True),
    ('torr', 'pressure', 101325, -3, 760, 0, True, True),
    ('mmHg', 'pressure', 133322387415, -12, 1, 0, True, False),
    ('psi', 'pressure', 44482216152605, -8, 64516, 0, True, True),
    ('m', 'length', 1, 0, 1, 0, False, False),
    ('cm', 'length', 1, -2, 1, 0, False, False),
    ('mm', 'length', 1, -3, 1, 0, False, False),
    ('km', 'length', 1, 3, 1, 0, False, False),
    ('W/m2', 'heat_flux', 1, 0, 1, 0, False, False),
    ('W/m^2', 'heat_flux', 1, 0, 1, 0, False, False),
    ('kW/m2', 'heat_flux', 1, 3, 1, 0, False, False),
    ('kW/m^2', 'heat_flux', 1, 3, 1, 0, False, False),
    ('W/cm2', 'heat_flux', 1, 4, 1, 0, False, False),
    ('W/cm^2', 'heat_flux', 1, 4, 1, 0, False, False),
    ('mW/cm2', 'heat_flux', 1, 1, 1, 0, False, False),
    ('mW/cm^2', 'heat_flux', 1, 1, 1, 0, False, False),
)
# (symbol, kilograms of one unit; 0: the mole)
BASES = (
    ('kg', 1.0),
    ('g', 0.001),
    ('mol', 0.0),
)
