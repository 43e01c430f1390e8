/*
 * vorn: thermophysical properties of helium-4 gas.
 *
 * The contract between the library and its hosts. Every routine takes the
 * addresses of doubles (read, never written; two arguments may share one
 * address) and returns one double. Temperatures are in K, pressures in kPa;
 * results are in SI units, except the virial coefficients, which are in
 * cm-based molar units. No routine of the correlations validates its
 * arguments, reports an error or keeps state: out of range, the formulas give
 * what IEEE-754 arithmetic gives (infinities, NaN); the reference family
 * (vorn_eos_*, below) checks its arguments and keeps one state per thread.
 * Every routine may be called from any number of threads at once.
 *
 * Reproducible to the last bit, exactly: on one platform the same arguments
 * give the same bits on every run, in every thread and through every array
 * form. Across platforms, the routines built from + - * / and sqrt (the
 * nine __vorn_MOD_ procedures, vorn_rho, vorn_vol, vorn_cv, vorn_cp,
 * vorn_gamma, vorn_k0, vorn_nu0, and vorn_w, whose one power (g0 - 1)^2
 * agrees on every platform tried at the default g0) give the same bits on
 * every IEEE-754 platform the library builds on (it refuses x87 excess
 * precision and -ffast-math). The five that take real powers, vorn_Za_gk,
 * vorn_w_gk, temp_K, vorn_k and vorn_nu, take their last bits from the
 * maths library's pow: the same on Linux with glibc on x86-64, aarch64,
 * ppc64el and s390x; different at some states in the Windows DLL, which
 * carries its own pow (docs/platforms.md).
 *
 * The four module constants are ordinary mutable doubles that every routine
 * re-reads at each use: a host that stores a new value sees every later result
 * follow it (and provides its own synchronisation if other threads compute
 * meanwhile).
 *
 * The names. __vorn_MOD_name is the symbol gfortran gives a procedure or
 * variable `name` of a Fortran module `vorn`: the virial coefficients and the
 * four module constants carry it, so Fortran hosts reach them as module
 * names (use vorn). The suffix _gk marks the routines of the independent
 * correlation Za and what is built on it; temp_K is the thermometer
 * inversion, the temperature from a ratio phi. The array forms add _n.
 *
 * The last bits. Routines made of the four basic operations and square roots
 * give the same bits on every IEEE-754 platform. Those with a real power take
 * their last bits from the platform's maths library (its pow), and may differ
 * in the last place between platforms: vorn_w (the power of g0 - 1), vorn_Za_gk,
 * vorn_w_gk and temp_K (the powers of T in Za), and vorn_k and vorn_nu (those
 * of their pressure factors), with their array forms and everything built on
 * them. The virial coefficients, vorn_rho, vorn_vol, vorn_cv, vorn_cp,
 * vorn_gamma, vorn_k0 and vorn_nu0 use none.
 *
 * A note on vorn_Za_gk: measured against the virial coefficients, its
 * first-order coefficient is the second acoustic virial coefficient beta_a,
 * not B, so the quantity it returns is the acoustic factor (w/w0)^2 rather
 * than the compressibility factor pV/(nRT). vorn_w_gk = w0 * sqrt(Za) is
 * therefore a good speed of sound, and temp_K is exact for an acoustic
 * thermometer with phi the ratio of squared sound speeds, not for a ratio of
 * gas pressures.
 */
#ifndef VORN_H
#define VORN_H

/* The declarations below are aligned as a table. */
/* clang-format off */

#include <stddef.h>

#include "vorn_version.h" /* VORN_VERSION_MAJOR, _MINOR, _PATCH and _STRING */

#ifdef __cplusplus
extern "C" {
#endif

#if defined(_WIN32) && !defined(VORN_BUILDING_LIBRARY)
#define VORN_API __declspec(dllimport)
#else
#define VORN_API
#endif

/* Module constants, read by the routines at every use. */
VORN_API extern double __vorn_MOD_g0; /* ideal monatomic cp/cv, 1.666666666666667 (one ulp above 5/3) */
VORN_API extern double __vorn_MOD_m0; /* molar mass of helium-4, 0.00400260325413 kg/mol */
VORN_API extern double __vorn_MOD_pi; /* pi, 3.141592653589793; read by no routine */
VORN_API extern double __vorn_MOD_r;  /* molar gas constant, 8.3144598 J/(mol K) */

/* The same four constants by name ("r", "m0", "g0", "pi", matched exactly), for hosts that cannot reach
 * exported data. vorn_get_constant returns NaN for an unknown name or NULL; vorn_set_constant stores into
 * the very double the name above denotes and returns 1, or refuses an unknown name or NULL and returns 0
 * (storing nothing). */
VORN_API double vorn_get_constant(const char *name);
VORN_API int vorn_set_constant(const char *name, double value);

/* The version of the library loaded at run time, "MAJOR.MINOR.PATCH" (compare VORN_VERSION_STRING, the
 * version this header came with). The string is static: never freed, never changed. */
VORN_API const char *vorn_version(void);

/* Virial coefficients: quotients of a degree-7 and a degree-9 polynomial in T. */
VORN_API double __vorn_MOD_b(const double *T);   /* B(T), cm^3/mol */
VORN_API double __vorn_MOD_db(const double *T);  /* dB/dT, cm^3/(mol K) */
VORN_API double __vorn_MOD_d2b(const double *T); /* d2B/dT2, cm^3/(mol K^2) */
VORN_API double __vorn_MOD_c(const double *T);   /* C(T), cm^6/mol^2 */
VORN_API double __vorn_MOD_dc(const double *T);  /* dC/dT, cm^6/(mol^2 K) */
VORN_API double __vorn_MOD_d2c(const double *T); /* d2C/dT2, cm^6/(mol^2 K^2) */
VORN_API double __vorn_MOD_d(const double *T);   /* D(T), cm^9/mol^3; pole near 2.180066 K */
VORN_API double __vorn_MOD_dd(const double *T);  /* dD/dT, cm^9/(mol^3 K) */
VORN_API double __vorn_MOD_d2d(const double *T); /* d2D/dT2, cm^9/(mol^3 K^2) */

/* Gas state from the virial equation p = rho_n r T (1 + B rho_n + C rho_n^2 + D rho_n^3). */
VORN_API double vorn_rho(const double *T, const double *P);   /* density (one Newton step from the ideal gas), kg/m^3 */
VORN_API double vorn_vol(const double *T, const double *P);   /* molar volume m0/rho, m^3/mol */
VORN_API double vorn_cv(const double *T, const double *P);    /* isochoric specific heat capacity, J/(kg K) */
VORN_API double vorn_cp(const double *T, const double *P);    /* isobaric specific heat capacity, J/(kg K) */
VORN_API double vorn_gamma(const double *T, const double *P); /* cp/cv, dimensionless */
VORN_API double vorn_w(const double *T, const double *P);     /* speed of sound (acoustic virial series), m/s */

/* The independent correlation Za(T, P) (the acoustic factor (w/w0)^2) and what is built on it. */
VORN_API double vorn_Za_gk(const double *T, const double *P); /* Za, dimensionless; terms switch on above 1.95, 2.6, 20 K */
VORN_API double vorn_w_gk(const double *T, const double *P);  /* speed of sound sqrt(g0 r T / m0 * Za), m/s */
/* Temperature T solving T/T0 = phi * Za(T0, P0) / Za(T, P): phi dimensionless, P and P0 in kPa, T0 and result in K.
 * At most 30 Newton iterations; when the tolerance is not met the last iterate is returned all the same. */
VORN_API double temp_K(const double *phi, const double *P, const double *T0, const double *P0);

/* Transport. */
VORN_API double vorn_k0(const double *T);                  /* thermal conductivity at zero pressure, W/(m K) */
VORN_API double vorn_k(const double *T, const double *P);  /* thermal conductivity, W/(m K) */
VORN_API double vorn_nu0(const double *T);                 /* viscosity at zero pressure, Pa s */
VORN_API double vorn_nu(const double *T, const double *P); /* viscosity, Pa s */


/* ---------------------------------------------------------------------------
 * Beyond the 22 routines: array forms, state flags and gas thermometry.
 * ------------------------------------------------------------------------- */

/* Array forms: out[i] is bit for bit the scalar routine at the i-th point
 * (where that is a NaN, a NaN: IEEE-754 leaves the sign and payload of a NaN
 * produced from two NaN operands open, and so does vorn). n may be 0: nothing
 * is read or written. out may be one of the input arrays; it may not overlap
 * one partly. */
VORN_API void vorn_b_n(size_t n, const double *T, double *out);
VORN_API void vorn_db_n(size_t n, const double *T, double *out);
VORN_API void vorn_d2b_n(size_t n, const double *T, double *out);
VORN_API void vorn_c_n(size_t n, const double *T, double *out);
VORN_API void vorn_dc_n(size_t n, const double *T, double *out);
VORN_API void vorn_d2c_n(size_t n, const double *T, double *out);
VORN_API void vorn_d_n(size_t n, const double *T, double *out);
VORN_API void vorn_dd_n(size_t n, const double *T, double *out);
VORN_API void vorn_d2d_n(size_t n, const double *T, double *out);
VORN_API void vorn_rho_n(size_t n, const double *T, const double *P, double *out);
VORN_API void vorn_vol_n(size_t n, const double *T, const double *P, double *out);
VORN_API void vorn_cv_n(size_t n, const double *T, const double *P, double *out);
VORN_API void vorn_cp_n(size_t n, const double *T, const double *P, double *out);
VORN_API void vorn_gamma_n(size_t n, const double *T, const double *P, double *out);
VORN_API void vorn_w_n(size_t n, const double *T, const double *P, double *out);
VORN_API void vorn_Za_gk_n(size_t n, const double *T, const double *P, double *out);
VORN_API void vorn_w_gk_n(size_t n, const double *T, const double *P, double *out);
VORN_API void vorn_temp_K_n(size_t n, const double *phi, const double *P, const double *T0, const double *P0,
                            double *out);
VORN_API void vorn_k0_n(size_t n, const double *T, double *out);
VORN_API void vorn_k_n(size_t n, const double *T, const double *P, double *out);
VORN_API void vorn_nu0_n(size_t n, const double *T, double *out);
VORN_API void vorn_nu_n(size_t n, const double *T, const double *P, double *out);

/* State flags: which results mean nothing at (T, P). Each flag is decided from the very quantity the
 * results it guards are made of (the same doubles), so a flag and its result cannot disagree. Each comment
 * ends with the routines the flag spoils, as vorn_state_mask below gives them ("every result of T and P":
 * all but the nine virial coefficients, vorn_k0 and vorn_nu0). */
#define VORN_STATE_INVALID 1u          /* T or P not finite, T <= 0 or P < 0; no other flag is then tested;
                                        * spoils every result */
#define VORN_STATE_LIQUID 2u           /* T <= 5.1953 K and P above the ITS-90 vapour pressure (227.46 kPa at the
                                        * critical point): every gas result is that of a metastable vapour;
                                        * spoils every result of T and P */
#define VORN_STATE_DENSITY_TURNED 4u   /* denominator of vorn_rho's Newton step (the slope of the virial isotherm
                                        * at the ideal-gas density) <= 0, or the density not finite and positive;
                                        * spoils vorn_rho, vorn_vol, vorn_cv, vorn_cp and vorn_gamma */
#define VORN_STATE_SOUND_UNDEFINED 8u  /* bracket of the acoustic virial series negative, the speed of sound NaN;
                                        * spoils vorn_w */
#define VORN_STATE_ZA_NONPOSITIVE 16u  /* the correlation's Za <= 0, its speed of sound NaN; spoils vorn_Za_gk,
                                        * vorn_w_gk and temp_K */
#define VORN_STATE_K_POLE 32u          /* T within 1.1 mK of the pole of k0 at 36.37595 K or within 12 mK of the one
                                        * at 184.48682 K (there k0 is more than 0.1 % off its smooth curve; the
                                        * boundaries are inside), or k0 not positive (between a pole and the zero
                                        * beside it; above a third pole at 965424.67 K); spoils vorn_k0 and vorn_k */
#define VORN_STATE_NU_NEGATIVE 64u     /* zero-pressure viscosity not positive: below 0.0960915 K, above its pole at
                                        * 995565.04 K (-0.0212 Pa s at 1e9 K), NaN above about 1.05e28 K; spoils
                                        * vorn_nu0 and vorn_nu */
#define VORN_STATE_HEAT_CAPACITY_NONPOSITIVE 128u /* cv or cp not positive (so gamma is not positive or means
                                        * nothing): 40 K, 52404.7 kPa; 10.44 K, 19600 kPa; spoils vorn_cv, vorn_cp
                                        * and vorn_gamma */
#define VORN_STATE_VIRIAL_DIVERGENT 256u /* the density series no longer converges: no gas root (vorn_Z NaN), or at
                                        * the root D rho^3 more than 1 % of Z (2.18 K, 3 kPa; 300 K, 100 MPa): the
                                        * gas too dense for every virial result and for the correlation's Za;
                                        * spoils vorn_rho, vorn_vol,
                                        * vorn_cv, vorn_cp, vorn_gamma, vorn_w, vorn_Za_gk, vorn_w_gk, temp_K, vorn_Z
                                        * and vorn_cvgt_temperature */
#define VORN_STATE_SOUND_DIVERGENT 512u /* the cubic term of the acoustic series more than 1 % of its bracket (near
                                        * the pole of D at 2.180066 K even at a few kPa; dense gas): the gas too
                                        * dense for every virial result and for the correlation's Za; spoils
                                        * vorn_rho, vorn_vol,
                                        * vorn_cv, vorn_cp, vorn_gamma, vorn_w, vorn_Za_gk, vorn_w_gk, temp_K, vorn_Z
                                        * and vorn_cvgt_temperature */
#define VORN_STATE_ZA_PRESSURE_FREE 1024u /* T <= 1.95 K and P > 0: the correlation has no pressure term, Za = 1,
                                        * its speed of sound ideal, a thermometer result independent of P; spoils
                                        * vorn_Za_gk, vorn_w_gk and temp_K */
#define VORN_STATE_DENSITY_UNCONVERGED 2048u /* vorn_rho's one Newton step more than 0.25 % from the gas root of its
                                        * own equation, or no such root (6.25 K, 1000 kPa: 173.9 against 120.7
                                        * kg/m^3; the 4.2 K saturated vapour; 493 K, 90 MPa): the gas too dense for
                                        * every virial result and for the correlation's Za; spoils vorn_rho, vorn_vol,
                                        * vorn_cv, vorn_cp, vorn_gamma, vorn_w, vorn_Za_gk, vorn_w_gk, temp_K, vorn_Z
                                        * and vorn_cvgt_temperature */
#define VORN_STATE_OUT_OF_RANGE 4096u  /* T < 2.2 K, T > 1500 K or P > 100 MPa: outside the range over which the gas-
                                        * state results have been compared with the reference equation of state
                                        * (that equation stops at He II below 2.1768 K; there is no lower P limit,
                                        * the gas only nears the ideal one); spoils vorn_rho, vorn_vol,
                                        * vorn_cv, vorn_cp, vorn_gamma, vorn_w, vorn_Za_gk, vorn_w_gk, temp_K, vorn_Z
                                        * and vorn_cvgt_temperature */
#define VORN_STATE_HEAT_CAPACITY_TRUNCATED 8192u /* cp more than 10 % from the ideal 5/2 r/m0 (or NaN), or
                                        * the third-order term the heat capacities leave out, (2T D' + T^2 D'')/
                                        * (3 V^3), above 0.01 % of 5/2 (beside the pole of D): cut after the second
                                        * order in 1/V they may be more than 1 % off (3.6 % at 4.23 K, 72 kPa;
                                        * 2.9 % at 26.4 K, 3.6 MPa); spoils vorn_cv, vorn_cp and vorn_gamma */
#define VORN_STATE_K_DENSE 16384u     /* the pressure term of vorn_k, F - 1 of its factor F = 1 + b0 T^b1 P + c0 T^c1
                                        * P^2 (a low-density form), above the limit up to which it stays within 2 %
                                        * of the result of the dense-fluid correlations (3.1 % at 4 K, 13.7 % at
                                        * 16 K, 2.2 % from 1 kK; 300 K, 20 MPa gives 0.448 against 0.17 W/(m K)), or
                                        * NaN; spoils vorn_k */
#define VORN_STATE_NU_DENSE 32768u    /* the same for vorn_nu (limit 3.4 % at 4 K, 16.4 % at 16 K, 1.9 % from 1 kK;
                                        * 300 K, 20 MPa gives 52.2 against 20.4 uPa s); spoils vorn_nu */
/* With these flags, no state of the gas side of 2.2 K to 1500 K and 0.1 kPa to 100 MPa (vapour or supercritical
 * on the reference equation) has a density, cp, speed of sound (vorn_w or vorn_w_gk) or Z more than 1 % from that
 * equation unless a flag of vorn_state_mask of its routine is set (docs/accuracy.md). vorn_state(T, P) == 0
 * marks a state where all of them hold. */
VORN_API unsigned vorn_state(const double *T, const double *P); /* T in K, P in kPa: the set of flags above */
VORN_API void vorn_state_n(size_t n, const double *T, const double *P, unsigned *out);
VORN_API const char *vorn_state_name(unsigned bit);        /* short name of one flag; "unknown" for anything else */
VORN_API const char *vorn_state_description(unsigned bit); /* one line on when it is set and what it spoils;
                                                            * "not a state flag" for anything else */
/* The flags that spoil a routine's result: a result of routine at (T, P) means nothing, or may be more than 1 %
 * off, where vorn_state(T, P) & vorn_state_mask(routine) is not 0 (for the thermometers' *_state reports: their
 * *state). routine is an exported name, of the scalar routine or of its array form ("vorn_cp", "vorn_cp_n",
 * "__vorn_MOD_b", "temp_K", "vorn_Z", "vorn_cvgt_temperature_state"); 0 for any other name or NULL (every
 * routine has at least VORN_STATE_INVALID). */
VORN_API unsigned vorn_state_mask(const char *routine);

/* temp_K bit for bit, plus the iterations used and whether the tolerance was met (1) or not (0).
 * iterations and converged may be NULL. */
VORN_API double vorn_temp_K_report(const double *phi, const double *P, const double *T0, const double *P0,
                                   int *iterations, int *converged);
/* vorn_temp_K_report, and in *state (unless NULL) the flags of the result: vorn_state(T, P) of the result T,
 * with the invalid, liquid, za-nonpositive and za-pressure-free flags of the reference (T0, P0), and
 * VORN_STATE_INVALID where phi, P, T0 or P0 is not finite or not positive. A converged result is a valid gas
 * temperature only where *state has none of those flags. */
VORN_API double vorn_temp_K_report_state(const double *phi, const double *P, const double *T0, const double *P0,
                                         int *iterations, int *converged, unsigned *state);
/* vorn_temp_K_report at n points: out[i] the temperature, iterations[i] and converged[i] (each may be NULL)
 * as vorn_temp_K_report gives them for point i. out may be one of the inputs. */
VORN_API void vorn_temp_K_report_n(size_t n, const double *phi, const double *P, const double *T0, const double *P0,
                                   double *out, int *iterations, int *converged);

/* True compressibility factor pV/(nRT) of the virial equation, its gas root solved to convergence: the root the
 * isotherm reaches from zero density while its slope is still positive. NaN where the isotherm turns over
 * before it reaches P (from 122.84 kPa up at 4.2 K, from 16.60 kPa up at 1.8 K), so at every higher pressure
 * too; VORN_STATE_VIRIAL_DIVERGENT is set there. T in K, P in kPa. */
VORN_API double vorn_Z(const double *T, const double *P);
VORN_API void vorn_Z_n(size_t n, const double *T, const double *P, double *out);

/* Constant-volume gas thermometer: T in K from the pressures P and P0 (kPa) and the reference T0 (K), solving
 * T = T0 (P/P0) Z(T0, P0) / Z(T, P) with the true Z of vorn_Z (at most 100 Newton steps). An iterate colder than
 * the turning point of the isotherm through P (no gas root there) moves warmer; where the solution would lie
 * colder than any gas that shows P the result is NaN, not converged. iterations and converged may be NULL. */
VORN_API double vorn_cvgt_temperature(const double *P, const double *T0, const double *P0, int *iterations,
                                      int *converged);
/* vorn_cvgt_temperature, and in *state (unless NULL) the flags of the result: vorn_state(T, P) of the result T,
 * with the invalid, liquid and virial-divergent flags of the reference (T0, P0), and VORN_STATE_INVALID where
 * P, T0 or P0 is not finite or not positive. */
VORN_API double vorn_cvgt_temperature_state(const double *P, const double *T0, const double *P0, int *iterations,
                                            int *converged, unsigned *state);
/* vorn_cvgt_temperature at n points, as vorn_temp_K_report_n is vorn_temp_K_report. */
VORN_API void vorn_cvgt_temperature_n(size_t n, const double *P, const double *T0, const double *P0, double *out,
                                      int *iterations, int *converged);

/* The reference equation of state of helium-4 (He I: liquid, vapour, supercritical, two-phase), the
 * Helmholtz-energy equation of NIST IR 8474 with its own R = 8.3144598 J/(mol K) and M = 0.004002602 kg/mol
 * (not the module constants). Reference state: h = 0 and s = 0 for the saturated liquid at 101.325 kPa.
 * Units: T in K, P in kPa, rho in kg/m^3, u, h, g in J/kg, s, cv, cp in J/(kg K), w in m/s; pressure
 * derivatives in kPa as well. Unlike the routines above, these check their arguments: NaN marks a value
 * that is undefined or withheld, and the flags say why. Every call is pure from the caller's view (any
 * number of threads), with one cache: each thread keeps the last state it computed, keyed on the pair and
 * the exact bits of x1 and x2, so several vorn_eos_value calls at one state (and runs of equal inputs in
 * the array forms) cost one flash; the results are bit for bit those of a new flash. See
 * docs/reference_eos.md. The codes, flags and struct fields below are listed again, with names, units,
 * descriptions and how the library computes each, one row each, in vorn_eos_facts.def (installed beside this
 * header), for hosts to build on; the library's build checks every one of them against its row.
 * The He II bath, 1.25 K to T_lambda: every pair whose state lies between the saturated He II liquid and
 * its vapour returns it (two-phase, or HE_II at q = 0), on the same zero of h and s: the liquid's s and h
 * integrated down from the equation's saturated liquid at T_lambda through the heat capacity and density of
 * the saturated-liquid fits (continuous there in h and s, not in cp), the vapour the equation's, flagged
 * EXTRAPOLATED. Its vapour pressure is the one relation of the library below T_lambda: ITS-90's scaled by
 * 0.99951 to meet the equation's saturation pressure at T_lambda (within 0.21 mK of ITS-90's temperature).
 * He II pressed above its vapour pressure (a denser liquid, less h, u or s at that T or P) is He II under
 * pressure (VORN_EOS_PHASE_HE_II below, q NaN) from 0.8 K to the lambda and melting lines; colder than
 * 0.8 K it is refused (HE_II). See docs/superfluid.md and docs/superfluid_pressure.md. */

/* Properties (the `property` argument of vorn_eos_value). */
#define VORN_EOS_T 1       /* temperature, K */
#define VORN_EOS_P 2       /* pressure, kPa */
#define VORN_EOS_RHO 3     /* density, kg/m^3 */
#define VORN_EOS_VM 4      /* molar volume, m^3/mol */
#define VORN_EOS_U 5       /* internal energy, J/kg */
#define VORN_EOS_H 6       /* enthalpy, J/kg */
#define VORN_EOS_S 7       /* entropy, J/(kg K) */
#define VORN_EOS_G 8       /* Gibbs energy, J/kg */
#define VORN_EOS_CV 9      /* isochoric heat capacity, J/(kg K); NaN in two phases */
#define VORN_EOS_CP 10     /* isobaric heat capacity, J/(kg K); NaN in two phases */
#define VORN_EOS_CP_CV 11  /* cp/cv; NaN in two phases */
#define VORN_EOS_W 12      /* speed of sound, m/s; NaN in two phases */
#define VORN_EOS_JT 13     /* Joule-Thomson coefficient (dT/dP)_h, K/kPa; NaN in two phases */
#define VORN_EOS_KAPPA_T 14 /* isothermal compressibility -(1/v)(dv/dP)_T, 1/kPa; NaN in two phases */
#define VORN_EOS_ALPHA_V 15 /* volume expansivity (1/v)(dv/dT)_P, 1/K; NaN in two phases */
#define VORN_EOS_DPDT 16   /* (dP/dT) at constant density, kPa/K; NaN in two phases */
#define VORN_EOS_DPDRHO 17 /* (dP/drho) at constant T, kPa m^3/kg; NaN in two phases */
#define VORN_EOS_B 18      /* the equation's second virial coefficient B(T), cm^3/mol */
#define VORN_EOS_Z 19      /* compressibility factor P/(rho R T) */
#define VORN_EOS_Q 20      /* vapour quality (mass fraction of vapour); NaN in one phase, 0 or 1 on the saturated edge */
#define VORN_EOS_PHASE 21  /* one of VORN_EOS_PHASE_* below, as a double */
#define VORN_EOS_FLAGS 22  /* the set of VORN_EOS_FLAG_* below, as a double */
/* Transport, from the dense-fluid correlations at the equation's state (docs/reference_eos.md); NaN in two
 * phases, where the mixture has no one value: take each saturated phase's from vorn_eos_saturation. The data
 * behind the correlations reach 100 MPa: above it the transport is flagged VORN_EOS_FLAG_EXTRAPOLATED (so is
 * all of it above 1500 K). Where a form stops describing helium (the conductivity's excess turned over with
 * density, from 255 MPa up at 300-1500 K, before it would turn negative) the values that depend on it are NaN,
 * flagged VORN_EOS_FLAG_UNDEFINED: none is ever zero or negative. These two flags come with the transport: in
 * VORN_EOS_FLAGS and in a struct that holds transport, not in the first version's, which has none. The cold
 * gas (below 4.2 K, fading out by 6 K and by the critical density) takes its dilute part from vorn_nu0 and
 * vorn_k0, so its zero-density limit is theirs. He II (VORN_EOS_PHASE_HE_II) carries heat by counterflow,
 * not by conduction: its viscosity is the normal fluid's, its conductivity, thermal diffusivity and Prandtl
 * number NaN (the heat conductivity function below takes their place). */
#define VORN_EOS_VISCOSITY 23           /* dynamic viscosity, Pa s */
#define VORN_EOS_CONDUCTIVITY 24        /* thermal conductivity, W/(m K), critical enhancement included */
#define VORN_EOS_KINEMATIC_VISCOSITY 25 /* viscosity/rho, m^2/s */
#define VORN_EOS_THERMAL_DIFFUSIVITY 26 /* conductivity/(rho cp), m^2/s */
#define VORN_EOS_PRANDTL 27             /* viscosity cp/conductivity */
/* He II: for the saturated bath's liquid (q = 0) from the saturated-liquid fits at the state's T; for He II
 * under pressure (q NaN) from its model at (T, P): the fits' superfluid fraction at T T_lambda(p0)/T_lambda(P),
 * second sound the fits' u2 at T carried by the change the model's entropy and cp give it from the vapour
 * pressure, the heat conductivity function the fits' form at that reduced T with rho and T_lambda(P): both
 * the bath's at the vapour pressure (docs/superfluid_pressure.md). Fourth sound (the wave a superleak's pores pass, the normal fluid locked)
 * from the same state: u4^2 = (rho_s/rho) w^2 + (rho_n/rho) u2^2, w first sound (the bath: the fits' u1). NaN for every other phase (a two-phase bath's liquid is the state
 * (T, q = 0)). The heat conductivity function is f^-1 of the turbulent counterflow law dT/dx = -f q^3
 * (m = 3), from 1.4 K (NaN below; under pressure, from a reduced T of 1.4 K). */
#define VORN_EOS_SUPERFLUID_FRACTION 28        /* rho_s/rho */
#define VORN_EOS_SECOND_SOUND 29               /* speed of second sound, m/s */
#define VORN_EOS_HEAT_CONDUCTIVITY_FUNCTION 30 /* f^-1, W^3 m^-5 K^-1 */
/* The distance to the lambda line, T - T_lambda(P) in K: below 0 in He II, above 0 in He I. For a state of
 * one phase (liquid, He II or supercritical) whose P lies on the line, from the lambda point (5.0393 kPa) to
 * its upper end on the melting line (3013.4 kPa), and for He II below the lambda point's pressure (between
 * its vapour pressure and 5.0393 kPa) T - 2.1768 K, the distance to the lambda point; NaN for vapour, in two
 * phases and above 3013.4 kPa. He II under pressure is flagged NEAR_LAMBDA where it is above -0.1 K. */
#define VORN_EOS_LAMBDA_DISTANCE 31 /* T - T_lambda(P), K */
#define VORN_EOS_FOURTH_SOUND 32    /* speed of fourth sound in He II, m/s (see the He II codes above) */

/* Input pairs (the `pair` argument): x1 and x2 in this order and the units above. */
#define VORN_EOS_TP 1      /* T, P */
#define VORN_EOS_TRHO 2    /* T, rho */
#define VORN_EOS_PRHO 3    /* P, rho */
#define VORN_EOS_PH 4      /* P, h */
#define VORN_EOS_PS 5      /* P, s */
#define VORN_EOS_TS 6      /* T, s */
#define VORN_EOS_RHOU 7    /* rho, u */
#define VORN_EOS_TQ 8      /* T, quality: at q = 0 or 1 the saturated phase (see below), T as given */
#define VORN_EOS_PQ 9      /* P, quality: at q = 0 or 1 the saturated phase (see below), P as given */
#define VORN_EOS_PU 10     /* P, u: a vessel filled or emptied at a held pressure */
#define VORN_EOS_TH 11     /* T, h: see below for which of two states */
#define VORN_EOS_TU 12     /* T, u: see below for which of two states */
#define VORN_EOS_RHOH 13   /* rho, h */
#define VORN_EOS_RHOS 14   /* rho, s */
#define VORN_EOS_HS 15     /* h, s: expansion and turbine work; one state at most (h rises with P along an isentrope) */
/* (T, h) and (T, u): along an isotherm h and u fall from the dilute gas's value to a minimum (h on the
 * Joule-Thomson inversion curve) and rise again in the compressed fluid, so a value below the dilute gas's
 * can have two states. The less dense one is returned (the gas, or below Tc the two-phase state or
 * saturated vapour), flagged VORN_EOS_FLAG_NOT_UNIQUE when a denser one (a compressed liquid, say) has the
 * same pair: give that one by (T, P) or (P, h). A dilute gas's h and u barely depend on its density, which
 * the pair then fixes only to about 1e-16 h / (h - h_ideal gas), relative. */
/* P = 0 is the limit of zero density. (T, P) gives that state: rho = 0, the ideal gas's u, h, cp, w, and s
 * and g NaN (they diverge there), flagged VORN_EOS_FLAG_UNDEFINED, as is any positive P whose density rounds
 * to zero or below the smallest normal double (2.2e-308 mol/m^3). (T, h) and (T, u) within rounding of the
 * ideal gas's value give that state too, flagged NOT_UNIQUE as well. Every other pair takes P > 0 only (P = 0
 * is BAD_INPUT): no state of positive density has it; (P, rho) refuses a P or rho so small that it is
 * subnormal in Pa or mol/m^3 (BAD_INPUT): it keeps too few digits to fix T. */
/* The saturated edge. A saturated phase is one phase (VORN_EOS_PHASE_LIQUID or _VAPOUR) with q = 0 or 1,
 * at the saturation's T and P: (T, q) and (P, q) at q = 0 or 1 give it with T or P exactly as given, and
 * every other pair whose values are those of a saturated phase to rounding (a few dozen ulps, scaled by how
 * fast the value moves along the curve: the numbers of vorn_eos_saturation_T or _P, or of a (T, q) or
 * (P, q) state, given back through any pair) returns that same saturated phase, never the other one and
 * never a refusal. (T, P) at exactly the saturation pressure of T returns the saturated liquid, q = 0,
 * flagged NOT_UNIQUE (any quality has that pair). Within 50 nK of Tc, where 16 ulps of T move the quality
 * given (h, s) by more than 1e-6, (h, s) in two phases is NOT_CONVERGED rather than a loose quality. */

#define VORN_EOS_PHASE_NONE 0          /* no result */
#define VORN_EOS_PHASE_LIQUID 1
#define VORN_EOS_PHASE_VAPOUR 2
#define VORN_EOS_PHASE_SUPERCRITICAL 3 /* T >= Tc = 5.1953 K */
#define VORN_EOS_PHASE_TWO_PHASE 4
#define VORN_EOS_PHASE_HE_II 5         /* He II: the saturated liquid below T_lambda (the bath at q = 0), and He II above its vapour pressure, 0.8 K to the lambda and melting lines */
/* He II above its vapour pressure is one Gibbs energy on the bath's saturated liquid (the same rho, h, s at
 * the vapour pressure) and meets the equation's He I on the lambda line. Uncertainty (estimates; see
 * docs/superfluid_pressure.md): 0.8 K to T_lambda - 0.1 K up to 1.6 MPa, rho 0.1 %, s 5 J/(kg K), h 10 J/kg,
 * cp 3 %, w 1 %, kappa_T 3 %, rho_s/rho 0.01; within 0.1 K of the lambda line (flagged NEAR_LAMBDA) up to
 * 2.5 MPa, rho 0.2 %, s 30 J/(kg K), h 60 J/kg, cp 10 %, w 2 %, kappa_T 10 %, rho_s/rho 0.04; 1.6 MPa to the
 * melting line away from the line, rho 0.3 %, s 20 J/(kg K), h 40 J/kg, cp 5 %; from 2.5 MPa to the upper
 * end within 0.1 K of the line (flagged NEAR_LAMBDA) s to 370 J/(kg K) and h to 660 J/kg, which is how far it
 * misses He I on the line at 3.0 MPa (47 and 83 at 2.6 MPa). */

#define VORN_EOS_FLAG_BAD_INPUT 1u      /* not finite, T <= 0, P < 0 (P <= 0 but for (T, P)), rho <= 0, quality outside [0, 1], unknown code, subnormal P or rho for (P, rho): NaN */
#define VORN_EOS_FLAG_HE_II 2u          /* He II where no model holds: below 0.8 K and not vapour, vapour below 1.25 K, or a pair with no state in He II or the bath: NaN */
#define VORN_EOS_FLAG_SOLID 4u          /* above the melting pressure: NaN */
#define VORN_EOS_FLAG_EXTRAPOLATED 8u   /* 1500 K < T <= 2000 K, P > 2000 MPa, or vapour below the lambda temperature (1.25 K up): results extrapolated */
#define VORN_EOS_FLAG_OUT_OF_RANGE 16u  /* T above 2000 K: NaN */
#define VORN_EOS_FLAG_NOT_UNIQUE 32u    /* the pair has more than one fluid state; one of them is returned */
#define VORN_EOS_FLAG_NO_SOLUTION 64u   /* no fluid state of the equation has this pair: NaN */
#define VORN_EOS_FLAG_NOT_CONVERGED 128u /* an iteration ran out of steps, or doubles cannot fix the result (see the saturated edge): NaN */
#define VORN_EOS_FLAG_UNDEFINED 256u    /* a state, but some of its values have no meaning (s and g at zero or subnormal density): those NaN */
#define VORN_EOS_FLAG_NEAR_LAMBDA 512u  /* He II under pressure within 0.1 K of the lambda line along its isobar (of the lambda point below its pressure): its lambda distance above -0.1 K, where its model is least certain: values given */

/* One property at the state given by a pair; NaN where undefined, flagged or for an unknown code. The array
 * form gives out[i] = vorn_eos_value(property, pair, &x1[i], &x2[i]) for i < n: one property and one pair
 * for all n points, x1 and x2 one value per point. */
VORN_API double vorn_eos_value(const int *property, const int *pair, const double *x1, const double *x2);
VORN_API void vorn_eos_value_n(size_t n, const int *property, const int *pair, const double *x1, const double *x2,
                               double *out);

/* Every property at once: the C library's one call for any state (the Python package's vorn.props and the
 * tool's `vorn eos` are built on the same pair codes and struct). The caller sets `size` to
 * sizeof(vorn_eos_state) before the call; the library
 * writes only the whole fields that fit in `size` bytes (never a byte past them), so a host built against
 * an older, shorter struct keeps working when fields are appended. Returns 0, or -1 (writing nothing) if
 * out is NULL or size is smaller than the struct's first version, VORN_EOS_STATE_SIZE_V1. */
typedef struct vorn_eos_state {
  size_t size;     /* set by the caller */
  unsigned flags;  /* VORN_EOS_FLAG_* */
  int phase;       /* VORN_EOS_PHASE_* */
  double T, P, rho, vm, u, h, s, g, cv, cp, cp_cv, w, jt, kappa_T, alpha_V, dpdT, dpdrho, B, Z, q;
  int evaluations; /* evaluations of the Helmholtz energy the state cost */
  /* Appended in the second version: transport (units and NaN as the VORN_EOS_* codes above). Computed
   * only when `size` holds them: a host with the first version's struct does not pay for them. */
  double viscosity, conductivity, kinematic_viscosity, thermal_diffusivity, prandtl;
  /* Appended in the third version: He II (the codes above). */
  double superfluid_fraction, second_sound, heat_conductivity_function;
  /* Appended in the fourth version: the distance to the lambda line (the code above). */
  double lambda_distance;
  /* Appended in the fifth version: He II's fourth sound (the code above). */
  double fourth_sound;
} vorn_eos_state;
/* The size of the struct's first version, the smallest `size` the library accepts: the bytes up to the end
 * of its last field, `evaluations` (184 with its tail padding, 180 without, on 64-bit platforms). Frozen:
 * fields are only ever appended. */
#define VORN_EOS_STATE_SIZE_V1 (offsetof(vorn_eos_state, evaluations) + sizeof(int))
VORN_API int vorn_eos_state_at(const int *pair, const double *x1, const double *x2, vorn_eos_state *out);
/* The array form: n states into out[0..n-1], at one pair for all points (x1[i], x2[i] the i-th state's), the
 * stride out[0].size (set by the caller in out[0] only; a multiple of the struct's alignment, at least
 * VORN_EOS_STATE_SIZE_V1, or -1 and nothing written). */
VORN_API int vorn_eos_state_n(size_t n, const int *pair, const double *x1, const double *x2, vorn_eos_state *out);

/* Saturation at T (1.25 K to 5.1953 K) or at P (0.114678 kPa to the critical 228.322787 kPa). The same
 * size convention as vorn_eos_state. Outside the range: the flags (HE_II below, NO_SOLUTION above) and NaN.
 * Below T_lambda = 2.1768 K (5.03933 kPa) the He II bath: the liquid from the saturated-liquid fits on the
 * equation's zero, its viscosity the normal fluid's, its conductivity and the surface tension NaN; the
 * vapour from the equation, flagged EXTRAPOLATED; P the vapour pressure of He II (below). */
typedef struct vorn_eos_saturation {
  size_t size;    /* set by the caller */
  unsigned flags; /* VORN_EOS_FLAG_* */
  double T, P;                   /* K, kPa */
  double rho_liquid, rho_vapour; /* kg/m^3 */
  double h_liquid, h_vapour;     /* J/kg */
  double s_liquid, s_vapour;     /* J/(kg K) */
  double latent_heat;            /* h_vapour - h_liquid, J/kg */
  double surface_tension;        /* N/m */
  double dPdT;                   /* slope of the saturation curve, kPa/K */
  int evaluations;
  /* Appended in the second version: transport of each saturated phase. */
  double viscosity_liquid, viscosity_vapour;       /* Pa s */
  double conductivity_liquid, conductivity_vapour; /* W/(m K) */
} vorn_eos_saturation;
/* The saturation struct's first version, as VORN_EOS_STATE_SIZE_V1 (112 with its tail padding, 108 without,
 * on 64-bit platforms). */
#define VORN_EOS_SATURATION_SIZE_V1 (offsetof(vorn_eos_saturation, evaluations) + sizeof(int))
VORN_API int vorn_eos_saturation_T(const double *T, vorn_eos_saturation *out);
VORN_API int vorn_eos_saturation_P(const double *P, vorn_eos_saturation *out);

/* Melting pressure (kPa) at T, 0 K (2507.7 kPa: helium stays liquid below it at absolute zero) to 2000 K, and
 * lambda-line temperature (K) at P, 5.0393 kPa (the lambda point) to 3013.4 kPa (the line's upper end on the
 * melting line): the limits the flags use. NaN outside those ranges and for NaN or infinite arguments. */
VORN_API double vorn_eos_melting_pressure(const double *T);
VORN_API double vorn_eos_lambda_temperature(const double *P);

/* The saturated liquid below and above the lambda line, 0 K to 5.15 K, He II included, and the helium-4
 * vapour-pressure scale of ITS-90: functions of T90 alone (or of the vapour pressure), at the saturated
 * vapour pressure, from the fits of Donnelly and Barenghi, J. Phys. Chem. Ref. Data 27, 1217 (1998). A third
 * family beside the correlations and the reference equation (which refuses He II): no pressure dependence,
 * and nothing of He II under pressure. Units as above: T in K, P in kPa, kg/m^3, J/kg, J/(kg K), m/s, Pa s.
 * Each routine writes the set of VORN_SVP_FLAG_* into *flags (unless flags is NULL); NaN where a flag says
 * no value. The array forms take n points and flags may be NULL there too. See docs/superfluid.md. */
#define VORN_SVP_FLAG_BAD_INPUT 1u      /* T negative or not finite, P not positive or not finite: NaN */
#define VORN_SVP_FLAG_OUT_OF_RANGE 2u   /* outside the range of the fit (listed below): NaN */
#define VORN_SVP_FLAG_OUTSIDE_SCALE 4u  /* vapour scale, 0.5 K to 1.25 K: a value, but not ITS-90 */
#define VORN_SVP_FLAG_AT_LAMBDA 8u      /* at the lambda point, where the property has no value: NaN */
#define VORN_SVP_FLAG_PAST_LAMBDA 16u   /* a He II channel's warm end would pass T_lambda (q above the peak flux): NaN */

/* The ITS-90 helium-4 vapour-pressure scale: T90 = A0 + sum Ai ((ln(p/Pa) - B)/C)^i, 1.25 K to 2.1768 K
 * (5.6, 2.9) and 2.1768 K to 5.0 K (10.3, 1.9); the lower range up to 5.041815 kPa (where it reaches
 * 2.1768 K), the upper above. From 0.5 K to 1.25 K (1.84e-6 kPa to 0.11473 kPa), outside the scale, the
 * vapour-pressure fit of the same authors, flagged VORN_SVP_FLAG_OUTSIDE_SCALE. vorn_its90_T gives T90 (K) at
 * the vapour pressure P (kPa), vorn_its90_P gives P (kPa) at T90 (K); both give dT90/dP in K/kPa in *dTdP
 * (unless NULL). Above 5.0 K (196.0165 kPa) or below 0.5 K: NaN, VORN_SVP_FLAG_OUT_OF_RANGE. */
VORN_API double vorn_its90_T(const double *P, double *dTdP, unsigned *flags);
VORN_API double vorn_its90_P(const double *T, double *dTdP, unsigned *flags);
VORN_API void vorn_its90_T_n(size_t n, const double *P, double *T, double *dTdP, unsigned *flags);
VORN_API void vorn_its90_P_n(size_t n, const double *T, double *P, double *dTdP, unsigned *flags);

/* The saturated liquid at T (K); ranges in K, each its fit's own. */
VORN_API double vorn_svp_rho(const double *T, unsigned *flags);      /* density, kg/m^3, 0-4.9 (maximum at 2.1844 K) */
VORN_API double vorn_svp_alpha(const double *T, unsigned *flags);    /* thermal expansion -(1/rho) drho/dT, 1/K, 0-4.9; NaN at T_lambda */
VORN_API double vorn_svp_rho_s(const double *T, unsigned *flags);    /* superfluid density, kg/m^3, 0-4.9 (0 above T_lambda = 2.1768 K) */
VORN_API double vorn_svp_rho_normal(const double *T, unsigned *flags); /* normal-fluid density rho - rho_s, kg/m^3, 0-4.9 */
VORN_API double vorn_svp_fraction_s(const double *T, unsigned *flags); /* superfluid fraction rho_s/rho, 0-4.9 */
VORN_API double vorn_svp_u1(const double *T, unsigned *flags);       /* first sound, m/s, 0-4.248035 */
VORN_API double vorn_svp_u2(const double *T, unsigned *flags);       /* second sound, m/s, 0.5517426-2.1768 (the fit ends at 0.0106 at T_lambda itself, not 0) */
VORN_API double vorn_svp_c(const double *T, unsigned *flags);        /* heat capacity along saturation, J/(kg K), 0.01-5.0614358; NaN at T_lambda */
VORN_API double vorn_svp_s(const double *T, unsigned *flags);        /* entropy along saturation, S(0) = 0, J/(kg K), 0-5.0614358 */
VORN_API double vorn_svp_L(const double *T, unsigned *flags);        /* latent heat of vaporisation, J/kg, 0-5.15 */
VORN_API double vorn_svp_eta_n(const double *T, unsigned *flags);    /* normal-fluid (and He I) shear viscosity, Pa s, 0.7913364-4.406982 */
VORN_API double vorn_svp_B(const double *T, unsigned *flags);        /* mutual friction B, 1.2859 to below T_lambda */
VORN_API double vorn_svp_B_prime(const double *T, unsigned *flags);  /* mutual friction B', 1.2779 to below T_lambda */
VORN_API double vorn_svp_P(const double *T, unsigned *flags);        /* saturated vapour pressure (their fit), kPa, 0.5-5.0 */
VORN_API double vorn_svp_heat_conductivity_function(const double *T, unsigned *flags); /* He II f^-1 for m = 3, W^3 m^-5 K^-1, 1.4-4.9 (0 from T_lambda) */
/* The same at n temperatures: out[i] and flags[i] (flags may be NULL). */
VORN_API void vorn_svp_rho_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_alpha_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_rho_s_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_rho_normal_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_fraction_s_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_u1_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_u2_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_c_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_s_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_L_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_eta_n_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_B_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_B_prime_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_P_n(size_t n, const double *T, double *out, unsigned *flags);
VORN_API void vorn_svp_heat_conductivity_function_n(size_t n, const double *T, double *out, unsigned *flags);

/* Heat through a channel of He II by turbulent counterflow (Gorter-Mellink), from a saturated bath at T_bath
 * (K, 1.4 to below T_lambda) along a length L (m, above 0): dT/dx = -f_m q^m, so q^m L is the integral of
 * f_m^-1 from T_bath to the warm end. q in W/m^2; m the exponent, 2 to 4 (NULL: 3; channel data favour 3.4).
 * vorn_svp_channel_warm_end gives the warm end's T (K) for a heat flux q >= 0; vorn_svp_channel_heat_flux the
 * q (W/m^2) that puts the warm end at T_warm (T_bath to T_lambda); vorn_svp_channel_peak_flux the q whose warm
 * end reaches T_lambda. NaN with VORN_SVP_FLAG_BAD_INPUT (an argument negative, not finite or L <= 0, m
 * outside 2-4, T_warm below T_bath), VORN_SVP_FLAG_OUT_OF_RANGE (T_bath below 1.4 K or at or above T_lambda)
 * or VORN_SVP_FLAG_PAST_LAMBDA (q above the peak flux, T_warm above T_lambda). See docs/superfluid.md. */
VORN_API double vorn_svp_channel_warm_end(const double *T_bath, const double *L, const double *q, const double *m, unsigned *flags);
VORN_API double vorn_svp_channel_heat_flux(const double *T_bath, const double *T_warm, const double *L, const double *m, unsigned *flags);
VORN_API double vorn_svp_channel_peak_flux(const double *T_bath, const double *L, const double *m, unsigned *flags);
/* The same at n points: element i of every argument (m may be NULL: 3 at every point; flags may be NULL). */
VORN_API void vorn_svp_channel_warm_end_n(size_t n, const double *T_bath, const double *L, const double *q, const double *m, double *out, unsigned *flags);
VORN_API void vorn_svp_channel_heat_flux_n(size_t n, const double *T_bath, const double *T_warm, const double *L, const double *m, double *out, unsigned *flags);
VORN_API void vorn_svp_channel_peak_flux_n(size_t n, const double *T_bath, const double *L, const double *m, double *out, unsigned *flags);

#ifdef __cplusplus
}
#endif

/* clang-format on */

#endif /* VORN_H */
