# The reference equation's facts, made by scripts/eos_facts.py --python from
# include/vorn_eos_facts.def: do not edit; regenerate.
from typing import NamedTuple, Tuple

#: A row of the table: a property code: its key, unit, how it is computed and its names in the hosts.
Property = NamedTuple('Property', [('NAME', str), ('code', int), ('key', str), ('unit', str), ('kind', str), ('of', str), ('scale', str), ('two_phase', str), ('name', str), ('aliases', str), ('description', str)])
PROPERTIES: Tuple[Property, ...] = (
    Property('T', 1, 'T', 'K', 'state', 'T', 'one', 'value', 'T', 'temperature', 'temperature'),
    Property('P', 2, 'P', 'kPa', 'state', 'p', 'kpa', 'value', 'P', 'pressure', 'pressure'),
    Property('RHO', 3, 'rho', 'kg/m^3', 'state', 'rho', 'kg', 'value', 'density', 'D', 'density'),
    Property('VM', 4, 'vm', 'm^3/mol', 'derived', 'molar_volume', 'one', 'value', 'volume', 'molar-volume', 'molar volume'),
    Property('U', 5, 'u', 'J/kg', 'state', 'u', 'per_kg', 'value', 'u', 'internal-energy,U', 'internal energy'),
    Property('H', 6, 'h', 'J/kg', 'state', 'h', 'per_kg', 'value', 'h', 'enthalpy,H', 'enthalpy'),
    Property('S', 7, 's', 'J/(kg K)', 'state', 's', 'per_kg', 'value', 's', 'entropy,S', 'entropy'),
    Property('G', 8, 'g', 'J/kg', 'state', 'g', 'per_kg', 'value', 'g', 'gibbs-energy,G', 'Gibbs energy'),
    Property('CV', 9, 'cv', 'J/(kg K)', 'state', 'cv', 'per_kg', 'nan', 'cv', 'isochoric-heat-capacity,Cvmass', 'isochoric heat capacity; NaN in two phases'),
    Property('CP', 10, 'cp', 'J/(kg K)', 'state', 'cp', 'per_kg', 'nan', 'cp', 'isobaric-heat-capacity,Cpmass', 'isobaric heat capacity; NaN in two phases'),
    Property('CP_CV', 11, 'cp_cv', '1', 'derived', 'heat_capacity_ratio', 'one', 'nan', 'gamma', 'cp/cv', 'cp/cv; NaN in two phases'),
    Property('W', 12, 'w', 'm/s', 'state', 'w', 'one', 'nan', 'sound-speed', 'speed-of-sound,A', 'speed of sound; NaN in two phases'),
    Property('JT', 13, 'jt', 'K/kPa', 'state', 'jt', 'per_kpa', 'nan', 'joule-thomson', 'mu_JT', 'Joule-Thomson coefficient (dT/dP)_h; NaN in two phases'),
    Property('KAPPA_T', 14, 'kappa_T', '1/kPa', 'state', 'kappa', 'per_kpa', 'nan', 'kappa_T', 'isothermal-compressibility', 'isothermal compressibility -(1/v)(dv/dP)_T; NaN in two phases'),
    Property('ALPHA_V', 15, 'alpha_V', '1/K', 'state', 'alpha', 'one', 'nan', 'alpha_V', 'volume-expansivity', 'volume expansivity (1/v)(dv/dT)_P; NaN in two phases'),
    Property('DPDT', 16, 'dpdT', 'kPa/K', 'state', 'dpdT', 'kpa', 'nan', 'dP/dT', '', '(dP/dT) at constant density; NaN in two phases'),
    Property('DPDRHO', 17, 'dpdrho', 'kPa m^3/kg', 'state', 'dpdrho', 'kpa_m3_per_kg', 'nan', 'dP/drho', '', '(dP/drho) at constant T; NaN in two phases'),
    Property('B', 18, 'B', 'cm^3/mol', 'state', 'B', 'cm3', 'value', 'B', 'second-virial', "the equation's second virial coefficient B(T)"),
    Property('Z', 19, 'Z', '1', 'state', 'Z', 'one', 'value', 'Z', 'compressibility', 'compressibility factor P/(rho R T)'),
    Property('Q', 20, 'q', '1', 'state', 'q', 'one', 'value', 'quality', 'Q', 'vapour quality (mass fraction of vapour); NaN in one phase, 0 or 1 on the saturated edge'),
    Property('PHASE', 21, 'phase', '', 'state', 'phase', 'code', 'value', 'phase', '', 'one of the phases, as a double'),
    Property('FLAGS', 22, 'flags', '', 'state', 'flags', 'code', 'value', 'flags', '', 'the set of flags, as a double'),
    Property('VISCOSITY', 23, 'viscosity', 'Pa s', 'transport', 'viscosity', 'one', 'nan', 'viscosity', 'mu,eta,dynamic-viscosity,V', 'dynamic viscosity; NaN in two phases'),
    Property('CONDUCTIVITY', 24, 'conductivity', 'W/(m K)', 'transport', 'conductivity', 'one', 'nan', 'conductivity', 'k,lambda,thermal-conductivity,L', 'thermal conductivity, critical enhancement included; NaN in two phases'),
    Property('KINEMATIC_VISCOSITY', 25, 'kinematic_viscosity', 'm^2/s', 'transport', 'kinematic_viscosity', 'one', 'nan', 'kinematic-viscosity', 'nu_kin', 'viscosity/rho; NaN in two phases'),
    Property('THERMAL_DIFFUSIVITY', 26, 'thermal_diffusivity', 'm^2/s', 'transport', 'thermal_diffusivity', 'one', 'nan', 'thermal-diffusivity', 'alpha,diffusivity', 'conductivity/(rho cp); NaN in two phases'),
    Property('PRANDTL', 27, 'prandtl', '1', 'transport', 'prandtl', 'one', 'nan', 'prandtl', 'Pr,prandtl-number', 'Prandtl number viscosity cp/conductivity; NaN in two phases'),
    Property('SUPERFLUID_FRACTION', 28, 'superfluid_fraction', '1', 'he_ii', 'superfluid_fraction', 'one', 'nan', 'superfluid-fraction', 'fraction_s,rho_s/rho', 'superfluid fraction rho_s/rho of He II; NaN in other phases'),
    Property('SECOND_SOUND', 29, 'second_sound', 'm/s', 'he_ii', 'second_sound', 'one', 'nan', 'second-sound', 'u2', 'speed of second sound in He II; NaN in other phases'),
    Property('HEAT_CONDUCTIVITY_FUNCTION', 30, 'heat_conductivity_function', 'W^3 m^-5 K^-1', 'he_ii', 'heat_conductivity_function', 'one', 'nan', 'heat-cond-function', 'heat-conductivity-function,f_inverse', 'He II heat conductivity function f^-1 (m = 3), 1.4 K up; NaN in other phases'),
    Property('LAMBDA_DISTANCE', 31, 'lambda_distance', 'K', 'derived', 'lambda_distance', 'one', 'nan', 'lambda-distance', 'dT_lambda', "T - T_lambda(P): below 0 in He II, above in He I; one phase, P up to the line's upper end (He II below the lambda point's pressure: from the lambda point), NaN elsewhere"),
    Property('FOURTH_SOUND', 32, 'fourth_sound', 'm/s', 'he_ii', 'fourth_sound', 'one', 'nan', 'fourth-sound', 'u4', 'speed of fourth sound in He II (normal fluid locked in a superleak); NaN in other phases'),
)

#: A row of the table: an input pair: the keys of x1 and x2 and its flash.
Pair = NamedTuple('Pair', [('NAME', str), ('code', int), ('first', str), ('second', str), ('solver', str)])
PAIRS: Tuple[Pair, ...] = (
    Pair('TP', 1, 'T', 'P', 'flash_Tp'),
    Pair('TRHO', 2, 'T', 'rho', 'flash_Trho'),
    Pair('PRHO', 3, 'P', 'rho', 'flash_prho'),
    Pair('PH', 4, 'P', 'h', 'flash_p_caloric'),
    Pair('PS', 5, 'P', 's', 'flash_p_caloric'),
    Pair('TS', 6, 'T', 's', 'flash_Ts'),
    Pair('RHOU', 7, 'rho', 'u', 'flash_rho_caloric'),
    Pair('TQ', 8, 'T', 'q', 'flash_Tq'),
    Pair('PQ', 9, 'P', 'q', 'flash_pq'),
    Pair('PU', 10, 'P', 'u', 'flash_p_caloric'),
    Pair('TH', 11, 'T', 'h', 'flash_T_caloric'),
    Pair('TU', 12, 'T', 'u', 'flash_T_caloric'),
    Pair('RHOH', 13, 'rho', 'h', 'flash_rho_caloric'),
    Pair('RHOS', 14, 'rho', 's', 'flash_rho_caloric'),
    Pair('HS', 15, 'h', 's', 'flash_hs'),
)

#: A row of the table: a phase.
Phase = NamedTuple('Phase', [('NAME', str), ('code', int), ('key', str), ('name', str), ('description', str)])
PHASES: Tuple[Phase, ...] = (
    Phase('NONE', 0, 'none', 'none', 'no result'),
    Phase('LIQUID', 1, 'liquid', 'liquid', 'one phase below Tc, on the liquid side'),
    Phase('VAPOUR', 2, 'vapour', 'vapour', 'one phase below Tc, on the vapour side'),
    Phase('SUPERCRITICAL', 3, 'supercritical', 'supercritical', 'T >= Tc = 5.1953 K'),
    Phase('TWO_PHASE', 4, 'two_phase', 'two-phase', 'saturated liquid and vapour, in proportion q'),
    Phase('HE_II', 5, 'he_ii', 'He II', 'He II: the saturated liquid below T_lambda, and He II above its vapour pressure, 0.8 K to the lambda and melting lines'),
)

#: A row of the table: a flag bit.
Flag = NamedTuple('Flag', [('NAME', str), ('bit', int), ('key', str), ('withholds', bool), ('description', str)])
FLAGS: Tuple[Flag, ...] = (
    Flag('BAD_INPUT', 1, 'bad_input', True, 'not finite, T <= 0, P < 0 (<= 0 but in (T, P)), rho <= 0, q outside [0, 1], unknown code, subnormal P or rho in (P, rho)'),
    Flag('HE_II', 2, 'he_ii', True, 'He II where no model holds: below 0.8 K and not vapour, vapour below 1.25 K, or a pair with no state in He II or the bath'),
    Flag('SOLID', 4, 'solid', True, 'above the melting pressure'),
    Flag('EXTRAPOLATED', 8, 'extrapolated', False, 'T 1500 K to 2000 K, P > 2000 MPa, or vapour below T_lambda (1.25 K up): extrapolated'),
    Flag('OUT_OF_RANGE', 16, 'out_of_range', True, 'T above 2000 K'),
    Flag('NOT_UNIQUE', 32, 'not_unique', False, 'the pair has more than one fluid state; one of them is returned'),
    Flag('NO_SOLUTION', 64, 'no_solution', True, 'no fluid state of the equation has this pair'),
    Flag('NOT_CONVERGED', 128, 'not_converged', True, 'an iteration ran out of steps, found no stable root, or doubles cannot fix the result'),
    Flag('UNDEFINED', 256, 'undefined', False, 'a state, but some values have no meaning (s, g at zero or subnormal density): those NaN'),
    Flag('NEAR_LAMBDA', 512, 'near_lambda', False, 'He II under pressure within 0.1 K of the lambda line along its isobar (of the lambda point below its pressure), where its model is least certain'),
)

#: A row of the table: a field of vorn_eos_state, in order.
StateField = NamedTuple('StateField', [('field', str), ('type', str)])
STATE_FIELDS: Tuple[StateField, ...] = (
    StateField('size', 'size_t'),
    StateField('flags', 'unsigned'),
    StateField('phase', 'int'),
    StateField('T', 'double'),
    StateField('P', 'double'),
    StateField('rho', 'double'),
    StateField('vm', 'double'),
    StateField('u', 'double'),
    StateField('h', 'double'),
    StateField('s', 'double'),
    StateField('g', 'double'),
    StateField('cv', 'double'),
    StateField('cp', 'double'),
    StateField('cp_cv', 'double'),
    StateField('w', 'double'),
    StateField('jt', 'double'),
    StateField('kappa_T', 'double'),
    StateField('alpha_V', 'double'),
    StateField('dpdT', 'double'),
    StateField('dpdrho', 'double'),
    StateField('B', 'double'),
    StateField('Z', 'double'),
    StateField('q', 'double'),
    StateField('evaluations', 'int'),
    StateField('viscosity', 'double'),
    StateField('conductivity', 'double'),
    StateField('kinematic_viscosity', 'double'),
    StateField('thermal_diffusivity', 'double'),
    StateField('prandtl', 'double'),
    StateField('superfluid_fraction', 'double'),
    StateField('second_sound', 'double'),
    StateField('heat_conductivity_function', 'double'),
    StateField('lambda_distance', 'double'),
    StateField('fourth_sound', 'double'),
)

#: A row of the table: a field of vorn_eos_saturation, in order.
SaturationField = NamedTuple('SaturationField', [('field', str), ('type', str), ('unit', str)])
SATURATION_FIELDS: Tuple[SaturationField, ...] = (
    SaturationField('size', 'size_t', ''),
    SaturationField('flags', 'unsigned', ''),
    SaturationField('T', 'double', 'K'),
    SaturationField('P', 'double', 'kPa'),
    SaturationField('rho_liquid', 'double', 'kg/m^3'),
    SaturationField('rho_vapour', 'double', 'kg/m^3'),
    SaturationField('h_liquid', 'double', 'J/kg'),
    SaturationField('h_vapour', 'double', 'J/kg'),
    SaturationField('s_liquid', 'double', 'J/(kg K)'),
    SaturationField('s_vapour', 'double', 'J/(kg K)'),
    SaturationField('latent_heat', 'double', 'J/kg'),
    SaturationField('surface_tension', 'double', 'N/m'),
    SaturationField('dPdT', 'double', 'kPa/K'),
    SaturationField('evaluations', 'int', ''),
    SaturationField('viscosity_liquid', 'double', 'Pa s'),
    SaturationField('viscosity_vapour', 'double', 'Pa s'),
    SaturationField('conductivity_liquid', 'double', 'W/(m K)'),
    SaturationField('conductivity_vapour', 'double', 'W/(m K)'),
)
