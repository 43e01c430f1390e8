# The reference equation's facts, made by scripts/eos_facts.py --python from
# include/vorn_eos_facts.def: do not edit; regenerate.
from typing import Tuple

#: (NAME, code, key, unit, description) of each property code.
PROPERTIES: Tuple[Tuple[str, int, str, str, str], ...] = (
    ('T', 1, 'T', 'K', 'temperature'),
    ('P', 2, 'P', 'kPa', 'pressure'),
    ('RHO', 3, 'rho', 'kg/m^3', 'density'),
    ('VM', 4, 'vm', 'm^3/mol', 'molar volume'),
    ('U', 5, 'u', 'J/kg', 'internal energy'),
    ('H', 6, 'h', 'J/kg', 'enthalpy'),
    ('S', 7, 's', 'J/(kg K)', 'entropy'),
    ('G', 8, 'g', 'J/kg', 'Gibbs energy'),
    ('CV', 9, 'cv', 'J/(kg K)', 'isochoric heat capacity; NaN in two phases'),
    ('CP', 10, 'cp', 'J/(kg K)', 'isobaric heat capacity; NaN in two phases'),
    ('CP_CV', 11, 'cp_cv', '1', 'cp/cv; NaN in two phases'),
    ('W', 12, 'w', 'm/s', 'speed of sound; NaN in two phases'),
    ('JT', 13, 'jt', 'K/kPa', 'Joule-Thomson coefficient (dT/dP)_h; NaN in two phases'),
    ('KAPPA_T', 14, 'kappa_T', '1/kPa', 'isothermal compressibility -(1/v)(dv/dP)_T; NaN in two phases'),
    ('ALPHA_V', 15, 'alpha_V', '1/K', 'volume expansivity (1/v)(dv/dT)_P; NaN in two phases'),
    ('DPDT', 16, 'dpdT', 'kPa/K', '(dP/dT) at constant density; NaN in two phases'),
    ('DPDRHO', 17, 'dpdrho', 'kPa m^3/kg', '(dP/drho) at constant T; NaN in two phases'),
    ('B', 18, 'B', 'cm^3/mol', "the equation's second virial coefficient B(T)"),
    ('Z', 19, 'Z', '1', 'compressibility factor P/(rho R T)'),
    ('Q', 20, 'q', '1', 'vapour quality (mass fraction of vapour); NaN in one phase, 0 or 1 on the saturated edge'),
    ('PHASE', 21, 'phase', '', 'one of the phases, as a double'),
    ('FLAGS', 22, 'flags', '', 'the set of flags, as a double'),
    ('VISCOSITY', 23, 'viscosity', 'Pa s', 'dynamic viscosity; NaN in two phases'),
    ('CONDUCTIVITY', 24, 'conductivity', 'W/(m K)', 'thermal conductivity, critical enhancement included; NaN in two phases'),
    ('KINEMATIC_VISCOSITY', 25, 'kinematic_viscosity', 'm^2/s', 'viscosity/rho; NaN in two phases'),
    ('THERMAL_DIFFUSIVITY', 26, 'thermal_diffusivity', 'm^2/s', 'conductivity/(rho cp); NaN in two phases'),
    ('PRANDTL', 27, 'prandtl', '1', 'Prandtl number viscosity cp/conductivity; NaN in two phases'),
    ('SUPERFLUID_FRACTION', 28, 'superfluid_fraction', '1', 'superfluid fraction rho_s/rho of He II; NaN in other phases'),
    ('SECOND_SOUND', 29, 'second_sound', 'm/s', 'speed of second sound in He II; NaN in other phases'),
    ('HEAT_CONDUCTIVITY_FUNCTION', 30, 'heat_conductivity_function', 'W^3 m^-5 K^-1', 'He II heat conductivity function f^-1 (m = 3), 1.4 K up; NaN in other phases'),
)

#: (NAME, code, first, second) of each input pair.
PAIRS: Tuple[Tuple[str, int, str, str], ...] = (
    ('TP', 1, 'T', 'P'),
    ('TRHO', 2, 'T', 'rho'),
    ('PRHO', 3, 'P', 'rho'),
    ('PH', 4, 'P', 'h'),
    ('PS', 5, 'P', 's'),
    ('TS', 6, 'T', 's'),
    ('RHOU', 7, 'rho', 'u'),
    ('TQ', 8, 'T', 'q'),
    ('PQ', 9, 'P', 'q'),
    ('PU', 10, 'P', 'u'),
    ('TH', 11, 'T', 'h'),
    ('TU', 12, 'T', 'u'),
    ('RHOH', 13, 'rho', 'h'),
    ('RHOS', 14, 'rho', 's'),
    ('HS', 15, 'h', 's'),
)

#: (NAME, code, name, description) of each phase.
PHASES: Tuple[Tuple[str, int, str, str], ...] = (
    ('NONE', 0, 'none', 'no result'),
    ('LIQUID', 1, 'liquid', 'one phase below Tc, on the liquid side'),
    ('VAPOUR', 2, 'vapour', 'one phase below Tc, on the vapour side'),
    ('SUPERCRITICAL', 3, 'supercritical', 'T >= Tc = 5.1953 K'),
    ('TWO_PHASE', 4, 'two-phase', 'saturated liquid and vapour, in proportion q'),
    ('HE_II', 5, 'He II', 'He II: the saturated liquid below T_lambda'),
)

#: (NAME, bit, withholds, description) of each flag.
FLAGS: Tuple[Tuple[str, int, bool, str], ...] = (
    ('BAD_INPUT', 1, True, 'not finite, T <= 0, P < 0 (<= 0 but in (T, P)), rho <= 0, q outside [0, 1], unknown code, subnormal P or rho in (P, rho)'),
    ('HE_II', 2, True, 'He II: below the lambda line, or colder than it and not vapour, and not the saturated He II bath (1.25 K up)'),
    ('SOLID', 4, True, 'above the melting pressure'),
    ('EXTRAPOLATED', 8, False, 'T 1500 K to 2000 K, P > 2000 MPa, or vapour below T_lambda (1.25 K up): extrapolated'),
    ('OUT_OF_RANGE', 16, True, 'T above 2000 K'),
    ('NOT_UNIQUE', 32, False, 'the pair has more than one fluid state; one of them is returned'),
    ('NO_SOLUTION', 64, True, 'no fluid state of the equation has this pair'),
    ('NOT_CONVERGED', 128, True, 'an iteration ran out of steps, found no stable root, or doubles cannot fix the result'),
    ('UNDEFINED', 256, False, 'a state, but some values have no meaning (s, g at zero or subnormal density): those NaN'),
    ('NEAR_LAMBDA', 512, False, 'He II within 0.1 K of the lambda line along its isobar, where its model is least certain'),
)

#: (field, C type) of vorn_eos_state, in order.
STATE_FIELDS: Tuple[Tuple[str, str], ...] = (
    ('size', 'size_t'),
    ('flags', 'unsigned'),
    ('phase', 'int'),
    ('T', 'double'),
    ('P', 'double'),
    ('rho', 'double'),
    ('vm', 'double'),
    ('u', 'double'),
    ('h', 'double'),
    ('s', 'double'),
    ('g', 'double'),
    ('cv', 'double'),
    ('cp', 'double'),
    ('cp_cv', 'double'),
    ('w', 'double'),
    ('jt', 'double'),
    ('kappa_T', 'double'),
    ('alpha_V', 'double'),
    ('dpdT', 'double'),
    ('dpdrho', 'double'),
    ('B', 'double'),
    ('Z', 'double'),
    ('q', 'double'),
    ('evaluations', 'int'),
    ('viscosity', 'double'),
    ('conductivity', 'double'),
    ('kinematic_viscosity', 'double'),
    ('thermal_diffusivity', 'double'),
    ('prandtl', 'double'),
    ('superfluid_fraction', 'double'),
    ('second_sound', 'double'),
    ('heat_conductivity_function', 'double'),
)

#: (field, C type, unit) of vorn_eos_saturation, in order.
SATURATION_FIELDS: Tuple[Tuple[str, str, str], ...] = (
    ('size', 'size_t', ''),
    ('flags', 'unsigned', ''),
    ('T', 'double', 'K'),
    ('P', 'double', 'kPa'),
    ('rho_liquid', 'double', 'kg/m^3'),
    ('rho_vapour', 'double', 'kg/m^3'),
    ('h_liquid', 'double', 'J/kg'),
    ('h_vapour', 'double', 'J/kg'),
    ('s_liquid', 'double', 'J/(kg K)'),
    ('s_vapour', 'double', 'J/(kg K)'),
    ('latent_heat', 'double', 'J/kg'),
    ('surface_tension', 'double', 'N/m'),
    ('dPdT', 'double', 'kPa/K'),
    ('evaluations', 'int', ''),
    ('viscosity_liquid', 'double', 'Pa s'),
    ('viscosity_vapour', 'double', 'Pa s'),
    ('conductivity_liquid', 'double', 'W/(m K)'),
    ('conductivity_vapour', 'double', 'W/(m K)'),
)
